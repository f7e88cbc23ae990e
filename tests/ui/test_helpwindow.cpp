#include "engine/Services.h"
#include "session/Shared.h"
#include "support/CountingSounds.h"
#include "support/QtEnvironment.h"
#include "windows/common/HelpWindow.h"
#include "windows/frmAbout.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

char kProgramName[] = "test_ui";
[[maybe_unused]] const auto* const kQt = ::testing::AddGlobalTestEnvironment(new QtEnvironment(kProgramName));

template <typename T> T* child(QWidget& parent, const char* name)
{
    T* widget = parent.findChild<T*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

TEST(HelpWindowTest, FollowsTopicLinksAndGoesBackAndForward)
{
    Services services;
    HelpWindow help(services);
    EXPECT_EQ(help.objectName(), QStringLiteral("frmHelp"));
    auto* txtHelp = child<QTextBrowser>(help, "txtHelp");
    auto* cmdBack = child<QPushButton>(help, "cmdBack");
    auto* cmdForward = child<QPushButton>(help, "cmdForward");
    auto* cmdContents = child<QPushButton>(help, "cmdContents");
    ASSERT_TRUE(txtHelp && cmdBack && cmdForward && cmdContents);
    EXPECT_FALSE(txtHelp->openLinks());

    help.showContents();
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Tablora 6.0 Help"));
    EXPECT_TRUE(txtHelp->toPlainText().contains(QStringLiteral("Original Games")));
    EXPECT_FALSE(cmdBack->isEnabled());

    emit txtHelp->anchorClicked(QUrl(QStringLiteral("rules:31")));
    EXPECT_EQ(help.currentTopic(), QStringLiteral("rules:31"));
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Tablora 6.0 Help - Klondike"));
    EXPECT_TRUE(txtHelp->toPlainText().contains(QStringLiteral("Tableau: 7 piles")));

    // The rules page links back to the contents.
    emit txtHelp->anchorClicked(QUrl(QStringLiteral("contents:")));
    EXPECT_EQ(help.currentTopic(), QStringLiteral("contents:"));
    emit txtHelp->anchorClicked(QUrl(QStringLiteral("rules:51")));

    cmdBack->click();
    EXPECT_EQ(help.currentTopic(), QStringLiteral("contents:"));
    cmdBack->click();
    EXPECT_EQ(help.currentTopic(), QStringLiteral("rules:31"));
    EXPECT_TRUE(txtHelp->toPlainText().contains(QStringLiteral("Klondike")));
    cmdForward->click();
    cmdForward->click();
    EXPECT_EQ(help.currentTopic(), QStringLiteral("rules:51"));
    EXPECT_FALSE(cmdForward->isEnabled());
    cmdContents->click();
    EXPECT_EQ(help.currentTopic(), QStringLiteral("contents:"));
    EXPECT_FALSE(cmdForward->isEnabled()) << "a new topic drops the forward list";

    // Links to anything but the help's own topics are not followed.
    emit txtHelp->anchorClicked(QUrl(QStringLiteral("https://example.com/")));
    EXPECT_EQ(help.currentTopic(), QStringLiteral("contents:"));
}

TEST(HelpWindowTest, ShowRulesSwitchesTopicsAndCloseAllClosesIt)
{
    Services services;
    HelpWindow help(services);
    auto* txtHelp = child<QTextBrowser>(help, "txtHelp");
    ASSERT_NE(txtHelp, nullptr);

    help.showRules(51);
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Tablora 6.0 Help - Spiderette"));
    EXPECT_TRUE(txtHelp->toPlainText().contains(QStringLiteral("do not accept single cards")));

    help.showRules(30);
    EXPECT_EQ(help.currentTopic(), QStringLiteral("rules:30"));
    EXPECT_TRUE(txtHelp->toPlainText().contains(QStringLiteral("King Albert")));

    // No such game: the contents, not an error.
    help.showRules(0);
    EXPECT_EQ(help.currentTopic(), QStringLiteral("contents:"));
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Tablora 6.0 Help"));

    help.closeAll();
    EXPECT_FALSE(help.isVisible());
    help.showContents();
    EXPECT_TRUE(help.isVisible()) << "the window opens again after being closed";
}

// The program's help: no window until the player asks, then one window kept
// for every later request.
TEST(HelpWindowTest, TheProgramsHelpMakesItsWindowOnTheFirstRequest)
{
    const auto helpWindows = [] {
        std::vector<HelpWindow*> found;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* help = qobject_cast<HelpWindow*>(widget))
                found.push_back(help);
        return found;
    };
    Services services;
    {
        LazyHelpViewer help(services);
        help.closeAll();
        EXPECT_TRUE(helpWindows().empty()) << "made before anyone asked";

        help.showRules(51);
        const std::vector<HelpWindow*> made = helpWindows();
        ASSERT_EQ(made.size(), 1U);
        EXPECT_TRUE(made[0]->isVisible());
        EXPECT_EQ(made[0]->currentTopic(), QStringLiteral("rules:51"));

        help.closeAll();
        EXPECT_FALSE(made[0]->isVisible());
        help.showContents();
        EXPECT_EQ(helpWindows(), made) << "a second window";
        EXPECT_TRUE(made[0]->isVisible());
        EXPECT_EQ(made[0]->currentTopic(), QStringLiteral("contents:"));
    }
    EXPECT_TRUE(helpWindows().empty()) << "the window outlives the program's help";
}

// On a dark theme the help page keeps its light paper and dark text.
TEST(HelpWindowTest, ThePageStaysReadableOnADarkTheme)
{
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::Text, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    QApplication::setPalette(dark);
    Services services;
    HelpWindow help(services);
    const QPalette page = help.findChild<QTextBrowser*>(QStringLiteral("txtHelp"))->palette();
    EXPECT_GT(page.color(QPalette::Base).lightness(), 200);
    EXPECT_LT(page.color(QPalette::Text).lightness(), 60);
    QApplication::setPalette(before);
}

TEST(HelpWindowTest, CloseEscAndCtrlWCloseIt)
{
    Services services;
    HelpWindow help(services);
    auto* cmdClose = child<QPushButton>(help, "cmdClose");
    ASSERT_NE(cmdClose, nullptr);
    EXPECT_EQ(cmdClose->text(), QStringLiteral("Close"));

    help.showContents();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
    QTest::mouseClick(cmdClose, Qt::LeftButton);
    EXPECT_FALSE(help.isVisible()) << "Close";

    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {{Qt::Key_Escape, Qt::NoModifier},
                                                              {Qt::Key_W, Qt::ControlModifier}};
    for (const auto& [key, modifiers] : keys) {
        help.showRules(31);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
        // The keys work from the page, where the focus usually is.
        help.findChild<QTextBrowser*>(QStringLiteral("txtHelp"))->setFocus();
        QTest::keyClick(&help, key, modifiers);
        EXPECT_FALSE(help.isVisible()) << QKeySequence(key | modifiers).toString().toStdString();
    }
}

TEST(AboutWindowTest, ShowsTheProductRaisesItsSoundOnceAndClosesOnOK)
{
    CountingSounds sounds;
    Shared shared;
    shared.services.setSounds(&sounds);

    frmAbout about(shared);
    EXPECT_EQ(sounds.count(SoundEvent::About), 1);
    EXPECT_EQ(sounds.events.size(), 1u);
    EXPECT_TRUE(about.isModal());
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Tablora 6.0"));
    auto* lblName = child<QLabel>(about, "lblName");
    auto* cmdOK = child<QPushButton>(about, "cmdOK");
    ASSERT_TRUE(lblName && cmdOK);
    EXPECT_EQ(lblName->text(), QStringLiteral("Tablora 6.0"));
    EXPECT_EQ(cmdOK->text(), QStringLiteral("OK"));

    about.show();
    cmdOK->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
    EXPECT_EQ(sounds.count(SoundEvent::About), 1) << "closing plays nothing more";
}

} // namespace

#include "windows/common/QtPrompts.h"

namespace {

TEST(QtPromptsTest, FileFiltersBecomeQtNameFilters)
{
    EXPECT_EQ(QtPrompts::qtFilter(
                  QStringLiteral("Tablora 6.0 InComplete Game (*.tb0)|*.tb0|Tablora 6.0 Finished Game (*.tb1)|*.tb1")),
              QStringLiteral("Tablora 6.0 InComplete Game (*.tb0);;Tablora 6.0 Finished Game (*.tb1)"));
    EXPECT_EQ(QtPrompts::qtFilter(QStringLiteral(" Game History|*.txt")), QStringLiteral("Game History (*.txt)"));
}

} // namespace
