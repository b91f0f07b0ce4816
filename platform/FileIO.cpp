// Reading files that must be regular files without ever blocking, and the one way every file
// the program saves is written.
#include "platform/FileIO.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <random>
#include <string_view>

namespace fileio {

namespace {

// Symbolic links followed before a path counts as a loop, as the kernel counts them.
constexpr int kMaxLinks = 40;
// The largest single write: some systems refuse counts of 2 GB and more.
constexpr std::size_t kMaxWrite = std::size_t{1} << 30;

bool Say(std::string* why, std::string what) {
    if (why != nullptr) {
        *why = std::move(what);
    }
    return false;
}

std::string ErrnoText(int err) {
    return std::strerror(err);
}

// What stands at a path that is not a regular file, as the end of a sentence.
std::string NotAFile(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "it is a folder, not a file";
    }
    if (S_ISFIFO(mode)) {
        return "it is a pipe (FIFO), not a file";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "it is a device, not a file";
    }
    if (S_ISSOCK(mode)) {
        return "it is a socket, not a file";
    }
    return "it is not a regular file";
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
    // Closes now; the errno of a failed close, else 0.
    int Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

// The kind of a failed open or read, by its errno.
Problem ReadProblem(int err) {
    switch (err) {
        case ENOENT:
        case ENOTDIR:
            return Problem::kMissing;
        case EACCES:
        case EPERM:
            return Problem::kDenied;
        default:
            return Problem::kFailed;
    }
}

// Opens a path that must be a regular file for reading. A FIFO, a device or a socket is never
// opened in a way that waits: it is refused on its stat, and the open itself does not block
// for one put in its place meanwhile.
int OpenRegular(const std::filesystem::path& path, SRead& r) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        const int err = errno;
        r.status = (err == ENOENT || err == ENOTDIR) ? ReadStatus::kMissing : ReadStatus::kFailed;
        r.why = ErrnoText(err);
        r.problem = ReadProblem(err);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        r.status = ReadStatus::kNotAFile;
        r.why = NotAFile(st.st_mode);
        r.problem = Problem::kNotAFile;
        return -1;
    }
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.Get() < 0) {
        const int err = errno;
        r.status = err == ENOENT ? ReadStatus::kMissing : ReadStatus::kFailed;
        r.why = ErrnoText(err);
        r.problem = ReadProblem(err);
        return -1;
    }
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        r.status = ReadStatus::kNotAFile;
        r.why = NotAFile(st.st_mode);
        r.problem = Problem::kNotAFile;
        return -1;
    }
    return fd.Release();
}

// Writes every byte; false with errno's value in `err` when a write fails. A descriptor left
// non-blocking by whoever opened it is waited for rather than given up on.
bool WriteAll(int fd, std::span<const uint8_t> bytes, int& err) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t chunk = std::min(bytes.size() - done, kMaxWrite);
        const ssize_t n = ::write(fd, bytes.data() + done, chunk);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                pollfd p{fd, POLLOUT, 0};
                if (::poll(&p, 1, -1) >= 0 || errno == EINTR) {
                    continue;
                }
            }
            err = errno;
            return false;
        }
        if (n == 0) {
            err = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes through a descriptor this function owns and closes: every byte, then a flush to
// disk where there is one (regular files and block devices), then the close.
bool WriteThrough(Fd& fd, std::span<const uint8_t> bytes, std::string* why) {
    int err = 0;
    if (!WriteAll(fd.Get(), bytes, err)) {
        return Say(why, ErrnoText(err));
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) == 0 && (S_ISREG(st.st_mode) || S_ISBLK(st.st_mode)) &&
        ::fsync(fd.Get()) != 0) {
        return Say(why, ErrnoText(errno));
    }
    err = fd.Close();
    return err == 0 || Say(why, ErrnoText(err));
}

// The descriptor a path names when it is one of the process's own: /dev/stdin, /dev/stdout,
// /dev/stderr, /dev/fd/N, /proc/self/fd/N and /proc/<this process>/fd/N. Recognized by name,
// so that the write goes to the descriptor itself and not to a file the name leads to.
std::optional<int> DescriptorNamed(const std::filesystem::path& path) {
    const std::string text = path.lexically_normal().string();
    static constexpr std::pair<std::string_view, int> kStandard[] = {
        {"/dev/stdin", 0}, {"/dev/stdout", 1}, {"/dev/stderr", 2}};
    for (const auto& [name, fd] : kStandard) {
        if (text == name) {
            return fd;
        }
    }
    const std::string prefixes[] = {"/dev/fd/", "/proc/self/fd/", "/proc/thread-self/fd/",
                                    "/proc/" + std::to_string(::getpid()) + "/fd/"};
    for (const std::string& prefix : prefixes) {
        if (text.size() > prefix.size() && text.compare(0, prefix.size(), prefix) == 0) {
            int fd = -1;
            const char* first = text.data() + prefix.size();
            const char* last = text.data() + text.size();
            const auto [end, ec] = std::from_chars(first, last, fd);
            if (ec == std::errc{} && end == last && fd >= 0) {
                return fd;
            }
        }
    }
    return std::nullopt;
}

// Where a write lands once the links are followed.
struct STarget {
    std::optional<int> descriptor;  // a descriptor of the process
    std::filesystem::path path;     // otherwise the path of the file itself
    bool exists = false;
    struct stat st {};
};

bool FollowLinks(const std::filesystem::path& path, STarget& target, std::string* why) {
    std::filesystem::path p = path;
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        if (const auto fd = DescriptorNamed(p)) {
            target.descriptor = fd;
            return true;
        }
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0) {
            if (errno != ENOENT) {
                return Say(why, ErrnoText(errno));
            }
            target.path = p;
            return true;
        }
        if (!S_ISLNK(st.st_mode)) {
            target.path = p;
            target.exists = true;
            target.st = st;
            return true;
        }
        std::error_code ec;
        const std::filesystem::path next = std::filesystem::read_symlink(p, ec);
        if (ec) {
            return Say(why, ec.message());
        }
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    return Say(why, ErrnoText(ELOOP));
}

bool WriteToDescriptor(int number, std::span<const uint8_t> bytes, std::string* why) {
    Fd fd(::fcntl(number, F_DUPFD_CLOEXEC, 0));
    if (fd.Get() < 0) {
        return Say(why, number == 1   ? std::string("standard output is closed")
                        : number == 2 ? std::string("standard error is closed")
                                      : "descriptor " + std::to_string(number) + " is not open");
    }
    return WriteThrough(fd, bytes, why);
}

// A device or a FIFO, written where it stands. A FIFO that no program reads fails at once
// rather than waiting for a reader.
bool WriteInPlace(const STarget& target, std::span<const uint8_t> bytes, std::string* why) {
    if (S_ISSOCK(target.st.st_mode)) {
        return Say(why, NotAFile(target.st.st_mode));
    }
    Fd fd(::open(target.path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.Get() < 0) {
        if (errno == ENXIO && S_ISFIFO(target.st.st_mode)) {
            return Say(why, "it is a pipe (FIFO) that no program is reading");
        }
        return Say(why, ErrnoText(errno));
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)) {
        return Say(why, "it changed while it was being opened");
    }
    const int flags = ::fcntl(fd.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        return Say(why, ErrnoText(errno));
    }
    return WriteThrough(fd, bytes, why);
}

// The temporary name's start: "." + at most the first 32 bytes of the file's name (cut before a
// UTF-8 continuation byte) + ".tmp". With the random suffix, at most 7 base-36 digits, a
// temporary name has at most 44 bytes, whatever the length of the name it stands for.
std::string TempStem(const std::string& name) {
    constexpr std::size_t kKept = 32;
    std::size_t kept = std::min(name.size(), kKept);
    while (kept > 0 && kept < name.size() &&
           (static_cast<unsigned char>(name[kept]) & 0xC0U) == 0x80U) {
        --kept;
    }
    return "." + name.substr(0, kept) + ".tmp";
}

// A regular file, or none yet: a temporary file in the same folder, renamed over it when
// complete. The old file's mode and owner carry over.
bool Replace(const STarget& target, std::span<const uint8_t> bytes, std::string* why) {
    const std::filesystem::path& path = target.path;
    if (path.filename().empty()) {
        return Say(why, "it does not name a file");
    }
    if (target.exists && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
        const int err = errno;
        return Say(why, err == EACCES || err == EPERM
                            ? "you may not write it (" + ErrnoText(err) + ")"
                            : ErrnoText(err));
    }
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    // A new file gets the mode a plain create gives it (the umask and the folder's default
    // permissions apply); a replacement starts private and takes the old mode before it is
    // renamed into place.
    const mode_t createMode = target.exists ? 0600 : 0666;
    std::random_device random;
    std::filesystem::path temp;
    const std::string stem = TempStem(path.filename().string());
    int raw = -1;
    for (int attempt = 0; attempt < 100 && raw < 0; ++attempt) {
        char suffix[16];
        const auto [end, ec] = std::to_chars(suffix, suffix + sizeof suffix, random(), 36);
        temp = folder / (stem + std::string(suffix, ec == std::errc{} ? end : suffix));
        raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode);
        const int err = errno;
        if (raw < 0 && err != EEXIST) {
            return Say(why,
                       "cannot create a file in " + folder.string() + " (" + ErrnoText(err) + ")");
        }
    }
    if (raw < 0) {
        return Say(why,
                   "cannot create a file in " + folder.string() + " (" + ErrnoText(EEXIST) + ")");
    }
    Fd fd(raw);
    const auto fail = [&](int err) {
        if (fd.Get() >= 0) {
            fd.Close();
        }
        ::unlink(temp.c_str());
        return Say(why, ErrnoText(err));
    };
    if (target.exists) {
        // The owner first: a change of owner clears the set-user-ID bits the mode restores.
        // Only the superuser may give a file away; others keep the file theirs, and the group
        // where they belong to it.
        if (::fchown(fd.Get(), target.st.st_uid, target.st.st_gid) != 0) {
            if (errno != EPERM) {
                return fail(errno);
            }
            if (::fchown(fd.Get(), static_cast<uid_t>(-1), target.st.st_gid) != 0 &&
                errno != EPERM) {
                return fail(errno);
            }
        }
        if (::fchmod(fd.Get(), target.st.st_mode & 07777) != 0 && errno != EPERM) {
            return fail(errno);
        }
    }
    int err = 0;
    if (!WriteAll(fd.Get(), bytes, err)) {
        return fail(err);
    }
    if (::fsync(fd.Get()) != 0) {
        return fail(errno);
    }
    err = fd.Close();
    if (err != 0) {
        return fail(err);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        return fail(errno);
    }
    return true;
}

}  // namespace

SRead ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes) {
    SRead r;
    Fd fd(OpenRegular(path, r));
    if (fd.Get() < 0) {
        return r;
    }
    const std::size_t limit = maxBytes + 1;
    std::vector<uint8_t>& bytes = r.bytes;
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
            const int err = errno;
            return {ReadStatus::kFailed, {}, ErrnoText(err), ReadProblem(err)};
        }
        if (n == 0) {
            break;
        }
        have += static_cast<std::size_t>(n);
    }
    bytes.resize(have);
    return r;
}

std::optional<std::vector<uint8_t>> ReadFile(const std::filesystem::path& path,
                                             std::size_t maxBytes, std::string* why) {
    SRead r = ReadRegularFile(path, maxBytes);
    if (!r.Ok()) {
        Say(why, r.why);
        return std::nullopt;
    }
    return std::move(r.bytes);
}

bool CheckRegularFile(const std::filesystem::path& path, std::string* why, Problem* problem) {
    SRead r;
    Fd fd(OpenRegular(path, r));
    if (fd.Get() >= 0) {
        return true;
    }
    if (problem != nullptr) {
        *problem = r.problem;
    }
    return Say(why, r.why);
}

namespace {

// Why a write to the path failed, found by looking at what the path leads to and at its folder
// afterwards: the writers below give their reasons as texts only.
Problem WriteProblem(const std::filesystem::path& path) {
    STarget target;
    if (!FollowLinks(path, target, nullptr) || target.descriptor) {
        return Problem::kFailed;
    }
    if (target.exists) {
        if (S_ISDIR(target.st.st_mode) || S_ISSOCK(target.st.st_mode)) {
            return Problem::kNotAFile;
        }
        if (::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0) {
            return Problem::kDenied;
        }
        if (!S_ISREG(target.st.st_mode)) {
            return Problem::kFailed;
        }
    }
    const std::filesystem::path folder =
        target.path.has_parent_path() ? target.path.parent_path() : ".";
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) {
        const int err = errno;
        return err == ENOENT || err == ENOTDIR ? Problem::kNoFolder : ReadProblem(err);
    }
    if (!S_ISDIR(st.st_mode)) {
        return Problem::kNoFolder;
    }
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
        return Problem::kFolderReadOnly;
    }
    struct statvfs fs {};
    if (::statvfs(folder.c_str(), &fs) == 0 && (::geteuid() == 0 ? fs.f_bfree : fs.f_bavail) == 0) {
        return Problem::kDiskFull;
    }
    return Problem::kFailed;
}

bool WriteWhole(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                std::string* why) {
    STarget target;
    if (!FollowLinks(path, target, why)) {
        return false;
    }
    if (target.descriptor) {
        return WriteToDescriptor(*target.descriptor, bytes, why);
    }
    if (!target.exists || S_ISREG(target.st.st_mode)) {
        return Replace(target, bytes, why);
    }
    if (S_ISDIR(target.st.st_mode)) {
        return Say(why, NotAFile(target.st.st_mode));
    }
    return WriteInPlace(target, bytes, why);
}

}  // namespace

bool WriteFile(const std::filesystem::path& path, std::span<const uint8_t> bytes, std::string* why,
               Problem* problem) {
    if (WriteWhole(path, bytes, why)) {
        return true;
    }
    if (problem != nullptr) {
        *problem = WriteProblem(path);
    }
    return false;
}

}  // namespace fileio
