// The objects of one game, built in the order they need each other.
#include "ui/GameRoot.h"

CGameRoot::CGameRoot(const SSettings& settings, IShell& shell)
    : m_random(settings.seed),
      m_screen(settings.screen),
      m_data(settings.programFolder, settings.dataFolder, shell),
      m_graphics(m_screen),
      m_game(m_random, m_options, m_data, m_graphics),
      m_splash(m_data, m_options, m_graphics) {}
