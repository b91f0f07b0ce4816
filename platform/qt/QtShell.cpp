// CQtShell: message boxes, file dialogs, modal dialogs, closing and pages on the Qt desktop.
#include "platform/qt/QtShell.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QMetaObject>
#include <QScreen>
#include <QUrl>

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/FileIO.h"
#include "platform/qt/ScaledStyle.h"

namespace {

const char* const kTitle = "Судоку";

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Qt's message box, sized for its scale. Qt makes a box at most 500 pixels wide (half a small
// screen) before it wraps the text, which at a large font is a narrow column; here that width
// grows by the scale, up to nine tenths of the screen. Qt sizes the box as it shows and at every
// layout request; the box is sized again after it.
class CScaledMessageBox : public QMessageBox {
public:
    CScaledMessageBox(QWidget* owner, int scale) : QMessageBox(owner), m_scale(scale) {}

protected:
    bool event(QEvent* event) override {
        const bool result = QMessageBox::event(event);
        if (event->type() == QEvent::LayoutRequest) {
            Resize();
        }
        return result;
    }
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        Resize();
    }

private:
    void Resize() {
        auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        const QScreen* screen = this->screen();
        if (m_scale == 1 || !isVisible() || label == nullptr || layout() == nullptr ||
            screen == nullptr) {
            return;
        }
        const QRect available = screen->availableGeometry();
        const int limit = std::min(std::min(available.width() / 2, kQtWidth) * m_scale,
                                   available.width() * 9 / 10);
        label->setWordWrap(false);
        layout()->activate();
        int width = layout()->totalMinimumSize().width();
        if (width > limit) {
            label->setWordWrap(true);
            layout()->activate();
            width = std::max(limit, layout()->totalMinimumSize().width());
        }
        layout()->activate();
        const int height = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width)
                                                         : layout()->totalMinimumSize().height();
        // Centred over the window it belongs to, and on the screen.
        const QWidget* over = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
        const QPoint centre = over != nullptr ? over->geometry().center() : geometry().center();
        setFixedSize(width, height);
        QRect placed(centre - rect().center(), size());
        placed.moveLeft(std::clamp(placed.left(), available.left(),
                                   std::max(available.left(), available.right() + 1 - width)));
        placed.moveTop(std::clamp(placed.top(), available.top(),
                                  std::max(available.top(), available.bottom() + 1 - height)));
        move(placed.topLeft());
        // The label's new wrapping asks for a layout again: it is done.
        QCoreApplication::removePostedEvents(this, QEvent::LayoutRequest);
    }

    static constexpr int kQtWidth = 500;
    int m_scale;
};

std::filesystem::path ToPath(const QString& name) {
    const QByteArray bytes = name.toUtf8();
    return std::filesystem::path(std::string(bytes.constData(), bytes.size()));
}

}  // namespace

std::filesystem::path WithDefaultExtension(const std::filesystem::path& chosen,
                                           std::string_view extension) {
    if (chosen.has_extension() || chosen.filename().empty()) {
        return chosen;
    }
    std::filesystem::path named = chosen;
    named += std::string(extension);
    return named;
}

CQtShell::CQtShell(SHooks hooks) : m_hooks(std::move(hooks)) {
    assert(m_hooks.language && m_hooks.runDialog);
}

CQtShell::~CQtShell() = default;

QString CQtShell::LocaleName(int language) {
    static const char* const kLocales[] = {"en", "fr", "it", "de", "es", "zh_CN", "ru"};
    return QString::fromLatin1(language >= 0 && language <= 6 ? kLocales[language] : "en");
}

CQtShell::SButtonTexts CQtShell::ButtonTexts(int language) {
    if (language < 0 || language > 6) {
        language = 0;
    }
    auto& translator = m_translators[language];
    if (!translator) {
        translator = std::make_unique<QTranslator>();
        // A missing file leaves the translator empty: the English texts below stay.
        (void)translator->load(QStringLiteral("qtbase_") + LocaleName(language),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    // The standard buttons' texts as Qt's platform theme names them.
    const auto text = [&](const char* source) {
        const QString translated = translator->translate("QPlatformTheme", source);
        return translated.isEmpty() ? QString::fromLatin1(source) : translated;
    };
    return {text("OK"), text("&Yes"), text("&No")};
}

int CQtShell::ShowMessage(std::string_view, std::string_view text, MsgStyle style) {
    // Over the dialog that asks (the statistics' Reset), else over the main window.
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr) {
        owner = m_window;
    }
    const int scale = m_hooks.scale ? std::max(m_hooks.scale(), 1) : 1;
    CScaledMessageBox box(owner, scale);
    box.setStyle(ScaledStyle(scale));  // before the icon is taken from it
    if (m_window != nullptr) {
        box.setFont(m_window->font());  // the window's, which follows its scale
    }
    box.setWindowTitle(QString::fromUtf8(kTitle));
    box.setTextFormat(Qt::PlainText);
    box.setText(FromUtf8(text));
    box.setIcon(style == MsgStyle::kInfo ? QMessageBox::Information : QMessageBox::NoIcon);
    const SButtonTexts texts = ButtonTexts(m_hooks.language());
    if (style == MsgStyle::kYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(texts.yes);
        box.button(QMessageBox::No)->setText(texts.no);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.button(QMessageBox::Ok)->setText(texts.ok);
    }
    ApplyScaledStyle(box, scale);
    const int pressed = box.exec();
    GiveBackActivation(owner);
    if (style == MsgStyle::kYesNo) {
        return pressed == QMessageBox::Yes ? kIdYes : kIdNo;
    }
    return kIdOk;
}

void CQtShell::CloseApplication() {
    if (m_window == nullptr) {
        // Nothing to close in order yet: nothing of the game has been written either.
        std::fflush(nullptr);
        std::exit(1);
    }
    QMetaObject::invokeMethod(m_window, &QWidget::close, Qt::QueuedConnection);
}

void CQtShell::OpenPage(const std::filesystem::path& page, std::string_view) {
    // A page that is missing, unreadable or a FIFO would leave the browser with an error or
    // waiting for ever; it is named here instead.
    std::string why;
    if (!fileio::CheckRegularFile(page, &why)) {
        std::fprintf(stderr, "sudoku: the page %s cannot be opened: %s\n", page.c_str(),
                     why.c_str());
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(page.string())));
}

std::optional<std::filesystem::path> CQtShell::AskOpenFile(std::string_view filter,
                                                           std::string_view) {
    const QString chosen = QFileDialog::getOpenFileName(m_window, {}, {}, FromUtf8(filter));
    GiveBackActivation(m_window);
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return ToPath(chosen);
}

std::optional<std::filesystem::path> CQtShell::AskSaveFile(std::string_view proposed,
                                                           std::string_view filter,
                                                           std::string_view extension) {
    QFileDialog dialog(m_window, {}, FromUtf8(proposed), FromUtf8(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    std::string_view suffix = extension;
    if (!suffix.empty() && suffix.front() == '.') {
        suffix.remove_prefix(1);
    }
    dialog.setDefaultSuffix(FromUtf8(suffix));
    const int result = dialog.exec();
    GiveBackActivation(m_window);
    if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    // A native dialog may not apply the default suffix itself.
    return WithDefaultExtension(ToPath(dialog.selectedFiles().front()), extension);
}

int CQtShell::RunDialog(IDialog& dialog) {
    const int result = m_hooks.runDialog(dialog);
    GiveBackActivation(m_window);
    return result;
}

void CQtShell::GiveBackActivation(QWidget* owner) {
    // A window manager gives the activation back to the window a box stood on when the box
    // closes; without one (a bare X server) the clock would stand still from then on.
    if (owner != nullptr && owner->isVisible()) {
        owner->activateWindow();
    }
}
