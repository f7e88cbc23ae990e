#include "windows/frmHighScore.h"

#include "scores/Players.h"
#include "session/Shared.h"
#include "windows/common/Guard.h"
#include "windows/common/PlayerChooser.h"
#include "windows/common/ScreenFit.h"
#include "windows/common/StatViews.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const QStringList kRecordColumns{QStringLiteral("Time"), QStringLiteral("Moves"), QStringLiteral("Status"),
                                 QStringLiteral("Date"), QStringLiteral("Game No.")};

// Slots 1 to 20 of the top list that hold a record, as rows under the
// model's headings; the key column of each is bold and dark red.
void showTopList(TextTableModel& model, const cScore& score, bool filledByDate, const QString& key)
{
    const QStringList columns = model.headings();
    std::vector<QStringList> rows;
    for (int16_t slot = 1; slot <= cScore::kTopSlots; ++slot) {
        const ScoreRec& r = score.GetTopEntry(slot);
        if (filledByDate ? r.Date.isEmpty() : r.Score <= 0)
            continue;
        QStringList row;
        for (const QString& column : columns)
            row << (column == QLatin1String("S No.") ? QString::number(slot) : recordCell(r, column));
        rows.push_back(row);
    }
    model.setRows(std::move(rows));
    const int keyColumn = static_cast<int>(columns.indexOf(key));
    for (int row = 0; row < model.rowCount(); ++row)
        model.setCellEmphasis(row, keyColumn, kHighScoreRed);
}

} // namespace

frmHighScore::frmHighScore(Shared& shared, QWidget* parent)
    : QDialog(parent), shared_(shared), tabs_(new QTabWidget(this)), imcGames_(new QComboBox(this)),
      imcPlayer_(new QComboBox(this)), imcFin_(new QComboBox(this)),
      lvTop_(new TextTableModel(QStringList{QStringLiteral("Game"), QStringLiteral("Player"), QStringLiteral("Score")} +
                                    kRecordColumns,
                                this)),
      lvGames_(new TextTableModel(
          QStringList{QStringLiteral("S No."), QStringLiteral("Player"), QStringLiteral("Score")} + kRecordColumns,
          this)),
      lvPlayer_(new TextTableModel(
          QStringList{QStringLiteral("S No."), QStringLiteral("Game"), QStringLiteral("Score")} + kRecordColumns,
          this)),
      lvFin_(new TextTableModel({QStringLiteral("S No."), QStringLiteral("Game"), QStringLiteral("Player"),
                                 QStringLiteral("Score"), QStringLiteral("Time"), QStringLiteral("Moves"),
                                 QStringLiteral("Date"), QStringLiteral("Game No.")},
                                this))
{
    setObjectName(QStringLiteral("frmHighScore"));
    setWindowTitle(QStringLiteral("High Score"));
    setModal(true);
    Services& services = shared_.services;
    services.sounds().raise(SoundEvent::HighScore);
    shared_.score.OpenAllScore();

    fillGameChooser(*imcGames_, shared_);
    imcPlayer_->setObjectName(QStringLiteral("imcPlayer"));
    playerChooser::fill(*imcPlayer_, Players(services.settings()));
    imcFin_->setObjectName(QStringLiteral("imcFin"));
    imcFin_->addItems({QStringLiteral("Score"), QStringLiteral("Moves"), QStringLiteral("Time")});

    const auto tab = [&](const QString& title, QComboBox* chooser, const QString& choosing, TextTableModel* model,
                         const char* name) {
        auto* page = new QWidget;
        auto* layout = new QVBoxLayout(page);
        if (chooser != nullptr) {
            auto* row = new QHBoxLayout;
            row->addWidget(new QLabel(choosing, page));
            row->addWidget(chooser, 1);
            layout->addLayout(row);
        }
        QTreeView* list = statList(model, name, page);
        layout->addWidget(list, 1);
        tabs_->addTab(page, title);
    };
    tab(QStringLiteral("Top Scores"), nullptr, QString(), lvTop_, "lvTop");
    tab(QStringLiteral("By Game"), imcGames_, QStringLiteral("Game :"), lvGames_, "lvGames");
    tab(QStringLiteral("By Player"), imcPlayer_, QStringLiteral("Player :"), lvPlayer_, "lvPlayer");
    tab(QStringLiteral("Finished Games"), imcFin_, QStringLiteral("Rank by :"), lvFin_, "lvFin");

    // The pages scroll where the screen is smaller than they need; the
    // buttons stay in sight.
    auto* pages = new QVBoxLayout;
    pages->addWidget(tabs_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(screenFit::scrolling(pages, this), 1);
    layout->addLayout(closeRow(*this, services));
    for (QTreeView* list : findChildren<QTreeView*>())
        fitColumns(*list, shared_.services);
    fillTop();
    fillGames();
    fillPlayer();
    fillFin();
    // Every slot of a top list in sight at once.
    for (QTreeView* list : findChildren<QTreeView*>())
        showRows(*list, cScore::kTopSlots);
    screenFit::resizeWithin(*this, QSize(880, 640));
    tabs_->setCurrentIndex(0);
    guard::connect(services, imcGames_, &QComboBox::currentIndexChanged, this, [this] { fillGames(); });
    guard::connect(services, imcPlayer_, &QComboBox::currentIndexChanged, this, [this] { fillPlayer(); });
    guard::connect(services, imcFin_, &QComboBox::currentIndexChanged, this, [this] { fillFin(); });
    tellSkippedLines(services, shared_.score);
}

frmHighScore::~frmHighScore() { shared_.score.CloseScore(); }

void frmHighScore::fillTop()
{
    shared_.score.Sort(QString(), QString(), false);
    showTopList(*lvTop_, shared_.score, false, QStringLiteral("Score"));
}

void frmHighScore::fillGames()
{
    shared_.score.Sort(imcGames_->currentText(), QString(), false);
    showTopList(*lvGames_, shared_.score, false, QStringLiteral("Score"));
}

void frmHighScore::fillPlayer()
{
    shared_.score.Sort(QString(), imcPlayer_->currentText(), false);
    showTopList(*lvPlayer_, shared_.score, false, QStringLiteral("Score"));
}

void frmHighScore::fillFin()
{
    const QString key = imcFin_->currentText();
    if (key == QLatin1String("Moves"))
        shared_.score.FinSort(false, true);
    else if (key == QLatin1String("Time"))
        shared_.score.FinSort(true, false);
    else
        shared_.score.Sort(QString(), QString(), true);
    showTopList(*lvFin_, shared_.score, true, key);
}
