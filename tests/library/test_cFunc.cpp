#include "session/Shared.h"

#include <gtest/gtest.h>

namespace {

class ListsTest : public ::testing::Test {
protected:
    QString text(int i) const { return QStringLiteral("Klondike - %1").arg(i); }

    Shared shared;
    cFunc& func = shared.func;
};

TEST_F(ListsTest, RecentListsKeepOldEntriesInPlaceAndDropTheOldest)
{
    EXPECT_EQ(func.GetMRU(0), QStringList({QStringLiteral("0")}) + QStringList(10));
    for (int i = 1; i <= 3; ++i)
        func.AddtoMRU(0, text(i));
    func.AddtoMRU(0, text(1));
    EXPECT_EQ(func.GetMRU(0).mid(0, 5), (QStringList{QStringLiteral("3"), text(3), text(2), text(1), QString()}));
    EXPECT_EQ(func.GetMRUCount(0), 3);

    for (int i = 4; i <= 11; ++i)
        func.AddtoMRU(0, text(i));
    const QStringList full = func.GetMRU(0);
    ASSERT_EQ(full.size(), 11);
    EXPECT_EQ(full[0], QStringLiteral("10"));
    EXPECT_EQ(full[1], text(11)) << "newest first";
    EXPECT_EQ(full[10], text(2)) << "the first entry was pushed out";
    EXPECT_FALSE(full.contains(text(1)));
    EXPECT_EQ(func.GetMRUCount(1), 0) << "each list is its own";

    func.ClearMRU(0);
    EXPECT_EQ(func.GetMRUCount(0), 0);
    EXPECT_EQ(shared.services.settings().readText(QStringLiteral("0MRU"), QStringLiteral("1"), QStringLiteral("?")),
              QString());
}

TEST_F(ListsTest, PlainListsFillGapsAndCompareRemovalsWithoutCase)
{
    EXPECT_TRUE(func.AddtoLIST(3, QStringLiteral("Alpha")));
    EXPECT_TRUE(func.AddtoLIST(3, QStringLiteral("Beta")));
    EXPECT_TRUE(func.AddtoLIST(3, QStringLiteral("alpha"))) << "additions compare exactly";
    EXPECT_FALSE(func.AddtoLIST(3, QStringLiteral("Beta")));
    EXPECT_TRUE(func.IsExists(3, QStringLiteral("BETA")));

    func.RemoveListItem(3, QStringLiteral("ALPHA"));
    EXPECT_EQ(func.GetLIST(3), (QStringList{QStringLiteral("2"), QStringLiteral("Beta"), QStringLiteral("alpha")}));
    EXPECT_TRUE(func.AddtoLIST(3, QStringLiteral("Gamma")));
    EXPECT_EQ(shared.services.settings().readText(QStringLiteral("3LIST"), QStringLiteral("1"), QString()),
              QStringLiteral("Gamma"))
        << "the first free slot is used";

    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(func.AddtoLIST(3, QString::number(i)));
    EXPECT_EQ(func.GetLIST(3).first(), QStringLiteral("10"));
    EXPECT_FALSE(func.AddtoLIST(3, QStringLiteral("Eleventh"))) << "the list is full";
    EXPECT_EQ(cFunc::GetLIST_Max(), 10);
    EXPECT_EQ(cFunc::GetMRU_Max(), 10);
}

} // namespace
