#include "windows/common/QtSoundPlayer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

#include <utility>

QtSoundPlayer::QtSoundPlayer()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
    else
        framed_ = true;
}

QtSoundPlayer::~QtSoundPlayer() = default;

bool QtSoundPlayer::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Paint && !framed_) {
        framed_ = true;
        QCoreApplication::instance()->removeEventFilter(this);
        // Once that frame is drawn.
        QTimer::singleShot(0, this, [this] {
            if (!held_.isEmpty())
                start(std::exchange(held_, QString()));
        });
    }
    return false;
}

void QtSoundPlayer::play(const QString& path)
{
    if (framed_)
        start(path);
    else
        held_ = path;
}

void QtSoundPlayer::start(const QString& path)
{
    if (!effect_) {
        effect_ = std::make_unique<QSoundEffect>();
        effect_->setObjectName(QStringLiteral("soundEffect"));
    }
    const QUrl source = QUrl::fromLocalFile(path);
    if (effect_->source() != source)
        effect_->setSource(source);
    // Played as soon as it is loaded; a file that cannot be played is not.
    effect_->play();
}

bool QtSoundPlayer::isPlaying() const { return !held_.isEmpty() || (effect_ && effect_->isPlaying()); }

QSoundEffect* QtSoundPlayer::effect() const { return effect_.get(); }
