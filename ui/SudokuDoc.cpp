// CSudokuDoc: the command table (update rules and bodies), the start-up, Load and Save.
#include "ui/SudokuDoc.h"

#include <array>
#include <iostream>
#include <string>

#include "engine/Options.h"
#include "game/GameFiles.h"
#include "game/SaveFile.h"
#include "game/Texts.h"
#include "platform/DataManager.h"
#include "platform/Shell.h"
#include "res/Strings.h"
#include "ui/GameRoot.h"
#include "ui/LanguageDlg.h"
#include "ui/MainFrm.h"
#include "ui/Skin.h"
#include "ui/StatsDlg.h"

namespace {

constexpr SCommandState Check(bool checked) {
    return {true, checked};
}
constexpr SCommandState Enable(bool enabled) {
    return {enabled, false};
}
constexpr SCommandState CheckAndEnable(bool checked, bool enabled) {
    return {enabled, checked};
}

// The name Save proposes, whatever file the game came from.
constexpr const char* kProposedName = "quicksave.sdk";

}  // namespace

// One command: its update rule (nullptr: always enabled, never checked) and its body (nullptr:
// the application serves it).
struct CSudokuDoc::SCommandRow {
    CommandId id;
    SCommandState (*rule)(const SRuleState&);
    void (CSudokuDoc::*run)(CommandId);
};

const CSudokuDoc::SCommandRow* CSudokuDoc::FindRow(CommandId id) {
    using S = const SRuleState&;
    using D = CSudokuDoc;
    using C = CommandId;
    static constexpr SCommandRow kRows[] = {
        // Game, New Game
        {C::kBeginner, [](S s) { return Check(s.level == level::kBeginner); }, &D::OnLevel},
        {C::kEasy, [](S s) { return Check(s.level == level::kEasy); }, &D::OnLevel},
        {C::kMedium, [](S s) { return Check(s.level == level::kMedium); }, &D::OnLevel},
        {C::kHard, [](S s) { return Check(s.level == level::kHard); }, &D::OnLevel},
        {C::kExpert, [](S s) { return Check(s.level == level::kExpert); }, &D::OnLevel},
        {C::kCustom, [](S s) { return Check(s.level == level::kCustom); }, &D::OnCustom},
        {C::kQuickNewGame, nullptr, &D::OnQuickNewGame},
        // Ctrl+N: the framework's New ends in the new-document operation.
        {C::kNew, nullptr, &D::OnNew},
        // Game
        {C::kLoad, nullptr, &D::OnLoad},
        {C::kSave, nullptr, &D::OnSave},
        {C::kSaveAndExit, nullptr, nullptr},
        // Game, Edit
        {C::kUndo, [](S s) { return Enable(s.canUndo); }, &D::OnUndo},
        {C::kEraseIllegal, [](S s) { return Enable(!s.customEntry); }, &D::OnEraseIllegal},
        {C::kRestart, [](S s) { return Enable(!s.customEntry); }, &D::OnRestart},
        // Game, Solve
        {C::kCheckMyInput, nullptr, &D::OnCheckMyInput},
        {C::kHint, [](S s) { return Enable(!s.customEntry); }, &D::OnHint},
        {C::kSolveCell, [](S s) { return Enable(!s.customEntry); }, &D::OnSolveCell},
        {C::kSolvePuzzle, [](S s) { return Enable(!s.customEntry); }, &D::OnSolvePuzzle},
        // Options, Preferences
        {C::kCellSelect, [](S s) { return Check(s.inputMode == kCellSelect); }, &D::OnInputMode},
        {C::kNumberSelect, [](S s) { return Check(s.inputMode == kNumberSelect); },
         &D::OnInputMode},
        {C::kAutoPencilmarks, [](S s) { return CheckAndEnable(s.autoPencilmarks, !s.customEntry); },
         &D::OnToggleOption},
        {C::kFlagIllegal, [](S s) { return CheckAndEnable(s.flagIllegal, !s.customEntry); },
         &D::OnToggleOption},
        {C::kLimitNumbers,
         [](S s) {
             return CheckAndEnable(s.limitNumbers, !s.customEntry && s.inputMode == kCellSelect);
         },
         &D::OnToggleOption},
        {C::kZonePencilmarks, [](S s) { return CheckAndEnable(s.zonePencilmarks, !s.customEntry); },
         &D::OnToggleOption},
        {C::kCrosshatching,
         [](S s) { return CheckAndEnable(s.crosshatching, s.inputMode == kNumberSelect); },
         &D::OnToggleOption},
        // Options, Skin
        {C::kPaper, [](S s) { return Check(s.skin == kSkinPaper); }, &D::OnSkin},
        {C::kSand, [](S s) { return Check(s.skin == kSkinSand); }, &D::OnSkin},
        {C::kSteel, [](S s) { return Check(s.skin == kSkinSteel); }, &D::OnSkin},
        // Options
        {C::kStatistics, nullptr, &D::OnStatistics},
        {C::kLanguage, nullptr, &D::OnLanguage},
        {C::kTutorial, nullptr, &D::OnTutorial},
        {C::kAbout, nullptr, nullptr},
        // Toolbar
        {C::kPencilmarks, [](S s) { return Enable(!s.autoPencilmarks && !s.customEntry); },
         &D::OnPencilmarks},
        {C::kEraser, nullptr, &D::OnEraser},
        {C::kExit, nullptr, nullptr},
    };
    for (const SCommandRow& row : kRows) {
        if (row.id == id) {
            return &row;
        }
    }
    return nullptr;
}

CSudokuDoc::CSudokuDoc(CGameRoot& root, IShell& shell, CMainFrame& frame)
    : m_root(root), m_game(root.Game()), m_options(root.Options()), m_shell(shell), m_frame(frame) {
    // The drawing context needs no set-up of its own: its surfaces come with each paint.
    m_game.InitGame();
    m_root.Splash().LoadSplash();
}

CSudokuDoc::~CSudokuDoc() {
    OnCloseDocument();
}

SCommandState CSudokuDoc::Rule(CommandId id, const SRuleState& state) {
    const SCommandRow* row = FindRow(id);
    return row != nullptr && row->rule != nullptr ? row->rule(state) : SCommandState{};
}

SRuleState CSudokuDoc::RuleState() const {
    SRuleState s;
    s.level = m_options.GetLevel();
    s.inputMode = m_options.GetInputMode();
    s.skin = m_options.GetSkin();
    s.customEntry = m_options.GetCustomEntry();
    s.autoPencilmarks = m_options.GetAutoPencilmarks();
    s.flagIllegal = m_options.GetFlagIllegal();
    s.limitNumbers = m_options.GetLimitNumbers();
    s.zonePencilmarks = m_options.GetZonePencilmarks();
    s.crosshatching = m_options.GetCrosshatching();
    s.canUndo = m_game.CanUndo();
    return s;
}

SCommandState CSudokuDoc::Update(CommandId id) const {
    return Rule(id, RuleState());
}

bool CSudokuDoc::HasCommand(CommandId id) {
    const SCommandRow* row = FindRow(id);
    return row != nullptr && row->run != nullptr;
}

bool CSudokuDoc::OnCommand(CommandId id) {
    const SCommandRow* row = FindRow(id);
    if (row == nullptr || row->run == nullptr || !Update(id).enabled) {
        return false;
    }
    (this->*(row->run))(id);
    return true;
}

bool CSudokuDoc::OnNewDocument() {
    if (m_bFirstNewDocument) {
        // A missing, empty or damaged autosave starts a new game at the stored level; only a
        // damaged one is worth a word, on standard error.
        std::string why;
        const CGame::ELoad load = m_game.LoadGameFile(gamefiles::kAutosave, &why);
        if (load == CGame::ELoad::kRefused) {
            std::cerr << "sudoku: " << why << "; a new game starts\n";
        }
        if (load != CGame::ELoad::kLoaded) {
            m_game.StartNewGame(true);
        }
        m_frame.RebuildCommandBar(m_options.GetLanguage());
        m_bFirstNewDocument = false;
    } else if (m_options.GetCustomEntry()) {
        m_game.AcceptCustomPuzzle();
    } else {
        m_game.StartNewGame(false);
        m_frame.ReleaseToolbarButtons();
    }
    return true;
}

bool CSudokuDoc::OpenDocumentFile(const std::filesystem::path& path) {
    const savefile::SLoadResult result = savefile::Read(path, m_game);
    if (!result.Loaded()) {
        std::cerr << "sudoku: " << result.reason << '\n';
        ShowFileError(result.fault, path);
        return false;
    }
    m_game.OnGameRead();
    m_game.Redraw();
    return true;
}

void CSudokuDoc::OnCloseDocument() {
    if (m_closed) {
        return;
    }
    m_closed = true;
    // Before the first new document no game is in play: the autosave, not yet read, is kept.
    if (!m_bFirstNewDocument) {
        m_game.SaveOnExit();
    }
}

void CSudokuDoc::ShowFileError(savefile::Fault fault, const std::filesystem::path& path) {
    // The reason and the file go below the box's text, which the script log keeps as it is.
    const std::string detail = std::string(FaultText(m_options, fault)) + '\n' + path.string();
    m_root.Data().ShowMessage(res::FileErrorText(TextLanguage(m_options)), MsgStyle::kOk,
                              res::kFileErrorName, {detail, true});
}

// --- Command bodies ---

void CSudokuDoc::OnLevel(CommandId id) {
    // No confirmation: the game in progress is replaced at once.
    switch (id) {
        case CommandId::kEasy:
            m_options.SetLevel(level::kEasy);
            break;
        case CommandId::kMedium:
            m_options.SetLevel(level::kMedium);
            break;
        case CommandId::kHard:
            m_options.SetLevel(level::kHard);
            break;
        case CommandId::kExpert:
            m_options.SetLevel(level::kExpert);
            break;
        default:
            m_options.SetLevel(level::kBeginner);
            break;
    }
    m_options.SetCustomEntry(false);
    OnNewDocument();
}

void CSudokuDoc::OnCustom(CommandId) {
    m_options.SetLevel(level::kCustom);
    m_options.SetCustomEntry(true);
    m_game.StartNewGame(false);
}

void CSudokuDoc::OnQuickNewGame(CommandId) {
    // Only this command asks before a game is replaced, and never during custom entry, where
    // it offers the givens for acceptance.
    if (!m_options.GetCustomEntry() &&
        ShowGameMessage(m_root.Data(), m_options, MessageId::kConfirmNewGame, MsgStyle::kYesNo) !=
            kIdYes) {
        return;
    }
    OnNewDocument();
    m_game.Redraw();
}

void CSudokuDoc::OnNew(CommandId) {
    OnNewDocument();
}

void CSudokuDoc::OnLoad(CommandId) {
    m_root.Data().BeforeModal();
    const auto path = m_shell.AskOpenFile(res::DocumentField(res::DocField::kFilterName),
                                          res::DocumentField(res::DocField::kFilterExt));
    if (path) {
        OpenDocumentFile(*path);
    }
}

void CSudokuDoc::OnSave(CommandId) {
    m_root.Data().BeforeModal();
    const auto path =
        m_shell.AskSaveFile(kProposedName, res::DocumentField(res::DocField::kFilterName),
                            res::DocumentField(res::DocField::kFilterExt));
    if (!path) {
        return;
    }
    // The saved game is written whole beside the target and renamed over it, or not at all.
    std::string why;
    savefile::Fault fault = savefile::Fault::kFailed;
    if (!savefile::Write(*path, m_game, &why, &fault)) {
        std::cerr << "sudoku: " << why << '\n';
        ShowFileError(fault, *path);
    }
}

void CSudokuDoc::OnUndo(CommandId) {
    m_game.Undo();
    m_game.Redraw();
}

void CSudokuDoc::OnEraseIllegal(CommandId) {
    m_game.EraseIllegal();
    m_game.Redraw();
}

void CSudokuDoc::OnRestart(CommandId) {
    m_game.Restart();
    m_game.RestartClock();
    m_game.Redraw();
}

void CSudokuDoc::OnCheckMyInput(CommandId) {
    if (RunSolver(&CBoard::CheckInput)) {
        ShowGameMessage(m_root.Data(), m_options, MessageId::kCorrectSoFar, MsgStyle::kInfo);
    } else {
        ShowGameMessage(m_root.Data(), m_options, MessageId::kCannotSolveFromHere, MsgStyle::kOk);
    }
}

bool CSudokuDoc::RunSolver(bool (CBoard::*solve)()) {
    // A solve of an unlucky board takes seconds; the board alone is its business, so the desktop
    // may run it beside the window. Nothing else touches the game until it has ended.
    CBoard& board = m_game;
    bool result = false;
    m_shell.RunLong([&board, solve, &result] { result = (board.*solve)(); });
    return result;
}

void CSudokuDoc::OnHint(CommandId) {
    int32_t x = -1;
    int32_t y = -1;
    if (m_game.FindHint(x, y)) {
        m_game.SetHint(x, y);
        if (m_onHint) {
            m_onHint(x, y);
        }
    } else {
        ShowGameMessage(m_root.Data(), m_options, MessageId::kNoSingleLeft, MsgStyle::kOk);
    }
    m_game.Redraw();
}

void CSudokuDoc::OnSolveCell(CommandId) {
    if (!RunSolver(&CBoard::SolveCell)) {
        ShowGameMessage(m_root.Data(), m_options, MessageId::kCannotSolveFromHere, MsgStyle::kOk);
    }
    m_game.Redraw();
}

void CSudokuDoc::OnSolvePuzzle(CommandId) {
    if (!RunSolver(&CBoard::SolvePuzzle)) {
        ShowGameMessage(m_root.Data(), m_options, MessageId::kCannotSolveFromHere, MsgStyle::kOk);
    }
    m_game.Redraw();
}

void CSudokuDoc::OnInputMode(CommandId id) {
    m_options.SetInputMode(id == CommandId::kCellSelect ? kCellSelect : kNumberSelect);
}

void CSudokuDoc::OnToggleOption(CommandId id) {
    switch (id) {
        case CommandId::kAutoPencilmarks:
            // The two cannot be on together: the Pencilmarks button is disabled meanwhile.
            m_options.SetAutoPencilmarks(!m_options.GetAutoPencilmarks());
            m_game.SetPencilMode(false);
            break;
        case CommandId::kFlagIllegal:
            m_options.SetFlagIllegal(!m_options.GetFlagIllegal());
            break;
        case CommandId::kLimitNumbers:
            m_options.SetLimitNumbers(!m_options.GetLimitNumbers());
            break;
        case CommandId::kZonePencilmarks:
            m_options.SetZonePencilmarks(!m_options.GetZonePencilmarks());
            break;
        case CommandId::kCrosshatching:
            m_options.SetCrosshatching(!m_options.GetCrosshatching());
            break;
        default:
            break;
    }
}

void CSudokuDoc::OnSkin(CommandId id) {
    const int32_t skin = id == CommandId::kPaper  ? kSkinPaper
                         : id == CommandId::kSand ? kSkinSand
                                                  : kSkinSteel;
    // The skin already chosen reloads nothing.
    if (m_options.GetSkin() == skin) {
        return;
    }
    m_options.SetSkin(skin);
    m_game.ReloadSkin();
}

void CSudokuDoc::OnPencilmarks(CommandId) {
    // Setting the mode repaints, and the bar draws the strip of the modes.
    m_game.SetPencilMode(!m_game.GetPencilMode());
}

void CSudokuDoc::OnEraser(CommandId) {
    m_game.SetEraserMode(!m_game.GetEraserMode());
    m_frame.Refresh();
}

void CSudokuDoc::OnStatistics(CommandId) {
    CStatsDlg dialog(m_options, m_root.Data());
    m_root.Data().BeforeModal();
    m_shell.RunDialog(dialog);
}

void CSudokuDoc::OnLanguage(CommandId) {
    CLanguageDlg dialog(m_options.GetLanguage(), m_frame);
    m_root.Data().BeforeModal();
    if (m_shell.RunDialog(dialog) != kIdOk) {
        return;
    }
    // Stored even when unchanged; the bar follows at once, the rest at its next use.
    m_options.SetLanguage(dialog.Selected());
    m_frame.RebuildCommandBar(dialog.Selected());
}

void CSudokuDoc::OnTutorial(CommandId) {
    std::filesystem::path page;
    const SPageOpen open = m_root.Data().OpenTutorial(m_options.GetLanguage(), &page);
    if (!open.opened) {
        // Named in the box, so that the player can open it by hand.
        m_root.Data().ShowMessage(
            WithValue(res::TutorialErrorText(TextLanguage(m_options)), page.string()),
            MsgStyle::kOk, res::kTutorialErrorName, {PageFaultText(m_options, open), true});
    }
}
