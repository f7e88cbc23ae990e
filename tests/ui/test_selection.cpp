#include "history/mFile.h"
#include "pictures/CardPictures.h"
#include "rules/RunTimeError.h"
#include "scores/Players.h"
#include "session/Shared.h"
#include "support/CountingSounds.h"
#include "support/FakePrompts.h"
#include "support/FakeSessionHost.h"
#include "support/TempHome.h"
#include "windows/frmChoose.h"
#include "windows/frmSelect.h"
#include "windows/table/GamePreview.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>
#include <ostream>

// Readable texts in failure messages.
static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

template <typename T> T* child(QWidget& parent, const char* name)
{
    T* widget = parent.findChild<T*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// The selection windows in a temporary home, with two players and scripted
// answers.
class SelectionTest : public ::testing::Test {
protected:
    SelectionTest()
    {
        shared.services.setPrompts(&prompts);
        shared.services.setSounds(&sounds);
        Players players(shared.services.settings());
        players.EnsurePlayer();
        players.AddPlayer(QStringLiteral("Bea"));
    }
    ~SelectionTest() override
    {
        shared.gamePlay.setHost(nullptr);
        shared.gamePlay.setScoreRecorder(nullptr);
        shared.gamePlay.setArchive(nullptr);
    }

    // A saved game's header; the moves are not needed to list it.
    QString writeGame(const QString& folder, const QString& name, const QString& game, double number,
                      int16_t percentage)
    {
        const QString path = QDir(folder).filePath(name);
        mFile::GameSummary header;
        header.gameName = game;
        header.gameNo = GameNo(number);
        header.time = 65;
        header.moves = 0;
        header.score = 40;
        header.percentage = percentage;
        mFile::WriteGameFile(path, header, {});
        return path;
    }

    static QStringList texts(const QTreeWidget& tree)
    {
        QStringList list;
        for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it != nullptr; ++it)
            list << (*it)->text(0);
        return list;
    }
    static QStringList tags(const QTreeWidget& tree)
    {
        QStringList list;
        for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it != nullptr; ++it)
            if (!(*it)->data(0, frmSelect::kTagRole).toString().isEmpty())
                list << (*it)->data(0, frmSelect::kTagRole).toString();
        return list;
    }
    static QStringList lines(const QListWidget& list)
    {
        QStringList out;
        for (int i = 0; i < list.count(); ++i)
            out << list.item(i)->text();
        return out;
    }
    static void click(QTreeWidget& tree, QTreeWidgetItem* node, bool twice = false)
    {
        const QPoint at = tree.visualItemRect(node).center();
        if (twice)
            QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, at);
        else
            QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, at);
    }

    TempHome home;
    Shared shared;
    FakePrompts prompts;
    CountingSounds sounds;
    CardPictures pictures;
};

TEST_F(SelectionTest, OpensOnAllGamesWithTheFirstGameAtRandom)
{
    frmSelect select(shared, pictures);
    EXPECT_EQ(select.windowTitle(), QStringLiteral("Select a Game"));
    EXPECT_EQ(sounds.count(SoundEvent::SelectDialog), 1);
    auto* lvCategory = child<QListWidget>(select, "lvCategory");
    auto* tvGames = child<QTreeWidget>(select, "tvGames");
    auto* lvDetails = child<QListWidget>(select, "lvDetails");
    auto* imcPlayer = child<QComboBox>(select, "imcPlayer");
    ASSERT_TRUE(lvCategory && tvGames && lvDetails && imcPlayer);

    ASSERT_EQ(lvCategory->count(), 12);
    QStringList captions;
    for (int i = 0; i < lvCategory->count(); ++i) {
        captions << lvCategory->item(i)->text();
        EXPECT_FALSE(lvCategory->item(i)->icon().isNull());
        EXPECT_EQ(lvCategory->item(i)->foreground().color(), i == 0 ? QColor(200, 0, 0) : QColor(Qt::black));
    }
    EXPECT_EQ(captions, (QStringList{"All Games", "Pending List", "Favorites", "Hot Games", "Incomplete AutoSave",
                                     "Finished AutoSave", "Standard Games", "Original Games", "Saved Games",
                                     "Recently Saved", "Recently Opened", "Recently Played"}));
    EXPECT_EQ(select.currentCategory(), QStringLiteral("All"));

    ASSERT_EQ(tvGames->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tvGames->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("All Games"));
    EXPECT_TRUE(root->font(0).bold());
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(root->childCount(), 62);

    const QString first = shared.data.GetGName(1);
    EXPECT_EQ(select.currentGameName(), first);
    EXPECT_EQ(tvGames->currentItem(), root->child(0));
    EXPECT_EQ(child<QLabel>(select, "lblTitle")->text(), first);
    EXPECT_EQ(select.previewGameId(), 1);
    EXPECT_EQ(
        lines(*lvDetails),
        (QStringList{QStringLiteral("Game Name : ") + first, QStringLiteral("Game Number : Random"),
                     QStringLiteral("Game Type :") +
                         (shared.data.IsOriginal(first) ? QStringLiteral("Original") : QStringLiteral("Standard")),
                     QStringLiteral("No of Decks :") + shared.data.GetDeck(first), QStringLiteral("Hot Game :No")}));
    EXPECT_FALSE(child<QPushButton>(select, "cmdPlay")->isHidden());
    EXPECT_FALSE(child<QPushButton>(select, "cmdRules")->isHidden());
    EXPECT_EQ(shared.services.settings().readText(QStringLiteral("Select"), QStringLiteral("All"), QString()), first)
        << "the node shown is remembered";

    EXPECT_EQ(imcPlayer->count(), 2);
    EXPECT_EQ(imcPlayer->currentText(), QStringLiteral("Player1"));
}

TEST_F(SelectionTest, ADeckNumberThatNamesNoDeckShowsTheDefaultDeck)
{
    // What the window shows over the default deck: a game's table, and the
    // closed pack of the root.
    const auto shown = [this](frmSelect& select) {
        auto* preview = select.findChild<QWidget*>(QStringLiteral("PicPreview"));
        EXPECT_NE(preview, nullptr);
        return preview != nullptr ? preview->grab().toImage() : QImage();
    };
    const auto root = [](frmSelect& select) { return select.findChild<QTreeWidget*>()->topLevelItem(0); };
    frmSelect expected(shared, pictures);
    expected.show();
    const QImage table = shown(expected);
    expected.openNode(root(expected));
    const QImage pack = shown(expected);
    expected.reject();

    for (const int32_t stored : {99, 0, -3, 65543}) {
        shared.services.settings().write(settings::kDeckIndex, stored);
        frmSelect select(shared, pictures);
        select.show();
        EXPECT_TRUE(prompts.messages.isEmpty()) << stored << ": " << qPrintable(prompts.messages.join('\n'));
        EXPECT_EQ(select.previewGameId(), 1) << stored << ": the first game's table is shown";
        EXPECT_EQ(shown(select), table) << stored;
        select.openNode(root(select));
        EXPECT_EQ(select.previewGameId(), 0);
        EXPECT_EQ(shown(select), pack) << stored;
        EXPECT_TRUE(prompts.messages.isEmpty()) << stored;
    }
}

TEST_F(SelectionTest, OriginalAndStandardGamesTogetherAreAllGames)
{
    frmSelect select(shared, pictures);
    auto* lvCategory = child<QListWidget>(select, "lvCategory");
    auto* tvGames = child<QTreeWidget>(select, "tvGames");
    ASSERT_TRUE(lvCategory && tvGames);
    const QStringList all = tags(*tvGames);

    lvCategory->setCurrentRow(7); // as the player clicks it
    EXPECT_EQ(select.currentCategory(), QStringLiteral("Org"));
    EXPECT_EQ(lvCategory->item(7)->foreground().color(), QColor(200, 0, 0));
    EXPECT_EQ(lvCategory->item(0)->foreground().color(), QColor(Qt::black));
    EXPECT_EQ(tvGames->topLevelItem(0)->text(0), QStringLiteral("Original Games"));
    const QStringList originals = tags(*tvGames);

    select.openCategory(QStringLiteral("Std"));
    const QStringList standards = tags(*tvGames);

    ASSERT_FALSE(originals.isEmpty());
    ASSERT_FALSE(standards.isEmpty());
    for (const QString& name : originals)
        EXPECT_TRUE(shared.data.IsOriginal(name)) << qPrintable(name);
    for (const QString& name : standards)
        EXPECT_FALSE(shared.data.IsOriginal(name)) << qPrintable(name);
    QStringList together = originals + standards;
    together.sort();
    QStringList sortedAll = all;
    sortedAll.sort();
    EXPECT_EQ(together, sortedAll);
    EXPECT_EQ(all.size(), 62);
}

TEST_F(SelectionTest, HotGamesAndTheRememberedEntryOfACategory)
{
    shared.services.settings().writeNumber(QStringLiteral("HotGames"), QStringLiteral("Spiderette"), 1);
    shared.services.settings().writeNumber(QStringLiteral("HotGames"), QStringLiteral("Klondike"), 1);
    shared.services.settings().write(settings::kSelectMainKey, QStringLiteral("Hot"));
    shared.services.settings().writeText(QStringLiteral("Select"), QStringLiteral("Hot"), QStringLiteral("Spiderette"));

    frmSelect select(shared, pictures);
    auto* tvGames = child<QTreeWidget>(select, "tvGames");
    ASSERT_TRUE(tvGames);
    EXPECT_EQ(select.currentCategory(), QStringLiteral("Hot"));
    EXPECT_EQ(texts(*tvGames), (QStringList{"Hot Games", "Klondike", "Spiderette"}));
    EXPECT_EQ(select.currentGameName(), QStringLiteral("Spiderette"));
    EXPECT_TRUE(lines(*child<QListWidget>(select, "lvDetails")).contains(QStringLiteral("Hot Game :Yes")));
}

TEST_F(SelectionTest, AStoredEntryThatIsGoneSelectsTheFirst)
{
    const QString folder = shared.data.SavedFolder();
    const QString first = writeGame(folder, QStringLiteral("a.tb0"), QStringLiteral("Klondike"), 1234, 12);
    const QString second = writeGame(folder, QStringLiteral("b.tb1"), QStringLiteral("Spiderette"), 77, 100);
    const QString gone = writeGame(folder, QStringLiteral("c.tb0"), QStringLiteral("Canister"), 5, 3);
    shared.services.settings().write(settings::kSelectMainKey, QStringLiteral("Save"));
    shared.services.settings().writeText(QStringLiteral("Select"), QStringLiteral("Save"), second);
    {
        frmSelect select(shared, pictures);
        EXPECT_EQ(select.currentNodeKey(), second) << "the stored entry is still there";
    }
    shared.services.settings().writeText(QStringLiteral("Select"), QStringLiteral("Save"), gone);
    ASSERT_TRUE(QFile::remove(gone));

    frmSelect select(shared, pictures);
    auto* tvGames = child<QTreeWidget>(select, "tvGames");
    ASSERT_TRUE(tvGames);
    EXPECT_EQ(texts(*tvGames), (QStringList{"Saved Games", "Klondike - 1234 (12%)", "Spiderette - 77 (100%)"}));
    EXPECT_EQ(select.currentNodeKey(), first);
    EXPECT_EQ(select.currentGameName(), QStringLiteral("Klondike"));
}

TEST_F(SelectionTest, TheRootCannotBePlayed)
{
    frmSelect select(shared, pictures);
    select.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&select));
    auto* tvGames = child<QTreeWidget>(select, "tvGames");
    ASSERT_TRUE(tvGames);
    QTreeWidgetItem* root = tvGames->topLevelItem(0);

    click(*tvGames, root);
    EXPECT_EQ(tvGames->currentItem(), root);
    EXPECT_TRUE(select.currentGameName().isEmpty());
    EXPECT_TRUE(select.currentNodeKey().isEmpty());
    EXPECT_TRUE(child<QPushButton>(select, "cmdPlay")->isHidden());
    EXPECT_TRUE(child<QPushButton>(select, "cmdRules")->isHidden());
    EXPECT_FALSE(child<QPushButton>(select, "cmdCancel")->isHidden());
    EXPECT_TRUE(child<QListWidget>(select, "lvDetails")->isHidden());
    EXPECT_TRUE(child<QLabel>(select, "lblTitle")->text().isEmpty());
    EXPECT_EQ(select.previewGameId(), 0);

    click(*tvGames, root, true);
    EXPECT_EQ(shared.gamePlay.Game_Status(), cGamePlay::kNoGame);
    EXPECT_TRUE(select.isVisible()) << "double-clicking the root starts nothing";
    EXPECT_FALSE(select.play());

    click(*tvGames, root->child(2));
    EXPECT_FALSE(child<QPushButton>(select, "cmdPlay")->isHidden());
    EXPECT_EQ(select.previewGameId(), 3);
}

TEST_F(SelectionTest, AutoSavedEntriesShowTheirPercentageUnlessFinished)
{
    const QString folder = shared.data.AutoSaveFolder();
    const QString won = writeGame(folder, QStringLiteral("Klondike - 5.tb1"), QStringLiteral("Klondike"), 5, 100);
    writeGame(folder, QStringLiteral("Spiderette - 6.tb0"), QStringLiteral("Spiderette"), 6, 37);
    QFile other(QDir(folder).filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();

    frmSelect select(shared, pictures);
    auto* tvGames = child<QTreeWidget>(select, "tvGames");
    auto* lvDetails = child<QListWidget>(select, "lvDetails");
    ASSERT_TRUE(tvGames && lvDetails);

    select.openCategory(QStringLiteral("Fin"));
    EXPECT_EQ(texts(*tvGames), (QStringList{"Finished AutoSave", "Klondike - 5"}));
    EXPECT_EQ(select.currentNodeKey(), won);
    const QStringList finished = lines(*lvDetails);
    ASSERT_EQ(finished.size(), 6);
    EXPECT_EQ(finished[0], QStringLiteral("Game Name :Klondike"));
    EXPECT_EQ(finished[1], QStringLiteral("Game Number :5"));
    EXPECT_TRUE(finished[2].startsWith(QStringLiteral("Date Played :"))) << qPrintable(finished[2]);
    EXPECT_EQ(finished.mid(3), (QStringList{"Total Moves :0", "Score Achieved :40", "Time Taken : 0:01:05"}));

    select.openCategory(QStringLiteral("Inc"));
    EXPECT_EQ(texts(*tvGames), (QStringList{"Incomplete AutoSave", "Spiderette - 6 (37%)"}));
    EXPECT_EQ(lines(*lvDetails).last(), QStringLiteral("Percentage Completed :37%"));
}

TEST_F(SelectionTest, PlayingStartsTheEntryForTheChosenPlayer)
{
    // Player1's game is on the table when Bea is chosen.
    FakeSessionHost host;
    shared.gamePlay.setHost(&host);
    shared.gamePlay.setScoreRecorder(&host);
    shared.gamePlay.setArchive(&host);
    QStringList recordedFor;
    host.onAddScore = [&] { recordedFor << shared.services.settings().read(settings::kCurPlayer); };
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(5));

    frmSelect select(shared, pictures);
    auto* tvGames = child<QTreeWidget>(select, "tvGames");
    auto* imcPlayer = child<QComboBox>(select, "imcPlayer");
    ASSERT_TRUE(tvGames && imcPlayer);
    select.openCategory(QStringLiteral("Org"));
    QTreeWidgetItem* game = tvGames->topLevelItem(0)->child(1);
    tvGames->setCurrentItem(game);
    imcPlayer->setCurrentIndex(1);

    QTest::mouseClick(child<QPushButton>(select, "cmdPlay"), Qt::LeftButton);
    EXPECT_EQ(select.result(), QDialog::Accepted);
    EXPECT_EQ(shared.gamePlay.Game_Status(), cGamePlay::kInProgress);
    EXPECT_EQ(shared.gamePlay.GameName(), game->text(0));
    const double number = shared.gamePlay.gameNo().toNumber();
    EXPECT_TRUE(number >= 1 && number <= 999999) << number;
    EXPECT_EQ(shared.services.settings().read(settings::kCurPlayer), QStringLiteral("Bea"));
    EXPECT_EQ(recordedFor, QStringList{QStringLiteral("Player1")}) << "the abandoned game is Player1's";
    EXPECT_EQ(shared.services.settings().read(settings::kSelectMainKey), QStringLiteral("Org"));
    EXPECT_EQ(shared.services.settings().readText(QStringLiteral("Select"), QStringLiteral("Org"), QString()),
              game->text(0));
}

TEST_F(SelectionTest, RecentlyPlayedEntriesReplayTheirNumber)
{
    shared.func.AddtoMRU(cFunc::kPlayedList, QStringLiteral("Klondike - 1234"));
    shared.func.AddtoMRU(cFunc::kPlayedList, QStringLiteral("Easthaven - 77"));
    frmSelect select(shared, pictures);
    select.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&select));
    auto* tvGames = child<QTreeWidget>(select, "tvGames");
    ASSERT_TRUE(tvGames);
    select.openCategory(QStringLiteral("rPlay"));
    EXPECT_EQ(texts(*tvGames), (QStringList{"Recently Played", "Easthaven - 77", "Klondike - 1234"}));
    QTreeWidgetItem* klondike = tvGames->topLevelItem(0)->child(1);
    click(*tvGames, klondike);
    EXPECT_EQ(select.currentGameName(), QStringLiteral("Klondike"));
    EXPECT_EQ(lines(*child<QListWidget>(select, "lvDetails")).mid(0, 2),
              (QStringList{"Game Name : Klondike", "Game Number : 1234"}));

    click(*tvGames, klondike, true);
    EXPECT_EQ(shared.gamePlay.GameName(), QStringLiteral("Klondike"));
    EXPECT_EQ(shared.gamePlay.gameNo().toString(), QStringLiteral("1234"));
    EXPECT_FALSE(select.isVisible());
}

TEST_F(SelectionTest, FavoritesShowFoldersAndTheGameTheFileRecords)
{
    const QString root = shared.data.FavFolder();
    ASSERT_TRUE(QDir(root).mkdir(QStringLiteral("Weekend")));
    auto favorite = [](const QString& path, const QString& line) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(line.toUtf8() + "\r\n");
    };
    favorite(QDir(root).filePath(QStringLiteral("Weekend/Spiderette - 12")),
             QStringLiteral("\"Spiderette\",12,\"Bea\",#2024-03-01 10:00:00#"));
    favorite(QDir(root).filePath(QStringLiteral("Lucky deal")),
             QStringLiteral("\"Canister\",99,\"Player1\",#2024-03-02 11:30:00#"));

    shared.services.settings().write(settings::kSelectMainKey, QStringLiteral("Fav"));
    frmSelect select(shared, pictures);
    auto* tvGames = child<QTreeWidget>(select, "tvGames");
    ASSERT_TRUE(tvGames);
    EXPECT_EQ(texts(*tvGames), (QStringList{"Favorites", "Weekend", "Spiderette - 12", "Lucky deal"}));
    QTreeWidgetItem* top = tvGames->topLevelItem(0);
    EXPECT_EQ(top->data(0, frmSelect::kKeyRole).toString(), root);
    EXPECT_EQ(top->child(0)->data(0, frmSelect::kTagRole).toString(), QString()) << "folders cannot be played";
    EXPECT_EQ(select.currentGameName(), QStringLiteral("Spiderette")) << "the first entry, inside the folder";

    tvGames->setCurrentItem(top->child(1));
    EXPECT_EQ(select.currentGameName(), QStringLiteral("Canister"));
    EXPECT_EQ(lines(*child<QListWidget>(select, "lvDetails")),
              (QStringList{"Game Name :Canister", "Game Number :99", "Date Added :2024-03-02 11:30:00",
                           "Added By :Player1"}));
    ASSERT_TRUE(select.play());
    EXPECT_EQ(shared.gamePlay.GameName(), QStringLiteral("Canister"));
    EXPECT_EQ(shared.gamePlay.gameNo().toNumber(), 99);
}

TEST_F(SelectionTest, UnreadablePendingFilesAreReportedAndLeftOut)
{
    const QString folder = shared.data.PendingFolder();
    writeGame(folder, QStringLiteral("Klondike - 3.tb0"), QStringLiteral("Klondike"), 3, 25);
    QFile broken(QDir(folder).filePath(QStringLiteral("broken.tb0")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a game\r\n");
    broken.close();

    frmSelect select(shared, pictures);
    auto* tvGames = child<QTreeWidget>(select, "tvGames");
    ASSERT_TRUE(tvGames);
    select.openCategory(QStringLiteral("Pend"));
    EXPECT_EQ(texts(*tvGames), (QStringList{"Pending List", "Klondike - 3 (25%)"}));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("broken.tb0"))) << qPrintable(prompts.messages[0]);
}

TEST_F(SelectionTest, PlayingACorruptFileKeepsTheWindowOpen)
{
    const QString path =
        writeGame(shared.data.SavedFolder(), QStringLiteral("x.tb0"), QStringLiteral("Klondike"), 9, 40);
    {
        // The header says there are moves the file does not hold.
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        file.close();
        bytes.replace("\r\n 0 \r\n", "\r\n 3 \r\n");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    shared.gamePlay.PlayNumber(QStringLiteral("Canister"), GameNo(5));
    shared.services.settings().write(settings::kSelectMainKey, QStringLiteral("Save"));
    frmSelect select(shared, pictures);
    select.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&select));
    EXPECT_EQ(select.currentNodeKey(), path);
    child<QComboBox>(select, "imcPlayer")->setCurrentIndex(1);
    EXPECT_FALSE(select.play());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("x.tb0"))) << qPrintable(prompts.messages[0]);
    EXPECT_TRUE(select.isVisible());
    EXPECT_EQ(shared.gamePlay.Game_Status(), cGamePlay::kInProgress) << "the game on the table goes on";
    EXPECT_EQ(shared.gamePlay.GameName(), QStringLiteral("Canister"));
    EXPECT_EQ(shared.services.settings().read(settings::kCurPlayer), QStringLiteral("Player1"));
}

// ---------------------------------------------------------------------------

class ChooseTest : public SelectionTest {};

TEST_F(ChooseTest, OffersARandomNumberInTheRangeForTheCurrentGame)
{
    shared.gamePlay.PlayNumber(QStringLiteral("Spiderette"), GameNo(8));
    frmChoose choose(shared);
    EXPECT_EQ(choose.windowTitle(), QStringLiteral("Select a Game Number"));
    auto* txtGameNo = child<QLineEdit>(choose, "txtGameNo");
    ASSERT_TRUE(txtGameNo);
    EXPECT_EQ(child<QLabel>(choose, "lblCaption")->text(), QStringLiteral("Enter a Game Number between"));
    EXPECT_EQ(child<QLabel>(choose, "lblRange")->text(), QStringLiteral("0 and 999,999"));
    const double offered = txtGameNo->text().toDouble();
    EXPECT_TRUE(offered >= 1 && offered <= 999999) << offered;
    EXPECT_EQ(txtGameNo->selectedText(), txtGameNo->text());
    auto* imcGames = child<QComboBox>(choose, "imcGames");
    ASSERT_TRUE(imcGames);
    EXPECT_EQ(imcGames->count(), 62);
    EXPECT_EQ(imcGames->currentText(), QStringLiteral("Spiderette"));

    shared.services.settings().write(settings::kRangeIndex, 15);
    frmChoose wide(shared);
    EXPECT_EQ(child<QLabel>(wide, "lblRange")->text(), QStringLiteral("0 and 999,999,999,999,999"));
}

TEST_F(ChooseTest, TheNumberOfferedIsOneSelectAccepts)
{
    // Range 9: "Select" takes 1 to 8, so 9 is never offered.
    shared.services.settings().write(settings::kRangeIndex, 1);
    shared.services.seedRandom(11);
    QSet<QString> offered;
    for (int i = 0; i < 200; ++i) {
        frmChoose choose(shared);
        offered.insert(child<QLineEdit>(choose, "txtGameNo")->text());
    }
    EXPECT_EQ(offered, (QSet<QString>{"1", "2", "3", "4", "5", "6", "7", "8"}));

    frmChoose choose(shared);
    QTest::mouseClick(child<QPushButton>(choose, "cmdSelect"), Qt::LeftButton);
    EXPECT_TRUE(prompts.messages.isEmpty()) << qPrintable(prompts.messages.join('\n'));
    EXPECT_EQ(choose.result(), QDialog::Accepted);
    EXPECT_EQ(shared.gamePlay.Game_Status(), cGamePlay::kInProgress);
}

// The number offered does not deal again the deal on the table.
TEST_F(ChooseTest, TheNumberOfferedDealsAnewWhereTheRangeAllows)
{
    shared.services.settings().write(settings::kRangeIndex, 1);
    shared.services.seedRandom(12);
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(5));
    QSet<QString> offered;
    for (int i = 0; i < 200; ++i) {
        frmChoose choose(shared);
        offered.insert(child<QLineEdit>(choose, "txtGameNo")->text());
    }
    EXPECT_EQ(offered, (QSet<QString>{"1", "2", "3", "4", "6", "7", "8"}));
}

TEST_F(ChooseTest, RefusesNumbersOutsideTheRange)
{
    frmChoose choose(shared);
    auto* txtGameNo = child<QLineEdit>(choose, "txtGameNo");
    auto* imcGames = child<QComboBox>(choose, "imcGames");
    ASSERT_TRUE(txtGameNo && imcGames);
    EXPECT_EQ(imcGames->currentIndex(), 0) << "no game running: the first";

    for (const QString& refused : {QStringLiteral("0"), QStringLiteral("999999"), QStringLiteral("-5"),
                                   QStringLiteral("abc"), QStringLiteral("12.5"), QString()}) {
        prompts.messages.clear();
        txtGameNo->setText(refused);
        QTest::mouseClick(child<QPushButton>(choose, "cmdSelect"), Qt::LeftButton);
        EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Please enter a number between 0 and 999,999")})
            << qPrintable(refused);
        EXPECT_EQ(txtGameNo->text(), QStringLiteral("0")) << qPrintable(refused);
        EXPECT_EQ(shared.gamePlay.Game_Status(), cGamePlay::kNoGame) << qPrintable(refused);
    }

    prompts.messages.clear();
    imcGames->setCurrentIndex(imcGames->findText(QStringLiteral("Klondike")));
    child<QComboBox>(choose, "imcPlayer")->setCurrentIndex(1);
    txtGameNo->setText(QStringLiteral("999998"));
    QTest::mouseClick(child<QPushButton>(choose, "cmdSelect"), Qt::LeftButton);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(choose.result(), QDialog::Accepted);
    EXPECT_EQ(shared.gamePlay.GameName(), QStringLiteral("Klondike"));
    EXPECT_EQ(shared.gamePlay.gameNo().toString(), QStringLiteral("999998"));
    EXPECT_EQ(shared.services.settings().read(settings::kCurPlayer), QStringLiteral("Bea"));
}

// ---------------------------------------------------------------------------

// How much of a picture is card white.
double whiteShare(const QPixmap& pixmap)
{
    const QImage image = pixmap.toImage();
    int white = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 235 && c.green() > 235 && c.blue() > 235)
                ++white;
        }
    return static_cast<double>(white) / ((image.width() / 2) * (image.height() / 2));
}

TEST(GamePreviewTest, EveryGameShowsItsOwnDealtTable)
{
    CardPictures pictures;
    GamePreview previews(pictures);
    const QImage none = previews.noGame().toImage();
    QSet<QByteArray> distinct;
    for (int16_t id = 1; id <= 62; ++id) {
        const QPixmap picture = previews.preview(id);
        ASSERT_EQ(picture.size(), GamePreview::kPreviewSize) << id;
        EXPECT_GT(whiteShare(picture), 0.03) << "cards face up on the table, game " << id;
        const QImage image = picture.toImage();
        EXPECT_NE(image, none) << id;
        distinct.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    // Games that differ only in their rules share a table.
    EXPECT_GT(distinct.size(), 40);
    EXPECT_EQ(previews.renderCount(), 62);
    previews.preview(5);
    EXPECT_EQ(previews.renderCount(), 62) << "drawn once";
    previews.release();
    previews.preview(5);
    EXPECT_EQ(previews.renderCount(), 63);
    EXPECT_EQ(previews.preview(0).toImage(), none);
    EXPECT_THROW(previews.preview(63), RunTimeError);
}

} // namespace
