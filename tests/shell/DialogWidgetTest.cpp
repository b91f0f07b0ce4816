// The dialogs as widgets: every template in every language, screen and scale laid out with
// nothing cut off and nothing overlapping; the about box centred; the Language and statistics
// dialogs driven through their widgets; and the whole game on Qt's message boxes and dialog
// widgets choosing, showing and leaving every language.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

#include "engine/Options.h"
#include "game/Statistics.h"
#include "game/Texts.h"
#include "platform/DataManager.h"
#include "platform/qt/QtShell.h"
#include "res/Dialogs.h"
#include "res/Strings.h"
#include "shell/DialogWidget.h"
#include "tests/support/FakeServices.h"
#include "tests/support/TempDir.h"
#include "tests/ui/AppFixture.h"
#include "ui/AboutDlg.h"
#include "ui/LanguageDlg.h"
#include "ui/StatsDlg.h"

using testsupport::AppTest;

namespace {

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The controls of a dialog widget, in template order (the hidden ones are not made).
std::vector<QWidget*> Controls(const CDialogWidget& widget) {
    const QList<QWidget*> children =
        widget.Body()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    return {children.begin(), children.end()};
}

// The template's controls that are shown, in order.
std::vector<const res::SDialogControl*> Shown(int templateId) {
    std::vector<const res::SDialogControl*> shown;
    for (const res::SDialogControl& c : res::FindDialog(templateId)->controls) {
        if ((c.flags & res::kHidden) == 0U) {
            shown.push_back(&c);
        }
    }
    return shown;
}

// --- Layout ---

struct SLayoutCase {
    SScreenSize screen;
    int scale;
};

class DialogLayout : public AppTest, public ::testing::WithParamInterface<SLayoutCase> {
public:
    // Every control inside the body, as large as its contents ask, clear of every other control
    // but the group box around it, and at its template's top and at or right of its template's
    // left edge (the about box's controls are centred instead).
    void ExpectLaidOut(IDialog& dialog, const std::string& what) {
        const SLayoutCase& c = GetParam();
        CDialogWidget widget(dialog, c.scale);
        widget.Render(c.screen);
        const int s = c.scale;
        const QRect body(0, 0, c.screen.width * s, (c.screen.height - kCommandBarHeight) * s);
        EXPECT_EQ(widget.Body()->geometry().top(), kCommandBarHeight * s) << what;
        EXPECT_EQ(widget.Body()->size(), body.size()) << what;

        const std::vector<QWidget*> controls = Controls(widget);
        const auto shown = Shown(dialog.TemplateId());
        ASSERT_EQ(controls.size(), shown.size()) << what;
        const bool centred = dialog.TemplateId() >= res::kAboutDialog;
        for (size_t i = 0; i < controls.size(); ++i) {
            const QRect r = controls[i]->geometry();
            const std::string name = what + " control " + std::to_string(i);
            EXPECT_TRUE(body.contains(r)) << name;
            if (qobject_cast<QGroupBox*>(controls[i]) == nullptr) {
                EXPECT_GE(r.width(), controls[i]->sizeHint().width()) << name;
                EXPECT_GE(r.height(), controls[i]->sizeHint().height()) << name;
            }
            EXPECT_EQ(r.top(), shown[i]->y * 13 / 8 * s) << name;
            if (!centred) {
                EXPECT_GE(r.left(), shown[i]->x * 6 / 4 * s) << name;
            }
            for (size_t j = 0; j < i; ++j) {
                const QRect other = controls[j]->geometry();
                if (qobject_cast<QGroupBox*>(controls[j]) != nullptr) {
                    // What the template puts inside the group box stays inside it.
                    const QRect box(shown[j]->x, shown[j]->y, shown[j]->width, shown[j]->height);
                    const QRect inner(shown[i]->x, shown[i]->y, shown[i]->width, shown[i]->height);
                    EXPECT_EQ(other.contains(r), box.contains(inner)) << name;
                    continue;
                }
                EXPECT_FALSE(other.intersects(r)) << name << " and " << j;
            }
        }
    }
};

TEST_P(DialogLayout, NothingCutOffNothingOverlapsInEveryLanguage) {
    StartPastSplash(GetParam().screen);
    // Long figures in every field.
    RecordSolvedGame(Options(), level::kHard, 3600000 + 3599);
    for (int language = 0; language < res::kLanguageCount; ++language) {
        const std::string in = " in language " + std::to_string(language);
        Options().SetLanguage(language);
        CStatsDlg stats(Options(), root->Data());
        stats.OnInitDialog();
        ASSERT_EQ(stats.Figures()[1], "1000:59:59");
        ExpectLaidOut(stats, "statistics" + in);
        // The longest level name shown.
        stats.OnSelect(res::kStatsLevelList, 6);
        ExpectLaidOut(stats, "statistics (Custom)" + in);
        CAboutDlg about(language);
        ExpectLaidOut(about, "about" + in);
    }
    CLanguageDlg language(6, Frame());
    language.OnInitDialog();
    ExpectLaidOut(language, "language");
}

INSTANTIATE_TEST_SUITE_P(ScreensAndScales, DialogLayout,
                         ::testing::Values(SLayoutCase{kScreen480x272, 1},
                                           SLayoutCase{kScreen320x240, 1},
                                           SLayoutCase{kScreen480x272, 2},
                                           SLayoutCase{kScreen320x240, 3}),
                         [](const auto& row) {
                             return std::to_string(row.param.screen.width) + "x" +
                                    std::to_string(row.param.screen.height) + "Scale" +
                                    std::to_string(row.param.scale);
                         });

TEST(DialogWidget, LongLabelsGrowAndTheirColumnMovesWithThem) {
    // German: "Durchschnittliche Zeit:" is wider than its 54 units; the value fields and the
    // Reset button below them move right together, and the group box widens around them.
    COptions options;
    options.SetLanguage(3);
    ScriptedShell shell;
    testsupport::TempDir folder;
    DataManager data(folder.Path(), folder.Path(), shell);
    CStatsDlg stats(options, data);
    stats.OnInitDialog();
    CDialogWidget widget(stats, 1);
    widget.Render(kScreen480x272);
    const int column = widget.Control(res::kStatsSolved)->x();
    EXPECT_GT(column, 94 * 6 / 4);
    for (const int id :
         {res::kStatsTotalTime, res::kStatsBestTime, res::kStatsAverageTime, res::kStatsReset}) {
        EXPECT_EQ(widget.Control(id)->x(), column) << id;
    }
    // English fits its template: nothing moves.
    options.SetLanguage(0);
    CStatsDlg english(options, data);
    english.OnInitDialog();
    CDialogWidget plain(english, 1);
    plain.Render(kScreen480x272);
    EXPECT_EQ(plain.Control(res::kStatsSolved)->x(), 94 * 6 / 4);
    EXPECT_EQ(plain.Control(res::kStatsReset)->x(), 94 * 6 / 4);
    EXPECT_EQ(plain.Control(res::kStatsLevelList)->x(), 49 * 6 / 4);
}

TEST(DialogWidget, TheAboutBoxCentresItsControlsInTheWholeWidth) {
    for (const int scale : {1, 2}) {
        for (const SScreenSize screen : {kScreen480x272, kScreen320x240}) {
            for (int language = 0; language < res::kLanguageCount; ++language) {
                CAboutDlg about(language);
                CDialogWidget widget(about, scale);
                widget.Render(screen);
                const int clientWidth = screen.width * scale;
                ASSERT_EQ(widget.width(), clientWidth);
                for (const int id : {139, 202, 203, 204, 205, 206, 207}) {
                    const QWidget* control = widget.Control(id);
                    ASSERT_NE(control, nullptr) << id;
                    EXPECT_EQ(control->x(), clientWidth / 2 - control->width() / 2)
                        << language << " " << id;
                }
                // The picture at its own size, 176 x 52 pixels.
                EXPECT_EQ(widget.Control(139)->size(), QSize(176 * scale, 52 * scale));
                const auto* version = qobject_cast<QLabel*>(widget.Control(207));
                ASSERT_NE(version, nullptr);
                if (language != 6) {
                    EXPECT_EQ(version->text(), QStringLiteral("Version 1.1"));
                }
            }
        }
    }
}

TEST(DialogWidget, FollowsTheScale) {
    CAboutDlg about(0);
    CDialogWidget one(about, 1);
    one.Render(kScreen480x272);
    CDialogWidget three(about, 3);
    three.Render(kScreen480x272);
    EXPECT_EQ(three.font().pixelSize(), 3 * one.font().pixelSize());
    EXPECT_EQ(three.Body()->y(), 3 * one.Body()->y());
    EXPECT_EQ(three.Control(205)->y(), 3 * one.Control(205)->y());
    EXPECT_EQ(three.font().family(), QStringLiteral("WenQuanYi Micro Hei"));
}

// --- Driven through the widgets ---

// Runs `act` on the modal widget that is open once the event loop runs.
void WhenModal(const std::function<void(QWidget&)>& act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        act(*modal);
    });
}

CDialogWidget& AsDialog(QWidget& modal) {
    auto* dialog = dynamic_cast<CDialogWidget*>(&modal);
    EXPECT_NE(dialog, nullptr);
    return *dialog;
}

void Click(CDialogWidget& dialog, int controlId) {
    auto* button = qobject_cast<QAbstractButton*>(dialog.Control(controlId));
    ASSERT_NE(button, nullptr) << controlId;
    button->click();
}

void PressEscape(QWidget& widget) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
}

const QRect kDevice(0, 0, 480, 272);

TEST_F(AppTest, TheLanguageDialogsRadioButtonsAndOk) {
    StartPastSplash();
    CLanguageDlg dialog(4, Frame());
    std::vector<bool> checked;
    WhenModal([&](QWidget& modal) {
        CDialogWidget& widget = AsDialog(modal);
        for (int i = 0; i < res::kLanguageCount; ++i) {
            checked.push_back(
                qobject_cast<QRadioButton*>(widget.Control(res::kLanguageRadio + i))->isChecked());
        }
        Click(widget, res::kLanguageRadio + 2);
        widget.OkButton()->click();
    });
    CDialogWidget widget(dialog, 1);
    EXPECT_EQ(widget.Run(kDevice), kIdOk);
    EXPECT_EQ(checked, (std::vector<bool>{false, false, false, false, true, false, false}));
    EXPECT_EQ(dialog.Selected(), 2);
    EXPECT_TRUE(qobject_cast<QRadioButton*>(widget.Control(res::kLanguageRadio + 2))->isChecked());
    EXPECT_FALSE(Frame().IsLanguageDlgOpen());
}

TEST_F(AppTest, EscapeEndsADialogWithCancel) {
    StartPastSplash();
    CLanguageDlg dialog(9, Frame());
    bool noneChecked = true;
    WhenModal([&](QWidget& modal) {
        CDialogWidget& widget = AsDialog(modal);
        for (int i = 0; i < res::kLanguageCount; ++i) {
            noneChecked =
                noneChecked &&
                !qobject_cast<QRadioButton*>(widget.Control(res::kLanguageRadio + i))->isChecked();
        }
        Click(widget, res::kLanguageRadio + 1);
        PressEscape(modal);
    });
    CDialogWidget widget(dialog, 2);
    EXPECT_EQ(widget.Run(QRect(0, 0, 960, 544)), kIdCancel);
    EXPECT_TRUE(noneChecked) << "a language outside 0..6 checks no button";
    EXPECT_TRUE(Frame().IsLanguageDlgOpen());
}

TEST_F(AppTest, TheStatisticsListFiguresAndResetThroughTheWidgets) {
    StartPastSplash();
    Options().SetLanguage(6);
    RecordSolvedGame(Options(), level::kEasy, 100);
    RecordSolvedGame(Options(), level::kBeginner, 3725);
    CStatsDlg dialog(Options(), root->Data());
    QStringList entries;
    std::vector<QString> figures;
    const auto readFigures = [&figures](CDialogWidget& widget) {
        for (int id = res::kStatsSolved; id <= res::kStatsAverageTime; ++id) {
            figures.push_back(qobject_cast<QLabel*>(widget.Control(id))->text());
        }
    };
    WhenModal([&](QWidget& modal) {
        CDialogWidget& widget = AsDialog(modal);
        auto* list = qobject_cast<QComboBox*>(widget.Control(res::kStatsLevelList));
        for (int i = 0; i < list->count(); ++i) {
            entries.push_back(list->itemText(i));
        }
        EXPECT_EQ(list->currentIndex(), 0);
        readFigures(widget);
        list->setCurrentIndex(2);  // Easy
        readFigures(widget);
        shell.QueueAnswer(ScriptedShell::Answer::kNo);
        Click(widget, res::kStatsReset);
        readFigures(widget);
        shell.QueueAnswer(ScriptedShell::Answer::kYes);
        Click(widget, res::kStatsReset);
        readFigures(widget);
        widget.OkButton()->click();
    });
    CDialogWidget widget(dialog, 1);
    EXPECT_EQ(widget.Run(kDevice), kIdOk);
    EXPECT_EQ(entries,
              Utf8("Все;Новичок;Любитель;Мастер;Профессионал;Эксперт;Своя игра").split(';'));
    const std::vector<QString> expected = {
        "2", "1:03:45", "0:01:40", "0:31:52",  // All
        "1", "0:01:40", "0:01:40", "0:01:40",  // Easy
        "1", "0:01:40", "0:01:40", "0:01:40",  // No to the question
        "0", "0:00:00", "0:00:00", "0:00:00",  // Yes
    };
    EXPECT_EQ(figures, expected);
    EXPECT_EQ(GetLevelStats(Options(), 1).solved, 1);
    EXPECT_EQ(Logged("message MsgConfirmResetStats yesno"), 2);
}

// --- The whole game on Qt's boxes and dialog widgets ---

class QtApp : public ::testing::Test {
public:
    void SetUp() override {
        shell = std::make_unique<CQtShell>(CQtShell::SHooks{
            [this] { return root->Options().GetLanguage(); },
            [](IDialog& dialog) { return CDialogWidget(dialog, 1).Run(kDevice); }});
        root = std::make_unique<CGameRoot>(
            CGameRoot::SSettings{SUDOKU_PROGRAM_DIR, data.Path(), kScreen480x272, 5}, *shell);
        app = std::make_unique<CSudokuApp>(
            *root, CSudokuApp::SServices{*shell, timers, sound, foreground, window, canvases});
        ASSERT_TRUE(app->InitInstance());
        timers.Advance(3000);
    }
    void TearDown() override {
        app->Shutdown();
        app.reset();
        root.reset();
    }
    void Command(CommandId id) { app->OnCommand(static_cast<int>(id)); }

    testsupport::TempDir data;
    testsupport::FakeTimers timers;
    testsupport::FakeSound sound;
    testsupport::FakeForeground foreground;
    testsupport::FakeWindow window;
    CImageCanvasFactory canvases;
    std::unique_ptr<CQtShell> shell;
    std::unique_ptr<CGameRoot> root;
    std::unique_ptr<CSudokuApp> app;
};

TEST_F(QtApp, EveryLanguageIsChosenShownAndLeftThroughTheWidgets) {
    ASSERT_EQ(root->Options().GetLanguage(), 6);  // the first start
    for (const int language : {0, 1, 2, 3, 4, 5, 6, 0}) {
        const std::string in = "language " + std::to_string(language);
        WhenModal([&](QWidget& modal) {
            CDialogWidget& widget = AsDialog(modal);
            Click(widget, res::kLanguageRadio + language);
            widget.OkButton()->click();
        });
        Command(CommandId::kLanguage);
        EXPECT_EQ(root->Options().GetLanguage(), language) << in;
        EXPECT_EQ(app->Frame().BarLanguage(), language) << in;

        // The statistics in the new language; its Reset asks in it, over the dialog, with Qt's
        // buttons in it too; No, then Escape.
        QString caption;
        QString question;
        QString questionOwner;
        int buttons = 0;
        WhenModal([&](QWidget& modal) {
            CDialogWidget& widget = AsDialog(modal);
            caption = widget.Caption()->text();
            WhenModal([&](QWidget& box) {
                auto* message = qobject_cast<QMessageBox*>(&box);
                ASSERT_NE(message, nullptr);
                question = message->text();
                questionOwner = message->parentWidget() == &widget ? "dialog" : "other";
                buttons = static_cast<int>(message->buttons().size());
                message->button(QMessageBox::No)->click();
            });
            Click(widget, res::kStatsReset);
            PressEscape(modal);
        });
        Command(CommandId::kStatistics);
        EXPECT_EQ(caption, Utf8(res::FindDialog(500 + language)->caption)) << in;
        EXPECT_EQ(question,
                  Utf8(res::MessageText(language, static_cast<int>(MessageId::kConfirmResetStats))))
            << in;
        EXPECT_EQ(questionOwner, "dialog");
        EXPECT_EQ(buttons, 2);

        WhenModal([&](QWidget& modal) {
            caption = AsDialog(modal).Caption()->text();
            AsDialog(modal).OkButton()->click();
        });
        Command(CommandId::kAbout);
        EXPECT_EQ(caption, Utf8(res::FindDialog(600 + language)->caption)) << in;
    }
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
