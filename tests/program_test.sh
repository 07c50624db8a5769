#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The program and the calc driver called from the command line, as users and scripts call them.
# Usage: own-environment.sh program_test.sh PROGRAM DRIVER X11_PLUGIN   (which gives it no display
# and a home of its own to work in)
set -euo pipefail
program=$1 driver=$2 x11_plugin=$3 work=$HOME
fail() { echo "FAILED: $*" >&2; exit 1; }

# Help and version need no display, nor do mistakes beside them; Qt's own options are Qt's.
[ "$("$program" -style fusion -testability --version)" = "Durnoval 4.02" ] || fail "--version"
"$program" --help | grep -q -- "--version" || fail "--help"
! "$program" --help >/dev/full 2>/dev/null || fail "--help on a full disk"
expect() { # STATUS WHAT ARGUMENTS...: the status, one line on standard error, nothing on standard output
    local status=0
    "$program" "${@:3}" >"$work/out" 2>"$work/err" || status=$?
    [ "$status" -eq "$1" ] && [ ! -s "$work/out" ] && grep -q "$2" "$work/err" &&
        [ "$(grep -c -v '^Try' "$work/err")" -eq 1 ] || fail "${*:3} status $status: $(cat "$work/err")"
}
expect 2 bogus -platform offscreen --bogus
expect 2 bogus --help --bogus
# Why no window opens: no display, no such platform plugin, or one Qt finds but cannot load:
# here a copy of the X11 plugin, found first, that needs a library nobody has.
expect 1 "cannot open a window: no display could be reached"
expect 1 'the platform plugin "doesnotexist" could not be loaded: there is no such plugin' \
    -platform doesnotexist
mkdir "$work/platforms"
LC_ALL=C sed 's/libQt6XcbQpa\.so/libNoSuchLib.so/g' "$x11_plugin" >"$work/platforms/${x11_plugin##*/}"
! cmp -s "$x11_plugin" "$work/platforms/${x11_plugin##*/}" || fail "no library to take from the X11 plugin"
QT_PLUGIN_PATH=$work expect 1 'the platform plugin "xcb" could not be loaded: .*libNoSuchLib\.so'
# Asked for, Qt's own plugin diagnostics come before it.
grep -q '^qt\.qpa\.plugin: ' <<<"$(QT_DEBUG_PLUGINS=1 QT_PLUGIN_PATH=$work "$program" 2>&1)" ||
    fail "Qt's plugin diagnostics, asked for"

# The calc driver: a fresh Calculate per line, LF or CRLF; a line of other than six fields stops it.
row=$'195\t75\t14\t215\t55\t16\t25.5\t25.3\t99%\t60mph\t1\t1\t1\t1\tok'
[ "$(printf '\t\t\t\t\t\r\n' | "$driver")" = "$row" ] || fail "driver, CRLF line"
status=0
printf '\t\t\t\t\t\n1\t2\n' | "$driver" >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 2 ] && [ "$(cat "$work/out")" = "$row" ] && grep -q "line 2" "$work/err" ||
    fail "driver, short line, status $status"
# Output lost or input unreadable is a failure, and says so.
! printf '\t\t\t\t\t\n' | "$driver" >/dev/full 2>"$work/err" && grep -q "cannot write" "$work/err" ||
    fail "driver, output lost"
! "$driver" </ 2>"$work/err" && grep -q "cannot read" "$work/err" || fail "driver, input unreadable"
