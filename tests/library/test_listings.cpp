#include "library/Listings.h"
#include "session/Shared.h"
#include "support/TempHome.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

class ListingsTest : public ::testing::Test {
protected:
    static void touch(const QString& folder, const QString& name)
    {
        QFile file(QDir(folder).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(file.fileName());
        file.write("x\r\n");
    }
    static QStringList paths(const QString& folder, const QStringList& names)
    {
        QStringList list{QString::number(names.size())};
        for (const QString& name : names)
            list << QDir(folder).filePath(name);
        return list;
    }

    TempHome home;
    Shared shared;
    cData& data = shared.data;
};

TEST_F(ListingsTest, EmptyFoldersGiveACountOfZero)
{
    EXPECT_EQ(Listings::ListFavFolders(data), QStringList{QStringLiteral("0")});
    EXPECT_EQ(Listings::ListFavFiles(data.FavFolder()), QStringList{QStringLiteral("0")});
    EXPECT_EQ(Listings::ListPending(data), QStringList{QStringLiteral("0")});
    EXPECT_EQ(Listings::ListAutoSaved(data, true), QStringList{QStringLiteral("0")});
    EXPECT_EQ(Listings::ListAutoSaved(data, false), QStringList{QStringLiteral("0")});
}

TEST_F(ListingsTest, FavoritesListFirstLevelFoldersAndTheFilesOfOneFolder)
{
    const QString root = data.FavFolder();
    ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("Weekend/Deeper")));
    ASSERT_TRUE(QDir(root).mkdir(QStringLiteral("best deals")));
    touch(root, QStringLiteral("Spider - 12"));
    touch(root, QStringLiteral("Klondike - 7"));
    touch(QDir(root).filePath(QStringLiteral("Weekend")), QStringLiteral("Canister - 99"));

    EXPECT_EQ(Listings::ListFavFolders(data), paths(root, {QStringLiteral("best deals"), QStringLiteral("Weekend")}))
        << "first-level folders only, in name order regardless of case";
    EXPECT_EQ(Listings::ListFavFiles(root),
              paths(root, {QStringLiteral("Klondike - 7"), QStringLiteral("Spider - 12")}))
        << "files only: folders are not favorites";
    const QString weekend = QDir(root).filePath(QStringLiteral("Weekend"));
    EXPECT_EQ(Listings::ListFavFiles(weekend), paths(weekend, {QStringLiteral("Canister - 99")}));
}

TEST_F(ListingsTest, EveryPendingFileCountsWhateverItsExtension)
{
    const QString folder = data.PendingFolder();
    touch(folder, QStringLiteral("Klondike - 5.tb0"));
    touch(folder, QStringLiteral("Klondike - 5 - 1.tb0"));
    touch(folder, QStringLiteral("odd.txt"));
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("sub.tb0")));

    EXPECT_EQ(Listings::ListPending(data),
              paths(folder, {QStringLiteral("Klondike - 5 - 1.tb0"), QStringLiteral("Klondike - 5.tb0"),
                             QStringLiteral("odd.txt")}));
}

TEST_F(ListingsTest, AutoSavedGamesAreSortedByTheirExtensionInAnyCase)
{
    const QString folder = data.AutoSaveFolder();
    touch(folder, QStringLiteral("Klondike - 5.tb1"));
    touch(folder, QStringLiteral("Klondike - 5-(1).TB1"));
    touch(folder, QStringLiteral("Spider - 8.tb0"));
    touch(folder, QStringLiteral("notes.txt"));
    touch(folder, QStringLiteral("Spider - 8.tb0.bak"));

    EXPECT_EQ(Listings::ListAutoSaved(data, true),
              paths(folder, {QStringLiteral("Klondike - 5-(1).TB1"), QStringLiteral("Klondike - 5.tb1")}));
    EXPECT_EQ(Listings::ListAutoSaved(data, false), paths(folder, {QStringLiteral("Spider - 8.tb0")}));
}

} // namespace
