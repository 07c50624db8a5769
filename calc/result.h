// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "calc/calcerror.h"

#include <utility>
#include <variant>

namespace durnoval {

// A value or the reason there is none; the core reports errors this way, never by throwing.
template <typename T, typename E = CalcError> class Result {
public:
    Result(T value) : m_value(std::in_place_index<0>, std::move(value)) {}
    Result(E error) : m_value(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return m_value.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T &value() const { return *std::get_if<0>(&m_value); }
    const E &error() const { return *std::get_if<1>(&m_value); }

    bool operator==(const Result &) const = default;

private:
    std::variant<T, E> m_value;
};

} // namespace durnoval
