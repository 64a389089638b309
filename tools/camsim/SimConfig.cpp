// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimConfig.h"

#include <arpa/inet.h>

#include <cstdio>
#include <sstream>

namespace camsim {
namespace {

std::string Trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos) return "";
    size_t end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

bool ParseInt(const std::string& text, long long low, long long high, long long& out) {
    try {
        size_t used = 0;
        long long value = std::stoll(text, &used, 0);
        if (used != text.size() || value < low || value > high) return false;
        out = value;
        return true;
    } catch (...) {
        return false;
    }
}

bool ParseMac(const std::string& text, uint8_t mac[6]) {
    unsigned b[6];
    char tail;
    if (std::sscanf(text.c_str(), "%x:%x:%x:%x:%x:%x%c", &b[0], &b[1], &b[2], &b[3], &b[4], &b[5],
                    &tail) != 6)
        return false;
    for (int i = 0; i < 6; ++i) {
        if (b[i] > 255) return false;
        mac[i] = static_cast<uint8_t>(b[i]);
    }
    return true;
}

}  // namespace

bool IsCamera(const SimCamera& camera) {
    auto role = camera.extra.find("role");
    return role == camera.extra.end() || role->second != "registration_server";
}

std::string FormatIp(uint32_t ip) {
    in_addr a{ip};
    return inet_ntoa(a);
}

bool SetCameraKey(SimCamera& camera, const std::string& key, const std::string& value,
                  std::string& error) {
    long long number = 0;
    if (key == "mac") {
        if (!ParseMac(value, camera.mac)) error = "bad mac: " + value;
    } else if (key == "ip") {
        in_addr a{};
        if (inet_pton(AF_INET, value.c_str(), &a) != 1)
            error = "bad ip: " + value;
        else
            camera.ip = a.s_addr;
    } else if (key == "http_port" || key == "stream_port") {
        if (!ParseInt(value, INT32_MIN, INT32_MAX, number))
            error = "bad " + key + ": " + value;
        else
            (key == "http_port" ? camera.httpPort : camera.streamPort) =
                static_cast<int32_t>(number);
    } else if (key == "description") {
        camera.description = value;
    } else if (key == "serial") {
        camera.serial = value;
    } else if (key == "interface") {
        camera.interfaceName = value;
    } else if (key == "magic") {
        if (value == "primary")
            camera.magic = 0x00F6D9A4;
        else if (value == "alt")
            camera.magic = 0x01156A06;
        else if (ParseInt(value, 0, UINT32_MAX, number))
            camera.magic = static_cast<uint32_t>(number);
        else
            error = "bad magic: " + value;
    } else if (key == "reply_size") {
        if (!ParseInt(value, 0, 1024, number))
            error = "bad reply_size: " + value;
        else
            camera.replySize = static_cast<int>(number);
    } else if (key == "reply_to") {
        if (value != "broadcast" && value != "sender") error = "bad reply_to: " + value;
        camera.replyToSender = value == "sender";
    } else {
        camera.extra[key] = value;
    }
    return error.empty();
}

bool ParseConfig(const std::string& text, std::vector<SimCamera>& cameras, std::string& error) {
    std::istringstream in(text);
    std::string line;
    int lineNumber = 0;
    bool inCamera = false;
    while (std::getline(in, line)) {
        ++lineNumber;
        std::string t = Trim(line);
        if (t.empty() || t[0] == '#' || t[0] == ';') continue;
        if (t == "[camera]") {
            cameras.emplace_back();
            inCamera = true;
            continue;
        }
        size_t eq = t.find('=');
        if (!inCamera || eq == std::string::npos) {
            error = "line " + std::to_string(lineNumber) + ": expected [camera] or key = value";
            return false;
        }
        std::string fieldError;
        if (!SetCameraKey(cameras.back(), Trim(t.substr(0, eq)), Trim(t.substr(eq + 1)),
                          fieldError)) {
            error = "line " + std::to_string(lineNumber) + ": " + fieldError;
            return false;
        }
    }
    return true;
}

bool ParseCameraKeys(const std::string& keys, SimCamera& camera, std::string& error) {
    std::istringstream in(keys);
    std::string item;
    while (std::getline(in, item, ',')) {
        size_t eq = item.find('=');
        if (eq == std::string::npos) {
            error = "expected key=value: " + item;
            return false;
        }
        if (!SetCameraKey(camera, Trim(item.substr(0, eq)), Trim(item.substr(eq + 1)), error))
            return false;
    }
    return true;
}

std::vector<SimCamera> GenerateCameras(int count, uint32_t firstIp) {
    std::vector<SimCamera> cameras(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        SimCamera& camera = cameras[static_cast<size_t>(i)];
        int n = i + 1;
        camera.mac[3] = static_cast<uint8_t>(n >> 16);
        camera.mac[4] = static_cast<uint8_t>(n >> 8);
        camera.mac[5] = static_cast<uint8_t>(n);
        camera.ip = htonl(ntohl(firstIp) + static_cast<uint32_t>(i));
        char serial[16];
        std::snprintf(serial, sizeof serial, "SIM%05d", n);
        camera.serial = serial;
        camera.description = "Sim Camera " + std::to_string(n);
    }
    return cameras;
}

}  // namespace camsim
