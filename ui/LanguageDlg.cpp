// The Language dialog's state and handlers.
#include "ui/LanguageDlg.h"

#include "res/Dialogs.h"
#include "res/Strings.h"
#include "ui/MainFrm.h"

namespace {

bool IsLanguage(int index) {
    return index >= 0 && index < res::kLanguageCount;
}

}  // namespace

int CLanguageDlg::TemplateId() const {
    return res::kLanguageDialog;
}

void CLanguageDlg::OnInitDialog() {
    m_frame.SetLanguageDlgOpen(true);
    m_checked = IsLanguage(m_selected) ? m_selected : -1;
}

void CLanguageDlg::OnClick(int controlId) {
    const int index = controlId - res::kLanguageRadio;
    if (IsLanguage(index)) {
        m_selected = index;
        m_checked = index;
    }
}

void CLanguageDlg::OnOk() {
    m_frame.SetLanguageDlgOpen(false);
}

bool CLanguageDlg::IsChecked(int controlId) const {
    return m_checked >= 0 && controlId == res::kLanguageRadio + m_checked;
}
