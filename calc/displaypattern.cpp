// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/displaypattern.h"

#include <array>
#include <charconv>
#include <cmath>

namespace durnoval {
namespace {

// A non-negative decimal as its integer and fraction digits.
struct FixedDecimal {
    std::string integerDigits;
    std::string fractionDigits;
};

// An exact half is judged on the value's decimal form of 15 significant digits, not on the
// double itself: 0.15 is stored as 0.1499999999999999944..., yet every reader of the display
// expects '.2', and 27 / 24 * 100 must show '113%' even when the arithmetic lands a hair
// below 112.5. Fifteen digits is all a double carries reliably, so the tail below it is noise.
constexpr int kSignificantDigits = 15;

// |value| x 10^shift as a fixed-point decimal of 15 significant digits.
FixedDecimal toFixedDecimal(double value, int shift) {
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), std::fabs(value),
                                   std::chars_format::scientific, kSignificantDigits - 1)
                         .ptr;
    // "d.dddddddddddddde+XX": the digits without their point, then the exponent.
    std::string digits;
    const char *p = text.data();
    for (; *p != 'e'; ++p)
        if (*p != '.')
            digits += *p;
    int exponent = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), end, exponent);

    const int pointAt = exponent + 1 + shift; // digits before the decimal point
    const int size = static_cast<int>(digits.size());
    if (pointAt >= size)
        return {digits + std::string(pointAt - size, '0'), ""};
    if (pointAt <= 0)
        return {"", std::string(-pointAt, '0') + digits};
    return {digits.substr(0, pointAt), digits.substr(pointAt)};
}

// Adds one unit in the last place of integer digits followed by fraction digits.
void incrementLastPlace(FixedDecimal &number) {
    auto carryInto = [](std::string &digits) {
        for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
            if (*it != '9') {
                ++*it;
                return false;
            }
            *it = '0';
        }
        return true;
    };
    if (carryInto(number.fractionDigits) && carryInto(number.integerDigits))
        number.integerDigits.insert(number.integerDigits.begin(), '1');
}

void roundHalfAwayFromZero(FixedDecimal &number, std::size_t decimals) {
    if (number.fractionDigits.size() <= decimals)
        return;
    const bool up = number.fractionDigits[decimals] >= '5';
    number.fractionDigits.resize(decimals);
    if (up)
        incrementLastPlace(number);
}

void trim(FixedDecimal &number) {
    const auto firstSignificant = number.integerDigits.find_first_not_of('0');
    number.integerDigits.erase(0, std::min(firstSignificant, number.integerDigits.size()));
    const auto lastSignificant = number.fractionDigits.find_last_not_of('0');
    number.fractionDigits.erase(lastSignificant == std::string::npos ? 0 : lastSignificant + 1);
}

} // namespace

std::string FormatWithPattern(double value, std::string_view pattern) {
    if (!std::isfinite(value))
        return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");

    const auto first = pattern.find_first_of("#.");
    const auto last = pattern.find_last_of("#.");
    const auto prefix = pattern.substr(0, first);
    const auto placeholders = first == std::string_view::npos
                                  ? std::string_view{}
                                  : pattern.substr(first, last - first + 1);
    const auto suffix =
        last == std::string_view::npos ? std::string_view{} : pattern.substr(last + 1);

    const auto point = placeholders.find('.');
    const bool hasPoint = point != std::string_view::npos;
    std::size_t decimals = 0;
    if (hasPoint)
        for (char c : placeholders.substr(point + 1))
            decimals += c == '#';

    const bool percent = pattern.find('%') != std::string_view::npos;
    FixedDecimal number = toFixedDecimal(value, percent ? 2 : 0);
    roundHalfAwayFromZero(number, decimals);
    trim(number);

    const bool showsZero = number.integerDigits.empty() && number.fractionDigits.empty();
    std::string text;
    if (value < 0 && !showsZero)
        text += '-';
    text += prefix;
    text += number.integerDigits;
    if (hasPoint)
        text += '.';
    text += number.fractionDigits;
    text += suffix;
    return text;
}

} // namespace durnoval
