#!/usr/bin/env bash
# Runs e2e_session.py against the program on a private X server (Xvfb) with a window manager
# (openbox) and a private D-Bus session bus, and stops all of it however the session ends.
# Usage: run_e2e.sh PROGRAM
set -euo pipefail

program=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
pids=()

cleanup() {
    set +e
    # The session leads a process group; the accessibility bus daemons leave their parent but
    # not the group.
    [ -n "${session_pid:-}" ] && kill -TERM -- "-$session_pid" 2>/dev/null
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    [ -n "${session_pid:-}" ] && kill -KILL -- "-$session_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' INT TERM HUP

# Xvfb picks a free display and writes its number once it accepts connections. -noreset: a
# server that resets when its last client leaves drops whoever connects meanwhile.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/x.log" &
pids+=($!)
for _ in $(seq 100); do grep -qx '[0-9]\+' "$work/display" && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
openbox --sm-disable 2>>"$work/x.log" &
pids+=($!)
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done

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
[ "$status" -eq 0 ] || cat "$work/x.log" >&2
exit "$status"
