// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Csv.h"

namespace orvanta::cli {

bool ParseCsv(const std::string& text, std::vector<CsvRow>& rows, std::string& error,
              size_t maxRows) {
    CsvRow row;
    std::string field;
    bool quoted = false, afterQuote = false, rowHasContent = false;
    int line = 1;
    auto endField = [&] {
        row.push_back(field);
        field.clear();
        afterQuote = false;
    };
    auto endRow = [&] {
        endField();
        if (rowHasContent || row.size() > 1) rows.push_back(row);
        row.clear();
        rowHasContent = false;
        if (rows.size() <= maxRows) return true;
        error = "more than " + std::to_string(maxRows) + " rows";
        return false;
    };
    // A spreadsheet's "CSV UTF-8" starts with a byte-order mark.
    const size_t first = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    for (size_t i = first; i < text.size(); ++i) {
        char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
                afterQuote = true;
            } else {
                if (c == '\n') ++line;
                field += c;
            }
            continue;
        }
        if (c == ',') {
            endField();
            rowHasContent = true;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            // the end of a CR LF line
        } else if (c == '\n' ||
                   c == '\r') {  // LF, CR LF, or CR alone as old spreadsheets end lines
            if (!endRow()) return false;
            ++line;
        } else if (afterQuote) {
            error = "line " + std::to_string(line) + ": text after a closing quote";
            return false;
        } else if (c == '"' && field.empty()) {
            quoted = true;
            rowHasContent = true;
        } else {
            field += c;
            rowHasContent = true;
        }
    }
    if (quoted) {
        error = "line " + std::to_string(line) + ": a quote is not closed";
        return false;
    }
    return endRow();
}

}  // namespace orvanta::cli
