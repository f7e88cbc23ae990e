#include "windows/frmSplash.h"

#include "pictures/CardPictures.h"
#include "windows/common/Guard.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int kSplashMs = 2000;
const QSize kPictureSize(480, 300);
} // namespace

frmSplash::frmSplash(Services& services, CardPictures& pictures, const QString& version,
                     std::function<void()> whenClosed, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), services_(services),
      whenClosed_(std::move(whenClosed))
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setStyleSheet(QStringLiteral("frmSplash { background: #12502a; border: 1px solid #0a3018; }"));

    auto* imgWords = new QLabel(this);
    imgWords->setObjectName(QStringLiteral("imgWords"));
    const qreal ratio = devicePixelRatioF();
    QPixmap title = pictures.splash(kPictureSize * ratio);
    title.setDevicePixelRatio(ratio);
    imgWords->setPixmap(title);
    imgWords->setAlignment(Qt::AlignCenter);

    auto* lblversion = new QLabel(QStringLiteral("Version : ") + version, this);
    lblversion->setObjectName(QStringLiteral("lblversion"));
    lblversion->setAlignment(Qt::AlignRight);
    lblversion->setStyleSheet(QStringLiteral("color: #e8f3ea; font-size: 11pt;"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 16, 10);
    layout->addWidget(imgWords);
    layout->addWidget(lblversion);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    Timer1.setSingleShot(true);
    Timer1.setInterval(kSplashMs);
    guard::connect(services_, &Timer1, &QTimer::timeout, this, [this] { UnloadSplash(); });
    Timer1.start();
}

void frmSplash::UnloadSplash()
{
    if (closed_)
        return;
    closed_ = true;
    Timer1.stop();
    hide();
    if (whenClosed_)
        guard::run(services_, whenClosed_);
    close();
}

void frmSplash::keyPressEvent(QKeyEvent*) { UnloadSplash(); }

void frmSplash::mousePressEvent(QMouseEvent*) { UnloadSplash(); }
