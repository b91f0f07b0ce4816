// CAboutDlg: the about box (template 600 + language): the picture, the version and the credits.
#pragma once

#include "platform/Dialog.h"

// Made for one showing in the language of that moment; it ends with OK and changes nothing.
// The picture is bitmap 139 (res/Bitmaps.h).
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

    // Centres the picture 139 and the lines 202..206 and 207, in that order, each on its own:
    // left = W / 2 - w / 2 with the client width W and the control's width w, each half
    // truncated; tops, widths and heights stay.
    void PlaceControls(int clientWidth, std::span<SPlace> places) override;

    // The left edge of a control `width` wide centred in a client area `clientWidth` wide.
    static int CentredLeft(int clientWidth, int width) { return clientWidth / 2 - width / 2; }

private:
    int m_templateId;
};
