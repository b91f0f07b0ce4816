// Test support: a fresh temporary folder, removed with everything in it at the end.
#pragma once

#include <stdlib.h>

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

}  // namespace testsupport
