#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs e2e_session.py against the program on a private X server (Xvfb) under a window manager
# (openbox), with a private D-Bus session bus, and stops all of it however the session ends.
# Usage: run_e2e.sh PROGRAM
set -uo pipefail
program=$(realpath "$1")
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
export DISPLAY=":$(cat "$work/display")" XDG_RUNTIME_DIR="$work"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
openbox --sm-disable 2>>"$work/x.log" &
wm=$!
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window; do sleep 0.1; done

timeout -k 5 60 dbus-run-session -- /usr/bin/python3 -u "$(dirname "$0")/e2e_session.py" "$program" &
session=$!
wait $session || { status=$?; cat "$work/x.log" >&2; exit $status; }
