// Test support: a fresh temporary folder, removed with everything in it at the end.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "platform/FileIO.h"

namespace testsupport {

class TempDir {
public:
    TempDir() {
        std::string name = (std::filesystem::temp_directory_path() / "sudoku-test-XXXXXX");
        m_path = ::mkdtemp(name.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

    // Writes a file below the folder, creating the folders on the way.
    std::filesystem::path Write(const std::string& name, std::span<const uint8_t> bytes) const {
        const std::filesystem::path p = m_path / name;
        std::filesystem::create_directories(p.parent_path());
        fileio::WriteFile(p, bytes);
        return p;
    }
    std::filesystem::path Write(const std::string& name, const std::string& text) const {
        return Write(name, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()),
                                                    text.size()));
    }

private:
    std::filesystem::path m_path;
};

// Runs `what` as the unprivileged user and group 65534 when the tests run as the superuser, who
// may read and write anything; as anyone else, simply runs it. False when the switch failed.
template <typename F>
bool AsUnprivileged(F&& what) {
    if (::geteuid() != 0) {
        what();
        return true;
    }
    if (::setegid(65534) != 0 || ::seteuid(65534) != 0) {
        return false;
    }
    what();
    return ::seteuid(0) == 0 && ::setegid(0) == 0;
}

}  // namespace testsupport
