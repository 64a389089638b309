// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The discovery engine: broadcasts the request from every PC address, reads the replies and
// keeps the list of found cameras (one entry per MAC address, aged out a minute after its
// latest reply arrived), exported as fixed-width text rows. It has no thread or timer: the
// owner calls Query. The replies come in through the process's one socket on the discovery
// port (SharedReceiver.h), so every open engine hears every reply, broadcast or unicast.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "discovery/DiscoveryDatagram.h"
#include "discovery/SharedReceiver.h"
#include "platform/Clock.h"
#include "platform/UdpApi.h"

namespace orvanta::discovery {

// One PC address, which the request cycle sends from.
struct DiscoveryChannel {
    uint32_t localAddress = 0;
    uint32_t destinationAddress = 0;
    uint32_t port = 0;
};

struct FoundCamera {
    int position = 0;
    int channel = 0;        // the PC address the latest reply came in on, -1 unknown
    uint32_t lastSeen = 0;  // ms tick at which the latest reply arrived
    uint8_t payload[kPayloadSize] = {};
};

struct CameraRow {
    char mac[260];
    char ip[260];
    char port[260];
    char descInterface[32];
    char serial[260];
    char streamPort[260];
};
static_assert(sizeof(CameraRow) == 1332, "rows are exported with a fixed layout");

// The row of one found camera, as Query exports it.
void FillRow(const FoundCamera& camera, CameraRow& row);

class CPLipf {
public:
    using HostAddressSource = std::function<bool(std::vector<uint32_t>&)>;

    // The real sockets, the PC's interfaces and the system clock.
    CPLipf();
    CPLipf(platform::UdpApi& udp, HostAddressSource hostAddresses, platform::TickSource clock);
    virtual ~CPLipf();
    CPLipf(const CPLipf&) = delete;
    CPLipf& operator=(const CPLipf&) = delete;

    // Mode 0 polls; mode 1 forgets every found camera first. Returns 1 when the rows were
    // rebuilt, 0 when nothing changed, -1 when nothing could be read (outputs untouched).
    int Query(CameraRow** rows, int* rowCount, int* rowCapacity, int mode);

    // Sends a request cycle now, however recent the last one was (with no network yet, as
    // soon as one appears). Cameras only answer again; their entries are updated as by any
    // reply, read by the next Query.
    void RequestCycle();

    // The found cameras in list order, with their full replies.
    const std::vector<FoundCamera>& Cameras() const { return found_; }
    bool NoNetwork() const { return noNetwork_ != 0; }

    // At most this many datagrams are read in one Query.
    static constexpr int kMaxRepliesPerQuery = ReceiverLease::kMaxPerPump;

private:
    int LoadHostAddresses();
    // The request cycle when one is due; false while the PC has no network.
    bool SendCycleIfDue();
    bool PollReplies();
    int SendDiscoveryRequest(const DiscoveryChannel* channel);
    int OpenSendSocket(uint32_t localAddress);
    int ReceiveReply(const QueuedDatagram& datagram, uint8_t* payload);
    int ChannelOf(uint32_t localAddress) const;
    void HandleReceived(int result, const QueuedDatagram& datagram);
    void UpsertCamera(const FoundCamera& record);
    void PurgeCameras();
    void Renumber();
    int BuildRows();

    platform::UdpApi& udp_;
    HostAddressSource hostSource_;
    platform::TickSource now_;

    int changed_ = 0;
    int noNetwork_ = 1;
    std::string broadcastAddress_ = "255.255.255.255";
    int port_ = DISCOVERY_PORT;
    int addressCount_ = 0;
    std::vector<uint32_t> hostAddresses_;
    std::string lastAddressText_;
    std::vector<DiscoveryChannel> channels_;
    std::vector<int> sendFailed_;
    std::vector<FoundCamera> found_;
    uint8_t replyPayload_[kPayloadSize] = {};
    FoundCamera staging_;
    uint32_t lastRequestTime_ = 0;
    int channelsOpen_ = 0;
    bool cycleRequested_ = false;
    int requestPeriod_ = 30;
    int ageLimit_ = 60;
    int rowCapacity_ = 25;
    std::vector<CameraRow> rows_;
    ReplyQueue queue_;
    std::unique_ptr<ReceiverLease> lease_;  // while the channels are open; after queue_
};

}  // namespace orvanta::discovery
