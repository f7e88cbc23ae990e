#include "rules/RunTimeError.h"
#include "scores/Players.h"
#include "session/Shared.h"
#include "support/TempHome.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class PlayersTest : public ::testing::Test {
protected:
    void addPlayers(int count)
    {
        for (int i = 1; i <= count; ++i)
            ASSERT_TRUE(players.AddPlayer(QStringLiteral("P%1").arg(i)));
    }
    QStringList slotNames() const
    {
        QStringList names;
        for (int16_t slot = 1; slot <= Players::kMaxPlayers; ++slot)
            names << players.PlayerName(slot);
        return names;
    }
    void writeScoreFile(const QString& name, const QByteArray& content)
    {
        QFile file(Players::ScoreFile(shared.data, name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    TempHome home;
    Shared shared;
    Players players{shared.services.settings()};
};

TEST_F(PlayersTest, StartUpCreatesPlayer1OnlyWhenNobodyIsRegistered)
{
    players.EnsurePlayer();
    EXPECT_EQ(players.PlayerCount(), 1);
    EXPECT_EQ(players.PlayerName(1), QStringLiteral("Player1"));
    EXPECT_EQ(players.CurrentPlayer(), QStringLiteral("Player1"));

    players.SetPlayerName(1, QStringLiteral("Ann"), true);
    players.EnsurePlayer();
    EXPECT_EQ(players.PlayerCount(), 1);
    EXPECT_EQ(players.CurrentPlayer(), QStringLiteral("Ann"));
    EXPECT_THROW(players.PlayerName(21), RunTimeError);
}

TEST_F(PlayersTest, TwentyPlayersAreTheLimitAndAFreedSlotIsReused)
{
    addPlayers(20);
    players.SetCurrentPlayer(QStringLiteral("P1"));
    EXPECT_FALSE(players.AddPlayer(QStringLiteral("P21")));
    EXPECT_EQ(players.FindPlayer(QStringLiteral("P21")), 0);

    ASSERT_TRUE(players.DeletePlayer(QStringLiteral("P7"), shared.data));
    EXPECT_EQ(players.PlayerCount(), 19);
    ASSERT_TRUE(players.AddPlayer(QStringLiteral("P21")));
    EXPECT_EQ(players.PlayerName(20), QStringLiteral("P21"));
}

TEST_F(PlayersTest, DeletingClosesTheGapAndRemovesTheScoreFile)
{
    addPlayers(5);
    players.SetCurrentPlayer(QStringLiteral("P1"));
    writeScoreFile(QStringLiteral("P3"), "scores");
    writeScoreFile(QStringLiteral("P4"), "other scores");

    ASSERT_TRUE(players.DeletePlayer(QStringLiteral("P3"), shared.data));
    EXPECT_EQ(slotNames().mid(0, 5), (QStringList{QStringLiteral("P1"), QStringLiteral("P2"), QStringLiteral("P4"),
                                                  QStringLiteral("P5"), QString()}));
    EXPECT_EQ(players.PlayerCount(), 4);
    EXPECT_FALSE(QFile::exists(Players::ScoreFile(shared.data, QStringLiteral("P3"))));
    EXPECT_TRUE(QFile::exists(Players::ScoreFile(shared.data, QStringLiteral("P4"))));

    EXPECT_FALSE(players.DeletePlayer(QStringLiteral("P1"), shared.data)) << "the current player stays";
    EXPECT_FALSE(players.DeletePlayer(QStringLiteral("Nobody"), shared.data));
    EXPECT_TRUE(players.DeletePlayer(QStringLiteral("P5"), shared.data)) << "no score file is no error";
    EXPECT_EQ(players.PlayerCount(), 3);
}

TEST_F(PlayersTest, ScoreFileIsTheProgramFolderFollowedDirectlyByTheName)
{
    EXPECT_EQ(Players::ScoreFile(shared.data, QStringLiteral(" Ann ")),
              shared.data.AppDir() + QStringLiteral(" Ann .sre"));
}

TEST_F(PlayersTest, NamesAreCheckedExactlyAndMayNotLeaveTheScoreFolder)
{
    players.AddPlayer(QStringLiteral("Ann"));
    EXPECT_EQ(players.CheckName(QStringLiteral("Ann")), Players::NameCheck::Exists);
    EXPECT_EQ(players.CheckName(QStringLiteral("ann")), Players::NameCheck::Valid) << "letter case makes a new name";
    EXPECT_EQ(players.CheckName(QStringLiteral(" Ann ")), Players::NameCheck::Valid) << "blanks are kept as typed";
    EXPECT_EQ(players.CheckName(QString()), Players::NameCheck::Empty);
    EXPECT_EQ(players.CheckName(QStringLiteral("   ")), Players::NameCheck::Empty);
    for (const QString& bad :
         {QStringLiteral("../x"), QStringLiteral("a\\b"), QStringLiteral("c:"), QStringLiteral("*"),
          QStringLiteral("who?"), QStringLiteral("\"q\""), QStringLiteral("<a>"), QStringLiteral("a|b"),
          QStringLiteral("tab\there"), QStringLiteral("line\nbreak")})
        EXPECT_EQ(players.CheckName(bad), Players::NameCheck::BadCharacters) << qPrintable(bad);
    for (const QString& dotted : {QStringLiteral("."), QStringLiteral(".."), QStringLiteral(".hidden")}) {
        EXPECT_EQ(players.CheckName(dotted), Players::NameCheck::LeadingDot) << qPrintable(dotted);
        EXPECT_THROW(Players::ScoreFile(shared.data, dotted), RunTimeError) << qPrintable(dotted);
    }
    EXPECT_EQ(players.CheckName(QStringLiteral("Ann.")), Players::NameCheck::Valid);
}

TEST_F(PlayersTest, UnfitNamesReadFromTheSettingsAreIgnoredWithOneMessageAndDroppedAtStartUp)
{
    SettingsStore& store = shared.services.settings();
    const auto stored = [&](int slot, const QString& name) {
        store.writeText(QStringLiteral("Players"), QString::number(slot), name);
    };
    stored(1, QStringLiteral("../../x"));
    stored(2, QStringLiteral("Ann"));
    stored(3, QStringLiteral(".."));
    stored(4, QStringLiteral("a\\b"));
    stored(5, QStringLiteral("Bob"));
    stored(6, QStringLiteral("bell\a"));
    store.write(settings::kCurPlayer, QStringLiteral("Bob"));
    QStringList told;
    shared.services.settings().setReporter([&](const QString& text) { told << text; });

    EXPECT_EQ(players.PlayerName(1), QString());
    EXPECT_EQ(players.FindPlayer(QStringLiteral("..")), 0);
    players.EnsurePlayer();
    EXPECT_EQ(slotNames().mid(0, 3), (QStringList{QStringLiteral("Ann"), QStringLiteral("Bob"), QString()}));
    EXPECT_EQ(players.PlayerCount(), 2);
    EXPECT_EQ(players.CurrentPlayer(), QStringLiteral("Bob")) << "a fit current player stays";
    store.write(settings::kCurPlayer, QStringLiteral("/etc/passwd"));
    EXPECT_EQ(players.CurrentPlayer(), QString());
    players.EnsurePlayer();
    EXPECT_EQ(players.CurrentPlayer(), QStringLiteral("Ann")) << "an unfit one gives way to the first player";
    ASSERT_EQ(told.size(), 1) << "one message a run";
    EXPECT_TRUE(told[0].contains(QStringLiteral("\"../../x\""))) << qPrintable(told[0]);
    shared.services.settings().setReporter(nullptr);
}

TEST_F(PlayersTest, RenamingOntoANameWithScoresIsRefusedAndOtherwiseTheRecordsFollow)
{
    addPlayers(2);
    players.SetCurrentPlayer(QStringLiteral("P1"));
    writeScoreFile(QStringLiteral("P1"), "mine");
    writeScoreFile(QStringLiteral("Gone"), "someone else's");
    const auto content = [&](const QString& name) {
        QFile file(Players::ScoreFile(shared.data, name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    };

    EXPECT_THROW(players.RenamePlayer(QStringLiteral("P1"), QStringLiteral("Gone"), shared.data), RunTimeError);
    EXPECT_EQ(players.PlayerName(1), QStringLiteral("P1")) << "nothing changed";
    EXPECT_EQ(players.CurrentPlayer(), QStringLiteral("P1"));
    EXPECT_EQ(content(QStringLiteral("P1")), QByteArray("mine"));
    EXPECT_EQ(content(QStringLiteral("Gone")), QByteArray("someone else's"));
    // A link under the name counts as scores there.
    ASSERT_TRUE(
        QFile::link(home.path(QStringLiteral("nowhere")), Players::ScoreFile(shared.data, QStringLiteral("L"))));
    EXPECT_TRUE(Players::ScoresUnderName(shared.data, QStringLiteral("L")));
    EXPECT_THROW(players.RenamePlayer(QStringLiteral("P2"), QStringLiteral("L"), shared.data), RunTimeError);

    players.RenamePlayer(QStringLiteral("P1"), QStringLiteral("Ann"), shared.data);
    EXPECT_EQ(players.PlayerName(1), QStringLiteral("Ann"));
    EXPECT_EQ(players.CurrentPlayer(), QStringLiteral("Ann"));
    EXPECT_EQ(content(QStringLiteral("Ann")), QByteArray("mine"));
    EXPECT_FALSE(QFileInfo::exists(Players::ScoreFile(shared.data, QStringLiteral("P1"))));
    players.RenamePlayer(QStringLiteral("P2"), QStringLiteral("Bob"), shared.data);
    EXPECT_EQ(players.PlayerName(2), QStringLiteral("Bob")) << "no score file to move is no error";
}

} // namespace
