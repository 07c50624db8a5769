#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test in an environment of its own, so that nothing of the user's desktop reaches it:
# none of their variables (QT_*, desktop, locale), a private HOME and XDG folders, and
# fontconfig offering exactly the faces the windows draw with, rendered one fixed way.
# Usage: own-environment.sh [NAME=VALUE ...] COMMAND [ARG ...]
set -euo pipefail

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/config" "$home/data" "$home/cache" "$home/state" "$home/runtime" "$home/fonts"
chmod 700 "$home/runtime"

# The newest installed file of each face: fonts-liberation2 beside the older fonts-liberation
# must not turn Liberation Sans into its 1.x metrics. Looked up before fontconfig is narrowed.
for face in 'Liberation Sans:style=Regular' 'Liberation Sans:style=Bold' 'Comic Neue:style=Bold'; do
    file=$(env -u FONTCONFIG_FILE -u FONTCONFIG_PATH HOME="$home" XDG_CONFIG_HOME="$home/config" \
        XDG_CACHE_HOME="$home/cache" fc-list -f '%{fontversion} %{file}\n' "$face" |
        sort -n | tail -n 1 | cut -d ' ' -f 2-)
    [ -n "$file" ] || { echo "$face is not installed; scripts/install-deps.sh installs it" >&2; exit 1; }
    ln -s "$file" "$home/fonts/"
done
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
