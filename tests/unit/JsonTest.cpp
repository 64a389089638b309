#include <gtest/gtest.h>

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
}

}  // namespace
}  // namespace orvanta::cli
