// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a value typed for a camera field may be: the one rule behind the settings pages and the
// command-line tool's save and apply, applied before anything is sent, so that a value the
// camera cannot take, or one that would change the write request, never reaches it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "camera/record/CameraSettings.h"
#include "camera/record/SettingsFields.h"

namespace orvanta::camera {

// The first character that would change a write request when sent as typed, or npos: "&" and
// "=" split the query, a camera's web server decodes "%" and cuts the query at "#", and a
// control character ends or garbles the request line. Blanks and bytes above 127 pass.
size_t FindRequestBreaker(std::string_view text);

// Contiguous ones from the top, at least one (network byte order).
bool IsContiguousMask(uint32_t mask);
// A contiguous mask from /1 to /30, under which a camera and its gateway both fit.
bool IsCameraMask(uint32_t mask);
// An address a camera can take as its own: first byte 1 to 223, not 127.
bool IsUsableHostAddress(uint32_t address);

// An address a camera can be given and reached at: a usable host address that is neither its
// subnet's own address nor its broadcast address under `mask` (when that is a camera mask),
// nor the PC's own `pc` (0: not known). All in network byte order.
bool IsCameraAddress(uint32_t address, uint32_t mask, uint32_t pc);
// The fixed address `s` would newly give the camera (wired, wireless: a block that differs from
// the camera's `read` one) that IsCameraAddress refuses, named with why; "" when there is
// none. A camera is not refused the address it was reached at.
std::string CameraAddressProblem(const CameraSettings& s, const CameraSettings& read);

// "yyyy/mm/dd" naming a day that exists, from 1970 on; "hh:mm:ss" from 00:00:00 to 23:59:59.
// The camera's own clock texts.
bool IsCalendarDate(std::string_view text);
bool IsClockTime(std::string_view text);

// Why `value` cannot be given to `field`, naming the field; "" when it can. Addresses may be
// left empty (a camera without a second DNS server, a DHCP camera's fixed address).
std::string FieldValueProblem(const SettingsField& field, std::string_view value);

// Two of the three service ports with the same number, naming them; "" when they differ. A
// port of 0 is one not given, and clashes with nothing.
std::string PortSetProblem(int64_t http, int64_t stream, int64_t rtsp);

// The service ports among a set of typed FIELD=VALUE assignments, checked as a set: among
// themselves before anything is sent, and with the camera's own ports once it was read.
struct GivenPorts {
    int64_t http = 0, stream = 0, rtsp = 0;  // 0: not given

    void Take(const SettingsField& field, std::string_view value);
    bool Any() const { return http != 0 || stream != 0 || rtsp != 0; }
    std::string Problem() const { return PortSetProblem(http, stream, rtsp); }
    // The set the save would write, the record's ports where none was given; "" when no
    // port was given.
    std::string ProblemWith(const CameraSettings& settings) const;
};

}  // namespace orvanta::camera
