#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the calc driver's throughput on one million lines of six empty entries (every line
# runs the whole calculation). Usage: bench/driver-throughput.sh [build-dir]
set -euo pipefail
driver="${1:-build}/tools/durnoval-calc-driver"
lines=1000000
input=$(mktemp)
trap 'rm -f "$input"' EXIT
awk -v n="$lines" 'BEGIN { for (i = 0; i < n; i++) print "\t\t\t\t\t" }' >"$input"
best=
for _ in 1 2 3; do
    start=$(date +%s%N)
    "$driver" <"$input" >/dev/null
    elapsed=$(($(date +%s%N) - start))
    if [ -z "$best" ] || [ "$elapsed" -lt "$best" ]; then best=$elapsed; fi
done
awk -v n="$lines" -v ns="$best" \
    'BEGIN { printf "%d lines in %.3f s (best of 3): %.0f lines/s\n", n, ns / 1e9, n / (ns / 1e9) }'
