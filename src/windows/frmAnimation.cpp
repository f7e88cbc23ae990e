#include "windows/frmAnimation.h"

#include "rules/RunTimeError.h"
#include "session/Shared.h"
#include "windows/common/Guard.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// Stored values are animation step counts, 0 (cards jump) to 50 (slowest);
// the slider shows 50 minus the count, so further right is faster.
constexpr int kMostSteps = settings::kSlowestSteps;

struct SpeedSetting {
    const char* objectName;
    const char* label;
    const NumberSetting* setting;
};

const std::array<SpeedSetting, 4> kSpeeds{{
    {"sldCardSpeed", "Card Moving Speed : ", &settings::kCardSpeed},
    {"sldUndoSpeed", "Undo/Redo Speed : ", &settings::kUndoSpeed},
    {"sldUndoallSpeed", "Undoall/Redoall Speed : ", &settings::kUndoallSpeed},
    {"sldReplaySpeed", "Replay Speed : ", &settings::kReplaySpeed},
}};
} // namespace

frmAnimation::frmAnimation(Shared& shared, QWidget* parent) : QDialog(parent), shared_(shared)
{
    setObjectName(QStringLiteral("frmAnimation"));
    setWindowTitle(tr("Animation"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);

    for (size_t i = 0; i < kSpeeds.size(); ++i) {
        Speed& speed = speeds_[i];
        speed.label = QString::fromLatin1(kSpeeds[i].label);
        speed.frame = new QGroupBox(this);
        speed.slider = new QSlider(Qt::Horizontal, speed.frame);
        speed.slider->setObjectName(QString::fromLatin1(kSpeeds[i].objectName));
        speed.slider->setRange(0, kMostSteps);
        speed.slider->setSingleStep(1);
        speed.slider->setPageStep(5);
        speed.slider->setTickPosition(QSlider::TicksBelow);
        speed.slider->setTickInterval(5);
        speed.slider->setMinimumWidth(320);

        auto* slow = new QLabel(tr("Slow"), speed.frame);
        auto* fast = new QLabel(tr("Fast"), speed.frame);
        auto* row = new QHBoxLayout(speed.frame);
        row->addWidget(slow);
        row->addWidget(speed.slider, 1);
        row->addWidget(fast);
        layout->addWidget(speed.frame);

        guard::connect(shared_.services, speed.slider, &QSlider::valueChanged, this,
                       [&speed](int value) { speed.frame->setTitle(speed.label + QString::number(value)); });
        const int32_t stored = shared_.services.settings().read(*kSpeeds[i].setting);
        speed.slider->setValue(std::clamp(kMostSteps - stored, 0, kMostSteps));
        speed.frame->setTitle(speed.label + QString::number(speed.slider->value()));
    }

    auto* cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* cmdCancel = new QPushButton(tr("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    guard::connect(shared_.services, cmdOK, &QPushButton::clicked, this, [this] { accept(); });
    guard::connect(shared_.services, cmdCancel, &QPushButton::clicked, this, [this] { reject(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    layout->addSpacing(4);
    layout->addLayout(buttons);

    shared_.services.sounds().raise(SoundEvent::Animation);
}

void frmAnimation::accept()
{
    // The window closes whether or not the speeds could be kept.
    guard::run(shared_.services, [this] {
        for (size_t i = 0; i < kSpeeds.size(); ++i)
            shared_.services.settings().write(*kSpeeds[i].setting, kMostSteps - speeds_[i].slider->value());
    });
    QDialog::accept();
}
