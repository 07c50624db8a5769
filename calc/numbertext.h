// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "calc/result.h"

#include <cstdint>
#include <string_view>

namespace durnoval {

// Both conversions accept one form only: decimal digits with at most one '.' anywhere among
// them and at least one digit ('14', '014', '14.5', '.5', '5.'). Anything else (blanks, signs,
// exponents, separators, other bytes) is a TypeMismatch. The decimal point never depends on
// the locale.

// Rounds to the nearest whole number, an exact half to the even neighbour, then checks the
// signed 16-bit range. Decided on the decimal text itself, so any length is read exactly.
Result<std::int16_t> IntegerFromText(std::string_view text);

// The correctly rounded double of the text; a value beyond the double range is an Overflow.
Result<double> DoubleFromText(std::string_view text);

} // namespace durnoval
