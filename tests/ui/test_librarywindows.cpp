#include "library/PendingList.h"
#include "session/Shared.h"
#include "support/FakePrompts.h"
#include "support/TempHome.h"
#include "windows/frmAddtoFav.h"
#include "windows/frmAutoSave.h"
#include "windows/frmOrgFav.h"
#include "windows/frmPending.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

class LibraryWindowsTest : public ::testing::Test {
protected:
    LibraryWindowsTest()
    {
        shared.services.setPrompts(&prompts);
        shared.services.settings().write(settings::kCurPlayer, QStringLiteral("Player1"));
        shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(7));
    }
    ~LibraryWindowsTest() override { shared.services.setPrompts(nullptr); }
    template <typename T> static T* child(QWidget& window, const char* name)
    {
        T* found = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QStringList texts(const QTreeWidgetItem* item)
    {
        QStringList all;
        for (int i = 0; item != nullptr && i < item->childCount(); ++i)
            all << item->child(i)->text(0);
        return all;
    }
    static QTreeWidgetItem* find(QTreeWidget* tree, const QString& text)
    {
        const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }
    static QStringList column(QTreeView* view, int c)
    {
        QStringList cells;
        for (int r = 0; view != nullptr && r < view->model()->rowCount(); ++r)
            cells << view->model()->index(r, c).data().toString();
        return cells;
    }
    void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
        file.write(bytes);
    }

    TempHome home;
    FakePrompts prompts;
    Shared shared;
    int menuRefreshes = 0;
    std::function<void()> refresh = [this] { ++menuRefreshes; };
};

TEST_F(LibraryWindowsTest, AddToFavoritesFilesTheDealInAChosenOrNewFolder)
{
    frmAddtoFav window(shared, refresh);
    auto* tree = child<QTreeWidget>(window, "tvFav");
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("Favorites"));
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));
    EXPECT_EQ(child<QLineEdit>(window, "txFav")->text(), QStringLiteral("Klondike - 7"));

    prompts.inputs = {QStringLiteral("bad|name"), QStringLiteral("Weekend")};
    child<QPushButton>(window, "cmdNewFolder")->click();
    EXPECT_EQ(prompts.messages.last(), QStringLiteral("Name should not contain these characters : /\\:*?\"<>|"));
    child<QPushButton>(window, "cmdNewFolder")->click();
    EXPECT_EQ(texts(tree->topLevelItem(0)), QStringList{QStringLiteral("Weekend")});
    EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("Weekend")) << "the new folder is chosen";

    const int before = menuRefreshes;
    child<QPushButton>(window, "cmdOK")->click();
    EXPECT_TRUE(QFileInfo::exists(QDir(shared.data.FavFolder()).filePath(QStringLiteral("Weekend/Klondike - 7"))));
    EXPECT_GT(menuRefreshes, before);
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(LibraryWindowsTest, OrganizeFavoritesMovesRenamesDeletesAndPlays)
{
    const QDir root(shared.data.FavFolder());
    ASSERT_TRUE(root.mkdir(QStringLiteral("Weekend")));
    writeFile(root.filePath(QStringLiteral("Raglan - 9")), "\"Raglan\",9,\"Ann\",#2026-12-01 10:00:00#\r\n");
    writeFile(root.filePath(QStringLiteral("Weekend/Klondike - 3")),
              "\"Klondike\",3,\"Bob\",#2026-12-02 10:00:00#\r\n");
    writeFile(root.filePath(QStringLiteral("Weekend/broken")), "nonsense");

    frmOrgFav window(shared, refresh);
    auto* tree = child<QTreeWidget>(window, "tvFav");
    QTreeWidgetItem* top = tree->topLevelItem(0);
    EXPECT_EQ(texts(top), (QStringList{"Weekend", "Raglan - 9"}));
    EXPECT_EQ(texts(top->child(0)), (QStringList{"broken", "Klondike - 3"}));
    EXPECT_FALSE(child<QPushButton>(window, "cmdDelete")->isEnabled()) << "the root stays";
    EXPECT_FALSE(child<QPushButton>(window, "cmdPlay")->isEnabled());

    tree->setCurrentItem(find(tree, QStringLiteral("Raglan - 9")));
    EXPECT_EQ(child<QGroupBox>(window, "fraDetails")->title(), QStringLiteral("Game Details"));
    QStringList details;
    for (QLabel* label : child<QGroupBox>(window, "fraDetails")->findChildren<QLabel*>())
        details << label->text();
    EXPECT_EQ(details, (QStringList{"Game Name : Raglan", "Game No : 9", "Added By : Ann",
                                    "Date Created : 2026-12-01 10:00:00"}));
    tree->setCurrentItem(find(tree, QStringLiteral("broken")));
    EXPECT_EQ(child<QGroupBox>(window, "fraDetails")->findChildren<QLabel*>().first()->text(),
              QStringLiteral("Game Name : (damaged)"));

    // Moving into its own folder, whatever the letter case, is refused.
    tree->setCurrentItem(find(tree, QStringLiteral("Raglan - 9")));
    child<QComboBox>(window, "icFav")->setCurrentIndex(0);
    child<QPushButton>(window, "cmdMove")->click();
    EXPECT_EQ(prompts.messages.last(), QStringLiteral("Same Source and Destination Folders !"));
    child<QComboBox>(window, "icFav")->setCurrentIndex(1);
    child<QPushButton>(window, "cmdMove")->click();
    EXPECT_TRUE(QFileInfo::exists(root.filePath(QStringLiteral("Weekend/Raglan - 9"))));

    prompts.inputs = {QStringLiteral("Sunday")};
    tree->setCurrentItem(find(tree, QStringLiteral("Weekend")));
    child<QPushButton>(window, "cmdRename")->click();
    EXPECT_TRUE(QFileInfo::exists(root.filePath(QStringLiteral("Sunday/Raglan - 9"))));

    tree->setCurrentItem(find(tree, QStringLiteral("Klondike - 3")));
    child<QPushButton>(window, "cmdPlay")->click();
    EXPECT_EQ(shared.gamePlay.gameNo().toString(), QStringLiteral("3"));

    prompts.answers = {Prompts::Answer::Yes};
    frmOrgFav again(shared, refresh);
    auto* tree2 = child<QTreeWidget>(again, "tvFav");
    tree2->setCurrentItem(find(tree2, QStringLiteral("Sunday")));
    child<QPushButton>(again, "cmdDelete")->click();
    EXPECT_EQ(prompts.titles.last(), QStringLiteral("Delete Folder"));
    EXPECT_FALSE(QFileInfo::exists(root.filePath(QStringLiteral("Sunday"))));
    EXPECT_TRUE(texts(tree2->topLevelItem(0)).isEmpty());
    const int before = menuRefreshes;
    again.show();
    again.close();
    EXPECT_EQ(menuRefreshes, before + 1) << "closing refreshes the menu";
}

TEST_F(LibraryWindowsTest, ThePendingManagerPlaysAndDeletesButKeepsTheGameBeingPlayed)
{
    {
        frmPending empty(shared, refresh);
        EXPECT_FALSE(child<QPushButton>(empty, "cmdPlay")->isEnabled());
        EXPECT_FALSE(child<QPushButton>(empty, "cmdDelete")->isEnabled());
    }
    const QString first = pendingList::SavePending(shared.services, shared.data, shared.engine);
    shared.gamePlay.PlayNumber(QStringLiteral("Raglan"), GameNo(2));
    const QString second = pendingList::SavePending(shared.services, shared.data, shared.engine);
    writeFile(QDir(shared.data.PendingFolder()).filePath(QStringLiteral("zz broken.tb0")), "junk");
    shared.gamePlay.PlayPendFile(first);

    frmPending window(shared, refresh);
    auto* list = child<QTreeView>(window, "lvPending");
    const QStringList games = column(list, 0);
    ASSERT_EQ(games.size(), 3);
    EXPECT_TRUE(games[0].startsWith(QStringLiteral("Klondike - 7 (")));
    EXPECT_TRUE(games[0].endsWith(QStringLiteral("%) - (Now Playing)")));
    EXPECT_EQ(games[2], QStringLiteral("zz broken.tb0 (damaged)"));

    // The game being played is neither started again nor deleted.
    list->setCurrentIndex(list->model()->index(0, 0));
    child<QPushButton>(window, "cmdDelete")->click();
    EXPECT_TRUE(QFileInfo::exists(first));
    // A damaged one goes, when the player asks and says Yes.
    list->setCurrentIndex(list->model()->index(2, 0));
    prompts.answers = {Prompts::Answer::Yes};
    child<QPushButton>(window, "cmdDelete")->click();
    EXPECT_EQ(prompts.messages.last(), QStringLiteral("Are you sure you want to delete zz broken ?"));
    EXPECT_EQ(column(list, 0).size(), 2);
    EXPECT_GT(menuRefreshes, 0);

    list->setCurrentIndex(list->model()->index(1, 0));
    child<QPushButton>(window, "cmdPlay")->click();
    EXPECT_EQ(shared.gamePlay.pendingFile(), second);
    EXPECT_TRUE(QFileInfo::exists(first)) << "written back when its game was replaced";
}

TEST_F(LibraryWindowsTest, ThePendingManagerAsksBeforeDeletingTheRowItChoseItself)
{
    const QString first = pendingList::SavePending(shared.services, shared.data, shared.engine);
    shared.gamePlay.PlayNumber(QStringLiteral("Raglan"), GameNo(2));
    const QString second = pendingList::SavePending(shared.services, shared.data, shared.engine);
    frmPending window(shared, refresh);
    ASSERT_EQ(column(child<QTreeView>(window, "lvPending"), 0).size(), 2);

    // One click on the row chosen on opening, answered No.
    child<QPushButton>(window, "cmdDelete")->click();
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Are you sure you want to delete Klondike - 7 ?")});
    EXPECT_TRUE(QFileInfo::exists(first));
    EXPECT_EQ(column(child<QTreeView>(window, "lvPending"), 0).size(), 2);
    prompts.answers = {Prompts::Answer::Yes};
    child<QPushButton>(window, "cmdDelete")->click();
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_TRUE(QFileInfo::exists(second));
}

TEST_F(LibraryWindowsTest, OrganizeFavoritesTellsLetterCaseApartAndKeepsOutOfLinkedFolders)
{
    const QDir root(shared.data.FavFolder());
    const QByteArray line = "\"Raglan\",9,\"Ann\",#2026-12-01 10:00:00#\r\n";
    ASSERT_TRUE(root.mkdir(QStringLiteral("Abc")));
    ASSERT_TRUE(root.mkdir(QStringLiteral("abc")));
    writeFile(root.filePath(QStringLiteral("Abc/Raglan - 9")), line);
    writeFile(root.filePath(QStringLiteral("Easthaven - 5")), line);
    const QDir elsewhere(home.path(QStringLiteral("elsewhere")));
    ASSERT_TRUE(elsewhere.mkpath(QStringLiteral(".")));
    writeFile(elsewhere.filePath(QStringLiteral("Klondike - 3")), line);
    ASSERT_TRUE(QFile::link(elsewhere.path(), root.filePath(QStringLiteral("Linked"))));
    const auto outside = [&] { return elsewhere.entryList(QDir::Files | QDir::Hidden); };

    frmOrgFav window(shared, refresh);
    auto* tree = child<QTreeWidget>(window, "tvFav");
    auto* to = child<QComboBox>(window, "icFav");
    const auto move = [&](const QString& favorite, const QString& folder) {
        tree->setCurrentItem(find(tree, favorite));
        to->setCurrentIndex(folder.isEmpty() ? 0 : to->findData(root.filePath(folder)));
        ASSERT_GE(to->currentIndex(), 0) << qPrintable(folder);
        child<QPushButton>(window, "cmdMove")->click();
    };
    move(QStringLiteral("Raglan - 9"), QStringLiteral("abc"));
    EXPECT_TRUE(prompts.messages.isEmpty()) << qPrintable(prompts.messages.join(QLatin1Char('\n')));
    EXPECT_TRUE(QFileInfo::exists(root.filePath(QStringLiteral("abc/Raglan - 9"))))
        << "\"Abc\" and \"abc\" are two folders";

    // Out of the linked folder, and into it: refused and told.
    move(QStringLiteral("Klondike - 3"), QString());
    move(QStringLiteral("Easthaven - 5"), QStringLiteral("Linked"));
    ASSERT_EQ(prompts.messages.size(), 2);
    for (const QString& told : std::as_const(prompts.messages))
        EXPECT_TRUE(told.contains(QStringLiteral("is a link"))) << qPrintable(told);
    EXPECT_FALSE(QFileInfo::exists(root.filePath(QStringLiteral("Klondike - 3"))));
    EXPECT_TRUE(QFileInfo::exists(root.filePath(QStringLiteral("Easthaven - 5"))));

    // Renamed or deleted in it: refused as well.
    tree->setCurrentItem(find(tree, QStringLiteral("Klondike - 3")));
    prompts.inputs = {QStringLiteral("Other")};
    child<QPushButton>(window, "cmdRename")->click();
    prompts.answers = {Prompts::Answer::Yes};
    tree->setCurrentItem(find(tree, QStringLiteral("Klondike - 3")));
    child<QPushButton>(window, "cmdDelete")->click();
    EXPECT_EQ(outside(), QStringList{QStringLiteral("Klondike - 3")});
    ASSERT_NE(find(tree, QStringLiteral("Klondike - 3")), nullptr) << "the tree is rebuilt after a refusal";
}

TEST_F(LibraryWindowsTest, TheAutoSaveWindowListsBothKindsAndRemembersItsTab)
{
    shared.autoSave.AutoSaveGame(false);
    shared.autoSave.AutoSaveGame(true);
    shared.autoSave.AutoSaveGame(true);
    writeFile(QDir(shared.data.AutoSaveFolder()).filePath(QStringLiteral("broken.tb1")), "junk");
    shared.services.settings().write(settings::kAutoSaveTab, 1);

    frmAutoSave window(shared);
    auto* tabs = child<QTabWidget>(window, "tabAutoSave");
    EXPECT_EQ(tabs->currentIndex(), 1) << "the tab shown last time";
    auto* finished = child<QTreeView>(window, "lvFinished");
    EXPECT_EQ(column(finished, 0), (QStringList{"broken.tb1 (damaged)", "Klondike - 7-(1)", "Klondike - 7"}));
    EXPECT_EQ(column(child<QTreeView>(window, "lvIncomplete"), 3),
              QStringList{QString::number(shared.gamePlay.Percentage()) + "%"});
    auto* cmdDelete = child<QPushButton>(window, "cmdDelete");
    EXPECT_FALSE(cmdDelete->isEnabled()) << "until a row is chosen";

    finished->setCurrentIndex(finished->model()->index(2, 0));
    emit finished->clicked(finished->currentIndex());
    EXPECT_TRUE(cmdDelete->isEnabled());
    prompts.answers = {Prompts::Answer::Yes};
    cmdDelete->click();
    EXPECT_EQ(prompts.messages.last(), QStringLiteral("Are you sure you want to delete Klondike - 7 ?"));
    EXPECT_EQ(column(finished, 0).size(), 2);
    EXPECT_FALSE(cmdDelete->isEnabled()) << "both lists rebuilt, nothing chosen";

    prompts.answers = {Prompts::Answer::Yes};
    child<QPushButton>(window, "cmdEmptyIncomplete")->click();
    EXPECT_FALSE(child<QPushButton>(window, "cmdEmptyIncomplete")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(window, "cmdEmptyFinished")->isEnabled());

    window.show();
    tabs->setCurrentIndex(0);
    window.close();
    EXPECT_EQ(shared.services.settings().read(settings::kAutoSaveTab), 0);
}

} // namespace
