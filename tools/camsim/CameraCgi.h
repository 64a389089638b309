// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The camera's side of its CGI: what a camera answers to one HTTP request. Built from the
// wire description alone; it shares nothing with the wizard's own encoders and parsers.
//
// Config keys (in a [camera] section or --camera; kept in SimCamera::extra):
//   any report key by its wire name, e.g. IPAddr, SSID, HttpPort, ModelName, Version, NTPEN
//   model, firmware            aliases of ModelName and Version
//   cap_wireless, cap_wps, cap_transversal   the capability page (32)
//   security = on|off, user, password        Basic authorization (SECUEN follows security)
//   line_end = lf|crlf         how report lines end
//   last_line_end = on|off     whether a report's last line has its line end (default on)
//   wired_only = on|off        a model without wireless: its network page lists the wired
//                              keys, ports and UPnP only, its capability page Wireless=0, WPS=0
//   ap1, ap2, ...              access points: channel|mac|ssid|quality|mode|security|algorithm
//   fault = NAME[+NAME]        what goes wrong (below)
//   fault_on = WHAT[+WHAT]     where faults apply: page numbers, "time", "scan", "list" (the
//                              registration server's listing; default all)
//   forget = KEY[+KEY]         writes of these keys are answered OK and change nothing (a
//                              camera whose settings "do not stick"); "," separates too
//   pause_ms, piece_bytes      pacing of the "pieces" fault (default 300 ms, 64 bytes)
//   overlong_bytes             size of the "overlong" answer (default 12000)
//   cut_bytes                  how many bytes the "cut" faults leave out (default 2)
// Faults:
//   silent          reads the request, never answers (the connection is held 30 s)
//   pieces, drip    the answer in pieces (pause_ms, piece_bytes), or one byte every 500 ms
//   keep_open       the whole answer, then the connection stays open (30 s)
//   flood           a 200 head, then filler without end (bounded: 30 s or 256 MiB)
//   close, reset    closes, or resets, every connection at accept, before reading
//   reset_midway    half the answer, then a reset
//   cut, cut_bare   the answer without its last cut_bytes bytes, with the Content-Length of
//                   the whole answer, or without any Content-Length
//   overlong        the report padded with filler lines to overlong_bytes
//   garbage         a 200 head over bytes that are no report; not_http: such bytes alone
//   failure         "402 Failure"; a refused write changes nothing
//   http401, http403, http500, login_redirect   that status (302 to a login page) instead
//                   of the answer; a refused write changes nothing
//   ok_error        "200 OK" with "ERROR" as the body; the write changes nothing
//   redirect        "303 See Other" to the settings page; a write is taken
//   plain           the answer's body alone, without a status line or head
//   huge_sum, negative_sum   the scan's sum and the listing's total say 99999999 or -5
//                   over the real entries
//   blank_keys, tab_keys     each line of a read report starts with a blank or a tab
//   no_wpapskeym, wireless_first   the network report without WPAPSKeyM, or wireless first
//   restart_ms                 how long the camera is away after a network write (3000)
//   dhcp_pool = FIRST-LAST     addresses it takes when written IPType 0 (DHCP)
//   wps_ms, wps_result         how long a WPS run lasts (10000) and how it ends:
//                              success, failure or never
//   role = registration_server the entry is a registration server, not a camera; then
//   account1, account2, ...    ID|PASSWORD|LOGINS|CAMERAS with LOGINS device, user or
//                              device+user and CAMERAS ID/IP/Port/MAC/Model;ID/...
// Writes (Act=2) change what later reads report; fault_on takes w1, w3, w13 and wtime for
// them ("writes" for all four), and "wps" for the WPS requests.
#include <chrono>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "SimConfig.h"

namespace camsim {

struct SimAccessPoint {
    int channel = 0;
    std::string mac, ssid;
    int quality = 0;
    std::string mode, security, algorithm;
};

struct SimAccount {
    std::string id, password;
    bool device = false, user = false;
    std::vector<std::vector<std::string>> cameras;  // ID, IP, Port, MAC, Model
};

struct CgiCamera {
    std::map<std::string, std::string> values;  // report key -> value
    std::map<std::string, std::string> caps;    // page 32 key -> value
    bool crlf = false;
    bool lastLineEnd = true;
    bool wiredOnly = false;
    bool security = false;
    std::string user = "admin", password;
    std::vector<SimAccessPoint> accessPoints;
    std::set<std::string> faults;
    std::set<std::string> faultOn;  // empty: everywhere
    std::set<std::string> forget;   // keys a write answers OK for and leaves as they were
    int pauseMs = 300;
    int pieceBytes = 64;
    int overlongBytes = 12000;
    int cutBytes = 2;
    int restartMs = 3000;
    uint32_t dhcpFirst = 0, dhcpLast = 0, dhcpNext = 0;  // host byte order; 0: no pool
    int wpsMs = 10000;
    std::string wpsResult = "success";
    bool wpsRan = false;
    std::chrono::steady_clock::time_point wpsStarted;
    bool registrationServer = false;
    std::vector<SimAccount> accounts;
};

// The CGI settings of one simulated camera; false with `error` on a bad key.
bool LoadCgiCamera(const SimCamera& camera, CgiCamera& out, std::string& error);

// How the server delivers an answer.
enum class Delivery {
    kWhole,        // all of it, then the close
    kPieces,       // pieceBytes every pauseMs, then the close
    kNever,        // nothing; the connection is held
    kKeepOpen,     // all of it; the connection is held
    kFlood,        // the bytes, then filler until the client goes
    kResetMidway,  // the first half, then a reset
};

struct CgiAnswer {
    std::string bytes;
    Delivery delivery = Delivery::kWhole;
    int pieceBytes = 0, pauseMs = 0;  // for kPieces
    bool networkWritten = false;      // the camera restarts with its new network settings
};

// The answer to one request head (request line and header lines, LF or CR LF). Writes and
// WPS starts change `camera`.
CgiAnswer Answer(CgiCamera& camera, const std::string& requestHead);

// What the camera does with a connection it accepts, before reading anything.
enum class OnAccept { kServe, kClose, kReset };
OnAccept AcceptAction(const CgiCamera& camera);

// Standard Base64 decoding for the authorization header; false on a bad character.
bool DecodeBase64(const std::string& text, std::string& out);

}  // namespace camsim
