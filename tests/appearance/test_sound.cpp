#include "appearance/cSound.h"
#include "session/Shared.h"
#include "support/TempHome.h"

#include <QDataStream>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// Plays nothing; remembers what it was asked to play, and plays "for as
// long" as the test says.
class FakePlayer final : public SoundPlayer {
public:
    void play(const QString& path) override { played << path; }
    bool isPlaying() const override { return busy; }
    QStringList played;
    bool busy = false;
};

class SoundTest : public ::testing::Test {
protected:
    SoundTest()
    {
        // The program folder holds the default wave files.
        for (const char* name : {"Start.wav", "Undo.wav", "AutoPlay.wav", "Win.wav"}) {
            QFile file(QDir(shared.data.ProgramFolder()).filePath(QLatin1String(name)));
            if (!file.exists() && file.open(QIODevice::WriteOnly))
                file.write("RIFF");
        }
        shared.sound.setPlayer(&player);
    }
    ~SoundTest() override { shared.sound.setPlayer(nullptr); }
    QString programFile(const char* name) const
    {
        return QDir(shared.data.ProgramFolder()).filePath(QLatin1String(name));
    }

    TempHome home;
    Shared shared;
    FakePlayer player;
};

TEST_F(SoundTest, EachEventPlaysItsAssignedOrDefaultFile)
{
    cSound& sound = shared.sound;
    EXPECT_EQ(sound.GetSound(QStringLiteral("Undo")), programFile("Undo.wav"));
    EXPECT_EQ(sound.GetSound(QStringLiteral("Redo")), programFile("Undo.wav")) << "undo and redo share a file";
    EXPECT_TRUE(sound.GetSound(QStringLiteral("Move")).isEmpty()) << "no default";

    shared.services.sounds().raise(SoundEvent::Undo);
    shared.services.sounds().raise(SoundEvent::Redo);
    EXPECT_EQ(player.played, (QStringList{programFile("Undo.wav"), programFile("Undo.wav")}));

    // Assigned, and removed: a stored empty text is silence, default or not.
    const QString mine = home.path(QStringLiteral("mine.wav"));
    QFile file(mine);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    sound.SetSound(QStringLiteral("Move"), mine);
    sound.SetSound(QStringLiteral("Win"), QString());
    EXPECT_EQ(sound.GetSound(QStringLiteral("Move")), mine);
    EXPECT_TRUE(sound.GetSound(QStringLiteral("Win")).isEmpty());
    player.played.clear();
    shared.services.sounds().raise(SoundEvent::Win);
    shared.services.sounds().raise(SoundEvent::MoveCard);
    EXPECT_EQ(player.played, QStringList{mine}) << "the win is silent even though Win.wav is there";

    // A file that has gone is silent too.
    QFile::remove(mine);
    player.played.clear();
    shared.services.sounds().raise(SoundEvent::MoveCard);
    EXPECT_TRUE(player.played.isEmpty());
}

TEST_F(SoundTest, ASoundIsNeverCutOffAndAutoPlayNeedsAGame)
{
    shared.services.sounds().raise(SoundEvent::AutoPlay);
    EXPECT_TRUE(player.played.isEmpty()) << "no game on the table";
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(3));
    player.played.clear();
    shared.services.sounds().raise(SoundEvent::AutoPlay);
    EXPECT_EQ(player.played, QStringList{programFile("AutoPlay.wav")});

    player.busy = true;
    shared.services.sounds().raise(SoundEvent::Win);
    EXPECT_EQ(player.played.size(), 1) << "not started while another plays";
    player.busy = false;
    shared.services.sounds().raise(SoundEvent::Win);
    EXPECT_EQ(player.played.last(), programFile("Win.wav"));
}

// The program's own wave files, as the build makes them.
TEST(WaveFilesTest, EachIsAShortCalmWaveOfThePromisedFormat)
{
    for (const char* name : {"Start.wav", "Undo.wav", "AutoPlay.wav", "Win.wav"}) {
        SCOPED_TRACE(name);
        QFile file(QDir(QStringLiteral(TABLORA_SOUNDS_DIR)).filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_GE(bytes.size(), 44);
        QDataStream in(bytes);
        in.setByteOrder(QDataStream::LittleEndian);
        char tag[4];
        quint32 size = 0;
        quint32 formatSize = 0;
        quint16 format = 0;
        quint16 channels = 0;
        quint32 rate = 0;
        quint32 byteRate = 0;
        quint16 align = 0;
        quint16 bits = 0;
        in.readRawData(tag, 4);
        EXPECT_EQ(QByteArray(tag, 4), QByteArray("RIFF"));
        in >> size;
        EXPECT_EQ(size, static_cast<quint32>(bytes.size() - 8));
        in.readRawData(tag, 4);
        EXPECT_EQ(QByteArray(tag, 4), QByteArray("WAVE"));
        in.readRawData(tag, 4);
        EXPECT_EQ(QByteArray(tag, 4), QByteArray("fmt "));
        in >> formatSize >> format >> channels >> rate >> byteRate >> align >> bits;
        EXPECT_EQ(format, 1) << "PCM";
        EXPECT_EQ(rate, 44100U);
        EXPECT_EQ(bits, 16);
        EXPECT_EQ(byteRate, rate * channels * 2);
        in.readRawData(tag, 4);
        EXPECT_EQ(QByteArray(tag, 4), QByteArray("data"));
        quint32 data = 0;
        in >> data;
        ASSERT_EQ(data, static_cast<quint32>(bytes.size() - 44));
        const double seconds = data / 2.0 / channels / rate;
        EXPECT_GT(seconds, 0.05);
        EXPECT_LT(seconds, 1.0);
        int peak = 0;
        for (quint32 i = 0; i < data / 2; ++i) {
            qint16 sample = 0;
            in >> sample;
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        }
        EXPECT_GT(peak, 32767 / 4) << "heard";
        EXPECT_LT(peak, 32767 * 6 / 10) << "not harsh";
    }
}

} // namespace
