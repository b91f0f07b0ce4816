// CQtShell: message boxes, file dialogs, modal dialogs, closing and pages on the Qt desktop.
#include "platform/qt/QtShell.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QMetaObject>
#include <QScreen>
#include <QSplitter>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>
#include <QWindow>

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

CQtShell::CQtShell(SHooks hooks)
    : m_hooks(std::move(hooks)),
      m_dialogFolder({ToPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)),
                      ToPath(QDir::homePath())}) {
    assert(m_hooks.language && m_hooks.runDialog);
}

void CQtShell::SetMainWindow(QWidget* window) {
    m_window = window;
    if (window != nullptr && !m_pending.empty()) {
        QTimer::singleShot(0, window, [this] { ShowPendingWhenPainted(); });
    }
}

void CQtShell::ShowMessageWhenUp(std::string_view name, std::string_view text,
                                 const SMessageDetail& detail) {
    if (m_window != nullptr) {
        ShowMessage(name, text, MsgStyle::kOk, detail);
        return;
    }
    m_pending.push_back(
        {std::string(name), std::string(text), std::string(detail.text), detail.warning});
}

void CQtShell::ShowPendingWhenPainted() {
    if (m_window == nullptr) {
        return;
    }
    // Not over the first paint: the box waits until the window is on the screen.
    const QWindow* handle = m_window->windowHandle();
    if (handle == nullptr || !handle->isExposed()) {
        QTimer::singleShot(50, m_window, [this] { ShowPendingWhenPainted(); });
        return;
    }
    const std::vector<SPendingBox> boxes = std::move(m_pending);
    m_pending.clear();
    for (const SPendingBox& box : boxes) {
        ShowMessage(box.name, box.text, MsgStyle::kOk, {box.detail, box.warning});
    }
}

CQtShell::~CQtShell() = default;

QString CQtShell::LocaleName(int language) {
    static const char* const kLocales[] = {"en", "fr", "it", "de", "es", "zh_CN", "ru"};
    return QString::fromLatin1(language >= 0 && language <= 6 ? kLocales[language] : "en");
}

QTranslator& CQtShell::Translator(int language) {
    if (language < 0 || language > 6) {
        language = 0;
    }
    auto& translator = m_translators[language];
    if (!translator) {
        translator = std::make_unique<QTranslator>();
        // A missing file leaves the translator empty: the English texts stay.
        (void)translator->load(QStringLiteral("qtbase_") + LocaleName(language),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    return *translator;
}

CQtShell::SButtonTexts CQtShell::ButtonTexts(int language) {
    QTranslator* translator = &Translator(language);
    // The standard buttons' texts as Qt's platform theme names them.
    const auto text = [&](const char* source) {
        const QString translated = translator->translate("QPlatformTheme", source);
        return translated.isEmpty() ? QString::fromLatin1(source) : translated;
    };
    return {text("OK"), text("&Yes"), text("&No")};
}

int CQtShell::ShowMessage(std::string_view, std::string_view text, MsgStyle style,
                          const SMessageDetail& detail) {
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
    if (detail.warning) {
        box.setIcon(QMessageBox::Warning);
    }
    if (!detail.text.empty()) {
        box.setInformativeText(FromUtf8(detail.text));
        // The file named in the box can be copied from it.
        box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
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

SPageOpen CQtShell::OpenPage(const std::filesystem::path& page, std::string_view) {
    // A page that is missing, unreadable or a FIFO would leave the browser with an error or
    // waiting for ever; it is refused here instead.
    std::string why;
    fileio::Problem problem = fileio::Problem::kFailed;
    if (!fileio::CheckRegularFile(page, &why, &problem)) {
        std::fprintf(stderr, "sudoku: the page %s cannot be opened: %s\n", page.c_str(),
                     why.c_str());
        return {false, problem};
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(page.string())))) {
        std::fprintf(stderr, "sudoku: no browser opened the page %s\n", page.c_str());
        return {false, fileio::Problem::kNone};
    }
    return {};
}

std::optional<std::filesystem::path> CQtShell::AskOpenFile(std::string_view filter,
                                                           std::string_view extension) {
    return AskFile(false, {}, filter, extension);
}

std::optional<std::filesystem::path> CQtShell::AskSaveFile(std::string_view proposed,
                                                           std::string_view filter,
                                                           std::string_view extension) {
    return AskFile(true, proposed, filter, extension);
}

std::optional<std::filesystem::path> CQtShell::AskFile(bool save, std::string_view proposed,
                                                       std::string_view filter,
                                                       std::string_view extension) {
    // Qt's own dialog, built while the game's translations are installed, so that it speaks
    // the game's language (a desktop's native dialog would speak the system's).
    QTranslator& translator = Translator(m_hooks.language());
    QCoreApplication::installTranslator(&translator);
    QString start = QString::fromStdString(m_dialogFolder.Start().string());
    if (save) {
        start = QDir(start).filePath(FromUtf8(proposed));
    }
    QFileDialog dialog(m_window, {}, start, FromUtf8(filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setLocale(QLocale(LocaleName(m_hooks.language())));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        std::string_view suffix = extension;
        if (!suffix.empty() && suffix.front() == '.') {
            suffix.remove_prefix(1);
        }
        dialog.setDefaultSuffix(FromUtf8(suffix));
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    // It grows with the window's scale, as the boxes do, within the screen.
    const int scale = m_hooks.scale ? std::max(m_hooks.scale(), 1) : 1;
    QSize size = dialog.sizeHint() * scale;
    if (scale > 1 && m_window != nullptr) {
        dialog.setFont(m_window->font());
        ApplyScaledStyle(dialog, scale);
        for (QToolButton* button : dialog.findChildren<QToolButton*>()) {
            button->setIconSize(button->iconSize() * scale);
        }
    }
    if (const QScreen* screen = m_window != nullptr ? m_window->screen() : nullptr) {
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    }
    dialog.resize(size);
    // Qt keeps the side bar's and the columns' widths of the last dialog in its settings, from
    // whatever scale that was: they are set afresh from this dialog's width.
    const int side = size.width() / 5;
    if (auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter"))) {
        splitter->setSizes({side, size.width() - side});
    }
    if (const auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        // Name, size, type and date, in hundredths of the list's width (the rest is its frame
        // and scroll bar).
        constexpr int kShares[] = {42, 12, 14, 22};
        QHeaderView* header = tree->header();
        const int list = size.width() - side;
        for (int i = 0; i < header->count() && i < 4; ++i) {
            header->resizeSection(i, list * kShares[i] / 100);
        }
    }
    const int result = dialog.exec();
    QCoreApplication::removeTranslator(&translator);
    GiveBackActivation(m_window);
    if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const std::filesystem::path chosen = ToPath(dialog.selectedFiles().front());
    m_dialogFolder.Remember(chosen);
    return save ? WithDefaultExtension(chosen, extension) : chosen;
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
