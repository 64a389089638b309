// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "ReplyBuilder.h"
#include "discovery/DiscoveryDatagram.h"
#include "discovery/DiscoveryLog.h"

namespace orvanta::discovery {
namespace {

using test::Reply;

// Captures the discovery diagnostics of one test.
class LogCapture {
public:
    LogCapture() : file_(std::tmpfile()) { SetDiscoveryLog(file_); }
    ~LogCapture() {
        SetDiscoveryLog(stdout);
        std::fclose(file_);
    }
    std::string Text() {
        std::fflush(file_);
        std::rewind(file_);
        std::string out;
        char buffer[512];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file_)) > 0) out.append(buffer, n);
        return out;
    }

private:
    std::FILE* file_;
};

int Accept(const std::vector<uint8_t>& datagram, uint8_t payload[kPayloadSize]) {
    return AcceptReply(datagram.data(), static_cast<int>(datagram.size()), payload);
}

TEST(DiscoveryReply, RequestIsMagicThenTypeAndRepliesNeedAMagicAndTheReplyType) {
    uint8_t request[kRequestSize];
    BuildDiscoveryRequest(request);
    const uint8_t expected[] = {0x00, 0xF6, 0xD9, 0xA4, 0x00, 0x00, 0x00, 0x01};
    EXPECT_EQ(0, std::memcmp(request, expected, sizeof expected));

    uint8_t payload[kPayloadSize];
    Reply reply;
    EXPECT_EQ(0, Accept(reply.Bytes(), payload));
    reply.magic = DISCOVERY_MAGIC_ALT;
    EXPECT_EQ(0, Accept(reply.Bytes(), payload));

    LogCapture log;
    reply.magic = DISCOVERY_MAGIC;
    reply.type = MSG_REQUEST;
    EXPECT_EQ(1, Accept(reply.Bytes(), payload));
    reply.type = MSG_REPLY;
    reply.magic = 0x12345678;
    EXPECT_EQ(1, Accept(reply.Bytes(), payload));
    EXPECT_EQ(-3, AcceptReply(nullptr, -1, payload));
    // Header words are printed as a little-endian machine reads them.
    EXPECT_EQ(
        "Is not reply message ! (16777216)\n"
        "Unknown magic number ! (2018915346)\n"
        "Failed in receive reply message !\n",
        log.Text());
}

TEST(DiscoveryReply, PayloadIsCopiedAndShortRepliesAreZeroFilled) {
    uint8_t payload[kPayloadSize];
    std::vector<uint8_t> full = Reply().Bytes();
    ASSERT_EQ(0, Accept(full, payload));
    EXPECT_EQ(0, std::memcmp(payload, full.data() + 8, kPayloadSize));
    EXPECT_EQ(554, PayloadInt(payload, kPayloadStreamPort));

    std::memset(payload, 0xAB, sizeof payload);
    std::vector<uint8_t> shortReply(full.begin(), full.begin() + 200);
    ASSERT_EQ(0, Accept(shortReply, payload));
    EXPECT_EQ(0, std::memcmp(payload, full.data() + 8, 192));
    for (size_t i = 192; i < kPayloadSize; ++i) ASSERT_EQ(0, payload[i]) << i;
    EXPECT_EQ(0, PayloadInt(payload, kPayloadStreamPort));
}

// A reply must reach past the camera's address, and the address must be one a host can have.
TEST(DiscoveryReply, DatagramsThatNameNoCameraAreDropped) {
    LogCapture quiet;
    uint8_t payload[kPayloadSize];
    std::vector<uint8_t> full = Reply().Bytes();
    for (size_t length : {0u, 1u, 4u, 7u, 8u, 14u, 19u}) {
        std::vector<uint8_t> cut(full.begin(), full.begin() + static_cast<long>(length));
        EXPECT_EQ(1, AcceptReply(cut.data(), static_cast<int>(length), payload)) << length;
    }
    std::vector<uint8_t> addressOnly(full.begin(), full.begin() + 20);
    ASSERT_EQ(0, Accept(addressOnly, payload));
    EXPECT_EQ(0, PayloadInt(payload, kPayloadHttpPort));
    for (Reply r :
         {Reply().Ip(0, 0, 0, 0), Reply().Ip(255, 255, 255, 255), Reply().Ip(127, 0, 0, 1),
          Reply().Ip(224, 0, 0, 1), Reply().Ip(239, 255, 255, 250)})
        EXPECT_EQ(1, Accept(r.Bytes(), payload)) << int(r.ip[0]) << "." << int(r.ip[3]);
    EXPECT_EQ(0, Accept(Reply().Ip(223, 255, 255, 254).Bytes(), payload));
}

TEST(DiscoveryReply, TextAreaYieldsThreeTextsBoundedByTheArea) {
    uint8_t payload[kPayloadSize];
    Reply reply;
    reply.description = "Lobby";
    reply.serial = "SN-0042";
    reply.interfaceName = "wireless";
    ASSERT_EQ(0, Accept(reply.Bytes(), payload));
    ReplyTexts texts = SplitTextArea(payload);
    EXPECT_EQ("Lobby", texts.description);
    EXPECT_EQ("SN-0042", texts.serial);
    EXPECT_EQ("wireless", texts.interfaceName);

    reply.description = reply.serial = reply.interfaceName = "";
    ASSERT_EQ(0, Accept(reply.Bytes(), payload));
    texts = SplitTextArea(payload);
    EXPECT_EQ("", texts.description + texts.serial + texts.interfaceName);

    // No NUL anywhere in the area: the first text ends at its end, nothing beyond is read.
    std::memset(payload + kPayloadTextArea, 'x', kTextAreaSize);
    std::memset(payload + kPayloadStreamPort, 'y', 4);
    texts = SplitTextArea(payload);
    EXPECT_EQ(std::string(kTextAreaSize, 'x'), texts.description);
    EXPECT_EQ("", texts.serial);
    EXPECT_EQ("", texts.interfaceName);

    // A serial number that runs to the last byte of the area.
    std::memset(payload + kPayloadTextArea, 0, kTextAreaSize);
    payload[kPayloadTextArea] = 'd';
    std::memset(payload + kPayloadTextArea + 2, 's', kTextAreaSize - 2);
    texts = SplitTextArea(payload);
    EXPECT_EQ("d", texts.description);
    EXPECT_EQ(std::string(kTextAreaSize - 2, 's'), texts.serial);
    EXPECT_EQ("", texts.interfaceName);
}

}  // namespace
}  // namespace orvanta::discovery
