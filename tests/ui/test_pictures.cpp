#include "pictures/CardPictures.h"
#include "rules/RunTimeError.h"

#include <QImage>
#include <QSet>
#include <QTemporaryDir>

#include <functional>
#include <gtest/gtest.h>

namespace {

const QSize kSmall(71, 96);
const QSize kLarge(142, 192);

// Pixels that read as the red of the red suits (not pink, not brown).
int redPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 200 && c.red() > 150 && c.green() < 90 && c.blue() < 90)
                ++count;
        }
    return count;
}

int distinctColours(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

void expectSubscriptError(const std::function<void()>& call, const char* what)
{
    try {
        call();
        ADD_FAILURE() << what << " did not throw";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.number(), RunTimeError::kSubscriptOutOfRange) << what;
    }
}

TEST(CardPicturesTest, EveryPictureRendersAtTheRequestedSize)
{
    CardPictures pictures;
    for (const QSize size : {kSmall, kLarge, QSize(300, 406)}) {
        for (int16_t n = 1; n <= CardPictures::kFaces; ++n) {
            const QPixmap face = pictures.face(n, size);
            ASSERT_FALSE(face.isNull()) << "face " << n;
            EXPECT_EQ(face.size(), size) << "face " << n;
        }
        for (int16_t d = 1; d <= pictures.deckCount(); ++d)
            EXPECT_EQ(pictures.back(d, size).size(), size) << "deck " << d;
        for (int16_t m = 0; m < CardPictures::kMarkers; ++m)
            EXPECT_EQ(pictures.marker(m, size).size(), size) << "marker " << m;
    }
    EXPECT_EQ(pictures.splash(QSize(480, 300)).size(), QSize(480, 300));
    EXPECT_EQ(pictures.defaultCustomImage().size(), QSize(800, 600));
    // An empty size is nothing to draw, not a crash.
    EXPECT_TRUE(pictures.face(1, QSize(0, 0)).isNull());
}

TEST(CardPicturesTest, NumbersOutOfRangeAreSubscriptErrors)
{
    CardPictures pictures;
    const int16_t decks = pictures.deckCount();
    expectSubscriptError([&] { pictures.face(0, kSmall); }, "face 0");
    expectSubscriptError([&] { pictures.face(53, kSmall); }, "face 53");
    expectSubscriptError([&] { pictures.back(0, kSmall); }, "back 0");
    expectSubscriptError([&] { pictures.back(static_cast<int16_t>(decks + 1), kSmall); }, "back past the last deck");
    expectSubscriptError([&] { pictures.marker(-1, kSmall); }, "marker -1");
    expectSubscriptError([&] { pictures.marker(17, kSmall); }, "marker 17");
    expectSubscriptError([&] { pictures.deckCategory(0); }, "category of deck 0");
    expectSubscriptError([&] { pictures.deckName(static_cast<int16_t>(decks + 1)); }, "name past the last deck");
    EXPECT_EQ(pictures.renderCount(), 0);
}

TEST(CardPicturesTest, CacheDrawsEachPictureOncePerSize)
{
    CardPictures pictures;
    const QPixmap first = pictures.face(27, kSmall);
    EXPECT_EQ(pictures.renderCount(), 1);
    EXPECT_EQ(pictures.face(27, kSmall).cacheKey(), first.cacheKey());
    EXPECT_EQ(pictures.renderCount(), 1);

    pictures.face(27, kLarge);
    pictures.back(7, kSmall);
    pictures.marker(14, kSmall);
    EXPECT_EQ(pictures.renderCount(), 4) << "a new size or another picture is drawn";
    pictures.back(7, kSmall);
    pictures.marker(14, kSmall);
    EXPECT_EQ(pictures.renderCount(), 4);

    // Preparing keeps the faces and markers of the table, drops the rest.
    pictures.prepare();
    pictures.face(27, kSmall);
    pictures.marker(14, kSmall);
    EXPECT_EQ(pictures.renderCount(), 4);
    pictures.back(7, kSmall);
    EXPECT_EQ(pictures.renderCount(), 5);

    pictures.clearCache();
    pictures.face(27, kSmall);
    EXPECT_EQ(pictures.renderCount(), 6);
}

// The table's pictures kept from one run come back pixel for pixel without
// being drawn; bytes of another build, or damaged ones, are not used.
TEST(CardPicturesTest, KeptPicturesShowExactlyAsDrawnAndOnlyForTheirBuild)
{
    CardPictures first;
    first.face(1, kLarge); // a size the table no longer uses: not kept
    std::vector<QImage> drawn;
    for (int16_t face = 1; face <= CardPictures::kFaces; ++face)
        drawn.push_back(first.face(face, kSmall).toImage());
    const QImage back = first.back(3, kSmall).toImage();
    const QImage marker = first.marker(14, kSmall).toImage();
    EXPECT_TRUE(first.drawnSinceRestore());
    const QByteArray kept = first.keptPictures("build 1");

    CardPictures next;
    next.restorePictures(kept, "build 1");
    for (int16_t face = 1; face <= CardPictures::kFaces; ++face)
        ASSERT_EQ(next.face(face, kSmall).toImage(), drawn[static_cast<size_t>(face - 1)]) << "face " << face;
    EXPECT_EQ(next.back(3, kSmall).toImage(), back);
    EXPECT_EQ(next.marker(14, kSmall).toImage(), marker);
    EXPECT_EQ(next.renderCount(), 0) << "nothing drawn again";
    // Kept pictures a run did not show stay kept for the next.
    CardPictures partial;
    partial.restorePictures(kept, "build 1");
    partial.face(5, kSmall);
    const QByteArray again = partial.keptPictures("build 1");
    EXPECT_EQ(again.size(), kept.size());
    CardPictures third;
    third.restorePictures(again, "build 1");
    EXPECT_EQ(third.face(30, kSmall).toImage(), drawn[29]);
    EXPECT_EQ(third.renderCount(), 0);
    next.splash(kLarge);
    EXPECT_FALSE(next.drawnSinceRestore()) << "only the table's pictures are worth keeping again";
    next.face(1, kLarge);
    EXPECT_EQ(next.renderCount(), 2) << "the splash and the other size were drawn";

    for (const QByteArray& bytes : {kept, kept.left(kept.size() / 2), kept.left(30) + QByteArray(64, '\xff')}) {
        CardPictures other;
        other.restorePictures(bytes, bytes.size() == kept.size() ? "build 2" : "build 1");
        other.face(5, kSmall);
        other.face(52, kSmall);
        EXPECT_EQ(other.renderCount(), 2) << "bytes of " << bytes.size();
        EXPECT_EQ(other.face(52, kSmall).toImage(), drawn[51]);
    }
}

// Within a frame whose time is up, a picture of a size not drawn yet comes
// at a size drawn before or kept from the last run, and the frame is
// unfinished; the first picture of each frame, and one with no other size,
// is always drawn. Outside frames every picture comes at its size.
TEST(CardPicturesTest, AFrameOutOfTimeGivesPicturesOfAnotherSize)
{
    QByteArray kept;
    {
        CardPictures last;
        for (int16_t n = 1; n <= 3; ++n)
            last.face(n, kSmall);
        kept = last.keptPictures("build 1");
    }
    CardPictures pictures;
    pictures.restorePictures(kept, "build 1");
    pictures.beginFrame(std::chrono::milliseconds(0));
    EXPECT_EQ(pictures.face(1, kLarge).size(), kLarge) << "the frame's first picture";
    EXPECT_EQ(pictures.face(2, kLarge).size(), kSmall) << "kept from the last run";
    EXPECT_EQ(pictures.face(4, kLarge).size(), kLarge) << "no other size of it";
    EXPECT_EQ(pictures.renderCount(), 2);
    EXPECT_TRUE(pictures.endFrame());

    pictures.beginFrame(std::chrono::milliseconds(0));
    EXPECT_EQ(pictures.face(1, kLarge).size(), kLarge) << "drawn in the frame before";
    EXPECT_EQ(pictures.face(2, kLarge).size(), kLarge);
    EXPECT_EQ(pictures.face(3, kLarge).size(), kSmall);
    EXPECT_TRUE(pictures.endFrame());

    pictures.beginFrame(std::chrono::hours(1));
    EXPECT_EQ(pictures.face(3, kLarge).size(), kLarge);
    EXPECT_EQ(pictures.face(5, kLarge).size(), kLarge);
    EXPECT_FALSE(pictures.endFrame()) << "everything at its size";

    // Outside a frame, time is no matter.
    EXPECT_EQ(pictures.face(6, kSmall).size(), kSmall);
    EXPECT_EQ(pictures.face(1, kSmall).size(), kSmall);
    EXPECT_FALSE(pictures.endFrame());
}
TEST(CardPicturesTest, EveryFaceLooksDifferentAndRedSuitsAreRed)
{
    CardPictures pictures;
    std::vector<QImage> faces;
    for (int16_t n = 1; n <= CardPictures::kFaces; ++n)
        faces.push_back(pictures.face(n, kLarge).toImage());
    for (size_t a = 0; a < faces.size(); ++a)
        for (size_t b = a + 1; b < faces.size(); ++b)
            EXPECT_NE(faces[a], faces[b]) << "faces " << a + 1 << " and " << b + 1 << " are alike";

    for (int suit = 0; suit < 4; ++suit) {
        const bool red = suit == 1 || suit == 3;
        // Ace to ten: the court cards of black suits wear some red.
        for (int num = 0; num < 10; ++num) {
            const QImage& face = faces[static_cast<size_t>(suit * 13 + num)];
            if (red)
                EXPECT_GT(redPixels(face), 100) << "suit " << suit << " rank " << num;
            else
                EXPECT_EQ(redPixels(face), 0) << "suit " << suit << " rank " << num;
        }
    }

    // A card is white and opaque inside, with rounded (transparent) corners.
    const QImage& ace = faces[0];
    EXPECT_EQ(qAlpha(ace.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(ace.pixel(kLarge.width() / 2, 8)), 255);
}

TEST(CardPicturesTest, DecksComeInCategoriesWithDistinctBacks)
{
    CardPictures pictures;
    const int16_t decks = pictures.deckCount();
    ASSERT_GE(decks, 12);
    const QList<CardPictures::Category> categories = pictures.deckCategories();
    ASSERT_GE(categories.size(), 3);

    QSet<QString> keys, names;
    for (const auto& c : categories) {
        EXPECT_FALSE(c.text.isEmpty());
        keys.insert(c.key);
    }
    EXPECT_EQ(keys.size(), categories.size()) << "category keys are unique";
    QSet<QString> used;
    for (int16_t d = 1; d <= decks; ++d) {
        EXPECT_TRUE(keys.contains(pictures.deckCategory(d))) << "deck " << d;
        used.insert(pictures.deckCategory(d));
        names.insert(pictures.deckName(d));
    }
    EXPECT_EQ(used, keys) << "every category holds decks";
    EXPECT_EQ(names.size(), decks) << "deck names are unique";

    std::vector<QImage> backs;
    for (int16_t d = 1; d <= decks; ++d) {
        backs.push_back(pictures.back(d, kSmall).toImage());
        EXPECT_GT(distinctColours(backs.back()), 20) << "deck " << d << " is more than a plain colour";
    }
    for (size_t a = 0; a < backs.size(); ++a)
        for (size_t b = a + 1; b < backs.size(); ++b)
            EXPECT_NE(backs[a], backs[b]) << "decks " << a + 1 << " and " << b + 1 << " are alike";
}

// Face-down cards lie 60 twips apart where they are packed on each other:
// the strip each one shows carries its back's pattern, not the white paper
// of the card's edge.
TEST(CardPicturesTest, TheStripOfAPackedFaceDownCardShowsItsBack)
{
    CardPictures pictures;
    // Five twips to a pixel: the strip is twelve pixels high.
    const QSize size(1065 / 5, 1440 / 5);
    for (int16_t d = 1; d <= pictures.deckCount(); ++d) {
        const QImage back = pictures.back(d, size).toImage();
        int paper = 0;
        int all = 0;
        QSet<QRgb> colours;
        // Below the card's outline, clear of its rounded corners.
        for (int y = 3; y < 12; ++y)
            for (int x = 20; x < size.width() - 20; ++x) {
                const QColor c = back.pixelColor(x, y);
                const bool white = c.red() > 225 && c.green() > 225 && c.blue() > 225;
                paper += white ? 1 : 0;
                ++all;
                colours.insert(back.pixel(x, y));
            }
        EXPECT_LT(paper * 2, all) << "deck " << d << ": the strip is mostly paper";
        EXPECT_GT(colours.size(), 3) << "deck " << d << ": the strip is one plain colour";
    }
}

TEST(CardPicturesTest, MarkersLetTheTableShowThrough)
{
    CardPictures pictures;
    for (int16_t m = 0; m < CardPictures::kMarkers; ++m) {
        const QImage marker = pictures.marker(m, kLarge).toImage();
        EXPECT_LT(qAlpha(marker.pixel(kLarge.width() / 2, 20)), 128) << "marker " << m;
    }
    // Rank markers show their rank: no two alike.
    for (int16_t a = 0; a < 13; ++a)
        EXPECT_NE(pictures.marker(a, kLarge).toImage(),
                  pictures.marker(static_cast<int16_t>((a + 1) % 13), kLarge).toImage());
    // The stock markers: a red "no more" sign and a green arrow round.
    auto strongly = [](const QImage& image, auto&& leans) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.alpha() > 150 && leans(c))
                    ++count;
            }
        return count;
    };
    auto isRed = [](const QColor& c) { return c.red() > c.green() + 80; };
    auto isGreen = [](const QColor& c) { return c.green() > c.red() + 80; };
    const QImage noRedeal = pictures.marker(15, kLarge).toImage();
    const QImage redeal = pictures.marker(16, kLarge).toImage();
    EXPECT_GT(strongly(noRedeal, isRed), 500);
    EXPECT_EQ(strongly(noRedeal, isGreen), 0);
    EXPECT_GT(strongly(redeal, isGreen), 500);
    EXPECT_EQ(strongly(redeal, isRed), 0);
}

TEST(CardPicturesTest, DefaultPictureSavesAsReadableBitmap)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CardPictures pictures;
    const QString path = dir.filePath(QStringLiteral("Default.bmp"));
    ASSERT_TRUE(pictures.saveDefaultCustomImage(path));
    QImage saved;
    ASSERT_TRUE(saved.load(path, "BMP"));
    EXPECT_EQ(saved.size(), QSize(800, 600));
    EXPECT_GT(distinctColours(saved), 100) << "a picture, not a plain fill";
    EXPECT_FALSE(pictures.saveDefaultCustomImage(dir.filePath(QStringLiteral("missing/folder/Default.bmp"))));
}

} // namespace
