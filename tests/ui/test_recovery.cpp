// A game left by a program that did not end normally, and one running copy
// per data folder: the real program is started and killed by these tests.

#include "engine/Services.h"
#include "history/mFile.h"
#include "library/PendingList.h"
#include "pictures/CardPictures.h"
#include "session/Recovery.h"
#include "session/Shared.h"
#include "support/FakePrompts.h"
#include "support/RandomPlayer.h"
#include "support/TableText.h"
#include "support/TempHome.h"
#include "windows/common/SingleInstance.h"
#include "windows/frmMain.h"

#include <QDialog>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <gtest/gtest.h>

namespace {

// A game of Klondike with some moves, saved under the home.
QString savedGame(const TempHome& home, const QString& name, double number)
{
    Shared other;
    other.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(number));
    RandomPlayer player(other, 4);
    for (int i = 0; i < 5 && player.step(); ++i) {
    }
    const QString path = home.path(name);
    other.engine.SavetoFile(path);
    return path;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file and folder under `root`, with its size.
QStringList listing(const QString& root)
{
    QStringList out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        out << it.filePath().mid(root.size()) + QLatin1Char(' ') + QString::number(it.fileInfo().size());
    }
    out.sort();
    return out;
}

// A child program of the tests, started in the test's home, offscreen.
class Child {
public:
    Child(const QString& program, const QStringList& arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
    }
    ~Child()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    // The first line the child says, or nothing after 30 s.
    QString firstLine()
    {
        for (int wait = 0; wait < 300 && process.state() != QProcess::NotRunning; ++wait) {
            if (process.canReadLine() || process.waitForReadyRead(100))
                if (process.canReadLine())
                    return QString::fromLocal8Bit(process.readLine()).trimmed();
        }
        return {};
    }
    void kill()
    {
        process.kill();
        process.waitForFinished();
    }
    // Waits for the end while this program's own events go on, so that a
    // copy of the program running here can answer it. False after 30 s.
    bool finishWithEvents()
    {
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(30'000, &loop, &QEventLoop::quit);
        if (process.state() != QProcess::NotRunning)
            loop.exec();
        return process.state() == QProcess::NotRunning;
    }
    QProcess process;
};

// The program started again after the kill: the player waits `waitMs` at
// the question, then answers it.
struct Restart {
    explicit Restart(Prompts::Answer answer, int waitMs = 3000)
    {
        prompts.answers = {answer};
        prompts.whileAsked = [waitMs](const QString& text) {
            if (text.contains(QStringLiteral("did not close normally")))
                QTest::qWait(waitMs);
        };
        shared.services.setPrompts(&prompts);
        window = std::make_unique<frmMain>(shared, pictures);
        window->Form_Load(QString());
    }
    ~Restart()
    {
        window->ShutDown();
        window.reset();
        shared.services.setPrompts(nullptr);
    }
    Shared shared;
    FakePrompts prompts;
    CardPictures pictures;
    std::unique_ptr<frmMain> window;
};

TEST(CrashTest, AGameLeftByAKilledProgramComesBackWithAllItsMovesAfterTheQuestionWaited)
{
    TempHome home;
    const QString saved = savedGame(home, QStringLiteral("first.tb0"), 5);
    Child child(QStringLiteral(CRASH_CHILD), {QStringLiteral("game"), saved});
    const QString table = child.firstLine();
    child.kill();
    ASSERT_FALSE(table.isEmpty()) << child.process.readAllStandardError().toStdString();

    Restart again(Prompts::Answer::Yes);
    ASSERT_FALSE(again.prompts.messages.isEmpty());
    EXPECT_TRUE(again.prompts.messages[0].contains(QStringLiteral("Klondike - 5")));
    for (const QString& message : again.prompts.messages)
        EXPECT_FALSE(message.contains(QStringLiteral("was not found"))) << message.toStdString();
    EXPECT_EQ(again.shared.gamePlay.Game_Status(), cGamePlay::kInProgress);
    EXPECT_EQ(tableText(again.shared.play).trimmed(), table) << "the table as the killed program left it";
    EXPECT_GT(again.shared.engine.GetTransID(), 5) << "the moves made after the file was opened";
    EXPECT_FALSE(again.shared.gamePlay.IsPending());
    EXPECT_TRUE(Recovery(again.shared).exists()) << "kept again while it is played on";
}

TEST(CrashTest, APendingGameLeftByAKilledProgramComesBackAsThatPendingGame)
{
    TempHome home;
    const QString saved = savedGame(home, QStringLiteral("first.tb0"), 5);
    QString pending;
    {
        Shared other;
        other.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(606));
        RandomPlayer player(other, 4);
        for (int i = 0; i < 5 && player.step(); ++i) {
        }
        pending = pendingList::SavePending(other.services, other.data, other.engine);
    }
    const QByteArray before = fileBytes(pending);

    Child child(QStringLiteral(CRASH_CHILD), {QStringLiteral("pending"), saved, pending});
    const QString table = child.firstLine();
    child.kill();
    ASSERT_FALSE(table.isEmpty()) << child.process.readAllStandardError().toStdString();
    EXPECT_EQ(fileBytes(pending), before) << "the pending game is kept as last saved";

    int16_t moves = 0;
    {
        Restart again(Prompts::Answer::Yes);
        const cGamePlay& session = again.shared.gamePlay;
        ASSERT_FALSE(again.prompts.messages.isEmpty());
        EXPECT_TRUE(again.prompts.messages[0].contains(QStringLiteral("Klondike - 606")));
        EXPECT_EQ(session.Game_Status(), cGamePlay::kInProgress);
        EXPECT_EQ(tableText(again.shared.play).trimmed(), table) << "the table as the killed program left it";
        EXPECT_TRUE(session.IsPending());
        EXPECT_EQ(session.pendingFile(), pending);
        EXPECT_TRUE(session.TitleText().contains(QStringLiteral("[Pending List Game]")));
        moves = again.shared.engine.GetTransTop();
    }
    // A normal end writes the game back over its pending file, and nowhere
    // else.
    const mFile::GameFile back = mFile::ReadGameFile(pending);
    EXPECT_EQ(static_cast<int16_t>(back.records.size()), moves);
    EXPECT_GT(moves, 5);
    Shared check;
    for (const QString& name : QDir(check.data.AutoSaveFolder()).entryList(QDir::Files))
        EXPECT_NE(mFile::ReadGameSummary(QDir(check.data.AutoSaveFolder()).filePath(name)).gameNo.toString(),
                  QStringLiteral("606"))
            << "the pending game went to the auto-save folder as " << name.toStdString();
    EXPECT_FALSE(Recovery(check).exists());
}

// Every line of every score file under the home that records Klondike
// `number`.
int recordsOf(const TempHome& home, int number)
{
    int count = 0;
    const QByteArray record = QByteArray("\"Klondike\",") + QByteArray::number(number) + ',';
    QDirIterator it(home.path(), {QStringLiteral("*.sre")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        for (const QByteArray& line : fileBytes(it.next()).split('\n'))
            count += line.contains(record) ? 1 : 0;
    return count;
}

TEST(CrashTest, AKillJustAfterANewDealRecordsTheOldGameOnce)
{
    for (const int delayMs : {0, 100, 300}) {
        SCOPED_TRACE(delayMs);
        TempHome home;
        Child child(QStringLiteral(CRASH_CHILD),
                    {QStringLiteral("newdeal"), QStringLiteral("777"), QStringLiteral("778")});
        ASSERT_EQ(child.firstLine(), QStringLiteral("dealt")) << child.process.readAllStandardError().toStdString();
        QThread::msleep(static_cast<unsigned long>(delayMs));
        child.kill();
        EXPECT_EQ(recordsOf(home, 777), 1) << "the old game is recorded as the new deal replaced it";

        Restart again(Prompts::Answer::Yes, 0);
        ASSERT_FALSE(again.prompts.messages.isEmpty());
        EXPECT_TRUE(again.prompts.messages[0].contains(QStringLiteral("Klondike - 778")))
            << "the new deal is what was being played: " << again.prompts.messages[0].toStdString();
        EXPECT_EQ(again.shared.gamePlay.gameNo().toString(), QStringLiteral("778"));
        EXPECT_EQ(recordsOf(home, 777), 1) << "and it is not recorded again";
    }
}

TEST(CrashTest, AGameThatCannotBeKeptIsToldOnceAndPlayGoesOn)
{
    TempHome home;
    Shared shared;
    FakePrompts prompts;
    shared.services.setPrompts(&prompts);
    CardPictures pictures;
    {
        frmMain window(shared, pictures);
        // A folder where the file should go: every write fails, as on a
        // full disk.
        const QString path = Recovery(shared).path();
        ASSERT_TRUE(QDir().mkpath(path));
        window.tmrRecovery.start();
        shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(12));
        RandomPlayer player(shared, 5);
        for (int i = 0; i < 4; ++i) {
            player.step();
            // A tick of the keeping clock or more after each move.
            QTest::qWait(1100);
        }
        EXPECT_EQ(prompts.messages.filter(QStringLiteral("could not be saved: ")).size(), 1)
            << prompts.messages.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(shared.gamePlay.Game_Status(), cGamePlay::kInProgress);
        EXPECT_GT(shared.engine.GetTransID(), 0) << "the game went on";

        // Room again: the game is kept once more.
        ASSERT_TRUE(QDir().rmdir(path));
        player.step();
        for (int wait = 0; wait < 200 && !QFileInfo(path).isFile(); ++wait)
            QTest::qWait(50);
        ASSERT_TRUE(QFileInfo(path).isFile());
        EXPECT_EQ(mFile::ReadGameSummary(path).moves, shared.engine.GetTransID());
        window.ShutDown();
    }
    shared.services.setPrompts(nullptr);
}

TEST(SingleInstanceTest, ALaterStartHandsItsGameToTheRunningCopyAndEnds)
{
    TempHome home;
    const QString saved = savedGame(home, QStringLiteral("handed.tb0"), 31);
    Shared shared;
    FakePrompts prompts;
    shared.services.setPrompts(&prompts);
    CardPictures pictures;
    {
        frmMain window(shared, pictures);
        SingleInstance instance(shared.services, shared.data.AppDir());
        ASSERT_EQ(instance.claim(QString()), SingleInstance::Claim::First);
        QObject::connect(&instance, &SingleInstance::requested, &window, &frmMain::openFromAnotherStart);
        shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(30));
        RandomPlayer player(shared, 2);
        for (int i = 0; i < 5 && player.step(); ++i) {
        }
        const Recovery recovery(shared);
        ASSERT_TRUE(recovery.exists()) << "the running game is kept from its deal on";

        Child second(QStringLiteral(TABLORA_PROGRAM), {QStringLiteral("--no-splash"), saved});
        ASSERT_TRUE(second.finishWithEvents());
        EXPECT_EQ(second.process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.process.exitCode(), 0) << second.process.readAllStandardError().toStdString();
        QTest::qWait(50);
        EXPECT_EQ(shared.gamePlay.gameNo().toString(), QStringLiteral("31")) << "the running copy opened the file";
        EXPECT_TRUE(recovery.exists()) << "and keeps its own game on the disk";
        EXPECT_FALSE(prompts.messages.join(QLatin1Char(' ')).contains(QStringLiteral("did not close normally")));
        window.ShutDown();
    }
    shared.services.setPrompts(nullptr);
}

TEST(SingleInstanceTest, AGameHandedOverWhileADialogIsOpenOpensOnceItCloses)
{
    TempHome home;
    const QString saved = savedGame(home, QStringLiteral("later.tb0"), 41);
    Shared shared;
    FakePrompts prompts;
    shared.services.setPrompts(&prompts);
    CardPictures pictures;
    {
        frmMain window(shared, pictures);
        window.show();
        shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(40));
        QDialog dialog(&window);
        QString whileOpen;
        QTimer::singleShot(0, &dialog, [&] {
            window.openFromAnotherStart(saved);
            QTest::qWait(300);
            whileOpen = shared.gamePlay.gameNo().toString();
            dialog.accept();
        });
        dialog.exec();
        EXPECT_EQ(whileOpen, QStringLiteral("40")) << "the game under the player's dialog stays";
        for (int wait = 0; wait < 200 && shared.gamePlay.gameNo().toString() != QStringLiteral("41"); ++wait)
            QTest::qWait(20);
        EXPECT_EQ(shared.gamePlay.gameNo().toString(), QStringLiteral("41")) << "then the handed game opens";
        window.ShutDown();
    }
    shared.services.setPrompts(nullptr);
}

TEST(SingleInstanceTest, ALockLeftByAKilledCopyIsTakenOverAndOtherHomesNeverMeet)
{
    TempHome home;
    const QString folder = home.path(QStringLiteral("data/one"));
    const QString other = home.path(QStringLiteral("data/two"));
    Services services;
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QDir().mkpath(other));
    {
        Child holder(QStringLiteral(CRASH_CHILD), {QStringLiteral("lock"), folder});
        ASSERT_EQ(holder.firstLine(), QStringLiteral("locked"));
        SingleInstance elsewhere(services, other);
        EXPECT_EQ(elsewhere.claim(QString()), SingleInstance::Claim::First) << "another folder, another copy";
        EXPECT_NE(elsewhere.serverName(), SingleInstance(services, folder).serverName());
        holder.kill();
    }
    SingleInstance instance(services, folder);
    EXPECT_EQ(instance.claim(QString()), SingleInstance::Claim::First) << "the dead copy's lock is taken over";
}

TEST(SingleInstanceTest, ALaterStartThatCannotReachTheRunningCopySaysSoAndTouchesNothing)
{
    TempHome home;
    QString folder;
    {
        Shared shared;
        folder = shared.data.AppDir();
    }
    Child holder(QStringLiteral(CRASH_CHILD), {QStringLiteral("lock"), folder});
    ASSERT_EQ(holder.firstLine(), QStringLiteral("locked"));
    const QStringList before = listing(home.path());

    Child second(QStringLiteral(TABLORA_PROGRAM), {QStringLiteral("--no-splash"), QStringLiteral("--quit-when-ready")});
    ASSERT_TRUE(second.process.waitForFinished(30'000));
    EXPECT_EQ(second.process.exitCode(), 1);
    EXPECT_TRUE(
        QString::fromLocal8Bit(second.process.readAllStandardError()).contains(QStringLiteral("does not answer")));
    EXPECT_EQ(listing(home.path()), before);
}

} // namespace
