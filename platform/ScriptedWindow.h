// CScriptedWindow: a main window without a display, which keeps the last image it was shown.
#pragma once

#include "platform/Bitmap.h"
#include "platform/Window.h"

// Script mode writes its screenshots from the kept image: the device screen exactly as the
// player would see it.
class CScriptedWindow : public IWindow {
public:
    void Present(const Bitmap& deviceScreen, bool /*splash*/) override { m_image = deviceScreen; }
    // A day of waiting is 86,400 clock ticks; only the last one before a screenshot is seen.
    bool ShowsEachPicture() const override { return false; }

    const Bitmap& Image() const { return m_image; }

private:
    Bitmap m_image;
};
