#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class Services;

// One running copy of the program per data folder. The first copy holds a
// lock file in the data folder and listens on a local socket whose name
// follows the folder; a later start with the same folder hands its command
// line (a saved game to open, or nothing) to the running copy and ends.
// Copies with different data folders never meet.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    enum class Claim {
        // This is the one copy: the lock is held and requests are heard.
        First,
        // Another copy runs and took the request.
        Handed,
        // Another copy holds the lock but did not answer.
        Unreachable,
        // The lock file could not be made (the folder cannot be written).
        NoLock,
    };

    SingleInstance(Services& services, const QString& dataFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock, or hands `savedGame` to the copy that has it. A lock
    // left by a copy that no longer runs is taken over.
    Claim claim(const QString& savedGame);

    QString lockPath() const { return lockPath_; }
    // The local socket's name, the same for every copy of this folder.
    QString serverName() const { return serverName_; }

    // What a later start says when the running copy does not answer.
    static QString unreachableText(const QString& lockPath);

    // How long a later start waits for the running copy to answer.
    static constexpr int kAnswerMs = 5000;

signals:
    // A later start asked to open this saved game (empty: just to be
    // shown).
    void requested(const QString& savedGame);

private:
    bool listen();
    bool hand(const QString& savedGame);
    void answer(class QLocalSocket* socket);

    Services& services_;
    QString lockPath_;
    QString serverName_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};
