// SPDX-License-Identifier: GPL-3.0-or-later
// The access-point table parser.
#include <gtest/gtest.h>

#include <string>

#include "camera/commands/AccessPointScan.h"

namespace orvanta::camera {
namespace {

std::string Cell(int n, const std::string& body) {
    return "<tr><td>AP" + std::to_string(n) + " " + body + "</td></tr>\n";
}

const std::string kThree =
    "<html><body><table>\n<tr><td>scan AP sum = 3</td></tr>\n" +
    Cell(1,
         "Channel=6 Mac_address=00:11:22:33:44:55 SSID=\"Home net\" Quality=80 Mode=Infra "
         "Security=WPA2-PSK Algorithm=AES") +
    Cell(2, "Channel=300<br>Mac_address=66:77:88:99:AA:BB<br>SSID=\"x\"<br>Quality=-1") +
    Cell(3, "SSID=\"\" Mode=Adhoc Security= Algorithm=\r\n") + "</table></body></html>\n";

TEST(CameraAccessPoints, CellsFillEntriesInOrder) {
    int32_t count = -5;
    std::vector<AccessPoint> list;
    ASSERT_TRUE(ParseAccessPointReport(kThree.c_str(), count, list));
    ASSERT_EQ(count, 3);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].channel, 6);
    EXPECT_STREQ(list[0].mac, "00:11:22:33:44:55");
    EXPECT_STREQ(list[0].ssid, "Home net");  // quoted, the blank belongs to it
    EXPECT_EQ(list[0].quality, 80);
    EXPECT_STREQ(list[0].mode, "Infra");
    EXPECT_STREQ(list[0].security, "WPA2-PSK");
    EXPECT_STREQ(list[0].algorithm, "AES");

    EXPECT_EQ(list[1].channel, 44);  // values end at "<" and keep their low byte
    EXPECT_STREQ(list[1].mac, "66:77:88:99:AA:BB");
    EXPECT_STREQ(list[1].ssid, "x");
    EXPECT_EQ(list[1].quality, 255);
    EXPECT_STREQ(list[1].mode, "");

    EXPECT_STREQ(list[2].ssid, "");
    EXPECT_STREQ(list[2].mode, "Adhoc");
    EXPECT_STREQ(list[2].security, "");  // an empty value before a blank
    EXPECT_STREQ(list[2].algorithm, "");
    EXPECT_EQ(list[2].channel, 0);
}

TEST(CameraAccessPoints, CountsAndCutsThatDoNotMatch) {
    int32_t count = 7;
    std::vector<AccessPoint> list;
    EXPECT_FALSE(ParseAccessPointReport("<html>no scan here</html>", count, list));
    EXPECT_EQ(count, 7);
    EXPECT_FALSE(ParseAccessPointReport("", count, list));
    EXPECT_FALSE(ParseAccessPointReport(nullptr, count, list));

    ASSERT_TRUE(ParseAccessPointReport("<td>scan AP sum = 0</td>", count, list));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(list.empty());

    // No readable sum is no access point, whatever the last scan found.
    count = 7;
    ASSERT_TRUE(ParseAccessPointReport("<td>scan AP sum =</td>", count, list));
    EXPECT_EQ(count, 0);

    // The count is what the cells hold, whatever the sum: fewer cells than announced, more
    // cells than a header cell leaves room for, a negative sum, a huge sum over no cells, a
    // cell nothing can be read from, a last cell cut.
    struct Case {
        std::string report;
        std::vector<int> channels;
    };
    const Case cases[] = {
        {"<td>scan AP sum = 5</td>" + Cell(1, "Channel=1") + Cell(2, "Channel=2"), {1, 2}},
        {"<td>scan AP sum = 2</td><td>Channel</td>" + Cell(1, "Channel=9") + Cell(2, "Channel=10"),
         {9, 10}},
        {"<td>scan AP sum = -5</td>" + Cell(1, "Channel=8"), {8}},
        {"scan AP sum = 99999999", {}},
        {"<td>scan AP sum = 3</td>" + Cell(1, "Channel=4") + Cell(2, "nothing") +
             "<tr><td>AP3 Channel=7 SSID=\"cut",
         {4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.report);
        count = 7;
        ASSERT_TRUE(ParseAccessPointReport(c.report.c_str(), count, list));
        ASSERT_EQ(count, static_cast<int32_t>(c.channels.size()));
        ASSERT_EQ(list.size(), c.channels.size());
        for (size_t i = 0; i < list.size(); ++i) EXPECT_EQ(list[i].channel, c.channels[i]);
    }
}

TEST(CameraAccessPoints, LongCellsAndValuesAreBounded) {
    std::string longValue(300, 'v');
    std::string report = "<td>scan AP sum = 2</td>" +
                         Cell(1, "Mac_address=" + longValue + " SSID=\"" + longValue + "\"") +
                         Cell(2, std::string(3000, ' ') + "Channel=5");
    int32_t count = 0;
    std::vector<AccessPoint> list;
    ASSERT_TRUE(ParseAccessPointReport(report.c_str(), count, list));
    EXPECT_EQ(std::string(list[0].mac), std::string(63, 'v'));
    EXPECT_EQ(std::string(list[0].ssid), std::string(63, 'v'));
    EXPECT_EQ(list.size(), 1u);  // the second's only value lies beyond the cell's 2,047 characters

    // Thousands of cell ends and an unterminated last cell.
    std::string many = "scan AP sum = 1000";
    for (int i = 0; i < 5000; ++i) many += "</td>";
    many += "<td>AP Channel=3";
    ASSERT_TRUE(ParseAccessPointReport(many.c_str(), count, list));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace orvanta::camera
