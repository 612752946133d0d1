#!/usr/bin/env bash
# pulse.sh start|stop SOCKET: a private PulseAudio server with one null sink, paced like a sound
# card at 44.1 kHz in stereo, for the programs that run under Wine: Wine's 32-bit sound driver talks
# to it over the Unix socket SOCKET (clients find it through PULSE_SERVER=unix:SOCKET), and the
# server keeps its files in the socket's folder. The sink is the default one; its monitor,
# @DEFAULT_MONITOR@, is what the tests record.
set -eu
action=$1 socket=$2
dir=$(dirname "$socket")
pidfile=$dir/pulseaudio.pid
export PULSE_SERVER=unix:$socket
case $action in
start)
    if [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null; then exit 0; fi
    mkdir -p "$dir/home" "$dir/runtime"
    chmod 700 "$dir/runtime"
    rm -f "$socket"
    cat >"$dir/server.pa" <<EOF
load-module module-null-sink sink_name=zarn rate=44100 channels=2
set-default-sink zarn
load-module module-native-protocol-unix auth-anonymous=1 socket=$socket
EOF
    # A server of its own, in a home of its own: no D-Bus, no session, no configuration read.
    HOME=$dir/home XDG_RUNTIME_DIR=$dir/runtime XDG_CONFIG_HOME=$dir/home \
        pulseaudio -n -F "$dir/server.pa" --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        --disallow-module-loading --log-target=stderr >"$dir/pulseaudio.log" 2>&1 &
    echo $! >"$pidfile"
    for _ in $(seq 100); do
        if pactl info >/dev/null 2>&1; then exit 0; fi
        sleep 0.1
    done
    echo "the PulseAudio server did not come up" >&2
    cat "$dir/pulseaudio.log" >&2
    exit 1
    ;;
stop)
    if [ -f "$pidfile" ]; then kill "$(cat "$pidfile")" 2>/dev/null || true; rm -f "$pidfile"; fi
    ;;
esac
