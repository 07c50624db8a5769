#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian/Ubuntu packages the build, the program and its tests need.
# Does nothing when all of them are present.
set -euo pipefail

packages=(
    # build; rsvg-convert draws the larger icons from the scalable one
    cmake make g++ pkg-config librsvg2-bin
    # core tests
    libgtest-dev
    # the windows: Qt 6 Widgets (with Qt Test), libxcb for the window manager hints Qt has no
    # flag for, and faces with the design fonts' metrics
    qt6-base-dev libxcb1-dev
    fonts-liberation2
    fonts-comic-neue
    # desktop integration checks, the manual page check (man) and the Debian package, checked
    # with lintian by make check
    desktop-file-utils
    appstream
    man-db
    dpkg-dev
    lintian
    # end-to-end test on a real X server, under a window manager
    xvfb openbox xdotool x11-utils dbus at-spi2-core python3-pyatspi procps
    # make check: clang's libFuzzer and sanitizer runtimes
    clang libclang-rt-14-dev
    # measurements: Google Benchmark, and X access for the start-up script
    libbenchmark-dev python3-xlib
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq "${missing[@]}"
