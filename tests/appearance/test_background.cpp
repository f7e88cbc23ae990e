#include "appearance/Background.h"
#include "session/Shared.h"
#include "support/TempHome.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

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
    EXPECT_FALSE(background::randomOfKind(now, 12, 16, 6, store(), shared.data, random).has_value())
        << "no pictures of the player's listed";
    EXPECT_EQ(store().read(settings::kTextureIndex), 1) << "the settings are not changed";
    EXPECT_TRUE(background::pictureFilters().contains(QStringLiteral("*.png")));
    EXPECT_TRUE(background::pictureFilters().contains(QStringLiteral("*.jpeg")));
}

} // namespace
