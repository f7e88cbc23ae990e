#include "session/Shared.h"
#include "support/FakeClock.h"
#include "support/FakePrompts.h"
#include "support/FakeSessionHost.h"
#include "support/TempHome.h"
#include "windows/frmFinish.h"

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QValueAxis>

#include <algorithm>
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

// Score, moves and time each have a bar and an axis of their own, each
// titled with its figure; a score below zero is a bar below zero.
TEST_F(FinishTest, EachMeasureIsChartedOnItsOwnAxis)
{
    shared.gamePlay.setGame_Running(true);
    shared.gamePlay.setTime(600);
    const int score = shared.gamePlay.Score();
    ASSERT_LT(score, 0) << "ten minutes and no card home";
    frmFinish dialog(shared);
    dialog.show();
    struct Measure {
        const char* name;
        qreal value;
        QString title;
    };
    for (const Measure& m : {Measure{"chtScore", qreal(score), QStringLiteral("Score : ") + QString::number(score)},
                             Measure{"chtMoves", 0, QStringLiteral("Moves : 0")},
                             Measure{"chtTime", 600, QStringLiteral("Time : 0:10:00")}}) {
        SCOPED_TRACE(m.name);
        auto* view = child<QChartView>(dialog, m.name);
        ASSERT_NE(view, nullptr);
        QChart* chart = view->chart();
        EXPECT_EQ(chart->title(), m.title);
        auto* series = qobject_cast<QBarSeries*>(chart->series().value(0));
        ASSERT_NE(series, nullptr);
        ASSERT_EQ(series->barSets().size(), 1);
        EXPECT_EQ(series->barSets()[0]->at(0), m.value);
        const QList<QAbstractAxis*> axes = chart->axes(Qt::Vertical);
        ASSERT_EQ(axes.size(), 1);
        auto* axis = qobject_cast<QValueAxis*>(axes[0]);
        ASSERT_NE(axis, nullptr);
        EXPECT_LE(axis->min(), std::min<qreal>(m.value, 0));
        EXPECT_GE(axis->max(), std::max<qreal>(m.value, 0));
        EXPECT_GT(axis->max(), axis->min());
        EXPECT_EQ(axis->min() < 0, m.value < 0) << "zero at the foot unless the figure is below it";
    }
    dialog.close();
}

} // namespace
