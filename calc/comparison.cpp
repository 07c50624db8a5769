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

// An empty entry takes its default, written back so the user sees the value used.
Result<std::int16_t> resolveEntry(ComparisonState &state, const EntrySlot &slot) {
    std::string &text = state.*slot.text;
    if (text.empty()) {
        text = slot.defaultText;
        return slot.defaultValue;
    }
    return IntegerFromText(text);
}

void show(ComparisonState &state, Output output, std::string text) {
    ResultText &result = state.*slotOf(output).result;
    result.text = std::move(text);
    result.visible = true;
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
    for (const OutputSlot &slot : kOutputSlots)
        state.*slot.result = ResultText{};

    std::array<std::int16_t, kEntrySlots.size()> values{};
    for (const EntrySlot &slot : kEntrySlots) {
        const auto value = resolveEntry(state, slot);
        if (!value)
            return CalcFailure{value.error(), slot.entry};
        values[static_cast<int>(slot.entry)] = value.value();
    }
    const TireSpec original{values[0], values[1], values[2]};
    const TireSpec replacement{values[3], values[4], values[5]};

    const auto d1 = OverallDiameter(original);
    if (!d1)
        return CalcFailure{d1.error(), Output::Diameter};
    show(state, Output::Diameter, FormatWithPattern(d1.value(), kDiameterPattern));

    const auto d2 = OverallDiameter(replacement);
    if (!d2)
        return CalcFailure{d2.error(), Output::Diameter2};
    show(state, Output::Diameter2, FormatWithPattern(d2.value(), kDiameterPattern));

    // Compare the diameters as displayed, rounded to one decimal, not as computed.
    const auto o = DoubleFromText(state.lblOutput.text);
    if (!o)
        return CalcFailure{CalcError::TypeMismatch, Output::Diameter};
    const auto n = DoubleFromText(state.lblOutput2.text);
    if (!n)
        return CalcFailure{CalcError::TypeMismatch, Output::Diameter2};

    const auto ratio = checked(n.value() / o.value());
    if (!ratio)
        return CalcFailure{ratio.error(), Output::Percent};
    show(state, Output::Percent, FormatWithPattern(ratio.value(), kPercentPattern));

    const auto speedRatio = checked(n.value() / o.value());
    if (!speedRatio)
        return CalcFailure{speedRatio.error(), Output::Mph};
    const auto speed = checked(speedRatio.value() * kReferenceSpeed);
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
        const std::string what(slotOf(*entry).description);
        if (failure.error == CalcError::Overflow)
            return "The " + what + " is too large: it may be at most 32767.";
        return "The " + what + " is not a number. Enter digits with at most one decimal point.";
    }
    const auto output = std::get<Output>(failure.where);
    if (failure.error == CalcError::TypeMismatch) // a diameter that shows as '.'
        return "The " + std::string(slotOf(output).description) +
               " rounds to zero, so the tires cannot be compared.";
    return "The " + std::string(slotOf(output).description) + " cannot be calculated.";
}

} // namespace durnoval
