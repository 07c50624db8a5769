// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/comparison.h"

#include "calc/displaypattern.h"
#include "calc/numbertext.h"

#include <cmath>

namespace durnoval {
namespace {

constexpr double kInchesPerMillimetre = 0.0394;
constexpr double kPercentDivisor = 100;
constexpr double kReferenceSpeed = 60;

constexpr std::string_view kDiameterPattern = "##.#";
constexpr std::string_view kPercentPattern = "##%";
constexpr std::string_view kSpeedPattern = "##mph";

// Finite operands give a non-finite result exactly on overflow, invalid operation or
// division by zero.
Result<double> checked(double value) {
    if (!std::isfinite(value))
        return CalcError::ArithmeticFault;
    return value;
}

// The entries that give one tyre's size.
struct TireEntries {
    Entry width, wall, rim;
};

constexpr TireEntries kOriginalTire{Entry::OriginalWidth, Entry::OriginalWall, Entry::OriginalRim};
constexpr TireEntries kNewTire{Entry::NewWidth, Entry::NewWall, Entry::NewRim};

// An empty entry takes its default, written back so the user sees the value used.
Result<std::int16_t, CalcFailure> resolve(ComparisonState &state, Entry entry) {
    std::string &text = state[entry];
    if (text.empty())
        text = infoOf(entry).defaultText;
    const auto value = text.size() > kLongestEntry ? CalcError::Overflow : IntegerFromText(text);
    if (!value)
        return CalcFailure{value.error(), entry};
    return value.value();
}

// Width, wall and rim in that order; the first that does not convert stops the rest.
Result<TireSpec, CalcFailure> readTire(ComparisonState &state, const TireEntries &entries) {
    const auto width = resolve(state, entries.width);
    if (!width)
        return width.error();
    const auto wall = resolve(state, entries.wall);
    if (!wall)
        return wall.error();
    const auto rim = resolve(state, entries.rim);
    if (!rim)
        return rim.error();
    return TireSpec{width.value(), wall.value(), rim.value()};
}

// A diameter as shown, to one decimal; one that shows as '.' leaves nothing to compare.
Result<double, CalcFailure> shownDiameter(const ComparisonState &state, Output output) {
    const auto value = DoubleFromText(state[output].value_or(""));
    if (!value)
        return CalcFailure{CalcError::TypeMismatch, output};
    return value.value();
}

} // namespace

Result<double> OverallDiameter(const TireSpec &tire) {
    const auto q = checked(tire.wall / kPercentDivisor);
    if (!q)
        return q;
    const double m = tire.width * kInchesPerMillimetre;
    const double p = q.value() * m;
    return checked(p * 2 + tire.rim);
}

std::optional<CalcFailure> CalculateComparison(ComparisonState &state) {
    // A run shows only what it produces: a result it does not reach must not stay on the
    // screen beside entries it no longer belongs to.
    for (const Output output : kOutputs)
        state[output].reset();

    const auto original = readTire(state, kOriginalTire);
    if (!original)
        return original.error();
    const auto replacement = readTire(state, kNewTire);
    if (!replacement)
        return replacement.error();

    const auto d1 = OverallDiameter(original.value());
    if (!d1)
        return CalcFailure{d1.error(), Output::OriginalDiameter};
    state[Output::OriginalDiameter] = FormatWithPattern(d1.value(), kDiameterPattern);

    const auto d2 = OverallDiameter(replacement.value());
    if (!d2)
        return CalcFailure{d2.error(), Output::NewDiameter};
    state[Output::NewDiameter] = FormatWithPattern(d2.value(), kDiameterPattern);

    // Compare the diameters as displayed, rounded to one decimal, not as computed.
    const auto o = shownDiameter(state, Output::OriginalDiameter);
    if (!o)
        return o.error();
    const auto n = shownDiameter(state, Output::NewDiameter);
    if (!n)
        return n.error();

    const auto ratio = checked(n.value() / o.value());
    if (!ratio)
        return CalcFailure{ratio.error(), Output::Ratio};
    state[Output::Ratio] = FormatWithPattern(ratio.value(), kPercentPattern);

    const auto speed = checked(ratio.value() * kReferenceSpeed);
    if (!speed)
        return CalcFailure{speed.error(), Output::TrueSpeed};
    state[Output::TrueSpeed] = FormatWithPattern(speed.value(), kSpeedPattern);
    return std::nullopt;
}

void ClearComparison(ComparisonState &state) {
    // Every entry empty, no result: the state the window starts with.
    state = ComparisonState{};
}

} // namespace durnoval
