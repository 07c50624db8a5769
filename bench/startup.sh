#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time and peak memory of Durnoval's main window against a bare Qt window with a menu
# bar and as many controls, on a private Xvfb. Usage: bench/startup.sh [runs] [build-dir]
# Needs xvfb and python3-xlib (Debian packages) and a build with -DDURNOVAL_BENCHMARKS=ON.
set -euo pipefail
runs="${1:-15}"
build="$(cd "${2:-build}" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"

display_file=$(mktemp)
Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp 4>"$display_file" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -f "$display_file"' EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.05; done
[ -s "$display_file" ] || { echo "Xvfb did not start within 5 s" >&2; exit 1; }
export DISPLAY=":$(cat "$display_file")"
export QT_QPA_PLATFORM=xcb

/usr/bin/python3 "$here/startup.py" "$runs" "$build/app/durnoval" "$build/bench/bare_qt_window"
