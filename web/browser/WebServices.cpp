// The browser's services behind the game, over the page's script.
#include "web/browser/WebServices.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "engine/Board.h"
#include "platform/Dialog.h"
#include "res/Strings.h"
#include "web/browser/Imports.h"
#include "web/browser/Json.h"

namespace {

std::string Text(int language, res::ShellText text) {
    return std::string(res::ShellTextOf(res::LanguageIndex(language), text));
}

// A path the page's script gave (malloc'd), taken over; nullopt for none.
std::optional<std::filesystem::path> TakePath(char* given) {
    if (given == nullptr) {
        return std::nullopt;
    }
    std::filesystem::path path(given);
    std::free(given);
    return path;
}

// The dialog's answers from the page (sudoku_dialog_step).
constexpr int kDialogOk = -1;
constexpr int kDialogCancel = -2;
constexpr int kDialogSelect = 1 << 24;  // + control * 256 + index

// The search's hook in a long solve: a frame for the page when the solve has held it long.
void GiveFrame(void*) {
    if (sudoku_long_due() != 0) {
        sudoku_long_pause();
    }
}

}  // namespace

int CWebShell::ShowMessage(std::string_view, std::string_view text, MsgStyle style,
                           const SMessageDetail& detail) {
    const int language = m_language();
    const std::string message(text);
    const std::string more(detail.text);
    const int answer = sudoku_message(
        message.c_str(), more.c_str(), static_cast<int>(style), detail.warning ? 1 : 0,
        Text(language, res::ShellText::kOk).c_str(), Text(language, res::ShellText::kYes).c_str(),
        Text(language, res::ShellText::kNo).c_str());
    if (style == MsgStyle::kYesNo) {
        return answer == kIdYes ? kIdYes : kIdNo;
    }
    return kIdOk;
}

void CWebShell::ShowMessageWhenUp(std::string_view name, std::string_view text,
                                  const SMessageDetail& detail) {
    if (m_started) {
        ShowMessage(name, text, MsgStyle::kOk, detail);
        return;
    }
    m_pending.push_back(
        {std::string(name), std::string(text), std::string(detail.text), detail.warning});
}

void CWebShell::SetStarted() {
    m_started = true;
    const std::vector<SPendingBox> boxes = std::move(m_pending);
    m_pending.clear();
    for (const SPendingBox& box : boxes) {
        ShowMessage(box.name, box.text, MsgStyle::kOk, {box.detail, box.warning});
    }
}

SPageOpen CWebShell::OpenPage(const std::filesystem::path&, std::string_view relative) {
    // The site serves the program folder's pages at the same relative paths.
    const std::string page(relative);
    if (sudoku_open_page(page.c_str()) == 0) {
        return {false, fileio::Problem::kNone};
    }
    return {};
}

std::optional<std::filesystem::path> CWebShell::AskOpenFile(std::string_view filter,
                                                            std::string_view) {
    const int language = m_language();
    const std::string label(filter);
    return TakePath(sudoku_ask_open(label.c_str(), kUploadFolder,
                                    Text(language, res::ShellText::kOk).c_str(),
                                    Text(language, res::ShellText::kCancel).c_str()));
}

std::optional<std::filesystem::path> CWebShell::AskSaveFile(std::string_view proposed,
                                                            std::string_view,
                                                            std::string_view extension) {
    const int language = m_language();
    const std::string name(proposed);
    std::optional<std::filesystem::path> chosen = TakePath(sudoku_ask_save(
        name.c_str(), kDownloadFolder, Text(language, res::ShellText::kFileName).c_str(),
        Text(language, res::ShellText::kOk).c_str(),
        Text(language, res::ShellText::kCancel).c_str()));
    if (!chosen) {
        return std::nullopt;
    }
    if (!chosen->has_extension()) {
        *chosen += std::string(extension);
    }
    m_download = chosen;
    return chosen;
}

bool CWebShell::TakeDownload() {
    const std::optional<std::filesystem::path> file = std::exchange(m_download, std::nullopt);
    std::error_code ec;
    if (!file || !std::filesystem::is_regular_file(*file, ec)) {
        return false;
    }
    sudoku_download(file->c_str(), file->filename().c_str());
    std::filesystem::remove(*file, ec);
    return true;
}

int CWebShell::RunDialog(IDialog& dialog) {
    const int language = m_language();
    const std::string ok = Text(language, res::ShellText::kOk);
    dialog.OnInitDialog();
    for (;;) {
        const std::string state = webjson::Dialog(dialog, sudoku_screen_width(), ok);
        const int answer = sudoku_dialog_step(state.c_str());
        if (answer == kDialogOk || answer == kDialogCancel) {
            sudoku_dialog_close();
            if (answer == kDialogOk) {
                dialog.OnOk();
                return kIdOk;
            }
            dialog.OnCancel();
            return kIdCancel;
        }
        if (answer >= kDialogSelect) {
            dialog.OnSelect((answer - kDialogSelect) / 256, (answer - kDialogSelect) % 256);
        } else {
            dialog.OnClick(answer);
        }
    }
}

void CWebShell::RunLong(const std::function<void()>& work) {
    sudoku_long_begin(Text(m_language(), res::ShellText::kWorking).c_str());
    // The page keeps painting while the solve runs: the search gives it a frame whenever the
    // solve has held it for a frame's time. The page holds the player's input and the ticks
    // until the solve has ended, as it does while a box waits.
    CBoard::SetSearchHook({GiveFrame, nullptr});
    work();
    CBoard::SetSearchHook({});
    sudoku_long_end();
}

void CWebTimers::StartTimer(int id, int periodMs, std::function<void()> onTick) {
    StopTimer(id);
    m_timers.emplace_back(id, std::move(onTick));
    sudoku_timer_start(id, periodMs);
}

void CWebTimers::StopTimer(int id) {
    std::erase_if(m_timers, [id](const auto& timer) { return timer.first == id; });
    sudoku_timer_stop(id);
}

void CWebTimers::Tick(int id) {
    const auto it = std::find_if(m_timers.begin(), m_timers.end(),
                                 [id](const auto& timer) { return timer.first == id; });
    if (it != m_timers.end()) {
        // A copy: the tick may stop or restart its own timer.
        const std::function<void()> tick = it->second;
        tick();
    }
}

void CWebSound::PlayAsync(const std::filesystem::path& wav) {
    sudoku_play(wav.c_str());
}

bool CWebForeground::IsMainWindowForeground() const {
    return sudoku_foreground() != 0;
}

void CWebWindow::Present(const Bitmap& deviceScreen, bool splash) {
    if (deviceScreen.IsNull()) {
        return;
    }
    // 0xFFRRGGBB pixels to the canvas's bytes R, G, B, A.
    m_rgba.resize(deviceScreen.pixels.size() * 4);
    std::size_t i = 0;
    for (const uint32_t pixel : deviceScreen.pixels) {
        m_rgba[i++] = static_cast<uint8_t>(pixel >> 16U);
        m_rgba[i++] = static_cast<uint8_t>(pixel >> 8U);
        m_rgba[i++] = static_cast<uint8_t>(pixel);
        m_rgba[i++] = 0xFF;
    }
    sudoku_present(m_rgba.data(), deviceScreen.width, deviceScreen.height, splash ? 1 : 0);
}
