#include "app/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace orvanta::app {

SingleInstance::~SingleInstance() {
    if (fd_ >= 0) ::close(fd_);
}

bool SingleInstance::Acquire(const std::string& lockPath) {
    if (fd_ >= 0) return true;
    int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    // flock belongs to the open file: a second open, even in this process, is refused.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

std::string SingleInstance::DefaultLockPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) return std::string(runtime) + "/Orvanta2.exe.lock";
    return "/tmp/Orvanta2.exe-" + std::to_string(::getuid()) + ".lock";
}

}  // namespace orvanta::app
