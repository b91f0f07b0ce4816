// CSplash: the splash screen shown at start-up: a picture and a five-frame animation.
#pragma once

#include <cstdint>

#include "platform/Bitmap.h"

class CGraphics;
class COptions;
class DataManager;

class CSplash {
public:
    static constexpr int32_t kFrames = 5;

    // `data`, `options` (the language of its one message) and `graphics` must outlive the
    // splash.
    CSplash(DataManager& data, const COptions& options, CGraphics& graphics)
        : m_data(data), m_options(options), m_graphics(graphics) {}

    // Loads "Splash\Splash.bmp" and the animation strip "Splash\Anim.bmp" (the frames one
    // under the other), starts at frame 0 and lays the splash out. When either file fails to
    // load, the player is told that files are missing and the application is asked to close.
    void LoadSplash();
    // Positions of picture and frame by screen size.
    void LayoutSplash();
    // The next frame: 0, 1, 2, 3, 4, 0, ...
    void NextFrame();
    // The picture, then the current frame over it, opaque, into the back buffer.
    void DrawSplash();
    int32_t GetFrame() const { return m_frame; }

private:
    DataManager& m_data;
    const COptions& m_options;
    CGraphics& m_graphics;

    int32_t m_frame = 0;
    Bitmap m_splashBmp;
    Bitmap m_animBmp;
    int32_t m_animX = 0;
    int32_t m_animY = 0;
    int32_t m_frameW = 0;
    int32_t m_frameH = 0;
    int32_t m_splashX = 0;
    int32_t m_splashY = 0;
};
