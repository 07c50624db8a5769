#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# hardening-check on a program, requiring every protection this machine's toolchain can give.
# The linker marks a program for control-flow protection only when the C library's start-up
# code is marked too, which Debian 12's and 13's are not; branch protection exists on arm64
# alone. Where they cannot be had, those lines are shown but not required.
# Usage: scripts/check-hardening.sh PROGRAM   (CXX: the compiler that built it, default c++)
set -euo pipefail

options=()
# Read whole before matching: a grep -q that stops early would fail the pipe.
notes=$(readelf -n "$("${CXX:-c++}" -print-file-name=Scrt1.o)")
[[ $notes == *"x86 feature: IBT, SHSTK"* ]] || options+=(--nocfprotection)
# Debian 12's hardening-check has no branch protection line, nor the option.
[[ $(uname -m) != aarch64 && $(hardening-check --help 2>&1) == *--nobranchprotection* ]] &&
    options+=(--nobranchprotection)
hardening-check "${options[@]}" "$1"
