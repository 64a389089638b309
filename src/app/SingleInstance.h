#pragma once
// One running wizard per user: a lock file held for as long as the holder lives.
#include <string>

namespace orvanta::app {

class SingleInstance {
public:
    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another holder has the lock (or the file cannot be opened).
    bool Acquire(const std::string& lockPath);
    // "$XDG_RUNTIME_DIR/Orvanta2.exe.lock", else a per-user name in /tmp.
    static std::string DefaultLockPath();

private:
    int fd_ = -1;
};

}  // namespace orvanta::app
