// The Qt seams: message boxes in the game's language and at the window's scale, file names,
// pages for the browser, closing, and the timers.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFont>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
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
    std::vector<QString> buttons;
    bool information = false;
    QSize size;
    QSize icon;
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
        QWidget window;
        QFont font(QStringLiteral("WenQuanYi Micro Hei"));
        font.setPixelSize(13 * scale);
        window.setFont(font);
        CQtShell::SHooks hooks = Hooks(&language);
        hooks.scale = [scale] { return scale; };
        CQtShell shell(hooks);
        shell.SetMainWindow(&window);
        AnswerNextBox(seen[scale], QMessageBox::Ok);
        EXPECT_EQ(shell.ShowMessage("MsgSolvedStartNew", text, MsgStyle::kInfo), kIdOk);
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

TEST(QtShell, OnlyARegularFileGoesToTheBrowser) {
    testsupport::TempDir dir;
    const auto page = dir.Write("tutorial/Tutorial.html", std::string("<html></html>"));
    const auto fifo = dir / "TutorialF.html";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(dir / "TutorialG.html");

    CPageCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "Open");
    int language = 0;
    CQtShell shell(Hooks(&language));
    for (const auto& p : {fifo, dir / "TutorialG.html", dir / "missing.html", page}) {
        shell.OpenPage(p, "tutorial");
    }
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_EQ(catcher.pages, (std::vector<QString>{QString::fromStdString(page.string())}));
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
