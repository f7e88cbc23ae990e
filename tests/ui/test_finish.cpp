#include "session/Shared.h"
#include "support/FakeClock.h"
#include "support/FakePrompts.h"
#include "support/FakeSessionHost.h"
#include "support/TempHome.h"
#include "windows/frmFinish.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

// The dialog over a game just won, with the window a fake.
class FinishTest : public ::testing::Test {
protected:
    FinishTest()
    {
        shared.services.setPrompts(&prompts);
        shared.gamePlay.setHost(&host);
        shared.services.settings().write(settings::kCurPlayer, QStringLiteral("Player1"));
        shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(77));
    }
    ~FinishTest() override
    {
        shared.gamePlay.setHost(nullptr);
        shared.services.setPrompts(nullptr);
    }
    template <typename T> static T* child(frmFinish& dialog, const char* name)
    {
        T* found = dialog.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    TempHome home;
    FakePrompts prompts;
    FakeSessionHost host;
    Shared shared;
};

TEST_F(FinishTest, TheGameIsSavedOnClosingOnlyWhenTickedWithAPath)
{
    const QString path = home.path(QStringLiteral("kept.tb1"));
    for (const bool ticked : {false, true}) {
        shared.services.settings().write(settings::kFinishSaveFile, ticked ? 1 : 0);
        frmFinish dialog(shared);
        dialog.show();
        auto* txtSave = child<QLineEdit>(dialog, "txtSave");
        auto* cmdBrowse = child<QPushButton>(dialog, "cmdBrowse");
        EXPECT_EQ(txtSave->isEnabled(), ticked);
        EXPECT_EQ(cmdBrowse->isEnabled(), ticked);
        EXPECT_EQ(txtSave->text(),
                  QDir(shared.data.SavedFolder()).filePath(QStringLiteral("Klondike - 77") + shared.data.FinExt()));
        txtSave->setText(ticked ? QString() : path);
        dialog.close();
        EXPECT_FALSE(QFile::exists(path)) << (ticked ? "emptied path" : "unticked");
        EXPECT_EQ(shared.gamePlay.Game_Status(), cGamePlay::kNoGame) << "the table is cleared";
        shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(77));
    }

    // Ticking stores the choice and opens the path; Browse takes only a
    // folder that exists.
    shared.services.settings().write(settings::kFinishSaveFile, 0);
    frmFinish dialog(shared);
    dialog.show();
    child<QCheckBox>(dialog, "chkSave")->setChecked(true);
    EXPECT_EQ(dialog.SaveFile(), 1);
    EXPECT_TRUE(child<QLineEdit>(dialog, "txtSave")->isEnabled());
    prompts.files = {home.path(QStringLiteral("nowhere")), home.path()};
    child<QPushButton>(dialog, "cmdBrowse")->click();
    EXPECT_TRUE(child<QLineEdit>(dialog, "txtSave")->text().startsWith(shared.data.SavedFolder()));
    child<QPushButton>(dialog, "cmdBrowse")->click();
    const QString browsed = QDir(home.path()).filePath(QStringLiteral("Klondike - 77") + shared.data.FinExt());
    EXPECT_EQ(child<QLineEdit>(dialog, "txtSave")->text(), browsed);
    child<QAction>(dialog, "Restart")->trigger();
    EXPECT_EQ(dialog.next(), frmFinish::Next::Restart);
    EXPECT_TRUE(QFile::exists(browsed));
    EXPECT_EQ(shared.func.GetMRU(cFunc::kSavedList)[1], browsed);
}

// "Add this Game to Favorites" files the deal in one step on closing; a
// second time it replaces the first.
TEST_F(FinishTest, TheDealIsFiledAmongTheFavoritesWhenTicked)
{
    FakeClock clock;
    shared.services.setClock(&clock);
    const QString favorite = QDir(shared.data.FavFolder()).filePath(QStringLiteral("Klondike - 77"));
    for (int time = 0; time < 2; ++time) {
        frmFinish dialog(shared);
        dialog.show();
        child<QCheckBox>(dialog, "chkFav")->setChecked(true);
        EXPECT_EQ(dialog.AddtoFav(), 1);
        dialog.close();
        shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(77));
        clock.advance(60);
    }
    QFile file(favorite);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\"Klondike\",77,\"Player1\",#2026-12-08 10:01:00#\r\n"));
    EXPECT_EQ(QDir(shared.data.FavFolder()).entryList(QDir::Files).size(), 1);
    shared.services.setClock(nullptr);
}

} // namespace
