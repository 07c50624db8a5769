// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/displaypattern.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>

namespace durnoval {
namespace {

TEST(FormatWithPattern, WritesTheDisplayText) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    // clang-format off
    const std::tuple<double, const char *, std::string> cases[] = {
        {25.5245, "##.#", "25.5"}, {23.9785, "##.#", "24."}, {0.46, "##.#", ".5"},
        {0.04, "##.#", "."}, {0.0, "##.#", "."}, {123.4, "##.#", "123.4"}, {99.96, "##.#", "100."},
        {1e20, "##.#", "100000000000000000000."}, {2.5, "#.##", "2.5"},
        {0.9921568627450981, "##%", "99%"}, {1.0625, "##%", "106%"}, {0.004, "##%", "%"},
        {1.0, "##%", "100%"}, {59.529411764705884, "##mph", "60mph"}, {63.75, "##mph", "64mph"},
        {0.3, "##mph", "mph"}, {5.0, "$##", "$5"},
        // An exact half goes away from zero, judged on 15 significant digits: these doubles
        // lie a hair below their decimal halves, or (the last) below a half at 15 digits.
        {0.15, "##.#", ".2"}, {2.675, "#.##", "2.68"}, {27.0 / 24.0, "##%", "113%"},
        {0.285, "##%", "29%"}, {0.1499, "##.#", ".1"}, {0.0499999999999999, "##.#", "."},
        {-2.5, "##", "-3"}, {-25.5245, "##.#", "-25.5"}, {-0.04, "##.#", "."},
        {-0.125, "##%", "-13%"}, {kInfinity, "##.#", "inf"}, {-kInfinity, "##%", "-inf"},
        {std::numeric_limits<double>::quiet_NaN(), "##mph", "nan"}};
    // clang-format on
    for (const auto &[value, pattern, expected] : cases)
        EXPECT_EQ(FormatWithPattern(value, pattern), expected) << value << " " << pattern;
}

// Percent and speed for every pair of displayed diameters from 10.0 to 40.0 inches, against
// exact rational rounding, half up: floor(100 n / o + 1/2) and floor(60 n / o + 1/2).
TEST(FormatWithPattern, RatiosMatchExactRationalRounding) {
    for (long long o = 100; o <= 400; ++o)
        for (long long n = 100; n <= 400; ++n) {
            const double ratio = (n / 10.0) / (o / 10.0);
            ASSERT_EQ(FormatWithPattern(ratio, "##%"),
                      std::to_string((200 * n + o) / (2 * o)) + "%")
                << n << "/" << o;
            ASSERT_EQ(FormatWithPattern(ratio * 60, "##mph"),
                      std::to_string((120 * n + o) / (2 * o)) + "mph")
                << n << "/" << o;
        }
}

} // namespace
} // namespace durnoval
