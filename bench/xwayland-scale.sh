#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# How GNOME's and KDE's Wayland compositors at scale 2 show the program on XWayland: the size of
# the X screen and of the main window in X pixels. A window half the width a native Wayland one
# would have (964) is drawn at scale 1 and scaled up by the compositor, and so soft. Under GNOME,
# X clients learn the scale from Xft.dpi, which GNOME's settings daemon sets to 192 at scale 2.
# Usage: bench/xwayland-scale.sh [build-dir]
# Needs mutter, kwin-wayland, xwayland, x11-utils and x11-xserver-utils (Debian packages);
# KWIN_WAYLAND names a kwin_wayland to run, for a machine that refuses its file capabilities.
set -uo pipefail
export program work
program="$(cd "${1:-build}" && pwd)/app/durnoval"
own="$(cd "$(dirname "$0")/.." && pwd)/scripts/own-environment.sh"
work=$(mktemp -d)
chmod 700 "$work"
trap 'rm -rf "$work"' EXIT

measure() { # inside the compositor's session: the X screen and the main window, once shown
    until xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null | grep -q "window id"; do sleep 0.2; done
    [ -z "${XFT_DPI:-}" ] || echo "Xft.dpi: $XFT_DPI" | xrdb -merge
    "$program" &
    sleep 4
    window=$(xdotool search --onlyvisible --name '^Durnoval Calculator$' | head -n 1)
    echo "X screen $(xdpyinfo | sed -n 's/ *dimensions: *\([0-9x]*\) pixels.*/\1/p')," \
        "main window $(xwininfo -id "$window" | sed -n 's/ *Width: *//p') pixels wide" >"$work/result"
    kill $!
}
# The compositors start it as a command of their own, which the environment script's env -i would
# strip of an exported function.
{ declare -f measure; echo measure; } >"$work/measure.sh"

session() { # COMPOSITOR ARGS...: measure inside it, in an environment of its own
    rm -f "$work/result"
    "$own" --fonts env XDG_RUNTIME_DIR="$work" PATH="$PATH" XFT_DPI="${XFT_DPI:-}" program="$program" \
        work="$work" timeout 60 dbus-run-session -- "$@" >/dev/null 2>&1
    cat "$work/result" 2>/dev/null || echo "no window measured within 60 s"
}
echo "KWin on Wayland, scale 2: $(session "${KWIN_WAYLAND:-kwin_wayland}" --virtual --width 1024 \
    --height 768 --scale 2 --xwayland --exit-with-session "bash $work/measure.sh")"
echo "GNOME on Wayland (mutter), scale 2, Xft.dpi 192: $(XFT_DPI=192 session bash -c \
    'gsettings set org.gnome.desktop.interface scaling-factor 2 &&
     mutter --wayland --headless --virtual-monitor 2048x1536 -- bash "$work/measure.sh"')"
