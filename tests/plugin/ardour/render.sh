#!/usr/bin/env bash
# render.sh PLUGIN_LIBRARY WORK_DIR: loads the plug-in in a real host. ardour7-lua builds a session
# (dummy backend) whose MIDI track plays a short phrase into the plug-in, ardour7-export renders
# it to a WAV file, and analyse.py checks the notes' pitch and timing.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
library=$1
work=$2
python=/usr/bin/python3 # the system's, which has numpy

rm -rf "$work"
mkdir -p "$work/home/.config/ardour7/scripts" "$work/home/.cache" "$work/lxvst"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache"
export LXVST_PATH="$work/lxvst" VST_PATH="$work/lxvst" VST3_PATH="$work/none"
unset DISPLAY

# The scanner caches by modification time in whole seconds: a copy dated on a whole second is
# never newer than its cache entry.
cp "$library" "$work/lxvst/zarNvst.so"
touch -d "2020-01-01 00:00:00" "$work/lxvst/zarNvst.so"
cp "$here/phrase.lua" "$work/home/.config/ardour7/scripts/zarn_phrase.lua"

# One DSP thread: the export is reliable with it.
cat > "$work/home/.config/ardour7/config" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<Ardour>
  <Config>
    <Option name="processor-usage" value="1"/>
  </Config>
</Ardour>
XML

echo "== scan"
LD_LIBRARY_PATH=/usr/lib/ardour7 timeout 60 /usr/lib/ardour7/ardour-vst-scanner -f "$work/lxvst/zarNvst.so"

echo "== session"
SESSION_DIR="$work/session" timeout 90 ardour7-lua "$here/session.lua" < /dev/null
grep -q 'type="lxvst" unique-id="1248019565"' "$work/session/render.ardour"

# The session range: 0 to 3 s (Ardour counts time in 282240000 ticks per second).
"$python" - "$work/session/render.ardour" <<'PY'
import sys
path = sys.argv[1]
text = open(path).read()
rng = '<Location id="900001" name="session" start="a0" end="a%d" flags="IsSessionRange" locked="0" timestamp="0" cue="0"/>' % (3 * 282240000)
if "<Locations/>" in text:
    text = text.replace("<Locations/>", "<Locations>\n    " + rng + "\n  </Locations>")
else:
    text = text.replace("<Locations>", "<Locations>\n    " + rng, 1)
open(path, "w").write(text)
PY

echo "== export"
timeout 90 ardour7-export -b float -o "$work/render.wav" "$work/session" render < /dev/null

echo "== analysis"
"$python" "$here/analyse.py" "$work/render.wav"
