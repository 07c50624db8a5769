// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Times the core: Calculate on the default pair (every entry empty, so defaults are written
// in), on typed entries, and the conversions and display patterns alone.

#include "calc/comparison.h"
#include "calc/displaypattern.h"
#include "calc/numbertext.h"

#include <benchmark/benchmark.h>

namespace {

using namespace durnoval;

void CalculateDefaultPair(benchmark::State &run) {
    for (auto _ : run) {
        ComparisonState state;
        benchmark::DoNotOptimize(CalculateComparison(state));
        benchmark::DoNotOptimize(state);
    }
}
BENCHMARK(CalculateDefaultPair);

void CalculateTypedEntries(benchmark::State &run) {
    for (auto _ : run) {
        ComparisonState state;
        state[Entry::OriginalWidth] = "195";
        state[Entry::OriginalWall] = "75";
        state[Entry::OriginalRim] = "14";
        state[Entry::NewWidth] = "225";
        state[Entry::NewWall] = "45";
        state[Entry::NewRim] = "16";
        benchmark::DoNotOptimize(CalculateComparison(state));
        benchmark::DoNotOptimize(state);
    }
}
BENCHMARK(CalculateTypedEntries);

void ReadEntry(benchmark::State &run) {
    for (auto _ : run)
        benchmark::DoNotOptimize(IntegerFromText("215.5"));
}
BENCHMARK(ReadEntry);

void FormatDiameter(benchmark::State &run) {
    double value = 25.5245;
    for (auto _ : run) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(FormatWithPattern(value, "##.#"));
    }
}
BENCHMARK(FormatDiameter);

} // namespace

BENCHMARK_MAIN();
