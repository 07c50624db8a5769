#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a fresh Debian root (minbase) with debootstrap, clones this checkout's committed HEAD
# into it, runs make there (make test unless other targets are given) as a new user would,
# reports the outcome and the time, and removes the root again. Needs root or sudo. Whatever
# it mounts lives in a mount namespace of its own, private both ways, so that neither an
# interruption nor its clean-up can reach the host's mounts, and the kernel drops them all
# with the namespace.
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
if [ -z "${DURNOVAL_COMMIT:-}" ]; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    exec "${sudo[@]}" env DURNOVAL_REPO="$repo" DURNOVAL_COMMIT="$commit" CI="${CI:-}" \
        DEBIAN_ROOT_PARENT="${DEBIAN_ROOT_PARENT:-/var/tmp}" \
        unshare --mount --propagation private -- "$0" "$release" "${targets[@]}"
fi
# Root from here on, in the namespace of its own.
type -P debootstrap >/dev/null ||
    { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap; }

# The first Debian mirror this machine's own apt uses.
mirror=$(apt-get indextargets --format '$(REPO_URI)' | awk '!/security/ && !found++')
root=$(mktemp -d "$DEBIAN_ROOT_PARENT/durnoval-$release.XXXXXX")
# The root a mount point of its own from the start, as in a packager's build root (only then
# can the tests make the mount namespace for a /proc of their own): one recursive unmount then
# takes all below it, debootstrap's mounts too, lazily where still busy, and rm stays on the
# root's own file system.
trap 'umount -R -l "$root" || :; rm -rf --one-file-system "$root" "$root.log"' EXIT
trap 'exit 143' INT TERM HUP
mount --bind "$root" "$root"

SECONDS=0
echo "debootstrap $release into $root from ${mirror:?no Debian mirror found in /etc/apt}"
debootstrap --variant=minbase --include=git,make,ca-certificates,sudo "$release" "$root" \
    "$mirror" >"$root.log" 2>&1 || { tail -n 20 "$root.log" >&2; exit 1; }
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
mount --rbind /sys "$root/sys"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# A mirror that is a snapshot serves unstable's Release file past its Valid-Until date, which apt
# refuses unless told; stable releases carry no such date.
[ "$release" != unstable ] ||
    echo 'Acquire::Check-Valid-Until "false";' >"$root/etc/apt/apt.conf.d/80snapshot"
# The committed HEAD only: uncommitted changes are not what a new user would clone.
git clone -q --no-checkout "$repo" "$root/root/durnoval"
git -C "$root/root/durnoval" -c advice.detachedHead=false checkout -q "$commit"

echo "make ${targets[*]} on $release at ${commit:0:12}"
if chroot "$root" env -i -C /root/durnoval HOME=/root LANG=C.UTF-8 TERM=dumb CI="${CI:-}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin make "${targets[@]}"; then
    echo "$release: make ${targets[*]} passed in $SECONDS s"
else
    status=$?
    echo "$release: make ${targets[*]} FAILED (status $status) after $SECONDS s"
    exit $status
fi
