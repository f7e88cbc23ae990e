#include "windows/frmOptions.h"

#include "session/Shared.h"
#include "windows/common/Guard.h"
#include "windows/common/NumberText.h"
#include "windows/frmChoose.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The picture beside each random range: two dice.
QIcon rangeIcon()
{
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    auto die = [&p](QRectF r, QList<QPointF> pips) {
        p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(r, 2, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xb0, 0x10, 0x20));
        for (const QPointF& pip : pips)
            p.drawEllipse(r.topLeft() + pip, 1.2, 1.2);
    };
    die(QRectF(1.5, 5.5, 10, 10), {{2.8, 2.8}, {5, 5}, {7.2, 7.2}});
    die(QRectF(7.5, 1.5, 9, 9), {{2.5, 2.5}, {6.5, 6.5}});
    return QIcon(pixmap);
}

QLabel* explanation(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0x50, 0x50, 0x50));
    label->setPalette(palette);
    return label;
}

} // namespace

frmOptions::frmOptions(Shared& shared, std::function<void()> recentListsCleared, QWidget* parent)
    : QDialog(parent), shared_(shared), recentListsCleared_(std::move(recentListsCleared))
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setModal(true);

    tabOptions_ = new QTabWidget(this);
    tabOptions_->setObjectName(QStringLiteral("tabOptions"));

    // General.
    auto* general = new QWidget;
    general->setObjectName(QStringLiteral("tabGeneral"));
    auto* display = new QGroupBox(QStringLiteral("Display Options"), general);
    display->setObjectName(QStringLiteral("fraDisplay"));
    auto* displayLayout = new QVBoxLayout(display);
    displayLayout->addWidget(checkBox("chkTime", QStringLiteral("Show Game Time "), settings::kShowTime));
    displayLayout->addWidget(checkBox("chkScore", QStringLiteral("Show Game Score"), settings::kShowScore));
    displayLayout->addWidget(checkBox("chkMoves", QStringLiteral("Show Game Moves"), settings::kShowMoves));
    displayLayout->addWidget(checkBox("chkCardsLeft", QStringLiteral("Show Cards Left"), settings::kShowCardsLeft));
    displayLayout->addWidget(checkBox("chkStatusBar", QStringLiteral("Show Status Bar"), settings::kShowStatusBar));
    // Helpers with the mouse, both off unless the player wants them, and the
    // celebration of a win, on unless the player does not.
    auto* playing = new QGroupBox(QStringLiteral("Playing"), general);
    playing->setObjectName(QStringLiteral("fraPlaying"));
    auto* playingLayout = new QVBoxLayout(playing);
    playingLayout->addWidget(
        checkBox("chkDoubleClick", QStringLiteral("Double-click sends a card home"), settings::kDoubleClickHome));
    playingLayout->addWidget(checkBox("chkClickToMove", QStringLiteral("Click to move"), settings::kClickToMove));
    playingLayout->addWidget(checkBox("chkCelebrate", QStringLiteral("Celebrate a win"), settings::kCelebrateWin));
    auto* exiting = new QGroupBox(QStringLiteral("While exiting the Game"), general);
    exiting->setObjectName(QStringLiteral("fraExit"));
    auto* exitLayout = new QVBoxLayout(exiting);
    exitLayout->addWidget(checkBox("chkGameSave", QStringLiteral("Save unfinished game and restart it on next session"),
                                   settings::kGameSave));
    auto* generalLayout = new QVBoxLayout(general);
    generalLayout->addWidget(display);
    generalLayout->addWidget(playing);
    generalLayout->addWidget(exiting);
    generalLayout->addStretch();
    tabOptions_->addTab(general, QStringLiteral("General"));

    // Random.
    auto* random = new QWidget;
    random->setObjectName(QStringLiteral("tabRandom"));
    auto* range = new QGroupBox(QStringLiteral("Random Range Selection"), random);
    range->setObjectName(QStringLiteral("fraRange"));
    imcRange_ = new QComboBox(range);
    imcRange_->setObjectName(QStringLiteral("imcRange"));
    imcRange_->setMaxVisibleItems(kRanges);
    const QIcon dice = rangeIcon();
    for (int i = 1; i <= kRanges; ++i)
        imcRange_->addItem(dice, GroupThousands(frmChoose::RangeMaximum(i)));
    const int32_t rangeIndex = shared_.services.settings().read(settings::kRangeIndex);
    imcRange_->setCurrentIndex(rangeIndex >= 1 && rangeIndex <= kRanges ? rangeIndex - 1 : -1);
    guard::connect(shared_.services, imcRange_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            shared_.services.settings().write(settings::kRangeIndex, index + 1);
    });
    auto* lblRange = new QLabel(QStringLiteral("Select Random Range "), range);
    lblRange->setObjectName(QStringLiteral("lblRange"));
    lblRange->setBuddy(imcRange_);
    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(lblRange);
    rangeRow->addWidget(imcRange_, 1);
    auto* rangeLayout = new QVBoxLayout(range);
    rangeLayout->addLayout(rangeRow);
    rangeLayout->addSpacing(6);
    rangeLayout->addWidget(explanation(QStringLiteral("When you select a game with random game number, radom generator "
                                                      "will generate a game number between 0 and this number."),
                                       range));
    // Deals the solver has looked at first.
    auto* winnable = new QGroupBox(QStringLiteral("Winnable Deals"), random);
    winnable->setObjectName(QStringLiteral("fraWinnable"));
    auto* winnableLayout = new QVBoxLayout(winnable);
    winnableLayout->addWidget(
        checkBox("chkWinnable", QStringLiteral("Deal only winnable games"), settings::kWinnableDeals));
    winnableLayout->addSpacing(6);
    winnableLayout->addWidget(
        explanation(QStringLiteral("A new random game is dealt only once a way to win it has been found. When none "
                                   "is found within a few seconds, the last number drawn is dealt. A game chosen "
                                   "by its number is dealt as it is."),
                    winnable));
    auto* randomLayout = new QVBoxLayout(random);
    randomLayout->addWidget(range);
    randomLayout->addWidget(winnable);
    randomLayout->addStretch();
    tabOptions_->addTab(random, QStringLiteral("Random "));

    // AutoSave.
    auto* autoSave = new QWidget;
    autoSave->setObjectName(QStringLiteral("tabAutoSave"));
    auto* autoSaveBox = new QGroupBox(QStringLiteral("AutoSave Options"), autoSave);
    autoSaveBox->setObjectName(QStringLiteral("fraAutoSave"));
    auto* autoSaveBoxLayout = new QVBoxLayout(autoSaveBox);
    autoSaveBoxLayout->addWidget(
        checkBox("chkInc", QStringLiteral("Enable Incomplete AutoSave"), settings::kEnableInc));
    autoSaveBoxLayout->addWidget(
        explanation(QStringLiteral("If this option is enabled then it will save all lost or unfinised games to "
                                   "Incomplete AutoSave folder. "),
                    autoSaveBox));
    autoSaveBoxLayout->addSpacing(8);
    autoSaveBoxLayout->addWidget(checkBox("chkFin", QStringLiteral("Enable Finished AutoSave"), settings::kEnableFin));
    autoSaveBoxLayout->addWidget(explanation(
        QStringLiteral("If this option is enabled then it will save all Won games to Finished AutoSave folder. "),
        autoSaveBox));
    auto* autoSaveLayout = new QVBoxLayout(autoSave);
    autoSaveLayout->addWidget(autoSaveBox);
    autoSaveLayout->addStretch();
    tabOptions_->addTab(autoSave, QStringLiteral("AutoSave"));

    // Recent List.
    auto* recent = new QWidget;
    recent->setObjectName(QStringLiteral("tabRecent"));
    auto* recentLayout = new QGridLayout(recent);
    recentLayout->setColumnStretch(0, 1);
    recentLayout->setVerticalSpacing(4);
    auto addRow = [&](int row, const char* name, const QString& heading, const QString& text, int32_t list) {
        auto* title = new QLabel(heading, recent);
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
        auto* button = new QPushButton(QStringLiteral("Clear Now"), recent);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        button->setMinimumWidth(96);
        guard::connect(shared_.services, button, &QPushButton::clicked, this, [this, list] { clearRecentList(list); });
        recentLayout->addWidget(title, row * 3, 0);
        recentLayout->addWidget(explanation(text, recent), row * 3 + 1, 0);
        recentLayout->addWidget(button, row * 3, 1, 2, 1, Qt::AlignVCenter);
        recentLayout->setRowMinimumHeight(row * 3 + 2, 10);
        return button;
    };
    cmdrSave_ =
        addRow(0, "cmdrSave", QStringLiteral("Clear Recently Saved List"),
               QStringLiteral("Clear Recent List containing info of all recently saved games."), cFunc::kSavedList);
    cmdrOpen_ =
        addRow(1, "cmdrOpen", QStringLiteral("Clear Recently Opened List"),
               QStringLiteral("Clear Recent List containing info of all recently opened games."), cFunc::kOpenedList);
    cmdrPlay_ =
        addRow(2, "cmdrPlay", QStringLiteral("Clear Recently Played List"),
               QStringLiteral("Clear Recent List containing info of all recently played games."), cFunc::kPlayedList);
    recentLayout->setRowStretch(9, 1);
    tabOptions_->addTab(recent, QStringLiteral("Recent List"));

    cmdClose_ = new QPushButton(QStringLiteral("Close"), this);
    cmdClose_->setObjectName(QStringLiteral("cmdClose"));
    cmdClose_->setDefault(true);
    cmdClose_->setMinimumWidth(96);
    guard::connect(shared_.services, cmdClose_, &QPushButton::clicked, this, [this] { accept(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(tabOptions_);
    layout->addLayout(buttons);
    resize(sizeHint().expandedTo(QSize(460, 340)));

    updateClearButtons();
    shared_.services.sounds().raise(SoundEvent::Options);
}

QCheckBox* frmOptions::checkBox(const char* name, const QString& caption, const NumberSetting& setting)
{
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(QLatin1String(name));
    box->setChecked(shared_.services.settings().read(setting) == 1);
    guard::connect(shared_.services, box, &QCheckBox::toggled, this,
                   [this, setting](bool checked) { shared_.services.settings().write(setting, checked ? 1 : 0); });
    return box;
}

void frmOptions::updateClearButtons()
{
    cmdrSave_->setEnabled(shared_.func.GetMRUCount(cFunc::kSavedList) > 0);
    cmdrOpen_->setEnabled(shared_.func.GetMRUCount(cFunc::kOpenedList) > 0);
    cmdrPlay_->setEnabled(shared_.func.GetMRUCount(cFunc::kPlayedList) > 0);
}

void frmOptions::clearRecentList(int32_t list)
{
    if (shared_.services.prompts().message(QStringLiteral("Are you sure you want to clear this recent list ?"),
                                           Prompts::Icon::Stop, Prompts::Buttons::YesNo) != Prompts::Answer::Yes)
        return;
    shared_.func.ClearMRU(list);
    shared_.services.prompts().message(QStringLiteral("Successfully Cleared"), Prompts::Icon::Information,
                                       Prompts::Buttons::Ok);
    updateClearButtons();
    if (recentListsCleared_)
        recentListsCleared_();
}
