// CSudokuDoc: every menu and toolbar command with its update rule, the start-up resume, Load,
// Save and the autosave at the end.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

#include "res/Commands.h"
#include "ui/MainFrm.h"

class CBoard;
class CGame;
class CGameRoot;
class COptions;
class DataManager;
class IShell;
namespace res {
enum class FileReason : int;
}

// Everything an update rule reads: the options and the game at the moment of asking.
struct SRuleState {
    int32_t level = 30;
    int32_t inputMode = 0;
    int32_t skin = 0;
    bool customEntry = false;
    bool autoPencilmarks = false;
    bool flagIllegal = false;
    bool limitNumbers = false;
    bool zonePencilmarks = false;
    bool crosshatching = false;
    bool canUndo = false;
};

// The document holds no board: the game and the options are the root's. Its commands live in
// one table, one row per command: the command, its update rule (a pure function of SRuleState)
// and what it does. Every command from any source (menu, toolbar, accelerator, script) asks
// its rule first; the menus ask the rules of their items before they open, the command bar
// asks the rules of its buttons whenever it is drawn.
class CSudokuDoc final : public ICommandRules {
public:
    // Document construction: the drawing context, InitGame (options.cfg is read), the splash
    // pictures. The root, the shell and the frame must outlive the document.
    CSudokuDoc(CGameRoot& root, IShell& shell, CMainFrame& frame);
    // Writes the autosave and the options (SaveOnExit), once, if the end of the program has not
    // done so already.
    ~CSudokuDoc();
    CSudokuDoc(const CSudokuDoc&) = delete;
    CSudokuDoc& operator=(const CSudokuDoc&) = delete;

    // The rule of a command in a state; a command without a rule is enabled and unchecked.
    static SCommandState Rule(CommandId id, const SRuleState& state);
    // The state the rules read now.
    SRuleState RuleState() const;
    // The update rule of a command: a pure function of the options and the game. A command
    // without a rule is enabled and unchecked.
    SCommandState Update(CommandId id) const override;
    // Runs a command of the document when its rule enables it; false (and nothing happens) when
    // the rule disables it or the document has no such command (About, Save and Exit, Exit and
    // the accelerator-only Cut, Copy and Paste belong to the application).
    bool OnCommand(CommandId id);
    // Whether the document runs this command.
    static bool HasCommand(CommandId id);

    // The first call resumes autosave.sdk, or starts a new game at the stored level, then
    // rebuilds the command bar in the stored language; later calls start a new game, or accept
    // the custom puzzle during custom entry.
    bool OnNewDocument();
    bool IsFirstNewDocument() const { return m_bFirstNewDocument; }

    // Reads a saved game as Load does; a file that cannot be read or is not a whole saved game
    // shows the FileError box and the game in play stays.
    bool OpenDocumentFile(const std::filesystem::path& path);

    // The end of the program, by any route: SaveOnExit, exactly once. Before the first new
    // document (a start-up that failed) nothing is written, so that an autosave not yet read
    // is not lost.
    void OnCloseDocument();

    // Told the cell that the Hint command found (the script log's "hint X Y").
    void SetHintListener(std::function<void(int32_t x, int32_t y)> listener) {
        m_onHint = std::move(listener);
    }

private:
    struct SCommandRow;
    static const SCommandRow* FindRow(CommandId id);
    // The FileError box, with the reason and the file below its text.
    void ShowFileError(res::FileReason fault, const std::filesystem::path& path);

    // Command bodies, by row of the command table.
    void OnLevel(CommandId id);
    void OnCustom(CommandId id);
    void OnQuickNewGame(CommandId id);
    void OnNew(CommandId id);
    void OnLoad(CommandId id);
    void OnSave(CommandId id);
    void OnUndo(CommandId id);
    void OnEraseIllegal(CommandId id);
    void OnRestart(CommandId id);
    // Check My Input, Solve Cell and Solve Puzzle: the board's solve, run through the shell as
    // a piece of work that may be long; gives what the solve gave.
    bool RunSolver(bool (CBoard::*solve)());
    void OnCheckMyInput(CommandId id);
    void OnHint(CommandId id);
    void OnSolveCell(CommandId id);
    void OnSolvePuzzle(CommandId id);
    void OnInputMode(CommandId id);
    void OnToggleOption(CommandId id);
    void OnSkin(CommandId id);
    void OnPencilmarks(CommandId id);
    void OnEraser(CommandId id);
    void OnStatistics(CommandId id);
    void OnLanguage(CommandId id);
    void OnTutorial(CommandId id);

    CGameRoot& m_root;
    CGame& m_game;
    COptions& m_options;
    IShell& m_shell;
    CMainFrame& m_frame;
    std::function<void(int32_t, int32_t)> m_onHint;
    bool m_bFirstNewDocument = true;
    bool m_closed = false;
};
