// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs Calculate on cases read from standard input, one per line (LF or CRLF) of six
// tab-separated entry texts, and writes for each the state afterwards and the outcome,
// tab-separated: six entries, four result texts, four visible flags (0/1), then ok or the
// error's name.

#include "calc/comparison.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

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

// Writes what OUT holds; false, with a message, when the output is lost.
bool write(std::string &out) {
    std::fwrite(out.data(), 1, out.size(), stdout);
    out.clear();
    if (std::fflush(stdout) == 0)
        return true;
    std::fprintf(stderr, "durnoval-calc-driver: cannot write the results: %s\n",
                 std::strerror(errno));
    return false;
}

} // namespace

int main() {
    std::string out;
    char *line = nullptr; // getline reads a line of any length in one pass
    std::size_t capacity = 0;
    unsigned long lineNumber = 0;
    for (ssize_t length; (length = getline(&line, &capacity, stdin)) >= 0;) {
        std::string_view text(line, static_cast<std::size_t>(length));
        if (text.ends_with('\n'))
            text.remove_suffix(1);
        if (!runLine(text, out)) {
            std::free(line);
            if (!write(out))
                return 1;
            std::fprintf(stderr,
                         "durnoval-calc-driver: line %lu: expected %zu tab-separated fields\n",
                         lineNumber + 1, kFieldsPerLine);
            return 2;
        }
        ++lineNumber;
        if (out.size() >= (1 << 16) && !write(out)) {
            std::free(line);
            return 1;
        }
    }
    std::free(line);
    if (std::ferror(stdin)) {
        std::fprintf(stderr, "durnoval-calc-driver: cannot read the input: %s\n",
                     std::strerror(errno));
        return 1;
    }
    return write(out) ? 0 : 1;
}
