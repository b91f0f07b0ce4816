// The splash screen: loading, layout by screen size, the animation and its drawing.
#include "ui/Splash.h"

#include <iostream>
#include <string>
#include <utility>

#include "game/Texts.h"
#include "platform/DataManager.h"
#include "ui/Graphics.h"
#include "ui/Skin.h"

void CSplash::LoadSplash() {
    std::string why;
    Bitmap splash = LoadSplashBitmap(m_data, kSizeNormal, &why);
    Bitmap anim = LoadAnimBitmap(m_data, kSizeNormal, &why);
    if (splash.IsNull() || anim.IsNull()) {
        std::cerr << "sudoku: " << why << '\n';
        ShowGameMessage(m_data, m_options, MessageId::kFilesMissing, MsgStyle::kOk);
        m_data.CloseApplication();
    }
    m_splashBmp = std::move(splash);
    m_animBmp = std::move(anim);
    m_frame = 0;
    LayoutSplash();
}

void CSplash::LayoutSplash() {
    const SScreenSize screen = m_graphics.GetScreenSize();
    if (screen.width < 240 || screen.height < 240) {
        m_animX = 34;
        m_animY = 45;
        m_frameW = 123;
        m_frameH = 116;
        m_splashX = 0;
        m_splashY = -10;
    } else if (screen.width > 479 || screen.height > 479) {
        m_animX = 158;
        m_animY = 83;
        m_frameW = 176;
        m_frameH = 165;
        m_splashX = 0;
        m_splashY = 0;
    } else {
        // 320 x 240 shows the picture shifted 78 pixels to the left.
        m_animX = 80;
        m_animY = 83;
        m_frameW = 176;
        m_frameH = 165;
        m_splashX = -78;
        m_splashY = 0;
    }
}

void CSplash::NextFrame() {
    m_frame = (m_frame + 1) % kFrames;
}

void CSplash::DrawSplash() {
    m_graphics.CopyBitmap(m_splashBmp, m_splashX, m_splashY);
    m_graphics.CopyBitmap(m_animBmp, m_animX, m_animY, 0, m_frameH * m_frame, m_frameW, m_frameH);
}
