#include "scores/Players.h"
#include "session/Shared.h"
#include "support/FakeClock.h"
#include "support/FakePrompts.h"
#include "support/TempHome.h"
#include "windows/common/StatViews.h"
#include "windows/frmGameStat.h"
#include "windows/frmHighScore.h"
#include "windows/frmLogStat.h"
#include "windows/frmSesStat.h"

#include <QComboBox>
#include <QFile>
#include <QFont>
#include <QLabel>
#include <QLocale>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

// Three players and a few games, written as score files, with "now" fixed.
class StatWindowsTest : public ::testing::Test {
protected:
    StatWindowsTest()
    {
        QLocale::setDefault(QLocale::c());
        shared.services.setClock(&clock);
        shared.services.setPrompts(&prompts);
        Players players(shared.services.settings());
        for (const char* name : {"Ann", "Bob", "Cid"})
            players.AddPlayer(QLatin1String(name));
        players.SetCurrentPlayer(QStringLiteral("Ann"));
        // Now is 2026-12-08 10:00.
        write(QStringLiteral("Ann"), "\"2026-12-08 09:00:00\",\"Klondike\",11,100,50,400,1\r\n"
                                     "\"2026-12-07 22:00:00\",\"Klondike\",12,200,70,-20,0\r\n"
                                     "\"2026-12-01 08:00:00\",\"Raglan\",13,300,90,350,1\r\n");
        write(QStringLiteral("Bob"), "\"2026-11-30 23:59:59\",\"Raglan\",21,90,40,120,0\r\n"
                                     "\"2026-12-08 09:30:00\",\"Klondike\",22,80,30,500,1\r\n"
                                     "a damaged line\r\n");
    }
    ~StatWindowsTest() override
    {
        shared.services.setClock(nullptr);
        shared.services.setPrompts(nullptr);
        QLocale::setDefault(QLocale::system());
    }
    void write(const QString& player, const QByteArray& lines)
    {
        QFile file(Players::ScoreFile(shared.data, player));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(lines);
    }
    static QAbstractItemModel* list(QWidget& window, const char* name)
    {
        auto* view = window.findChild<QTreeView*>(QLatin1String(name));
        EXPECT_NE(view, nullptr) << name;
        return view != nullptr ? view->model() : nullptr;
    }
    static QStringList row(QAbstractItemModel* model, int r)
    {
        QStringList cells;
        for (int c = 0; model != nullptr && c < model->columnCount(); ++c)
            cells << model->index(r, c).data().toString();
        return cells;
    }
    static QStringList column(QAbstractItemModel* model, int c)
    {
        QStringList cells;
        for (int r = 0; model != nullptr && r < model->rowCount(); ++r)
            cells << model->index(r, c).data().toString();
        return cells;
    }
    template <typename T> static T* child(QWidget& window, const char* name)
    {
        T* found = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    TempHome home;
    FakeClock clock;
    FakePrompts prompts;
    Shared shared;
};

TEST_F(StatWindowsTest, HighScoresRankEachListAndMarkItsKeyCell)
{
    {
        frmHighScore window(shared);
        ASSERT_EQ(prompts.messages.size(), 1) << "the damaged line, told once";
        EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("1 damaged line")));

        QAbstractItemModel* top = list(window, "lvTop");
        EXPECT_EQ(column(top, 2), (QStringList{"500", "400", "350", "120"})) << "no score of 0 or less";
        const QModelIndex score = top->index(0, 2);
        EXPECT_EQ(score.data(Qt::ForegroundRole).value<QColor>(), QColor(128, 0, 0));
        EXPECT_TRUE(score.data(Qt::FontRole).value<QFont>().bold());
        EXPECT_FALSE(top->index(0, 1).data(Qt::FontRole).value<QFont>().bold());

        auto* games = child<QComboBox>(window, "imcGames");
        games->setCurrentText(QStringLiteral("Raglan"));
        EXPECT_EQ(column(list(window, "lvGames"), 1), (QStringList{"Ann", "Bob"}));
        EXPECT_EQ(column(list(window, "lvPlayer"), 1), (QStringList{"Klondike", "Raglan"})) << "Ann is current";

        // Won games only, by time: the cell of the chosen key is marked.
        QAbstractItemModel* finished = list(window, "lvFin");
        EXPECT_EQ(column(finished, 3), (QStringList{"500", "400", "350"}));
        child<QComboBox>(window, "imcFin")->setCurrentText(QStringLiteral("Time"));
        EXPECT_EQ(column(finished, 4), (QStringList{"0:01:20", "0:01:40", "0:05:00"}));
        EXPECT_TRUE(finished->index(0, 4).data(Qt::FontRole).value<QFont>().bold());
        EXPECT_FALSE(finished->index(0, 3).data(Qt::FontRole).value<QFont>().bold());
        EXPECT_EQ(row(finished, 0).first(), QStringLiteral("1"));
    }
    EXPECT_EQ(shared.score.ScoreTop(), 0) << "released on closing";
}

TEST_F(StatWindowsTest, GameStatisticsShowRatesPeriodsAndEveryGame)
{
    frmGameStat window(shared);
    EXPECT_EQ(column(list(window, "lvGeneral"), 0).last(), QStringLiteral("Winning Percentage : 60%"));
    QAbstractItemModel* games = list(window, "lvGames");
    EXPECT_EQ(games->rowCount(), shared.data.TotalGames());
    const int klondike = static_cast<int>(column(games, 0).indexOf(QStringLiteral("Klondike")));
    EXPECT_EQ(row(games, klondike), (QStringList{"Klondike", "3", "2", "1", "0:06:20", "150", "880", "66.67%"}));
    EXPECT_EQ(row(list(window, "lvPlayer"), 0), (QStringList{"Ann", "3", "2", "1", "0:10:00", "210", "730", "67%"}));

    QAbstractItemModel* dates = list(window, "lvDate");
    EXPECT_EQ(column(dates, 0), (QStringList{"Dec 04", "Dec 05", "Dec 06", "Dec 07", "Dec 08"}));
    EXPECT_EQ(column(dates, 1), (QStringList{"0", "0", "0", "1", "2"}));
    child<QComboBox>(window, "imcDate")->setCurrentIndex(3);
    EXPECT_EQ(dates->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Month"));
    EXPECT_EQ(column(dates, 1), (QStringList{"0", "0", "0", "1", "4"}));
}

TEST_F(StatWindowsTest, TheSessionShowsTheRunningGameInDarkRedAndKeepsItCurrent)
{
    shared.data.setSesStartedAt(clock.now());
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(3));
    shared.gamePlay.setTime(30);
    shared.score.AddSesGame(1);
    shared.gamePlay.PlayNumber(QStringLiteral("Raglan"), GameNo(4));
    shared.gamePlay.setTime(61);

    frmSesStat window(shared);
    QAbstractItemModel* games = list(window, "lvSession");
    ASSERT_EQ(games->rowCount(), 3) << "two ended games, then the running one";
    EXPECT_EQ(column(games, 5), (QStringList{"Won", "Lost", "Running"}));
    EXPECT_EQ(games->index(2, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(120, 0, 0));
    EXPECT_FALSE(games->index(1, 0).data(Qt::ForegroundRole).isValid());
    EXPECT_EQ(games->index(2, 3).data().toString(), QStringLiteral("0:01:01"));
    EXPECT_EQ(list(window, "lvSesChart")->rowCount(), 3);

    clock.advance(3725);
    shared.gamePlay.setTime(125);
    emit window.tmrRefresh.timeout({});
    EXPECT_EQ(games->index(2, 3).data().toString(), QStringLiteral("0:02:05"));
    EXPECT_EQ(list(window, "lvSesChart")->index(2, 1).data().toString(), QStringLiteral("0:02:05"));
    bool elapsed = false;
    for (QLabel* label : window.findChildren<QLabel*>())
        elapsed = elapsed || label->text() == QStringLiteral("Time Elapsed : 1:02:05");
    EXPECT_TRUE(elapsed) << "the session's own time moves on";
}

TEST_F(StatWindowsTest, TheLogFiltersByPlayerGameAndCalendarDays)
{
    frmLogStat window(shared);
    QAbstractItemModel* log = list(window, "lvLog");
    EXPECT_EQ(log->rowCount(), 5) << "Show All";
    EXPECT_EQ(row(log, 0), (QStringList{"8 Dec 2026", "Ann", "Klondike", "400", "0:01:40", "50", "Won", "11"}));
    auto* dates = child<QComboBox>(window, "imcDate");
    dates->setCurrentText(QStringLiteral("Show Today"));
    EXPECT_EQ(column(log, 7), (QStringList{"11", "22"}));
    dates->setCurrentText(QStringLiteral("Last 7 Days"));
    EXPECT_EQ(column(log, 7), (QStringList{"11", "12", "13", "22"})) << "Dec 1 is 7 days back; Nov 30 is 8";
    dates->setCurrentText(QStringLiteral("Last 3 Months"));
    child<QComboBox>(window, "imcPlayer")->setCurrentText(QStringLiteral("Bob"));
    EXPECT_EQ(column(log, 7), (QStringList{"21", "22"}));
    child<QComboBox>(window, "imcGames")->setCurrentText(QStringLiteral("Raglan"));
    EXPECT_EQ(column(log, 7), QStringList{"21"});
    child<QComboBox>(window, "imcPlayer")->setCurrentText(QStringLiteral("Cid"));
    EXPECT_EQ(log->rowCount(), 0);
    EXPECT_EQ(prompts.messages.size(), 1) << "the damaged line told once, not per refill";

    // Sorting by a column, and back to the recorded order.
    child<QComboBox>(window, "imcPlayer")->setCurrentIndex(0);
    child<QComboBox>(window, "imcGames")->setCurrentIndex(0);
    dates->setCurrentText(QStringLiteral("Show All"));
    log->sort(3, Qt::DescendingOrder);
    EXPECT_EQ(column(log, 3), (QStringList{"500", "400", "350", "120", "-20"}));
    log->sort(-1, Qt::AscendingOrder);
    EXPECT_EQ(column(log, 7), (QStringList{"11", "12", "13", "21", "22"}));
}

} // namespace
