// CDialogWidget: a modal dialog of the game, full-screen over the device screen.
#include "shell/DialogWidget.h"

#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QPixmap>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>
#include <set>

#include "platform/BmpReader.h"
#include "platform/Dialog.h"
#include "platform/Shell.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/ScaledStyle.h"
#include "res/Bitmaps.h"
#include "res/Dialogs.h"

namespace {

constexpr int kFontPixels = 11;  // at scale 1: the templates' 8-point font at 96 dots an inch
constexpr QRgb kBodyColour = qRgb(255, 255, 255);
constexpr QRgb kTitleColour = qRgb(0xdc, 0xe4, 0xee);
constexpr QRgb kTitleLineColour = qRgb(0x7a, 0x88, 0x99);

// Dialog units to device pixels.
int PixelsX(int units) {
    return units * 6 / 4;
}
int PixelsY(int units) {
    return units * 13 / 8;
}

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A strip of colour: the title row's background and the line under it.
QWidget* Filled(QWidget* parent, QRgb colour) {
    auto* widget = new QWidget(parent);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    return widget;
}

// A rectangle in the body's pixels; right and bottom are one past the last pixel.
struct SBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool Holds(const SBox& other) const {
        return other.left >= left && other.top >= top && other.Right() <= Right() &&
               other.Bottom() <= Bottom();
    }
    bool SharesRowsWith(const SBox& other) const {
        return top < other.Bottom() && other.top < Bottom();
    }
};

bool IsText(res::ControlKind kind) {
    return kind != res::ControlKind::kGroupBox && kind != res::ControlKind::kPicture;
}

}  // namespace

CDialogWidget::CDialogWidget(IDialog& dialog, int scale, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_dialog(dialog),
      m_scale(std::max(scale, 1)) {
    setModal(true);
    setStyle(ScaledStyle(m_scale));
    QPalette palette = ScaledStyle(m_scale)->standardPalette();
    palette.setColor(QPalette::Window, kBodyColour);
    setPalette(palette);
    setAutoFillBackground(true);
    QFont font(QString::fromLatin1(CQtCanvas::kFontFamily));
    font.setPixelSize(kFontPixels * m_scale);
    setFont(font);

    const res::SDialogTemplate* layout = res::FindDialog(dialog.TemplateId());
    QWidget* title = Filled(this, kTitleColour);
    title->setFixedHeight((kCommandBarHeight - 1) * m_scale);  // and the line under it
    m_caption = new QLabel(layout != nullptr ? Utf8(layout->caption) : QString(), title);
    QFont bold = font;
    bold.setBold(true);
    m_caption->setFont(bold);
    // A screen reader names the dialog by its caption (the window has no title bar).
    setAccessibleName(m_caption->text());
    m_ok = new QPushButton(QStringLiteral("OK"), title);
    m_ok->setStyle(ScaledStyle(m_scale));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout(title);
    row->setContentsMargins(4 * m_scale, 0, 4 * m_scale, 0);
    row->addWidget(m_caption, 1);
    row->addWidget(m_ok);

    QWidget* line = Filled(this, kTitleLineColour);
    line->setFixedHeight(m_scale);

    m_body = new QWidget(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(title);
    column->addWidget(line);
    column->addWidget(m_body, 1);

    MakeControls();
    Refresh();
}

void CDialogWidget::MakeControls() {
    const res::SDialogTemplate* layout = res::FindDialog(m_dialog.TemplateId());
    if (layout == nullptr) {
        return;
    }
    for (const res::SDialogControl& control : layout->controls) {
        if ((control.flags & res::kHidden) != 0U) {
            continue;
        }
        QWidget* widget = MakeControl(control);
        widget->setStyle(ScaledStyle(m_scale));
        if (control.id != res::kStaticControl) {
            widget->setObjectName(QString::number(control.id));
        }
        m_controls.push_back({&control, widget});
    }
}

QWidget* CDialogWidget::MakeControl(const res::SDialogControl& control) {
    const int id = control.id;
    switch (control.kind) {
        case res::ControlKind::kText:
        case res::ControlKind::kCentredText: {
            auto* label = new QLabel(m_body);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(
                (control.kind == res::ControlKind::kText ? Qt::AlignLeft : Qt::AlignHCenter) |
                Qt::AlignTop);
            return label;
        }
        case res::ControlKind::kPicture: {
            auto* label = new QLabel(m_body);
            Bitmap bmp;
            if (DecodeBmp(res::BitmapResource(control.image), bmp)) {
                // A copy: the pixmap may share the image's pixels, which end with `bmp`.
                const QImage image =
                    QImage(reinterpret_cast<const uchar*>(bmp.pixels.data()), bmp.width, bmp.height,
                           static_cast<qsizetype>(bmp.width) * 4, QImage::Format_RGB32)
                        .copy();
                // Shown at its own size, each pixel a square of the scale.
                label->setPixmap(QPixmap::fromImage(
                    image.scaled(bmp.width * m_scale, bmp.height * m_scale, Qt::IgnoreAspectRatio,
                                 Qt::FastTransformation)));
            }
            return label;
        }
        case res::ControlKind::kGroupBox:
            return new QGroupBox(Utf8(control.text), m_body);
        case res::ControlKind::kDropDownList: {
            auto* list = new QComboBox(m_body);
            connect(list, &QComboBox::currentIndexChanged, this, [this, id](int index) {
                if (!m_refreshing && index >= 0) {
                    m_dialog.OnSelect(id, index);
                    Refresh();
                }
            });
            return list;
        }
        case res::ControlKind::kPushButton: {
            auto* button = new QPushButton(Utf8(control.text), m_body);
            button->setAutoDefault(false);  // Enter stays with OK
            connect(button, &QPushButton::clicked, this, [this, id] {
                m_dialog.OnClick(id);
                Refresh();
            });
            return button;
        }
        case res::ControlKind::kRadioButton: {
            auto* radio = new QRadioButton(Utf8(control.text), m_body);
            connect(radio, &QRadioButton::clicked, this, [this, id] {
                m_dialog.OnClick(id);
                Refresh();
            });
            return radio;
        }
    }
    return new QWidget(m_body);
}

QWidget* CDialogWidget::Control(int controlId) const {
    for (const SControl& c : m_controls) {
        if (c.control->id == controlId) {
            return c.widget;
        }
    }
    return nullptr;
}

void CDialogWidget::Refresh() {
    m_refreshing = true;
    for (const SControl& c : m_controls) {
        const int id = c.control->id;
        switch (c.control->kind) {
            case res::ControlKind::kText:
            case res::ControlKind::kCentredText:
                static_cast<QLabel*>(c.widget)->setText(
                    Utf8(m_dialog.Text(id).value_or(std::string(c.control->text))));
                break;
            case res::ControlKind::kRadioButton:
                static_cast<QRadioButton*>(c.widget)->setChecked(m_dialog.IsChecked(id));
                break;
            case res::ControlKind::kDropDownList: {
                auto* list = static_cast<QComboBox*>(c.widget);
                QStringList entries;
                for (const std::string& entry : m_dialog.Entries(id)) {
                    entries.push_back(Utf8(entry));
                }
                QStringList shown;
                for (int i = 0; i < list->count(); ++i) {
                    shown.push_back(list->itemText(i));
                }
                if (shown != entries) {
                    list->clear();
                    list->addItems(entries);  // in their order: the list is never sorted
                }
                list->setCurrentIndex(m_dialog.Selection(id));
                break;
            }
            case res::ControlKind::kPicture:
            case res::ControlKind::kGroupBox:
            case res::ControlKind::kPushButton:
                break;
        }
    }
    m_refreshing = false;
    Arrange();
}

void CDialogWidget::Arrange() {
    const std::size_t count = m_controls.size();
    std::vector<SBox> placed(count);  // where the template puts each control
    std::vector<SBox> boxes(count);   // where it goes
    for (std::size_t i = 0; i < count; ++i) {
        const res::SDialogControl& c = *m_controls[i].control;
        QWidget* widget = m_controls[i].widget;
        SBox& p = placed[i];
        p = {PixelsX(c.x) * m_scale, PixelsY(c.y) * m_scale, PixelsX(c.width) * m_scale,
             PixelsY(c.height) * m_scale};
        SBox& b = boxes[i];
        b = p;
        const QSize hint = widget->sizeHint();
        if (c.kind == res::ControlKind::kPicture) {
            b.width = hint.width();
            b.height = hint.height();
        } else if (c.kind == res::ControlKind::kDropDownList) {
            // The template's height includes the dropped list; the closed list is one line.
            b.width = std::max(p.width, hint.width());
            b.height = hint.height();
        } else if (IsText(c.kind)) {
            b.width = std::max(p.width, hint.width());
            b.height = std::max(p.height, hint.height());
        }
    }

    // Columns from left to right: a column moves right until every control on its rows to its
    // left, as it now stands, keeps the template's gap.
    std::set<int> columns;
    for (const SBox& p : placed) {
        columns.insert(p.left);
    }
    for (const int column : columns) {
        int shift = 0;
        for (std::size_t b = 0; b < count; ++b) {
            if (placed[b].left != column) {
                continue;
            }
            for (std::size_t a = 0; a < count; ++a) {
                if (m_controls[a].control->kind == res::ControlKind::kGroupBox ||
                    placed[a].Right() > column || !placed[a].SharesRowsWith(placed[b])) {
                    continue;
                }
                const int gap = column - placed[a].Right();
                shift = std::max(shift, boxes[a].Right() + gap - column);
            }
        }
        for (std::size_t b = 0; b < count; ++b) {
            if (placed[b].left == column) {
                boxes[b].left = column + shift;
            }
        }
    }
    // Group boxes keep their margins around what they hold.
    for (std::size_t g = 0; g < count; ++g) {
        if (m_controls[g].control->kind != res::ControlKind::kGroupBox) {
            continue;
        }
        for (std::size_t c = 0; c < count; ++c) {
            if (c != g && placed[g].Holds(placed[c])) {
                const int margin = placed[g].Right() - placed[c].Right();
                boxes[g].width =
                    std::max(boxes[g].width, boxes[c].Right() + margin - boxes[g].left);
            }
        }
    }

    std::vector<IDialog::SPlace> places;
    places.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const SBox& b = boxes[i];
        places.push_back({m_controls[i].control->id, b.left, b.top, b.width, b.height});
    }
    m_dialog.PlaceControls(width(), places);
    for (std::size_t i = 0; i < count; ++i) {
        const IDialog::SPlace& p = places[i];
        m_controls[i].widget->setGeometry(p.left, p.top, p.width, p.height);
    }
}

void CDialogWidget::SetSize(QSize size) {
    setFixedSize(size);
    Arrange();
}

int CDialogWidget::Run(const QRect& deviceScreen) {
    SetSize(deviceScreen.size());
    move(deviceScreen.topLeft());
    m_dialog.OnInitDialog();
    Refresh();
    if (exec() == QDialog::Accepted) {
        m_dialog.OnOk();
        return kIdOk;
    }
    m_dialog.OnCancel();
    return kIdCancel;
}

Bitmap CDialogWidget::Render(SScreenSize size) {
    SetSize(QSize(size.width * m_scale, size.height * m_scale));
    setAttribute(Qt::WA_DontShowOnScreen);
    show();
    const QImage shot =
        grab()
            .toImage()
            .convertToFormat(QImage::Format_RGB32)
            .scaled(size.width, size.height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    hide();
    Bitmap out(shot.width(), shot.height());
    for (int y = 0; y < shot.height(); ++y) {
        std::memcpy(&out.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(out.width)],
                    shot.constScanLine(y), static_cast<std::size_t>(out.width) * 4);
    }
    return out;
}
