// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cameras registered on a registration server, listed after a login with ID and password.
#include <optional>
#include <vector>

namespace orvanta::camera {

// The server the wizard asks unless told otherwise. The maker's real host is not known to
// us, so the default is a reserved name that resolves nowhere; installers set their own.
constexpr char kDefaultRegistrationServer[] = "registration.orvanta2.invalid";
constexpr char kDefaultRegistrationPort[] = "80";

constexpr int kDeviceLoginPage = 3;
constexpr int kUserLoginPage = 2;

struct ServerLogin {
    char id[33];
    char password[33];
};

struct ServerCamera {
    char id[256];         // "ID="
    char address[256];    // "IP="
    char port[64];        // "Port="
    char mac[64];         // "Mac_address="
    char modelName[256];  // "Modelname="
};

// Logs in on host:port (Page 3: device login, Page 2: user login) and returns the listed
// cameras, with `count` set to their number; no list (and `count` untouched) on any failure,
// for an answer without "Total Camera=", or for an ID or password that would break the query.
// The cameras are the whole rows the answer holds, whatever total it states; a row the answer
// cut is left out, and an answer the transport saw cut fails (CAM_ERR_CLOSED_EARLY). `failure`,
// when given, receives why there is no list: a result code (CAM_ERR_CONNECT, CAM_ERR_NO_ANSWER,
// CAM_ERR_UNAUTHORIZED for a refused device login, CAM_ERR_INCOMPLETE for an answer without
// a total, CAM_ERR_UNSAFE_VALUE, ...), and CAM_OK with a list.
std::optional<std::vector<ServerCamera>> ListServerCameras(const ServerLogin& login, int& count,
                                                           const char* host, const char* port,
                                                           int act, int page,
                                                           int* failure = nullptr);

// The part of the above that reads an answer (NUL-terminated); for tests and fuzzing.
std::optional<std::vector<ServerCamera>> ParseServerListing(const char* answer, int page,
                                                            int* failure = nullptr);

}  // namespace orvanta::camera
