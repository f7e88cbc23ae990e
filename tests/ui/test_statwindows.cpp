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

#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <QValueAxis>

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
    EXPECT_EQ(row(games, klondike),
              (QStringList{"Klondike", "3", "2", "1", "0:06:20", "150", "880", "66.67%", "1", "1"}));
    EXPECT_EQ(row(list(window, "lvPlayer"), 0),
              (QStringList{"Ann", "3", "2", "1", "0:10:00", "210", "730", "67%", "1", "1"}));

    QAbstractItemModel* dates = list(window, "lvDate");
    EXPECT_EQ(column(dates, 0), (QStringList{"Dec 04", "Dec 05", "Dec 06", "Dec 07", "Dec 08"}));
    EXPECT_EQ(column(dates, 1), (QStringList{"0", "0", "0", "1", "2"}));
    child<QComboBox>(window, "imcDate")->setCurrentIndex(3);
    EXPECT_EQ(dates->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Month"));
    EXPECT_EQ(column(dates, 1), (QStringList{"0", "0", "0", "1", "4"}));
}

// Each player's and each game's winning streaks, in the lists and for the
// one chosen.
TEST_F(StatWindowsTest, GameStatisticsShowTheWinningStreaks)
{
    // Cid: won three, lost one, won two (a damaged line between the two
    // does not end that run).
    write(QStringLiteral("Cid"), "\"2026-12-01 10:00:00\",\"Canister\",1,60,10,5,1\r\n"
                                 "\"2026-12-02 10:00:00\",\"Canister\",2,60,10,5,1\r\n"
                                 "\"2026-12-03 10:00:00\",\"Raglan\",3,60,10,5,1\r\n"
                                 "\"2026-12-04 10:00:00\",\"Canister\",4,60,10,5,0\r\n"
                                 "\"2026-12-05 10:00:00\",\"Canister\",5,60,10,5,1\r\n"
                                 "\"2026-12-05 11:00:00\",\"Can\r\n"
                                 "\"2026-12-06 10:00:00\",\"Canister\",6,60,10,5,1\r\n");
    frmGameStat window(shared);
    QAbstractItemModel* players = list(window, "lvPlayer");
    ASSERT_EQ(players->columnCount(), 10);
    EXPECT_EQ(players->headerData(8, Qt::Horizontal).toString(), QStringLiteral("Current Streak"));
    EXPECT_EQ(players->headerData(9, Qt::Horizontal).toString(), QStringLiteral("Longest Streak"));
    EXPECT_EQ(row(players, 2).mid(8), (QStringList{"2", "3"})) << row(players, 2).join(',').toStdString();
    EXPECT_EQ(row(players, 1).mid(8), (QStringList{"1", "1"})) << "Bob lost, then won";

    QAbstractItemModel* games = list(window, "lvGames");
    const int canister = static_cast<int>(column(games, 0).indexOf(QStringLiteral("Canister")));
    EXPECT_EQ(row(games, canister).mid(8), (QStringList{"2", "2"})) << "the Raglan win is no Canister win";
    const int raglan = static_cast<int>(column(games, 0).indexOf(QStringLiteral("Raglan")));
    EXPECT_EQ(row(games, raglan).mid(8), (QStringList{"1", "1"})) << "Ann won, Bob lost, Cid won: no run across files";

    child<QComboBox>(window, "imcPlayer")->setCurrentText(QStringLiteral("Cid"));
    EXPECT_EQ(child<QLabel>(window, "lblPlayerStreak")->text(), QStringLiteral("Current Streak : 2"));
    EXPECT_EQ(child<QLabel>(window, "lblPlayerLongest")->text(), QStringLiteral("Longest Streak : 3"));
    child<QComboBox>(window, "imcGames")->setCurrentText(QStringLiteral("Canister"));
    EXPECT_EQ(child<QLabel>(window, "lblGameStreak")->text(),
              QStringLiteral("Current Streak : 2    Longest Streak : 2"));
}

// Enter closes the statistics window; pressed again it does not answer
// Yes to clearing them.
TEST_F(StatWindowsTest, TwoEntersNeverClearTheStatistics)
{
    // Were the question asked, it would be answered Yes.
    prompts.answers = {Prompts::Answer::Ok, Prompts::Answer::Yes, Prompts::Answer::Ok};
    frmGameStat window(shared);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_FALSE(child<QPushButton>(window, "cmdClear")->isDefault());
    EXPECT_TRUE(child<QPushButton>(window, "cmdClose")->isDefault());
    for (int press = 0; press < 2; ++press) {
        QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &window;
        QTest::keyClick(target, Qt::Key_Return);
    }
    EXPECT_FALSE(window.isVisible()) << "Enter closes the window";
    EXPECT_EQ(prompts.messages.size(), 1) << prompts.messages.join('\n').toStdString();
    EXPECT_TRUE(QFile::exists(Players::ScoreFile(shared.data, QStringLiteral("Ann"))));
    EXPECT_TRUE(QFile::exists(Players::ScoreFile(shared.data, QStringLiteral("Bob"))));
}

// No list cuts a text short: every column but the last, which takes the
// room left, is as wide as its widest cell and its heading.
TEST_F(StatWindowsTest, ListColumnsAreAsWideAsTheirTexts)
{
    // A long name, long game names and long figures.
    Players(shared.services.settings()).AddPlayer(QStringLiteral("Maximiliana Wolkenstein"));
    write(QStringLiteral("Maximiliana Wolkenstein"),
          "\"2026-12-08 08:00:00\",\"Double Klondike by Threes\",123456789012,220000,32000,-32000,0\r\n");
    shared.data.setSesStartedAt(clock.now());
    shared.gamePlay.PlayNumber(QStringLiteral("Double Klondike Freecell"), GameNo(4567890123.0));
    const auto check = [](QWidget& window) {
        window.show();
        const QList<QTreeView*> lists = window.findChildren<QTreeView*>();
        ASSERT_FALSE(lists.isEmpty());
        for (QTreeView* view : lists) {
            QAbstractItemModel* model = view->model();
            const QFontMetrics metrics(view->font());
            for (int c = 0; c + 1 < model->columnCount(); ++c) {
                const int width = view->header()->sectionSize(c);
                const QString heading = model->headerData(c, Qt::Horizontal).toString();
                EXPECT_GT(width, metrics.horizontalAdvance(heading))
                    << view->objectName().toStdString() << ": " << heading.toStdString();
                for (int r = 0; r < model->rowCount(); ++r) {
                    const QString text = model->index(r, c).data().toString();
                    EXPECT_GT(width, metrics.horizontalAdvance(text))
                        << view->objectName().toStdString() << ": " << text.toStdString();
                }
            }
        }
    };
    {
        frmGameStat window(shared);
        check(window);
    }
    {
        frmHighScore window(shared);
        check(window);
    }
    {
        frmLogStat window(shared);
        check(window);
    }
    {
        frmSesStat window(shared);
        check(window);
    }
}

// Every slot of a top list is in sight without scrolling.
TEST_F(StatWindowsTest, HighScoresShowAllTwentySlots)
{
    QByteArray lines;
    for (int n = 1; n <= 25; ++n)
        lines += "\"2026-12-08 08:00:00\",\"Klondike\"," + QByteArray::number(n) + ",60,10," +
                 QByteArray::number(n * 10) + ",1\r\n";
    write(QStringLiteral("Cid"), lines);
    frmHighScore window(shared);
    window.show();
    QApplication::processEvents();
    child<QComboBox>(window, "imcGames")->setCurrentText(QStringLiteral("Klondike"));
    for (const char* name : {"lvTop", "lvGames", "lvFin"}) {
        auto* view = child<QTreeView>(window, name);
        view->window()->findChild<QTabWidget*>()->setCurrentWidget(view->parentWidget());
        QApplication::processEvents();
        ASSERT_EQ(view->model()->rowCount(), 20) << name;
        const QRect last = view->visualRect(view->model()->index(19, 0));
        EXPECT_TRUE(view->viewport()->rect().contains(last)) << name << ": the twentieth slot is cut off";
    }
    EXPECT_EQ(list(window, "lvTop")->index(19, 2).data().toString(), QStringLiteral("100"))
        << "500, 400, 350, 250 down to 120 (twice), 110, 100";
}

// A result below zero is a bar below zero, on an axis that reaches it.
TEST_F(StatWindowsTest, BarChartsShowNegativeScoresBelowZero)
{
    frmGameStat window(shared);
    child<QComboBox>(window, "imcGames")->setCurrentText(QStringLiteral("Klondike"));
    QChart* chart = child<QChartView>(window, "chGames1")->chart();
    auto* series = qobject_cast<QBarSeries*>(chart->series().value(0));
    ASSERT_NE(series, nullptr);
    QBarSet* scores = series->barSets().value(0);
    ASSERT_NE(scores, nullptr);
    EXPECT_EQ(scores->label(), QStringLiteral("Score"));
    ASSERT_EQ(scores->count(), 3);
    EXPECT_EQ(scores->at(1), -20) << "Ann's lost Klondike";
    auto* axis = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).value(0));
    ASSERT_NE(axis, nullptr);
    EXPECT_LE(axis->min(), -20);
    EXPECT_GE(axis->max(), 500);
}

// The labels of a count axis as the chart writes them: "%d" cuts a value
// to its whole part.
QStringList axisLabels(const QValueAxis& axis)
{
    QStringList shown;
    const int ticks = axis.tickCount();
    for (int i = 0; i < ticks; ++i)
        shown << QString::number(static_cast<qint64>(axis.min() + (axis.max() - axis.min()) * i / (ticks - 1)));
    return shown;
}

// Every count axis is labelled in distinct whole numbers, with the figures
// of the score files and with no scores at all (every bar zero): "0, 0, 1"
// reads as nonsense.
void expectDistinctAxisLabels(Shared& shared)
{
    frmGameStat statistics(shared);
    frmSesStat session(shared);
    int axes = 0;
    for (QWidget* window : {static_cast<QWidget*>(&statistics), static_cast<QWidget*>(&session)})
        for (QChartView* view : window->findChildren<QChartView*>())
            for (QAbstractAxis* axis : view->chart()->axes(Qt::Vertical))
                if (auto* values = qobject_cast<QValueAxis*>(axis)) {
                    ++axes;
                    const QStringList shown = axisLabels(*values);
                    EXPECT_EQ(QSet<QString>(shown.begin(), shown.end()).size(), shown.size())
                        << view->objectName().toStdString() << ": " << shown.join(QStringLiteral(", ")).toStdString();
                }
    EXPECT_GE(axes, 4) << "the bar charts of both windows";
}

TEST_F(StatWindowsTest, EveryValueAxisIsLabelledInDistinctNumbers) { expectDistinctAxisLabels(shared); }

TEST(StatWindowsEmptyTest, EveryValueAxisIsLabelledInDistinctNumbersWithNoScores)
{
    TempHome home;
    Shared shared;
    expectDistinctAxisLabels(shared);
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
