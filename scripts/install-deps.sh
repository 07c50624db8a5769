#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages a make target needs, and nothing it does not; each level takes
# the ones before it. Does nothing when all of them are present; lists the missing ones before
# it installs them, and never removes a package to make room. With NO_INSTALL=1, or where there
# is no dpkg and apt, it only says what is missing, and leaves it to the build to report.
# Usage: [NO_INSTALL=1] scripts/install-deps.sh [run|test|check|bench|package]   (default: test)
set -euo pipefail

# make run: build the program, and what it needs to run.
run=(
    cmake make g++ pkgconf
    # Qt 6 Widgets (with Qt Test), and libxcb for the window manager hints Qt has no flag for
    qt6-base-dev libxcb1-dev
    # rsvg-convert draws the larger desktop icons
    librsvg2-bin
    # faces with the design fonts' metrics
    fonts-liberation2 fonts-comic-neue
)
# make test: every test and tool.
test=(
    libgtest-dev
    # fc-list picks the faces the window tests draw with
    fontconfig
    # the desktop entry, the metainfo and the manual page are checked
    desktop-file-utils appstream man-db
    # the end-to-end tests on a real X server, under openbox, and beside a Wayland compositor
    # with Qt's Wayland plugin, where the program must still choose X
    xvfb xauth openbox weston qt6-wayland xdotool x11-utils dbus at-spi2-core python3-pyatspi
    procps
    # GNOME's platform theme for Qt programs, under which the program must stay one application
    # to a screen reader
    qt6-gtk-platformtheme
)
# make check: the package (debhelper), lintian and hardening-check (devscripts).
check=(
    # the end-to-end tests under GNOME's mutter (X11, and Wayland with XWayland), KDE's KWin
    # and IceWM
    mutter kwin-x11 icewm xwayland
    dpkg-dev debhelper lintian devscripts
    # the fresh Debian roots of make check-debian
    debootstrap
)
# The measurement programs: Google Benchmark, X access and instruction counts (valgrind), and
# the XWayland sharpness measurement's compositor, plugin and picture reading.
bench=(
    libbenchmark-dev python3-xlib valgrind
    weston xwayland qt6-wayland python3-pil
)

# The package's build and checks: what packaging/debian/control's Build-Depends names, without
# versions or build profiles, and the tools that build, check and test the package.
package=(
    build-essential dpkg-dev debhelper lintian autopkgtest
    $(sed -n '/^Build-Depends:/,/^[^ ]/{s/^Build-Depends://;/^[^ ]/d;p}' \
        "$(dirname "$0")/../packaging/debian/control" |
        tr ',' '\n' | sed 's/[(<].*//;s/ //g' | grep -v -e '^$' -e '^debhelper-compat$')
)

level=${1:-test}
case $level in
run) packages=("${run[@]}") ;;
test) packages=("${run[@]}" "${test[@]}") ;;
check) packages=("${run[@]}" "${test[@]}" "${check[@]}") ;;
bench) packages=("${run[@]}" "${bench[@]}") ;;
package) packages=("${package[@]}") ;;
*) echo "usage: $0 [run|test|check|bench|package]" >&2; exit 2 ;;
esac

if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
    echo "No dpkg and apt here: install the equivalents of these Debian packages:" >&2
    echo "  ${packages[*]}" >&2
    exit 0
fi
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ -n "${NO_INSTALL:-}" ]; then
    echo "Missing Debian packages (NO_INSTALL is set, so none is installed): ${missing[*]}" >&2
    exit 0
fi

echo "Installing these Debian packages and what they depend on: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends --no-remove "${missing[@]}"
