#include "data/DefaultPicture.h"
#include "rules/RunTimeError.h"
#include "session/Shared.h"
#include "support/CountingSounds.h"
#include "support/FileSizeLimit.h"
#include "support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class RecordingHelp final : public HelpViewer {
public:
    void showContents() override { shown << 0; }
    void showRules(int16_t gameId) override { shown << gameId; }
    void closeAll() override {}
    QList<int> shown;
};

class CountingPicture final : public DefaultPictureSource {
public:
    bool saveDefaultCustomImage(const QString& path) override
    {
        ++saves;
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write("BM") == 2;
    }
    int saves = 0;
};

class DataTest : public ::testing::Test {
protected:
    DataTest() { data.RegisterProgramData(); }

    TempHome home;
    Shared shared;
    cData& data = shared.data;
};

TEST_F(DataTest, ProductDataAndGameIdentity)
{
    EXPECT_EQ(data.ProdName(), QStringLiteral("Tablora 6.0"));
    EXPECT_EQ(data.ProdNameX(), QStringLiteral("Tablora"));
    EXPECT_EQ(data.Version(), QStringLiteral("6.0"));
    EXPECT_EQ(data.TotalGames(), 62);
    EXPECT_EQ(data.HelpFile(), QStringLiteral("tablora.chm"));
    EXPECT_EQ(data.IncExt(), QStringLiteral(".tb0"));
    EXPECT_EQ(data.FinExt(), QStringLiteral(".tb1"));

    const int16_t id = data.GetGameID(QStringLiteral("Klondike"));
    ASSERT_GT(id, 0);
    EXPECT_EQ(data.GetGName(id), QStringLiteral("Klondike"));
    EXPECT_EQ(data.GetGameID(QStringLiteral("klondike")), 0) << "names are compared exactly";
    EXPECT_EQ(data.GetGameID(QStringLiteral("Klondike ")), 0);
    EXPECT_EQ(data.GetDeck(QStringLiteral("Klondike")), QStringLiteral("One (52 Cards)"));
    EXPECT_EQ(data.GetDeck(QStringLiteral("Gargantua")), QStringLiteral("Two (104 Cards)"));
    EXPECT_EQ(data.GetDeck(QStringLiteral("Stripped Klondike")), QStringLiteral("Half (26 Cards)"));
    EXPECT_FALSE(data.IsOriginal(QStringLiteral("Klondike")));
    EXPECT_TRUE(data.IsOriginal(QStringLiteral("Double Spiderette")));
    EXPECT_THROW(data.GetGName(63), RunTimeError);
    EXPECT_THROW(data.GetDeck(QStringLiteral("Nope")), RunTimeError);

    data.SetGame(5, QStringLiteral("Test Game"), true, 3);
    EXPECT_EQ(data.GetDeck(QStringLiteral("Test Game")), QString()) << "an unknown deck code has no description";
    EXPECT_TRUE(data.IsOriginal(QStringLiteral("Test Game")));
}

TEST_F(DataTest, FoldersAreCreatedWhenAskedForEvenAfterDeletion)
{
    const QString appDir = home.path(QStringLiteral("data/Quellix Technologies/Tablora 6.0"));
    EXPECT_EQ(data.AppDir(), appDir);
    EXPECT_TRUE(QFileInfo(appDir).isDir());

    const QString fav = data.FavFolder();
    EXPECT_EQ(fav, appDir + QStringLiteral("/Favorites"));
    ASSERT_TRUE(QDir(home.path(QStringLiteral("data/Quellix Technologies"))).removeRecursively());
    EXPECT_EQ(data.FavFolder(), fav);
    EXPECT_TRUE(QFileInfo(fav).isDir()) << "re-created with its parents";

    EXPECT_EQ(data.SchemeFolder(), appDir + QStringLiteral("/Color Schemes"));
    EXPECT_EQ(data.PendingFolder(), appDir + QStringLiteral("/Pending List"));
    EXPECT_EQ(data.UnFinFile(), appDir + QStringLiteral("/Unfin.tb0"));
    EXPECT_FALSE(QFileInfo::exists(data.UnFinFile())) << "a path only";

    const QString myGames = home.path(QStringLiteral("Documents/My Games/Tablora 6.0"));
    EXPECT_EQ(data.SavedFolder(), myGames);
    EXPECT_EQ(data.AutoSaveFolder(), myGames + QStringLiteral("/AutoSave Files"));
    EXPECT_TRUE(QFileInfo(myGames + QStringLiteral("/AutoSave Files")).isDir());
    EXPECT_EQ(data.DefaultSchemeFile(), appDir + QStringLiteral("/Color Schemes/Default Color Scheme"));

    // A folder whose place is taken by a file cannot be made.
    ASSERT_TRUE(QDir(appDir + QStringLiteral("/Pending List")).removeRecursively());
    QFile blocker(appDir + QStringLiteral("/Pending List"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_THROW(data.PendingFolder(), RunTimeError);
}

TEST_F(DataTest, TheDefaultFilesAreWrittenOnceAndNeverOverwritten)
{
    bool refused = false;
    {
        FileSizeLimit full(8);
        ASSERT_TRUE(full.active());
        try {
            data.CreateDefaultSchemeFile();
        } catch (const RunTimeError&) {
            refused = true;
        }
    }
    EXPECT_TRUE(refused) << "a disk without room is not success";
    EXPECT_TRUE(QDir(data.SchemeFolder()).isEmpty()) << "neither a short file nor a temporary copy is left";

    data.CreateDefaultSchemeFile();
    QFile scheme(data.DefaultSchemeFile());
    ASSERT_TRUE(scheme.open(QIODevice::ReadOnly));
    EXPECT_EQ(scheme.readAll(), QByteArray(" 0  128  0  128  0  0 \r\n"));
    scheme.close();

    ASSERT_TRUE(scheme.open(QIODevice::WriteOnly | QIODevice::Truncate));
    scheme.write("mine");
    scheme.close();
    data.CreateDefaultSchemeFile();
    ASSERT_TRUE(scheme.open(QIODevice::ReadOnly));
    EXPECT_EQ(scheme.readAll(), QByteArray("mine"));

    CountingPicture picture;
    data.setDefaultPicture(&picture);
    const QString image = data.DefaultCustImageFile();
    EXPECT_EQ(image, home.path(QStringLiteral("Documents/My Games/Tablora 6.0/CustomImage.bmp")));
    EXPECT_TRUE(QFileInfo::exists(image));
    data.DefaultCustImageFile();
    EXPECT_EQ(picture.saves, 1) << "an existing picture is kept";
    QFile::remove(image);
    data.DefaultCustImageFile();
    EXPECT_EQ(picture.saves, 2) << "a deleted picture is restored";
}

TEST_F(DataTest, HelpOpensTheGamesTopicAndSoundsItsEvent)
{
    RecordingHelp help;
    CountingSounds sounds;
    shared.services.setHelp(&help);
    shared.services.setSounds(&sounds);

    data.ShowRules(QStringLiteral("Klondike"));
    data.ShowContents();
    data.ShowRules(QStringLiteral("No Such Game"));

    EXPECT_EQ(help.shown, (QList<int>{data.GetGameID(QStringLiteral("Klondike")), 0, 0}));
    EXPECT_EQ(sounds.count(SoundEvent::Rules), 2);
    EXPECT_EQ(sounds.count(SoundEvent::Contents), 1);
    shared.services.setHelp(nullptr);
    shared.services.setSounds(nullptr);
}

} // namespace

// Installed, the program finds its data relative to where it lies; run from
// a build folder, beside itself.
TEST(DataFolder, IsShareTabloraBesideAnInstalledProgramElseTheProgramFolder)
{
    TempHome home;
    const QString prefix = home.path(QStringLiteral("opt/moved here"));
    ASSERT_TRUE(QDir().mkpath(prefix + QStringLiteral("/bin")));
    EXPECT_EQ(cData::dataFolderFor(prefix + QStringLiteral("/bin")), prefix + QStringLiteral("/bin"))
        << "no data installed yet";
    ASSERT_TRUE(QDir().mkpath(prefix + QStringLiteral("/share/tablora")));
    EXPECT_EQ(cData::dataFolderFor(prefix + QStringLiteral("/bin")), prefix + QStringLiteral("/share/tablora"));

    const QString build = home.path(QStringLiteral("build"));
    ASSERT_TRUE(QDir().mkpath(build + QStringLiteral("/../share/tablora")));
    EXPECT_EQ(cData::dataFolderFor(build), build) << "a build folder is not a bin folder";
}
