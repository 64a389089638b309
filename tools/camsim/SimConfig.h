// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cameras one simulator process plays, from a config file, --camera flags or --generate.
//
// Config file: one [camera] section per camera, "key = value" lines, '#' comments.
// Keys: mac, ip, http_port, stream_port, description, serial, interface, magic
// ("primary", "alt" or a number), reply_size (bytes of the discovery reply actually sent),
// reply_to ("broadcast", the default, or "sender": a model that answers the asking PC's
// address by unicast).
// Keys the simulator does not know are kept in `extra` for the services that read them.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace camsim {

struct SimCamera {
    uint8_t mac[6] = {0x00, 0x0E, 0x53, 0x00, 0x00, 0x01};
    uint32_t ip = 0;  // network byte order
    int32_t httpPort = 80;
    int32_t streamPort = 8000;  // its own port, apart from RTSP on 554
    std::string description = "Network Camera";
    std::string serial;
    std::string interfaceName = "eth0";
    uint32_t magic = 0x00F6D9A4;
    int replySize = 284;
    bool replyToSender = false;
    std::map<std::string, std::string> extra;
    bool online = true;  // false while the camera restarts
};

// False for an entry that plays a registration server rather than a camera.
bool IsCamera(const SimCamera& camera);

// Sets one key of a camera; false with `error` filled when the value is not valid.
bool SetCameraKey(SimCamera& camera, const std::string& key, const std::string& value,
                  std::string& error);

// Parses a config file's text; false with `error` naming the line on a bad entry.
bool ParseConfig(const std::string& text, std::vector<SimCamera>& cameras, std::string& error);

// "key=value,key=value" as given to --camera.
bool ParseCameraKeys(const std::string& keys, SimCamera& camera, std::string& error);

// `count` cameras with consecutive addresses from `firstIp`, MACs 00:0E:53:xx:xx:xx and
// serial numbers SIM00001, SIM00002, ...
std::vector<SimCamera> GenerateCameras(int count, uint32_t firstIp);

std::string FormatIp(uint32_t ip);

}  // namespace camsim
