#!/usr/bin/env bash
# wine.sh start|stop DISPLAY_NUMBER STATE_DIR [DESKTOP_HOLDER_EXE]: a private Xvfb and a 32-bit
# Wine prefix in STATE_DIR/wine-prefix for the Windows build's tests. The prefix is made once
# (about 15 s) and kept; its wineserver stays up between the tests of a run, and so does its
# desktop while DESKTOP_HOLDER_EXE (tests/windows/DesktopHolder.cpp) runs.
set -eu
action=$1 display=$2 state=$3 holder=${4:-}
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=$state/wine-prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=":$display"
case $action in
start)
    "$here/xvfb.sh" start "$display" "$state"
    # Wine's server and system processes outlive this script: they get a log file for their
    # output, not the test runner's pipes, which the runner would wait on.
    log=$state/wine.log
    if [ ! -f "$state/wine-prefix.made" ]; then
        wineserver -k >>"$log" 2>&1 || true
        rm -rf "$WINEPREFIX"
        wineboot -u >>"$log" 2>&1 </dev/null
        # Windows are not handed to a window manager (there is none): otherwise each window
        # hidden waits 2 s for a manager to withdraw it. A crash ends the program at once
        # instead of waiting in a dialog.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$log" 2>&1 </dev/null
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >>"$log" 2>&1 </dev/null
        wineserver -w # until the new prefix's registry is on disk
        touch "$state/wine-prefix.made"
    fi
    wineserver -p >>"$log" 2>&1 </dev/null || true # (it may be up from an earlier start)
    wineboot >>"$log" 2>&1 </dev/null # starts the system processes
    if [ -n "$holder" ]; then
        # The desktop's start can fail to load the X11 driver (seen now and then under an
        # emulator): the holder then ends at once, and a new start gets a new desktop.
        pidfile=$state/desktop-holder.pid
        if [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null; then exit 0; fi
        for attempt in 1 2 3; do
            wine "$holder" >"$state/desktop-holder.out" 2>>"$log" </dev/null &
            echo $! >"$pidfile"
            for _ in $(seq 600); do
                if grep -q "^ready" "$state/desktop-holder.out"; then exit 0; fi
                kill -0 "$(cat "$pidfile")" 2>/dev/null || break
                sleep 0.1
            done
            echo "Wine's desktop did not come up (attempt $attempt): $(cat "$state/desktop-holder.out")" >&2
            kill "$(cat "$pidfile")" 2>/dev/null || true
            wait "$(cat "$pidfile")" 2>/dev/null || true
        done
        exit 1
    fi
    ;;
stop)
    rm -f "$state/desktop-holder.pid"
    wineserver -k 2>/dev/null || true
    "$here/xvfb.sh" stop "$display" "$state"
    ;;
esac
