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
        state[Entry::Width] = "195";
        state[Entry::Wall] = "75";
        state[Entry::Rim] = "14";
        state[Entry::Width2] = "225";
        state[Entry::Wall2] = "45";
        state[Entry::Rim2] = "16";
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
