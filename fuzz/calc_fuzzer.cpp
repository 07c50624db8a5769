// Feeds arbitrary bytes to the conversions and to Calculate: nothing may crash or be undefined,
// the conversions agree with independent ones, and Calculate shows only what it may.
// Input: up to six tab-separated entry texts; the same bytes also serve as one text.

#include "calc/comparison.h"
#include "calc/numbertext.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace durnoval;

namespace {

void check(bool holds, const char *what) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

// Digits with at most one point, and at least one digit.
bool acceptedForm(const std::string &text) {
    const auto digits = text.find_first_of("0123456789") != std::string::npos;
    return digits && text.find_first_not_of("0123456789.") == std::string::npos &&
           text.find('.') == text.rfind('.');
}

void checkConversions(const std::string &text) {
    const auto integer = IntegerFromText(text);
    const auto real = DoubleFromText(text);
    const bool accepted = acceptedForm(text);
    check(integer.ok() ? accepted : (integer.error() == CalcError::Overflow) == accepted,
          "IntegerFromText takes exactly the decimal form");
    check(accepted || !real.ok(), "DoubleFromText takes only the decimal form");
    if (!accepted || text.size() > 30)
        return;
    // strtod in the C locale rounds correctly too; both must agree to the last bit, and a
    // whole number in range must be the double's nearest integer, halves to even.
    const double expected = std::strtod(text.c_str(), nullptr);
    check(real.ok() && std::memcmp(&expected, &real.value(), sizeof expected) == 0,
          "DoubleFromText agrees with strtod");
    if (expected < 32767.4)
        check(integer.ok() && std::abs(integer.value() - expected) <= 0.5,
              "IntegerFromText rounds");
    else if (expected > 32767.6)
        check(!integer.ok(), "IntegerFromText checks the range");
}

void checkCalculate(const std::string &input) {
    ComparisonState state;
    std::size_t start = 0;
    for (const EntrySlot &slot : kEntrySlots) {
        const auto tab = input.find('\t', start);
        state.*slot.text = input.substr(start, tab == std::string::npos ? tab : tab - start);
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
    const ComparisonState typed = state;
    const bool calculated = CalculateComparison(state).ok();
    check(calculated == state.lblMph.visible, "success shows the speed, a failure does not");
    for (const OutputSlot &slot : kOutputSlots)
        check((state.*slot.result).visible || (state.*slot.result).text.empty(),
              "a hidden result holds no text");
    for (const EntrySlot &slot : kEntrySlots)
        check(typed.*slot.text == state.*slot.text ||
                  ((typed.*slot.text).empty() && state.*slot.text == slot.defaultText),
              "only empty entries change, to their defaults");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string input(reinterpret_cast<const char *>(data), size);
    checkConversions(input);
    checkCalculate(input);
    return 0;
}
