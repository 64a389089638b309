// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as an apply file: the reader either names the line it stopped at, or its rows,
// written back with every field quoted, read again as the same rows.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/Csv.h"

using orvanta::cli::CsvRow;
using orvanta::cli::ParseCsv;

namespace {

std::string Quoted(const std::vector<CsvRow>& rows) {
    std::string text;
    for (const CsvRow& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            if (i > 0) text += ',';
            text += '"';
            for (char c : row[i]) text += c == '"' ? std::string("\"\"") : std::string(1, c);
            text += '"';
        }
        text += '\n';
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<CsvRow> rows;
    std::string error;
    if (!ParseCsv(text, rows, error)) {
        if (error.compare(0, 5, "line ") != 0) __builtin_trap();
        return 0;
    }
    std::vector<CsvRow> again;
    if (!ParseCsv(Quoted(rows), again, error) || again != rows) __builtin_trap();
    return 0;
}
