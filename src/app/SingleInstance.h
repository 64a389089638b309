// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One running wizard per user: a lock file held for as long as the holder lives.
#include <string>

namespace orvanta::app {

class SingleInstance {
public:
    enum class Result {
        Acquired,
        Held,         // another wizard of this user holds it
        Unavailable,  // the file cannot be opened or locked: `Error()` says why
    };

    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    Result Acquire(const std::string& lockPath);
    int Error() const { return error_; }  // errno of the last Unavailable
    // "$XDG_RUNTIME_DIR/orvanta2.lock", else in the user's own config folder: both are the
    // user's alone, so no other user can create the file first and lock everyone out.
    static std::string DefaultLockPath();

private:
    int fd_ = -1;
    int error_ = 0;
};

}  // namespace orvanta::app
