// DataManager: the program folder, the data files, bitmap files, message boxes, closing and
// the tutorial page.
#include "platform/DataManager.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "platform/BmpReader.h"
#include "platform/FileIO.h"

namespace {

constexpr std::size_t kMaxDataFileBytes = 1U << 20;
constexpr std::size_t kMaxBitmapFileBytes = 64U << 20;

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lx = static_cast<unsigned char>(x);
               const auto ly = static_cast<unsigned char>(y);
               return std::tolower(lx) == std::tolower(ly);
           });
}

// Joins a name formed with backslashes or slashes to a folder, matching every part without
// regard to letter case against what exists; a part that matches nothing is kept as given.
std::filesystem::path Resolve(const std::filesystem::path& folder, std::string_view name) {
    std::filesystem::path path = folder;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("\\/", start);
        if (end == std::string_view::npos) {
            end = name.size();
        }
        const std::string_view part = name.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".") {
            continue;
        }
        std::filesystem::path next = path / std::string(part);
        std::error_code ec;
        if (part != ".." && !std::filesystem::exists(next, ec)) {
            // Several spellings may exist; take the first in name order, so the choice is stable.
            std::string best;
            for (const auto& entry : std::filesystem::directory_iterator(path, ec)) {
                const std::string candidate = entry.path().filename().string();
                if (SameIgnoringCase(candidate, part) && (best.empty() || candidate < best)) {
                    best = candidate;
                }
            }
            if (!best.empty()) {
                next = path / best;
            }
        }
        path = std::move(next);
    }
    return path;
}

}  // namespace

// --- CDataFile ---

std::size_t CDataFile::Read(void* buffer, std::size_t count) {
    const std::size_t n = m_pos < m_bytes.size() ? std::min(count, m_bytes.size() - m_pos) : 0;
    if (n > 0) {
        std::memcpy(buffer, m_bytes.data() + m_pos, n);
    }
    m_pos += n;
    return n;
}

void CDataFile::Write(const void* buffer, std::size_t count) {
    if (count == 0) {
        return;
    }
    if (m_bytes.size() < m_pos + count) {
        m_bytes.resize(m_pos + count);
    }
    std::memcpy(m_bytes.data() + m_pos, buffer, count);
    m_pos += count;
    m_dirty = true;
}

bool CDataFile::Commit(std::string* why) {
    if (!m_dirty) {
        return true;
    }
    if (!fileio::WriteFileAtomically(m_path, m_bytes, why)) {
        return false;
    }
    m_dirty = false;
    return true;
}

// --- DataManager ---

DataManager::DataManager(std::filesystem::path programFolder, std::filesystem::path dataFolder,
                         IShell& shell)
    : m_programFolder(std::move(programFolder)),
      m_dataFolder(std::move(dataFolder)),
      m_shell(shell) {}

std::filesystem::path DataManager::MakeProgramPath(std::string_view name) const {
    return Resolve(m_programFolder, name);
}

std::filesystem::path DataManager::MakeDataPath(std::string_view name) const {
    return Resolve(m_dataFolder, name);
}

bool DataManager::FileExists(std::string_view name) const {
    const auto bytes = fileio::ReadFile(MakeDataPath(name), 0);
    return bytes && !bytes->empty();
}

std::unique_ptr<CDataFile> DataManager::OpenDataFile(std::string_view name) {
    const std::filesystem::path path = MakeDataPath(name);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        // A missing file is created empty, as opening for reading and writing does; in a
        // folder that cannot be written it simply reads as empty.
        std::filesystem::create_directories(m_dataFolder, ec);
        fileio::WriteFileAtomically(path, {});
    }
    auto bytes = fileio::ReadFile(path, kMaxDataFileBytes);
    return std::make_unique<CDataFile>(path, bytes ? std::move(*bytes) : std::vector<uint8_t>{});
}

std::size_t DataManager::ReadBlock(CDataFile& file, void* buffer, std::size_t count) {
    return file.Read(buffer, count);
}

void DataManager::WriteBlock(CDataFile& file, const void* buffer, std::size_t count) {
    file.Write(buffer, count);
}

bool DataManager::CloseDataFile(std::unique_ptr<CDataFile> file) {
    if (!file) {
        return true;
    }
    std::string why;
    return file->Commit(&why) || ReportWriteFailure(file->Path(), why);
}

bool DataManager::ReplaceDataFile(std::string_view name, std::span<const uint8_t> bytes) {
    std::error_code ec;
    std::filesystem::create_directories(m_dataFolder, ec);
    const std::filesystem::path path = MakeDataPath(name);
    std::string why;
    return fileio::WriteFileAtomically(path, bytes, &why) || ReportWriteFailure(path, why);
}

bool DataManager::ReportWriteFailure(const std::filesystem::path& path, const std::string& why) {
    // Said once: a folder that cannot be written fails every save of the run the same way.
    if (!m_writeFailureReported) {
        std::cerr << "sudoku: cannot write " << path.string() << " (" << why
                  << "); the game goes on without saving it\n";
        m_writeFailureReported = true;
    }
    return false;
}

bool DataManager::LoadBitmapFile(std::string_view name, Bitmap& out) const {
    const auto bytes = fileio::ReadFile(MakeProgramPath(name), kMaxBitmapFileBytes);
    return bytes && DecodeBmp(*bytes, out);
}

int DataManager::ShowMessage(std::string_view text, MsgStyle style, std::string_view name) {
    return m_shell.ShowMessage(name, text, style);
}

void DataManager::CloseApplication() {
    m_shell.CloseApplication();
}

void DataManager::OpenTutorial(int language) {
    static constexpr const char* kLetters[] = {"", "F", "I", "G", "S", "C", "R"};
    const char* letter = (language >= 0 && language <= 6) ? kLetters[language] : "";
    const std::string name = std::string("\\tutorial\\Tutorial") + letter + ".html";
    m_shell.OpenPage(MakeProgramPath(name), std::string("tutorial/Tutorial") + letter + ".html");
}

std::filesystem::path DataManager::ExecutableFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path(ec) : exe.parent_path();
}

std::filesystem::path DataManager::DefaultDataFolder(const std::filesystem::path& programFolder) {
    if (::access(programFolder.c_str(), W_OK) == 0) {
        return programFolder;
    }
    const char* xdg = std::getenv("XDG_DATA_HOME");
    std::filesystem::path base;
    if (xdg != nullptr && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home != nullptr ? home : "/tmp") / ".local" / "share";
    }
    return base / "sudoku";
}
