// Feeds arbitrary bytes to the conversions and to Calculate, and checks what must always hold:
// no crash or undefined behaviour, conversions that agree with an independent decimal
// computation, and result texts of the display form.
//
// Input: up to six tab-separated entry texts; the same bytes also serve as a single text.

#include "calc/comparison.h"
#include "calc/displaypattern.h"
#include "calc/numbertext.h"

#include <cinttypes>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <regex>
#include <string>
#include <string_view>

using namespace durnoval;

namespace {

[[noreturn]] void fail(const char *what, std::string_view text) {
    std::fprintf(stderr, "invariant broken: %s for text '%.*s'\n", what,
                 static_cast<int>(std::min<std::size_t>(text.size(), 200)), text.data());
    std::abort();
}

bool acceptedForm(std::string_view text) {
    int points = 0;
    int digits = 0;
    for (char c : text) {
        if (c == '.')
            ++points;
        else if (c >= '0' && c <= '9')
            ++digits;
        else
            return false;
    }
    return points <= 1 && digits > 0;
}

// The text's value rounded half to even, in 128-bit integers; only for texts of at most 36
// digits, which the integers hold exactly.
std::optional<__int128> referenceRounding(std::string_view text) {
    unsigned __int128 scaled = 0;
    unsigned __int128 unit = 1;
    bool afterPoint = false;
    int digits = 0;
    for (char c : text) {
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        if (++digits > 36)
            return std::nullopt;
        scaled = scaled * 10 + static_cast<unsigned>(c - '0');
        if (afterPoint)
            unit *= 10;
    }
    const unsigned __int128 whole = scaled / unit;
    const unsigned __int128 twiceRest = 2 * (scaled % unit);
    const bool up = twiceRest > unit || (twiceRest == unit && whole % 2 == 1);
    return static_cast<__int128>(whole + (up ? 1 : 0));
}

void checkIntegerFromText(std::string_view text) {
    const auto value = IntegerFromText(text);
    if (!acceptedForm(text)) {
        if (value.ok() || value.error() != CalcError::TypeMismatch)
            fail("a text outside the accepted form converted", text);
        return;
    }
    if (value.ok() == false && value.error() == CalcError::ArithmeticFault)
        fail("IntegerFromText reported an arithmetic fault", text);
    if (const auto expected = referenceRounding(text)) {
        const bool inRange = *expected <= 32767;
        if (inRange != value.ok())
            fail("IntegerFromText range decision", text);
        if (inRange && value.value() != *expected)
            fail("IntegerFromText rounding", text);
        if (!inRange && value.error() != CalcError::Overflow)
            fail("IntegerFromText error kind", text);
    }
}

void checkDoubleFromText(std::string_view text) {
    const auto value = DoubleFromText(text);
    if (!acceptedForm(text)) {
        if (value.ok())
            fail("a text outside the accepted form read as a double", text);
        return;
    }
    // strtod in the C locale is correctly rounded too; it must agree to the last bit.
    const std::string copy(text);
    const double expected = std::strtod(copy.c_str(), nullptr);
    if (std::isinf(expected)) {
        if (value.ok() || value.error() != CalcError::Overflow)
            fail("DoubleFromText beyond the double range", text);
    } else if (!value.ok() || std::memcmp(&expected, &value.value(), sizeof expected) != 0) {
        fail("DoubleFromText disagrees with strtod", text);
    }
}

void checkFormat(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 1e15)
        return;
    static const std::regex diameterForm(R"(-?\d*\.\d?)");
    const std::string diameter = FormatWithPattern(value, "##.#");
    if (!std::regex_match(diameter, diameterForm))
        fail("a diameter text of the wrong form", diameter);
    const std::string magnitude = diameter.substr(diameter.front() == '-' ? 1 : 0);
    const auto back = DoubleFromText(magnitude);
    const double shown = back.ok() ? back.value() : 0.0;
    if (std::fabs(shown - std::fabs(value)) > 0.05 + std::fabs(value) * 1e-14)
        fail("a diameter text that does not read back close to its value", diameter);
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
    const ComparisonState before = state;
    const CalcOutcome outcome = CalculateComparison(state);

    static const std::regex diameterForm(R"(\d*\.\d?)");
    static const std::regex percentForm(R"(\d*%)");
    static const std::regex speedForm(R"(\d*mph)");
    const std::pair<const ResultText *, const std::regex *> results[] = {
        {&state.lblOutput, &diameterForm},
        {&state.lblOutput2, &diameterForm},
        {&state.lblPercent, &percentForm},
        {&state.lblMph, &speedForm},
    };
    for (const auto &[result, form] : results) {
        if (result->visible && !std::regex_match(result->text, *form))
            fail("a result text of the wrong form", result->text);
        if (!result->visible && !result->text.empty())
            fail("a hidden result with text", result->text);
    }
    if (outcome.ok() != (state.lblMph.visible && state.lblPercent.visible))
        fail("success without every result shown", input);
    for (const EntrySlot &slot : kEntrySlots) {
        const std::string &was = before.*slot.text;
        const std::string &now = state.*slot.text;
        if (!was.empty() && now != was)
            fail("a typed entry was changed", input);
        if (!now.empty() && now != was && now != slot.defaultText)
            fail("an entry got something other than its default", input);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string input(reinterpret_cast<const char *>(data), size);
    checkIntegerFromText(input);
    checkDoubleFromText(input);
    checkCalculate(input);
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        checkFormat(value);
    }
    return 0;
}
