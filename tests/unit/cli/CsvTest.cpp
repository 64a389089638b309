// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "cli/Csv.h"

namespace orvanta::cli {
namespace {

std::vector<CsvRow> Parse(const std::string& text) {
    std::vector<CsvRow> rows;
    std::string error;
    EXPECT_TRUE(ParseCsv(text, rows, error)) << error;
    return rows;
}

TEST(Csv, ReadsWhatSpreadsheetsWrite) {
    EXPECT_EQ((std::vector<CsvRow>{{"serial", "TitleBar"}, {"SN1", "Door"}, {"SN2", ""}}),
              Parse("serial,TitleBar\r\nSN1,Door\r\n\r\nSN2,\r\n"));
    EXPECT_EQ((std::vector<CsvRow>{{"a", "b, \"c\"\nd", ""}}), Parse("a,\"b, \"\"c\"\"\nd\",\"\""));
    EXPECT_EQ((std::vector<CsvRow>{{"x"}}), Parse("x"));
    // "CSV UTF-8" with its byte-order mark, and lines ended by CR alone.
    EXPECT_EQ((std::vector<CsvRow>{{"serial", "TitleBar"}, {"SN1", "Door\rway"}}),
              Parse("\xEF\xBB\xBFserial,TitleBar\rSN1,\"Door\rway\"\r"));
    EXPECT_TRUE(Parse("\n\n").empty());
}

TEST(Csv, RejectsBrokenQuoting) {
    std::vector<CsvRow> rows;
    std::string error;
    EXPECT_FALSE(ParseCsv("a,b\n\"open,c\n", rows, error));
    EXPECT_EQ("line 3: a quote is not closed", error);
    EXPECT_FALSE(ParseCsv("\"a\"b,c\n", rows, error));
    EXPECT_EQ("line 1: text after a closing quote", error);
}

}  // namespace
}  // namespace orvanta::cli
