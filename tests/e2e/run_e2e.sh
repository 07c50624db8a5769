#!/usr/bin/env bash
# Runs e2e_session.py against the program on a private X server (Xvfb) and a private D-Bus
# session bus, and stops all of it whatever way the session ends.
# Usage: run_e2e.sh PROGRAM
set -euo pipefail

program=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
xvfb_pid=""
session_pid=""

# Whether a process of the session's group still runs (the dead wait to be reaped by init).
session_runs() {
    ps -e -o pgid=,stat= | awk -v group="$session_pid" '$1 == group && $2 !~ /^Z/ { found = 1 } END { exit !found }'
}

cleanup() {
    # The session runs in its own process group; the accessibility bus daemons leave their
    # parent but not the group.
    if [ -n "$session_pid" ]; then
        kill -TERM -- "-$session_pid" 2>/dev/null || true
        for _ in $(seq 50); do
            session_runs || break
            sleep 0.1
        done
        kill -KILL -- "-$session_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' INT TERM HUP

# Xvfb picks a free display and writes its number once it accepts connections. -noreset: a
# server that resets when its last client leaves drops whoever connects meanwhile.
: >"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    grep -qx '[0-9]\+' "$work/display" && break
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
        cat "$work/xvfb.log" >&2
        exit 1
    fi
    sleep 0.1
done
grep -qx '[0-9]\+' "$work/display" || { echo "Xvfb did not start" >&2; exit 1; }

export DISPLAY=":$(cat "$work/display")"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

# timeout leads a process group of its own; its deadline comes before ctest's, so that the
# clean-up above still runs.
timeout -k 5 60 dbus-run-session -- /usr/bin/python3 -u "$here/e2e_session.py" "$program" &
session_pid=$!
status=0
wait "$session_pid" || status=$?
[ "$status" -eq 0 ] || cat "$work/xvfb.log" >&2
exit "$status"
