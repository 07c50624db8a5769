#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test in an environment of its own, so that nothing of the user's desktop reaches it:
# none of their variables (QT_*, desktop, locale), a private HOME and XDG folders, and a
# fontconfig of its own, which offers no font unless the test draws windows; and stops whatever
# the test started when it ends.
# Usage: own-environment.sh [--fonts] [--needs PROGRAM:PACKAGE ...] [NAME=VALUE ...] COMMAND [ARG ...]
#   --fonts  offer exactly the faces the windows draw with, rendered one fixed way
#   --needs  a program the test runs, and the Debian package that has it
# When something needed is not installed, the test is skipped: one line names it, status 77.
set -euo pipefail
skip() { echo "skipped: $1 is not installed (Debian: $2)"; exit 77; }
fonts=
while :; do
    case ${1:-} in
    --fonts) fonts=1 && shift ;;
    --needs) command -v "${2%:*}" >/dev/null || skip "${2%:*}" "${2#*:}"; shift 2 ;;
    *) break ;;
    esac
done

home=$(mktemp -d)
# Whatever the test starts, and whatever that starts in turn, has this private home in its
# environment, even daemons that leave their parent and its process group: that is what is
# stopped when the test ends, however it ends (asked first, then made to), and nothing else.
started() { grep -lzsx "HOME=$home" /proc/[0-9]*/environ | cut -d / -f 3; }
stop() {
    for signal in TERM KILL; do
        [ -n "$(started)" ] || break
        kill -$signal $(started) 2>/dev/null || : # some may have ended meanwhile
        for _ in {1..30}; do [ -n "$(started)" ] || break 2; sleep 0.1; done
    done
    rm -rf "$home"
}
trap stop EXIT
# Killed outright (SIGKILL, as a time-out may end it), this script runs no trap: a watcher of its
# own session, and no child of it, then runs the same clean-up once this script is gone.
(setsid bash -c "$(declare -f started stop)"'
    home=$2; while kill -0 "$1" 2>/dev/null; do sleep 0.5; done; stop' watcher $$ "$home" \
    </dev/null >/dev/null 2>&1 &)
mkdir -p "$home/config" "$home/data" "$home/cache" "$home/state" "$home/runtime" "$home/fonts"
chmod 700 "$home/runtime"

# The newest installed file of each face: fonts-liberation2 beside the older fonts-liberation
# must not turn Liberation Sans into its 1.x metrics. Looked up before fontconfig is narrowed.
if [ -n "$fonts" ]; then
    command -v fc-list >/dev/null || skip fc-list fontconfig
    for face in 'Liberation Sans:style=Regular|fonts-liberation2' \
        'Liberation Sans:style=Bold|fonts-liberation2' 'Comic Neue:style=Bold|fonts-comic-neue'; do
        file=$(env -u FONTCONFIG_FILE -u FONTCONFIG_PATH HOME="$home" XDG_CONFIG_HOME="$home/config" \
            XDG_CACHE_HOME="$home/cache" fc-list -f '%{fontversion} %{file}\n' "${face%|*}" |
            sort -n | tail -n 1 | cut -d ' ' -f 2-)
        [ -n "$file" ] || skip "the font ${face%|*}" "${face#*|}"
        ln -s "$file" "$home/fonts/"
    done
fi
cat >"$home/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>$home/fonts</dir>
  <cachedir>$home/cache/fontconfig</cachedir>
  <match target="font">
    <edit name="antialias" mode="assign"><bool>true</bool></edit>
    <edit name="hinting" mode="assign"><bool>true</bool></edit>
    <edit name="hintstyle" mode="assign"><const>hintslight</const></edit>
    <edit name="autohint" mode="assign"><bool>false</bool></edit>
    <edit name="rgba" mode="assign"><const>none</const></edit>
    <edit name="lcdfilter" mode="assign"><const>lcddefault</const></edit>
  </match>
</fontconfig>
EOF

# Sanitizer settings are the build's, not the desktop's, and pass through.
passed=()
for name in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
    [ -z "${!name:-}" ] || passed+=("$name=${!name}")
done

env -i "${passed[@]}" PATH="$PATH" LANG=C.UTF-8 HOME="$home" \
    XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache" \
    XDG_STATE_HOME="$home/state" XDG_RUNTIME_DIR="$home/runtime" \
    FONTCONFIG_FILE="$home/fonts.conf" "$@"
