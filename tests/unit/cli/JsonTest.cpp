// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "cli/CameraOutput.h"
#include "cli/Json.h"

namespace orvanta::cli {
namespace {

TEST(JsonText, CameraBytesAlwaysGiveValidJson) {
    EXPECT_EQ(Utf8Text("plain"), "plain");
    EXPECT_EQ(Utf8Text("caf\xC3\xA9 \xE6\x94\x9D"), "caf\xC3\xA9 \xE6\x94\x9D");
    // Stray high bytes and cut sequences become the Latin-1 characters they would be.
    EXPECT_EQ(Utf8Text("\xFF\xC3"), "\xC3\xBF\xC3\x83");
    EXPECT_EQ(Utf8Text("\xE6\x94"), "\xC3\xA6\xC2\x94");
    Json value = {{"text", Utf8Text("a\"b\\c\t\xFF")}};
    EXPECT_EQ(value.dump(), R"({"text":"a\"b\\c\tÿ"})");
    EXPECT_EQ(Json::parse(value.dump()), value);
    // Lead bytes that look like a sequence but are not UTF-8: overlong, surrogate, past U+10FFFF.
    EXPECT_EQ(Utf8Text("\xE0\x80\x80"), "\xC3\xA0\xC2\x80\xC2\x80");
    EXPECT_EQ(Utf8Text("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xC2\x80");
    EXPECT_EQ(Utf8Text("\xF8\x88\x80"), "\xC3\xB8\xC2\x88\xC2\x80");
    EXPECT_EQ(Utf8Text("\xF4\x90\x80\x80").substr(0, 2), "\xC3\xB4");
}

TEST(TerminalText, ControlCharactersNeverReachTheTerminal) {
    EXPECT_EQ(TerminalText("Door 1 caf\xC3\xA9"), "Door 1 caf\xC3\xA9");
    EXPECT_EQ(TerminalText("a\x1B[2J\x07\tb\x7F"), "a\\x1B[2J\\x07\\x09b\\x7F");
    // C1 controls, raw (a CSI to a Latin-1 terminal) or in UTF-8; a continuation byte of a
    // real character stays.
    EXPECT_EQ(TerminalText("\x9B"
                           "2J \xC2\x9B \xC3\x9B"),
              "\\x9B"
              "2J \\xC2\\x9B \xC3\x9B");
}

}  // namespace
}  // namespace orvanta::cli
