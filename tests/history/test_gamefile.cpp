#include "history/mFile.h"
#include "rules/RunTimeError.h"
#include "session/SavedGames.h"
#include "support/FileSizeLimit.h"
#include "support/SessionFixture.h"

#include <QFile>
#include <QFileInfo>

#include <optional>
#include <random>
#include <sys/stat.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class GameFileTest : public ::testing::Test, public SessionFixture {
protected:
    // A Klondike game with some moves made, saved as an incomplete game.
    QString savedGame(int actions, const QString& name = QStringLiteral("game.tb0"))
    {
        session.PlayNumber(QStringLiteral("Klondike"), GameNo(4321));
        play(actions);
        session.setTime(65);
        const QString path = file(name);
        shared.engine.SavetoFile(path);
        return path;
    }
};

TEST_F(GameFileTest, TheHeaderAndNumbersArePrintedAsTheFormatSays)
{
    mFile::GameSummary header;
    header.gameName = QStringLiteral("Klondike");
    header.gameNo = GameNo(1234);
    header.time = 65;
    header.moves = 14;
    header.score = 102;
    header.percentage = 8;
    const QString path = file(QStringLiteral("k.tb0"));
    mFile::WriteGameFile(path, header, {});
    EXPECT_EQ(contents(path), QByteArray("Klondike\r\n 1234 \r\n 65 \r\n 14 \r\n 102 \r\n 8 \r\n"));

    header.score = -17;
    header.gameNo = *GameNo::fromText(QStringLiteral("1234"));
    cEngine::Transaction r{3, 0, 2, 4, 3, 0, 0, 0, 3, 1};
    header.moves = 1;
    mFile::WriteGameFile(path, header, {r});
    EXPECT_EQ(contents(path),
              QByteArray("Klondike\r\n1234\r\n 65 \r\n 1 \r\n-17 \r\n 8 \r\n 3  0  2  4  3  0  0  0  3  1 \r\n"))
        << "a number kept as text is written as it is";
    EXPECT_EQ(mFile::PrintNumber(-5), QStringLiteral("-5 "));
}

TEST_F(GameFileTest, AGameSavedRightAfterTheDealHoldsNoMoves)
{
    session.PlayNumber(QStringLiteral("Klondike"), GameNo(2));
    shared.engine.ClearTRANS();
    const QString path = file(QStringLiteral("fresh.tb0"));
    shared.engine.SavetoFile(path);
    EXPECT_EQ(contents(path).count("\r\n"), 6);
    shared.engine.LoadFile(path);
    EXPECT_EQ(shared.engine.GetTransTop(), 0);
    EXPECT_EQ(mFile::ReadGameSummary(path).gameName, QStringLiteral("Klondike"));
    EXPECT_FALSE(mFile::ReadGameSummary(path).fileDate.isEmpty());
}

TEST_F(GameFileTest, AnIncompleteGameReopensWithItsTimeMovesAndTable)
{
    const QString path = savedGame(40);
    const QString before = table();
    const int16_t moves = session.Moves();
    ASSERT_GT(moves, 5);

    session.PlayNumber(QStringLiteral("Spiderette"), GameNo(1));
    session.PlayFile(path, true);

    EXPECT_EQ(session.GameName(), QStringLiteral("Klondike"));
    EXPECT_EQ(session.gameNo().toNumber(), 4321);
    EXPECT_EQ(session.Time(), 65);
    EXPECT_EQ(session.Moves(), moves);
    EXPECT_EQ(table(), before);
    EXPECT_EQ(session.Game_Status(), cGamePlay::kInProgress);
    EXPECT_TRUE(host.clock) << "the clock runs on";
    EXPECT_EQ(shared.func.GetMRU(cFunc::kOpenedList)[1], path);
}

TEST_F(GameFileTest, UndoneMovesAreNotSaved)
{
    session.PlayNumber(QStringLiteral("Klondike"), GameNo(4321));
    play(30);
    int16_t speed = 0;
    ASSERT_TRUE(shared.engine.Undo(speed));
    const int16_t inEffect = shared.engine.GetTransID();
    ASSERT_LT(inEffect, shared.engine.GetTransTop());
    const QString path = file(QStringLiteral("undone.tb0"));
    shared.engine.SavetoFile(path);

    session.PlayFile(path, false);
    EXPECT_EQ(shared.engine.GetTransTop(), inEffect);
    EXPECT_FALSE(shared.engine.RedoPossible());
    EXPECT_EQ(shared.func.GetMRUCount(cFunc::kOpenedList), 0);
}

TEST_F(GameFileTest, AFinishedGameOpensOnShowAndReplaysMoveByMove)
{
    const QString path = savedGame(25, QStringLiteral("done.TB1"));
    const QString before = table();
    const int16_t moves = session.Moves();

    session.PlayFile(path, false);
    host.calls.clear();

    EXPECT_EQ(session.Game_Status(), cGamePlay::kFinishedOnShow);
    EXPECT_FALSE(session.Game_Running());
    EXPECT_EQ(host.replays, 1);
    EXPECT_TRUE(session.TitleText().endsWith(QStringLiteral(" [Finished Game]")));
    EXPECT_EQ(shared.engine.GetTransID(), 0);
    int steps = 0;
    for (int16_t speed = 0; shared.engine.Redo(speed); speed = 0)
        ++steps;
    EXPECT_GT(steps, 1);
    EXPECT_EQ(shared.engine.GetTransID(), moves);
    EXPECT_EQ(table(), before);

    session.PlayNumber(QStringLiteral("Klondike"), GameNo(3));
    EXPECT_EQ(host.calls.filter(QStringLiteral("AddScore")).size(), 0) << "a game on show is not scored";
}

// A pending game's file stays in the folder while it is played, so that a
// program that does not end normally loses nothing.
TEST_F(GameFileTest, ThePendingGameKeepsItsFileWhileItIsPlayed)
{
    const QString path = savedGame(10, QStringLiteral("pending"));
    session.PlayPendFile(path);
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_TRUE(session.IsPending());
    EXPECT_TRUE(session.TitleText().endsWith(QStringLiteral(" [Pending List Game]")));
    EXPECT_TRUE(host.calls.contains(QStringLiteral("markPendingPlaying ") + path));
    play(4);
    const int16_t moves = session.Moves();
    host.calls.clear();
    session.PlayPendFile(path);
    EXPECT_TRUE(host.calls.isEmpty()) << "the game being played is not started again";
    EXPECT_EQ(session.Moves(), moves);
    session.Unload();
    EXPECT_EQ(host.calls,
              (QStringList{QStringLiteral("SaveBackPending ") + path, QStringLiteral("refreshPendingMenu")}));

    const QString bad = file(QStringLiteral("bad pending"));
    write(bad, "Klondike\r\n");
    EXPECT_THROW(session.PlayPendFile(bad), RunTimeError);
    EXPECT_TRUE(QFileInfo::exists(bad)) << "a file that cannot be played is kept";
}

TEST_F(GameFileTest, TheDialogsProposeTheNameAndRememberTheFolder)
{
    session.PlayNumber(QStringLiteral("Klondike"), GameNo(1234));
    const QString target = file(QStringLiteral("saves/Klondike-1234.tb0"));
    QDir().mkpath(file(QStringLiteral("saves")));
    prompts.files.push_back(target);
    mFile::SaveGameDialog(shared, shared.data.IncExt());

    ASSERT_EQ(prompts.dialogs.size(), 1u);
    EXPECT_EQ(prompts.dialogs[0].fileName, QStringLiteral("Klondike-1234.tb0"));
    EXPECT_EQ(prompts.dialogs[0].filter, QStringLiteral(" InComplete Game (*.tb0)|*.tb0"));
    EXPECT_EQ(prompts.dialogs[0].initialFolder, shared.data.SavedFolder());
    EXPECT_TRUE(prompts.dialogs[0].confirmOverwrite);
    EXPECT_TRUE(QFileInfo::exists(target));
    EXPECT_EQ(mFile::SaveFolder(shared), file(QStringLiteral("saves")));
    EXPECT_EQ(shared.func.GetMRU(cFunc::kSavedList)[1], target);

    prompts.files.push_back(std::nullopt);
    mFile::OpenGameDialog(shared);
    EXPECT_EQ(prompts.dialogs[1].filter,
              QStringLiteral("Tablora 6.0 InComplete Game (*.tb0)|*.tb0|Tablora 6.0 Finished Game (*.tb1)|*.tb1"));
    EXPECT_EQ(prompts.dialogs[1].initialFolder, file(QStringLiteral("saves")));

    QDir(file(QStringLiteral("saves"))).removeRecursively();
    EXPECT_EQ(mFile::SaveFolder(shared), shared.data.SavedFolder()) << "a folder that is gone";

    QFile::copy(shared.data.UnFinFile(), shared.data.SavedFolder() + QStringLiteral("/x.txt"));
    write(shared.data.SavedFolder() + QStringLiteral("/a.tb0"), "");
    write(shared.data.SavedFolder() + QStringLiteral("/b.TB1"), "");
    write(shared.data.SavedFolder() + QStringLiteral("/c.txt"), "");
    QStringList listed = mFile::ListSavedGames(shared.data);
    EXPECT_EQ(listed.takeFirst(), QStringLiteral("2"));
    listed.sort();
    EXPECT_EQ(listed, (QStringList{QStringLiteral("a.tb0"), QStringLiteral("b.TB1")}));
}

TEST_F(GameFileTest, ASaveOnAFullDiskFailsAndKeepsTheOldFile)
{
    const QString path = savedGame(20);
    const QByteArray before = contents(path);
    play(20, 11);
    ASSERT_GT(shared.engine.GetTransID(), 20);
    // Nothing is printed while the limit holds: the test's output may be a
    // file too.
    std::optional<RunTimeError> error;
    {
        FileSizeLimit full(64);
        ASSERT_TRUE(full.active());
        try {
            shared.engine.SavetoFile(path);
        } catch (const RunTimeError& e) {
            error = e;
        }
    }
    ASSERT_TRUE(error) << "the save was reported as made";
    EXPECT_EQ(error->number(), RunTimeError::kPathFileAccess);
    EXPECT_TRUE(error->description().contains(path)) << error->description().toStdString();
    EXPECT_TRUE(error->description().contains(QStringLiteral("File too large"))) << error->description().toStdString();
    EXPECT_EQ(contents(path), before) << "the old game is kept whole";
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files), QStringList{QStringLiteral("game.tb0")})
        << "no temporary copy is left";
    shared.engine.SavetoFile(path);
    EXPECT_GT(contents(path).size(), before.size()) << "saves once there is room";
}

TEST_F(GameFileTest, FavoritesAreReadByTheirFourItems)
{
    const QString path = file(QStringLiteral("Klondike - 12"));
    write(path, "\"Klondike\",12,\"Ann Lee\",#2026-12-08 10:11:12#\r\n");
    const mFile::FavoriteRecord f = mFile::ReadFavoriteFile(path);
    EXPECT_EQ(f.gameName, QStringLiteral("Klondike"));
    EXPECT_EQ(f.gameNo.toNumber(), 12);
    EXPECT_EQ(f.player, QStringLiteral("Ann Lee"));
    EXPECT_EQ(f.date, QStringLiteral("2026-12-08 10:11:12"));
    session.PlayFavFile(path);
    EXPECT_EQ(session.GameName(), QStringLiteral("Klondike"));
    EXPECT_EQ(session.gameNo().toNumber(), 12);
}

// Damaged files of every kind are refused with a message naming the file,
// and the game on the table stays as it was.
class DamagedFileTest : public GameFileTest {
protected:
    void SetUp() override
    {
        good = contents(savedGame(40));
        // A different game is on the table while the files are opened.
        session.PlayNumber(QStringLiteral("Easthaven"), GameNo(8));
        play(6);
        tableBefore = table();
        movesBefore = shared.engine.GetTransTop();
        host.calls.clear();
    }

    // Tries to open the bytes; true when they were refused properly.
    void expectRefused(const QByteArray& bytes, const std::string& what)
    {
        const QString path = file(QStringLiteral("damaged.tb0"));
        write(path, bytes);
        try {
            session.PlayFile(path, true);
            ADD_FAILURE() << what << ": accepted";
        } catch (const RunTimeError& e) {
            EXPECT_TRUE(e.description().contains(QStringLiteral("damaged.tb0"))) << what;
        }
        EXPECT_EQ(table(), tableBefore) << what;
        EXPECT_EQ(shared.engine.GetTransTop(), movesBefore) << what;
        EXPECT_EQ(session.GameName(), QStringLiteral("Easthaven")) << what;
        EXPECT_TRUE(host.calls.isEmpty()) << what << ": the running game was ended";
    }

    QList<QByteArray> lines() const { return good.split('\n'); }
    QByteArray withLine(int index, const QByteArray& line) const
    {
        QList<QByteArray> l = lines();
        l[index] = line + '\r';
        return l.join('\n');
    }

    QByteArray good;
    QString tableBefore;
    int16_t movesBefore = 0;
};

TEST_F(DamagedFileTest, EachKindOfDamageIsRefused)
{
    const QList<QByteArray> l = lines();
    ASSERT_GT(l.size(), 12);
    QList<QByteArray> tenth = l[9].trimmed().split(' ');
    tenth.removeAll(QByteArray());
    ASSERT_EQ(tenth.size(), 10);
    auto record = [&](int field, const QByteArray& value) {
        QList<QByteArray> r = tenth;
        r[field] = value;
        return withLine(9, ' ' + r.join("  ") + ' ');
    };

    expectRefused(QByteArray(), "an empty file");
    expectRefused(good.left(good.indexOf("\r\n", 20)), "a truncated header");
    expectRefused(good.left(good.size() - 9), "a truncated last move");
    expectRefused(withLine(0, "Klondyke"), "a name that is not a game");
    expectRefused(withLine(1, " twelve "), "a game number that is not a number");
    expectRefused(withLine(3, " 999 "), "a move count that does not match");
    expectRefused(withLine(9, " 1  2  3 "), "a move with three numbers");
    expectRefused(record(0, "400"), "a card the game does not have");
    expectRefused(record(4, "7"), "a group the game does not have");
    expectRefused(record(5, "40"), "a pile the game does not have");
    expectRefused(record(3, "0") == good ? record(3, "1") : record(3, "0"), "a card that is not where it says");
    expectRefused(record(7, "5"), "a wrong number of cards on it");
    expectRefused(record(8, "9"), "an unknown kind of move");
    expectRefused(QByteArray("\x01\xff\xfe garbage\r\n\r\n", 16), "garbage bytes");

    // The file of a won game with one move too many onto a foundation.
    write(file(QStringLiteral("ok.tb0")), good);
    EXPECT_NO_THROW(session.PlayFile(file(QStringLiteral("ok.tb0")), false)) << "the undamaged file opens";
}

// Only ordinary files of a game's size are read at all.
TEST_F(GameFileTest, HugeFilesAndDevicesAreRefusedUnread)
{
    auto refusal = [](const QString& path) {
        try {
            mFile::ReadGameSummary(path);
        } catch (const RunTimeError& e) {
            EXPECT_EQ(e.number(), RunTimeError::kBadFileFormat) << e.description().toStdString();
            return e.description();
        }
        return QStringLiteral("accepted");
    };

    // A saved game padded with blanks to the largest size still opens.
    const QString path = savedGame(20);
    QByteArray bytes = contents(path);
    bytes.append(QByteArray(mFile::kMaxFileBytes - bytes.size(), ' '));
    write(path, bytes);
    EXPECT_NO_THROW(mFile::ReadGameFile(path));

    // One byte more, and a sparse file far larger, are refused by their size.
    write(path, bytes + ' ');
    EXPECT_TRUE(refusal(path).contains(QStringLiteral("larger than any game file"))) << refusal(path).toStdString();
    QFile huge(file(QStringLiteral("huge.tb0")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(qint64{200} * 1024 * 1024));
    huge.close();
    EXPECT_TRUE(refusal(huge.fileName()).contains(QStringLiteral("larger than any game file")));
    EXPECT_THROW(mFile::ReadFavoriteFile(huge.fileName()), RunTimeError);

    // A device, a pipe nobody writes to and a folder.
    EXPECT_TRUE(
        refusal(QStringLiteral("/dev/zero"))
            .contains(QStringLiteral("\"/dev/zero\" cannot be opened as a Tablora game: it is not an ordinary file")))
        << refusal(QStringLiteral("/dev/zero")).toStdString();
    const QString pipe = file(QStringLiteral("pipe.tb0"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_TRUE(refusal(pipe).contains(QStringLiteral("not an ordinary file")));
    EXPECT_TRUE(refusal(home.path()).contains(QStringLiteral("it is a folder")));
}

TEST_F(GameFileTest, QuotedDamageIsShortAndPrintable)
{
    const QString path = file(QStringLiteral("binary.tb0"));
    QByteArray name("Klon\x01\x1b[2J\xff\xfe");
    name.append(QByteArray(200, 'x'));
    write(path, name + "\r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n");
    try {
        mFile::ReadGameFile(path);
        FAIL() << "accepted";
    } catch (const RunTimeError& e) {
        const QString d = e.description();
        const qsizetype open = d.indexOf(QStringLiteral(": \"")) + 3;
        const QString quoted = d.mid(open, d.indexOf(QStringLiteral("\" is not"), open) - open);
        EXPECT_TRUE(quoted.startsWith(QStringLiteral("Klon\\x01\\x1b[2J\u00ff\u00fexxx"))) << d.toStdString();
        EXPECT_EQ(quoted.size(), 60) << d.toStdString();
        EXPECT_TRUE(quoted.endsWith(QStringLiteral("xxx..."))) << d.toStdString();
        for (const QChar c : d)
            EXPECT_TRUE(c.isPrint()) << "an unprintable character in " << d.toStdString();
    }

    // A short damaged number is shown whole.
    write(path, "Klondike\r\n 1\t2\x7f \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n");
    EXPECT_THROW(
        {
            try {
                mFile::ReadGameFile(path);
            } catch (const RunTimeError& e) {
                EXPECT_TRUE(e.description().contains(QStringLiteral("\"1\\x092\\x7f\"")))
                    << e.description().toStdString();
                throw;
            }
        },
        RunTimeError);
}

TEST_F(DamagedFileTest, RandomDamageNeverCrashesOrHarmsTheTable)
{
    std::mt19937 random(12345);
    int refused = 0;
    for (int round = 0; round < 150; ++round) {
        QByteArray bytes = good;
        const int changes = 1 + static_cast<int>(random() % 3);
        for (int c = 0; c < changes; ++c) {
            const int at = static_cast<int>(random() % static_cast<uint32_t>(bytes.size()));
            switch (random() % 3) {
            case 0: bytes[at] = static_cast<char>("0123456789 -,\r\nx"[random() % 16]); break;
            case 1: bytes.remove(at, 1 + static_cast<int>(random() % 8)); break;
            default: bytes.insert(at, static_cast<char>('0' + random() % 10)); break;
            }
        }
        const QString path = file(QStringLiteral("fuzz.tb0"));
        write(path, bytes);
        try {
            session.PlayFile(path, false);
            // Accepted: the damage made another valid game; play goes on.
            ASSERT_EQ(session.Game_Status(), cGamePlay::kInProgress);
            session.PlayNumber(QStringLiteral("Easthaven"), GameNo(8));
            play(6);
            tableBefore = table();
            movesBefore = shared.engine.GetTransTop();
        } catch (const RunTimeError&) {
            ++refused;
            ASSERT_EQ(table(), tableBefore) << "round " << round;
            ASSERT_EQ(shared.engine.GetTransTop(), movesBefore) << "round " << round;
        }
    }
    EXPECT_GT(refused, 100);
}

} // namespace
