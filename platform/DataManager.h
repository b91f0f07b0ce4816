// DataManager: the program folder, the data files, bitmap files, message boxes, closing and
// the tutorial page.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Shell.h"

// An open data file. Its bytes are held in memory from the open on; writes change that copy,
// and closing writes the whole file to a temporary file beside the target, flushes it and
// renames it over the target, so a file is never left half-written.
class CDataFile {
public:
    CDataFile(std::filesystem::path path, std::vector<uint8_t> bytes)
        : m_path(std::move(path)), m_bytes(std::move(bytes)) {}

    const std::filesystem::path& Path() const { return m_path; }
    std::size_t Length() const { return m_bytes.size(); }
    std::size_t Read(void* buffer, std::size_t count);
    void Write(const void* buffer, std::size_t count);
    void SeekToBegin() { m_pos = 0; }
    // Writes the file out if anything was written; false when that failed.
    bool Commit(std::string* why = nullptr);

private:
    std::filesystem::path m_path;
    std::vector<uint8_t> m_bytes;
    std::size_t m_pos = 0;
    bool m_dirty = false;
};

// Folders: the program folder holds the assets (skins, splash, tutorial); the data folder holds
// autosave.sdk and options.cfg. File names the program forms may use backslashes and any
// letter case ("Splash\Splash.bmp"); they are resolved with '/' and without regard to case.
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

    // True when the data file opens for reading and is not empty.
    bool FileExists(std::string_view name) const;
    // Opens a data file for reading and writing; a missing file is created empty (when the
    // folder can be written). Never fails: a file that cannot be read reads as empty.
    std::unique_ptr<CDataFile> OpenDataFile(std::string_view name);
    static std::size_t ReadBlock(CDataFile& file, void* buffer, std::size_t count);
    static void WriteBlock(CDataFile& file, const void* buffer, std::size_t count);
    // Closes the file, writing it out when it was written to. A write that fails is reported
    // once on standard error; the program goes on. Gives false when the write failed.
    bool CloseDataFile(std::unique_ptr<CDataFile> file);

    // Replaces a data file with exactly these bytes (written whole or not at all). A failure is
    // reported as CloseDataFile reports it; gives false then.
    bool ReplaceDataFile(std::string_view name, std::span<const uint8_t> bytes);

    // Loads a BMP file of the program folder; false when it is missing, unreadable or not a
    // bitmap this program can read (out is then unchanged).
    bool LoadBitmapFile(std::string_view name, Bitmap& out) const;

    int ShowMessage(std::string_view text, MsgStyle style, std::string_view name = {});
    void CloseApplication();
    // Opens tutorial/Tutorial<letter>.html of the program folder; an index outside 0..6 gets
    // no letter.
    void OpenTutorial(int language);

    // The folder of the running program's file: the program folder when none is given.
    static std::filesystem::path ExecutableFolder();
    // The data folder when none is given: the program folder when it can be written, else
    // $XDG_DATA_HOME/sudoku (~/.local/share/sudoku).
    static std::filesystem::path DefaultDataFolder(const std::filesystem::path& programFolder);

private:
    std::filesystem::path m_programFolder;
    std::filesystem::path m_dataFolder;
    IShell& m_shell;
    bool ReportWriteFailure(const std::filesystem::path& path, const std::string& why);

    bool m_writeFailureReported = false;
};
