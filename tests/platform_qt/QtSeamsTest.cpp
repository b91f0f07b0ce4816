// The Qt seams: message boxes in the game's language and at the window's scale, file names,
// pages for the browser, closing, and the timers.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QWidget>

#include <sys/stat.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/QtTimers.h"
#include "tests/support/TempDir.h"

namespace {

struct SLanguageCase {
    int language;
    const char* ok;
    const char* yes;
    const char* no;
};

class MessageBoxButtons : public ::testing::TestWithParam<SLanguageCase> {};

CQtShell::SHooks Hooks(int* language) {
    return {[language] { return *language; }, [](IDialog&) { return kIdCancel; }, {}};
}

// Answers the next message box from inside its own loop: records its title, text and buttons,
// then presses the button with `press`'s role.
struct SSeenBox {
    QString title;
    QString text;
    QString detail;
    std::vector<QString> buttons;
    bool information = false;
    QSize size;
    QSize icon;
    bool warning = false;
};

void AnswerNextBox(SSeenBox& seen, QMessageBox::StandardButton press) {
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.information = box->icon() == QMessageBox::Information;
        seen.size = box->size();
        if (const auto* icon = box->findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"))) {
            seen.icon = icon->pixmap().size();
        }
        seen.warning = box->icon() == QMessageBox::Warning;
        seen.detail = box->informativeText();
        for (QAbstractButton* b : box->buttons()) {
            seen.buttons.push_back(b->text());
        }
        box->button(press)->click();
    });
}

TEST_P(MessageBoxButtons, SpeakTheGamesCurrentLanguage) {
    const SLanguageCase& c = GetParam();
    int language = c.language;
    CQtShell shell(Hooks(&language));

    SSeenBox yesNo;
    AnswerNextBox(yesNo, QMessageBox::No);
    EXPECT_EQ(shell.ShowMessage("MsgConfirmNewGame", "Новая игра?", MsgStyle::kYesNo), kIdNo);
    EXPECT_EQ(yesNo.title, QString::fromUtf8("Судоку"));
    EXPECT_EQ(yesNo.text, QString::fromUtf8("Новая игра?"));
    EXPECT_FALSE(yesNo.information);
    ASSERT_EQ(yesNo.buttons.size(), 2U);
    EXPECT_TRUE(std::ranges::count(yesNo.buttons, QString::fromUtf8(c.yes)) == 1) << c.yes;
    EXPECT_TRUE(std::ranges::count(yesNo.buttons, QString::fromUtf8(c.no)) == 1) << c.no;

    SSeenBox info;
    AnswerNextBox(info, QMessageBox::Ok);
    EXPECT_EQ(shell.ShowMessage("MsgCorrectSoFar", "<b>so far</b>", MsgStyle::kInfo), kIdOk);
    EXPECT_TRUE(info.information);
    EXPECT_EQ(info.text, QString::fromUtf8("<b>so far</b>"));
    EXPECT_EQ(info.buttons, std::vector<QString>{QString::fromUtf8(c.ok)});
}

INSTANTIATE_TEST_SUITE_P(
    Languages, MessageBoxButtons,
    ::testing::Values(SLanguageCase{0, "OK", "&Yes", "&No"}, SLanguageCase{1, "OK", "&Oui", "&Non"},
                      SLanguageCase{2, "OK", "&Sì", "&No"}, SLanguageCase{3, "OK", "&Ja", "&Nein"},
                      SLanguageCase{4, "Aceptar", "&Sí", "&No"},
                      SLanguageCase{5, "确定", "是(&Y)", "否(&N)"},
                      SLanguageCase{6, "OK", "&Да", "&Нет"}, SLanguageCase{9, "OK", "&Yes", "&No"},
                      SLanguageCase{-1, "OK", "&Yes", "&No"}),
    [](const auto& row) {
        const int language = row.param.language;
        return language < 0 ? "Minus" + std::to_string(-language) : std::to_string(language);
    });

// A shell over a main window of the given scale, whose font grows with it as the game's does.
struct SShellAtScale {
    SShellAtScale(int* language, int scale) : shell(Scaled(language, scale)) {
        QFont font(QStringLiteral("WenQuanYi Micro Hei"));
        font.setPixelSize(13 * scale);
        window.setFont(font);
        shell.SetMainWindow(&window);
    }
    static CQtShell::SHooks Scaled(int* language, int scale) {
        CQtShell::SHooks hooks = Hooks(language);
        hooks.scale = [scale] { return scale; };
        return hooks;
    }

    QWidget window;
    CQtShell shell;
};

// A box grows with the window's scale as one piece: its font and icon grow by the scale, and
// its text wraps in a box that grows too, wider than high rather than a narrow column (Qt alone
// keeps it within 500 pixels, half the offscreen screen's 800 here, whatever the font).
TEST(QtShell, BoxesGrowWithTheWindowsScale) {
    int language = 1;
    const char* const text =
        "Vous  avez résolu avec succès  un autre puzzle Sudoku. Il y a de nouveaux puzzles "
        "illimités vous attendant. Commencer un nouveau jeu?";
    std::map<int, SSeenBox> seen;
    for (const int scale : {1, 3}) {
        SShellAtScale at(&language, scale);
        AnswerNextBox(seen[scale], QMessageBox::Ok);
        EXPECT_EQ(at.shell.ShowMessage("MsgSolvedStartNew", text, MsgStyle::kInfo), kIdOk);
    }
    EXPECT_LE(seen[1].size.width(), 400);
    EXPECT_GT(seen[3].size.width(), 400);
    EXPECT_GT(seen[3].size.width(), seen[3].size.height());
    ASSERT_FALSE(seen[1].icon.isEmpty());
    EXPECT_EQ(seen[3].icon, seen[1].icon * 3);
}

TEST(QtShell, TheLanguageIsReadAtEachBox) {
    int language = 3;
    CQtShell shell(Hooks(&language));
    SSeenBox first;
    AnswerNextBox(first, QMessageBox::Yes);
    EXPECT_EQ(shell.ShowMessage("MsgConfirmNewGame", "?", MsgStyle::kYesNo), kIdYes);
    language = 6;
    SSeenBox second;
    AnswerNextBox(second, QMessageBox::Yes);
    EXPECT_EQ(shell.ShowMessage("MsgConfirmNewGame", "?", MsgStyle::kYesNo), kIdYes);
    EXPECT_TRUE(std::ranges::count(first.buttons, QString::fromUtf8("&Ja")) == 1);
    EXPECT_TRUE(std::ranges::count(second.buttons, QString::fromUtf8("&Да")) == 1);
}

TEST(QtShell, TheDetailGoesBelowTheTextWithTheWarningIcon) {
    int language = 1;
    CQtShell shell(Hooks(&language));
    SSeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    EXPECT_EQ(shell.ShowMessage("FileError", "Le fichier n'a pas pu être lu.", MsgStyle::kOk,
                                {"ce n'est pas une partie sauvegardée\n/tmp/six.sdk", true}),
              kIdOk);
    EXPECT_EQ(seen.text, QString::fromUtf8("Le fichier n'a pas pu être lu."));
    EXPECT_EQ(seen.detail, QString::fromUtf8("ce n'est pas une partie sauvegardée\n/tmp/six.sdk"));
    EXPECT_TRUE(seen.warning);
    EXPECT_EQ(seen.buttons, std::vector<QString>{QStringLiteral("OK")});
    SSeenBox plain;
    AnswerNextBox(plain, QMessageBox::Ok);
    shell.ShowMessage("MsgCorrectSoFar", "?", MsgStyle::kOk);
    EXPECT_TRUE(plain.detail.isEmpty());
    EXPECT_FALSE(plain.warning);
}

TEST(QtShell, ABoxOfTheStartUpWaitsForTheWindow) {
    int language = 0;
    CQtShell shell(Hooks(&language));
    shell.ShowMessageWhenUp("DataFolderReadOnly", "/data cannot be written", {{}, true});
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no box before the window";

    QWidget window;
    window.resize(200, 100);
    window.show();
    shell.SetMainWindow(&window);
    SSeenBox seen;
    QElapsedTimer waited;
    waited.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen.text = box->text();
            seen.warning = box->icon() == QMessageBox::Warning;
            box->button(QMessageBox::Ok)->click();
        }
    });
    poll.start(10);
    while (seen.text.isEmpty() && waited.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_EQ(seen.text, QStringLiteral("/data cannot be written"));
    EXPECT_TRUE(seen.warning);
    // Shown once.
    seen.text.clear();
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_TRUE(seen.text.isEmpty());
}

// What the next file dialog showed; then it picks `choose` (a file) or is cancelled.
struct SSeenFileDialog {
    QString title;
    QString folder;
    QSize size;
    int nameColumn = 0;
};

void AnswerNextFileDialog(SSeenFileDialog& seen, const std::filesystem::path& choose) {
    QTimer::singleShot(0, [&seen, choose] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen.title = dialog->windowTitle();
        seen.folder = dialog->directory().absolutePath();
        seen.size = dialog->size();
        if (const auto* tree = dialog->findChild<QTreeView*>(QStringLiteral("treeView"))) {
            seen.nameColumn = tree->header()->sectionSize(0);
        }
        if (choose.empty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(QString::fromStdString(choose.string()));
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, as its button does
    });
}

TEST(QtShell, FileDialogsSpeakTheGamesLanguageAndStartWhereTheLastFileWas) {
    testsupport::TempDir dir;
    const auto saved = dir.Write("games/one.sdk", std::string(1811, '\0'));
    int language = 1;
    CQtShell shell(Hooks(&language));
    SSeenFileDialog first;
    AnswerNextFileDialog(first, saved);
    EXPECT_EQ(shell.AskOpenFile("Sudoku Files (*.sdk)", ".sdk"), saved);
    EXPECT_EQ(first.title, QStringLiteral("Ouvrir"));
    EXPECT_NE(first.folder, QString::fromStdString(saved.parent_path().string()));

    language = 3;
    SSeenFileDialog second;
    AnswerNextFileDialog(second, {});
    EXPECT_EQ(shell.AskSaveFile("Sudoku.sdk", "Sudoku Files (*.sdk)", ".sdk"), std::nullopt);
    EXPECT_EQ(second.title, QStringLiteral("Speichern unter"));
    EXPECT_EQ(second.folder, QString::fromStdString(saved.parent_path().string()));
}

TEST(QtShell, FileDialogsGrowWithTheWindowsScale) {
    int language = 0;
    std::vector<SSeenFileDialog> seen;
    // Twice at scale 3: Qt keeps the columns' widths in its settings, and they must not grow
    // from one opening to the next.
    for (const int scale : {1, 3, 3, 1}) {
        SShellAtScale at(&language, scale);
        seen.emplace_back();
        AnswerNextFileDialog(seen.back(), {});
        EXPECT_EQ(at.shell.AskOpenFile("Sudoku Files (*.sdk)", ".sdk"), std::nullopt);
    }
    // Larger, up to nine tenths of the (small, offscreen) screen, its list's columns too.
    EXPECT_GT(seen[1].size.width(), seen[0].size.width());
    EXPECT_GT(seen[1].size.height(), seen[0].size.height());
    ASSERT_GT(seen[0].nameColumn, 0);
    EXPECT_GT(seen[1].nameColumn, seen[0].nameColumn);
    EXPECT_LT(seen[1].nameColumn, seen[1].size.width());
    EXPECT_EQ(seen[2].nameColumn, seen[1].nameColumn);
    EXPECT_EQ(seen[3].nameColumn, seen[0].nameColumn);
}

TEST(QtShell, ASavedNameWithoutExtensionGetsTheGamesOne) {
    const struct {
        const char* chosen;
        const char* saved;
    } rows[] = {{"/tmp/game", "/tmp/game.sdk"},     {"/tmp/game.sdk", "/tmp/game.sdk"},
                {"/tmp/game.txt", "/tmp/game.txt"}, {"/tmp/a.b/game", "/tmp/a.b/game.sdk"},
                {"relative", "relative.sdk"},       {"/tmp/.hidden", "/tmp/.hidden.sdk"}};
    for (const auto& row : rows) {
        EXPECT_EQ(WithDefaultExtension(row.chosen, ".sdk"), std::filesystem::path(row.saved))
            << row.chosen;
    }
}

TEST(QtShell, CloseIsQueuedToTheMainWindow) {
    int language = 0;
    CQtShell shell(Hooks(&language));
    QWidget window;
    window.show();
    shell.SetMainWindow(&window);
    shell.CloseApplication();
    EXPECT_TRUE(window.isVisible()) << "the window closes only after the caller has returned";
    QApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
}

TEST(QtShellDeathTest, CloseWithoutAMainWindowEndsAtOnceWithStatus1) {
    int language = 0;
    CQtShell shell(Hooks(&language));
    EXPECT_EXIT(shell.CloseApplication(), ::testing::ExitedWithCode(1), "");
}

// Stands in for the desktop's browser: records the pages handed to it.
class CPageCatcher : public QObject {
    Q_OBJECT
public:
    std::vector<QString> pages;
public slots:
    void Open(const QUrl& url) { pages.push_back(url.toLocalFile()); }
};

TEST(QtShell, OnlyARegularFileGoesToTheBrowserAndARefusalSaysWhy) {
    testsupport::TempDir dir;
    const auto page = dir.Write("tutorial/Tutorial.html", std::string("<html></html>"));
    const auto fifo = dir / "TutorialF.html";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(dir / "TutorialG.html");

    CPageCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "Open");
    int language = 0;
    CQtShell shell(Hooks(&language));
    const std::pair<std::filesystem::path, fileio::Problem> refused[] = {
        {fifo, fileio::Problem::kNotAFile},
        {dir / "TutorialG.html", fileio::Problem::kNotAFile},
        {dir / "missing.html", fileio::Problem::kMissing}};
    for (const auto& [p, problem] : refused) {
        const SPageOpen open = shell.OpenPage(p, "tutorial");
        EXPECT_FALSE(open.opened) << p;
        EXPECT_EQ(open.problem, problem) << p;
    }
    EXPECT_TRUE(shell.OpenPage(page, "tutorial").opened);
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_EQ(catcher.pages, (std::vector<QString>{QString::fromStdString(page.string())}));
}

TEST(QtShell, APageNoBrowserTakesIsNotOpened) {
    testsupport::TempDir dir;
    const auto page = dir.Write("Tutorial.html", std::string("<html></html>"));
    // No desktop, no xdg-open and no $BROWSER: nothing to hand the page to.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray(dir.Path().c_str()));
    qunsetenv("BROWSER");
    qunsetenv("DEFAULT_BROWSER");
    qunsetenv("XDG_CURRENT_DESKTOP");
    qunsetenv("DESKTOP_SESSION");
    int language = 0;
    CQtShell shell(Hooks(&language));
    const SPageOpen open = shell.OpenPage(page, "tutorial");
    qputenv("PATH", path);
    EXPECT_FALSE(open.opened);
    EXPECT_EQ(open.problem, fileio::Problem::kNone);
}

TEST(QtTimers, TickUntilStoppedAndRestartFromTheirOwnTick) {
    CQtTimers timers;
    std::vector<int> seen;
    std::vector<int> observed;
    timers.SetTickObserver([&](int id) { observed.push_back(id); });
    int fast = 0;
    timers.StartTimer(1, 5, [&] {
        seen.push_back(1);
        if (++fast == 3) {
            timers.StopTimer(1);
            timers.StartTimer(10, 5, [&] {
                seen.push_back(10);
                timers.StartTimer(10, 5, [&] {
                    seen.push_back(11);
                    timers.StopTimer(10);
                });
            });
        }
    });
    QElapsedTimer clock;
    clock.start();
    while (seen.size() < 5 && clock.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    QApplication::processEvents();
    EXPECT_EQ(seen, (std::vector<int>{1, 1, 1, 10, 11}));
    EXPECT_EQ(observed, (std::vector<int>{1, 1, 1, 10, 10}));
}

}  // namespace

#include "QtSeamsTest.moc"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
