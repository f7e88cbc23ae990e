#include "appearance/Background.h"
#include "library/cFunc.h"
#include "session/Shared.h"
#include "support/TempHome.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <set>

namespace {

class BackgroundTest : public ::testing::Test {
protected:
    BackgroundTest() { shared.data.CreateDefaultSchemeFile(); }
    SettingsStore& store() { return shared.services.settings(); }
    void setPath(const PathSetting& setting, const QString& value)
    {
        store().writeText(QLatin1String(setting.section), QLatin1String(setting.name), value);
    }

    TempHome home;
    Shared shared;
};

TEST_F(BackgroundTest, WithNoSettingsColourSevenFadesToBlack)
{
    const BackgroundChoice c = background::current(store(), shared.data);
    EXPECT_EQ(c.kind, BackgroundChoice::Colour);
    EXPECT_EQ(c.number, 7);
    EXPECT_TRUE(c.fade);
    EXPECT_TRUE(c.tile);
    EXPECT_EQ(store().read(settings::kWPTimerValue), 4) << "a new background at every game";
}

TEST_F(BackgroundTest, EachKindReadsItsChoiceAndMissingFilesFallBack)
{
    store().write(settings::kBackIndex, BackgroundChoice::Texture);
    store().write(settings::kTextureIndex, 5);
    EXPECT_EQ(background::current(store(), shared.data).number, 5);
    store().write(settings::kBackIndex, BackgroundChoice::Picture);
    store().write(settings::kImageIndex, 3);
    store().write(settings::kEnableTile, 0);
    const BackgroundChoice picture = background::current(store(), shared.data);
    EXPECT_EQ(picture.number, 3);
    EXPECT_FALSE(picture.tile);

    // A scheme file that has gone reads as the default scheme.
    store().write(settings::kBackIndex, BackgroundChoice::Scheme);
    setPath(settings::kSchemeFile, QDir(shared.data.SchemeFolder()).filePath(QStringLiteral("Gone")));
    const BackgroundChoice scheme = background::current(store(), shared.data);
    EXPECT_EQ(scheme.file, shared.data.DefaultSchemeFile());
    EXPECT_EQ(scheme.scheme, (std::array<int, 6>{0, 128, 0, 128, 0, 0}));

    // The player's pictures keep their setting when the file has gone; the
    // table draws nothing for them.
    for (const int kind : {BackgroundChoice::CustomImage, BackgroundChoice::ImageFolder}) {
        store().write(settings::kBackIndex, kind);
        const QString gone = home.path(QStringLiteral("gone.png"));
        setPath(kind == BackgroundChoice::CustomImage ? settings::kCustImageFile : settings::kImageFolderFile, gone);
        EXPECT_EQ(background::current(store(), shared.data).file, gone);
    }
}

TEST_F(BackgroundTest, SchemeFilesAreReadWithBlanksOrCommas)
{
    const QString path = QDir(shared.data.SchemeFolder()).filePath(QStringLiteral("Dusk"));
    background::writeScheme(path, {12, 34, 56, 78, 90, 255});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray(" 12  34  56  78  90  255 \r\n"));
    file.close();
    EXPECT_EQ(background::readScheme(path), (std::array<int, 6>{12, 34, 56, 78, 90, 255}));

    const auto written = [&](const QByteArray& bytes) {
        QFile other(home.path(QStringLiteral("other")));
        other.open(QIODevice::WriteOnly);
        other.write(bytes);
        other.close();
        return background::readScheme(other.fileName());
    };
    EXPECT_EQ(written("1,2,3,4,5,6"), (std::array<int, 6>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(written("  1 , 2,3\t4\r\n5 6 "), (std::array<int, 6>{1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(written("1,2,3,4,5").has_value());
    EXPECT_FALSE(written("1,2,3,4,5,256").has_value());
    EXPECT_FALSE(written("red,2,3,4,5,6").has_value());
}

TEST_F(BackgroundTest, TheAutomaticChangeKeepsTheKindAndItsTimer)
{
    EXPECT_EQ(background::timerInterval(0), 0);
    EXPECT_EQ(background::timerInterval(1), 5000);
    EXPECT_EQ(background::timerInterval(2), 15000);
    EXPECT_EQ(background::timerInterval(3), 60000);
    EXPECT_EQ(background::timerInterval(4), 0) << "at a new game instead";
    EXPECT_EQ(background::timerInterval(5), 0) << "once a run instead";
    EXPECT_EQ(background::timerTexts().size(), 6);

    std::mt19937_64 random(5);
    BackgroundChoice now;
    now.kind = BackgroundChoice::Texture;
    for (int i = 0; i < 50; ++i) {
        const std::optional<BackgroundChoice> other =
            background::randomOfKind(now, 12, 16, 6, store(), shared.data, random);
        ASSERT_TRUE(other.has_value());
        EXPECT_EQ(other->kind, BackgroundChoice::Texture);
        EXPECT_GE(other->number, 1);
        EXPECT_LE(other->number, 12);
    }
    now.kind = BackgroundChoice::CustomImage;
    const std::optional<BackgroundChoice> only = background::randomOfKind(now, 12, 16, 6, store(), shared.data, random);
    ASSERT_TRUE(only.has_value()) << "the default picture, with none of the player's listed";
    EXPECT_EQ(only->file, shared.data.DefaultCustImageFile());
    EXPECT_EQ(store().read(settings::kTextureIndex), 1) << "the settings are not changed";
    EXPECT_TRUE(background::pictureFilters().contains(QStringLiteral("*.png")));
    EXPECT_TRUE(background::pictureFilters().contains(QStringLiteral("*.jpeg")));
}

TEST_F(BackgroundTest, TheAutomaticChangeRangesOverEveryPicture)
{
    std::mt19937_64 random(11);
    // The files each kind drew in this many changes.
    const auto drawn = [&](const BackgroundChoice& now, int draws) {
        std::set<QString> seen;
        for (int i = 0; i < draws; ++i) {
            const std::optional<BackgroundChoice> other =
                background::randomOfKind(now, 12, 16, 6, store(), shared.data, random);
            if (!other)
                return std::set<QString>{};
            seen.insert(now.kind <= BackgroundChoice::Picture ? QString::number(other->number) : other->file);
        }
        return seen;
    };
    const auto numbers = [](int count) {
        std::set<QString> all;
        for (int n = 1; n <= count; ++n)
            all.insert(QString::number(n));
        return all;
    };
    BackgroundChoice now;
    now.kind = BackgroundChoice::Texture;
    EXPECT_EQ(drawn(now, 400), numbers(12));
    now.kind = BackgroundChoice::Colour;
    EXPECT_EQ(drawn(now, 400), numbers(16));
    now.kind = BackgroundChoice::Picture;
    EXPECT_EQ(drawn(now, 400), numbers(6));

    // The picture list as the background window shows it: the default
    // picture first, then the player's three.
    cFunc list(store());
    std::set<QString> listed{shared.data.DefaultCustImageFile()};
    for (const char* name : {"one.png", "two.jpg", "three.bmp"}) {
        listed.insert(home.path(QLatin1String(name)));
        ASSERT_TRUE(list.AddtoLIST(0, home.path(QLatin1String(name))));
    }
    now.kind = BackgroundChoice::CustomImage;
    now.file = home.path(QStringLiteral("two.jpg"));
    EXPECT_EQ(drawn(now, 200), listed);

    // Every picture of the folder, and every scheme file.
    QDir(home.path(QString())).mkpath(QStringLiteral("photos"));
    std::set<QString> photos;
    for (const char* name : {"a.png", "b.jpeg", "c.gif", "IMG_0001.JPG"}) {
        QFile file(home.path(QStringLiteral("photos/") + QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        photos.insert(QFileInfo(file).absoluteFilePath());
    }
    QFile notes(home.path(QStringLiteral("photos/notes.txt")));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    now.kind = BackgroundChoice::ImageFolder;
    now.file = home.path(QStringLiteral("photos/a.png"));
    EXPECT_EQ(drawn(now, 200), photos);

    std::set<QString> schemes{QFileInfo(shared.data.DefaultSchemeFile()).absoluteFilePath()};
    for (const char* name : {"Dusk", "Dawn"}) {
        const QString path = QDir(shared.data.SchemeFolder()).filePath(QLatin1String(name));
        background::writeScheme(path, {1, 2, 3, 4, 5, 6});
        schemes.insert(QFileInfo(path).absoluteFilePath());
    }
    now.kind = BackgroundChoice::Scheme;
    EXPECT_EQ(drawn(now, 200), schemes);
}

} // namespace
