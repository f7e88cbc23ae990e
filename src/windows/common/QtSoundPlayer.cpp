#include "windows/common/QtSoundPlayer.h"

#include <QSoundEffect>
#include <QUrl>

QtSoundPlayer::QtSoundPlayer() = default;

QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::play(const QString& path)
{
    if (!effect_)
        effect_ = std::make_unique<QSoundEffect>();
    const QUrl source = QUrl::fromLocalFile(path);
    if (effect_->source() != source)
        effect_->setSource(source);
    // Played as soon as it is loaded; a file that cannot be played is not.
    effect_->play();
}

bool QtSoundPlayer::isPlaying() const { return effect_ && effect_->isPlaying(); }
