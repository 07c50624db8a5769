#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs e2e_session.py against the program on a private X server (Xvfb) under a window manager,
# with a private D-Bus session bus, and stops all of it however the session ends. The desktop:
#   openbox, mutter (GNOME's, in X11 mode), icewm or kwin (KDE's kwin_x11);
#   bare: no window manager, and a headless Wayland compositor (weston) beside the X server, as
#         on a Wayland desktop: the program must still open on X.
# Usage: run_e2e.sh DESKTOP PROGRAM
set -uo pipefail
desktop=$1
program=$(realpath "$2")
work=$(mktemp -d)
# timeout leads a process group of its own, which the accessibility bus daemons stay in when
# they leave their parent; its deadline comes before ctest's, so that this clean-up still runs.
trap 'kill -- -${session:-0} ${wm:-} $xvfb 2>/dev/null; wait; rm -rf "$work"' EXIT
trap 'exit 143' INT TERM HUP

# Xvfb picks a free display and writes its number once it accepts connections. -noreset: a
# server that resets when its last client leaves drops whoever connects meanwhile.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/x.log" &
xvfb=$!
until grep -qx '[0-9]\+' "$work/display"; do kill -0 $xvfb || exit 1; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")" XDG_RUNTIME_DIR="$work" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS QT_QPA_PLATFORM
case $desktop in
openbox) openbox --sm-disable ;;
mutter) dbus-run-session -- mutter --x11 --replace --sm-disable ;;
icewm) icewm ;;
kwin) dbus-run-session -- kwin_x11 --replace ;;
bare) weston --backend=headless-backend.so --socket=wayland-durnoval --idle-time=0 ;;
*) echo "no such desktop: $desktop" >&2; exit 2 ;;
esac >>"$work/x.log" 2>&1 &
wm=$!
# Ready once it manages windows; mutter takes a while after it first claims the screen.
if [ "$desktop" = bare ]; then
    until [ -S "$work/wayland-durnoval" ]; do kill -0 $wm || exit 1; sleep 0.1; done
    export WAYLAND_DISPLAY=wayland-durnoval XDG_SESSION_TYPE=wayland
else
    until xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null | grep -q "window id"; do
        kill -0 $wm || { cat "$work/x.log" >&2; exit 1; }; sleep 0.1
    done
fi

timeout -k 5 80 dbus-run-session -- /usr/bin/python3 -u "$(dirname "$0")/e2e_session.py" \
    "$desktop" "$program" &
session=$!
wait $session || { status=$?; cat "$work/x.log" >&2; exit $status; }
