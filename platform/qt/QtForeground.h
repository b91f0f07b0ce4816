// CQtForeground: whether the main window is the active window of the desktop.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Foreground.h"

// A message box, a dialog of the game or another program in front takes the activation away
// from the main window; so does a main window not yet shown.
class CQtForeground : public IForeground {
public:
    void SetMainWindow(QWidget* window) { m_window = window; }
    bool IsMainWindowForeground() const override {
        return m_window != nullptr && m_window->isActiveWindow();
    }

private:
    QPointer<QWidget> m_window;
};
