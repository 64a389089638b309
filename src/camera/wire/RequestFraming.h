// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The exact bytes of every camera request, the Basic authorization rule, and the general
// command that sends one request and handles its answer.
#include <cstddef>
#include <string>

#include "camera/record/CameraSettings.h"
#include "camera/wire/Transport.h"

namespace orvanta::camera {

constexpr const char kProductToken[] = "tavrin";
constexpr const char kProductVersion[] = "1.0.1";

constexpr size_t kRequestCapacity = 6145;
constexpr size_t kSmallRequestCapacity = 4097;  // authenticated system read, WPS
constexpr size_t kCredentialCapacity = 256;     // Base64 credentials and the auth text

// Standard Base64 (with "=" padding, no line breaks) of `length` bytes of `input`, NUL
// terminated. Returns the number of characters written, or -1 (and an empty output when
// there is room for one byte) when the encoding and its NUL do not fit `capacity`.
int Base64Encode(char* output, const char* input, size_t length, size_t capacity);
// The same for a NUL-terminated text.
int Base64Encode(char* output, const char* input, size_t capacity);

// A copy of `text` with every space written as %20; nothing else changes.
std::string EncodeSpaces(const char* text);

// The authorization text: "Authorization: Basic <user:password>\n\n" when SECUEN is 1,
// else `fallback` ("\n" for the general command, "" for the scan and WPS start).
// CAM_OK, or CAM_ERR_REQUEST_TOO_LONG when it does not fit `capacity`.
int BuildAuthText(const CameraSettings& settings, const char* fallback, char* out, size_t capacity);

// The request of the general command for act/page/sub; `query` is the write query (empty for
// reads). Returns its length, or CAM_ERR_REQUEST_TOO_LONG when it would not fit.
int BuildCommandRequest(const CameraSettings& settings, int act, int page, int sub,
                        const char* query, char* out, size_t capacity);
// The Page 1 read that always carries the credentials.
int BuildAuthenticatedSystemRead(const CameraSettings& settings, char* out, size_t capacity);
// A bare path with the scan/WPS start framing ("GET path ...\n%s\n ").
int BuildPathRequest(const CameraSettings& settings, const char* path, char* out, size_t capacity);

// The read (Act=1) of page/sub with its answer left whole in `answer` (NUL-terminated), not
// parsed: CAM_OK only for a whole report (JudgeAnswer, then CheckReport).
int ReadReportAnswer(const CameraSettings& settings, const char* host, const char* port, int page,
                     int sub, char* answer, size_t capacity);

// One request to the camera at host:port and its answer. The answer is classified and, for a
// read that classifies 0, parsed into `settings`. `query` is the write query (Act=2).
int CameraCommand(CameraSettings& settings, const char* host, const char* port, int act, int page,
                  int sub, const char* query = "");

// The Page 1 read with authorization: its answer is not examined for "Unauthorized".
int ReadSystemWithAuth(CameraSettings& settings, const char* host, const char* port);

// Open, send `request`, receive into `answer` (zero-filled, NUL-terminated), close.
// CAM_OK, CAM_ERR_CONNECT, CAM_ERR_REFUSED (refused, or reset before a byte came),
// CAM_ERR_SEND or CAM_ERR_NO_ANSWER. `received` and `end`, when given, receive the answer's
// length and how it ended. Once settings.keepConnecting is 0 nothing more is sent, the wait
// for the answer ends, and the result is CAM_ERR_CONNECT.
int Exchange(const CameraSettings& settings, const char* host, const char* port,
             const char* request, size_t length, char* answer, size_t capacity,
             size_t* received = nullptr, AnswerEnd* end = nullptr);

// How an answer is judged: what it is taken for, and whether "Unauthorized" in its text
// refuses it (the reads of pages).
struct AnswerCheck {
    AnswerKind kind = AnswerKind::kRead;
    bool textMarks = false;
};

// The one judgement of every answer: a read that overflowed is too long; then the marks of
// ClassifyAnswer (an error page is that, whatever its form), then the form of CheckAnswer.
int JudgeAnswer(const char* answer, size_t received, AnswerEnd end, const AnswerCheck& check);

// Exchange, then JudgeAnswer: CAM_OK only for an answer that passed both.
int AskCamera(const CameraSettings& settings, const char* host, const char* port,
              const char* request, int length, char* answer, size_t capacity,
              const AnswerCheck& check);

}  // namespace orvanta::camera
