// IForeground: whether the main window is the foreground window.
#pragma once

// The clock counts only while the main window is in the foreground: not while another program,
// a message box or a dialog of the game has the focus. The Qt implementation follows window
// activation; the scripted one the script's `foreground on` / `foreground off` lines.
class IForeground {
public:
    virtual ~IForeground() = default;
    virtual bool IsMainWindowForeground() const = 0;
};
