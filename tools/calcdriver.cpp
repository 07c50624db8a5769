// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs Calculate on cases read from standard input, one per line (LF or CRLF) of six
// tab-separated entry texts, and writes for each the state afterwards and the outcome,
// tab-separated: six entries, four result texts, four visible flags (0/1), then ok or the
// error's name.

#include "calc/comparison.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace durnoval;

constexpr std::size_t kFieldsPerLine = kEntries.size();

void appendRow(std::string &out, const ComparisonState &state,
               const std::optional<CalcFailure> &failure) {
    for (const EntryInfo &info : kEntries) {
        out += state[info.entry];
        out += '\t';
    }
    for (const Output output : kOutputs) {
        out += state[output].value_or("");
        out += '\t';
    }
    for (const Output output : kOutputs) {
        out += state[output] ? '1' : '0';
        out += '\t';
    }
    out += failure ? calcErrorName(failure->error) : std::string_view("ok");
    out += '\n';
}

// Returns false when the line does not hold exactly six fields.
bool runLine(std::string_view line, std::string &out) {
    if (line.ends_with('\r')) // a Windows line end
        line.remove_suffix(1);
    ComparisonState state;
    std::size_t field = 0;
    for (;;) {
        const auto tab = line.find('\t');
        if (field == kFieldsPerLine)
            return false;
        state[kEntries[field++].entry] = line.substr(0, tab);
        if (tab == std::string_view::npos)
            break;
        line.remove_prefix(tab + 1);
    }
    if (field != kFieldsPerLine)
        return false;
    appendRow(out, state, CalculateComparison(state));
    return true;
}

} // namespace

int main() {
    std::vector<char> chunk(1 << 16);
    std::string pending; // input not yet ended by a newline
    std::string out;
    unsigned long lineNumber = 0;

    auto flushIfLarge = [&out](std::size_t limit) {
        if (out.size() >= limit) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    };
    auto runOrFail = [&](std::string_view line) {
        ++lineNumber;
        if (runLine(line, out))
            return true;
        flushIfLarge(0);
        std::fflush(stdout);
        std::fprintf(stderr, "durnoval-calc-driver: line %lu: expected %zu tab-separated fields\n",
                     lineNumber, kFieldsPerLine);
        return false;
    };

    for (;;) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), stdin);
        if (got == 0)
            break;
        pending.append(chunk.data(), got);
        std::string_view rest(pending);
        for (auto newline = rest.find('\n'); newline != std::string_view::npos;
             newline = rest.find('\n')) {
            if (!runOrFail(rest.substr(0, newline)))
                return 2;
            rest.remove_prefix(newline + 1);
        }
        pending.erase(0, pending.size() - rest.size());
        flushIfLarge(1 << 16);
    }
    if (!pending.empty() && !runOrFail(pending))
        return 2;
    flushIfLarge(0);
    return std::ferror(stdout) ? 1 : 0;
}
