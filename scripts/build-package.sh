#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian source and binary packages as a distribution does: from the source release
# (make dist's tarball of the committed HEAD) with the packaging in packaging/debian, by
# dpkg-buildpackage. Needs dpkg-dev, debhelper and the build dependencies packaging/debian/control
# lists (make deps LEVEL=check installs them). Writes into OUTPUT, which it empties first.
# Usage: scripts/build-package.sh TARBALL OUTPUT   Environment: DEB_BUILD_OPTIONS as dpkg's.
set -euo pipefail

tarball=$(realpath "${1:?usage: $0 TARBALL OUTPUT}")
output=${2:?usage: $0 TARBALL OUTPUT}
name=$(basename "$tarball" .tar.xz) # durnoval-4.02

rm -rf "$output"
mkdir -p "$output"
cp "$tarball" "$output/durnoval_${name#durnoval-}.orig.tar.xz"
tar -xf "$tarball" -C "$output"
cd "$output/$name"
cp -r packaging/debian debian
dpkg-buildpackage --unsigned-source --unsigned-changes
