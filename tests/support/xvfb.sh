#!/usr/bin/env bash
# xvfb.sh start|stop DISPLAY_NUMBER STATE_DIR: a private X server for the widget and window tests.
set -eu
action=$1 display=$2 state=$3
mkdir -p "$state"
pidfile=$state/xvfb-$display.pid
case $action in
start)
    if [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null; then exit 0; fi
    rm -f "/tmp/.X$display-lock" "/tmp/.X11-unix/X$display"
    Xvfb ":$display" -screen 0 1280x900x24 -nolisten tcp -r >"$state/xvfb-$display.log" 2>&1 &
    echo $! >"$pidfile"
    for _ in $(seq 100); do
        if DISPLAY=":$display" xdpyinfo >/dev/null 2>&1; then exit 0; fi
        sleep 0.1
    done
    echo "Xvfb :$display did not come up" >&2
    cat "$state/xvfb-$display.log" >&2
    exit 1
    ;;
stop)
    if [ -f "$pidfile" ]; then kill "$(cat "$pidfile")" 2>/dev/null || true; rm -f "$pidfile"; fi
    ;;
esac
