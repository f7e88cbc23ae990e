// The cards a game number deals are what players and their saved games
// depend on: golden/deals.txt holds the deal of every game for three
// numbers, as `tablora --deal` printed it when the file was made. No change
// to the engine may deal other cards, or lay them on other piles, for any
// game.

#include "engine/DealText.h"
#include "engine/ScratchTable.h"
#include "rules/mKlondike.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(GoldenDealsTest, EveryGameDealsTheRecordedCards)
{
    QFile file(QStringLiteral(TABLORA_GOLDEN_DIR "/deals.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const QString golden = QString::fromUtf8(file.readAll());

    QString dealt;
    int deals = 0;
    for (const mKlondike::GameListEntry& game : mKlondike::GameList())
        for (const double number : {1.0, 42.0, 987654.0}) {
            ScratchTable table(game.gName);
            table.deal(GameNo(number));
            const QString text = DealText(table.games, table.play, game.gName, GameNo(number));
            // Name the first deal that differs rather than the whole file.
            const qsizetype at = dealt.size();
            dealt += text;
            ASSERT_EQ(golden.mid(at, text.size()).toStdString(), text.toStdString())
                << game.gName.toStdString() << " number " << number;
            ++deals;
        }
    EXPECT_EQ(deals, 62 * 3);
    EXPECT_EQ(dealt.size(), golden.size()) << "the file holds deals no game made";
}

} // namespace
