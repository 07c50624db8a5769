#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes a fresh Debian root (minbase) with mmdebstrap, clones this checkout's committed HEAD
# into it, runs make there (make test unless other targets are given) as a new user would, and
# reports the outcome and the time. mmdebstrap mounts what the root needs in namespaces of its
# own, so that nothing reaches the host's mounts however it ends, and removes the root again.
# Needs root or sudo.
# Usage: scripts/check-debian.sh RELEASE [TARGET ...]
#   RELEASE: bookworm (12), trixie (13) or unstable
# Environment: TMPDIR, the folder the root is made in (default /var/tmp).
set -euo pipefail

release=${1:?usage: $0 RELEASE [TARGET ...]}
shift
targets=("${@:-test}")
# The first Debian mirror this machine's own apt uses.
mirror=$(apt-get indextargets --format '$(REPO_URI)' | awk '!/security/ && !found++')
export TMPDIR=${TMPDIR:-/var/tmp}
# The committed HEAD only, as a new user would clone it; a bundle, which root may read even
# where the repository is another user's.
bundle=$(mktemp --suffix=.bundle)
trap 'rm -f "$bundle"' EXIT
git -C "$(dirname "$0")" bundle create -q "$bundle" HEAD
commit=$(git -C "$(dirname "$0")" rev-parse --short=12 HEAD)

SECONDS=0
echo "make ${targets[*]} on a fresh $release root at $commit, from ${mirror:?no Debian mirror in /etc/apt}"
# A mirror that is a snapshot serves unstable's Release file past its Valid-Until date, which apt
# refuses unless told; stable releases carry no such date. sudo passes no environment on.
if $([ "$(id -u)" -eq 0 ] || echo sudo) env TMPDIR="$TMPDIR" mmdebstrap --quiet --mode=unshare \
    --variant=minbase --include=git,make,ca-certificates,sudo \
    --aptopt='Acquire::Check-Valid-Until "false"' \
    --customize-hook="copy-in $bundle /root" --customize-hook="chroot \"\$1\" git \
        -c advice.detachedHead=false clone -q /root/${bundle##*/} /root/durnoval" \
    --customize-hook="chroot \"\$1\" env -i -C /root/durnoval HOME=/root LANG=C.UTF-8 TERM=dumb \
        CI=${CI:-} PATH=/usr/sbin:/usr/bin:/sbin:/bin make ${targets[*]}" "$release" /dev/null "$mirror"
then
    echo "$release: make ${targets[*]} passed in $SECONDS s"
else
    status=$?
    echo "$release: make ${targets[*]} FAILED (status $status) after $SECONDS s"
    exit $status
fi
