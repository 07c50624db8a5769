#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs e2e_session.py against the program on a private display under a window manager, with a
# private D-Bus session bus, within a deadline. ctest runs it in scripts/own-environment.sh, whose
# private runtime folder it works in, and which stops all it started however it ends. The desktop:
#   openbox, mutter (GNOME's, in X11 mode), icewm or kwin (KDE's kwin_x11), on Xvfb;
#   orca: openbox with the screen reader Orca, whose speech the session reads;
#   mutter-wayland, kwin-wayland: GNOME's or KDE's Wayland compositor, headless, the program on
#         its XWayland;
#   bare: Xvfb with no window manager, and a headless Wayland compositor (weston) beside it, as
#         on a Wayland desktop: the program must still open on X.
# Usage: run_e2e.sh DESKTOP PROGRAM
# Environment: DURNOVAL_E2E_SECONDS, the whole run's deadline (80 s; ctest's comes later).
# Exit status: the session's; 1 when the desktop does not start; 124 when the deadline passes;
# 77 when something needed is not installed, and the run is skipped, with one line that names it.
set -uo pipefail
export desktop=$1 program session_py work=$XDG_RUNTIME_DIR QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
program=$(realpath "$2") session_py="$(dirname "$(realpath "$0")")/e2e_session.py"
deadline=$((SECONDS + ${DURNOVAL_E2E_SECONDS:-80}))

# What each desktop runs, with the Debian packages that have it: a window manager on Xvfb, or a
# Wayland compositor that runs the session itself.
case $desktop in
openbox) wm=(openbox --sm-disable) needs=(Xvfb:xvfb openbox:openbox) ;;
orca) wm=(openbox --sm-disable) needs=(Xvfb:xvfb openbox:openbox orca:orca) ;;
mutter) wm=(dbus-run-session -- mutter --x11 --replace --sm-disable) needs=(Xvfb:xvfb mutter:mutter) ;;
icewm) wm=(icewm) needs=(Xvfb:xvfb icewm:icewm) ;;
kwin) wm=(dbus-run-session -- kwin_x11 --replace) needs=(Xvfb:xvfb kwin_x11:kwin-x11) ;;
bare) wm=(weston --backend=headless-backend.so --socket=wayland-durnoval --idle-time=0) needs=(Xvfb:xvfb weston:weston) ;;
mutter-wayland) compositor=(mutter --wayland --headless --virtual-monitor 1024x768 -- bash -c session)
    needs=(mutter:mutter Xwayland:xwayland) ;;
kwin-wayland) compositor=(kwin_wayland --virtual --xwayland --exit-with-session "bash -c session")
    needs=(kwin_wayland:kwin-wayland Xwayland:xwayland) ;;
*) echo "no such desktop: $desktop" >&2; exit 2 ;;
esac
skip() { echo "skipped: $1 is not installed (Debian: $2)"; exit 77; }
for need in "${needs[@]}" dbus-run-session:dbus xprop:x11-utils xmessage:x11-utils xdotool:xdotool; do
    command -v "${need%:*}" >/dev/null || skip "${need%:*}" "${need#*:}"
done
/usr/bin/python3 -c "import pyatspi" 2>/dev/null || skip pyatspi python3-pyatspi
fail() { echo "FAILED: $1"; cat "$work/x.log" >&2; exit "${2:-1}"; }

# The session, once the window manager manages windows (mutter takes a while after it first
# claims the screen); its outcome goes to a file, as a compositor that runs it may not pass it on.
session() {
    until [ "$desktop" = bare ] || xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null | grep -q "window id"
    do sleep 0.1; done
    /usr/bin/python3 -u "$session_py" "$desktop" "$program" >"$work/session.log" 2>&1
    echo $? >"$work/status"
}
export -f session
run() {
    timeout -k 5 $((deadline > SECONDS ? deadline - SECONDS : 1)) dbus-run-session -- "$@" 2>>"$work/x.log" &
    wait $!
    local ended=$?
    cat "$work/session.log" 2>/dev/null
    [ $ended -ne 124 ] || fail "the session had not ended by its deadline" 124
    [ -s "$work/status" ] || fail "the session did not run (status $ended)"
    [ "$(<"$work/status")" -eq 0 ] || fail "the session, status $(<"$work/status")"
    exit 0
}
# A wait for WHAT, started last, to be ready: it must still run, and the deadline be ahead.
ready() { kill -0 $! 2>/dev/null && [ $SECONDS -lt $deadline ] || fail "$1 did not start"; sleep 0.1; }

[ ! -v compositor ] || run "${compositor[@]}"
# Xvfb picks a free display and writes its number once it accepts connections. -noreset: a
# server that resets when its last client leaves drops whoever connects meanwhile.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/x.log" &
until grep -qx '[0-9]\+' "$work/display"; do ready Xvfb; done
export DISPLAY=":$(cat "$work/display")"
"${wm[@]}" >>"$work/x.log" 2>&1 &
if [ "$desktop" = bare ]; then
    until [ -S "$work/wayland-durnoval" ]; do ready weston; done
    export WAYLAND_DISPLAY=wayland-durnoval XDG_SESSION_TYPE=wayland
fi
run bash -c session
