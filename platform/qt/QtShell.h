// CQtShell: message boxes, file dialogs, modal dialogs, closing and pages on the Qt desktop.
#pragma once

#include <QPointer>
#include <QTranslator>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/DialogFolder.h"
#include "platform/Shell.h"
#include "platform/qt/QtLongWork.h"

// Message boxes carry the application title "Судоку" and buttons in the game's current
// language, taken from Qt's own translations (qtbase_XX.qm of qt6-translations-l10n; English
// when a file is missing); a detail goes below the text, as its informative text. They grow
// with the main window's scale: its font, the parts of CScaledStyle, and a width in which the
// text wraps into lines as long as at scale 1, as far as the screen allows (Qt's own limit of
// 500 pixels would make a narrow column). The file dialogs are Qt's own, in the game's language
// by the same translations; they start in the folder of the last file chosen (CDialogFolder),
// filter on the game's filter and add the extension to a saved name that has none. Closing is
// queued: the main window closes once the handler that asked has returned, and its close runs
// the orderly end; before there is a main window, the process ends at once with exit status 1.
class CQtShell : public IShell {
public:
    // The first two are required.
    struct SHooks {
        // The game's language index at this moment (0..6; other values read as English).
        std::function<int()> language;
        // Shows a modal dialog over the device screen until it ends (kIdOk or kIdCancel).
        std::function<int(IDialog&)> runDialog;
        // The main window's scale at this moment; a box's parts grow by it (none: scale 1).
        std::function<int()> scale;
    };

    explicit CQtShell(SHooks hooks);
    ~CQtShell() override;
    CQtShell(const CQtShell&) = delete;
    CQtShell& operator=(const CQtShell&) = delete;

    // The main window, once it exists: the parent of boxes and dialogs, the one closed. A box
    // asked for with ShowMessageWhenUp is shown once it has been painted.
    void SetMainWindow(QWidget* window);

    int ShowMessage(std::string_view name, std::string_view text, MsgStyle style,
                    const SMessageDetail& detail = {}) override;
    void ShowMessageWhenUp(std::string_view name, std::string_view text,
                           const SMessageDetail& detail) override;
    void CloseApplication() override;
    SPageOpen OpenPage(const std::filesystem::path& page, std::string_view relative) override;
    std::optional<std::filesystem::path> AskOpenFile(std::string_view filter,
                                                     std::string_view extension) override;
    std::optional<std::filesystem::path> AskSaveFile(std::string_view proposed,
                                                     std::string_view filter,
                                                     std::string_view extension) override;
    int RunDialog(IDialog& dialog) override;
    // On a worker thread while the window stays painted and input is held (CQtLongWork).
    void RunLong(const std::function<void()>& work) override { m_longWork.Run(work); }
    // A long piece of work is running: the game is not to be entered.
    bool RunningLong() const { return m_longWork.Running(); }

    // The texts of the OK, Yes and No buttons in a language index, from Qt's translations.
    struct SButtonTexts {
        QString ok;
        QString yes;
        QString no;
    };
    SButtonTexts ButtonTexts(int language);

    // The locale name of Qt's translation file for a language index ("ru", "zh_CN"; "en" for
    // an index outside 0..6).
    static QString LocaleName(int language);

private:
    // Qt's translations for a language index, loaded on first use (empty when missing).
    QTranslator& Translator(int language);
    // Runs a Load or Save file dialog in the game's language from the remembered folder.
    std::optional<std::filesystem::path> AskFile(bool save, std::string_view proposed,
                                                 std::string_view filter,
                                                 std::string_view extension);
    void ShowPendingWhenPainted();

    // `owner` (the main window, or the dialog a box stood on) is the active window again once
    // a box or dialog on it has closed.
    void GiveBackActivation(QWidget* owner);

    SHooks m_hooks;
    QPointer<QWidget> m_window;
    std::map<int, std::unique_ptr<QTranslator>> m_translators;  // loaded on first use
    CDialogFolder m_dialogFolder;
    CQtLongWork m_longWork;
    // The boxes waiting for the main window: name, text, detail.
    struct SPendingBox {
        std::string name;
        std::string text;
        std::string detail;
        bool warning = false;
    };
    std::vector<SPendingBox> m_pending;
};

// The name a file dialog gave, with `extension` (".sdk") added when it has none.
std::filesystem::path WithDefaultExtension(const std::filesystem::path& chosen,
                                           std::string_view extension);
