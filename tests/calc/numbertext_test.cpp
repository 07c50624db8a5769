// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/numbertext.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace durnoval {
namespace {

constexpr auto kNotANumber = CalcError::TypeMismatch;
constexpr auto kTooLarge = CalcError::Overflow;

TEST(IntegerFromText, RoundsHalvesToEvenWithinSixteenBits) {
    const std::string tail(10000, '0');
    // clang-format off
    const std::pair<std::string, Result<std::int16_t>> cases[] = {
        {"14", 14}, {"014", 14}, {"5.", 5}, {".5", 0}, {"0.0", 0}, {"14." + tail, 14},
        {"1.5", 2}, {"2.5", 2}, {"14.5", 14}, {"15.5", 16}, {"2.50000", 2}, {"2.51", 3}, {"2.6", 3}, {"3.4", 3},
        {"0.50000000000000000001", 1}, {"0.49999999999999999999", 0},
        {"000032767.000", 32767}, {"32767.4999", 32767}, {"32766.5", 32766},
        {"32768", kTooLarge}, {"32767.5", kTooLarge}, {"100000", kTooLarge},
        {"9" + tail + ".5", kTooLarge},
        // Digits with at most one point, nothing else: pasted text of any other form.
        {"", kNotANumber}, {".", kNotANumber}, {"..", kNotANumber}, {"1.2.3", kNotANumber},
        {" ", kNotANumber}, {" 14", kNotANumber}, {"-14", kNotANumber}, {"+14", kNotANumber},
        {"14,5", kNotANumber}, {"1e3", kNotANumber}, {std::string("14\0", 3), kNotANumber},
        {"\xd9\xa1", kNotANumber}};
    // clang-format on
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(IntegerFromText(text), expected) << "'" << text << "'";
}

TEST(DoubleFromText, ReadsTheDecimalTextCorrectlyRounded) {
    // clang-format off
    const std::pair<std::string, Result<double>> cases[] = {
        {"25.5", 25.5}, {"25.", 25.0}, {".5", 0.5}, {"14.5", 14.5}, {"0.1", 0.1},
        {"0." + std::string(400, '0') + "1", 0.0}, {"1." + std::string(10000, '0') + "1", 1.0},
        {std::string(400, '9'), kTooLarge}, {".", kNotANumber}, {"", kNotANumber},
        {"1.2.3", kNotANumber}, {"1e5", kNotANumber}, {"inf", kNotANumber}, {"99%", kNotANumber}};
    // clang-format on
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(DoubleFromText(text), expected) << "'" << text << "'";
}

} // namespace
} // namespace durnoval
