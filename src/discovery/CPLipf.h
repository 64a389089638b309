#pragma once
// The discovery engine: broadcasts the request from every PC address, reads the replies and
// keeps the list of found cameras (one entry per MAC address, aged out after a minute),
// exported as fixed-width text rows. It has no thread or timer: the owner calls Query.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "discovery/DiscoveryDatagram.h"
#include "platform/Clock.h"
#include "platform/UdpApi.h"

namespace orvanta::discovery {

struct DiscoveryChannel {
    int receiveSocket = -1;
    int readable = 0;  // the channel's read set: 1 when its socket was found readable
    uint32_t localAddress = 0;
    uint32_t destinationAddress = 0;
    uint32_t port = 0;
};

struct FoundCamera {
    int position = 0;
    int channel = 0;
    uint32_t lastSeen = 0;
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

    // At most this many datagrams are read from one channel in one Query.
    static constexpr int kMaxRepliesPerChannel = 256;

private:
    int LoadHostAddresses();
    // The request cycle when one is due; false while the PC has no network.
    bool SendCycleIfDue();
    bool PollReplies();
    int SendDiscoveryRequest(const DiscoveryChannel* channel);
    int OpenSendSocket(uint32_t localAddress);
    int OpenReceiveSocket(uint16_t port);
    int ReceiveReply(DiscoveryChannel* channel, uint8_t* payload);
    void HandleReceived(int result, int channelIndex);
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
};

}  // namespace orvanta::discovery
