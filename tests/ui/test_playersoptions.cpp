#include "scores/Players.h"
#include "session/Shared.h"
#include "support/CountingSounds.h"
#include "support/FakePrompts.h"
#include "support/FakeSessionHost.h"
#include "support/TempHome.h"
#include "windows/frmOptions.h"
#include "windows/frmPlayers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>
#include <ostream>

// Readable texts in failure messages.
static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

template <typename T> T* child(QWidget& parent, const char* name)
{
    T* widget = parent.findChild<T*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void press(QWidget& window, const char* button)
{
    auto* widget = child<QPushButton>(window, button);
    ASSERT_TRUE(widget);
    ASSERT_TRUE(widget->isEnabled()) << button;
    QTest::mouseClick(widget, Qt::LeftButton);
}

class PlayersWindowTest : public ::testing::Test {
protected:
    PlayersWindowTest()
    {
        shared.services.setPrompts(&prompts);
        shared.services.setSounds(&sounds);
    }
    void addPlayers(int count)
    {
        for (int i = 1; i <= count; ++i)
            players.AddPlayer(QStringLiteral("P%1").arg(i));
        players.SetCurrentPlayer(QStringLiteral("P1"));
    }
    static QStringList rows(const QListWidget& list)
    {
        QStringList names;
        for (int i = 0; i < list.count(); ++i)
            names << list.item(i)->text();
        return names;
    }
    void chooseRow(QListWidget& list, int row)
    {
        list.setCurrentRow(row);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
    }

    TempHome home;
    Shared shared;
    FakePrompts prompts;
    CountingSounds sounds;
    Players players{shared.services.settings()};
};

TEST_F(PlayersWindowTest, OpensOnTheCurrentPlayerWhoCannotBeDeleted)
{
    addPlayers(3);
    players.SetCurrentPlayer(QStringLiteral("P2"));
    frmPlayers window(shared);
    window.show();
    auto* lstPlayers = child<QListWidget>(window, "lstPlayers");
    auto* cmdDelete = child<QPushButton>(window, "cmdDelete");
    ASSERT_TRUE(lstPlayers && cmdDelete);
    EXPECT_EQ(sounds.count(SoundEvent::Players), 1);
    EXPECT_EQ(rows(*lstPlayers), (QStringList{"P1", "P2", "P3"}));
    EXPECT_EQ(lstPlayers->currentRow(), 1);
    EXPECT_FALSE(cmdDelete->isEnabled());

    chooseRow(*lstPlayers, 2);
    EXPECT_TRUE(cmdDelete->isEnabled());
    chooseRow(*lstPlayers, 1);
    EXPECT_FALSE(cmdDelete->isEnabled()) << "the current player cannot be deleted";

    chooseRow(*lstPlayers, 0);
    press(window, "cmdSelect");
    EXPECT_EQ(players.CurrentPlayer(), QStringLiteral("P1"));
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(PlayersWindowTest, SelectingAnotherPlayerEndsTheGameInProgressFirst)
{
    addPlayers(2);
    FakeSessionHost host;
    shared.gamePlay.setHost(&host);
    shared.gamePlay.setScoreRecorder(&host);
    shared.gamePlay.setArchive(&host);
    QStringList recordedFor;
    host.onAddScore = [&] { recordedFor << players.CurrentPlayer(); };
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(5));

    {
        // The same player again: the game goes on.
        frmPlayers window(shared);
        window.show();
        chooseRow(*child<QListWidget>(window, "lstPlayers"), 0);
        press(window, "cmdSelect");
        EXPECT_EQ(shared.gamePlay.Game_Status(), cGamePlay::kInProgress);
        EXPECT_TRUE(recordedFor.isEmpty());
    }
    frmPlayers window(shared);
    window.show();
    chooseRow(*child<QListWidget>(window, "lstPlayers"), 1);
    press(window, "cmdSelect");
    EXPECT_EQ(players.CurrentPlayer(), QStringLiteral("P2"));
    EXPECT_EQ(shared.gamePlay.Game_Status(), cGamePlay::kNoGame) << "the game ended";
    EXPECT_EQ(recordedFor, QStringList{QStringLiteral("P1")}) << "credited to the player who played it";
    shared.gamePlay.setHost(nullptr);
    shared.gamePlay.setScoreRecorder(nullptr);
    shared.gamePlay.setArchive(nullptr);
}

TEST_F(PlayersWindowTest, TwentyPlayersRefuseATwentyFirst)
{
    addPlayers(20);
    frmPlayers window(shared);
    prompts.inputs.push_back(QStringLiteral("P21"));
    press(window, "cmdNew");
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Maximum 20 Players Only!")});
    EXPECT_EQ(prompts.inputs.size(), 1u) << "no name was asked for";
    EXPECT_EQ(players.PlayerCount(), 20);
}

TEST_F(PlayersWindowTest, DeletingPlayerThreeOfFiveClosesTheGap)
{
    addPlayers(5);
    QFile scores(Players::ScoreFile(shared.data, QStringLiteral("P3")));
    ASSERT_TRUE(scores.open(QIODevice::WriteOnly));
    scores.close();
    frmPlayers window(shared);
    window.show();
    auto* lstPlayers = child<QListWidget>(window, "lstPlayers");
    ASSERT_TRUE(lstPlayers);

    chooseRow(*lstPlayers, 2);
    press(window, "cmdDelete"); // answered No
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Are you sure you want to delete this player")});
    EXPECT_EQ(players.PlayerCount(), 5);

    chooseRow(*lstPlayers, 2);
    prompts.answers.push_back(Prompts::Answer::Yes);
    press(window, "cmdDelete");
    EXPECT_EQ(rows(*lstPlayers), (QStringList{"P1", "P2", "P4", "P5"}));
    EXPECT_EQ(players.PlayerName(3), QStringLiteral("P4"));
    EXPECT_EQ(players.PlayerName(4), QStringLiteral("P5"));
    EXPECT_EQ(players.PlayerName(5), QString());
    EXPECT_FALSE(QFile::exists(scores.fileName()));
    EXPECT_FALSE(child<QPushButton>(window, "cmdDelete")->isEnabled());
}

TEST_F(PlayersWindowTest, TheNameDialogRefusesBadNamesAndStaysOpen)
{
    addPlayers(2);
    frmPlayers window(shared);
    prompts.inputs = {QString(), QStringLiteral("P2"), QStringLiteral("..\\scores"), QStringLiteral(" Cy ")};
    press(window, "cmdNew");
    EXPECT_EQ(prompts.messages,
              (QStringList{QStringLiteral("Please Enter a Valid Name"), QStringLiteral("Player Exists !"),
                           QStringLiteral("Name should not contain these characters : /\\:*?\"<>|")}));
    EXPECT_EQ(players.PlayerName(3), QStringLiteral(" Cy ")) << "blanks kept as typed";
    EXPECT_EQ(rows(*child<QListWidget>(window, "lstPlayers")).size(), 3);

    prompts.messages.clear();
    prompts.inputs = {QStringLiteral("p1")};
    press(window, "cmdNew");
    EXPECT_TRUE(prompts.messages.isEmpty()) << "letter case makes a different player";
    EXPECT_EQ(players.PlayerCount(), 4);

    prompts.inputs = {QStringLiteral("x/y")}; // then cancelled
    press(window, "cmdNew");
    EXPECT_EQ(players.PlayerCount(), 4);
}

TEST_F(PlayersWindowTest, EditingRenamesTheScoreFileAndTheCurrentPlayer)
{
    addPlayers(3);
    QFile scores(Players::ScoreFile(shared.data, QStringLiteral("P1")));
    ASSERT_TRUE(scores.open(QIODevice::WriteOnly));
    scores.write("history");
    scores.close();
    frmPlayers window(shared);
    window.show();
    auto* lstPlayers = child<QListWidget>(window, "lstPlayers");
    ASSERT_TRUE(lstPlayers);

    // Unchanged, then onto another player's name, then a new one.
    prompts.inputs = {QStringLiteral("P1"), QStringLiteral("P3"), QStringLiteral("Ann")};
    press(window, "cmdEdit");
    EXPECT_EQ(prompts.messages, (QStringList{QStringLiteral("Player Exists !"), QStringLiteral("Player Exists !")}));
    EXPECT_EQ(rows(*lstPlayers), (QStringList{"Ann", "P2", "P3"}));
    EXPECT_EQ(players.CurrentPlayer(), QStringLiteral("Ann"));
    EXPECT_FALSE(QFile::exists(scores.fileName()));
    QFile moved(Players::ScoreFile(shared.data, QStringLiteral("Ann")));
    ASSERT_TRUE(moved.open(QIODevice::ReadOnly));
    EXPECT_EQ(moved.readAll(), QByteArray("history"));
}

TEST_F(PlayersWindowTest, RenamingOntoScoresKeptUnderTheNameOrADottedNameIsRefused)
{
    addPlayers(2);
    for (const char* name : {"P1", "Old"}) {
        QFile scores(Players::ScoreFile(shared.data, QLatin1String(name)));
        ASSERT_TRUE(scores.open(QIODevice::WriteOnly));
        scores.write(name);
    }
    frmPlayers window(shared);
    prompts.inputs = {QStringLiteral(".hidden"), QStringLiteral("Old"), QStringLiteral("New")};
    press(window, "cmdEdit");
    EXPECT_EQ(
        prompts.messages,
        (QStringList{QStringLiteral("Name should not begin with a dot (.)"),
                     QStringLiteral("Scores are kept under the name \"Old\" already. Please choose another name.")}));
    EXPECT_EQ(rows(*child<QListWidget>(window, "lstPlayers")), (QStringList{"New", "P2"}));
    QFile old(Players::ScoreFile(shared.data, QStringLiteral("Old")));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("Old")) << "the records under the name stay theirs";
    QFile moved(Players::ScoreFile(shared.data, QStringLiteral("New")));
    ASSERT_TRUE(moved.open(QIODevice::ReadOnly));
    EXPECT_EQ(moved.readAll(), QByteArray("P1"));
}

// ---------------------------------------------------------------------------

class OptionsTest : public ::testing::Test {
protected:
    OptionsTest()
    {
        shared.services.setPrompts(&prompts);
        shared.services.setSounds(&sounds);
    }

    TempHome home;
    Shared shared;
    FakePrompts prompts;
    CountingSounds sounds;
    int rebuilt = 0;
};

TEST_F(OptionsTest, OpensWithTheDefaults)
{
    frmOptions options(shared, [this] { ++rebuilt; });
    EXPECT_EQ(options.windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(sounds.count(SoundEvent::Options), 1);
    auto* tabs = child<QTabWidget>(options, "tabOptions");
    ASSERT_TRUE(tabs);
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("General"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Random "));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("AutoSave"));
    EXPECT_EQ(tabs->tabText(3), QStringLiteral("Recent List"));

    struct Box {
        const char* name;
        const char* caption;
        bool checked;
    };
    for (const Box& box :
         {Box{"chkTime", "Show Game Time ", true}, Box{"chkScore", "Show Game Score", true},
          Box{"chkMoves", "Show Game Moves", true}, Box{"chkCardsLeft", "Show Cards Left", true},
          Box{"chkGameSave", "Save unfinished game and restart it on next session", false},
          Box{"chkInc", "Enable Incomplete AutoSave", true}, Box{"chkFin", "Enable Finished AutoSave", true},
          Box{"chkWinnable", "Deal only winnable games", false}}) {
        auto* check = child<QCheckBox>(options, box.name);
        ASSERT_TRUE(check);
        EXPECT_EQ(check->text(), QLatin1String(box.caption)) << box.name;
        EXPECT_EQ(check->isChecked(), box.checked) << box.name;
    }

    auto* imcRange = child<QComboBox>(options, "imcRange");
    ASSERT_TRUE(imcRange);
    ASSERT_EQ(imcRange->count(), 15);
    EXPECT_EQ(imcRange->itemText(0), QStringLiteral("9"));
    EXPECT_EQ(imcRange->itemText(3), QStringLiteral("9,999"));
    EXPECT_EQ(imcRange->itemText(14), QStringLiteral("999,999,999,999,999"));
    EXPECT_EQ(imcRange->currentText(), QStringLiteral("999,999"));
    for (const char* button : {"cmdrSave", "cmdrOpen", "cmdrPlay"})
        EXPECT_FALSE(child<QPushButton>(options, button)->isEnabled()) << button << ": the lists are empty";
}

TEST_F(OptionsTest, ChangesAreStoredAtOnce)
{
    frmOptions options(shared, nullptr);
    child<QCheckBox>(options, "chkGameSave")->click();
    child<QCheckBox>(options, "chkTime")->click();
    child<QCheckBox>(options, "chkFin")->click();
    child<QCheckBox>(options, "chkWinnable")->click();
    EXPECT_EQ(shared.services.settings().read(settings::kGameSave), 1);
    EXPECT_EQ(shared.services.settings().read(settings::kWinnableDeals), 1);
    EXPECT_EQ(shared.services.settings().read(settings::kShowTime), 0);
    EXPECT_EQ(shared.services.settings().read(settings::kEnableFin), 0);
    EXPECT_EQ(shared.services.settings().read(settings::kShowScore), 1);

    child<QComboBox>(options, "imcRange")->setCurrentIndex(0);
    EXPECT_EQ(shared.services.settings().read(settings::kRangeIndex), 1);
    for (int i = 0; i < 200; ++i) {
        const double n = shared.gamePlay.RandomGameNo().toNumber();
        ASSERT_TRUE(n >= 1 && n <= 9) << n;
    }
}

TEST_F(OptionsTest, ClearingARecentListAsksFirstAndDisablesOnlyItsButton)
{
    shared.func.AddtoMRU(cFunc::kSavedList, QStringLiteral("/tmp/a.tb0"));
    shared.func.AddtoMRU(cFunc::kOpenedList, QStringLiteral("/tmp/b.tb0"));
    frmOptions options(shared, [this] { ++rebuilt; });
    auto* cmdrSave = child<QPushButton>(options, "cmdrSave");
    auto* cmdrOpen = child<QPushButton>(options, "cmdrOpen");
    auto* cmdrPlay = child<QPushButton>(options, "cmdrPlay");
    ASSERT_TRUE(cmdrSave && cmdrOpen && cmdrPlay);
    EXPECT_EQ(cmdrSave->text(), QStringLiteral("Clear Now"));
    EXPECT_TRUE(cmdrSave->isEnabled());
    EXPECT_TRUE(cmdrOpen->isEnabled());
    EXPECT_FALSE(cmdrPlay->isEnabled());

    QTest::mouseClick(cmdrSave, Qt::LeftButton); // answered No
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Are you sure you want to clear this recent list ?")});
    EXPECT_EQ(shared.func.GetMRUCount(cFunc::kSavedList), 1);
    EXPECT_TRUE(cmdrSave->isEnabled());
    EXPECT_EQ(rebuilt, 0);

    prompts.messages.clear();
    prompts.answers.push_back(Prompts::Answer::Yes);
    QTest::mouseClick(cmdrSave, Qt::LeftButton);
    EXPECT_EQ(prompts.messages, (QStringList{QStringLiteral("Are you sure you want to clear this recent list ?"),
                                             QStringLiteral("Successfully Cleared")}));
    EXPECT_EQ(shared.func.GetMRUCount(cFunc::kSavedList), 0);
    EXPECT_EQ(shared.func.GetMRUCount(cFunc::kOpenedList), 1);
    EXPECT_FALSE(cmdrSave->isEnabled());
    EXPECT_TRUE(cmdrOpen->isEnabled());
    EXPECT_EQ(rebuilt, 1);
}

} // namespace
