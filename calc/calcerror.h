// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

namespace durnoval {

// Why a conversion or a calculation stopped.
enum class CalcError {
    TypeMismatch,    // the text is not a number
    Overflow,        // a whole number lies outside -32768..32767
    ArithmeticFault, // floating-point overflow, invalid operation or division by zero
};

constexpr std::string_view calcErrorName(CalcError error) {
    switch (error) {
    case CalcError::TypeMismatch:
        return "TypeMismatch";
    case CalcError::Overflow:
        return "Overflow";
    case CalcError::ArithmeticFault:
        return "ArithmeticFault";
    }
    return "?";
}

} // namespace durnoval
