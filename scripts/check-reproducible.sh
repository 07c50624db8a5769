#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the package twice from the committed HEAD with make package, in two clones at
# different paths, the second with another umask and another time zone, and checks that the two
# .deb files are the same byte for byte. When they differ, it shows how: with diffoscope where
# that is installed, else by the files' listings and contents. Removes what it made, but for the
# first build's packages, which it leaves in KEEP when given.
# Usage: scripts/check-reproducible.sh [KEEP]   Environment: JOBS (default: the number of
# cores), TMPDIR (where the clones go, default /tmp).
set -euo pipefail

repo=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)
commit=$(git -C "$repo" rev-parse HEAD)
git -C "$repo" diff --quiet HEAD ||
    echo "note: checking the commit $commit; changes not committed are not in it" >&2

work=$(mktemp -d "${TMPDIR:-/tmp}/durnoval-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 143' INT TERM HUP

# build NAME: the package from a clone of the commit in $work/NAME (without the tests, which the
# package does not hold); the log stays in $work/NAME.log.
build() {
    git clone -q "$repo" "$work/$1"
    git -C "$work/$1" checkout -q --detach "$commit"
    echo "building the package in $work/$1"
    DEB_BUILD_OPTIONS="nocheck parallel=${JOBS:-$(nproc)}" \
        make -C "$work/$1" package BUILD_DIR=build >"$work/$1.log" 2>&1 ||
        { tail -n 30 "$work/$1.log"; exit 1; }
}

SECONDS=0
build first
(umask 002 && TZ=Pacific/Kiritimati build second-clone-at-a-longer-path)
echo "built twice in $SECONDS s"
a=$(echo "$work"/first/build/package/durnoval_*.deb)
b=$(echo "$work"/second-clone-at-a-longer-path/build/package/durnoval_*.deb)
sha256sum "$a" "$b" | sed "s|$work/||"

if cmp "$a" "$b"; then
    echo "reproducible: the two packages of $commit are the same"
    [ -z "${1:-}" ] || { rm -rf "$1" && mv "$work/first/build/package" "$1"; }
    exit 0
fi
echo "NOT reproducible: the two packages of $commit differ" >&2
set +e # each comparison below fails, as the packages differ
if type -P diffoscope >/dev/null; then
    diffoscope "$a" "$b" >&2
else
    diff <(dpkg-deb --contents "$a") <(dpkg-deb --contents "$b") >&2
    dpkg-deb --raw-extract "$a" "$work/a" && dpkg-deb --raw-extract "$b" "$work/b"
    diff -r "$work/a" "$work/b" >&2
fi
exit 1
