// Whole-file reads with a size limit, and writes that replace the target only when complete.
#include "platform/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

namespace fileio {

namespace {

void Say(std::string* why, const std::string& what) {
    if (why != nullptr) {
        *why = what;
    }
}

std::string ErrnoText(int err) {
    return std::strerror(err);
}

// Closes a descriptor on every path out of a function.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return m_fd; }
    int Release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

}  // namespace

std::optional<std::vector<uint8_t>> ReadFile(const std::filesystem::path& path,
                                             std::size_t maxBytes, std::string* why) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) {
        Say(why, ErrnoText(errno));
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        Say(why, "not a regular file");
        return std::nullopt;
    }
    std::vector<uint8_t> bytes;
    const std::size_t limit = maxBytes + 1;
    bytes.resize(std::min<std::size_t>(limit, 64 * 1024));
    std::size_t have = 0;
    while (have < limit) {
        if (have == bytes.size()) {
            bytes.resize(std::min(limit, bytes.size() * 2));
        }
        const ssize_t n = ::read(fd.Get(), bytes.data() + have, bytes.size() - have);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            Say(why, ErrnoText(errno));
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        have += static_cast<std::size_t>(n);
    }
    bytes.resize(have);
    return bytes;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                         std::string* why) {
    std::random_device rd;
    const std::filesystem::path temp =
        path.parent_path() / ("." + path.filename().string() + ".tmp" + std::to_string(rd()));
    Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (fd.Get() < 0) {
        Say(why, ErrnoText(errno));
        return false;
    }
    auto fail = [&](int err) {
        ::close(fd.Release());
        ::unlink(temp.c_str());
        Say(why, ErrnoText(err));
        return false;
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.Get()) != 0) {
        return fail(errno);
    }
    if (::close(fd.Release()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        Say(why, ErrnoText(err));
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        Say(why, ErrnoText(err));
        return false;
    }
    return true;
}

}  // namespace fileio
