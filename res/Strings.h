// The game's texts in its seven languages: string table, message and tip tables, language names.
#pragma once

#include <array>
#include <string_view>

// Every text is UTF-8 and lives in the program's static data. A language index is 0 English,
// 1 French, 2 Italian, 3 German, 4 Spanish, 5 Chinese, 6 Russian. Localized resources are
// numbered base + language index. Every lookup takes any integer: an unknown id, language or
// position gives an empty text (a null string_view), never a crash.
namespace res {

constexpr int kLanguageCount = 7;

// The language index of any language value (options.cfg may hold anything): 0..6 as it is,
// every other value English (0). Resources numbered base + language take this index, never
// the value itself, so the sum cannot overflow.
constexpr int LanguageIndex(long long language) {
    return language >= 0 && language < kLanguageCount ? static_cast<int>(language) : 0;
}
constexpr int kMessageCount = 11;
constexpr int kTipCount = 7;

// A language's own name, as the Language dialog shows it, and the letter of its tutorial
// page ("F" in "TutorialF.html"; none for English).
struct SLanguage {
    std::string_view name;
    std::string_view tutorialLetter;
};

inline constexpr std::array<SLanguage, kLanguageCount> kLanguages = {{
    {"English", ""},
    {"Français", "F"},
    {"Italiano", "I"},
    {"Deutsch", "G"},
    {"Español", "S"},
    {"汉语", "C"},
    {"Русский", "R"},
}};

// String table ids.
constexpr int kGameKeyCaption = 310;     // + language: caption of the Game soft key
constexpr int kOptionsKeyCaption = 320;  // + language: caption of the Options soft key
constexpr int kDocumentString = 110;     // the document template string
constexpr int kAppTitle = 57344;         // "Судоку", the same in every language

// An entry of the string table, or an empty text.
std::string_view FindString(int id);

// The fields of the document template string, in their order within it.
enum class DocField : int {
    kWindowTitle,
    kDocName,
    kFileNewName,
    kFilterName,
    kFilterExt,
    kRegFileTypeId,
    kRegFileTypeName,
};
// One field of the document template string (fields are separated by line feeds).
std::string_view DocumentField(DocField field);

// The text of message 0..10 (the order of MessageId in game/Texts.h) in a language.
std::string_view MessageText(int language, int message);
// The name of message 0..10 in the message list, such as "MsgFilesMissing".
std::string_view MessageName(int message);
// The toolbar caption of caption index 0..6 in a language. The Pencilmarks (1) and Eraser (2)
// captions hold two texts separated by a line feed: the first while the mode is off, the
// second while it is on.
std::string_view TipText(int language, int index);

// The OK box shown when Load or Save fails: the file cannot be read or written, or it is not a
// whole saved game. Its name, as the script log shows it, and its text in a language.
constexpr std::string_view kFileErrorName = "FileError";
std::string_view FileErrorText(int language);

// The words of the browser edition's own boxes and page, which the desktop takes from Qt: the
// buttons of message boxes and file boxes, the Save box's label, the page shown once the game
// has ended, the sign of a long solve, and the one warning that the browser keeps nothing.
enum class ShellText : int {
    kOk,
    kYes,
    kNo,
    kCancel,
    kFileName,
    kSaved,
    kPlayOn,
    kWorking,
    kNotKept,
};
constexpr int kShellTextCount = 9;
std::string_view ShellTextOf(int language, ShellText text);

// Why a file or a page could not be used, in a few words: the detail below the text of the
// FileError and TutorialError boxes. kNone (nothing wrong) has no text.
enum class FileReason : int {
    kMissing,
    kNotAFile,
    kDenied,
    kNoFolder,
    kFolderReadOnly,
    kDiskFull,
    kFailed,
    kNotASavedGame,
    kDamaged,
    kNoBrowser,
    kNone,
};
constexpr int kFileReasonCount = 10;  // the reasons with a text, kNone left out
std::string_view FileReasonText(int language, FileReason reason);

// The OK box shown when the Tutorial page could not be handed to a browser: its name and its
// text, where %s stands for the page's path.
constexpr std::string_view kTutorialErrorName = "TutorialError";
std::string_view TutorialErrorText(int language);

// The OK box shown at start-up when the data folder cannot be written: its name and its text,
// where %s stands for the folder.
constexpr std::string_view kDataFolderReadOnlyName = "DataFolderReadOnly";
std::string_view DataFolderReadOnlyText(int language);

// The language's own name, as the Language dialog shows it ("Français").
std::string_view LanguageName(int language);
// The letter of the language's tutorial page, "F" in "TutorialF.html"; empty for English.
std::string_view TutorialLetter(int language);

}  // namespace res
