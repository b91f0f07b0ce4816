// CDialogWidget: a modal dialog of the game, full-screen over the device screen.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "platform/Bitmap.h"
#include "platform/Screen.h"

class IDialog;

// As on the device: the dialog covers the whole device screen; its title row (as high as the
// command bar) holds the template's caption at the left and the OK button at the right, which
// ends the dialog with IDOK; Escape or closing the window ends it with IDCANCEL. The controls of
// the template go into Body(), below the title row, laid out by the caller; everything is drawn
// at the window's scale.
class CDialogWidget : public QDialog {
public:
    CDialogWidget(IDialog& dialog, int scale, QWidget* parent = nullptr);

    QWidget* Body() const { return m_body; }

    // OnInitDialog, then modal over `deviceScreen` (the device screen's rectangle on the
    // desktop) until it ends: OnOk and kIdOk, or OnCancel and kIdCancel.
    int Run(const QRect& deviceScreen);

    // The dialog as the player would see it over a device screen of `size`, in device pixels,
    // without showing it (script-mode screenshots).
    Bitmap Render(SScreenSize size);

private:
    IDialog& m_dialog;
    int m_scale;
    QLabel* m_caption;
    QPushButton* m_ok;
    QWidget* m_body;
};
