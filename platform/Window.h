// IWindow: the main window on the desktop, which shows the device screen.
#pragma once

#include "platform/Bitmap.h"

// The whole device screen is one image, the command bar on top and the view below it, composed
// by the main frame (ui/MainFrm.h). The Qt window shows it at a whole-number scale; in script
// mode the image is kept for screenshots.
class IWindow {
public:
    virtual ~IWindow() = default;
    // Shows the image at once, synchronously: the window has repainted when this returns, so
    // that each edit is on screen before any message box that follows it.
    // `splash` says whether the picture is the splash screen (for the window's timing of the
    // start-up).
    virtual void Present(const Bitmap& deviceScreen, bool splash) = 0;
    // False for a window that nobody sees between looks at it (script mode, where screenshots
    // look): the clock's ticks then draw only once, when the picture is next presented.
    virtual bool ShowsEachPicture() const { return true; }
};
