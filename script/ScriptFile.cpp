// ReadScriptText: the text of a script from a file, or from standard input.
#include "script/ScriptFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

std::optional<std::string> ReadScriptText(const std::string& name, std::string& why) {
    const bool standardInput = name == "-";
    const int fd = standardInput ? 0 : ::open(name.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        why = std::strerror(errno);
        return std::nullopt;
    }
    std::string text;
    char buffer[65536];
    ssize_t n = 0;
    if (S_ISDIR(st.st_mode)) {
        why = "it is a folder, not a file";
    } else {
        while (text.size() <= kMaxScriptBytes &&
               ((n = ::read(fd, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR))) {
            text.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
        }
        why = n < 0                           ? std::strerror(errno)
              : text.size() > kMaxScriptBytes ? "larger than 16 MiB"
                                              : "";
    }
    if (!standardInput) {
        ::close(fd);
    }
    return why.empty() ? std::optional<std::string>(std::move(text)) : std::nullopt;
}
