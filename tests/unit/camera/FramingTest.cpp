// SPDX-License-Identifier: GPL-3.0-or-later
// Request bytes, Base64, space encoding and the answer classification.
#include <gtest/gtest.h>

#include <string>

#include "camera/wire/RequestFraming.h"
#include "camera/wire/Transport.h"

namespace orvanta::camera {
namespace {

std::string Base64(const std::string& in, size_t capacity = 256) {
    char out[512];
    int n = Base64Encode(out, in.data(), in.size(), capacity);
    return n < 0 ? "<fail>" : std::string(out, static_cast<size_t>(n));
}

CameraSettings Secured(const char* user, const char* password) {
    CameraSettings s = NewCameraSettings();
    s.SECUEN = 1;
    SetFieldText(s.userName, user);
    SetFieldText(s.userPassword, password);
    return s;
}

std::string Command(const CameraSettings& s, int act, int page, int sub, const char* query = "") {
    char out[kRequestCapacity];
    int n = BuildCommandRequest(s, act, page, sub, query, out, sizeof out);
    return n < 0 ? "<fail>" : std::string(out, static_cast<size_t>(n));
}

TEST(CameraBase64, PaddingFollowsTheLengthOfTheInput) {
    // RFC 4648 vectors: lengths 3n, 3n+1 and 3n+2.
    EXPECT_EQ(Base64(""), "");
    EXPECT_EQ(Base64("f"), "Zg==");
    EXPECT_EQ(Base64("fo"), "Zm8=");
    EXPECT_EQ(Base64("foo"), "Zm9v");
    EXPECT_EQ(Base64("foob"), "Zm9vYg==");
    EXPECT_EQ(Base64("fooba"), "Zm9vYmE=");
    EXPECT_EQ(Base64("foobar"), "Zm9vYmFy");
    EXPECT_EQ(Base64("root:"), "cm9vdDo=");  // a user with an empty password
    EXPECT_EQ(Base64(std::string("\xff\xfe\x00\x80", 4)), "//4AgA==");
    // The whole alphabet, so a wrong table entry shows.
    EXPECT_EQ(Base64(std::string("\x00\x10\x83\x10\x51\x87\x20\x92\x8b\x30\xd3\x8f\x41\x14\x93"
                                 "\x51\x55\x97\x61\x96\x9b\x71\xd7\x9f\x82\x18\xa3\x92\x59\xa7"
                                 "\xa2\x9a\xab\xb2\xdb\xaf\xc3\x1c\xb3\xd3\x5d\xb7\xe3\x9e\xbb"
                                 "\xf3\xdf\xbf",
                                 48)),
              "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/");
}

TEST(CameraBase64, RefusesAnOutputThatWouldNotFit) {
    EXPECT_EQ(Base64("foo", 5), "Zm9v");  // four characters and the NUL
    EXPECT_EQ(Base64("foo", 4), "<fail>");
    char out[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(Base64Encode(out, "foobar", sizeof out), -1);
    EXPECT_EQ(out[0], '\0');
}

TEST(CameraEncodeSpaces, OnlyBlanksAreEncoded) {
    EXPECT_EQ(EncodeSpaces("Front door"), "Front%20door");
    EXPECT_EQ(EncodeSpaces(" a  b "), "%20a%20%20b%20");
    EXPECT_EQ(EncodeSpaces("a&b=c?d%20\xe9\t"), "a&b=c?d%20\xe9\t");
    EXPECT_EQ(EncodeSpaces(""), "");
}

TEST(CameraRequests, ReadsAndWritesByteForByte) {
    CameraSettings open = NewCameraSettings();
    EXPECT_EQ(Command(open, 1, 3, 0),
              "GET /goform/Parameters?Act=1&Page=3 HTTP/1.0\nUser-Agent: tavrin-1.0.1\n\n");
    EXPECT_EQ(Command(open, 1, 0, 15),
              "GET /cgi-bin/set_time.cgi?Act=1 HTTP/1.0\nUser-Agent: tavrin-1.0.1\n\n");
    EXPECT_EQ(Command(open, 2, 1, 0, "&TitleBar=Front%20door&Desp=x"),
              "GET /goform/Parameters?Act=2&Page=1&TitleBar=Front%20door&Desp=x HTTP/1.0\n"
              "User-Agent: tavrin-1.0.1\n\n\n");
    EXPECT_EQ(Command(open, 2, 0, 15, "&NTPEN=1&NTPName=pool"),
              "GET /cgi-bin/set_time.cgi?Act=2&NTPEN=1&NTPName=pool HTTP/1.0\n"
              "User-Agent: tavrin-1.0.1\n\n\n");
    EXPECT_EQ(Command(open, 2, 3, 18, "&IPType=0"),
              "GET /goform/Parameters?Act=2&Page=3&IPType=0 HTTP/1.0\n"
              "User-Agent: tavrin-1.0.1\n\n\n");

    CameraSettings secured = Secured("admin", "secret");  // YWRtaW46c2VjcmV0
    EXPECT_EQ(Command(secured, 1, 1, 0),
              "GET /goform/Parameters?Act=1&Page=1 HTTP/1.0\nUser-Agent: tavrin-1.0.1\n"
              "Authorization: Basic YWRtaW46c2VjcmV0\n\n");
    EXPECT_EQ(Command(secured, 1, 0, 15),
              "GET /cgi-bin/set_time.cgi?Act=1 HTTP/1.0\nUser-Agent: tavrin-1.0.1\n"
              "Authorization: Basic YWRtaW46c2VjcmV0\n\n");
    EXPECT_EQ(Command(secured, 2, 13, 0, "&DDNS=1"),
              "GET /goform/Parameters?Act=2&Page=13&DDNS=1 HTTP/1.0\nUser-Agent: tavrin-1.0.1\n"
              "Authorization: Basic YWRtaW46c2VjcmV0\n\n\n");
    // SECUEN other than 1 sends no credentials even when they are known.
    secured.SECUEN = 2;
    EXPECT_EQ(Command(secured, 1, 23, 0),
              "GET /goform/Parameters?Act=1&Page=23 HTTP/1.0\nUser-Agent: tavrin-1.0.1\n\n");
}

TEST(CameraRequests, AuthenticatedSystemReadAndScanByteForByte) {
    char out[kSmallRequestCapacity];
    CameraSettings s = NewCameraSettings();  // SECUEN 0: the credentials go all the same
    SetFieldText(s.userName, "root");
    ASSERT_GT(BuildAuthenticatedSystemRead(s, out, sizeof out), 0);
    EXPECT_STREQ(out,
                 "GET /goform/Parameters?Act=1&Page=1 HTTP/1.0\nUser-Agent: tavrin-1.0.1\n"
                 "Authorization: Basic cm9vdDo=\n\n");

    ASSERT_GT(BuildPathRequest(s, "/cgi-bin/ap_scan.cgi", out, sizeof out), 0);
    EXPECT_STREQ(out, "GET /cgi-bin/ap_scan.cgi HTTP/1.0\nUser-Agent: tavrin-1.0.1\n\n ");
    s.SECUEN = 1;
    ASSERT_GT(BuildPathRequest(s, "/cgi-bin/ap_scan.cgi", out, sizeof out), 0);
    EXPECT_STREQ(out,
                 "GET /cgi-bin/ap_scan.cgi HTTP/1.0\nUser-Agent: tavrin-1.0.1\n"
                 "Authorization: Basic cm9vdDo=\n\n\n ");
}

TEST(CameraRequests, TooLongIsRefusedNeverCut) {
    CameraSettings s = NewCameraSettings();
    std::string query(7000, 'k');
    char out[kRequestCapacity];
    out[0] = 'x';
    EXPECT_EQ(BuildCommandRequest(s, 2, 3, 0, query.c_str(), out, sizeof out),
              CAM_ERR_REQUEST_TOO_LONG);
    EXPECT_EQ(out[0], '\0');
    // Exactly at the limit still fits; one more byte does not.
    std::string head = "GET /goform/Parameters?Act=2&Page=3";
    std::string tail = " HTTP/1.0\nUser-Agent: tavrin-1.0.1\n\n\n";
    std::string fits(kRequestCapacity - 1 - head.size() - tail.size(), 'q');
    EXPECT_EQ(BuildCommandRequest(s, 2, 3, 0, fits.c_str(), out, sizeof out),
              static_cast<int>(kRequestCapacity - 1));
    fits += 'q';
    EXPECT_EQ(BuildCommandRequest(s, 2, 3, 0, fits.c_str(), out, sizeof out),
              CAM_ERR_REQUEST_TOO_LONG);
    // A command with a request that does not fit sends nothing and says why.
    EXPECT_EQ(CameraCommand(s, "127.0.0.1", "1", 2, 3, 0, query.c_str()), CAM_ERR_REQUEST_TOO_LONG);
    EXPECT_STREQ(ResultName(CAM_ERR_REQUEST_TOO_LONG), "CAM_ERR_REQUEST_TOO_LONG");

    // Credentials that fill their fields without a terminator are read to the width only.
    std::memset(s.userName, 'u', sizeof s.userName);
    std::memset(s.userPassword, 'p', sizeof s.userPassword);
    s.SECUEN = 1;
    char auth[kCredentialCapacity];
    ASSERT_EQ(BuildAuthText(s, "\n", auth, sizeof auth), CAM_OK);
    EXPECT_EQ(std::string(auth).size(), std::string("Authorization: Basic \n\n").size() + 172);
}

TEST(CameraClassify, MarksAreLookedForInOrder) {
    EXPECT_EQ(ClassifyAnswer("HTTP/1.0 404 Not Found\n402 Failure", true), CAM_ERR_HTTP_NOT_FOUND);
    EXPECT_EQ(ClassifyAnswer("HTTP/1.1 404 Not Found\n402 Failure", true), CAM_ERR_NOT_FOUND);
    EXPECT_EQ(ClassifyAnswer("402 Failure Unauthorized", true), CAM_ERR_FAILURE);
    EXPECT_EQ(ClassifyAnswer("401 Unauthorized", true), CAM_ERR_UNAUTHORIZED);
    // Writes are never unauthorized; a network report's keys are the report check's.
    EXPECT_EQ(ClassifyAnswer("401 Unauthorized", false), CAM_OK);
    EXPECT_EQ(ClassifyAnswer("IPAddr=1.2.3.4\n", true), CAM_OK);
    EXPECT_EQ(ClassifyAnswer("", true), CAM_OK);
    EXPECT_EQ(ClassifyAnswer(nullptr, true), CAM_OK);
}

}  // namespace
}  // namespace orvanta::camera
