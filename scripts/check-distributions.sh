#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program and its tests as Fedora's and Arch's package builds do, with their usual
# flags and generators, each in a fresh folder; the build must give no warning, and every test
# but the end-to-end sessions must pass (ctest -LE e2e). Arch's build maps the source folder
# for its debug package: the debug information must name the sources by that mapping only.
# Usage: scripts/check-distributions.sh [FOLDER]   (default build/distributions)
# Environment: JOBS, build jobs and tests run at once (default: nproc).
set -euo pipefail

source=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)
parent=$(realpath -m "${1:-$source/build/distributions}")
jobs=${JOBS:-$(nproc)}
mkdir -p "$parent"
fail() { echo "FAILED: $*"; exit 1; }

# The parts of both distributions' flags that name this machine's processor family.
x86=()
[ "$(uname -m)" != x86_64 ] || x86=(-mtune=generic -mno-omit-leaf-frame-pointer)

# NAME GENERATOR CMAKE-OPTIONS...: builds with CXXFLAGS and LDFLAGS as set, then tests.
build() {
    local name=$1 generator=$2 dir=$parent/$1 log=$parent/$1.log
    shift 2
    rm -rf "$dir"
    echo "$name: building in $dir"
    { cmake -S "$source" -B "$dir" -G "$generator" -DBUILD_TESTING=ON "$@" &&
        cmake --build "$dir" -j "$jobs"; } >"$log" 2>&1 ||
        { tail -30 "$log"; fail "$name: the build, all of it in $log"; }
    if grep -E "warning:|CMake Warning" "$log"; then fail "$name: warnings, all in $log"; fi
    ctest --test-dir "$dir" -LE e2e -j "$jobs" --output-on-failure || fail "$name: tests"
}

# Fedora's usual compiler and linker flags for packages, as its CMake macro passes them, with
# its shared-libraries default; its compiler wrapper files are Fedora's own and left out.
fedora=(-O2 -flto=auto -ffat-lto-objects -fexceptions -g -grecord-gcc-switches -pipe -Wall
    -Werror=format-security -Wp,-U_FORTIFY_SOURCE,-D_FORTIFY_SOURCE=3 -Wp,-D_GLIBCXX_ASSERTIONS
    -fstack-protector-strong -fasynchronous-unwind-tables -fstack-clash-protection -fcf-protection
    -fno-omit-frame-pointer "${x86[@]}")
CXXFLAGS="${fedora[*]}" LDFLAGS="-Wl,-z,relro -Wl,--as-needed -Wl,-z,now -flto=auto" \
    build fedora "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_SHARED_LIBS=ON

# Arch's makepkg.conf, its debug option's source mapping, and the Ninja its packages use.
arch_sources=/usr/src/debug/durnoval
arch=(-O2 -pipe -fno-plt -fexceptions -Wp,-D_FORTIFY_SOURCE=3 -Wformat -Werror=format-security
    -fstack-clash-protection -fcf-protection -fno-omit-frame-pointer "${x86[@]}"
    -Wp,-D_GLIBCXX_ASSERTIONS -g "-ffile-prefix-map=$source=$arch_sources")
CXXFLAGS="${arch[*]}" LDFLAGS="-Wl,-O1 -Wl,--sort-common -Wl,--as-needed -Wl,-z,relro -Wl,-z,now" \
    build arch Ninja -DCMAKE_BUILD_TYPE=None

# Every path the debug information names: none in the source folder, and some in the mapping.
paths=$(readelf --debug-dump=info "$parent/arch/app/durnoval" | grep -E "DW_AT_(comp_dir|name) .*/")
! grep -F "$source" <<<"$paths" && grep -qF "$arch_sources/" <<<"$paths" ||
    fail "arch: the debug information does not name the sources by $arch_sources only"
echo "passed: the Fedora and Arch builds; Arch's debug information names $arch_sources/ only"
