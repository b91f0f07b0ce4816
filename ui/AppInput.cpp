// CSudokuApp's entry surface: the player's pointer and keys routed to the command bar, the
// soft keys' popups, the accelerators and the view.
#include <algorithm>

#include "platform/Screen.h"
#include "res/Menus.h"
#include "ui/GameRoot.h"
#include "ui/MainFrm.h"
#include "ui/SudokuApp.h"
#include "ui/SudokuView.h"

namespace {

// The soft keys' own keys: F1 opens the Game popup, F2 the Options popup.
constexpr uint32_t kKeyF1 = 0x70;
constexpr uint32_t kKeyF2 = 0x71;

}  // namespace

std::optional<CSudokuApp::SMenuOpen> CSudokuApp::SoftKeyMenu(int key) const {
    if (!m_started || m_shutDown) {
        return std::nullopt;
    }
    // The key's place on the bar, found by asking the bar along its middle row (a disabled bar
    // has none).
    const auto wanted =
        key == 0 ? CMainFrame::SBarHit::Kind::kGameKey : CMainFrame::SBarHit::Kind::kOptionsKey;
    const int width = m_frame->FrameSize().width;
    for (int x = 0; x < width; ++x) {
        const CMainFrame::SBarHit hit = m_frame->HitTest(x, kCommandBarHeight / 2);
        if (hit.kind == wanted) {
            return SMenuOpen{key, m_frame->BarLanguage(), hit.left, kCommandBarHeight};
        }
    }
    return std::nullopt;
}

std::optional<CSudokuApp::SMenuOpen> CSudokuApp::OtherSoftKeyMenuAt(int x, int y,
                                                                    int openKey) const {
    if (!m_started || m_shutDown) {
        return std::nullopt;
    }
    const CMainFrame::SBarHit hit = m_frame->HitTest(x, y);
    int key = -1;
    if (hit.kind == CMainFrame::SBarHit::Kind::kGameKey) {
        key = 0;
    } else if (hit.kind == CMainFrame::SBarHit::Kind::kOptionsKey) {
        key = 1;
    }
    if (key < 0 || key == openKey) {
        return std::nullopt;
    }
    return SMenuOpen{key, m_frame->BarLanguage(), hit.left, kCommandBarHeight};
}

SCommandState CSudokuApp::MenuItemState(CommandId id) const {
    if (m_doc == nullptr) {
        return {};
    }
    return m_doc->Update(id);
}

std::optional<CSudokuApp::SMenuOpen> CSudokuApp::OnPointerDown(int x, int y) {
    if (!m_started || m_shutDown) {
        return std::nullopt;
    }
    if (y >= kCommandBarHeight) {
        m_view->OnLButtonDown(x, y - kCommandBarHeight);
        return std::nullopt;
    }
    const CMainFrame::SBarHit hit = m_frame->HitTest(x, y);
    switch (hit.kind) {
        case CMainFrame::SBarHit::Kind::kGameKey:
        case CMainFrame::SBarHit::Kind::kOptionsKey:
            return SMenuOpen{hit.kind == CMainFrame::SBarHit::Kind::kGameKey ? 0 : 1,
                             m_frame->BarLanguage(), hit.left, kCommandBarHeight};
        case CMainFrame::SBarHit::Kind::kButton:
            m_held = hit.command;
            m_heldOver = true;
            m_frame->OnButtonDown(hit.command);
            break;
        case CMainFrame::SBarHit::Kind::kNone:
            break;
    }
    return std::nullopt;
}

void CSudokuApp::OnPointerMove(int x, int y) {
    if (!m_held || m_shutDown) {
        return;
    }
    const CMainFrame::SBarHit hit = m_frame->HitTest(x, y);
    const bool over = hit.kind == CMainFrame::SBarHit::Kind::kButton && hit.command == *m_held;
    if (over == m_heldOver) {
        return;
    }
    m_heldOver = over;
    // The caption box stays while the button is held; only the bar changes.
    const CSudokuView::CEvent event(m_view.get());
    m_frame->SetButtonPressed(*m_held, over);
    m_frame->Refresh();
}

void CSudokuApp::OnPointerUp(int x, int y) {
    if (!m_held || m_shutDown) {
        return;
    }
    const CommandId command = *m_held;
    m_held.reset();
    CSudokuView::CEvent event(m_view.get());
    m_frame->OnButtonUp(command);
    const CMainFrame::SBarHit hit = m_frame->HitTest(x, y);
    if (hit.kind == CMainFrame::SBarHit::Kind::kButton && hit.command == command) {
        OnCommand(static_cast<int>(command));
    }
    if (m_shutDown) {
        event.Drop();
    }
}

std::optional<CSudokuApp::SMenuOpen> CSudokuApp::OnKeyDown(uint32_t key, bool control) {
    if (!m_started || m_shutDown) {
        return std::nullopt;
    }
    if (key == kKeyF1 || key == kKeyF2) {
        m_swallowed.insert(key);
        return SoftKeyMenu(key == kKeyF1 ? 0 : 1);
    }
    if (control) {
        const auto table = res::FindAccelerators(res::kMainResource);
        const auto it = std::find_if(table.begin(), table.end(), [key](const auto& accelerator) {
            return accelerator.control && static_cast<uint32_t>(accelerator.key) == key;
        });
        if (it != table.end()) {
            m_swallowed.insert(key);
            OnCommand(static_cast<int>(it->command));
            return std::nullopt;
        }
    }
    m_view->OnKeyDown(key);
    return std::nullopt;
}

void CSudokuApp::OnKeyUp(uint32_t key) {
    if (m_swallowed.erase(key) > 0 || !m_started || m_shutDown) {
        return;
    }
    m_view->OnKeyUp(key);
}

void CSudokuApp::TapView(int32_t x, int32_t y) {
    if (m_view != nullptr && !m_shutDown) {
        m_view->OnLButtonDown(x, y);
    }
}

void CSudokuApp::ViewKeyDown(uint32_t key) {
    if (m_view != nullptr && !m_shutDown) {
        m_view->OnKeyDown(key);
    }
}

void CSudokuApp::ViewKeyUp(uint32_t key) {
    if (m_view != nullptr && !m_shutDown) {
        m_view->OnKeyUp(key);
    }
}

std::optional<std::string> CSudokuApp::PressButton(CommandId command) {
    if (m_frame == nullptr || m_shutDown || !m_frame->OnButtonDown(command)) {
        return std::nullopt;
    }
    return m_frame->ButtonCaption(command);
}

void CSudokuApp::ReleaseButton(CommandId command) {
    if (m_frame != nullptr && !m_shutDown) {
        m_frame->OnButtonUp(command);
    }
}

const Bitmap& CSudokuApp::CurrentScreen() {
    static const Bitmap kNone;
    if (m_view != nullptr) {
        m_view->DrawPendingClock();
    }
    return m_frame != nullptr ? m_frame->DeviceScreen() : kNone;
}

bool CSudokuApp::SaveNow() {
    if (!m_started || m_shutDown || m_doc->IsFirstNewDocument()) {
        return false;
    }
    return m_root.Game().SaveFiles();
}
