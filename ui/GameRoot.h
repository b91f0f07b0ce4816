// CGameRoot: the objects of one game, built in the order they need each other.
#pragma once

#include <cstdint>
#include <filesystem>

#include "engine/Options.h"
#include "engine/Random.h"
#include "platform/DataManager.h"
#include "platform/Screen.h"
#include "ui/Game.h"
#include "ui/Graphics.h"
#include "ui/Splash.h"

class IShell;

// The one place that owns the random source, the options record, the emulated screen, the
// data manager, the drawing context, the game and the splash, and hands each object what it
// uses. The application, sudoku-tool and the tests each build their own root; nothing reaches
// these objects through a global. The desktop services behind message boxes, closing and pages
// (`shell`) belong to the caller and must outlive the root.
class CGameRoot {
public:
    struct SSettings {
        std::filesystem::path programFolder;
        std::filesystem::path dataFolder;
        SScreenSize screen = kScreen480x272;
        uint64_t seed = 1;
    };

    CGameRoot(const SSettings& settings, IShell& shell);
    CGameRoot(const CGameRoot&) = delete;
    CGameRoot& operator=(const CGameRoot&) = delete;

    CRandom& Random() { return m_random; }
    COptions& Options() { return m_options; }
    CScreen& Screen() { return m_screen; }
    DataManager& Data() { return m_data; }
    CGraphics& Graphics() { return m_graphics; }
    CGame& Game() { return m_game; }
    CSplash& Splash() { return m_splash; }

private:
    CRandom m_random;
    COptions m_options;
    CScreen m_screen;
    DataManager m_data;
    CGraphics m_graphics;
    CGame m_game;
    CSplash m_splash;
};
