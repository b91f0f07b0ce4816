// CGame's life cycle: set-up, the clock, the paint hooks, the autosave read at start-up and
// written at the end.
#include <iostream>
#include <string>

#include "engine/Options.h"
#include "game/GameFiles.h"
#include "game/OptionsFile.h"
#include "game/SaveFile.h"
#include "game/Texts.h"
#include "platform/DataManager.h"
#include "ui/Game.h"

void CGame::InitGame() {
    SetElapsed(0);
    m_timerId = 0;
    m_keyDown = false;
    m_started = false;
    SetSkinBitmaps({}, {});
    std::string why;
    if (!LoadOptions(Options(), Data(), &why)) {
        std::cerr << "sudoku: " << why << "; the options start from their defaults\n";
    }
    ApplyLayout();
    m_pencil = false;
    m_eraser = false;
    m_statsDone = false;
}

void CGame::RestartClock() {
    if (m_host != nullptr) {
        if (m_timerId != 0) {
            m_host->KillTimer(m_timerId);
        }
        m_timerId = m_host->SetTimer(kClockTimer, kClockPeriodMs);
    }
    SetElapsed(0);
}

void CGame::TickClock() {
    AddElapsed(1000);
    if (m_host != nullptr) {
        m_host->DrawClockOnWindow();
    }
}

void CGame::AfterPaint() {
    COptions& options = Options();
    if (m_started) {
        m_started = false;
        if (options.GetCustomEntry()) {
            ShowGameMessage(Data(), options, MessageId::kEnterCustomGivens, MsgStyle::kInfo);
        }
    }
    if (options.GetFirstRun()) {
        options.SetFirstRun(false);
    }
}

void CGame::Redraw() {
    if (m_host != nullptr) {
        m_host->Invalidate();
    }
}

CGame::ELoad CGame::LoadGameFile(std::string_view name, std::string* why) {
    const savefile::SLoadResult result = gamefiles::LoadGameFile(Data(), *this, name);
    switch (result.status) {
        case savefile::LoadStatus::kLoaded:
            OnGameRead();
            return ELoad::kLoaded;
        case savefile::LoadStatus::kNoFile:
            return ELoad::kNoFile;
        case savefile::LoadStatus::kRefused:
            break;
    }
    if (why != nullptr) {
        *why = result.reason;
    }
    return ELoad::kRefused;
}

void CGame::OnGameRead() {
    // Another board: it is counted when the player completes it, unless it comes complete and
    // right already (a solved board resumed or loaded again is not counted twice). A full board
    // is checked without a search, so no random draw is taken.
    m_statsDone = IsFull() && CheckInput();
    ContinueClock();
}

void CGame::ContinueClock() {
    const int32_t elapsed = GetElapsed();
    RestartClock();
    SetElapsed(elapsed);
}

void CGame::SaveOnExit() {
    SaveFiles();
    SetSkinBitmaps({}, {});
}

bool CGame::SaveFiles() {
    // Without a data folder (no home folder at all) nothing is kept, as the start said.
    if (Data().GetDataFolder().empty()) {
        return false;
    }
    // The game goes on to its end either way; each file that could not be written is named.
    std::string why;
    bool written = gamefiles::WriteGameFile(Data(), *this, gamefiles::kAutosave, &why);
    if (!written) {
        std::cerr << "sudoku: " << why << '\n';
    }
    if (!SaveOptions(Options(), Data(), &why)) {
        std::cerr << "sudoku: " << why << '\n';
        written = false;
    }
    return written;
}
