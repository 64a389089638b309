// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingPeer.h"
#include "camera/commands/ServerListing.h"
#include "camera/record/CameraSettings.h"

namespace orvanta::camera {
namespace {

using testing::RecordingPeer;

ServerLogin Login(const char* id, const char* password) {
    ServerLogin login{};
    std::snprintf(login.id, sizeof login.id, "%s", id);
    std::snprintf(login.password, sizeof login.password, "%s", password);
    return login;
}

// Each camera's keys, then its "Camera=N" mark; the total first.
const char kTwoCameras[] =
    "HTTP/1.0 200 OK\n\nTotal Camera=2<br>\n"
    "ID=cam-one IP=203.0.113.7 Port=8080 Mac_address=00:0E:53:00:00:01 Modelname=Mervo-71<br>\n"
    "Camera=1<br>\n"
    "ID=cam-two IP=203.0.113.9 Port=80 Mac_address=00:0E:53:00:00:02 Modelname=Dalix-44<br>\n"
    "Camera=2<br>\n";

TEST(ServerListing, SendsTheLoginAndListsTheCameras) {
    RecordingPeer peer({kTwoCameras});
    int count = -1;
    auto list = ListServerCameras(Login("user1", "pa55"), count, "127.0.0.1", peer.Port(), 1,
                                  kDeviceLoginPage);
    ASSERT_TRUE(list);
    ASSERT_EQ(2, count);
    EXPECT_STREQ("cam-one", (*list)[0].id);
    EXPECT_STREQ("203.0.113.7", (*list)[0].address);
    EXPECT_STREQ("8080", (*list)[0].port);
    EXPECT_STREQ("00:0E:53:00:00:01", (*list)[0].mac);
    EXPECT_STREQ("Mervo-71", (*list)[0].modelName);
    EXPECT_STREQ("cam-two", (*list)[1].id);
    EXPECT_STREQ("Dalix-44", (*list)[1].modelName);
    EXPECT_EQ(
        "GET /cgi-bin/Parameters?Act=1&Page=3&ID=user1&Password=pa55 HTTP/1.0\n"
        " User-Agent: tavrin-1.0.1\n\n",
        peer.Requests().at(0));
}

TEST(ServerListing, AnswersThatGiveNoListOrAShortOne) {
    EXPECT_EQ(0u, ParseServerListing("Total Camera=0\n", 3)->size());
    EXPECT_FALSE(ParseServerListing("no total here\n", 3));
    EXPECT_FALSE(ParseServerListing("HTTP/1.0 404 Not Found\nTotal Camera=1\n", 2));
    EXPECT_FALSE(ParseServerListing("402 Failure Total Camera=1\n", 2));
    // "Unauthorized" stops a device login only.
    int failure = 0;
    EXPECT_FALSE(ParseServerListing("401 Unauthorized\nTotal Camera=0\n", 3, &failure));
    EXPECT_EQ(CAM_ERR_UNAUTHORIZED, failure);
    EXPECT_FALSE(ParseServerListing("no total here\n", 2, &failure));
    EXPECT_EQ(CAM_ERR_INCOMPLETE, failure);
    EXPECT_TRUE(ParseServerListing("401 Unauthorized\nTotal Camera=0\n", 2));
    // The cameras are the rows that ended, whatever the total says; a mark at the very end of
    // the text is not cut past.
    auto ids = [](const char* answer) {
        std::vector<std::string> ids;
        auto list = ParseServerListing(answer, 2);
        for (const ServerCamera& camera : list.value()) ids.emplace_back(camera.id);
        return ids;
    };
    using Ids = std::vector<std::string>;
    EXPECT_EQ(ids("Total Camera=5\nID=a Camera=1\nID=b Camera=2\n"), (Ids{"a", "b"}));
    EXPECT_EQ(ids("Total Camera=-5<br>\nID=a IP=1<br>\nCamera=1<br>\n"), Ids{"a"});
    EXPECT_EQ(ids("Total Camera=1<br>\nID=a<br>\nCamera=1<br>\nID=b<br>\nCamera=2"),
              (Ids{"a", "b"}));
    EXPECT_EQ(ids("Total Camera=2<br>\nID=a<br>\nCamera=1<br>\nID=CAM1 IP=192.16"), Ids{"a"});
    EXPECT_EQ(ids("Total Camera=3\nCamera="), Ids{});
}

TEST(ServerListing, FailuresSayWhyAndLeaveTheCountAlone) {
    int count = 42;
    int failure = 0;
    EXPECT_FALSE(ListServerCameras(Login("a&b", "x"), count, "127.0.0.1", "9", 1, 3, &failure));
    EXPECT_EQ(CAM_ERR_UNSAFE_VALUE, failure);
    RecordingPeer silent({""});
    EXPECT_FALSE(
        ListServerCameras(Login("a", "x"), count, "127.0.0.1", silent.Port(), 1, 3, &failure));
    EXPECT_EQ(CAM_ERR_NO_ANSWER, failure);
    EXPECT_EQ(42, count);
}

}  // namespace
}  // namespace orvanta::camera
