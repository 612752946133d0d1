#!/usr/bin/env bash
# render.sh PLUGIN_LIBRARY WORK_DIR: loads the plug-in in a real host. ardour7-lua builds a session
# (dummy backend) whose MIDI track plays a short phrase into the plug-in, ardour7-export renders
# it to a WAV file, and analyse.py checks the notes' pitch and timing. Ardour's own crashes are
# tried again (setup.sh: ardour_retry); a wrong render never is.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/setup.sh"
work=$2
unset DISPLAY
ardour_setup "$1" "$work"

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

# The exporter saves the session it renders: each attempt renders a copy of its own, so that a
# crashed attempt leaves nothing that the next one reads.
export_session() {
    rm -rf "$work/export" "$work/render.wav"
    cp -r "$work/session" "$work/export"
    ardour_limit 90 ardour7-export -b float -o "$work/render.wav" "$work/export" render < /dev/null
}

echo "== export"
ardour_retry ardour7-export export_session

echo "== analysis"
"$python" "$here/analyse.py" "$work/render.wav"
