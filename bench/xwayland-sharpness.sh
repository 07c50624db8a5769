#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What opening on X costs on a scaled Wayland screen: a headless weston at scale 2 with XWayland
# shows the main window once through XWayland (the program's choice) and once on native Wayland
# (-platform wayland), and the title line's text is measured in each screenshot: the share of its
# inked pixels that are half-tones, and how steep its sharpest edges are. A compositor that
# scales an X window up draws soft text: more half-tones, shallower edges.
# Usage: bench/xwayland-sharpness.sh [build-dir]
# Needs weston, xwayland, qt6-wayland and python3-pil (Debian packages).
set -euo pipefail
program="$(cd "${1:-build}" && pwd)/app/durnoval"
own="$(cd "$(dirname "$0")/.." && pwd)/scripts/own-environment.sh"
work=$(mktemp -d)
chmod 700 "$work"
trap 'kill $(jobs -p) 2>/dev/null; wait; rm -rf "$work"' EXIT

shoot() { # PLATFORM: a screenshot of the main window on it, as PLATFORM.png
    rm -f "$work"/wayland-screenshot*.png "$work/weston.log"
    (cd "$work" && exec env XDG_RUNTIME_DIR="$work" weston --backend=headless-backend.so \
        --use-pixman --width=1024 --height=768 --scale=2 --xwayland --debug --socket=wl-bench \
        --idle-time=0 >"$work/weston.log" 2>&1) &
    local weston=$! display="" tries=0
    until [ -n "$display" ]; do
        sleep 0.1
        [ $((tries += 1)) -le 300 ] || { echo "weston's XWayland did not start within 30 s" >&2; exit 1; }
        display=$(grep -o 'listening on display :[0-9]*' "$work/weston.log" | grep -o ':[0-9]*' || true)
    done
    "$own" --fonts env XDG_RUNTIME_DIR="$work" WAYLAND_DISPLAY=wl-bench DISPLAY="$display" \
        "$program" -platform "$1" &
    local shown=$!
    sleep 4 # the window drawn, whichever way it went
    (cd "$work" && XDG_RUNTIME_DIR="$work" WAYLAND_DISPLAY=wl-bench timeout 20 weston-screenshooter)
    mv "$work"/wayland-screenshot*.png "$work/$1.png"
    kill $shown $weston
    wait $shown $weston 2>/dev/null || true
}
shoot xcb
shoot wayland

/usr/bin/python3 - "$work" <<'PYTHON'
import sys
from PIL import Image

for platform in ("xcb", "wayland"):
    shot = Image.open(f"{sys.argv[1]}/{platform}.png").convert("L")
    # The window is the light part of the screen; its title line is its boldest 40-pixel band.
    left, top, right, bottom = Image.eval(shot, lambda v: 255 if v >= 225 else 0).getbbox()
    window = shot.crop((left, top, right, bottom))
    dark = [sum(window.getpixel((x, y)) < 64 for x in range(window.size[0])) for y in range(window.size[1])]
    band = max(range(len(dark) - 40), key=lambda y: sum(dark[y:y + 40]))
    line = window.crop((0, band, window.size[0], band + 40))
    inked = [v for v in line.getdata() if v < 200]
    halftones = sum(64 <= v < 192 for v in inked)
    px, (w, h) = line.load(), line.size
    steps = sorted(abs(px[x + 1, y] - px[x, y]) for y in range(h) for x in range(w - 1))
    steepest = steps[-len(steps) // 50:]
    print(f"{'XWayland' if platform == 'xcb' else 'Wayland'}: {100 * halftones // len(inked)} % of the "
          f"title's inked pixels are half-tones; its steepest 2 % of steps average "
          f"{sum(steepest) // len(steepest)} grey levels per pixel")
PYTHON
