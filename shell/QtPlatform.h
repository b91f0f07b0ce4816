// The Qt platform a window would start on, checked before QApplication is built.
#pragma once

#include <optional>
#include <string>
#include <vector>

// Qt ends the program with an abort when it cannot start its platform (a name it has no plugin
// for, no display to connect to) and advises reinstalling. This looks first, as Qt will: the
// names of `-platform NAME` in `qtArguments` (the last one), else of QT_QPA_PLATFORM, else Qt's
// own choice (xcb, or wayland); a list "a;b" is tried in order and ":options" after a name are
// the plugin's. A name is usable when Qt has a platform plugin of that name and, for xcb and
// wayland, when DISPLAY (or -display) and WAYLAND_DISPLAY say where the display is. Gives the
// one line (no program name, no line feed) that says why no name is usable, or nothing.
std::optional<std::string> WhyNoWindowPlatform(const std::vector<std::string>& qtArguments);

// Qt's options without -platform NAME: a script always runs on the offscreen platform.
std::vector<std::string> WithoutPlatform(const std::vector<std::string>& qtArguments);

// While it lives, Qt's messages are held back; a fatal one (the platform failed after all, e.g.
// DISPLAY names a display that is not there) ends the program with `line` on standard error
// and status 2 instead of an abort. At its end the held messages are written out.
class CQtStartGuard {
public:
    explicit CQtStartGuard(std::string line);
    ~CQtStartGuard();
    CQtStartGuard(const CQtStartGuard&) = delete;
    CQtStartGuard& operator=(const CQtStartGuard&) = delete;
};
