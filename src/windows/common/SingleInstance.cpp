#include "windows/common/SingleInstance.h"

#include "windows/common/Guard.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QThread>

#include <unistd.h>

Q_LOGGING_CATEGORY(lcInstance, "tablora.instance")

namespace {

// A request is one line: "open " and the saved game's absolute path (empty
// to show the window only). The running copy answers "ok".
constexpr QLatin1String kOpen("open ");
constexpr QLatin1String kOk("ok\n");
// No command line is longer; a longer request is not a request of ours.
constexpr qsizetype kMaxRequest = 64 * 1024;
constexpr int kRetryMs = 50;

} // namespace

SingleInstance::SingleInstance(Services& services, const QString& dataFolder, QObject* parent)
    : QObject(parent), services_(services), lockPath_(QDir(dataFolder).filePath(QStringLiteral("Tablora.lock")))
{
    // The folder's own name would be too long for a socket and would tell
    // other users where the home is: a digest of it serves.
    const QByteArray folder = QDir::cleanPath(QDir(dataFolder).absolutePath()).toUtf8();
    const QByteArray digest = QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(24);
    serverName_ = QStringLiteral("tablora-%1-%2").arg(getuid()).arg(QString::fromLatin1(digest));
    // Linux's abstract socket names leave no file behind, not even after a
    // crash.
    server_.setSocketOptions(QLocalServer::AbstractNamespaceOption);
    guard::connect(services_, &server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection())
            answer(socket);
    });
}

QString SingleInstance::unreachableText(const QString& lockPath)
{
    return QStringLiteral("Tablora is already running for this player's folder, but it does not answer, so this "
                          "copy closes without touching anything. Close the running copy (or wait until it "
                          "answers) and start Tablora again.\r\n(The lock is held in \"%1\".)")
        .arg(QDir::toNativeSeparators(lockPath));
}

SingleInstance::~SingleInstance()
{
    server_.close();
    if (lock_)
        lock_->unlock();
}

SingleInstance::Claim SingleInstance::claim(const QString& savedGame)
{
    auto lock = std::make_unique<QLockFile>(lockPath_);
    // A copy that runs for days keeps its lock; only a lock whose process
    // has gone is stale.
    lock->setStaleLockTime(0);
    const QDeadlineTimer deadline(kAnswerMs);
    while (true) {
        if (lock->tryLock(0)) {
            lock_ = std::move(lock);
            return listen() ? Claim::First : Claim::NoLock;
        }
        if (lock->error() != QLockFile::LockFailedError) {
            qCWarning(lcInstance) << "the lock file" << lockPath_ << "could not be made";
            return Claim::NoLock;
        }
        if (hand(savedGame))
            return Claim::Handed;
        // The running copy may be starting, or may just have ended.
        if (deadline.hasExpired())
            return Claim::Unreachable;
        QThread::msleep(kRetryMs);
    }
}

bool SingleInstance::listen()
{
    if (server_.listen(serverName_))
        return true;
    // Nobody else holds the lock, so nobody else can be listening: a name
    // left in use is taken back.
    QLocalServer::removeServer(serverName_);
    if (server_.listen(serverName_))
        return true;
    qCWarning(lcInstance) << "no later start can reach this copy:" << server_.errorString();
    // The lock still keeps a second copy away from this one's files.
    return true;
}

bool SingleInstance::hand(const QString& savedGame)
{
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(kAnswerMs))
        return false;
    const QString path = savedGame.isEmpty() ? QString() : QDir::current().absoluteFilePath(savedGame);
    socket.write((kOpen + path).toUtf8() + '\n');
    if (!socket.waitForBytesWritten(kAnswerMs))
        return false;
    QByteArray reply;
    const QDeadlineTimer deadline(kAnswerMs);
    while (!reply.contains('\n') && !deadline.hasExpired() && socket.state() == QLocalSocket::ConnectedState) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            break;
        reply += socket.readAll();
    }
    reply += socket.readAll();
    return reply == QByteArray(kOk.data(), kOk.size());
}

void SingleInstance::answer(QLocalSocket* socket)
{
    socket->setParent(this);
    guard::connect(services_, socket, &QLocalSocket::disconnected, socket, [socket] { socket->deleteLater(); });
    const auto read = [this, socket] {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > kMaxRequest)
                socket->abort();
            return;
        }
        const QString line = QString::fromUtf8(socket->readLine(kMaxRequest)).chopped(1);
        if (!line.startsWith(kOpen)) {
            socket->abort();
            return;
        }
        socket->write(kOk.data(), kOk.size());
        socket->flush();
        socket->disconnectFromServer();
        emit requested(line.mid(kOpen.size()));
    };
    guard::connect(services_, socket, &QLocalSocket::readyRead, this, read);
    read();
}
