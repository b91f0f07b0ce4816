// The about box: its template by language.
#include "ui/AboutDlg.h"

#include "res/Dialogs.h"
#include "res/Strings.h"

CAboutDlg::CAboutDlg(int language)
    : m_templateId(res::kAboutDialog +
                   (language >= 0 && language < res::kLanguageCount ? language : 0)) {}
