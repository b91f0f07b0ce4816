// The browser edition: the game on the page's canvas, driven by the page's events through the
// application's entry surface. The objects live as long as the page.
#include <emscripten/emscripten.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Options.h"
#include "platform/GlyphCanvas.h"
#include "res/Glyphs.h"
#include "res/Menus.h"
#include "res/ReaderTexts.h"
#include "res/Strings.h"
#include "script/Number.h"
#include "ui/Accessible.h"
#include "ui/Game.h"
#include "ui/GameRoot.h"
#include "ui/SudokuApp.h"
#include "web/browser/Imports.h"
#include "web/browser/Json.h"
#include "web/browser/WebServices.h"

namespace {

// The assets as the build preloads them, and the data folder the page fills from its storage.
constexpr const char* kProgramFolder = "/game";
constexpr const char* kDataFolder = "/data";

struct SPage {
    CGameRoot* root = nullptr;
    CWebShell shell{[this] { return root != nullptr ? root->Options().GetLanguage() : 0; }};
    CWebTimers timers;
    CWebSound sound;
    CWebForeground foreground;
    CWebWindow window;
    // The desktop's pinned font, as a glyph set made from it at build time.
    CGlyphCanvasFactory canvases{res::GlyphSetResource(res::kGlyphSetPixelSize)};
    CSudokuApp* app = nullptr;
    // The device screen's parts as the page was last told them: web_activate's items.
    CAccessible* accessible = nullptr;
    std::vector<SAccessibleItem> items;
    std::string description;
    bool ended = false;
};

SPage* g_page = nullptr;

std::string ShellText(res::ShellText text) {
    const int language = g_page->root->Options().GetLanguage();
    return std::string(res::ShellTextOf(res::LanguageIndex(language), text));
}

void Persist() {
    sudoku_persist(ShellText(res::ShellText::kNotKept).c_str(),
                   ShellText(res::ShellText::kOk).c_str());
}

// The device screen's parts handed to the page when they changed since it was last told.
void Describe() {
    SPage& page = *g_page;
    if (page.ended) {
        return;
    }
    std::vector<SAccessibleItem> items = page.accessible->Describe();
    int hint = -1;
    for (const SAccessibleItem& item : items) {
        if (item.kind == SAccessibleItem::EKind::kCell &&
            page.root->Game().CellLook(item.index % 9, item.index / 9).hint) {
            hint = item.index;
        }
    }
    const int language = res::LanguageIndex(page.root->Options().GetLanguage());
    std::string json =
        webjson::Screen(items, res::ReaderWord(language, res::ReaderText::kBoard), hint);
    if (json != page.description) {
        page.items = std::move(items);
        page.description = std::move(json);
        sudoku_describe(page.description.c_str());
    }
}

// What an event leaves for the page: a file to download, the end of the game, the screen's
// parts.
void AfterEvent() {
    SPage& page = *g_page;
    page.shell.TakeDownload();
    if (page.shell.TakeCloseRequest() && !page.ended) {
        page.app->Shutdown();
        page.ended = true;
        Persist();
        sudoku_ended(ShellText(res::ShellText::kSaved).c_str(),
                     ShellText(res::ShellText::kPlayOn).c_str());
    }
    Describe();
}

void OpenMenu(const std::optional<CSudokuApp::SMenuOpen>& menu) {
    if (!menu) {
        return;
    }
    const res::SMenuItem* popup = res::SoftKeyPopup(menu->language, menu->key);
    if (popup == nullptr) {
        return;
    }
    CSudokuApp& app = *g_page->app;
    const std::string json = webjson::Menu(menu->key, menu->left, menu->top, *popup,
                                           [&app](CommandId id) { return app.MenuItemState(id); });
    sudoku_open_menu(json.c_str());
}

bool Live() {
    return g_page != nullptr && g_page->app != nullptr && !g_page->ended;
}

}  // namespace

// The page's events, each one event of the game.
extern "C" {

EMSCRIPTEN_KEEPALIVE void web_pointer_down(int x, int y) {
    if (Live()) {
        OpenMenu(g_page->app->OnPointerDown(x, y));
        AfterEvent();
    }
}

EMSCRIPTEN_KEEPALIVE void web_pointer_move(int x, int y) {
    if (Live()) {
        g_page->app->OnPointerMove(x, y);
        Describe();
    }
}

EMSCRIPTEN_KEEPALIVE void web_pointer_up(int x, int y) {
    if (Live()) {
        g_page->app->OnPointerUp(x, y);
        AfterEvent();
    }
}

EMSCRIPTEN_KEEPALIVE void web_key_down(int key, int control) {
    if (Live()) {
        OpenMenu(g_page->app->OnKeyDown(static_cast<uint32_t>(key), control != 0));
        AfterEvent();
    }
}

EMSCRIPTEN_KEEPALIVE void web_key_up(int key) {
    if (Live()) {
        g_page->app->OnKeyUp(static_cast<uint32_t>(key));
        AfterEvent();
    }
}

EMSCRIPTEN_KEEPALIVE void web_command(int id) {
    if (Live()) {
        g_page->app->OnCommand(id);
        AfterEvent();
    }
}

// A screen reader's action on part `index` of the screen as the page was last told it: the
// tap that is its action; a soft key's opens its popup.
EMSCRIPTEN_KEEPALIVE void web_activate(int index) {
    if (Live() && index >= 0 && index < static_cast<int>(g_page->items.size())) {
        const SAccessibleItem item = g_page->items[static_cast<std::size_t>(index)];
        OpenMenu(g_page->accessible->Activate(item));
        AfterEvent();
    }
}

// While popup `openKey` is open, a press at a device point: the other soft key's popup opens
// when the press is on it (1), else nothing (0).
EMSCRIPTEN_KEEPALIVE int web_other_menu(int x, int y, int openKey) {
    if (!Live()) {
        return 0;
    }
    const auto menu = g_page->app->OtherSoftKeyMenuAt(x, y, openKey);
    OpenMenu(menu);
    return menu ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void web_tick(int id) {
    if (Live()) {
        g_page->timers.Tick(id);
        AfterEvent();
    }
}

// The page is hidden or left: both files written and kept, the game going on.
EMSCRIPTEN_KEEPALIVE void web_save_now() {
    if (Live() && g_page->app->SaveNow()) {
        Persist();
    }
}

}  // extern "C"

int main(int argc, char** argv) {
    // The page's address may name the screen (?screen=320x240), the language (?language=N,
    // 0..6) and the seed of new puzzles (?seed=N, decimal or 0x hexadecimal), as the desktop's
    // command line does; without a seed the clock gives one.
    SScreenSize screen = kScreen480x272;
    std::optional<int> language;
    std::optional<uint64_t> seed;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        uint64_t number = 0;
        if (arg.starts_with("--seed=") && ParseUnsigned(std::string_view(arg).substr(7), number)) {
            seed = number;
        } else if (arg == "--screen=320x240") {
            screen = kScreen320x240;
        } else if (arg.size() == 12 && arg.starts_with("--language=") && arg[11] >= '0' &&
                   arg[11] < '0' + res::kLanguageCount) {
            language = arg[11] - '0';
        }
    }
    if (!seed) {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        seed = static_cast<uint64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }

    g_page = new SPage;
    SPage& page = *g_page;
    page.root = new CGameRoot({kProgramFolder, kDataFolder, screen, *seed}, page.shell);
    page.app = new CSudokuApp(*page.root, {page.shell, page.timers, page.sound, page.foreground,
                                           page.window, page.canvases});
    page.accessible = new CAccessible(*page.app);
    if (language) {
        page.app->SetStartLanguage(*language);
    }
    if (!page.app->InitInstance()) {
        std::fprintf(stderr, "sudoku: the game cannot start\n");
        page.ended = true;
        return 1;
    }
    // The boxes held back for the first picture, then the player's input.
    page.shell.SetStarted();
    std::string accelerators;
    for (const res::SAccelerator& accelerator : res::FindAccelerators(res::kMainResource)) {
        if (accelerator.control) {
            accelerators += accelerator.key;
        }
    }
    sudoku_started(ShellText(res::ShellText::kNotKept).c_str(),
                   ShellText(res::ShellText::kOk).c_str(), accelerators.c_str());
    AfterEvent();
    return 0;
}
