// CDialogWidget: a modal dialog of the game, full-screen over the device screen.
#include "shell/DialogWidget.h"

#include <QFont>
#include <QHBoxLayout>
#include <QImage>
#include <QPixmap>
#include <QVBoxLayout>

#include <cstring>

#include "platform/Dialog.h"
#include "platform/Shell.h"
#include "res/Dialogs.h"

namespace {

constexpr int kFontPixels = 13;  // at scale 1, as the device screen's text

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CDialogWidget::CDialogWidget(IDialog& dialog, int scale, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_dialog(dialog), m_scale(scale) {
    setModal(true);
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(kFontPixels * scale);
    setFont(font);
    setObjectName(QStringLiteral("dialog"));
    setStyleSheet(QStringLiteral("#dialog { background: white; }"));

    const res::SDialogTemplate* layout = res::FindDialog(dialog.TemplateId());
    auto* title = new QWidget(this);
    title->setObjectName(QStringLiteral("title"));
    title->setFixedHeight(kCommandBarHeight * scale);
    title->setStyleSheet(QStringLiteral("#title { background: #dce4ee; border-bottom: %1px solid "
                                        "#7a8899; }")
                             .arg(scale));
    m_caption = new QLabel(layout != nullptr ? Utf8(layout->caption) : QString(), title);
    QFont bold = font;
    bold.setBold(true);
    m_caption->setFont(bold);
    m_ok = new QPushButton(QStringLiteral("OK"), title);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout(title);
    row->setContentsMargins(4 * scale, 0, 4 * scale, scale);
    row->addWidget(m_caption, 1);
    row->addWidget(m_ok);

    m_body = new QWidget(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(title);
    column->addWidget(m_body, 1);
}

int CDialogWidget::Run(const QRect& deviceScreen) {
    setFixedSize(deviceScreen.size());
    move(deviceScreen.topLeft());
    m_dialog.OnInitDialog();
    if (exec() == QDialog::Accepted) {
        m_dialog.OnOk();
        return kIdOk;
    }
    m_dialog.OnCancel();
    return kIdCancel;
}

Bitmap CDialogWidget::Render(SScreenSize size) {
    setFixedSize(size.width * m_scale, size.height * m_scale);
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
