#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages a make target needs, and nothing it does not; each level takes
# the ones before it. Does nothing when all of them are present; lists the missing ones before
# it installs them, and never removes a package to make room. With NO_INSTALL=1, or where there
# is no dpkg and apt, it only says what is missing, and leaves it to the build to report.
# Usage: [NO_INSTALL=1] scripts/install-deps.sh [run|test|check|bench]   (default: test)
set -euo pipefail

# make run: the build tools; Qt 6 Widgets (with Qt Test), and libxcb for the window manager
# hints Qt has no flag for; rsvg-convert, which draws the larger desktop icons; faces with the
# design fonts' metrics.
run=(cmake make g++ pkgconf qt6-base-dev libxcb1-dev librsvg2-bin
    fonts-liberation2 fonts-comic-neue)
# make test: GoogleTest; fc-match, which picks the faces the window tests draw with; the checks
# of the desktop entry, the metainfo and the manual page; the end-to-end tests on a real X
# server, keys, clicks and windows through the X protocol (python3-xlib), under openbox, and
# beside a Wayland compositor with Qt's Wayland plugin, where the program must still choose X;
# GNOME's platform theme for Qt programs, under which the program must stay one application to
# a screen reader; the screen reader Orca, whose speech is checked.
test=("${run[@]}" libgtest-dev fontconfig desktop-file-utils appstream man-db
    xvfb openbox weston qt6-wayland dbus at-spi2-core python3-pyatspi
    python3-xlib procps qt6-gtk-platformtheme orca)
# make check: the end-to-end tests under GNOME's mutter (X11, and Wayland with XWayland), KDE's
# KWin and IceWM; the package (debhelper), lintian and hardening-check (devscripts); the fresh
# Debian roots of make check-debian.
check=("${test[@]}" mutter kwin-x11 icewm xwayland dpkg-dev debhelper lintian devscripts
    mmdebstrap)
# The measurement programs: Google Benchmark, X access and instruction counts (valgrind), and
# the XWayland measurements' compositor, plugin, window queries and picture reading.
bench=("${run[@]}" libbenchmark-dev python3-xlib valgrind
    weston xwayland qt6-wayland xdotool x11-utils python3-pil)

level=${1:-test}
[[ $level =~ ^(run|test|check|bench)$ ]] || { echo "usage: $0 [run|test|check|bench]" >&2; exit 2; }
declare -n packages=$level

type -P dpkg-query apt-get >/dev/null ||
    { echo "No dpkg and apt here: install the equivalents of these Debian packages: ${packages[*]}" >&2; exit 0; }
# dpkg-query fails on a name it has never heard of, and lists the others all the same.
installed=$(dpkg-query -W -f='${db:Status-Status} ${Package}\n' "${packages[@]}" 2>/dev/null |
    sed -n 's/^installed //p') || :
mapfile -t missing < <(printf '%s\n' "${packages[@]}" | grep -vxF "$installed")
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Missing Debian packages: ${missing[*]}"
[ -z "${NO_INSTALL:-}" ] || { echo "(NO_INSTALL is set, so none is installed)"; exit 0; }

# Through sudo when not root, which does not pass the environment on.
sudo=$([ "$(id -u)" -eq 0 ] || echo sudo)
$sudo apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends --no-remove "${missing[@]}"
