// CInstanceLock: one game per data folder, held by a lock on the folder itself.
#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

CInstanceLock::~CInstanceLock() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

CInstanceLock::EState CInstanceLock::Take(const std::filesystem::path& folder) {
    if (m_fd >= 0) {
        return EState::kHeld;
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    // Close-on-exec: a program the game starts (the browser) must not keep the lock.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        // A folder that could not be made says why better than the open that follows.
        m_why = (ec && errno == ENOENT) ? ec.message() : std::strerror(errno);
        return EState::kImpossible;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) {
            return EState::kInUse;
        }
        m_why = std::strerror(error);
        return EState::kImpossible;
    }
    m_fd = fd;
    return EState::kHeld;
}
