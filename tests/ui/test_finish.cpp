#include "session/Shared.h"
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
        EXPECT_FALSE(child<QCheckBox>(dialog, "chkFav")->isVisibleTo(&dialog)) << "no favorites yet";
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

} // namespace
