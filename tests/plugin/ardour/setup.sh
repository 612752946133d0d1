# Sourced by the Ardour tests: ardour_setup PLUGIN_LIBRARY WORK_DIR gives Ardour a private home
# in WORK_DIR, installs the plug-in there (the library with its "GUI Resource" folder beside it),
# scans it, and builds WORK_DIR/session/render.ardour with ardour7-lua: a MIDI track whose phrase
# player plays into the plug-in. Without "presets.xml" the editor made on effOpen loads no
# start-up timbre, so the plug-in keeps the engine's own sound, which the render analysis expects.
ardour_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
python=/usr/bin/python3 # the system's, which has numpy
ardour_attempts=3

# ardour_retry PROGRAM COMMAND...: runs COMMAND, one attempt at a step that Ardour's PROGRAM does,
# until it succeeds, $ardour_attempts times at most. Ardour's tools crash now and then on
# their own, with its own synthesiser in place of zarN too (the exporter aborting on heap
# corruption or hanging, the Lua session tool aborting), so only an attempt whose program died by
# a signal or overran its time limit (`timeout` answers 124) is tried again, and the log says so.
# Any other failure ends the test at once, and what the tools produce is checked as it is.
ardour_retry() {
    local program=$1 attempt status=0
    shift
    for attempt in $(seq "$ardour_attempts"); do
        status=0
        "$@" || status=$?
        if [ "$status" -ne 124 ] && [ "$status" -le 128 ]; then
            return "$status"
        fi
        local how="overran its time limit"
        [ "$status" -gt 128 ] && how="died by SIG$(kill -l $((status - 128)))"
        echo "== HOST CRASH: $program $how (attempt $attempt of $ardour_attempts)"
    done
    return "$status"
}

# Each attempt's time limit; a program that ignores the end of its time is killed 10 s later.
ardour_limit() {
    timeout -k 10 "$@"
}

ardour_setup() {
    local library=$1 work=$2
    local plugin_folder
    plugin_folder=$(dirname "$library")

    rm -rf "$work"
    mkdir -p "$work/home/.config/ardour7/scripts" "$work/home/.cache" "$work/lxvst"
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache"
    export LXVST_PATH="$work/lxvst" VST_PATH="$work/lxvst" VST3_PATH="$work/none"

    # The scanner caches by modification time in whole seconds: a copy dated on a whole second is
    # never newer than its cache entry.
    cp "$library" "$work/lxvst/zarNvst.so"
    touch -d "2020-01-01 00:00:00" "$work/lxvst/zarNvst.so"
    cp -r "$plugin_folder/GUI Resource" "$work/lxvst/"
    cp "$ardour_here/phrase.lua" "$work/home/.config/ardour7/scripts/zarn_phrase.lua"

    # One DSP thread: the export is reliable with it. The GUI connects to the JACK server that
    # runs already, without asking; the file .a7 says the first-run wizard was done.
    cat > "$work/home/.config/ardour7/config" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<Ardour>
  <Config>
    <Option name="processor-usage" value="1"/>
  </Config>
  <Extra>
    <AudioMIDISetup>
      <EngineStates>
        <State backend="JACK" driver="" device="" input-device="" output-device="" sample-rate="44100"
               buffer-size="256" n-periods="0" input-latency="0" output-latency="0" lm-input="" lm-output=""
               active="1" use-buffered-io="0" midi-option="" lru="1">
          <MIDIDevices/>
        </State>
      </EngineStates>
    </AudioMIDISetup>
  </Extra>
</Ardour>
XML
    touch "$work/home/.config/ardour7/.a7"

    echo "== scan"
    ardour_retry ardour-vst-scanner ardour_scan "$work"

    echo "== session"
    ardour_retry ardour7-lua ardour_make_session "$work"
    grep -q 'type="lxvst" unique-id="1248019565"' "$work/session/render.ardour"
}

ardour_scan() {
    LD_LIBRARY_PATH=/usr/lib/ardour7 ardour_limit 60 /usr/lib/ardour7/ardour-vst-scanner -f "$1/lxvst/zarNvst.so"
}

# Anew at each attempt, from an empty folder.
ardour_make_session() {
    rm -rf "$1/session"
    (unset DISPLAY; SESSION_DIR="$1/session" ardour_limit 90 ardour7-lua "$ardour_here/session.lua" < /dev/null)
}
