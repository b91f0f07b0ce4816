// The dialogs as widgets: every template in every language, screen and scale laid out with
// nothing cut off and nothing overlapping, the about box centred; and the whole game on Qt's
// message boxes and dialog widgets choosing, showing and leaving every language.
#include <QAbstractButton>
#include <QApplication>
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
    // but the group box around it, at its template's top and at or right of its template's left
    // edge; the about box's controls are centred by halves truncated each.
    void ExpectLaidOut(IDialog& dialog, const std::string& what) {
        const SLayoutCase& c = GetParam();
        CDialogWidget widget(dialog, c.scale);
        widget.Render(c.screen);
        const int s = c.scale;
        const QRect body(0, 0, c.screen.width * s, (c.screen.height - kCommandBarHeight) * s);
        EXPECT_EQ(widget.Body()->geometry().top(), kCommandBarHeight * s) << what;
        EXPECT_EQ(widget.Body()->size(), body.size()) << what;
        EXPECT_EQ(widget.font().pixelSize(), 11 * s);
        EXPECT_EQ(widget.font().family(), QStringLiteral("WenQuanYi Micro Hei"));

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
            if (shown[i]->kind == res::ControlKind::kPicture) {
                EXPECT_EQ(r.size(), QSize(176 * s, 52 * s)) << "the picture at its own size";
            }
            if (centred) {
                EXPECT_EQ(r.left(), body.width() / 2 - r.width() / 2) << name;
            } else {
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

// --- The whole game on Qt's boxes and dialog widgets ---

class QtApp : public ::testing::Test {
public:
    void SetUp() override {
        shell = std::make_unique<CQtShell>(
            CQtShell::SHooks{[this] { return root->Options().GetLanguage(); },
                             [](IDialog& dialog) { return CDialogWidget(dialog, 1).Run(kDevice); },
                             [] { return 1; }});
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
        const int before = root->Options().GetLanguage();
        WhenModal([&](QWidget& modal) {
            CDialogWidget& widget = AsDialog(modal);
            for (int i = 0; i < res::kLanguageCount; ++i) {
                const auto* radio = widget.Control(res::kLanguageRadio + i);
                EXPECT_EQ(qobject_cast<const QRadioButton*>(radio)->isChecked(), i == before);
            }
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
    // A screen as large as a 3840 x 2160 desktop, where the menus at scale 7 stand in one
    // column as they do for the player.
    setenv("QT_QPA_PLATFORM", "offscreen:configfile=" SUDOKU_TEST_DATA "/offscreen-3840x2160.json",
           1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
