// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace durnoval {

// Writes a value through a display pattern such as "##.#", "##%" or "##mph":
// - a '%' anywhere in the pattern multiplies the value by 100;
// - the value is rounded to as many decimals as there are '#' after the pattern's '.', an
//   exact half away from zero;
// - every integer digit is written, but an integer part of zero writes none ('.5', '%');
// - fraction digits drop trailing zeros, and a pattern with a '.' always writes the point
//   ('24.', '.');
// - text before the first and after the last placeholder is copied as it stands;
// - a negative value that does not round to zero gets a leading minus sign.
std::string FormatWithPattern(double value, std::string_view pattern);

} // namespace durnoval
