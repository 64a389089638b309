// SPDX-License-Identifier: GPL-3.0-or-later
#include "CameraCgi.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace camsim {
namespace {

// Report keys of each page, in the order the camera lists them.
const char* const kSystemKeys[] = {"TitleBar", "Desp", "SECUEN", "ModelName"};
const char* const kWiredKeys[] = {"IPType", "IPAddr", "Netmask", "Gateway", "DNS1", "DNS2"};
const char* const kWirelessAddressKeys[] = {"WIPType",  "WIPAddr", "WNetmask",
                                            "WGateway", "WDNS1",   "WDNS2"};
const char* const kWirelessKeys[] = {"Wireless", "WireType", "SSID",     "WireCh",  "ChType",
                                     "WireSec",  "TxRate",   "WEPAuthM", "WEPMode", "WepKeyL",
                                     "WEPKey0",  "WEPKey1",  "WEPKey2",  "WEPKey3", "WEPKeyE0",
                                     "WPAKey",   "WPAEnc",   "WPAPSKeyM"};
const char* const kPortKeys[] = {"UPnPE", "HttpPort", "SPort", "RTSPPort"};
const char* const kDdnsKeys[] = {"DDNSSrv", "DDNS", "DDNSUser", "DDNSPwd", "DDNSHost"};
const char* const kFirmwareKeys[] = {"Version"};
const char* const kNatKeys[] = {"NATStat", "ExtIPAddr", "ExtHttpPort"};
const char* const kTimeKeys[] = {"NTPEN", "NTPName", "NTPPoll", "Timezone", "Date", "Time"};
const char* const kCapabilityKeys[] = {"Wireless", "WPS", "Transversal"};

// What each write may change, by the page it names.
const std::set<std::string> kWritableSystem = {"TitleBar", "Desp"};
const std::set<std::string> kWritableDdns = {"DDNSSrv", "DDNS", "DDNSUser", "DDNSPwd", "DDNSHost"};
const std::set<std::string> kWritableTime = {"NTPEN",    "NTPName", "NTPPoll",
                                             "Timezone", "Date",    "Time"};
const std::set<std::string> kWritableNetwork = {
    "IPType",  "IPAddr",   "Netmask",  "Gateway", "DNS1",      "DNS2",     "WIPType",
    "WIPAddr", "WNetmask", "WGateway", "WDNS1",   "WDNS2",     "WireType", "WireSec",
    "SSID",    "WireCh",   "WEPAuthM", "WEPMode", "WEPKey0",   "WEPKey1",  "WEPKey2",
    "WEPKey3", "WEPKeyE0", "WPAKey",   "WPAEnc",  "WPAPSKeyM", "TxRate",   "WepKeyL",
    "UPnPE",   "PAccount", "PPwd",     "PVP",     "HttpPort",  "SPort",    "RTSPPort"};

const std::set<std::string> kFaultNames = {
    "silent",   "pieces",       "drip",         "keep_open",      "flood",        "close",
    "reset",    "reset_midway", "cut",          "cut_bare",       "overlong",     "garbage",
    "not_http", "failure",      "http401",      "http403",        "http500",      "login_redirect",
    "ok_error", "huge_sum",     "no_wpapskeym", "wireless_first", "negative_sum", "blank_keys",
    "tab_keys", "redirect",     "plain"};

const char kUnauthorized[] =
    "HTTP/1.0 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"camera\"\r\n"
    "Content-Type: text/plain\r\nConnection: close\r\n\r\nUnauthorized\n";

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) parts.push_back(part);
    if (!text.empty() && text.back() == separator) parts.emplace_back();
    return parts;
}

bool ToInt(const std::string& text, int low, int high, int& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || value < low || value > high) return false;
    out = static_cast<int>(value);
    return true;
}

void SetDefaults(const SimCamera& camera, CgiCamera& out) {
    uint32_t host = ntohl(camera.ip);
    in_addr gatewayAddress{htonl((host & 0xFFFFFF00u) | 1u)};
    std::string gateway = camera.ip ? inet_ntoa(gatewayAddress) : "";
    auto& v = out.values;
    v = {{"TitleBar", "Camera"},
         {"Desp", camera.description},
         {"SECUEN", "0"},
         {"ModelName", "Mervo-71Z"},
         {"IPType", "1"},
         {"IPAddr", FormatIp(camera.ip)},
         {"Netmask", "255.255.255.0"},
         {"Gateway", gateway},
         {"DNS1", gateway},
         {"DNS2", ""},
         {"WIPType", "0"},
         {"WIPAddr", "0.0.0.0"},
         {"WNetmask", "255.255.255.0"},
         {"WGateway", ""},
         {"WDNS1", ""},
         {"WDNS2", ""},
         {"Wireless", "0"},
         {"WireType", "0"},
         {"SSID", ""},
         {"WireCh", "6"},
         {"ChType", "0"},
         {"WireSec", "0"},
         {"TxRate", "Auto"},
         {"WEPAuthM", "0"},
         {"WEPMode", "0"},
         {"WepKeyL", "0"},
         {"WEPKey0", ""},
         {"WEPKey1", ""},
         {"WEPKey2", ""},
         {"WEPKey3", ""},
         {"WEPKeyE0", "1"},
         {"WPAKey", ""},
         {"WPAEnc", "0"},
         {"WPAPSKeyM", "0"},
         {"UPnPE", "1"},
         {"HttpPort", std::to_string(camera.httpPort)},
         {"SPort", std::to_string(camera.streamPort)},
         {"RTSPPort", "554"},
         {"DDNSSrv", ""},
         {"DDNS", "0"},
         {"DDNSUser", ""},
         {"DDNSPwd", ""},
         {"DDNSHost", ""},
         {"Version", "1.0.0.0"},
         {"NATStat", "0"},
         {"ExtIPAddr", ""},
         {"ExtHttpPort", "0"},
         {"NTPEN", "0"},
         {"NTPName", "pool.ntp.org"},
         {"NTPPoll", "24"},
         {"Timezone", "0"},
         {"Date", "2026/01/01"},
         {"Time", "00:00:00"}};
    out.caps = {{"Wireless", "1"}, {"WPS", "1"}, {"Transversal", "0"}};
}

bool ParseAccessPoint(const std::string& text, SimAccessPoint& ap) {
    std::vector<std::string> f = Split(text, '|');
    if (f.size() != 7) return false;
    if (!ToInt(f[0], -100000, 100000, ap.channel) || !ToInt(f[3], -100000, 100000, ap.quality))
        return false;
    ap.mac = f[1];
    ap.ssid = f[2];
    ap.mode = f[4];
    ap.security = f[5];
    ap.algorithm = f[6];
    return true;
}

struct Request {
    std::string path;
    std::map<std::string, std::string> query;
    std::string authorization;  // the value of the Authorization header
};

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool ParseRequest(const std::string& head, Request& request) {
    std::vector<std::string> lines;
    for (std::string& line : Split(head, '\n')) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    if (lines.empty()) return false;
    // The target runs to the last blank: values in the query may hold raw blanks.
    const std::string& first = lines[0];
    size_t begin = first.find(' '), end = first.rfind(' ');
    if (first.compare(0, 4, "GET ") != 0 || end <= begin) return false;
    const std::string target = first.substr(begin + 1, end - begin - 1);
    size_t mark = target.find('?');
    request.path = target.substr(0, mark);
    if (mark != std::string::npos) {
        for (const std::string& item : Split(target.substr(mark + 1), '&')) {
            size_t eq = item.find('=');
            request.query[item.substr(0, eq)] = eq == std::string::npos ? "" : item.substr(eq + 1);
        }
    }
    for (size_t i = 1; i < lines.size(); ++i) {
        size_t colon = lines[i].find(':');
        if (colon == std::string::npos) continue;
        std::string name = Lower(lines[i].substr(0, colon));
        size_t begin = lines[i].find_first_not_of(" \t", colon + 1);
        if (name == "authorization" && begin != std::string::npos)
            request.authorization = lines[i].substr(begin);
    }
    return true;
}

bool Authorized(const CgiCamera& camera, const Request& request) {
    if (!camera.security) return true;
    const std::string& value = request.authorization;
    if (Lower(value.substr(0, 6)) != "basic ") return false;
    std::string credentials;
    if (!DecodeBase64(value.substr(6), credentials)) return false;
    return credentials == camera.user + ":" + camera.password;
}

std::string Status(const std::string& status, const std::string& body, bool withLength = true) {
    std::string length =
        withLength ? "Content-Length: " + std::to_string(body.size()) + "\r\n" : std::string();
    return "HTTP/1.0 " + status + "\r\nContent-Type: text/plain\r\nConnection: close\r\n" + length +
           "\r\n" + body;
}

// A redirect to `location` with a page that links to it.
std::string Redirect(const std::string& status, const std::string& location) {
    const std::string page =
        "<html><body><a href=\"" + location + "\">" + location + "</a></body></html>\n";
    return "HTTP/1.0 " + status + "\r\nLocation: " + location +
           "\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(page.size()) +
           "\r\n\r\n" + page;
}

// Bytes that are no report and no HTTP: never NUL, so they reach the client's text whole.
std::string Junk(size_t size) {
    std::string out;
    uint32_t state = 0x2545F491u;
    while (out.size() < size) {
        state = state * 1664525u + 1013904223u;
        char c = static_cast<char>(state >> 24);
        if (c != '\0') out += c;
    }
    return out;
}

std::string NotFound() {
    return Status("404 Not Found", "404 Not Found\n");
}

template <size_t N>
std::string Lines(const CgiCamera& camera, const std::map<std::string, std::string>& values,
                  const char* const (&keys)[N]) {
    std::string body;
    const char* eol = camera.crlf ? "\r\n" : "\n";
    for (const char* key : keys) {
        auto it = values.find(key);
        body += std::string(key) + "=" + (it == values.end() ? "" : it->second) + eol;
    }
    return body;
}

std::string NetworkReport(const CgiCamera& camera, bool wirelessFirst, bool withoutKeyFormat) {
    if (camera.wiredOnly)
        return Lines(camera, camera.values, kWiredKeys) + Lines(camera, camera.values, kPortKeys);
    std::string body;
    if (wirelessFirst) body += Lines(camera, camera.values, kWirelessAddressKeys);
    body += Lines(camera, camera.values, kWiredKeys);
    std::string wireless = Lines(camera, camera.values, kWirelessKeys);
    if (withoutKeyFormat) {
        size_t at = wireless.find("WPAPSKeyM=");
        size_t end = wireless.find('\n', at);
        wireless.erase(at, end == std::string::npos ? std::string::npos : end + 1 - at);
    }
    body += wireless;
    if (!wirelessFirst) body += Lines(camera, camera.values, kWirelessAddressKeys);
    body += Lines(camera, camera.values, kPortKeys);
    return body;
}

bool FaultApplies(const CgiCamera& camera, const std::string& fault, const std::string& where) {
    if (!camera.faults.count(fault)) return false;
    bool write = where == "w1" || where == "w3" || where == "w13" || where == "wtime";
    return camera.faultOn.empty() || camera.faultOn.count(where) ||
           (write && camera.faultOn.count("writes"));
}

// The count a scan or a listing states for its `listed` entries: the true one unless a fault
// makes it lie.
long StatedCount(const CgiCamera& camera, const std::string& where, size_t listed) {
    if (FaultApplies(camera, "huge_sum", where)) return 99999999;
    if (FaultApplies(camera, "negative_sum", where)) return -5;
    return static_cast<long>(listed);
}

// A read report as the model words it: each key after a blank or a tab (the faults), and the
// last line without its line end.
std::string Worded(const CgiCamera& camera, const std::string& where, std::string body) {
    const char* indent = FaultApplies(camera, "blank_keys", where) ? " "
                         : FaultApplies(camera, "tab_keys", where) ? "\t"
                                                                   : "";
    for (size_t at = 0; *indent && at < body.size(); at = body.find('\n', at) + 1) {
        body.insert(at, indent);
        if (body.find('\n', at) == std::string::npos) break;
    }
    while (!camera.lastLineEnd && !body.empty() && (body.back() == '\n' || body.back() == '\r'))
        body.pop_back();
    return body;
}

std::string ScanReport(const CgiCamera& camera, long sum) {
    const char* eol = camera.crlf ? "\r\n" : "\n";
    std::string body = std::string("<html><head><title>Site survey</title></head><body>") + eol +
                       "<table>" + eol + "<tr><td>scan AP sum = " + std::to_string(sum) +
                       "</td></tr>" + eol;
    int n = 0;
    for (const SimAccessPoint& ap : camera.accessPoints) {
        body += "<tr><td>AP" + std::to_string(++n) + " Channel=" + std::to_string(ap.channel) +
                " Mac_address=" + ap.mac + " SSID=\"" + ap.ssid +
                "\" Quality=" + std::to_string(ap.quality) + " Mode=" + ap.mode +
                " Security=" + ap.security + " Algorithm=" + ap.algorithm + "</td></tr>" + eol;
    }
    body += std::string("</table></body></html>") + eol;
    return body;
}

// The answer of a camera that refuses the request, or empty. A refused write changes nothing.
std::string Refusal(const CgiCamera& camera, const std::string& where) {
    auto applies = [&](const char* fault) { return FaultApplies(camera, fault, where); };
    if (applies("failure")) return Status("402 Failure", "402 Failure\n");
    if (applies("http401")) return kUnauthorized;
    if (applies("http403")) return Status("403 Forbidden", "403 Forbidden\n");
    if (applies("http500")) return Status("500 Internal Server Error", "Internal error\n");
    if (applies("ok_error")) return Status("200 OK", "ERROR\n");
    if (applies("login_redirect")) return Redirect("302 Found", "/login.htm");
    return "";
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string PercentDecoded(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        int high, low;
        if (text[i] == '%' && i + 2 < text.size() && (high = HexDigit(text[i + 1])) >= 0 &&
            (low = HexDigit(text[i + 2])) >= 0) {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Stores the query's values of the keys this write may change.
void ApplyWrite(CgiCamera& camera, const Request& request, const std::set<std::string>& keys) {
    for (const auto& [key, value] : request.query)
        if (keys.count(key) && !camera.forget.count(key))
            camera.values[key] = PercentDecoded(value);
}

std::string WpsStatus(const CgiCamera& camera) {
    int running = 0, acknowledged = 0;
    if (camera.wpsRan) {
        auto elapsed = std::chrono::steady_clock::now() - camera.wpsStarted;
        bool over =
            camera.wpsResult != "never" && elapsed >= std::chrono::milliseconds(camera.wpsMs);
        running = over ? 0 : 1;
        acknowledged = over && camera.wpsResult == "success" ? 1 : 0;
    }
    const char* eol = camera.crlf ? "\r\n" : "\n";
    return "WPS=" + std::to_string(running) + eol + "WPS_ACK=" + std::to_string(acknowledged) + eol;
}

std::string ServerListing(const CgiCamera& server, const Request& request, bool withLength) {
    auto get = [&](const char* key) {
        auto it = request.query.find(key);
        return it == request.query.end() ? std::string() : it->second;
    };
    const std::string page = get("Page");
    for (const SimAccount& account : server.accounts) {
        bool allowed = (page == "3" && account.device) || (page == "2" && account.user);
        if (!allowed || account.id != get("ID") || account.password != get("Password")) continue;
        // The total first; each camera's keys, then its mark.
        std::string body =
            "Total Camera=" + std::to_string(StatedCount(server, "list", account.cameras.size())) +
            "<br>\n";
        for (size_t i = 0; i < account.cameras.size(); ++i) {
            const std::vector<std::string>& c = account.cameras[i];
            body += "ID=" + c[0] + " IP=" + c[1] + " Port=" + c[2] + " Mac_address=" + c[3] +
                    " Modelname=" + c[4] + "<br>\nCamera=" + std::to_string(i + 1) + "<br>\n";
        }
        return Status("200 OK", body, withLength);
    }
    return "HTTP/1.0 401 Unauthorized\r\nContent-Type: text/plain\r\n\r\nUnauthorized\n";
}

// The "cut" faults: the answer without its last cutBytes bytes.
void Cut(const CgiCamera& camera, const std::string& where, std::string& bytes) {
    if (FaultApplies(camera, "cut", where) || FaultApplies(camera, "cut_bare", where))
        bytes.resize(bytes.size() - std::min(bytes.size(), static_cast<size_t>(camera.cutBytes)));
}

bool ParseAccount(const std::string& text, SimAccount& account) {
    std::vector<std::string> f = Split(text, '|');
    if (f.size() != 4) return false;
    account.id = f[0];
    account.password = f[1];
    for (const std::string& login : Split(f[2], '+')) {
        if (login == "device")
            account.device = true;
        else if (login == "user")
            account.user = true;
        else
            return false;
    }
    for (const std::string& camera : Split(f[3], ';')) {
        if (camera.empty()) continue;
        std::vector<std::string> fields = Split(camera, '/');
        if (fields.size() != 5) return false;
        account.cameras.push_back(fields);
    }
    return true;
}

bool ParseAddressRange(const std::string& text, uint32_t& first, uint32_t& last) {
    size_t dash = text.find('-');
    in_addr a{}, b{};
    if (dash == std::string::npos || inet_pton(AF_INET, text.substr(0, dash).c_str(), &a) != 1 ||
        inet_pton(AF_INET, text.substr(dash + 1).c_str(), &b) != 1)
        return false;
    first = ntohl(a.s_addr);
    last = ntohl(b.s_addr);
    return first <= last;
}

}  // namespace

bool DecodeBase64(const std::string& text, std::string& out) {
    out.clear();
    uint32_t bits = 0;
    int count = 0;
    size_t padding = 0;
    for (char c : text) {
        int v;
        if (c >= 'A' && c <= 'Z')
            v = c - 'A';
        else if (c >= 'a' && c <= 'z')
            v = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            v = c - '0' + 52;
        else if (c == '+')
            v = 62;
        else if (c == '/')
            v = 63;
        else if (c == '=') {
            ++padding;
            continue;
        } else
            return false;
        if (padding) return false;  // data after padding
        bits = (bits << 6) | static_cast<uint32_t>(v);
        if (++count == 4) {
            out += static_cast<char>((bits >> 16) & 0xFF);
            out += static_cast<char>((bits >> 8) & 0xFF);
            out += static_cast<char>(bits & 0xFF);
            bits = 0;
            count = 0;
        }
    }
    if (count == 1 || padding > 2) return false;
    if (count == 2) out += static_cast<char>((bits >> 4) & 0xFF);
    if (count == 3) {
        out += static_cast<char>((bits >> 10) & 0xFF);
        out += static_cast<char>((bits >> 2) & 0xFF);
    }
    return true;
}

bool LoadCgiCamera(const SimCamera& camera, CgiCamera& out, std::string& error) {
    out = CgiCamera{};
    SetDefaults(camera, out);
    std::map<int, SimAccessPoint> points;
    for (const auto& [key, value] : camera.extra) {
        if (out.values.count(key)) {
            out.values[key] = value;
        } else if (key == "model") {
            out.values["ModelName"] = value;
        } else if (key == "firmware") {
            out.values["Version"] = value;
        } else if (key == "cap_wireless" || key == "cap_wps" || key == "cap_transversal") {
            out.caps[key == "cap_wireless" ? "Wireless"
                     : key == "cap_wps"    ? "WPS"
                                           : "Transversal"] = value;
        } else if (key == "security") {
            if (value != "on" && value != "off") {
                error = "security is on or off: " + value;
                return false;
            }
            out.security = value == "on";
        } else if (key == "user") {
            out.user = value;
        } else if (key == "password") {
            out.password = value;
        } else if (key == "line_end") {
            if (value != "lf" && value != "crlf") {
                error = "line_end is lf or crlf: " + value;
                return false;
            }
            out.crlf = value == "crlf";
        } else if (key == "wired_only" || key == "last_line_end") {
            if (value != "on" && value != "off") {
                error = key + " is on or off: " + value;
                return false;
            }
            (key == "wired_only" ? out.wiredOnly : out.lastLineEnd) = value == "on";
        } else if (key.size() > 2 && key.compare(0, 2, "ap") == 0 &&
                   key.find_first_not_of("0123456789", 2) == std::string::npos) {
            int index = 0;
            if (!ToInt(key.substr(2), 1, 1000, index) || !ParseAccessPoint(value, points[index])) {
                error = key + " is channel|mac|ssid|quality|mode|security|algorithm: " + value;
                return false;
            }
        } else if (key == "fault") {
            for (const std::string& f : Split(value, '+')) {
                if (!kFaultNames.count(f)) {
                    error = "unknown fault: " + f;
                    return false;
                }
                out.faults.insert(f);
            }
        } else if (key == "fault_on") {
            for (const std::string& f : Split(value, '+')) out.faultOn.insert(f);
        } else if (key == "forget") {
            for (const std::string& keys : Split(value, ','))
                for (const std::string& k : Split(keys, '+')) out.forget.insert(k);
        } else if (key == "pause_ms" || key == "piece_bytes" || key == "overlong_bytes" ||
                   key == "restart_ms" || key == "wps_ms" || key == "cut_bytes") {
            int number = 0;
            if (!ToInt(value, key == "piece_bytes" || key == "overlong_bytes" ? 1 : 0, 10000000,
                       number)) {
                error = "bad " + key + ": " + value;
                return false;
            }
            (key == "pause_ms"      ? out.pauseMs
             : key == "piece_bytes" ? out.pieceBytes
             : key == "restart_ms"  ? out.restartMs
             : key == "wps_ms"      ? out.wpsMs
             : key == "cut_bytes"   ? out.cutBytes
                                    : out.overlongBytes) = number;
        } else if (key == "wps_result") {
            if (value != "success" && value != "failure" && value != "never") {
                error = "wps_result is success, failure or never: " + value;
                return false;
            }
            out.wpsResult = value;
        } else if (key == "dhcp_pool") {
            if (!ParseAddressRange(value, out.dhcpFirst, out.dhcpLast)) {
                error = "dhcp_pool is FIRST-LAST: " + value;
                return false;
            }
            out.dhcpNext = out.dhcpFirst;
        } else if (key == "role") {
            if (value != "camera" && value != "registration_server") {
                error = "role is camera or registration_server: " + value;
                return false;
            }
            out.registrationServer = value == "registration_server";
        } else if (key.size() > 7 && key.compare(0, 7, "account") == 0) {
            SimAccount account;
            if (!ParseAccount(value, account)) {
                error = key + " is ID|PASSWORD|LOGINS|ID/IP/Port/MAC/Model;...: " + value;
                return false;
            }
            out.accounts.push_back(account);
        }
        // Other keys belong to other services of the simulator.
    }
    for (auto& [index, ap] : points) out.accessPoints.push_back(ap);
    // A wired camera tells so on its capability page, unless a test wants it to say otherwise.
    if (out.wiredOnly && !camera.extra.count("cap_wireless")) out.caps["Wireless"] = "0";
    if (out.wiredOnly && !camera.extra.count("cap_wps")) out.caps["WPS"] = "0";
    // The report says what the camera enforces, unless a test wants it to say otherwise.
    if (!camera.extra.count("SECUEN")) out.values["SECUEN"] = out.security ? "1" : "0";
    return true;
}

OnAccept AcceptAction(const CgiCamera& camera) {
    if (camera.faults.count("reset")) return OnAccept::kReset;
    if (camera.faults.count("close")) return OnAccept::kClose;
    return OnAccept::kServe;
}

CgiAnswer Answer(CgiCamera& camera, const std::string& requestHead) {
    CgiAnswer answer;
    Request request;
    if (!ParseRequest(requestHead, request)) {
        answer.bytes = Status("400 Bad Request", "400 Bad Request\n");
        return answer;
    }
    if (camera.registrationServer) {
        answer.bytes =
            request.path == "/cgi-bin/Parameters"
                ? ServerListing(camera, request, !FaultApplies(camera, "cut_bare", "list"))
                : NotFound();
        Cut(camera, "list", answer.bytes);
        return answer;
    }
    if (!Authorized(camera, request)) {
        answer.bytes = kUnauthorized;
        return answer;
    }

    std::string where, body;
    auto act = request.query.find("Act");
    const std::string action = act == request.query.end() ? "" : act->second;
    const bool read = action == "1";
    auto pageOf = [&] {
        auto page = request.query.find("Page");
        return page == request.query.end() ? std::string() : page->second;
    };
    // A refused write changes nothing.
    auto write = [&](const std::set<std::string>& keys) {
        if (Refusal(camera, where).empty()) ApplyWrite(camera, request, keys);
        body = "OK\n";
    };
    if (request.path == "/goform/Parameters" && action == "2") {
        const std::string page = pageOf();
        const std::set<std::string>* keys = page == "1"    ? &kWritableSystem
                                            : page == "13" ? &kWritableDdns
                                            : page == "3"  ? &kWritableNetwork
                                                           : nullptr;
        if (keys) {
            where = "w" + page;
            write(*keys);
            answer.networkWritten = page == "3";
        }
    } else if (request.path == "/cgi-bin/set_time.cgi" && action == "2") {
        where = "wtime";
        write(kWritableTime);
    } else if (request.path == "/goform/Parameters" && action == "3") {
        where = "wps";
        body = WpsStatus(camera);
    } else if (request.path == "/cgi-bin/wps.cgi") {
        where = "wps";
        camera.wpsRan = true;
        camera.wpsStarted = std::chrono::steady_clock::now();
        body = "OK\n";
    } else if (request.path == "/goform/Parameters" && read) {
        auto page = request.query.find("Page");
        where = page == request.query.end() ? "" : page->second;
        bool wirelessFirst = FaultApplies(camera, "wireless_first", where);
        bool withoutKeyFormat = FaultApplies(camera, "no_wpapskeym", where);
        if (where == "1")
            body = Lines(camera, camera.values, kSystemKeys);
        else if (where == "3")
            body = NetworkReport(camera, wirelessFirst, withoutKeyFormat);
        else if (where == "13")
            body = Lines(camera, camera.values, kDdnsKeys);
        else if (where == "23")
            body = Lines(camera, camera.values, kFirmwareKeys);
        else if (where == "32")
            body = Lines(camera, camera.caps, kCapabilityKeys);
        else if (where == "34")
            body = Lines(camera, camera.values, kNatKeys);
        body = Worded(camera, where, body);
    } else if (request.path == "/cgi-bin/set_time.cgi" && read) {
        where = "time";
        body = Worded(camera, where, Lines(camera, camera.values, kTimeKeys));
    } else if (request.path == "/cgi-bin/ap_scan.cgi") {
        where = "scan";
        body = ScanReport(camera, StatedCount(camera, where, camera.accessPoints.size()));
    }
    if (body.empty()) {
        answer.bytes = NotFound();
        return answer;
    }

    auto applies = [&](const char* fault) { return FaultApplies(camera, fault, where); };
    if (std::string refusal = Refusal(camera, where); !refusal.empty()) {
        answer.bytes = refusal;
        answer.networkWritten = false;
        return answer;
    }
    if (applies("overlong")) {
        const char* eol = camera.crlf ? "\r\n" : "\n";
        while (body.size() < static_cast<size_t>(camera.overlongBytes))
            body += "Filler=" + std::string(60, 'f') + eol;
    }
    // A camera that takes a form and sends the browser back to its settings page.
    if (applies("redirect")) {
        answer.bytes = Redirect("303 See Other", "/setting.htm");
        return answer;
    }
    if (applies("flood")) {  // the server sends the filler
        answer.bytes = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n";
        answer.delivery = Delivery::kFlood;
        return answer;
    }
    if (applies("not_http"))
        answer.bytes = Junk(1500);
    else if (applies("garbage"))
        answer.bytes = Status("200 OK", Junk(1500));
    else if (applies("plain"))
        answer.bytes = body;
    else
        answer.bytes = Status("200 OK", body, !applies("cut_bare"));
    Cut(camera, where, answer.bytes);

    if (applies("silent")) {
        answer.delivery = Delivery::kNever;
    } else if (applies("drip")) {
        answer.delivery = Delivery::kPieces;
        answer.pieceBytes = 1;
        answer.pauseMs = 500;
    } else if (applies("pieces")) {
        answer.delivery = Delivery::kPieces;
        answer.pieceBytes = camera.pieceBytes;
        answer.pauseMs = camera.pauseMs;
    } else if (applies("keep_open")) {
        answer.delivery = Delivery::kKeepOpen;
    } else if (applies("reset_midway")) {
        answer.delivery = Delivery::kResetMidway;
    }
    return answer;
}

}  // namespace camsim
