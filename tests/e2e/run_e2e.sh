#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs e2e_session.py against the program on a private display under a window manager, with a
# private D-Bus session bus, and stops all of it however the session ends. The desktop:
#   openbox, mutter (GNOME's, in X11 mode), icewm or kwin (KDE's kwin_x11), on Xvfb;
#   mutter-wayland, kwin-wayland: GNOME's or KDE's Wayland compositor, headless, the program on
#         its XWayland;
#   bare: Xvfb with no window manager, and a headless Wayland compositor (weston) beside it, as
#         on a Wayland desktop: the program must still open on X.
# Usage: run_e2e.sh DESKTOP PROGRAM
set -uo pipefail
export desktop=$1 program
program=$(realpath "$2")
work=$(mktemp -d)
# timeout leads a process group of its own, which the accessibility bus daemons stay in when
# they leave their parent; its deadline comes before ctest's, so that this clean-up still runs.
trap 'kill -- -${session:-0} ${wm:-} ${xvfb:-} 2>/dev/null; wait; rm -rf "$work"' EXIT
trap 'exit 143' INT TERM HUP
export XDG_RUNTIME_DIR="$work" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 session_py work
session_py="$(dirname "$(realpath "$0")")/e2e_session.py"
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS QT_QPA_PLATFORM

# The session, once the window manager manages windows (mutter takes a while after it first
# claims the screen); its outcome goes to a file, as a compositor that runs it may not pass it on.
session() {
    until [ "$desktop" = bare ] || xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null | grep -q "window id"; do
        sleep 0.1
    done
    /usr/bin/python3 -u "$session_py" "$desktop" "$program" >"$work/session.log" 2>&1
    echo $? >"$work/status"
}
export -f session
run() {
    timeout -k 5 80 dbus-run-session -- "$@" 2>>"$work/x.log" &
    session=$!
    wait $session
    cat "$work/session.log" 2>/dev/null
    status=$(cat "$work/status" 2>/dev/null || echo 1)
    [ "$status" -eq 0 ] || cat "$work/x.log" >&2
    exit "$status"
}

case $desktop in
mutter-wayland) run mutter --wayland --headless --virtual-monitor 1024x768 -- bash -c session ;;
kwin-wayland) run kwin_wayland --virtual --xwayland --exit-with-session "bash -c session" ;;
esac

# Xvfb picks a free display and writes its number once it accepts connections. -noreset: a
# server that resets when its last client leaves drops whoever connects meanwhile.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/x.log" &
xvfb=$!
until grep -qx '[0-9]\+' "$work/display"; do kill -0 $xvfb || exit 1; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
case $desktop in
openbox) openbox --sm-disable ;;
mutter) dbus-run-session -- mutter --x11 --replace --sm-disable ;;
icewm) icewm ;;
kwin) dbus-run-session -- kwin_x11 --replace ;;
bare) weston --backend=headless-backend.so --socket=wayland-durnoval --idle-time=0 ;;
*) echo "no such desktop: $desktop" >&2; exit 2 ;;
esac >>"$work/x.log" 2>&1 &
wm=$!
if [ "$desktop" = bare ]; then
    until [ -S "$work/wayland-durnoval" ]; do kill -0 $wm || exit 1; sleep 0.1; done
    export WAYLAND_DISPLAY=wayland-durnoval XDG_SESSION_TYPE=wayland
fi
run bash -c session
