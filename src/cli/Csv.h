// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Comma-separated rows as spreadsheets write them: fields may be quoted, a quote inside a
// quoted field is doubled, and a quoted field may hold commas and line breaks.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orvanta::cli {

using CsvRow = std::vector<std::string>;

// False with `error` (naming the line) when a quote is left open or stray text follows one.
// Lines end with LF, CR LF or CR alone; blank lines are skipped and a leading UTF-8 byte-order
// mark is dropped. More than
// `maxRows` rows is an error too, found as soon as the row after the last allowed one ends.
bool ParseCsv(const std::string& text, std::vector<CsvRow>& rows, std::string& error,
              size_t maxRows = SIZE_MAX);

}  // namespace orvanta::cli
