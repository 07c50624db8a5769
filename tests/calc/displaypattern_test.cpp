// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/displaypattern.h"

#include <gtest/gtest.h>

#include <string>

namespace durnoval {
namespace {

TEST(FormatWithPattern, WritesTheDisplayText) {
    const struct {
        const char *name;
        double value;
        const char *pattern;
        std::string expected;
    } rows[] = {// clang-format off
        {"diameter", 25.5245, "##.#", "25.5"}, {"rounds to whole", 23.9785, "##.#", "24."},
        {"below one", 0.46, "##.#", ".5"}, {"rounds to zero", 0.04, "##.#", "."}, {"zero", 0.0, "##.#", "."},
        {"wider than the pattern", 123.4, "##.#", "123.4"}, {"carries", 99.96, "##.#", "100."},
        {"beyond 15 digits", 1e20, "##.#", "100000000000000000000."}, {"negative", -25.5245, "##.#", "-25.5"},
        {"percent", 0.9921568627450981, "##%", "99%"}, {"percent above", 1.0625, "##%", "106%"},
        {"percent to zero", 0.004, "##%", "%"}, {"speed", 59.529411764705884, "##mph", "60mph"},
        {"speed to zero", 0.3, "##mph", "mph"},
        // An exact half goes away from zero, judged on 15 significant digits: these doubles
        // lie a hair below their decimal halves, or (the last) below a half at 15 digits.
        {"0.15 up", 0.15, "##.#", ".2"}, {"112.5% up", 27.0 / 24.0, "##%", "113%"}, {"28.5% up", 0.285, "##%", "29%"},
        {"below half", 0.1499, "##.#", ".1"}, {"below half at 15 digits", 0.0499999999999999, "##.#", "."}};
    // clang-format on
    for (const auto &[name, value, pattern, expected] : rows)
        EXPECT_EQ(FormatWithPattern(value, pattern), expected) << name;
}

} // namespace
} // namespace durnoval
