#!/usr/bin/env bash
# jackd.sh start|stop SERVER_NAME STATE_DIR: a private JACK server on its dummy backend, paced
# like a sound card at 44.1 kHz in 256-frame periods.
set -eu
action=$1 server=$2 state=$3
mkdir -p "$state"
pidfile=$state/jackd-$server.pid
case $action in
start)
    if [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null; then exit 0; fi
    jackd --no-realtime -n "$server" -d dummy -r 44100 -p 256 >"$state/jackd-$server.log" 2>&1 &
    echo $! >"$pidfile"
    if ! jack_wait -s "$server" -w -t 10 >/dev/null; then
        echo "jackd $server did not come up" >&2
        cat "$state/jackd-$server.log" >&2
        exit 1
    fi
    ;;
stop)
    if [ -f "$pidfile" ]; then kill "$(cat "$pidfile")" 2>/dev/null || true; rm -f "$pidfile"; fi
    ;;
esac
