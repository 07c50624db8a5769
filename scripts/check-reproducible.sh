#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the package twice from the committed HEAD, as make package does, in two clones at
# different paths, the second with another umask and another time zone, and checks that the two
# .deb files are the same byte for byte. When they differ, it names the members and
# files that do, and shows how with diffoscope where that is installed. Removes what it made,
# but for the first build's packages, which it leaves in KEEP when given.
# Usage: scripts/check-reproducible.sh [KEEP]   Environment: JOBS (default: the number of
# cores), TMPDIR (where the clones go, default /tmp).
set -euo pipefail

repo=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)
commit=$(git -C "$repo" rev-parse HEAD)
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}
if [ -n "$(git -C "$repo" status --porcelain --untracked-files=no)" ]; then
    echo "note: checking the commit $commit; changes not committed are not in it" >&2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/durnoval-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 143' INT TERM HUP

# build NAME: clones the commit into $work/NAME and makes the package there, as make package
# does (without the tests, which the package does not hold); the log stays in $work/NAME.log.
build() {
    local name=$1 clone=$work/$1
    git clone -q "$repo" "$clone"
    git -C "$clone" checkout -q --detach "$commit"
    echo "building the package in $clone"
    if ! (
        cd "$clone"
        make dist
        DEB_BUILD_OPTIONS="nocheck parallel=$jobs" scripts/build-package.sh durnoval-*.tar.xz build
    ) >"$work/$name.log" 2>&1; then
        tail -n 30 "$work/$name.log" >&2
        echo "the build in $clone failed" >&2
        exit 1
    fi
}

start=$(date +%s)
build first
(umask 002 && TZ=Pacific/Kiritimati build second-clone-at-a-longer-path)
a=$(echo "$work"/first/build/durnoval_*.deb)
b=$(echo "$work"/second-clone-at-a-longer-path/build/durnoval_*.deb)
echo "built twice in $(($(date +%s) - start)) s"
sha256sum "$a" "$b" | sed "s|$work/||"

if cmp -s "$a" "$b"; then
    echo "reproducible: the two packages of $commit are the same"
    [ -z "${1:-}" ] || { rm -rf "$1" && mv "$work/first/build" "$1"; }
    exit 0
fi

echo "NOT reproducible: the two packages of $commit differ" >&2
mkdir "$work/a" "$work/b"
(cd "$work/a" && ar x "$a")
(cd "$work/b" && ar x "$b")
for member in $(ar t "$a") $(ar t "$b"); do
    cmp -s "$work/a/$member" "$work/b/$member" 2>/dev/null || echo "archive member differs: $member"
done | sort -u >&2
# The members' and the files' names, modes, owners, sizes and times, then the files' contents.
diff <(ar tv "$a") <(ar tv "$b") >&2 || true
diff <(dpkg-deb --contents "$a") <(dpkg-deb --contents "$b") >&2 || true
dpkg-deb --raw-extract "$a" "$work/a/tree"
dpkg-deb --raw-extract "$b" "$work/b/tree"
diff -r --brief "$work/a/tree" "$work/b/tree" | sed "s|$work/||g" >&2 || true
if command -v diffoscope >/dev/null; then
    diffoscope "$a" "$b" >&2 || true
else
    echo "(diffoscope, where installed, shows how they differ)" >&2
fi
exit 1
