// CSudokuApp: start-up in the order of the document template, command routing, the end.
#include "ui/SudokuApp.h"

#include <algorithm>

#include "engine/Options.h"
#include "game/Texts.h"
#include "platform/DataManager.h"
#include "platform/Shell.h"
#include "platform/Timers.h"
#include "res/Commands.h"
#include "res/Strings.h"
#include "ui/AboutDlg.h"
#include "ui/GameRoot.h"
#include "ui/MainFrm.h"
#include "ui/SudokuDoc.h"
#include "ui/SudokuView.h"

CSudokuApp::CSudokuApp(CGameRoot& root, SServices services) : m_root(root), m_services(services) {}

CSudokuApp::~CSudokuApp() {
    Shutdown();
}

bool CSudokuApp::InitInstance() {
    // The document first: the drawing context, InitGame with options.cfg, the splash pictures.
    m_frame = std::make_unique<CMainFrame>(m_root, m_services.timers, m_services.sound,
                                           m_services.window, m_services.canvases);
    m_doc = std::make_unique<CSudokuDoc>(m_root, m_services.shell, *m_frame);
    m_frame->SetRules(m_doc.get());
    if (m_startLanguage) {
        m_root.Options().SetLanguage(*m_startLanguage);
    }
    if (m_shutDown || m_frame->OnCreate() != 0) {
        return false;
    }
    m_view = std::make_unique<CSudokuView>(m_root, *m_frame, m_services.timers,
                                           m_services.foreground, m_services.canvases);
    m_frame->SetView(m_view.get());
    if (!m_doc->OnNewDocument() || m_shutDown) {
        return false;
    }
    // The window is shown: the initial update, then the first paint.
    m_view->OnInitialUpdate();
    m_view->OnPaint();
    if (m_root.Data().DataFolderProblem() != fileio::Problem::kNone) {
        // Said once, in a box the player sees when the window is up (standard error names each
        // file that was not written at the end); the game plays on.
        const int language = TextLanguage(m_root.Options());
        m_services.shell.ShowMessageWhenUp(res::kDataFolderReadOnlyName,
                                           WithValue(res::DataFolderReadOnlyText(language),
                                                     m_root.Data().GetDataFolder().string()),
                                           {{}, true});
    }
    m_started = !m_shutDown;
    return m_started;
}

bool CSudokuApp::OpenDocumentFile(const std::filesystem::path& path) {
    if (m_doc == nullptr || m_shutDown) {
        return false;
    }
    return m_doc->OpenDocumentFile(path);
}

CSudokuApp::ECommand CSudokuApp::OnCommand(int id) {
    if (m_doc == nullptr || m_shutDown) {
        return ECommand::kUnknown;
    }
    const auto* it = std::find_if(kAllCommands.begin(), kAllCommands.end(),
                                  [id](CommandId c) { return static_cast<int>(c) == id; });
    if (it == kAllCommands.end()) {
        return ECommand::kUnknown;
    }
    const CommandId command = *it;
    if (command == CommandId::kCopy || command == CommandId::kCut || command == CommandId::kPaste) {
        return ECommand::kUnknown;
    }
    if (!m_doc->Update(command).enabled) {
        return ECommand::kDisabled;
    }
    CSudokuView::CEvent event(m_view.get());
    switch (command) {
        case CommandId::kAbout: {
            CAboutDlg dialog(m_root.Options().GetLanguage());
            m_root.Data().BeforeModal();
            m_services.shell.RunDialog(dialog);
            break;
        }
        case CommandId::kSaveAndExit:
        case CommandId::kExit:
            // The shell's close route ends in Shutdown.
            event.Drop();
            m_services.shell.CloseApplication();
            return ECommand::kDone;
        default:
            m_doc->OnCommand(command);
            break;
    }
    if (m_shutDown) {
        event.Drop();
    } else {
        m_root.Game().Redraw();
    }
    return ECommand::kDone;
}

void CSudokuApp::Shutdown() {
    if (m_shutDown) {
        return;
    }
    m_shutDown = true;
    m_services.timers.StopTimer(CMainFrame::kSplashTimer);
    m_services.timers.StopTimer(CGame::kClockTimer);
    if (m_doc != nullptr) {
        m_doc->OnCloseDocument();
    }
}
