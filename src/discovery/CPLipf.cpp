#include "discovery/CPLipf.h"

#include <arpa/inet.h>

#include <cstdio>
#include <cstring>

#include "discovery/DiscoveryLog.h"
#include "platform/AddressText.h"
#include "platform/HostAddresses.h"

namespace orvanta::discovery {
namespace {

// A large network answers a request with a burst; the queue holds it until the next Query.
constexpr int kReceiveBufferBytes = 1 << 20;

template <size_t N>
void CopyText(char (&field)[N], const std::string& text) {
    std::snprintf(field, N, "%s", text.c_str());
}

}  // namespace

CPLipf::CPLipf()
    : CPLipf(platform::SystemUdpApi(), platform::ListHostAddresses, platform::SystemTickMs) {}

CPLipf::CPLipf(platform::UdpApi& udp, HostAddressSource hostAddresses, platform::TickSource clock)
    : udp_(udp), hostSource_(std::move(hostAddresses)), now_(std::move(clock)) {
    LoadHostAddresses();
    lastRequestTime_ = now_();
    rows_.resize(static_cast<size_t>(rowCapacity_));
}

CPLipf::~CPLipf() {
    for (DiscoveryChannel& channel : channels_) udp_.Close(channel.receiveSocket);
}

int CPLipf::LoadHostAddresses() {
    std::vector<uint32_t> addresses;
    if (!hostSource_(addresses) || addresses.empty()) return 0;
    hostAddresses_ = std::move(addresses);
    addressCount_ = static_cast<int>(hostAddresses_.size());
    lastAddressText_ = platform::DottedAddress(hostAddresses_.back());
    noNetwork_ = lastAddressText_.compare(0, 9, "127.0.0.1") == 0 ? 1 : 0;
    if (noNetwork_ == 0) {
        for (DiscoveryChannel& channel : channels_) udp_.Close(channel.receiveSocket);
        channels_.assign(hostAddresses_.size(), DiscoveryChannel{});
        sendFailed_.assign(hostAddresses_.size(), 0);
    }
    return 1;
}

int CPLipf::Query(CameraRow** rows, int* rowCount, int* rowCapacity, int mode) {
    if (mode != 0 && mode != 1) return 0;
    if (mode == 1) found_.clear();
    if (!PollReplies()) return -1;
    int rebuilt = BuildRows();
    *rows = rows_.data();
    *rowCount = static_cast<int>(found_.size());
    *rowCapacity = rowCapacity_;
    return rebuilt;
}

void CPLipf::RequestCycle() {
    cycleRequested_ = true;
    SendCycleIfDue();
}

bool CPLipf::SendCycleIfDue() {
    const uint32_t now = now_();
    if (now - lastRequestTime_ > static_cast<uint32_t>(requestPeriod_) * 1000u ||
        channelsOpen_ == 0 || cycleRequested_) {
        if (noNetwork_ == 1) {
            LoadHostAddresses();
            return false;
        }
        if (channelsOpen_ == 0) {
            for (size_t i = 0; i < channels_.size(); ++i) {
                DiscoveryChannel& channel = channels_[i];
                channel.localAddress = hostAddresses_[i];
                channel.destinationAddress =
                    platform::ParseDottedAddressOr(broadcastAddress_, htonl(INADDR_BROADCAST));
                channel.port = static_cast<uint32_t>(port_);
                channel.receiveSocket = OpenReceiveSocket(static_cast<uint16_t>(port_));
            }
            channelsOpen_ = 1;
        }
        for (size_t i = 0; i < channels_.size(); ++i)
            sendFailed_[i] = SendDiscoveryRequest(&channels_[i]) < 0 ? 1 : 0;
        lastRequestTime_ = now;
        cycleRequested_ = false;
    }
    return noNetwork_ != 1;
}

bool CPLipf::PollReplies() {
    if (!SendCycleIfDue()) return false;

    for (size_t i = 0; i < channels_.size(); ++i) {
        DiscoveryChannel& channel = channels_[i];
        if (channel.receiveSocket < 0) return false;
        // The first wait decides whether this channel (and the ones after it) is read now;
        // then everything already queued on it is taken, up to a bound.
        for (int n = 0; n < kMaxRepliesPerChannel; ++n) {
            int ready = udp_.WaitReadable(channel.receiveSocket, n == 0 ? 1 : 0);
            channel.readable = ready > 0 ? 1 : 0;
            if (ready <= 0) {
                if (n == 0) return false;
                break;
            }
            HandleReceived(ReceiveReply(&channel, replyPayload_), static_cast<int>(i));
        }
    }
    return true;
}

void CPLipf::HandleReceived(int result, int channelIndex) {
    if (result == 0) {
        staging_.channel = channelIndex;
        staging_.lastSeen = now_();
        std::memcpy(staging_.payload, replyPayload_, kPayloadSize);
        UpsertCamera(staging_);
        PurgeCameras();
    } else if (result == 1 || result == -4) {
        if (!found_.empty()) PurgeCameras();
    }
}

int CPLipf::SendDiscoveryRequest(const DiscoveryChannel* channel) {
    if (channel == nullptr) {
        DiscoveryLog("Invalid handler !\n");
        return -1;
    }
    int fd = OpenSendSocket(channel->localAddress);
    if (fd < 0) {
        DiscoveryLog("Failed in open sending socket !\n");
        return -3;
    }
    uint8_t request[kRequestSize];
    BuildDiscoveryRequest(request);
    if (udp_.SendTo(fd, request, sizeof request, channel->destinationAddress,
                    static_cast<uint16_t>(channel->port)) < 0) {
        DiscoveryLog("Failed in send request message !\n");
        udp_.Close(fd);
        return -3;
    }
    udp_.Close(fd);
    return 0;
}

int CPLipf::OpenSendSocket(uint32_t localAddress) {
    int fd = udp_.Open();
    if (fd < 0) {
        DiscoveryLog("Failed in open sending socket !\n");
        return -1;
    }
    if (udp_.Bind(fd, localAddress, 0) < 0) {
        DiscoveryLog("Failed in bind sending socket !\n");
        udp_.Close(fd);
        return -1;
    }
    if (udp_.EnableBroadcast(fd) < 0) {
        udp_.Close(fd);
        return -1;
    }
    return fd;
}

int CPLipf::OpenReceiveSocket(uint16_t port) {
    int fd = udp_.Open();
    if (fd < 0) return -1;
    if (udp_.EnableReuseAddress(fd) < 0 || udp_.Bind(fd, htonl(INADDR_ANY), port) < 0 ||
        udp_.EnableBroadcast(fd) < 0) {
        udp_.Close(fd);
        return -1;
    }
    udp_.SetReceiveBuffer(fd, kReceiveBufferBytes);  // best effort
    return fd;
}

int CPLipf::ReceiveReply(DiscoveryChannel* channel, uint8_t* payload) {
    if (channel == nullptr) {
        DiscoveryLog("Invalid handler !\n");
        return -1;
    }
    if (payload == nullptr) {
        DiscoveryLog("Invalid reply data buffer !\n");
        return -2;
    }
    std::memset(payload, 0, kPayloadSize);
    if (!channel->readable) {
        DiscoveryLog("Is not in the set!\n");
        return -4;
    }
    uint8_t datagram[kReplySize];
    int length = udp_.Receive(channel->receiveSocket, datagram, sizeof datagram);
    DiscoveryLog("recvfrom function return length = %d\n", length);
    return AcceptReply(datagram, length, payload);
}

void CPLipf::UpsertCamera(const FoundCamera& record) {
    FoundCamera* match = nullptr;
    for (FoundCamera& node : found_) {
        if (std::memcmp(node.payload + kPayloadMac, record.payload + kPayloadMac, 6) == 0) {
            match = &node;
            break;
        }
    }
    if (match == nullptr) {
        found_.push_back(record);
        changed_ = 1;
    } else {
        if (std::memcmp(match->payload + kPayloadIp, record.payload + kPayloadIp, 4) != 0)
            changed_ = 1;
        match->channel = record.channel;
        match->lastSeen = record.lastSeen;
        std::memcpy(match->payload, record.payload, kPayloadSize);
    }
    Renumber();
}

void CPLipf::PurgeCameras() {
    const uint32_t now = now_();
    const uint32_t limit = static_cast<uint32_t>(ageLimit_) * 1000u;
    size_t before = found_.size();
    std::erase_if(found_, [&](const FoundCamera& node) { return now - node.lastSeen > limit; });
    std::erase_if(found_, [&](const FoundCamera& node) {
        return node.channel >= 0 && static_cast<size_t>(node.channel) < sendFailed_.size() &&
               sendFailed_[static_cast<size_t>(node.channel)] == 1;
    });
    if (found_.size() != before) {
        changed_ = 1;
        Renumber();
    }
}

void CPLipf::Renumber() {
    int position = 1;
    for (FoundCamera& node : found_) node.position = position++;
}

int CPLipf::BuildRows() {
    // Grown in steps so that the table always holds every found camera.
    while (static_cast<int>(found_.size()) >= rowCapacity_) rowCapacity_ += 25;
    if (rows_.size() != static_cast<size_t>(rowCapacity_))
        rows_.resize(static_cast<size_t>(rowCapacity_));
    Renumber();
    if (changed_ != 1) return 0;
    for (size_t i = 0; i < found_.size(); ++i) {
        const uint8_t* p = found_[i].payload;
        CameraRow& row = rows_[i];
        std::memset(&row, 0, sizeof row);
        CopyText(row.mac, platform::MacText(p + kPayloadMac));
        CopyText(row.ip, platform::DottedAddress(p + kPayloadIp));
        std::snprintf(row.port, sizeof row.port, "%d", PayloadInt(p, kPayloadHttpPort));
        ReplyTexts texts = SplitTextArea(p);
        std::snprintf(row.descInterface, sizeof row.descInterface, "%s/%s",
                      texts.description.c_str(), texts.interfaceName.c_str());
        CopyText(row.serial, texts.serial);
        std::snprintf(row.streamPort, sizeof row.streamPort, "%d",
                      PayloadInt(p, kPayloadStreamPort));
    }
    changed_ = 0;
    return 1;
}

}  // namespace orvanta::discovery
