#include "windows/frmFinish.h"

#include "engine/SoundEvents.h"
#include "library/Favorites.h"
#include "rules/WholeFile.h"
#include "scores/Players.h"
#include "session/Shared.h"
#include "windows/common/CommandIcons.h"
#include "windows/common/Guard.h"
#include "windows/common/ScreenFit.h"
#include "windows/common/StatViews.h"
#include "windows/frmGameStat.h"
#include "windows/frmHighScore.h"

#include <QAction>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

frmFinish::frmFinish(Shared& shared, QWidget* parent)
    : QDialog(parent), shared_(shared), fraGame_(new QGroupBox(this)), lstResult_(new QListWidget(this)),
      chkSave_(new QCheckBox(QStringLiteral("Save this Game"), this)), txtSave_(new QLineEdit(this)),
      cmdBrowse_(new QPushButton(QStringLiteral("Browse"), this)),
      chkFav_(new QCheckBox(QStringLiteral("Add this Game to Favorites"), this)), toolbar_(new QToolBar(this))
{
    setObjectName(QStringLiteral("frmFinish"));
    setWindowTitle(QStringLiteral("Congrats"));
    setModal(true);
    cGamePlay& session = shared_.gamePlay;
    Services& services = shared_.services;

    // 1. The frame bears the game's name.
    fraGame_->setObjectName(QStringLiteral("fraGame"));
    fraGame_->setTitle(session.GameName());
    // 2. The game clock stops.
    session.host().setGameClock(false);

    // 3. The toolbar.
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar_->setIconSize(QSize(32, 32));
    const auto button = [&](const char* key, const char* picture, const QString& text) {
        QAction* action = toolbar_->addAction(CommandIcons::icon(QLatin1String(picture)), text);
        action->setObjectName(QLatin1String(key));
        action->setData(QLatin1String(key));
        return action;
    };
    guard::connect(services, button("New", "New", QStringLiteral("New Game")), &QAction::triggered, this,
                   [this] { closeWith(Next::NewDeal); });
    guard::connect(services, button("Select", "Select", QStringLiteral("Select Game")), &QAction::triggered, this,
                   [this] { closeWith(Next::Select); });
    guard::connect(services, button("Restart", "Restart", QStringLiteral("Restart")), &QAction::triggered, this,
                   [this] { closeWith(Next::Restart); });
    toolbar_->addSeparator();
    // The statistics open over the dialog, which stays open.
    guard::connect(services, button("HighScore", "HighScore", QStringLiteral("High Score")), &QAction::triggered, this,
                   [this] {
                       frmHighScore window(shared_, this);
                       window.exec();
                   });
    guard::connect(services, button("GameStat", "GameStat", QStringLiteral("Statistics")), &QAction::triggered, this,
                   [this] {
                       frmGameStat window(shared_, this);
                       window.exec();
                   });
    toolbar_->addSeparator();
    guard::connect(services, button("Close", "History", QStringLiteral("Close")), &QAction::triggered, this,
                   [this] { closeWith(Next::Nothing); });

    // 4. and 5. The result, as a list and as a chart.
    lstResult_->setObjectName(QStringLiteral("lstResult"));
    lstResult_->setSelectionMode(QAbstractItemView::NoSelection);
    lstResult_->setFocusPolicy(Qt::NoFocus);
    fillResult();
    QWidget* chart = resultCharts();

    // 6. The check boxes as the player left them.
    chkSave_->setObjectName(QStringLiteral("chkSave"));
    txtSave_->setObjectName(QStringLiteral("txtSave"));
    cmdBrowse_->setObjectName(QStringLiteral("cmdBrowse"));
    chkFav_->setObjectName(QStringLiteral("chkFav"));
    chkFav_->setChecked(AddtoFav() != 0);
    chkSave_->setChecked(SaveFile() != 0);
    txtSave_->setEnabled(SaveFile() != 0);
    cmdBrowse_->setEnabled(SaveFile() != 0);
    // 7. The proposed file.
    txtSave_->setText(savePath(shared_.data.SavedFolder()));

    guard::connect(services, chkSave_, &QCheckBox::toggled, this, [this](bool on) {
        setSaveFile(on ? 1 : 0);
        txtSave_->setEnabled(on);
        cmdBrowse_->setEnabled(on);
    });
    guard::connect(services, chkFav_, &QCheckBox::toggled, this, [this](bool on) { setAddtoFav(on ? 1 : 0); });
    guard::connect(services, cmdBrowse_, &QPushButton::clicked, this, [this] { browse(); });

    auto* inFrame = new QHBoxLayout(fraGame_);
    lstResult_->setMinimumWidth(200);
    inFrame->addWidget(lstResult_, 2);
    inFrame->addWidget(chart, 4);
    auto* saving = new QHBoxLayout;
    saving->addWidget(txtSave_, 1);
    saving->addWidget(cmdBrowse_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 6, 10, 10);
    layout->addWidget(toolbar_);
    // The game's figures scroll where the screen is smaller than they
    // need.
    auto* figures = new QVBoxLayout;
    figures->addWidget(fraGame_);
    layout->addWidget(screenFit::scrolling(figures, this), 1);
    layout->addWidget(chkSave_);
    layout->addLayout(saving);
    layout->addWidget(chkFav_);
    screenFit::resizeWithin(*this, QSize(760, 480));

    // 8. to 11. The win is celebrated and recorded.
    services.sounds().raise(SoundEvent::Win);
    record();
}

void frmFinish::fillResult()
{
    const cGamePlay& session = shared_.gamePlay;
    lstResult_->clear();
    lstResult_->addItems({QStringLiteral(" Game : ") + session.gameNo().toString(),
                          QStringLiteral(" Player : ") + Players(shared_.services.settings()).CurrentPlayer(),
                          QStringLiteral(" Time : ") + session.TimeString(),
                          QStringLiteral(" Moves : ") + QString::number(session.Moves()),
                          QStringLiteral(" Score : ") + QString::number(session.Score())});
}

QWidget* frmFinish::resultCharts()
{
    // Points, moves and seconds share no scale: each has a bar and an axis
    // of its own, and a score below zero is a bar below zero.
    const cGamePlay& session = shared_.gamePlay;
    auto* charts = new QWidget(this);
    charts->setObjectName(QStringLiteral("chtResult"));
    auto* row = new QHBoxLayout(charts);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    const auto add = [&](const char* name, const QString& measure, qreal value, const QString& shown) {
        QChartView* view = chartView(measureChart(measure, value, shown), name, charts);
        view->setMinimumSize(130, 220);
        row->addWidget(view, 1);
    };
    add("chtScore", QStringLiteral("Score"), session.Score(), QString::number(session.Score()));
    add("chtMoves", QStringLiteral("Moves"), session.Moves(), QString::number(session.Moves()));
    add("chtTime", QStringLiteral("Time"), session.Time(), session.TimeString());
    return charts;
}

void frmFinish::record()
{
    Services& services = shared_.services;
    // Each step is taken even when one before it failed; a failure is told.
    // A won game from the pending list leaves it (the main window's menu
    // follows once the dialog closes).
    if (shared_.gamePlay.IsPending())
        guard::run(services, [&] { RemoveFile(shared_.gamePlay.pendingFile(), shared_.data.PendingFolder()); });
    guard::run(services, [&] { shared_.autoSave.AutoSaveGame(true); });
    guard::run(services, [&] { shared_.score.AddSesGame(1); });
    guard::run(services, [&] { shared_.score.AddScore(1); });
    // Whatever happened above, closing the dialog, another game or the end
    // of the program records nothing more for this one.
    shared_.gamePlay.markWonRecorded();
}

int frmFinish::AddtoFav() const { return shared_.services.settings().read(settings::kFinishAddtoFav); }

void frmFinish::setAddtoFav(int value) { shared_.services.settings().write(settings::kFinishAddtoFav, value); }

int frmFinish::SaveFile() const { return shared_.services.settings().read(settings::kFinishSaveFile); }

void frmFinish::setSaveFile(int value) { shared_.services.settings().write(settings::kFinishSaveFile, value); }

QString frmFinish::savePath(const QString& folder) const
{
    const cGamePlay& session = shared_.gamePlay;
    return QDir(folder).filePath(session.GameName() + QLatin1String(" - ") + session.gameNo().toString() +
                                 shared_.data.FinExt());
}

void frmFinish::browse()
{
    const std::optional<QString> folder =
        shared_.services.prompts().browseFolder(QStringLiteral("Save Folder"), shared_.data.SavedFolder());
    if (folder && !folder->isEmpty() && QFileInfo(*folder).isDir())
        txtSave_->setText(savePath(*folder));
}

void frmFinish::closeWith(Next next)
{
    next_ = next;
    close();
}

void frmFinish::done(int result)
{
    if (!closed_) {
        closed_ = true;
        Services& services = shared_.services;
        // Each step is taken even when one before it failed.
        const QString path = txtSave_->text().trimmed();
        if (!path.isEmpty() && SaveFile() == 1) {
            guard::run(services, [&] {
                shared_.engine.SavetoFile(path);
                shared_.func.AddtoMRU(cFunc::kSavedList, path);
                shared_.gamePlay.host().refreshRecentMenus();
            });
        }
        if (AddtoFav() == 1)
            guard::run(services, [&] { Favorites(services, shared_.data).AddFavorite(); });
        guard::run(services, [&] { shared_.gamePlay.ClearArea(); });
    }
    QDialog::done(result);
}
