// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/numbertext.h"

#include <gtest/gtest.h>

#include <span>
#include <string>

namespace durnoval {
namespace {

constexpr auto kNotANumber = CalcError::TypeMismatch;
constexpr auto kTooLarge = CalcError::Overflow;

template <typename Number> struct Row {
    const char *name;
    std::string text;
    Result<Number> expected;
};

template <typename Number>
void check(Result<Number> (*convert)(std::string_view), std::span<const Row<Number>> rows) {
    for (const auto &[name, text, expected] : rows)
        EXPECT_EQ(convert(text), expected) << name << ": '" << text << "'";
}

const std::string kTail(10000, '0');

// clang-format off
TEST(IntegerFromText, RoundsHalvesToEvenWithinSixteenBitsAndRejectsAnythingElse) {
    const Row<std::int16_t> rows[] = {
        {"plain", "14", 14}, {"leading zero", "014", 14}, {"point last", "5.", 5}, {"point first", ".5", 0},
        {"zero", "0.0", 0}, {"long tail", "14." + kTail, 14}, {"half up to even", "1.5", 2},
        {"half down to even", "2.5", 2}, {"14.5 to even", "14.5", 14}, {"15.5 to even", "15.5", 16},
        {"half with zeros", "2.50000", 2}, {"above half", "2.51", 3}, {"2.6", "2.6", 3}, {"3.4", "3.4", 3},
        {"a hair above half", "0.50000000000000000001", 1}, {"a hair below half", "0.49999999999999999999", 0},
        {"largest, padded", "000032767.000", 32767}, {"largest, below half", "32767.4999", 32767},
        {"largest half to even", "32766.5", 32766},
        {"one past", "32768", kTooLarge}, {"half past, to even", "32767.5", kTooLarge},
        {"far past", "100000", kTooLarge}, {"long digits", "9" + kTail + ".5", kTooLarge},
        // Digits with at most one point, nothing else: pasted text of any other form.
        {"empty", "", kNotANumber}, {"point", ".", kNotANumber}, {"two points", "..", kNotANumber},
        {"two decimal points", "1.2.3", kNotANumber}, {"leading blank", " 14", kNotANumber},
        {"minus", "-14", kNotANumber}, {"decimal comma", "14,5", kNotANumber},
        {"NUL", std::string("14\0", 3), kNotANumber}, {"Arabic-Indic digit", "\xd9\xa1", kNotANumber}};
    check<std::int16_t>(IntegerFromText, rows);
}

TEST(DoubleFromText, ReadsTheDecimalTextCorrectlyRoundedAndRejectsAnythingElse) {
    const Row<double> rows[] = {
        {"one decimal", "25.5", 25.5}, {"point last", "25.", 25.0}, {"point first", ".5", 0.5},
        {"14.5", "14.5", 14.5}, {"inexact", "0.1", 0.1}, {"underflow", "0." + std::string(400, '0') + "1", 0.0},
        {"long tail", "1." + kTail + "1", 1.0},
        {"overflow", std::string(400, '9'), kTooLarge}, {"point", ".", kNotANumber}, {"empty", "", kNotANumber},
        {"two points", "1.2.3", kNotANumber}, {"exponent", "1e5", kNotANumber}, {"infinity", "inf", kNotANumber},
        {"percentage", "99%", kNotANumber}};
    check<double>(DoubleFromText, rows);
}
// clang-format on

} // namespace
} // namespace durnoval
