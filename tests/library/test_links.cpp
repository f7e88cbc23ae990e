#include "appearance/Background.h"
#include "library/Favorites.h"
#include "library/PendingList.h"
#include "rules/WholeFile.h"
#include "scores/Players.h"
#include "session/Shared.h"
#include "support/FakePrompts.h"
#include "support/TempHome.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// Links in each of the program's folders, pointing into a folder of the
// test's home that the program has no business in: nothing may appear there.
class LinksTest : public ::testing::Test {
protected:
    LinksTest()
    {
        shared.services.setPrompts(&prompts);
        shared.services.settings().write(settings::kCurPlayer, QStringLiteral("Player1"));
        EXPECT_TRUE(QDir().mkpath(outside()));
        shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(42));
    }
    ~LinksTest() override { shared.services.setPrompts(nullptr); }

    QString outside(const QString& name = QString()) const
    {
        return name.isEmpty() ? home.path(QStringLiteral("outside")) : home.path(QStringLiteral("outside/") + name);
    }
    // A link at `at` to `name` in the outside folder, which need not exist.
    void link(const QString& at, const QString& name) const
    {
        ASSERT_TRUE(QFile::link(outside(name), at)) << qPrintable(at);
    }
    // A program folder replaced by a link to a folder outside.
    void linkFolder(const QString& folder, const QString& name) const
    {
        ASSERT_TRUE(QDir(folder).removeRecursively());
        ASSERT_TRUE(QDir().mkpath(outside(name)));
        link(folder, name);
    }
    QStringList outsideFiles() const
    {
        QStringList files;
        for (QDirIterator it(outside(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
            files << it.next();
        return files;
    }
    static QString fileName(const QString& path) { return QFileInfo(path).fileName(); }

    TempHome home;
    FakePrompts prompts;
    Shared shared;
};

TEST_F(LinksTest, AFileNamedByALinkIsNeverWrittenThroughEvenADanglingOne)
{
    // Names the program picks itself: a link takes the name, the game goes
    // under the next free one.
    link(QDir(shared.data.PendingFolder()).filePath(QStringLiteral("Klondike - 42.tb0")), QStringLiteral("p.tb0"));
    EXPECT_EQ(fileName(pendingList::SavePending(shared.services, shared.data, shared.engine)),
              QStringLiteral("Klondike - 42 - 1.tb0"));
    link(QDir(shared.data.AutoSaveFolder()).filePath(QStringLiteral("Klondike - 42.tb1")), QStringLiteral("a.tb1"));
    EXPECT_EQ(fileName(shared.autoSave.AutoSaveGame(true)), QStringLiteral("Klondike - 42-(1).tb1"));

    // Names that are fixed: refused, saying why.
    const QString recovery = QDir(shared.data.AppDir()).filePath(QStringLiteral("Recovery.tb0"));
    link(recovery, QStringLiteral("r.tb0"));
    link(shared.data.UnFinFile(), QStringLiteral("u.tb0"));
    for (const QString& path : {recovery, shared.data.UnFinFile()}) {
        try {
            shared.engine.SavetoFile(path);
            ADD_FAILURE() << "written through " << qPrintable(path);
        } catch (const RunTimeError& e) {
            EXPECT_TRUE(e.description().contains(QStringLiteral("it is a link"))) << qPrintable(e.description());
        }
    }
    const QString favorite = QDir(shared.data.FavFolder()).filePath(QStringLiteral("Klondike - 42"));
    link(favorite, QStringLiteral("f"));
    Favorites favorites(shared.services, shared.data);
    EXPECT_EQ(favorites.checkName(QStringLiteral("Klondike - 42"), Favorites::Kind::Favorite, shared.data.FavFolder()),
              Favorites::NameCheck::Exists)
        << "a typed name meets the link first";
    EXPECT_THROW(favorites.AddFavorite(), FileNotWritten);
    link(Players::ScoreFile(shared.data, QStringLiteral("Player1")), QStringLiteral("Player1.sre"));
    EXPECT_THROW(shared.score.AddScore(1), FileNotWritten);
    const QString scheme = QDir(shared.data.SchemeFolder()).filePath(QStringLiteral("Dusk"));
    link(scheme, QStringLiteral("Dusk"));
    EXPECT_THROW(background::writeScheme(scheme, {1, 2, 3, 4, 5, 6}), FileNotWritten);
    link(shared.data.DefaultSchemeFile(), QStringLiteral("default"));
    shared.data.CreateDefaultSchemeFile();

    // A link to a file that is there is refused just the same, and the file
    // is left as it was.
    QFile target(outside(QStringLiteral("kept")));
    ASSERT_TRUE(target.open(QIODevice::WriteOnly));
    target.write("kept");
    target.close();
    const QString pending = QDir(shared.data.PendingFolder()).filePath(QStringLiteral("Mine.tb0"));
    ASSERT_TRUE(QFile::link(target.fileName(), pending));
    EXPECT_THROW(WriteWholeFile(pending, "new"), FileNotWritten);
    EXPECT_THROW(AppendToFile(pending, "more"), FileNotWritten);
    ASSERT_TRUE(target.open(QIODevice::ReadOnly));
    EXPECT_EQ(target.readAll(), QByteArray("kept"));

    EXPECT_EQ(outsideFiles(), QStringList{target.fileName()});
}

TEST_F(LinksTest, AProgramFolderThatIsALinkIsRefused)
{
    linkFolder(shared.data.PendingFolder(), QStringLiteral("pending"));
    linkFolder(shared.data.AutoSaveFolder(), QStringLiteral("auto"));
    linkFolder(shared.data.SchemeFolder(), QStringLiteral("schemes"));
    const QString favorites = shared.data.FavFolder();
    linkFolder(favorites, QStringLiteral("favorites"));

    EXPECT_THROW(shared.data.PendingFolder(), RunTimeError);
    EXPECT_THROW(pendingList::SavePending(shared.services, shared.data, shared.engine), RunTimeError);
    EXPECT_THROW(shared.autoSave.AutoSaveGame(false), RunTimeError);
    EXPECT_THROW(shared.data.CreateDefaultSchemeFile(), RunTimeError);
    EXPECT_THROW(Favorites(shared.services, shared.data).AddFavorite(), RunTimeError);
    try {
        shared.data.FavFolder();
        ADD_FAILURE() << "a linked favorites folder was taken";
    } catch (const RunTimeError& e) {
        EXPECT_TRUE(e.description().contains(QDir::toNativeSeparators(favorites))) << qPrintable(e.description());
    }

    // The saved-games folder that holds the auto-save folder.
    linkFolder(shared.data.SavedFolder(), QStringLiteral("games"));
    EXPECT_THROW(shared.autoSave.AutoSaveGame(true), RunTimeError);
    EXPECT_THROW(shared.data.DefaultCustImageFile(), RunTimeError);

    // The data folder itself: every file in it and beside it (score files).
    const QString data = shared.data.AppDir();
    linkFolder(data, QStringLiteral("data"));
    EXPECT_THROW(shared.score.AddScore(0), RunTimeError);
    EXPECT_THROW(shared.data.UnFinFile(), RunTimeError);
    EXPECT_TRUE(outsideFiles().isEmpty()) << qPrintable(outsideFiles().join(QLatin1Char('\n')));
}

TEST_F(LinksTest, AFavoritesSubfolderThatIsALinkIsNeitherWrittenNorMovedNorDeletedThrough)
{
    const QDir root(shared.data.FavFolder());
    ASSERT_TRUE(QDir().mkpath(outside(QStringLiteral("elsewhere"))));
    QFile theirs(outside(QStringLiteral("elsewhere/Raglan - 9")));
    ASSERT_TRUE(theirs.open(QIODevice::WriteOnly));
    theirs.write("\"Raglan\",9,\"Ann\",#2026-12-01 10:00:00#\r\n");
    theirs.close();
    link(root.filePath(QStringLiteral("Linked")), QStringLiteral("elsewhere"));
    Favorites favorites(shared.services, shared.data);
    const QString mine = favorites.AddFavorite(root.filePath(QStringLiteral("Klondike - 42")));

    EXPECT_THROW(favorites.AddFavorite(root.filePath(QStringLiteral("Linked/Klondike - 42"))), FileNotWritten);
    EXPECT_THROW(favorites.AddFavorite(home.path(QStringLiteral("Klondike - 42"))), FileNotWritten)
        << "outside the favorites folder";
    EXPECT_THROW(MoveFile(root.filePath(QStringLiteral("Linked/Raglan - 9")),
                          root.filePath(QStringLiteral("Raglan - 9")), root.path()),
                 RunTimeError)
        << "out of the linked folder";
    EXPECT_THROW(MoveFile(mine, root.filePath(QStringLiteral("Linked/Klondike - 42")), root.path()), RunTimeError)
        << "into it";
    EXPECT_THROW(RemoveFile(root.filePath(QStringLiteral("Linked/Raglan - 9")), root.path()), RunTimeError);
    EXPECT_THROW(MoveFile(mine, root.filePath(QStringLiteral("Linked")), root.path()), RunTimeError)
        << "onto the link itself";
    EXPECT_TRUE(QFileInfo::exists(mine));
    EXPECT_EQ(outsideFiles(), QStringList{theirs.fileName()});

    // As entries, links move and go, and what they point to stays.
    EXPECT_TRUE(
        MoveFile(root.filePath(QStringLiteral("Linked")), root.filePath(QStringLiteral("Renamed")), root.path()));
    EXPECT_TRUE(RemoveFile(root.filePath(QStringLiteral("Renamed")), root.path()));
    EXPECT_FALSE(PathTaken(root.filePath(QStringLiteral("Renamed"))));
    EXPECT_EQ(outsideFiles(), QStringList{theirs.fileName()});
}

TEST_F(LinksTest, APlayerNameThatClimbsOutOfTheDataFolderIsIgnoredWhereItIsRead)
{
    // Where the name would put its score file: the test's home itself.
    const QString climbing = QStringLiteral("/../../../escaped");
    const QString escaped = home.path(QStringLiteral("escaped.sre"));
    ASSERT_EQ(QDir::cleanPath(shared.data.AppDir() + climbing + QStringLiteral(".sre")), escaped);
    SettingsStore& store = shared.services.settings();
    store.writeText(QStringLiteral("Players"), QStringLiteral("1"), climbing);
    store.writeText(QStringLiteral("Players"), QStringLiteral("2"), QStringLiteral("Ann"));
    store.write(settings::kCurPlayer, climbing);
    QStringList told;
    shared.services.settings().setReporter([&](const QString& text) { told << text; });

    Players players(store);
    players.EnsurePlayer();
    EXPECT_EQ(players.PlayerName(1), QStringLiteral("Ann"));
    EXPECT_EQ(players.CurrentPlayer(), QStringLiteral("Ann"));
    shared.score.AddScore(1);
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(climbing)) << qPrintable(told[0]);
    EXPECT_THROW(Players::ScoreFile(shared.data, climbing), RunTimeError);
    EXPECT_TRUE(QFileInfo::exists(Players::ScoreFile(shared.data, QStringLiteral("Ann"))));
    EXPECT_FALSE(PathTaken(escaped));
    shared.services.settings().setReporter(nullptr);
}

} // namespace
