#include "windows/frmSesStat.h"

#include "scores/Players.h"
#include "session/Shared.h"
#include "windows/common/Guard.h"
#include "windows/common/ScreenFit.h"
#include "windows/common/StatViews.h"

#include <QChartView>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const QStringList kSessionColumns{QStringLiteral("Game"), QStringLiteral("Game No"), QStringLiteral("Player"),
                                  QStringLiteral("Time"), QStringLiteral("Moves"),   QStringLiteral("Status"),
                                  QStringLiteral("Score")};
constexpr int kSessionTime = 3;
constexpr int kSessionScore = 6;
constexpr int kChartTime = 1;
constexpr int kChartScore = 3;

QLabel* figureLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

frmSesStat::frmSesStat(Shared& shared, QWidget* parent)
    : QDialog(parent), shared_(shared), tabs_(new QTabWidget(this)),
      chSummary_(chartView(wonLostChart(0, 0), "chSummary", this)),
      lvSession_(new TextTableModel(kSessionColumns, this)),
      lvSesChart_(new TextTableModel(
          {QStringLiteral("No."), QStringLiteral("Time"), QStringLiteral("Moves"), QStringLiteral("Score")}, this)),
      chChart_(chartView(wonLostChart(0, 0), "chChart", this))
{
    setObjectName(QStringLiteral("frmSesStat"));
    setWindowTitle(QStringLiteral("Session Statistics"));
    setModal(true);
    Services& services = shared_.services;
    services.sounds().raise(SoundEvent::SessionStat);

    // This session.
    auto* summaryPage = new QWidget;
    auto* summaryLayout = new QHBoxLayout(summaryPage);
    auto* session = new QGroupBox(QStringLiteral("This Session"), summaryPage);
    auto* sessionLines = new QVBoxLayout(session);
    for (QLabel*& label : lblSummary_) {
        label = figureLabel(session);
        sessionLines->addWidget(label);
    }
    sessionLines->addStretch();
    summaryLayout->addWidget(session);
    summaryLayout->addWidget(chSummary_, 1);
    tabs_->addTab(summaryPage, QStringLiteral("Summary"));

    // Its games, and the one being played.
    auto* sessionPage = new QWidget;
    auto* sessionLayout = new QVBoxLayout(sessionPage);
    sessionLayout->addWidget(statList(lvSession_, "lvSession", sessionPage));
    tabs_->addTab(sessionPage, QStringLiteral("Games"));

    auto* gamePage = new QWidget;
    auto* gameLayout = new QVBoxLayout(gamePage);
    auto* game = new QGroupBox(QStringLiteral("This Game"), gamePage);
    auto* gameLines = new QVBoxLayout(game);
    for (QLabel*& label : lblGame_) {
        label = figureLabel(game);
        gameLines->addWidget(label);
    }
    gameLines->addStretch();
    gameLayout->addWidget(game);
    tabs_->addTab(gamePage, QStringLiteral("This Game"));

    auto* chartPage = new QWidget;
    auto* chartLayout = new QHBoxLayout(chartPage);
    auto* chartList = new QVBoxLayout;
    QTreeView* list = statList(lvSesChart_, "lvSesChart", chartPage);
    list->setMaximumWidth(320);
    chartList->addWidget(list, 1);
    auto* cmdRefresh = new QPushButton(QStringLiteral("Refresh Chart"), chartPage);
    cmdRefresh->setObjectName(QStringLiteral("cmdRefresh"));
    guard::connect(services, cmdRefresh, &QPushButton::clicked, this, [this] { fillChart(); });
    chartList->addWidget(cmdRefresh);
    chartLayout->addLayout(chartList);
    chartLayout->addWidget(chChart_, 1);
    tabs_->addTab(chartPage, QStringLiteral("Chart"));

    // The pages scroll where the screen is smaller than they need; the
    // buttons stay in sight.
    auto* pages = new QVBoxLayout;
    pages->addWidget(tabs_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(screenFit::scrolling(pages, this), 1);
    layout->addLayout(closeRow(*this, services));
    screenFit::resizeWithin(*this, QSize(820, 520));

    for (QTreeView* list : findChildren<QTreeView*>())
        fitColumns(*list, shared_.services);
    fillSummary();
    fillSession();
    fillThisGame();
    fillChart();
    tabs_->setCurrentIndex(0);
    tmrRefresh.setInterval(1000);
    guard::connect(services, &tmrRefresh, &QTimer::timeout, this, [this] { tick(); });
    tmrRefresh.start();
}

bool frmSesStat::gameRunning() const { return shared_.gamePlay.Game_Status() == cGamePlay::kInProgress; }

QString frmSesStat::elapsed() const
{
    const QDateTime& started = shared_.data.sesStartedAt();
    return timeText(started.isValid() ? std::max<int64_t>(0, started.secsTo(shared_.services.clock().now())) : 0);
}

void frmSesStat::fillSummary()
{
    const cScore& score = shared_.score;
    const StatRec s = score.StatSession();
    const QString lines[] = {
        QStringLiteral("Started : ") + shared_.data.SesStartTime(),
        QStringLiteral("Games Played : ") + QString::number(score.SesTop()),
        QStringLiteral("Games Won : ") + QString::number(s.Won),
        QStringLiteral("Games Lost : ") + QString::number(s.Lost),
        QStringLiteral("Total Score : ") + QString::number(s.Score),
        QStringLiteral("Total Moves : ") + QString::number(s.Moves),
        QStringLiteral("Time Elapsed : ") + elapsed(),
    };
    for (size_t i = 0; i < std::size(lines); ++i)
        lblSummary_[i]->setText(lines[i]);
    replaceChart(chSummary_, wonLostChart(s.Won, s.Lost));
}

void frmSesStat::fillSession()
{
    const cScore& score = shared_.score;
    std::vector<QStringList> rows;
    for (int32_t position = 1; position <= score.SesTop(); ++position) {
        const ScoreRec& r = score.GetSesGame(position);
        QStringList row;
        for (const QString& column : kSessionColumns)
            row << recordCell(r, column);
        rows.push_back(row);
    }
    const cGamePlay& game = shared_.gamePlay;
    if (gameRunning())
        rows.push_back({game.GameName(), game.gameNo().toString(), Players(shared_.services.settings()).CurrentPlayer(),
                        game.TimeString(), QString::number(game.Moves()), QStringLiteral("Running"),
                        QString::number(game.Score())});
    lvSession_->setRows(std::move(rows));
    if (gameRunning())
        lvSession_->setRowColour(score.SesTop(), kRunningRed);
}

void frmSesStat::fillThisGame()
{
    const cGamePlay& game = shared_.gamePlay;
    const bool running = gameRunning();
    const QString values[] = {
        running ? game.Game_StartTime() : QString(),          running ? game.GameName() : QString(),
        running ? game.gameNo().toString() : QString(),       running ? QString::number(game.Score()) : QString(),
        running ? QString::number(game.Moves()) : QString(),  running ? game.TimeString() : QString(),
        Players(shared_.services.settings()).CurrentPlayer(),
    };
    const char* labels[] = {
        "Game Started : ", "Game : ", "Game Number : ", "Score : ", "Moves : ", "Time Elapsed : ", "Player Name : "};
    for (size_t i = 0; i < std::size(labels); ++i)
        lblGame_[i]->setText(QLatin1String(labels[i]) + values[i]);
}

void frmSesStat::fillChart()
{
    const cScore& score = shared_.score;
    std::vector<QStringList> rows;
    QStringList numbers;
    QList<qreal> scores, moves, times;
    const auto add = [&](int32_t time, int32_t moveCount, int32_t points) {
        const QString number = QString::number(rows.size() + 1);
        rows.push_back({number, timeText(time), QString::number(moveCount), QString::number(points)});
        numbers << number;
        scores << points;
        moves << moveCount;
        times << time;
    };
    for (int32_t position = 1; position <= score.SesTop(); ++position) {
        const ScoreRec& r = score.GetSesGame(position);
        add(r.Time, r.Moves, r.Score);
    }
    const cGamePlay& game = shared_.gamePlay;
    if (gameRunning())
        add(game.Time(), game.Moves(), game.Score());
    lvSesChart_->setRows(std::move(rows));
    if (gameRunning())
        lvSesChart_->setRowColour(score.SesTop(), kRunningRed);
    replaceChart(chChart_, barChart(numbers, {{QStringLiteral("Score"), scores},
                                              {QStringLiteral("Moves"), moves},
                                              {QStringLiteral("Time"), times}}));
}

void frmSesStat::tick()
{
    lblSummary_[6]->setText(QStringLiteral("Time Elapsed : ") + elapsed());
    if (!gameRunning())
        return;
    const cGamePlay& game = shared_.gamePlay;
    const int running = shared_.score.SesTop();
    const QString score = QString::number(game.Score());
    lvSession_->setCell(running, kSessionTime, game.TimeString());
    lvSession_->setCell(running, kSessionScore, score);
    lvSesChart_->setCell(running, kChartTime, timeText(game.Time()));
    lvSesChart_->setCell(running, kChartScore, score);
    lblGame_[3]->setText(QStringLiteral("Score : ") + score);
    lblGame_[5]->setText(QStringLiteral("Time Elapsed : ") + game.TimeString());
}
