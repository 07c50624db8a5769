// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes to the conversions and to Calculate: nothing may crash or be undefined,
// the conversions agree with independent ones, and Calculate shows only what it may.
// Input: up to six tab-separated entry texts; the same bytes also serve as one text.

#include "calc/comparison.h"
#include "calc/numbertext.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace durnoval;

namespace {

void check(bool holds, const char *what) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

void checkConversions(const std::string &text) {
    // Digits with at most one point, and at least one digit.
    const bool accepted = text.find_first_of("0123456789") != std::string::npos &&
                          text.find_first_not_of("0123456789.") == std::string::npos &&
                          text.find('.') == text.rfind('.');
    const auto integer = IntegerFromText(text);
    check(integer.ok() ? accepted : (integer.error() == CalcError::Overflow) == accepted,
          "IntegerFromText takes exactly the decimal form");
    const auto real = DoubleFromText(text);
    if (accepted && text.size() <= 30) {
        // strtod in the C locale rounds correctly too: the same double, and the nearest
        // whole number to it, when that is in range.
        const double expected = std::strtod(text.c_str(), nullptr);
        check(real.ok() && std::memcmp(&expected, &real.value(), sizeof expected) == 0,
              "DoubleFromText agrees with strtod");
        check(integer.ok() ? std::abs(integer.value() - expected) <= 0.5 : expected > 32767.49,
              "IntegerFromText rounds to the nearest whole number in range");
    }
}

void checkCalculate(const std::string &input) {
    ComparisonState state;
    std::string_view rest(input);
    for (const EntryInfo &info : kEntries) {
        const auto tab = rest.find('\t');
        state[info.entry] = rest.substr(0, tab);
        rest.remove_prefix(tab == std::string_view::npos ? rest.size() : tab + 1);
    }
    check(CalculateComparison(state).ok() == state[Output::Mph].visible,
          "success shows the speed, a failure does not");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string input(reinterpret_cast<const char *>(data), size);
    checkConversions(input);
    checkCalculate(input);
    return 0;
}
