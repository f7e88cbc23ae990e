// SVG card decks: reading them, finding them, choosing one in the deck
// window, and keeping the choice.

#include "pictures/CardPictures.h"
#include "pictures/FaceDeck.h"
#include "rules/mKlondike.h"
#include "session/Shared.h"
#include "settings/RegistrySettingsStore.h"
#include "settings/cRegistry.h"
#include "support/CountingSounds.h"
#include "support/QtEnvironment.h"
#include "support/RecordingSurface.h"
#include "support/TempHome.h"
#include "windows/common/FaceDeckChoice.h"
#include "windows/frmCardDeck.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>

#include <gtest/gtest.h>
#include <memory>
#include <zlib.h>

namespace {

char kProgramName[] = "test_decks";
[[maybe_unused]] const auto* const kQt = ::testing::AddGlobalTestEnvironment(new QtEnvironment(kProgramName));

// The test deck: card n (1 .. 52) is filled with rgb(4n, 255 - 4n, 96), the
// back with rgb(20, 40, 200).
QByteArray plainDeck()
{
    QFile file(QStringLiteral(TABLORA_TEST_DECKS "/plain.svg"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

QColor colourOf(int picture) { return picture == 0 ? QColor(20, 40, 200) : QColor(4 * picture, 255 - 4 * picture, 96); }

QColor centre(const QImage& image) { return image.pixelColor(image.width() / 2, image.height() / 2); }
QColor centre(const QPixmap& picture) { return centre(picture.toImage()); }

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

void writeGzip(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    gzFile out = gzopen(QFile::encodeName(path).constData(), "wb");
    ASSERT_NE(out, nullptr);
    gzwrite(out, bytes.constData(), static_cast<unsigned>(bytes.size()));
    gzclose(out);
}

// The deck with GNOME's naming of the cards: "club_1" for "1_club".
QByteArray gnomeNamed(QByteArray svg)
{
    static const QRegularExpression kdeId(QStringLiteral("id=\"(\\w+)_(spade|heart|club|diamond)\""));
    return QString::fromUtf8(svg).replace(kdeId, QStringLiteral("id=\"\\2_\\1\"")).toUtf8();
}

// Collects the log lines of the deck reader.
class LogLines {
public:
    LogLines()
    {
        lines().clear();
        previous_ = qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context, const QString& text) {
            if (QByteArray(context.category) == "tablora.decks")
                lines() << text;
        });
    }
    ~LogLines() { qInstallMessageHandler(previous_); }
    static QStringList& lines()
    {
        static QStringList kept;
        return kept;
    }

private:
    QtMessageHandler previous_;
};

TEST(FaceDeckTest, DrawsEveryCardOfAPlainACompressedAndAGnomeNamedDeck)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain.svg"));
    const QString packed = dir.filePath(QStringLiteral("packed_deck.svgz"));
    const QString gnome = dir.filePath(QStringLiteral("gnome-named.svg"));
    write(plain, plainDeck());
    writeGzip(packed, plainDeck());
    write(gnome, gnomeNamed(plainDeck()));

    for (const QString& path : {plain, packed, gnome}) {
        EXPECT_EQ(faceDecks::check(path), QString()) << path.toStdString();
        FaceDeck deck(path);
        ASSERT_TRUE(deck.parse()) << path.toStdString() << ": " << deck.error().toStdString();
        for (int n = 0; n < FaceDeck::kPictures; ++n) {
            const QImage card = deck.picture(n, QSize(71, 96));
            ASSERT_FALSE(card.isNull());
            EXPECT_EQ(centre(card), colourOf(n)) << path.toStdString() << " picture " << n;
        }
        // The deck's cards are narrower than the table's: they keep their
        // shape, centred, rather than being stretched.
        const QImage ace = deck.picture(1, QSize(100, 96));
        EXPECT_EQ(ace.pixelColor(10, 48).alpha(), 0);
        EXPECT_EQ(ace.pixelColor(20, 48), colourOf(1));
        EXPECT_EQ(ace.pixelColor(89, 48).alpha(), 0);
        EXPECT_NEAR(deck.aspect(), 60.0 / 84.0, 1e-6);
    }
    EXPECT_EQ(FaceDeck(packed).name(), QStringLiteral("Packed Deck"));
    EXPECT_EQ(FaceDeck(gnome).name(), QStringLiteral("Gnome Named"));
}

// A deck parsed on a thread of its own (while the splash shows) draws every
// card as one parsed when first asked, and a deck that cannot be read says
// the same; a deck given up before its parse ended goes without harm.
TEST(FaceDeckTest, ADeckParsedBeforehandDrawsAsOneParsedWhenAsked)
{
    QTemporaryDir dir;
    const QString packed = dir.filePath(QStringLiteral("packed.svgz"));
    const QString cut = dir.filePath(QStringLiteral("cut.svg"));
    const QString unnamed = dir.filePath(QStringLiteral("unnamed.svg"));
    writeGzip(packed, gnomeNamed(plainDeck()));
    write(cut, plainDeck().left(plainDeck().size() - 200));
    write(unnamed, QByteArray(plainDeck()).replace("id=\"back\"", "id=\"front\""));

    FaceDeck early(packed);
    early.parseSoon();
    early.parseSoon();
    FaceDeck asked(packed);
    ASSERT_TRUE(early.parse()) << early.error().toStdString();
    ASSERT_TRUE(asked.parse());
    early.parseSoon();
    EXPECT_DOUBLE_EQ(early.aspect(), asked.aspect());
    for (int n = 0; n < FaceDeck::kPictures; ++n)
        EXPECT_EQ(early.picture(n, QSize(71, 96)), asked.picture(n, QSize(71, 96))) << "picture " << n;

    for (const QString& path : {cut, unnamed}) {
        FaceDeck broken(path);
        broken.parseSoon();
        FaceDeck brokenAsked(path);
        EXPECT_FALSE(broken.parse());
        EXPECT_FALSE(brokenAsked.parse());
        EXPECT_FALSE(broken.error().isEmpty());
        EXPECT_EQ(broken.error(), brokenAsked.error());
        EXPECT_TRUE(broken.picture(1, QSize(71, 96)).isNull());
    }
    {
        FaceDeck dropped(packed);
        dropped.parseSoon();
    }
}

TEST(FaceDeckTest, DamagedAndPartialDecksAreLeftOutWithOneLineEach)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("decks"));
    const QByteArray svg = plainDeck();
    write(folder + QStringLiteral("/plain.svg"), svg);
    // A KDE deck folder: the index names the deck and its file.
    write(folder + QStringLiteral("/svg-mine/index.desktop"),
          "[KDE Backdeck]\nName=My Own Deck\nName[de]=Mein Blatt\nSVG=cards.svgz\nBack=Mine\n");
    writeGzip(folder + QStringLiteral("/svg-mine/cards.svgz"), gnomeNamed(svg));
    // Left out: a card missing, the back missing, a file cut short, a
    // damaged compressed file, a folder without a deck, not a picture, and
    // cards Qt Svg would draw blank.
    write(folder + QStringLiteral("/no_queen.svg"),
          QByteArray(svg).replace("<g id=\"queen_heart\"", "<g id=\"queen_hearts\""));
    write(folder + QStringLiteral("/no_back.svg"), QByteArray(svg).replace("id=\"back\"", "id=\"front\""));
    write(folder + QStringLiteral("/cut.svg"), svg.left(svg.size() - 200));
    QByteArray packed = QByteArray::fromHex("1f8b0800000000000003") + QByteArray(400, 'x');
    write(folder + QStringLiteral("/damaged.svgz"), packed);
    QDir().mkpath(folder + QStringLiteral("/svg-empty"));
    write(folder + QStringLiteral("/words.svg"), "not a picture");
    // Pips as <symbol> elements, which Qt Svg leaves out: blank cards.
    write(folder + QStringLiteral("/symbols.svg"),
          QByteArray(svg)
              .replace("<svg xmlns=\"http://www.w3.org/2000/svg\"",
                       "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\"")
              .replace("<g id=\"5_heart\"", "<symbol id=\"pip\"><rect width=\"9\" height=\"9\"/></symbol>"
                                            "<g id=\"5_heart\"><use xlink:href=\"#pip\"/></g><g id=\"unused\""));
    // Not a deck at all, and not told.
    write(folder + QStringLiteral("/readme.txt"), "cards");

    LogLines log;
    CardPictures pictures;
    const QList<FaceDeckEntry> found = pictures.findFaceDecks({folder, dir.filePath(QStringLiteral("missing"))});
    QStringList names;
    for (const FaceDeckEntry& deck : found)
        names << deck.name;
    EXPECT_EQ(names, QStringList({QStringLiteral("My Own Deck"), QStringLiteral("Plain")}));
    ASSERT_EQ(found.size(), 2);
    EXPECT_TRUE(FaceDeck(found[0].path).parse());
    EXPECT_EQ(log.lines().size(), 7) << log.lines().join(QLatin1Char('\n')).toStdString();
    for (const char* left :
         {"no_queen.svg", "no_back.svg", "cut.svg", "damaged.svgz", "svg-empty", "words.svg", "symbols.svg"})
        EXPECT_EQ(log.lines().filter(QLatin1String(left)).size(), 1) << left;
    EXPECT_EQ(log.lines().filter(QStringLiteral("queen_heart")).size(), 1) << "the missing card is named";

    // Looking again tells nothing new; a deck mended since is found.
    write(folder + QStringLiteral("/no_back.svg"), svg);
    EXPECT_EQ(pictures.findFaceDecks({folder}).size(), 3);
    EXPECT_EQ(log.lines().size(), 7) << log.lines().join(QLatin1Char('\n')).toStdString();

    // A deck that passed the look but cannot be drawn when chosen: the drawn
    // faces stand in, with a line in the log.
    auto cut = std::make_shared<FaceDeck>(folder + QStringLiteral("/cut.svg"));
    pictures.setFaceDeck(cut);
    const QSize size(71, 96);
    EXPECT_EQ(pictures.face(5, size).toImage(), CardPictures().face(5, size).toImage());
    EXPECT_EQ(pictures.faceDeck(), nullptr);
    EXPECT_EQ(log.lines().size(), 8);
    // Cards dealt with the deck's own back show the default one.
    EXPECT_EQ(pictures.back(static_cast<int16_t>(CardPictures::drawnDeckCount() + 1), size).toImage(),
              CardPictures().back(CardPictures::kDefaultBack, size).toImage());
}

TEST(FaceDeckTest, EveryDeckInstalledOnTheMachineHasAllItsCardsAndDraws)
{
    QStringList files;
    for (const QString& folder : faceDecks::folders())
        for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
            if (entry.isDir() || entry.suffix() == QLatin1String("svgz") || entry.suffix() == QLatin1String("svg"))
                files << entry.absoluteFilePath();
    if (files.isEmpty())
        GTEST_SKIP() << "no card decks installed (gnome-cards-data, kdegames-card-data-kf5)";

    LogLines log;
    const QList<FaceDeckEntry> found = faceDecks::find(faceDecks::folders());
    // A deck is listed, or left out with a line that names it and says why:
    // only decks whose cards Qt Svg cannot draw (the pips of a few GNOME
    // decks are <symbol> elements) are left out.
    EXPECT_EQ(found.size() + log.lines().size(), files.size()) << log.lines().join(QLatin1Char('\n')).toStdString();
    for (const QString& line : std::as_const(log.lines()))
        EXPECT_TRUE(line.contains(QLatin1String("<symbol>"))) << line.toStdString();
    EXPECT_GE(found.size(), files.size() - 3) << "nearly every deck installed is offered";
    for (const FaceDeckEntry& entry : found) {
        FaceDeck deck(entry.path);
        EXPECT_FALSE(deck.name().isEmpty());
        // Parsing finds all 52 faces and the back, each with a size.
        ASSERT_TRUE(deck.parse()) << entry.path.toStdString() << ": " << deck.error().toStdString();
        for (int n : {0, 1, 26, 52}) {
            const QImage card = deck.picture(n, QSize(36, 48));
            ASSERT_FALSE(card.isNull());
            EXPECT_EQ(centre(card).alpha(), 255) << entry.path.toStdString() << " picture " << n;
        }
    }
}

// A dealt Klondike game on a surface that records what the table shows,
// with its settings in a file and a deck in the player's own deck folder.
class DeckChoiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ownDeck = home.path(QStringLiteral("data/tablora/decks/plain.svg"));
        write(ownDeck, plainDeck());
        restart();
        mKlondike::LoadGameDefinition(shared->games, QStringLiteral("Klondike"));
        shared->play.ClearAll();
        shared->play.Init(GameNo(1));
    }
    void TearDown() override { shared->services.setSurface(nullptr); }

    // The program started again: its settings read from the file, and the
    // stored deck chosen.
    void restart()
    {
        if (shared)
            shared->services.setSurface(nullptr);
        pictures.reset();
        store.reset();
        registry.reset();
        shared.reset();
        shared = std::make_unique<Shared>();
        registry = std::make_unique<cRegistry>(home.path(QStringLiteral("tablora.conf")));
        store = std::make_unique<RegistrySettingsStore>(*registry);
        shared->services.setSettings(store.get());
        shared->services.setSounds(&sounds);
        pictures = std::make_unique<CardPictures>();
        faceDeckChoice::apply(shared->services.settings(), *pictures);
        surface.decks = pictures->deckCount();
        shared->services.setSurface(&surface);
    }

    QListWidgetItem* facesItem(QListWidget& list, const QString& text)
    {
        for (int i = 0; i < list.count(); ++i)
            if (list.item(i)->text() == text)
                return list.item(i);
        return nullptr;
    }

    TempHome home;
    QString ownDeck;
    std::unique_ptr<Shared> shared;
    std::unique_ptr<cRegistry> registry;
    std::unique_ptr<RegistrySettingsStore> store;
    std::unique_ptr<CardPictures> pictures;
    RecordingSurface surface;
    CountingSounds sounds;
};

TEST_F(DeckChoiceTest, TheChosenDeckAndItsBackSurviveARestartAndAGoneDeckFallsBack)
{
    const QSize size(71, 96);
    const QImage drawnAce = CardPictures().face(1, size).toImage();
    {
        frmCardDeck dialog(*shared, *pictures);
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("lvFaces"));
        ASSERT_NE(list, nullptr);
        ASSERT_GE(list->count(), 2);
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("Tablora"));
        EXPECT_EQ(list->currentItem(), list->item(0)) << "the drawn faces are the default";
        QListWidgetItem* plain = facesItem(*list, QStringLiteral("Plain"));
        ASSERT_NE(plain, nullptr) << "the player's own deck is listed";
        list->setCurrentItem(plain);
        EXPECT_EQ(dialog.selectedFaces(), ownDeck);

        // The deck's own back is one more back, after the drawn ones.
        auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("tvDecks"));
        ASSERT_NE(tree, nullptr);
        const int own = CardPictures::drawnDeckCount() + 1;
        QTreeWidgetItem* ownBack = nullptr;
        for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it)
            if ((*it)->data(0, Qt::UserRole).toInt() == own)
                ownBack = *it;
        ASSERT_NE(ownBack, nullptr);
        tree->setCurrentItem(ownBack);
        EXPECT_EQ(dialog.selectedDeck(), own);
        const QImage preview = dialog.findChild<QLabel*>(QStringLiteral("PicDeck"))->pixmap().toImage();
        EXPECT_EQ(centre(preview), colourOf(0));
        // The table counts the decks of its pictures, which will have the
        // deck's back.
        surface.decks = static_cast<int16_t>(own);
        dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    }
    EXPECT_EQ(shared->services.settings().read(settings::kFaceDeck), ownDeck);
    ASSERT_NE(pictures->faceDeck(), nullptr);
    EXPECT_EQ(centre(pictures->face(1, size)), colourOf(1));
    // The foundation's "A" shows the deck's own Ace, faint: the felt shows
    // through.
    const QImage marker = pictures->marker(0, size).toImage();
    EXPECT_NE(marker, CardPictures().marker(0, size).toImage());
    EXPECT_LT(marker.pixelColor(size.width() / 2, size.height() / 5).alpha(), 200);
    EXPECT_GT(marker.pixelColor(size.width() / 2, size.height() / 5).green(), 0);
    for (int16_t id = 0; id < shared->play.CardCount(); ++id) {
        if (shared->play.FaceMode(id) == cPlay::kFaceDown) {
            EXPECT_EQ(surface.cards[id].back, CardPictures::drawnDeckCount() + 1) << "card " << id;
        }
    }
    // The pictures kept for the next run are of this deck.
    const QByteArray kept = pictures->keptPictures("build");

    restart();
    ASSERT_NE(pictures->faceDeck(), nullptr);
    EXPECT_EQ(pictures->faceDeck()->path(), ownDeck);
    EXPECT_EQ(pictures->deckCount(), CardPictures::drawnDeckCount() + 1);
    EXPECT_EQ(centre(pictures->back(static_cast<int16_t>(CardPictures::drawnDeckCount() + 1), size)), colourOf(0));
    pictures->restorePictures(kept, "build");
    EXPECT_EQ(centre(pictures->face(1, size)), colourOf(1));
    EXPECT_EQ(pictures->renderCount(), 1) << "only the back was drawn; the face came from the kept pictures";
    {
        frmCardDeck dialog(*shared, *pictures);
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("lvFaces"));
        ASSERT_NE(list->currentItem(), nullptr);
        EXPECT_EQ(list->currentItem()->text(), QStringLiteral("Plain"));
        EXPECT_EQ(dialog.selectedDeck(), CardPictures::drawnDeckCount() + 1);
    }

    // The deck is removed: the next run draws its own faces, and the kept
    // pictures of the deck are not shown for them.
    ASSERT_TRUE(QFile::remove(ownDeck));
    LogLines log;
    restart();
    EXPECT_EQ(pictures->faceDeck(), nullptr);
    EXPECT_EQ(log.lines().size(), 1);
    EXPECT_EQ(pictures->deckCount(), CardPictures::drawnDeckCount());
    pictures->restorePictures(kept, "build");
    EXPECT_EQ(pictures->face(1, size).toImage(), drawnAce);
    // The stored back was the deck's own: a game dealt now has the default
    // back.
    mKlondike::LoadGameDefinition(shared->games, QStringLiteral("Klondike"));
    shared->play.ClearAll();
    shared->play.Init(GameNo(2));
    EXPECT_EQ(surface.cards[0].back, settings::kDeckIndex.defaultValue);
    frmCardDeck dialog(*shared, *pictures);
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("lvFaces"));
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("Tablora"));
    EXPECT_EQ(facesItem(*list, QStringLiteral("Plain")), nullptr);
    EXPECT_EQ(dialog.selectedDeck(), settings::kDeckIndex.defaultValue);
}

TEST_F(DeckChoiceTest, ChoosingTheDrawnFacesAgainTakesTheDecksBackAway)
{
    shared->services.settings().write(settings::kFaceDeck, ownDeck);
    shared->services.settings().write(settings::kDeckIndex, CardPictures::drawnDeckCount() + 1);
    restart();
    frmCardDeck dialog(*shared, *pictures);
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("lvFaces"));
    ASSERT_NE(list, nullptr);
    list->setCurrentItem(list->item(0));
    EXPECT_EQ(dialog.selectedFaces(), QString());
    EXPECT_LE(dialog.selectedDeck(), CardPictures::drawnDeckCount());
    auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("tvDecks"));
    for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it)
        EXPECT_LE((*it)->data(0, Qt::UserRole).toInt(), CardPictures::drawnDeckCount());
    dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    EXPECT_EQ(shared->services.settings().read(settings::kFaceDeck), QString());
    EXPECT_EQ(pictures->faceDeck(), nullptr);
    EXPECT_EQ(shared->services.settings().read(settings::kDeckIndex), settings::kDeckIndex.defaultValue);
}

} // namespace
