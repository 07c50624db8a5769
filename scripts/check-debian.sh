#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a fresh Debian root (minbase) with debootstrap, clones this checkout's committed HEAD
# into it, runs make there (make test unless other targets are given) as a new user would,
# reports the outcome and the time, and removes the root again. Needs root or sudo. Whatever
# it mounts lives in a mount namespace of its own, private both ways, so that neither an
# interruption nor its clean-up can reach the host's mounts.
# Usage: scripts/check-debian.sh RELEASE [TARGET ...]
#   RELEASE: bookworm (12), trixie (13) or unstable
# Environment: DEBIAN_ROOT_PARENT, the folder the root is made in (default /var/tmp).
set -euo pipefail

release=${1:?usage: $0 RELEASE [TARGET ...]}
shift
targets=("${@:-test}")
# Read as the caller: root may not read another user's repository.
repo=${DURNOVAL_REPO:-$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)}
commit=${DURNOVAL_COMMIT:-$(git -C "$repo" rev-parse HEAD)}

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
if [ -z "${DURNOVAL_COMMIT:-}" ]; then
    exec "${sudo[@]}" env DURNOVAL_REPO="$repo" DURNOVAL_COMMIT="$commit" CI="${CI:-}" \
        unshare --mount --propagation private -- "$0" "$release" "${targets[@]}"
fi
if ! command -v debootstrap >/dev/null; then
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq debootstrap >/dev/null
fi

# The Debian mirror this machine's own apt uses.
mirror=$(cat /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null |
    awk '/^(URIs:|deb) +[a-z]+:\/\// && $2 !~ /security/ { print $2; exit }' || true)
[ -n "$mirror" ] || { echo "no Debian mirror found in /etc/apt" >&2; exit 2; }

root=$(mktemp -d "${DEBIAN_ROOT_PARENT:-/var/tmp}/durnoval-$release.XXXXXX")

mounted_below() { findmnt -rn -o TARGET | awk -v root="$root" '$0 == root || index($0, root "/") == 1'; }
clean_up() {
    # Deepest first, the root itself last; in this namespace none of them is the host's.
    mounted_below | sort -r | while read -r target; do
        "${sudo[@]}" umount "$target" 2>/dev/null || "${sudo[@]}" umount -l "$target"
    done
    if [ -n "$(mounted_below)" ]; then
        echo "still mounted under $root, left in place:" >&2
        mounted_below >&2
        return 1
    fi
    "${sudo[@]}" rm -rf --one-file-system "$root" "$root.log"
}
trap 'clean_up || exit 1' EXIT
trap 'exit 143' INT TERM HUP

start=$(date +%s)
echo "debootstrap $release into $root from $mirror"
"${sudo[@]}" debootstrap --variant=minbase --include=git,make,ca-certificates,sudo \
    "$release" "$root" "$mirror" >"$root.log" 2>&1 || { tail -20 "$root.log" >&2; exit 1; }
rm -f "$root.log"

# The root a mount point of its own, as in a packager's build root: only then can the tests make
# the mount namespace for a /proc of their own.
"${sudo[@]}" mount --bind "$root" "$root"
"${sudo[@]}" mount -t proc proc "$root/proc"
for shared in dev sys; do
    "${sudo[@]}" mount --rbind "/$shared" "$root/$shared"
done
"${sudo[@]}" cp /etc/resolv.conf "$root/etc/resolv.conf"
# A mirror that is a snapshot serves unstable's Release file past its Valid-Until date, which apt
# refuses unless told; stable releases carry no such date.
[ "$release" != unstable ] ||
    echo 'Acquire::Check-Valid-Until "false";' | "${sudo[@]}" tee "$root/etc/apt/apt.conf.d/80snapshot" >/dev/null

# The committed HEAD only: uncommitted changes are not what a new user would clone.
"${sudo[@]}" git clone -q --no-checkout "$repo" "$root/root/durnoval"
"${sudo[@]}" git -C "$root/root/durnoval" -c advice.detachedHead=false checkout -q "$commit"

echo "make ${targets[*]} on $release at ${commit:0:12}"
status=0
"${sudo[@]}" chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb CI="${CI:-}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c 'cd /root/durnoval && make "$@"' make "${targets[@]}" || status=$?

elapsed=$(($(date +%s) - start))
if [ $status -eq 0 ]; then
    echo "$release: make ${targets[*]} passed in ${elapsed} s"
else
    echo "$release: make ${targets[*]} FAILED (status $status) after ${elapsed} s"
fi
exit $status
