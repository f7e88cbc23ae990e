#include "library/AutoSave.h"
#include "library/Listings.h"
#include "session/Shared.h"
#include "support/FakePrompts.h"
#include "support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class AutoSaveTest : public ::testing::Test {
protected:
    AutoSaveTest()
    {
        shared.services.setPrompts(&prompts);
        shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(42));
    }
    ~AutoSaveTest() override { shared.services.setPrompts(nullptr); }
    QString names(bool finished) const
    {
        QStringList found;
        const QStringList list = Listings::ListAutoSaved(shared.data, finished);
        for (qsizetype i = 1; i < list.size(); ++i)
            found << QFileInfo(list[i]).fileName();
        found.sort();
        return found.join(QLatin1Char('|'));
    }

    TempHome home;
    FakePrompts prompts;
    Shared shared;
};

TEST_F(AutoSaveTest, EachKindCountsOnPastTakenNamesAndOpensAgain)
{
    for (const bool finished : {true, false})
        for (int i = 0; i < 3; ++i)
            shared.autoSave.AutoSaveGame(finished);
    EXPECT_EQ(names(true), QStringLiteral("Klondike - 42-(1).tb1|Klondike - 42-(2).tb1|Klondike - 42.tb1"));
    EXPECT_EQ(names(false), QStringLiteral("Klondike - 42-(1).tb0|Klondike - 42-(2).tb0|Klondike - 42.tb0"));

    // Each is the game on the table, as a saved game.
    const QString second = QDir(shared.data.AutoSaveFolder()).filePath(QStringLiteral("Klondike - 42-(1).tb0"));
    Shared other;
    other.gamePlay.PlayFile(second, false);
    EXPECT_EQ(other.gamePlay.GameName(), QStringLiteral("Klondike"));
    EXPECT_EQ(other.gamePlay.gameNo().toString(), QStringLiteral("42"));
}

TEST_F(AutoSaveTest, TheOptionsSwitchEachKindOff)
{
    shared.services.settings().write(settings::kEnableFin, 0);
    EXPECT_TRUE(shared.autoSave.AutoSaveGame(true).isEmpty());
    EXPECT_FALSE(shared.autoSave.AutoSaveGame(false).isEmpty());
    shared.services.settings().write(settings::kEnableInc, 0);
    shared.services.settings().write(settings::kEnableFin, 1);
    EXPECT_TRUE(shared.autoSave.AutoSaveGame(false).isEmpty());
    EXPECT_FALSE(shared.autoSave.AutoSaveGame(true).isEmpty());
    EXPECT_EQ(names(true), QStringLiteral("Klondike - 42.tb1"));
    EXPECT_EQ(names(false), QStringLiteral("Klondike - 42.tb0"));
}

TEST_F(AutoSaveTest, EmptyingAsksAndDeletesOnlyItsKind)
{
    shared.autoSave.AutoSaveGame(true);
    shared.autoSave.AutoSaveGame(false);
    const QDir folder(shared.data.AutoSaveFolder());
    for (const char* other : {"notes.txt", "Upper - 1.TB1"}) {
        QFile file(folder.filePath(QLatin1String(other)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    prompts.answers = {Prompts::Answer::No};
    EXPECT_FALSE(shared.autoSave.EmptyAutoSaved(true));
    EXPECT_EQ(names(true), QStringLiteral("Klondike - 42.tb1|Upper - 1.TB1"));
    EXPECT_EQ(prompts.messages.last(), QStringLiteral("Are you sure you want to delete all Games ?"));

    prompts.answers = {Prompts::Answer::Yes};
    EXPECT_TRUE(shared.autoSave.EmptyAutoSaved(true));
    EXPECT_EQ(names(true), QString()) << "the extension in any case is of the kind";
    EXPECT_EQ(names(false), QStringLiteral("Klondike - 42.tb0"));
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("notes.txt"))));
}

} // namespace
