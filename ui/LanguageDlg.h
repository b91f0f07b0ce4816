// CLanguageDlg: the Language dialog (template 140): seven radio buttons, one per language.
#pragma once

#include "platform/Dialog.h"

class CMainFrame;

// The caller sets the selected index (the current language), runs the dialog and, when it ends
// with OK, reads the selected index back, even an unchanged one. Opening the dialog marks it
// open in the main frame (the square-screen stretch waits); only OK clears the mark.
class CLanguageDlg : public IDialog {
public:
    CLanguageDlg(int selected, CMainFrame& frame) : m_selected(selected), m_frame(frame) {}

    int TemplateId() const override;
    // Checks the radio button of the selected index; an index outside 0..6 checks none.
    void OnInitDialog() override;
    // Radio button 1030 + i selects language i; other controls do nothing.
    void OnClick(int controlId) override;
    void OnSelect(int, int) override {}
    void OnOk() override;
    void OnCancel() override {}
    // Radio button 1030 + i while language i is checked.
    bool IsChecked(int controlId) const override;

    int Selected() const { return m_selected; }
    // The checked radio button's language, -1 for none.
    int CheckedRadio() const { return m_checked; }

private:
    int m_selected;
    int m_checked = -1;
    CMainFrame& m_frame;
};
