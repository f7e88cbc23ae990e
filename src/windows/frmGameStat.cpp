#include "windows/frmGameStat.h"

#include "scores/Players.h"
#include "scores/StatFigures.h"
#include "session/Shared.h"
#include "windows/common/Guard.h"
#include "windows/common/PlayerChooser.h"
#include "windows/common/ScreenFit.h"
#include "windows/common/StatViews.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const QStringList kTotalsColumns{
    QStringLiteral("Played"),        QStringLiteral("Won"),   QStringLiteral("Lost"), QStringLiteral("Time"),
    QStringLiteral("Moves"),         QStringLiteral("Score"), QStringLiteral("Perc"), QStringLiteral("Current Streak"),
    QStringLiteral("Longest Streak")};

QChart* threeBars(const StatRec& s)
{
    return barChart({QStringLiteral("Score"), QStringLiteral("Moves"), QStringLiteral("Time")},
                    {{QStringLiteral("Totals"), {qreal(s.Score), qreal(s.Moves), qreal(s.Time)}}});
}

// A row of totals after its name; the percentage as `percent` writes it.
QStringList totalsRow(const QString& name, const StatRec& s, QString (*percent)(int32_t, int32_t),
                      const statFigures::Streak& streak)
{
    return {name,
            QString::number(s.Played),
            QString::number(s.Won),
            QString::number(s.Lost),
            timeText(s.Time),
            QString::number(s.Moves),
            QString::number(s.Score),
            percent(s.Won, s.Played),
            QString::number(streak.current),
            QString::number(streak.longest)};
}

QString currentStreak(const statFigures::Streak& streak)
{
    return QStringLiteral("Current Streak : ") + QString::number(streak.current);
}

QString longestStreak(const statFigures::Streak& streak)
{
    return QStringLiteral("Longest Streak : ") + QString::number(streak.longest);
}

QWidget* chooserRow(const QString& label, QComboBox* chooser, QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(label, row));
    layout->addWidget(chooser, 1);
    return row;
}

} // namespace

frmGameStat::frmGameStat(Shared& shared, QWidget* parent)
    : QDialog(parent), shared_(shared), tabs_(new QTabWidget(this)),
      lvGeneral_(new TextTableModel({QStringLiteral("All Players and Games")}, this)),
      chGen_(chartView(wonLostChart(0, 0), "chGen", this)), chGen1_(chartView(threeBars({}), "chGen1", this)),
      lvPlayer_(new TextTableModel(QStringList{QStringLiteral("Player")} + kTotalsColumns, this)),
      imcPlayer_(new QComboBox(this)), lblPlayer_{new QLabel(this), new QLabel(this), new QLabel(this),
                                                  new QLabel(this), new QLabel(this)},
      chPlayer_(chartView(wonLostChart(0, 0), "chPlayer", this)),
      chPlayer1_(chartView(threeBars({}), "chPlayer1", this)), imcDate_(new QComboBox(this)),
      lvDate_(new TextTableModel({QStringLiteral("Day"), QStringLiteral("Played"), QStringLiteral("Won")}, this)),
      chDate_(chartView(wonLostChart(0, 0), "chDate", this)), chDate1_(chartView(threeBars({}), "chDate1", this)),
      lvGames_(new TextTableModel(QStringList{QStringLiteral("Game")} + kTotalsColumns, this)),
      imcGames_(new QComboBox(this)), lblGame_(new QLabel(this)),
      chGames_(chartView(wonLostChart(0, 0), "chGames", this)), chGames1_(chartView(threeBars({}), "chGames1", this))
{
    setObjectName(QStringLiteral("frmGameStat"));
    setWindowTitle(QStringLiteral("Game Statistics"));
    setModal(true);
    Services& services = shared_.services;
    services.sounds().raise(SoundEvent::GameStat);
    shared_.score.OpenAllScore();

    // General.
    auto* general = new QWidget;
    auto* generalLayout = new QHBoxLayout(general);
    QTreeView* lines = statList(lvGeneral_, "lvGeneral", general);
    lines->setAlternatingRowColors(false);
    lines->setMaximumWidth(300);
    generalLayout->addWidget(lines);
    auto* generalCharts = new QVBoxLayout;
    generalCharts->addWidget(chGen_, 1);
    generalCharts->addWidget(chGen1_, 1);
    generalLayout->addLayout(generalCharts, 1);
    tabs_->addTab(general, QStringLiteral("General"));

    // Players.
    const Players players(services.settings());
    imcPlayer_->setObjectName(QStringLiteral("imcPlayer"));
    playerChooser::fill(*imcPlayer_, players);
    auto* playersPage = new QWidget;
    auto* playersLayout = new QGridLayout(playersPage);
    playersLayout->addWidget(statList(lvPlayer_, "lvPlayer", playersPage), 0, 0, 1, 3);
    auto* chosen = new QVBoxLayout;
    chosen->addWidget(chooserRow(QStringLiteral("Player :"), imcPlayer_, playersPage));
    for (QLabel* label : lblPlayer_)
        chosen->addWidget(label);
    lblPlayer_[3]->setObjectName(QStringLiteral("lblPlayerStreak"));
    lblPlayer_[4]->setObjectName(QStringLiteral("lblPlayerLongest"));
    chosen->addStretch();
    playersLayout->addLayout(chosen, 1, 0);
    playersLayout->addWidget(chPlayer_, 1, 1);
    playersLayout->addWidget(chPlayer1_, 1, 2);
    playersLayout->setRowStretch(0, 2);
    playersLayout->setRowStretch(1, 3);
    tabs_->addTab(playersPage, QStringLiteral("Players"));

    // Dates.
    imcDate_->setObjectName(QStringLiteral("imcDate"));
    for (const statFigures::PeriodChoice& choice : statFigures::kPeriodChoices)
        imcDate_->addItem(QLatin1String(choice.text), QLatin1String(choice.key));
    auto* datesPage = new QWidget;
    auto* datesLayout = new QGridLayout(datesPage);
    datesLayout->addWidget(chooserRow(QStringLiteral("Show :"), imcDate_, datesPage), 0, 0);
    QTreeView* dates = statList(lvDate_, "lvDate", datesPage);
    dates->setMaximumWidth(300);
    datesLayout->addWidget(dates, 1, 0);
    datesLayout->addWidget(chDate_, 0, 1, 2, 1);
    datesLayout->addWidget(chDate1_, 2, 0, 1, 2);
    datesLayout->setColumnStretch(1, 1);
    datesLayout->setRowStretch(1, 1);
    datesLayout->setRowStretch(2, 1);
    tabs_->addTab(datesPage, QStringLiteral("Dates"));

    // Games.
    fillGameChooser(*imcGames_, shared_);
    auto* gamesPage = new QWidget;
    auto* gamesLayout = new QGridLayout(gamesPage);
    gamesLayout->addWidget(statList(lvGames_, "lvGames", gamesPage), 0, 0, 1, 2);
    gamesLayout->addWidget(chooserRow(QStringLiteral("Game :"), imcGames_, gamesPage), 1, 0);
    lblGame_->setObjectName(QStringLiteral("lblGameStreak"));
    gamesLayout->addWidget(lblGame_, 1, 1);
    gamesLayout->addWidget(chGames_, 2, 0);
    gamesLayout->addWidget(chGames1_, 2, 1);
    gamesLayout->setColumnStretch(1, 2);
    gamesLayout->setColumnStretch(0, 1);
    gamesLayout->setRowStretch(0, 2);
    gamesLayout->setRowStretch(2, 3);
    tabs_->addTab(gamesPage, QStringLiteral("Games"));

    // The statistics themselves; neither changes what is shown here.
    auto* cmdClear = new QPushButton(QStringLiteral("Clear Statistics"), this);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    auto* cmdExport = new QPushButton(QStringLiteral("Export Statistics"), this);
    cmdExport->setObjectName(QStringLiteral("cmdExport"));
    auto* cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    guard::connect(services, cmdClear, &QPushButton::clicked, this, [this] { shared_.score.ClearStat(); });
    guard::connect(services, cmdExport, &QPushButton::clicked, this, [this] { shared_.score.ExportStat(); });
    guard::connect(services, cmdClose, &QPushButton::clicked, this, [this] { close(); });
    // Enter closes the window; it never starts clearing the statistics,
    // whose question takes Enter as Yes.
    cmdClear->setAutoDefault(false);
    cmdExport->setAutoDefault(false);
    cmdClose->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdClear);
    buttons->addWidget(cmdExport);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    // The pages scroll where the screen is smaller than they need; the
    // buttons stay in sight.
    auto* pages = new QVBoxLayout;
    pages->addWidget(tabs_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(screenFit::scrolling(pages, this), 1);
    layout->addLayout(buttons);
    screenFit::resizeWithin(*this, QSize(900, 640));

    for (QTreeView* list : findChildren<QTreeView*>())
        fitColumns(*list, shared_.services);
    fillGeneral();
    fillPlayers();
    fillDates();
    fillGames();
    tabs_->setCurrentIndex(0);
    guard::connect(services, imcPlayer_, &QComboBox::currentIndexChanged, this, [this] { showPlayer(); });
    guard::connect(services, imcDate_, &QComboBox::currentIndexChanged, this, [this] { fillDates(); });
    guard::connect(services, imcGames_, &QComboBox::currentIndexChanged, this, [this] { showGame(); });
    tellSkippedLines(services, shared_.score);
}

frmGameStat::~frmGameStat() { shared_.score.CloseScore(); }

void frmGameStat::fillGeneral()
{
    const StatRec all = shared_.score.StatAll();
    std::vector<QStringList> rows;
    for (const statFigures::Line& line : statFigures::generalLines(all))
        rows.push_back({line.label + line.value});
    lvGeneral_->setRows(std::move(rows));
    replaceChart(chGen_, wonLostChart(all.Won, all.Played - all.Won));
    replaceChart(chGen1_, threeBars(all));
}

void frmGameStat::fillPlayers()
{
    const Players players(shared_.services.settings());
    std::vector<QStringList> rows;
    for (int16_t slot = 1; slot <= players.PlayerCount(); ++slot) {
        const QString name = players.PlayerName(slot);
        rows.push_back(totalsRow(name, shared_.score.StatPlayer(name), &statFigures::playerPercentage,
                                 statFigures::playerStreak(shared_.score, name)));
    }
    lvPlayer_->setRows(std::move(rows));
    showPlayer();
}

void frmGameStat::showPlayer()
{
    const QString player = imcPlayer_->currentText();
    const StatRec s = shared_.score.StatPlayer(player);
    lblPlayer_[0]->setText(QStringLiteral("Games Played : ") + QString::number(s.Played));
    lblPlayer_[1]->setText(QStringLiteral("Games Won : ") + QString::number(s.Won));
    lblPlayer_[2]->setText(QStringLiteral("Games Lost : ") + QString::number(s.Lost));
    const statFigures::Streak streak = statFigures::playerStreak(shared_.score, player);
    lblPlayer_[3]->setText(currentStreak(streak));
    lblPlayer_[4]->setText(longestStreak(streak));
    replaceChart(chPlayer_, wonLostChart(s.Won, s.Played - s.Won));
    replaceChart(chPlayer1_, threeBars(s));
}

void frmGameStat::fillDates()
{
    const statFigures::PeriodChoice& choice =
        statFigures::kPeriodChoices[static_cast<size_t>(std::max(0, imcDate_->currentIndex()))];
    const std::vector<PeriodStatRec> periods =
        statFigures::periodRows(shared_.score, shared_.services.clock().now().date(), choice);
    std::vector<QStringList> rows;
    QStringList labels;
    QList<qreal> played, won, score, moves, time;
    for (const PeriodStatRec& p : periods) {
        rows.push_back({p.Label, QString::number(p.Played), QString::number(p.Won)});
        labels << p.Label;
        played << p.Played;
        won << p.Won;
        score << p.Score;
        moves << p.Moves;
        time << p.Time;
    }
    lvDate_->setHeadings({QLatin1String(choice.heading), QStringLiteral("Played"), QStringLiteral("Won")});
    lvDate_->setRows(std::move(rows));
    replaceChart(chDate_, barChart(labels, {{QStringLiteral("Played"), played}, {QStringLiteral("Won"), won}}));
    replaceChart(chDate1_, barChart(labels, {{QStringLiteral("Score"), score},
                                             {QStringLiteral("Moves"), moves},
                                             {QStringLiteral("Time"), time}}));
}

void frmGameStat::fillGames()
{
    std::vector<QStringList> rows;
    for (int16_t id = 1; id <= shared_.data.TotalGames(); ++id) {
        const QString name = shared_.data.GetGName(id);
        rows.push_back(totalsRow(name, shared_.score.StatGame(name), &statFigures::winningPercentage,
                                 statFigures::gameStreak(shared_.score, name)));
    }
    lvGames_->setRows(std::move(rows));
    showGame();
}

void frmGameStat::showGame()
{
    const QString game = imcGames_->currentText();
    const StatRec s = shared_.score.StatGame(game);
    const statFigures::Streak streak = statFigures::gameStreak(shared_.score, game);
    lblGame_->setText(currentStreak(streak) + QStringLiteral("    ") + longestStreak(streak));
    replaceChart(chGames_, wonLostChart(s.Won, s.Played - s.Won));
    // The game's first fifty results, in the order they were recorded.
    QStringList numbers;
    QList<qreal> score, moves, time;
    for (int32_t position = 1; position <= shared_.score.ScoreTop() && numbers.size() < 50; ++position) {
        const ScoreRec& r = shared_.score.GetScore(position);
        if (r.GameName != game)
            continue;
        numbers << QString::number(numbers.size() + 1);
        score << r.Score;
        moves << r.Moves;
        time << r.Time;
    }
    replaceChart(chGames1_, barChart(numbers, {{QStringLiteral("Score"), score},
                                               {QStringLiteral("Moves"), moves},
                                               {QStringLiteral("Time"), time}}));
}
