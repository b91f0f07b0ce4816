// CScriptedForeground: whether the main window is in the foreground, as a script sets it.
#pragma once

#include "platform/Foreground.h"

// In the foreground from the start, as a freshly shown window is; `foreground off` and
// `foreground on` lines of a script switch it.
class CScriptedForeground : public IForeground {
public:
    bool IsMainWindowForeground() const override { return m_on; }
    void Set(bool on) { m_on = on; }

private:
    bool m_on = true;
};
