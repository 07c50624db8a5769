#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test in an environment of its own, so that nothing of the user's desktop reaches it:
# none of their variables (QT_*, desktop, locale), a private HOME, so the XDG folders are private
# too, a private runtime folder, and a fontconfig of its own, which offers no font unless the
# test draws windows; and in a PID namespace of its own, which the kernel empties when the test
# ends, however it ends.
# Usage: own-environment.sh [--fonts] [--needs PROGRAM:PACKAGE ...] [NAME=VALUE ...] COMMAND [ARG ...]
#   --fonts  offer exactly the faces the windows draw with, rendered one fixed way
#   --needs  a program the test runs, and the Debian package that has it
# When something needed is not installed, the test is skipped: one line names it, status 77.
set -euo pipefail
skip() { echo "skipped: $1"; exit 77; }
missing() { skip "$1 is not installed (Debian: $2)"; }
fonts=
[ "${1:-}" != --fonts ] || { fonts=1 && shift; }
while [ "${1:-}" = --needs ]; do command -v "${2%:*}" >/dev/null || missing "${2%:*}" "${2#*:}"; shift 2; done

# Every process the test starts, daemons that leave their parent and group included, lives in
# the namespace, and goes when its first process does: when the test has ended, on Ctrl+C, or
# when unshare itself is killed outright, as by a time-out. Even then the first process is asked
# to end (--kill-child=TERM), and asks the others first: an X server that is only killed leaves
# its lock in the shared /tmp, and enough of them keep the next from starting. Root makes one
# directly, anyone else inside a user namespace of their own. The namespace's own /proc, which
# LeakSanitizer and Orca read, is the one mount made; the others stay as they are, as a chroot's
# / may be no mount point.
namespace=(unshare --pid --kill-child=TERM --mount-proc --propagation unchanged)
[ "$(id -u)" -eq 0 ] || namespace+=(--map-current-user)
"${namespace[@]}" true 2>/dev/null || skip "the kernel gives no PID namespace here (unshare --pid)"

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT # until the namespace takes it over
mkdir -m 700 "$home/runtime" && mkdir "$home/fonts"

# The file fontconfig itself matches to each face, before it is narrowed: of two installed
# versions the newest, so fonts-liberation2 beside the older fonts-liberation keeps Liberation
# Sans in its 2.x metrics. A face it has not is matched by another, and missing.
if [ -n "$fonts" ]; then
    command -v fc-match >/dev/null || missing fc-match fontconfig
    for face in 'Liberation Sans:style=Regular|fonts-liberation2' \
        'Liberation Sans:style=Bold|fonts-liberation2' 'Comic Neue:style=Bold|fonts-comic-neue'; do
        found=$(env -i PATH="$PATH" HOME="$home" fc-match -f '%{family[0]}:style=%{style[0]}|%{file}' "${face%|*}")
        [ "${found%|*}" = "${face%|*}" ] || missing "the font ${face%|*}" "${face#*|}"
        ln -s "${found#*|}" "$home/fonts/"
    done
fi
# Three faces need no cache.
cat >"$home/fonts.conf" <<EOF
<fontconfig><dir>$home/fonts</dir>
  <match target="font"><edit name="hintstyle" mode="assign"><const>hintslight</const></edit></match></fontconfig>
EOF

# Sanitizer settings are the build's, not the desktop's, and pass through.
mapfile -t passed < <(env | grep -E '^(ASAN|UBSAN|LSAN)_OPTIONS=')

# The namespace's first process runs the test; when it ends, it asks what is left to end, gives
# it a moment, and takes the private home with it.
exec "${namespace[@]}" env -i "${passed[@]}" PATH="$PATH" LANG=C.UTF-8 HOME="$home" \
    XDG_RUNTIME_DIR="$home/runtime" FONTCONFIG_FILE="$home/fonts.conf" bash -c '
        trap "exit 130" INT
        trap "exit 143" TERM
        trap "kill -TERM -1 2>/dev/null; for _ in {1..30}; do kill -0 -1 2>/dev/null || break; sleep 0.1; done
            rm -rf \"\$HOME\"" EXIT
        env "$@" & wait $!' test "$@"
