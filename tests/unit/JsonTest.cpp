#include <gtest/gtest.h>

#include "cli/Json.h"

namespace orvanta::cli {
namespace {

TEST(JsonString, EscapesWhatWouldBreakTheDocument) {
    EXPECT_EQ(R"("plain")", JsonString("plain"));
    EXPECT_EQ(R"("a\"b\\c")", JsonString("a\"b\\c"));
    EXPECT_EQ(R"("tab\u0009nl\u000a")", JsonString("tab\tnl\n"));
    EXPECT_EQ("\"caf\xC3\xA9 \xE6\x94\x9D\"", JsonString("caf\xC3\xA9 \xE6\x94\x9D"));
    // Stray high bytes and cut sequences are written as escapes, never passed through.
    EXPECT_EQ(R"("\u00ff\u00c3")", JsonString("\xFF\xC3"));
    EXPECT_EQ(R"("\u00e6\u0094")", JsonString("\xE6\x94"));
}

}  // namespace
}  // namespace orvanta::cli
