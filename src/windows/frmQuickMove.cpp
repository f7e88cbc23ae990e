#include "windows/frmQuickMove.h"

#include "history/MoveTexts.h"
#include "session/Shared.h"
#include "windows/MovesModel.h"
#include "windows/ReplayControl.h"
#include "windows/common/CommandIcons.h"
#include "windows/common/Guard.h"
#include "windows/common/ScreenFit.h"
#include "windows/common/StatViews.h"
#include "windows/table/TableView.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int kFollowMs = 50;
constexpr int kCollapsedHeight = 150;
constexpr int kExpandedHeight = 520;

} // namespace

frmQuickMove::frmQuickMove(Shared& shared, ReplayControl& replayer, QWidget* parent)
    : QDialog(parent), shared_(shared), replay_(replayer),
      model_(new MovesModel(shared.engine, shared.gamePlay, MovesModel::Form::MovesManager, this)),
      Slider1_(new QSlider(Qt::Horizontal, this)), cmdBack_(new QPushButton(QStringLiteral("<"), this)),
      cmdForward_(new QPushButton(QStringLiteral(">"), this)), cmdReplayBack_(new QPushButton(this)),
      cmdReplayForward_(new QPushButton(this)), cmdReplayStop_(new QPushButton(this)),
      cmdMore_(new QPushButton(QStringLiteral("More >>"), this)),
      lvQuick_(statList(model_, "lvQuick", this)), lbText_{new QLabel(this), new QLabel(this), new QLabel(this)},
      Label1_(new QLabel(QStringLiteral("Click on an entry to go to that position."), this))
{
    setObjectName(QStringLiteral("frmQuickMove"));
    setModal(true);
    Services& services = shared_.services;
    const std::pair<QWidget*, const char*> named[] = {{Slider1_, "Slider1"},
                                                      {cmdBack_, "cmdBack"},
                                                      {cmdForward_, "cmdForward"},
                                                      {cmdReplayBack_, "cmdReplayBack"},
                                                      {cmdReplayForward_, "cmdReplayForward"},
                                                      {cmdReplayStop_, "cmdReplayStop"},
                                                      {cmdMore_, "cmdMore"},
                                                      {lbText_[0], "lbText1"},
                                                      {lbText_[1], "lbText2"},
                                                      {lbText_[2], "lbText3"},
                                                      {Label1_, "Label1"}};
    for (const auto& [widget, name] : named)
        widget->setObjectName(QLatin1String(name));
    cmdReplayBack_->setIcon(CommandIcons::icon(QStringLiteral("Back")));
    cmdReplayForward_->setIcon(CommandIcons::icon(QStringLiteral("Forward")));
    cmdReplayStop_->setIcon(CommandIcons::icon(QStringLiteral("Stop")));
    cmdReplayBack_->setToolTip(QStringLiteral("Replay Back"));
    cmdReplayForward_->setToolTip(QStringLiteral("Replay Forward"));
    cmdReplayStop_->setToolTip(QStringLiteral("Replay Stop"));
    cmdReplayStop_->setEnabled(false);
    lvQuick_->header()->resizeSection(0, 70);
    lvQuick_->header()->resizeSection(1, 230);
    lvQuick_->header()->resizeSection(2, 230);
    lvQuick_->setAlternatingRowColors(false);

    Slider1_->setMinimum(0);
    Slider1_->setMaximum(shared_.engine.GetTransTop());
    Slider1_->setValue(shared_.engine.GetTransID());
    guard::connect(services, Slider1_, &QSlider::valueChanged, this, [this](int value) {
        if (!tmrReplay.isActive())
            jumpTo(value);
    });
    guard::connect(services, cmdBack_, &QPushButton::clicked, this, [this] { stepBack(); });
    guard::connect(services, cmdForward_, &QPushButton::clicked, this, [this] { stepForward(); });
    guard::connect(services, cmdReplayBack_, &QPushButton::clicked, this, [this] { startReplay(false); });
    guard::connect(services, cmdReplayForward_, &QPushButton::clicked, this, [this] { startReplay(true); });
    guard::connect(services, cmdReplayStop_, &QPushButton::clicked, this, [this] { replay_.StopReplay(); });
    guard::connect(services, cmdMore_, &QPushButton::clicked, this, [this] { toggleMore(); });
    guard::connect(services, lvQuick_, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        // While a replay is followed the list only shows where it is.
        if (!tmrReplay.isActive())
            jumpTo(model_->positionOf(index.row()));
    });
    tmrReplay.setInterval(kFollowMs);
    guard::connect(services, &tmrReplay, &QTimer::timeout, this, [this] { followReplay(); });

    auto* steps = new QHBoxLayout;
    steps->addWidget(cmdBack_);
    steps->addWidget(Slider1_, 1);
    steps->addWidget(cmdForward_);
    auto* replay = new QGroupBox(QStringLiteral("Replay"), this);
    auto* replayButtons = new QHBoxLayout(replay);
    for (QPushButton* button : {cmdReplayBack_, cmdReplayStop_, cmdReplayForward_})
        replayButtons->addWidget(button);
    auto* top = new QHBoxLayout;
    auto* lines = new QVBoxLayout;
    lines->addLayout(steps);
    for (QLabel* label : lbText_)
        lines->addWidget(label);
    top->addLayout(lines, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(replay);
    side->addWidget(cmdMore_);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Label1_);
    layout->addWidget(lvQuick_, 1);
    lvQuick_->hide();
    Label1_->hide();
    resize(680, kCollapsedHeight);
    showPosition();
}

void frmQuickMove::jumpTo(int position)
{
    if (jumping_)
        return;
    jumping_ = true;
    // No card may be left where an unfinished animation drew it.
    replay_.settleTable();
    guard::run(shared_.services, [&] { shared_.engine.MoveTo(static_cast<int16_t>(position)); });
    showPosition();
    jumping_ = false;
}

void frmQuickMove::stepBack() { jumpTo(std::max(0, Slider1_->value() - 1)); }

void frmQuickMove::stepForward() { jumpTo(std::min(Slider1_->maximum(), Slider1_->value() + 1)); }

void frmQuickMove::showPosition()
{
    const cEngine& engine = shared_.engine;
    const int16_t n = engine.GetTransID();
    const QSignalBlocker quiet(Slider1_);
    Slider1_->setValue(n);
    const cGamePlay& session = shared_.gamePlay;
    lbText_[0]->setText(n == 0 ? QStringLiteral("Game Name : ") + session.GameName() + QStringLiteral(" - Game No.: ") +
                                     session.gameNo().toString()
                               : moveTexts::moveDescription(engine, n));
    lbText_[1]->setText(QStringLiteral("Move : ") + QString::number(n));
    lbText_[2]->setText(QStringLiteral("Cards Moved : ") +
                        QString::number(n == 0 ? 0 : moveTexts::cardCount(engine, n)));
    setWindowTitle(QStringLiteral("Move: ") + QString::number(n) + QStringLiteral(" - ") + lbText_[0]->text());
    model_->refresh();
    const QModelIndex row = model_->index(model_->rowOf(n), 0);
    lvQuick_->setCurrentIndex(row);
    lvQuick_->scrollTo(row);
    updateButtons();
}

void frmQuickMove::updateButtons()
{
    const bool following = tmrReplay.isActive();
    const int value = Slider1_->value();
    Slider1_->setEnabled(!following);
    cmdBack_->setEnabled(!following && value != 0);
    cmdForward_->setEnabled(!following && value != Slider1_->maximum());
    cmdReplayBack_->setEnabled(!following && value != 0);
    cmdReplayForward_->setEnabled(!following && value != Slider1_->maximum());
    cmdReplayStop_->setEnabled(following);
}

void frmQuickMove::toggleMore()
{
    expanded_ = !expanded_;
    lvQuick_->setVisible(expanded_);
    Label1_->setVisible(expanded_);
    cmdMore_->setText(expanded_ ? QStringLiteral("<< Less") : QStringLiteral("More >>"));
    screenFit::resizeWithin(*this, QSize(width(), expanded_ ? kExpandedHeight : kCollapsedHeight));
}

void frmQuickMove::startReplay(bool forward)
{
    replay_.settleTable();
    replay_.runReplay(forward);
    tmrReplay.start();
    updateButtons();
}

void frmQuickMove::followReplay()
{
    if (!replay_.replaying())
        tmrReplay.stop();
    showPosition();
}
