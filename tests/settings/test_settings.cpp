#include "engine/FallbackSettingsStore.h"
#include "rules/RunTimeError.h"
#include "scores/Players.h"
#include "settings/LineReader.h"
#include "settings/RegistrySettingsStore.h"
#include "support/FileSizeLimit.h"
#include "support/TempHome.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    QString fileText() const
    {
        QFile file(registry.filePath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    TempHome home;
    cRegistry registry{cRegistry::defaultFilePath()};
    RegistrySettingsStore store{registry};
};

TEST_F(SettingsStoreTest, AFreshStoreAnswersEveryDefaultAndCreatesNothing)
{
    const std::vector<std::pair<NumberSetting, int32_t>> numbers = {
        {settings::kUnFin, 0},          {settings::kGameSave, 0},      {settings::kEnableInc, 1},
        {settings::kEnableFin, 1},      {settings::kShowTime, 1},      {settings::kShowScore, 1},
        {settings::kShowMoves, 1},      {settings::kShowCardsLeft, 1}, {settings::kRangeIndex, 6},
        {settings::kShowToolbar, 1},    {settings::kAutoPlay, 1},      {settings::kCardSpeed, 5},
        {settings::kUndoSpeed, 5},      {settings::kUndoallSpeed, 2},  {settings::kReplaySpeed, 7},
        {settings::kBackIndex, 1},      {settings::kTextureIndex, 1},  {settings::kColorIndex, 7},
        {settings::kImageIndex, 1},     {settings::kFadeIndex, 1},     {settings::kEnableTile, 1},
        {settings::kWPTimerValue, 4},   {settings::kDeckIndex, 7},     {settings::kFinishAddtoFav, 0},
        {settings::kFinishSaveFile, 0}, {settings::kAutoSaveTab, 0},
    };
    for (const auto& [setting, expected] : numbers)
        EXPECT_EQ(store.read(setting), expected) << setting.section << "/" << setting.name;
    EXPECT_EQ(store.read(settings::kSelectMainKey), QStringLiteral("All"));
    EXPECT_EQ(store.read(settings::kLastGName), QString());
    EXPECT_EQ(store.read(settings::kCurPlayer), QString());
    EXPECT_EQ(store.readText(settings::mruSection(0), QStringLiteral("1"), QStringLiteral("x")), QStringLiteral("x"));

    EXPECT_FALSE(QFileInfo::exists(registry.filePath()));
    EXPECT_FALSE(QFileInfo::exists(home.path(QStringLiteral("config/Quellix Technologies"))))
        << "nothing is created before the first write";
}

TEST_F(SettingsStoreTest, ValuesRoundTripWithTheirKinds)
{
    for (const int32_t n : {-1, 0, 1, 32767, -32768}) {
        store.write(settings::kRangeIndex, n);
        EXPECT_EQ(store.read(settings::kRangeIndex), n);
    }
    EXPECT_THROW(store.write(settings::kRangeIndex, 32768), RunTimeError) << "numbers are 16-bit";

    store.write(settings::kSelectMainKey, QString());
    EXPECT_EQ(store.read(settings::kSelectMainKey), QString()) << "an empty text is not the default";

    // Texts are stored as given, percent signs and all.
    qputenv("TABLORA_TEST_DIR", "/srv/cards");
    for (const QString& plain : {QStringLiteral("%TABLORA_TEST_DIR%/deck"), QStringLiteral("50% off"),
                                 QStringLiteral("a%%b"), QStringLiteral("%UNSET_X%")}) {
        store.write(settings::kLastGName, plain);
        EXPECT_EQ(store.read(settings::kLastGName), plain);
        EXPECT_TRUE(fileText().contains(QStringLiteral("\"LastGName\"=\"%1\"\n").arg(plain)))
            << fileText().toStdString();
    }

    store.write(settings::kLastGName, QStringLiteral("Line \"one\"\\two\nthree"));
    EXPECT_EQ(store.read(settings::kLastGName), QStringLiteral("Line \"one\"\\two\nthree"));
}

TEST_F(SettingsStoreTest, TheFileIsReadableAndSurvivesANewStore)
{
    store.write(settings::kAutoPlay, 0);
    store.write(settings::kCurPlayer, QStringLiteral("Ann"));

    const QString text = fileText();
    EXPECT_TRUE(
        text.contains(QStringLiteral("[HKEY_LOCAL_MACHINE\\Software\\Quellix Technologies\\Tablora 6.0\\6.0\\Options]\n"
                                     "\"AutoPlay\"=dword:00000000\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\"CurPlayer\"=\"Ann\"")));

    cRegistry other(cRegistry::defaultFilePath());
    RegistrySettingsStore reread(other);
    EXPECT_EQ(reread.read(settings::kAutoPlay), 0);
    EXPECT_EQ(reread.read(settings::kCurPlayer), QStringLiteral("Ann"));
    EXPECT_EQ(reread.readText(QStringLiteral("players"), QStringLiteral("curplayer"), QString()), QStringLiteral("Ann"))
        << "sections and names are found whatever their case";

    // A change made by hand is read; a line that cannot be read counts as
    // absent.
    QFile file(registry.filePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8().replace("\"AutoPlay\"=dword:00000000", "\"AutoPlay\"=dword:0000000g\n"
                                                                    "\"RangeIndex\"=\"9\"\n"
                                                                    "\"ColorIndex\"=dword:00011170"));
    file.close();
    EXPECT_EQ(reread.read(settings::kAutoPlay), 1);
    EXPECT_EQ(reread.read(settings::kRangeIndex), 9) << "a number kept as text";
    EXPECT_EQ(reread.read(settings::kColorIndex), 7) << "a number too large for the setting";
    EXPECT_EQ(reread.read(settings::kCurPlayer), QStringLiteral("Ann"));
}

// What the reader cannot understand is written back as it was, and a file
// that is not UTF-8 keeps its letters.
TEST_F(SettingsStoreTest, LinesTheReaderCannotReadAreKeptAndLatin1IsRead)
{
    const QByteArray base = "[HKEY_LOCAL_MACHINE\\Software\\Quellix Technologies\\Tablora 6.0\\6.0\\";
    const QByteArray handMade = "; my own settings\n" + base +
                                "Options]\n"
                                "\"RangeIndex\"=9\n"
                                "; keep the toolbar\n"
                                "\"AutoPlay\"=dword:00000000 ; off while I learn\n"
                                "\"ShowTime\"=dword:1 2\n" +
                                base +
                                "Players]\n"
                                "\"CurPlayer\"=\"Jos\xe9\"\n"
                                "\"1\"=Jos\xe9\n";
    ASSERT_TRUE(QDir().mkpath(QFileInfo(registry.filePath()).absolutePath()));
    QFile file(registry.filePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(handMade);
    file.close();

    EXPECT_EQ(store.read(settings::kCurPlayer), QStringLiteral("Jos\u00e9")) << "Windows-1252 where not UTF-8";
    EXPECT_EQ(store.read(settings::kAutoPlay), 0) << "a note after a value";
    EXPECT_EQ(store.read(settings::kRangeIndex), settings::kRangeIndex.defaultValue);
    EXPECT_EQ(store.read(settings::kShowTime), settings::kShowTime.defaultValue);

    store.write(settings::kShowScore, 0);
    store.write(settings::kAutoPlay, 1);
    const QString text = fileText();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    EXPECT_TRUE(bytes.contains("\"CurPlayer\"=\"Jos\xc3\xa9\"\n")) << "written back as UTF-8";
    EXPECT_TRUE(text.startsWith(QStringLiteral("; Tablora settings"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\n; my own settings\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\"AutoPlay\"=dword:00000001 ; off while I learn\n")))
        << text.toStdString();
    const qsizetype options = text.indexOf(QStringLiteral("6.0\\Options]"));
    const qsizetype players = text.indexOf(QStringLiteral("6.0\\Players]"));
    const qsizetype range =
        text.indexOf(QStringLiteral("\"RangeIndex\"=9\n; keep the toolbar\n\"ShowTime\"=dword:1 2\n"));
    EXPECT_TRUE(options >= 0 && range > options && (players < options || range < players))
        << "unread lines stay in their key, in order:\n"
        << text.toStdString();
    EXPECT_GT(text.indexOf(QStringLiteral("\"1\"=Jos\u00e9\n")), players);
    EXPECT_TRUE(text.contains(QStringLiteral("\"CurPlayer\"=\"Jos\u00e9\"\n")));

    cRegistry other(registry.filePath());
    RegistrySettingsStore reread(other);
    EXPECT_EQ(reread.read(settings::kCurPlayer), QStringLiteral("Jos\u00e9")) << "UTF-8 now";
    EXPECT_EQ(reread.read(settings::kAutoPlay), 1);
    EXPECT_EQ(reread.read(settings::kShowScore), 0);
    EXPECT_EQ(fileText().count(QStringLiteral("; keep the toolbar")), 1) << "kept once, not once per write";
}

// A player's name and a chosen folder come back exactly as they were
// typed; only a value the file holds as expandable is expanded.
TEST_F(SettingsStoreTest, TypedTextsAreNeverExpanded)
{
    const QString home = QString::fromLocal8Bit(qgetenv("HOME"));
    ASSERT_FALSE(home.isEmpty());
    Players players(store);
    players.EnsurePlayer();
    ASSERT_TRUE(players.AddPlayer(QStringLiteral("%HOME%")));
    players.SetCurrentPlayer(QStringLiteral("%HOME%"));
    store.writeText(QStringLiteral("General"), QStringLiteral("SaveInitDir"), QStringLiteral("/games/%USER%/saves"));

    cRegistry reopened(registry.filePath());
    RegistrySettingsStore reread(reopened);
    Players again(reread);
    EXPECT_EQ(again.PlayerName(2), QStringLiteral("%HOME%"));
    EXPECT_EQ(again.FindPlayer(QStringLiteral("%HOME%")), 2) << "the player is found again";
    EXPECT_EQ(again.CurrentPlayer(), QStringLiteral("%HOME%"));
    EXPECT_EQ(again.CheckName(QStringLiteral("%HOME%")), Players::NameCheck::Exists);
    EXPECT_EQ(reread.readText(QStringLiteral("General"), QStringLiteral("SaveInitDir"), QString()),
              QStringLiteral("/games/%USER%/saves"));
    EXPECT_FALSE(fileText().contains(QStringLiteral("=expand:")));

    // A file written with an expandable value still reads it expanded.
    QString text = fileText();
    text.replace(QStringLiteral("\"SaveInitDir\"=\"/games/%USER%/saves\""),
                 QStringLiteral("\"SaveInitDir\"=expand:\"%HOME%/saved games\""));
    QFile file(registry.filePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
    file.close();
    EXPECT_EQ(reread.readText(QStringLiteral("General"), QStringLiteral("SaveInitDir"), QString()),
              home + QStringLiteral("/saved games"));
    EXPECT_EQ(again.FindPlayer(QStringLiteral("%HOME%")), 2);
}

// A write killed halfway leaves QSaveFile's copy beside the file; the next
// start removes it, but not a copy being written nor one a person made.
TEST(SettingsFileTest, StaleCopiesAreRemovedAtStart)
{
    TempHome home;
    const QString path = cRegistry::defaultFilePath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    auto make = [](const QString& name, int ageSeconds) {
        QFile copy(name);
        EXPECT_TRUE(copy.open(QIODevice::WriteOnly));
        copy.write("; Tablora settings");
        copy.flush();
        EXPECT_TRUE(
            copy.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime));
    };
    make(path, 3600);
    make(path + QStringLiteral(".kXqTbA"), 3600);
    make(path + QStringLiteral(".PmWzeQ"), 7200);
    make(path + QStringLiteral(".RtYuIo"), 0);
    make(path + QStringLiteral(".backup"), 3600);
    make(path + QStringLiteral(".old"), 3600);

    cRegistry registry(path);
    QStringList left = QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left, (QStringList{QStringLiteral("Tablora 6.0.conf"), QStringLiteral("Tablora 6.0.conf.RtYuIo"),
                                 QStringLiteral("Tablora 6.0.conf.backup"), QStringLiteral("Tablora 6.0.conf.old")}));
}

TEST_F(SettingsStoreTest, AWriteThatCannotBeMadeRaisesItsError)
{
    // The settings folder's place is taken by a file.
    QFile blocker(home.path(QStringLiteral("config")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        store.write(settings::kAutoPlay, 1);
        FAIL() << "the write was reported as made";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.number(), 26001);
        EXPECT_EQ(e.source(), QStringLiteral("Tablora.cRegistry"));
        EXPECT_EQ(e.description(),
                  QStringLiteral("Failed to set registry value Key: '-2147483646',Section: "
                                 "'Software\\Quellix Technologies\\Tablora 6.0\\6.0\\Options',Key: 'AutoPlay' "
                                 "to value: '1'"));
    }
    QFile::remove(home.path(QStringLiteral("config")));

    // The settings file's place is taken by a folder.
    ASSERT_TRUE(QDir().mkpath(registry.filePath()));
    try {
        store.write(settings::kCurPlayer, QStringLiteral("Ann"));
        FAIL() << "the write was reported as made";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.number(), static_cast<int32_t>(0x800469A9u));
        EXPECT_TRUE(e.description().endsWith(QStringLiteral("Key: 'CurPlayer' to value: 'Ann'")));
    }

    // The disk is full: the file on the disk stays as it was.
    QDir(registry.filePath()).removeRecursively();
    store.write(settings::kCurPlayer, QStringLiteral("Ann"));
    const QString kept = fileText();
    QString reason;
    {
        FileSizeLimit full(16);
        ASSERT_TRUE(full.active());
        try {
            store.write(settings::kCurPlayer, QStringLiteral("Bob"));
        } catch (const SettingsNotSaved& e) {
            reason = e.reason();
        }
    }
    EXPECT_TRUE(reason.contains(QStringLiteral("File too large"))) << "reason: " << reason.toStdString();
    EXPECT_EQ(fileText(), kept);
    EXPECT_EQ(store.read(settings::kCurPlayer), QStringLiteral("Ann")) << "what is on the disk counts";
    EXPECT_EQ(QDir(QFileInfo(registry.filePath()).absolutePath()).entryList(QDir::Files).size(), 1);

    // Binary values must be bytes; a DWORD of another kind writes nothing.
    QDir(registry.filePath()).removeRecursively();
    registry.setSectionKey(QStringLiteral("Software\\Test"));
    registry.setValueKey(QStringLiteral("Bytes"));
    registry.setValueType(cRegistry::kBinary);
    EXPECT_THROW(registry.setValue(QStringLiteral("text")), RunTimeError);
    registry.setValue(QByteArray("\x01\xff", 2));
    EXPECT_EQ(registry.Value().toByteArray(), QByteArray("\x01\xff", 2));
    registry.setValueKey(QStringLiteral("Number"));
    registry.setValueType(cRegistry::kDWord);
    registry.setValue(QStringLiteral("not a number"));
    EXPECT_FALSE(registry.Value().isValid());
}

} // namespace

namespace {

// A store that keeps what it is given until its disk is "full".
class FillingStore final : public SettingsStore {
public:
    bool full = false;
    int writes = 0;
    MemorySettingsStore kept;

    QString readText(const QString& s, const QString& n, const QString& d) const override
    {
        return kept.readText(s, n, d);
    }
    void writeText(const QString& s, const QString& n, const QString& v) override
    {
        refuseWhenFull();
        kept.writeText(s, n, v);
    }
    int32_t readNumber(const QString& s, const QString& n, int32_t d) const override
    {
        return kept.readNumber(s, n, d);
    }
    void writeNumber(const QString& s, const QString& n, int32_t v) override
    {
        refuseWhenFull();
        kept.writeNumber(s, n, v);
    }

private:
    void refuseWhenFull()
    {
        ++writes;
        if (full)
            throw SettingsNotSaved(RunTimeError::kPathFileAccess, QStringLiteral("Failed to set registry value"),
                                   QString(), QStringLiteral("No space left on device"));
    }
};

TEST(FallbackSettingsTest, AFailedWriteIsToldOnceAndItsValueLivesOnInMemory)
{
    FillingStore disk;
    FallbackSettingsStore settings(disk);
    settings.write(settings::kRangeIndex, 3);
    EXPECT_EQ(disk.kept.read(settings::kRangeIndex), 3) << "written through while the disk takes it";

    disk.full = true;
    settings.write(settings::kRangeIndex, 4);
    settings.write(settings::kLastGName, QStringLiteral("Canister"));
    settings.write(settings::kLastGName, QString());
    EXPECT_TRUE(settings.failed());
    EXPECT_EQ(disk.writes, 2) << "after the first failure the disk is left alone";
    EXPECT_EQ(settings.read(settings::kRangeIndex), 4);
    EXPECT_EQ(settings.read(settings::kLastGName), QString()) << "an emptied text stays empty";
    EXPECT_EQ(settings.read(settings::kAutoPlay), 1) << "values never written read from the store, with defaults";

    // The failure came before anyone listened: told when someone does, once.
    QStringList told;
    settings.setReporter([&](const QString& text) { told << text; });
    settings.write(settings::kRangeIndex, 5);
    EXPECT_EQ(told, QStringList{QStringLiteral("Settings could not be saved: No space left on device")});

    // Another store starts afresh.
    FillingStore other;
    settings.attach(other);
    EXPECT_FALSE(settings.failed());
    EXPECT_EQ(settings.read(settings::kRangeIndex), settings::kRangeIndex.defaultValue) << "nothing kept across stores";
    settings.write(settings::kRangeIndex, 2);
    EXPECT_EQ(other.kept.read(settings::kRangeIndex), 2);
}

TEST(FallbackSettingsTest, AnIgnoredValueIsToldOnceARunBesideAFailedWrite)
{
    FillingStore disk;
    FallbackSettingsStore settings(disk);
    disk.full = true;
    settings.write(settings::kRangeIndex, 4);
    settings.valueIgnored(QStringLiteral("first"));
    settings.valueIgnored(QStringLiteral("second"));
    QStringList told;
    settings.setReporter([&](const QString& text) { told << text; });
    EXPECT_EQ(told, (QStringList{QStringLiteral("Settings could not be saved: No space left on device"),
                                 QStringLiteral("first")}))
        << "both waited for a listener; the second ignored value is not told";
    settings.valueIgnored(QStringLiteral("third"));
    EXPECT_EQ(told.size(), 2);
    settings.setReporter(nullptr);
}

} // namespace

namespace {

struct ReadLines {
    QStringList lines;
    int tooLong = 0;
};

ReadLines readAll(const QByteArray& bytes, qsizetype maxLineBytes, qsizetype blockBytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    EXPECT_TRUE(buffer.open(QIODevice::ReadOnly));
    LineReader reader(buffer, maxLineBytes, blockBytes);
    ReadLines read;
    QString line;
    for (LineReader::Read r; (r = reader.next(line)) != LineReader::Read::End;) {
        if (r == LineReader::Read::TooLong) {
            ++read.tooLong;
            read.lines << QStringLiteral("<too long>");
        } else {
            read.lines << line;
        }
    }
    EXPECT_FALSE(reader.failed());
    return read;
}

// Lines end as any editor may end them, and come out the same whatever
// falls on the boundaries of the blocks read: a CR LF split between two
// blocks is one ending, and a line past the limit is passed over to its end
// without ending the reading.
TEST(LineReaderTest, EveryLineEndingAndOverlongLinesWhereverTheBlocksEnd)
{
    const QByteArray bytes = "one\r\ntwo\nthree\rfour\r\r\n" + QByteArray(20, 'a') + "\r\n" + QByteArray(21, 'b') +
                             "\r" + QByteArray(500, 'c') + "\r\nJos\xe9\nJos\xc3\xa9\n\nlast";
    const QStringList expected = {QStringLiteral("one"),
                                  QStringLiteral("two"),
                                  QStringLiteral("three"),
                                  QStringLiteral("four"),
                                  QString(),
                                  QString(20, QLatin1Char('a')),
                                  QStringLiteral("<too long>"),
                                  QStringLiteral("<too long>"),
                                  QStringLiteral("Jos\u00e9"),
                                  QStringLiteral("Jos\u00e9"),
                                  QString(),
                                  QStringLiteral("last")};
    for (const qsizetype block : {1, 2, 3, 5, 7, 16, 64, 1000}) {
        const ReadLines read = readAll(bytes, 20, block);
        EXPECT_EQ(read.lines, expected) << "blocks of " << block << ": " << read.lines.join(u'|').toStdString();
        EXPECT_EQ(read.tooLong, 2) << "blocks of " << block;
    }
    EXPECT_EQ(readAll("a\r\n", 20, 2).lines, QStringList{QStringLiteral("a")}) << "no empty line after the last end";
    EXPECT_EQ(readAll("a\r", 20, 1).lines, QStringList{QStringLiteral("a")});
    EXPECT_TRUE(readAll({}, 20, 4).lines.isEmpty());
    EXPECT_EQ(readAll(QByteArray(3 * LineReader::kBlockBytes, 'x') + "\nend", 1024, LineReader::kBlockBytes).lines,
              (QStringList{QStringLiteral("<too long>"), QStringLiteral("end")}));
}

// A settings file with a line no setting can fill (megabytes on one line)
// is read without it, CR-only line ends included; the next write leaves
// the line out, and everything else in the file stays.
TEST_F(SettingsStoreTest, AnOverlongLineIsLeftOutAndCrOnlyFilesAreRead)
{
    const QByteArray base = "[HKEY_LOCAL_MACHINE\\Software\\Quellix Technologies\\Tablora 6.0\\6.0\\";
    const QString longFolder = QStringLiteral("/home/ann/") + QString(4000, QLatin1Char('d'));
    QByteArray hugeValue = "\"Picture\"=hex:";
    for (int i = 0; i < 400'000; ++i)
        hugeValue += "00,";
    const QByteArray handMade = "; my own settings\r" + base + "Options]\r" + hugeValue +
                                "\r\"AutoPlay\"=dword:00000000\r" + base + "General]\r\"LastGName\"=\"" +
                                longFolder.toUtf8() + "\"\r" + base + "Players]\r\"CurPlayer\"=\"Ann\"\r";
    ASSERT_TRUE(QDir().mkpath(QFileInfo(registry.filePath()).absolutePath()));
    QFile file(registry.filePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(handMade);
    file.close();

    EXPECT_EQ(store.read(settings::kAutoPlay), 0) << "the value after the overlong line";
    EXPECT_EQ(store.read(settings::kLastGName), longFolder) << "a long value is not an overlong one";
    EXPECT_EQ(store.read(settings::kCurPlayer), QStringLiteral("Ann")) << "keys after the overlong line";
    registry.setSectionKey(QStringLiteral("Software\\Quellix Technologies\\Tablora 6.0\\6.0\\Options"));
    registry.setValueKey(QStringLiteral("Picture"));
    EXPECT_FALSE(registry.Value().isValid());

    store.write(settings::kShowTime, 0);
    const QString text = fileText();
    EXPECT_LT(text.size(), 5000 + longFolder.size());
    EXPECT_FALSE(text.contains(QStringLiteral("Picture")));
    EXPECT_TRUE(text.contains(QStringLiteral("\n; my own settings\n"))) << text.left(500).toStdString();
    cRegistry other(registry.filePath());
    RegistrySettingsStore reread(other);
    EXPECT_EQ(reread.read(settings::kAutoPlay), 0);
    EXPECT_EQ(reread.read(settings::kShowTime), 0);
    EXPECT_EQ(reread.read(settings::kLastGName), longFolder);
    EXPECT_EQ(reread.read(settings::kCurPlayer), QStringLiteral("Ann"));
}

} // namespace
