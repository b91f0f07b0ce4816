// DataManager: the program folder, the data files, bitmap files, message boxes, closing and
// the tutorial page.
#include "platform/DataManager.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

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

bool Say(std::string* why, std::string what) {
    if (why != nullptr) {
        *why = std::move(what);
    }
    return false;
}

// The refusal to write a data file that could not be read: what was there is kept.
std::string NotWritten(const std::filesystem::path& path, const std::string& unreadable) {
    return path.string() + " not written: it could not be read at start-up (" + unreadable + ")";
}

// The refusal to write a data file when there is no data folder.
std::string NoDataFolder(std::string_view name) {
    return std::string(name) + " not written: there is no data folder";
}

// The home folder: HOME, or the password database's entry of the user when HOME is unset or
// not an absolute path; empty when neither names one.
std::filesystem::path HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return home;
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr && found->pw_dir[0] == '/') {
        return found->pw_dir;
    }
    return {};
}

}  // namespace

// --- CDataFile ---

CDataFile::CDataFile(std::filesystem::path path, std::vector<uint8_t> bytes, std::string unreadable,
                     std::string notWritten)
    : m_path(std::move(path)),
      m_bytes(std::move(bytes)),
      m_unreadable(std::move(unreadable)),
      m_notWritten(std::move(notWritten)) {
    if (m_notWritten.empty() && !m_unreadable.empty()) {
        m_notWritten = NotWritten(m_path, m_unreadable);
    }
}

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
    if (!m_notWritten.empty()) {
        return Say(why, m_notWritten);
    }
    std::string reason;
    if (!fileio::WriteFile(m_path, m_bytes, &reason)) {
        return Say(why, "cannot write " + m_path.string() + ": " + reason);
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
    return m_dataFolder.empty() ? std::filesystem::path(name) : Resolve(m_dataFolder, name);
}

fileio::SRead DataManager::ReadDataFile(std::string_view name, std::size_t maxBytes) const {
    if (m_dataFolder.empty()) {
        return {fileio::ReadStatus::kMissing, {}, "there is no data folder"};
    }
    const std::filesystem::path path = MakeDataPath(name);
    fileio::SRead r = fileio::ReadRegularFile(path, maxBytes);
    // The first reason stays: a file fixed during the run still holds what the program never
    // read, and the program's copy is not the file's.
    if (r.status == fileio::ReadStatus::kNotAFile || r.status == fileio::ReadStatus::kFailed) {
        m_unreadable.emplace(path, r.why);
    }
    return r;
}

bool DataManager::FileExists(std::string_view name) const {
    const fileio::SRead r = ReadDataFile(name, 0);
    return r.Ok() && !r.bytes.empty();
}

std::unique_ptr<CDataFile> DataManager::OpenDataFile(std::string_view name) {
    const std::filesystem::path path = MakeDataPath(name);
    if (m_dataFolder.empty()) {
        return std::make_unique<CDataFile>(path, std::vector<uint8_t>{}, std::string(),
                                           NoDataFolder(name));
    }
    fileio::SRead r = ReadDataFile(name, kMaxDataFileBytes);
    if (r.status == fileio::ReadStatus::kMissing) {
        // Created empty, as opening for reading and writing does; in a folder that cannot be
        // written it simply reads as empty, and writing it fails later with the reason.
        std::error_code ec;
        std::filesystem::create_directories(m_dataFolder, ec);
        fileio::WriteFile(path, {});
        return std::make_unique<CDataFile>(path, std::vector<uint8_t>{});
    }
    if (r.Ok() && r.bytes.size() > kMaxDataFileBytes) {
        m_unreadable.emplace(path, "it is longer than any data file of the game");
    }
    const auto unreadable = m_unreadable.find(path);
    if (unreadable != m_unreadable.end()) {
        return std::make_unique<CDataFile>(path, std::vector<uint8_t>{}, unreadable->second);
    }
    return std::make_unique<CDataFile>(path, std::move(r.bytes));
}

std::size_t DataManager::ReadBlock(CDataFile& file, void* buffer, std::size_t count) {
    return file.Read(buffer, count);
}

void DataManager::WriteBlock(CDataFile& file, const void* buffer, std::size_t count) {
    file.Write(buffer, count);
}

bool DataManager::CloseDataFile(std::unique_ptr<CDataFile> file, std::string* why) {
    return !file || file->Commit(why);
}

bool DataManager::DataPathForWriting(std::string_view name, std::filesystem::path& path,
                                     std::string* why) {
    path = MakeDataPath(name);
    if (m_dataFolder.empty()) {
        return Say(why, NoDataFolder(name));
    }
    const auto unreadable = m_unreadable.find(path);
    if (unreadable != m_unreadable.end()) {
        return Say(why, NotWritten(path, unreadable->second));
    }
    std::error_code ec;
    std::filesystem::create_directories(m_dataFolder, ec);
    return true;
}

bool DataManager::ReplaceDataFile(std::string_view name, std::span<const uint8_t> bytes,
                                  std::string* why) {
    std::filesystem::path path;
    if (!DataPathForWriting(name, path, why)) {
        return false;
    }
    std::string reason;
    return fileio::WriteFile(path, bytes, &reason) ||
           Say(why, "cannot write " + path.string() + ": " + reason);
}

bool DataManager::LoadBitmapFile(std::string_view name, Bitmap& out, std::string* why) const {
    const fileio::SRead r = fileio::ReadRegularFile(MakeProgramPath(name), kMaxBitmapFileBytes);
    if (!r.Ok()) {
        return Say(why, r.why);
    }
    std::string reason = "it is longer than any bitmap this program reads";
    return (r.bytes.size() <= kMaxBitmapFileBytes && DecodeBmp(r.bytes, out, &reason)) ||
           Say(why, "not a bitmap this program can read: " + reason);
}

fileio::Problem DataManager::DataFolderProblem() const {
    // The folder itself, or the first folder on its way that exists, in which it would be made.
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::absolute(m_dataFolder, ec).lexically_normal();
    for (;;) {
        struct stat st {};
        if (::stat(folder.c_str(), &st) == 0) {
            if (!S_ISDIR(st.st_mode)) {
                return fileio::Problem::kNotAFile;
            }
            return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0
                       ? fileio::Problem::kNone
                       : fileio::Problem::kFolderReadOnly;
        }
        if (errno == ENOTDIR) {
            return fileio::Problem::kNotAFile;
        }
        if (errno != ENOENT || !folder.has_relative_path()) {
            return fileio::Problem::kFolderReadOnly;
        }
        folder = folder.parent_path();
    }
}

int DataManager::ShowMessage(std::string_view text, MsgStyle style, std::string_view name,
                             const SMessageDetail& detail) {
    BeforeModal();
    return m_shell.ShowMessage(name, text, style, detail);
}

void DataManager::CloseApplication() {
    m_shell.CloseApplication();
}

SPageOpen DataManager::OpenTutorial(int language, std::filesystem::path* page) {
    static constexpr const char* kLetters[] = {"", "F", "I", "G", "S", "C", "R"};
    const char* letter = (language >= 0 && language <= 6) ? kLetters[language] : "";
    const std::string name = std::string("\\tutorial\\Tutorial") + letter + ".html";
    const std::filesystem::path path = MakeProgramPath(name);
    if (page != nullptr) {
        *page = path;
    }
    return m_shell.OpenPage(path, std::string("tutorial/Tutorial") + letter + ".html");
}

std::filesystem::path DataManager::ExecutableFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path(ec) : exe.parent_path();
}

std::filesystem::path DataManager::DefaultDataFolder(const std::filesystem::path& programFolder,
                                                     std::string* why) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(programFolder / kPortableMarker, ec)) {
        return programFolder;
    }
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return std::filesystem::path(xdg) / "sudoku";
    }
    const std::filesystem::path home = HomeFolder();
    if (home.empty()) {
        Say(why, "no home folder: HOME is unset and the password database has none for user " +
                     std::to_string(::getuid()));
        return {};
    }
    return home / ".local" / "share" / "sudoku";
}
