// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/numbertext.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace durnoval {
namespace {

struct DecimalText {
    std::string_view integerDigits;
    std::string_view fractionDigits;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), isDigit);
}

// Splits a text of the accepted form at its point, or says that it is not of that form.
std::optional<DecimalText> splitDecimal(std::string_view text) {
    const auto point = text.find('.');
    const auto integerDigits = text.substr(0, point);
    const auto fractionDigits =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (!allDigits(integerDigits) || !allDigits(fractionDigits))
        return std::nullopt;
    if (integerDigits.empty() && fractionDigits.empty())
        return std::nullopt;
    return DecimalText{integerDigits, fractionDigits};
}

std::string_view withoutLeadingZeros(std::string_view digits) {
    return digits.substr(std::min(digits.find_first_not_of('0'), digits.size()));
}

// Whether the dropped fraction moves the integer up: above a half always, an exact half
// only from an odd integer, so that halves land on the even neighbour.
bool fractionRoundsUp(std::string_view fractionDigits, bool integerIsOdd) {
    if (fractionDigits.empty() || fractionDigits.front() < '5')
        return false;
    if (fractionDigits.front() > '5')
        return true;
    const bool exactHalf = fractionDigits.find_first_not_of('0', 1) == std::string_view::npos;
    return !exactHalf || integerIsOdd;
}

} // namespace

Result<std::int16_t> IntegerFromText(std::string_view text) {
    const auto decimal = splitDecimal(text);
    if (!decimal)
        return CalcError::TypeMismatch;

    // Six significant integer digits already make 100000 or more, whatever the rounding.
    const auto integerDigits = withoutLeadingZeros(decimal->integerDigits);
    if (integerDigits.size() > 5)
        return CalcError::Overflow;

    int value = 0;
    for (const char digit : integerDigits)
        value = value * 10 + (digit - '0');
    if (fractionRoundsUp(decimal->fractionDigits, value % 2 != 0))
        ++value;

    if (value > INT16_MAX)
        return CalcError::Overflow;
    return static_cast<std::int16_t>(value);
}

Result<double> DoubleFromText(std::string_view text) {
    const auto decimal = splitDecimal(text);
    if (!decimal)
        return CalcError::TypeMismatch;

    double value = 0;
    const auto [end, status] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (status == std::errc::result_out_of_range) {
        // Out of range either way: too small to tell from zero, or too large for a double.
        if (withoutLeadingZeros(decimal->integerDigits).empty())
            return 0.0;
        return CalcError::Overflow;
    }
    if (status != std::errc{} || end != text.data() + text.size())
        return CalcError::TypeMismatch;
    return value;
}

} // namespace durnoval
