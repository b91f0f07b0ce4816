// CSudokuDoc: every menu and toolbar command with its update rule, the start-up resume, Load,
// Save and the autosave at the end.
#pragma once

#include <filesystem>

#include "res/Commands.h"

class CGame;
class CGameRoot;
class CMainFrame;
class COptions;
class DataManager;
class IShell;

// A command's update rule: whether it is enabled and whether its item is checked.
struct SCommandState {
    bool enabled = true;
    bool checked = false;

    bool operator==(const SCommandState&) const = default;
};

class CSudokuDoc {
public:
    CSudokuDoc(CGameRoot& root, IShell& shell, CMainFrame& frame);
    // Writes the autosave and the options (SaveOnExit), once, if the end of the program has not
    // done so already.
    ~CSudokuDoc();
    CSudokuDoc(const CSudokuDoc&) = delete;
    CSudokuDoc& operator=(const CSudokuDoc&) = delete;

    // The update rule of a command: a pure function of the options and the game. A command
    // without a rule is enabled and unchecked.
    SCommandState Update(CommandId id) const;
    // Runs a command of the document when its rule enables it; false (and nothing happens) when
    // the rule disables it or the document has no such command (About, Save and Exit, Exit and
    // the accelerator-only Cut, Copy and Paste belong to the application).
    bool OnCommand(CommandId id);

    // The first call resumes autosave.sdk, or starts a new game at the stored level, then
    // rebuilds the command bar in the stored language; later calls start a new game, or accept
    // the custom puzzle during custom entry.
    bool OnNewDocument();
    bool IsFirstNewDocument() const { return m_bFirstNewDocument; }

    // Reads a saved game as Load does; a file that cannot be read or is not a whole saved game
    // shows the FileError box and the game in play stays.
    bool OpenDocumentFile(const std::filesystem::path& path);

    // The toolbar strip that matches the pencil and eraser modes (132, 134, 135, 136).
    void UpdateToolbarImage();
    // Presses and releases the Pencilmarks and then the Eraser button, so that both end up.
    void ReleaseToolbarButtons();

    // The end of the program, by any route: SaveOnExit, exactly once.
    void OnCloseDocument();

private:
    CGameRoot& m_root;
    CGame& m_game;
    COptions& m_options;
    IShell& m_shell;
    CMainFrame& m_frame;
    bool m_bFirstNewDocument = true;
    bool m_closed = false;
};
