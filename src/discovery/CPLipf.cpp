// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery/CPLipf.h"

#include <arpa/inet.h>

#include <cstdio>
#include <cstring>

#include "discovery/DiscoveryLog.h"
#include "platform/AddressText.h"
#include "platform/HostAddresses.h"

namespace orvanta::discovery {
namespace {

template <size_t N>
void CopyText(char (&field)[N], const std::string& text) {
    std::snprintf(field, N, "%s", text.c_str());
}

}  // namespace

void FillRow(const FoundCamera& camera, CameraRow& row) {
    const uint8_t* p = camera.payload;
    std::memset(&row, 0, sizeof row);
    CopyText(row.mac, platform::MacText(p + kPayloadMac));
    CopyText(row.ip, platform::DottedAddress(p + kPayloadIp));
    std::snprintf(row.port, sizeof row.port, "%d", PayloadInt(p, kPayloadHttpPort));
    ReplyTexts texts = SplitTextArea(p);
    std::snprintf(row.descInterface, sizeof row.descInterface, "%s/%s", texts.description.c_str(),
                  texts.interfaceName.c_str());
    CopyText(row.serial, texts.serial);
    std::snprintf(row.streamPort, sizeof row.streamPort, "%d", PayloadInt(p, kPayloadStreamPort));
}

CPLipf::CPLipf()
    : CPLipf(platform::SystemUdpApi(), platform::ListHostAddresses, platform::SystemTickMs) {}

CPLipf::CPLipf(platform::UdpApi& udp, HostAddressSource hostAddresses, platform::TickSource clock)
    : udp_(udp), hostSource_(std::move(hostAddresses)), now_(std::move(clock)) {
    LoadHostAddresses();
    lastRequestTime_ = now_();
    rows_.resize(static_cast<size_t>(rowCapacity_));
}

CPLipf::~CPLipf() = default;

int CPLipf::LoadHostAddresses() {
    std::vector<uint32_t> addresses;
    if (!hostSource_(addresses) || addresses.empty()) return 0;
    hostAddresses_ = std::move(addresses);
    addressCount_ = static_cast<int>(hostAddresses_.size());
    lastAddressText_ = platform::DottedAddress(hostAddresses_.back());
    noNetwork_ = lastAddressText_.compare(0, 9, "127.0.0.1") == 0 ? 1 : 0;
    if (noNetwork_ == 0) {
        channels_.assign(hostAddresses_.size(), DiscoveryChannel{});
        sendFailed_.assign(hostAddresses_.size(), 0);
    }
    return 1;
}

int CPLipf::Query(CameraRow** rows, int* rowCount, int* rowCapacity, int mode) {
    if (mode != 0 && mode != 1) return 0;
    queue_.MarkActive(now_());
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
    queue_.MarkActive(now_());
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
            }
            lease_ = std::make_unique<ReceiverLease>(udp_, queue_);
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
    // Everything waiting on the socket is read, whichever PC address it came in on; a
    // socket that cannot be opened, or nothing that arrived for this engine, reads nothing.
    if (lease_->Pump(now_) < 0) return false;
    QueuedDatagram datagram;
    bool any = false;
    for (; queue_.Pop(datagram); any = true)
        HandleReceived(ReceiveReply(datagram, replyPayload_), datagram);
    return any;
}

int CPLipf::ChannelOf(uint32_t localAddress) const {
    for (size_t i = 0; i < channels_.size(); ++i)
        if (localAddress != 0 && channels_[i].localAddress == localAddress)
            return static_cast<int>(i);
    return -1;
}

void CPLipf::HandleReceived(int result, const QueuedDatagram& datagram) {
    if (result == 0) {
        staging_.channel = ChannelOf(datagram.localAddress);
        staging_.lastSeen = datagram.arrival;
        std::memcpy(staging_.payload, replyPayload_, kPayloadSize);
        UpsertCamera(staging_);
        PurgeCameras();
    } else if (result == 1) {
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

int CPLipf::ReceiveReply(const QueuedDatagram& datagram, uint8_t* payload) {
    if (payload == nullptr) {
        DiscoveryLog("Invalid reply data buffer !\n");
        return -2;
    }
    return AcceptReply(datagram.bytes, datagram.length, payload);
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
    for (size_t i = 0; i < found_.size(); ++i) FillRow(found_[i], rows_[i]);
    changed_ = 0;
    return 1;
}

}  // namespace orvanta::discovery
