#include "history/mFile.h"
#include "library/Favorites.h"
#include "library/Listings.h"
#include "library/PendingList.h"
#include "session/Shared.h"
#include "support/FakePrompts.h"
#include "support/RandomPlayer.h"
#include "support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class LibraryTest : public ::testing::Test {
protected:
    LibraryTest()
    {
        shared.services.setPrompts(&prompts);
        shared.services.settings().write(settings::kCurPlayer, QStringLiteral("Player1"));
    }
    ~LibraryTest() override { shared.services.setPrompts(nullptr); }

    TempHome home;
    FakePrompts prompts;
    Shared shared;
    Favorites favorites{shared.services, shared.data};
};

TEST_F(LibraryTest, NamesThatCannotStandAsFileNamesAreRefused)
{
    const QString root = shared.data.FavFolder();
    ASSERT_TRUE(QDir(root).mkdir(QStringLiteral("Weekend")));
    QFile taken(QDir(root).filePath(QStringLiteral("Klondike - 7")));
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    taken.close();

    using Check = Favorites::NameCheck;
    const auto check = [&](const QString& name, Favorites::Kind kind = Favorites::Kind::Favorite) {
        return favorites.checkName(name, kind, root);
    };
    for (const QChar c : QStringLiteral("\\/:*?\"<>|"))
        EXPECT_EQ(check(QStringLiteral("a") + c + QStringLiteral("b")), Check::BadCharacters)
            << QString(c).toStdString();
    for (const QString& unfit : {QStringLiteral("."), QStringLiteral(".."), QStringLiteral("ends in a blank "),
                                 QStringLiteral("ends in a dot."), QStringLiteral("tab\there"), QString(201, 'x')})
        EXPECT_EQ(check(unfit), Check::BadCharacters) << unfit.toStdString();
    EXPECT_EQ(check(QString(200, 'x')), Check::Valid);
    // Saved, it would never be listed.
    EXPECT_EQ(check(QStringLiteral(".hidden")), Check::LeadingDot);
    EXPECT_EQ(check(QStringLiteral(".hidden"), Favorites::Kind::Folder), Check::LeadingDot);
    EXPECT_EQ(check(QStringLiteral("not.hidden")), Check::Valid);
    EXPECT_EQ(check(QStringLiteral("   ")), Check::Empty);
    EXPECT_EQ(check(QStringLiteral("Klondike - 7")), Check::Exists);
    EXPECT_EQ(favorites.checkName(QStringLiteral("Klondike - 7"), Favorites::Kind::Favorite,
                                  QDir(root).filePath(QStringLiteral("Weekend"))),
              Check::Valid)
        << "the same name in another folder";
    EXPECT_EQ(check(QStringLiteral("Weekend"), Favorites::Kind::Folder), Check::Exists);
    EXPECT_EQ(check(QStringLiteral("Klondike - 7"), Favorites::Kind::Folder), Check::Valid);

    // The player is told what is wrong, except for a cancelled question.
    EXPECT_FALSE(favorites.ValidFavName(QString(), Favorites::Kind::Folder, root));
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_FALSE(favorites.ValidFavName(QStringLiteral(".."), Favorites::Kind::Folder, root));
    EXPECT_FALSE(favorites.ValidFavName(QStringLiteral("Weekend"), Favorites::Kind::Folder, root));
    EXPECT_FALSE(favorites.ValidFavName(QStringLiteral("Klondike - 7"), Favorites::Kind::Favorite, root));
    EXPECT_FALSE(favorites.ValidFavName(QStringLiteral(".Klondike - 7"), Favorites::Kind::Favorite, root));
    EXPECT_EQ(prompts.messages,
              (QStringList{"Name should not contain these characters : /\\:*?\"<>|", "Folder already exists",
                           "Game already exists", "Name should not begin with a dot (.)"}));
}

TEST_F(LibraryTest, DeletingAFolderStaysInsideTheFavorites)
{
    const QDir root(shared.data.FavFolder());
    const QString outside = home.path(QStringLiteral("precious"));
    ASSERT_TRUE(QDir().mkpath(outside));
    QFile keep(QDir(outside).filePath(QStringLiteral("keep me")));
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.close();
    ASSERT_TRUE(root.mkdir(QStringLiteral("Old")));
    ASSERT_TRUE(QFile::link(outside, root.filePath(QStringLiteral("Old/link out"))));
    ASSERT_TRUE(QFile::link(outside, root.filePath(QStringLiteral("Linked folder"))));

    EXPECT_TRUE(favorites.deleteFolder(root.filePath(QStringLiteral("Old"))));
    EXPECT_FALSE(QFileInfo::exists(root.filePath(QStringLiteral("Old"))));
    EXPECT_TRUE(favorites.deleteFolder(root.filePath(QStringLiteral("Linked folder"))));
    EXPECT_TRUE(QFileInfo::exists(keep.fileName())) << "links are removed, never followed";
    EXPECT_FALSE(favorites.deleteFolder(outside));
    EXPECT_FALSE(favorites.deleteFolder(root.absolutePath())) << "not the favorites folder itself";
    EXPECT_TRUE(QFileInfo::exists(keep.fileName()));
}

TEST_F(LibraryTest, PendingGamesTakeCountedNamesAndKeepTheirProgress)
{
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(42));
    shared.gamePlay.AddToPending();
    EXPECT_EQ(shared.gamePlay.Game_Status(), cGamePlay::kNoGame) << "the table is cleared";
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(42));
    shared.gamePlay.AddToPending();
    const QDir folder(shared.data.PendingFolder());
    const QString first = folder.filePath(QStringLiteral("Klondike - 42.tb0"));
    EXPECT_TRUE(QFileInfo::exists(first));
    EXPECT_TRUE(QFileInfo::exists(folder.filePath(QStringLiteral("Klondike - 42 - 1.tb0"))));

    // Played from the list: on the list already, and its progress goes back
    // to its file when another game starts.
    shared.gamePlay.PlayPendFile(first);
    shared.gamePlay.AddToPending();
    EXPECT_TRUE(prompts.messages.last().startsWith(QStringLiteral("This game is already in Pending List.")));
    EXPECT_EQ(Listings::ListPending(shared.data)[0], QStringLiteral("2"));
    RandomPlayer player(shared, 3);
    for (int i = 0; i < 12 && player.step(); ++i) {
    }
    const int16_t moves = shared.gamePlay.Moves();
    ASSERT_GT(moves, 0);
    shared.gamePlay.PlayNumber(QStringLiteral("Raglan"), GameNo(1));
    EXPECT_EQ(mFile::ReadGameSummary(first).moves, moves);
    EXPECT_TRUE(pendingList::menuCaption(first).startsWith(QStringLiteral("Klondike - 42 (")));

    QFile damaged(folder.filePath(QStringLiteral("broken.tb0")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a game");
    damaged.close();
    EXPECT_EQ(pendingList::menuCaption(damaged.fileName()), QStringLiteral("broken.tb0 (damaged)"));
}

} // namespace
