// DataManager: the program folder, the data files, bitmap files, message boxes, closing and
// the tutorial page.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/FileIO.h"
#include "platform/Shell.h"

// An open data file. Its bytes are held in memory from the open on; writes change that copy,
// and closing writes the whole file through fileio::WriteFile, so a file is never left
// half-written. A file that was there but could not be read reads as empty and is never
// written: `unreadable` says why it could not be read, and Commit refuses with it. A file
// that may not be written for another reason carries the whole refusal in `notWritten`.
class CDataFile {
public:
    CDataFile(std::filesystem::path path, std::vector<uint8_t> bytes, std::string unreadable = {},
              std::string notWritten = {});

    const std::filesystem::path& Path() const { return m_path; }
    std::size_t Length() const { return m_bytes.size(); }
    std::size_t Read(void* buffer, std::size_t count);
    void Write(const void* buffer, std::size_t count);
    void SeekToBegin() { m_pos = 0; }
    // Why the file could not be read; empty when it was read (or was missing).
    const std::string& Unreadable() const { return m_unreadable; }
    // Writes the file out if anything was written; false, with the reason, when that failed or
    // the file may not be written.
    bool Commit(std::string* why = nullptr);

private:
    std::filesystem::path m_path;
    std::vector<uint8_t> m_bytes;
    std::string m_unreadable;
    std::string m_notWritten;
    std::size_t m_pos = 0;
    bool m_dirty = false;
};

// Folders: the program folder holds the assets (skins, splash, tutorial); the data folder holds
// autosave.sdk and options.cfg. File names the program forms may use backslashes and any
// letter case ("Splash\Splash.bmp"); they are resolved with '/' and without regard to case.
// An empty data folder is none at all: no data file is there, and none is written.
class DataManager {
public:
    DataManager(std::filesystem::path programFolder, std::filesystem::path dataFolder,
                IShell& shell);

    const std::filesystem::path& GetProgramFolder() const { return m_programFolder; }
    const std::filesystem::path& GetDataFolder() const { return m_dataFolder; }
    IShell& Shell() const { return m_shell; }

    // program folder + name, each part matched without regard to letter case against what
    // exists (the name as given where nothing matches).
    std::filesystem::path MakeProgramPath(std::string_view name) const;
    std::filesystem::path MakeDataPath(std::string_view name) const;

    // Data files that are there but cannot be read (a folder, a FIFO, a device, a file without
    // read permission) are remembered by every read below: the program never writes over what
    // it could not read, so writing them is refused for the rest of the run, with the reason.
    // Nothing here prints; every failure comes back to the caller with its reason.

    // Reads a whole data file, at most maxBytes + 1 bytes (see fileio::ReadRegularFile).
    fileio::SRead ReadDataFile(std::string_view name, std::size_t maxBytes) const;
    // True when the data file opens for reading and is not empty.
    bool FileExists(std::string_view name) const;
    // Opens a data file for reading and writing; a missing file is created empty (when the
    // folder can be written), but nothing is created where something else stands. Never fails:
    // a file that cannot be read reads as empty and carries the reason (CDataFile::Unreadable).
    std::unique_ptr<CDataFile> OpenDataFile(std::string_view name);
    static std::size_t ReadBlock(CDataFile& file, void* buffer, std::size_t count);
    static void WriteBlock(CDataFile& file, const void* buffer, std::size_t count);
    // Closes the file, writing it out when it was written to. Gives false, with the reason in
    // `why` ("cannot write PATH: ..." or "PATH not written: ..."), when the write failed or
    // was refused.
    bool CloseDataFile(std::unique_ptr<CDataFile> file, std::string* why = nullptr);

    // Replaces a data file with exactly these bytes (written whole or not at all); false with
    // the reason as CloseDataFile gives it.
    bool ReplaceDataFile(std::string_view name, std::span<const uint8_t> bytes,
                         std::string* why = nullptr);
    // The path to write a data file to, with the data folder created; false with the reason
    // when the file was there but could not be read.
    bool DataPathForWriting(std::string_view name, std::filesystem::path& path,
                            std::string* why = nullptr);

    // Whether the data folder can be written: kNone when it can (or when it does not exist yet
    // and can be created), else why not (kFolderReadOnly, kNotAFile where a file stands in its
    // place or on its way).
    fileio::Problem DataFolderProblem() const;

    // Loads a BMP file of the program folder; false when it is missing, unreadable or not a
    // bitmap this program can read (out is then unchanged), with what is wrong in `why` (the
    // caller names the file).
    bool LoadBitmapFile(std::string_view name, Bitmap& out, std::string* why = nullptr) const;

    // A message box: what waits to be shown on the screen is shown first (BeforeModal).
    int ShowMessage(std::string_view text, MsgStyle style, std::string_view name = {},
                    const SMessageDetail& detail = {});
    // What must be on the screen before a message box or a modal dialog covers it: the view
    // sets it, and leaves it empty when it goes.
    void SetBeforeModal(std::function<void()> beforeModal) {
        m_beforeModal = std::move(beforeModal);
    }
    void BeforeModal() const {
        if (m_beforeModal) {
            m_beforeModal();
        }
    }
    void CloseApplication();
    // Opens tutorial/Tutorial<letter>.html of the program folder; an index outside 0..6 gets
    // no letter. `page` is set to the page's path, for a message when it could not be opened.
    SPageOpen OpenTutorial(int language, std::filesystem::path* page = nullptr);

    // The folder of the running program's file: the program folder when none is given.
    static std::filesystem::path ExecutableFolder();
    // The file that makes a program folder its own data folder: the build writes it beside the
    // programs it builds, and it is never installed; copied into a folder, it makes that
    // folder a portable game.
    static constexpr const char* kPortableMarker = "portable";
    // The data folder when none is given: the program folder when it holds the marker; else
    // $XDG_DATA_HOME/sudoku, or ~/.local/share/sudoku with the home folder from HOME, or from
    // the password database when HOME is unset. Relative paths in either variable are ignored.
    // Empty, with the reason in `why`, when the user has no home folder at all.
    static std::filesystem::path DefaultDataFolder(const std::filesystem::path& programFolder,
                                                   std::string* why = nullptr);

private:
    std::filesystem::path m_programFolder;
    std::filesystem::path m_dataFolder;
    IShell& m_shell;
    std::function<void()> m_beforeModal;
    // Why each data file that was there could not be read, by its path.
    mutable std::map<std::filesystem::path, std::string> m_unreadable;
};
