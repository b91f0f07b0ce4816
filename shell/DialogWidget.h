// CDialogWidget: a modal dialog of the game, full-screen over the device screen.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <vector>

#include "platform/Bitmap.h"
#include "platform/Screen.h"

class IDialog;
namespace res {
struct SDialogControl;
}

// As on the device: the dialog covers the whole device screen; its title row (as high as the
// command bar) holds the template's caption at the left and the OK button at the right, which
// ends the dialog with IDOK; Escape ends it with IDCANCEL. Below the title row stand the
// template's controls, in its order, as real widgets: radio buttons, drop-down lists, push
// buttons, texts, group boxes and pictures (the hidden ones are not made).
//
// Dialog units become device pixels by the base units of the templates' 8-point font at 96 dots
// an inch: 6 pixels across for 4 units and 13 pixels down for 8 (x * 6 / 4, y * 13 / 8, each
// truncated), so the about picture's 117 x 32 units come to 175 x 52 pixels, a column short of
// the picture's own size, at which it is shown. Everything is then multiplied by the window's
// scale. The font is pinned (WenQuanYi Micro Hei, which holds Latin, Cyrillic and Chinese
// letters, 11 pixels at scale 1: one line in the 13 pixels of an 8-unit text), and so are the
// widgets' style (Fusion with its parts grown by the scale: CScaledStyle) and colours, so the
// dialogs look alike on every desktop.
//
// Long texts are never cut: every control keeps the top-left corner its template gives it, and
// one whose text needs more room grows to the right (and down). A control that would then run
// into another on its rows moves right with every control of its column (those sharing its
// template left edge) until the template's gap between them is back, and a group box widens to
// keep its margin around what it holds. Finally the dialog may place its controls itself
// (IDialog::PlaceControls: the about box centres them in the full width of the dialog).
//
// What the controls show (texts, the checked radio button, a list's entries and selection) is
// read from the dialog after OnInitDialog and after every handler.
class CDialogWidget : public QDialog {
public:
    CDialogWidget(IDialog& dialog, int scale, QWidget* parent = nullptr);

    // OnInitDialog, then modal over `deviceScreen` (the device screen's rectangle on the
    // desktop) until it ends: OnOk and kIdOk, or OnCancel and kIdCancel.
    int Run(const QRect& deviceScreen);

    // The dialog as the player would see it over a device screen of `size`, in device pixels,
    // without showing it (script-mode screenshots).
    Bitmap Render(SScreenSize size);

    // The widget of control `controlId` (nullptr when the template has none, or it is hidden),
    // and the OK button and the caption of the title row.
    QWidget* Control(int controlId) const;
    QPushButton* OkButton() const { return m_ok; }
    QLabel* Caption() const { return m_caption; }
    // The body below the title row, which holds the controls.
    QWidget* Body() const { return m_body; }

private:
    struct SControl {
        const res::SDialogControl* control;
        QWidget* widget;
    };

    void MakeControls();
    QWidget* MakeControl(const res::SDialogControl& control);
    // Reads what the controls show from the dialog, then places them again.
    void Refresh();
    // Places the controls for the dialog's present width.
    void Arrange();
    void SetSize(QSize size);

    IDialog& m_dialog;
    int m_scale;
    QLabel* m_caption = nullptr;
    QPushButton* m_ok = nullptr;
    QWidget* m_body = nullptr;
    std::vector<SControl> m_controls;
    bool m_refreshing = false;
};
