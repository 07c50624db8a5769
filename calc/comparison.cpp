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

constexpr TireEntries kOriginalTire{Entry::Width, Entry::Wall, Entry::Rim};
constexpr TireEntries kNewTire{Entry::Width2, Entry::Wall2, Entry::Rim2};

// An empty entry takes its default, written back so the user sees the value used.
Result<std::int16_t, CalcFailure> resolve(ComparisonState &state, Entry entry) {
    std::string &text = state[entry];
    if (text.empty())
        text = infoOf(entry).defaultText;
    const auto value = IntegerFromText(text);
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

void show(ComparisonState &state, Output output, std::string text) {
    state[output] = ResultText{std::move(text), true};
}

// A diameter as shown, to one decimal; one that shows as '.' leaves nothing to compare.
Result<double, CalcFailure> shownDiameter(const ComparisonState &state, Output output) {
    const auto value = DoubleFromText(state[output].text);
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

CalcOutcome CalculateComparison(ComparisonState &state) {
    // A run shows only what it produces: a result it does not reach must not stay on the
    // screen beside entries it no longer belongs to.
    for (const OutputInfo &info : kOutputs)
        state[info.output] = ResultText{};

    const auto original = readTire(state, kOriginalTire);
    if (!original)
        return original.error();
    const auto replacement = readTire(state, kNewTire);
    if (!replacement)
        return replacement.error();

    const auto d1 = OverallDiameter(original.value());
    if (!d1)
        return CalcFailure{d1.error(), Output::Diameter};
    show(state, Output::Diameter, FormatWithPattern(d1.value(), kDiameterPattern));

    const auto d2 = OverallDiameter(replacement.value());
    if (!d2)
        return CalcFailure{d2.error(), Output::Diameter2};
    show(state, Output::Diameter2, FormatWithPattern(d2.value(), kDiameterPattern));

    // Compare the diameters as displayed, rounded to one decimal, not as computed.
    const auto o = shownDiameter(state, Output::Diameter);
    if (!o)
        return o.error();
    const auto n = shownDiameter(state, Output::Diameter2);
    if (!n)
        return n.error();

    const auto ratio = checked(n.value() / o.value());
    if (!ratio)
        return CalcFailure{ratio.error(), Output::Percent};
    show(state, Output::Percent, FormatWithPattern(ratio.value(), kPercentPattern));

    const auto speed = checked(ratio.value() * kReferenceSpeed);
    if (!speed)
        return CalcFailure{speed.error(), Output::Mph};
    show(state, Output::Mph, FormatWithPattern(speed.value(), kSpeedPattern));

    return Calculated{};
}

void ClearComparison(ComparisonState &state) {
    // Every entry empty, every result empty and hidden: the state the window starts with.
    state = ComparisonState{};
}

std::string DescribeFailure(const CalcFailure &failure) {
    if (const auto *entry = std::get_if<Entry>(&failure.where)) {
        const std::string what(infoOf(*entry).description);
        if (failure.error == CalcError::Overflow)
            return "The " + what + " is too large: it may be at most 32767.";
        return "The " + what + " is not a number. Enter digits with at most one decimal point.";
    }
    const auto output = std::get<Output>(failure.where);
    if (failure.error == CalcError::TypeMismatch) // a diameter that shows as '.'
        return "The " + std::string(infoOf(output).description) +
               " rounds to zero, so the tires cannot be compared.";
    return "The " + std::string(infoOf(output).description) + " cannot be calculated.";
}

} // namespace durnoval
