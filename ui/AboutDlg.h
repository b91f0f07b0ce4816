// CAboutDlg: the about box (template 600 + language): the picture, the version and the credits.
#pragma once

#include "platform/Dialog.h"

// Made for one showing in the language of that moment; it ends with OK and changes nothing.
// The picture is bitmap 139 (res/Bitmaps.h); the widgets centre every control.
class CAboutDlg : public IDialog {
public:
    // A language outside 0..6 gets the English box.
    explicit CAboutDlg(int language);

    int TemplateId() const override { return m_templateId; }
    void OnInitDialog() override {}
    void OnClick(int) override {}
    void OnSelect(int, int) override {}
    void OnOk() override {}
    void OnCancel() override {}

private:
    int m_templateId;
};
