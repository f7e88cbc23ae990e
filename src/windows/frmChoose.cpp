#include "windows/frmChoose.h"

#include "rules/RunTimeError.h"
#include "scores/Players.h"
#include "session/Shared.h"
#include "windows/common/Guard.h"
#include "windows/common/NumberText.h"
#include "windows/common/PlayerChooser.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <random>

namespace {
// Draws of the session's random number before one below the maximum is
// taken from the whole range.
constexpr int kMaximumTries = 16;
} // namespace

int64_t frmChoose::RangeMaximum(int32_t rangeIndex)
{
    int64_t power = 1;
    for (int32_t i = 0; i < std::clamp(rangeIndex, 0, 15); ++i)
        power *= 10;
    return power - 1;
}

frmChoose::frmChoose(Shared& shared, QWidget* parent)
    : QDialog(parent), shared_(shared), maximum_(RangeMaximum(shared.services.settings().read(settings::kRangeIndex)))
{
    setObjectName(QStringLiteral("frmChoose"));
    setWindowTitle(QStringLiteral("Select a Game Number"));
    setModal(true);

    imcGames_ = new QComboBox(this);
    imcGames_->setObjectName(QStringLiteral("imcGames"));
    imcGames_->setMaxVisibleItems(20);
    for (int16_t id = 1; id <= shared_.data.TotalGames(); ++id)
        imcGames_->addItem(shared_.data.GetGName(id));
    const int running = imcGames_->findText(shared_.gamePlay.GameName(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    imcGames_->setCurrentIndex(running >= 0 ? running : 0);

    auto* lblCaption = new QLabel(QStringLiteral("Enter a Game Number between"), this);
    lblCaption->setObjectName(QStringLiteral("lblCaption"));
    lblRange_ = new QLabel(QStringLiteral("0 and ") + GroupThousands(maximum_), this);
    lblRange_->setObjectName(QStringLiteral("lblRange"));
    QFont rangeFont = lblRange_->font();
    rangeFont.setBold(true);
    lblRange_->setFont(rangeFont);

    txtGameNo_ = new QLineEdit(this);
    txtGameNo_->setObjectName(QStringLiteral("txtGameNo"));
    // A random number "Select" takes: above 0 and below the maximum. It is
    // the session's, which passes over deals the player met lately; should
    // it keep giving the maximum, any number below it does.
    if (maximum_ > 1) {
        GameNo number = shared_.gamePlay.RandomGameNo();
        for (int tries = 1; tries < kMaximumTries && number.toNumber() >= static_cast<double>(maximum_); ++tries)
            number = shared_.gamePlay.RandomGameNo();
        if (number.toNumber() >= static_cast<double>(maximum_)) {
            std::uniform_int_distribution<int64_t> draw(1, maximum_ - 1);
            number = GameNo(static_cast<double>(draw(shared_.services.random())));
        }
        txtGameNo_->setText(number.toString());
    }
    txtGameNo_->selectAll();
    txtGameNo_->setMinimumWidth(200);

    imcPlayer_ = new QComboBox(this);
    imcPlayer_->setObjectName(QStringLiteral("imcPlayer"));
    playerChooser::fill(*imcPlayer_, Players(shared_.services.settings()));

    cmdSelect_ = new QPushButton(QStringLiteral("Select"), this);
    cmdSelect_->setObjectName(QStringLiteral("cmdSelect"));
    cmdSelect_->setDefault(true);
    cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel_->setAutoDefault(false);
    for (QPushButton* button : {cmdSelect_, cmdCancel_})
        button->setMinimumWidth(96);

    auto* number = new QVBoxLayout;
    number->setSpacing(2);
    number->addWidget(lblCaption);
    number->addWidget(lblRange_);
    number->addSpacing(4);
    number->addWidget(txtGameNo_);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(QStringLiteral("Game :"), imcGames_);
    form->addRow(QStringLiteral("Player :"), imcPlayer_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSelect_);
    buttons->addWidget(cmdCancel_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->addLayout(form);
    layout->addSpacing(8);
    layout->addLayout(number);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));

    guard::connect(shared_.services, cmdSelect_, &QPushButton::clicked, this, [this] { selectGame(); });
    guard::connect(shared_.services, cmdCancel_, &QPushButton::clicked, this, [this] { reject(); });
    txtGameNo_->setFocus();
}

bool frmChoose::selectGame()
{
    // A number must be whole as well as in range: the game number goes into
    // saved games, which hold whole numbers only.
    const QString text = txtGameNo_->text();
    const std::optional<GameNo> number = GameNo::fromText(text);
    const double value = number ? number->toNumber() : 0;
    if (!number || value <= 0 || value >= static_cast<double>(maximum_) || std::trunc(value) != value) {
        shared_.services.prompts().message(QStringLiteral("Please enter a number between 0 and ") +
                                               GroupThousands(maximum_),
                                           Prompts::Icon::Information, Prompts::Buttons::Ok);
        txtGameNo_->setText(QStringLiteral("0"));
        txtGameNo_->setFocus();
        txtGameNo_->selectAll();
        return false;
    }
    // A game that cannot start leaves the window open.
    if (!guard::run(shared_.services, [&] {
            playerChooser::apply(*imcPlayer_, shared_);
            shared_.gamePlay.PlayNumber(imcGames_->currentText(), *number);
        }))
        return false;
    accept();
    return true;
}
