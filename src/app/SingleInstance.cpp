// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "lang/LanguageFiles.h"

namespace orvanta::app {

SingleInstance::~SingleInstance() {
    if (fd_ >= 0) ::close(fd_);
}

SingleInstance::Result SingleInstance::Acquire(const std::string& lockPath) {
    if (fd_ >= 0) return Result::Acquired;
    int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        error_ = errno;
        return Result::Unavailable;
    }
    // flock belongs to the open file: a second open, even in this process, is refused.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error_ = errno;
        ::close(fd);
        return error_ == EWOULDBLOCK ? Result::Held : Result::Unavailable;
    }
    fd_ = fd;
    return Result::Acquired;
}

std::string SingleInstance::DefaultLockPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) return std::string(runtime) + "/orvanta2.lock";
    const std::string folder = lang::UserConfigFolder();
    std::error_code ec;
    if (std::filesystem::create_directories(folder, ec))
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::replace, ec);
    return folder + "orvanta2.lock";
}

}  // namespace orvanta::app
