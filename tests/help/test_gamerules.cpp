#include "help/GameRules.h"
#include "rules/RunTimeError.h"
#include "rules/mKlondike.h"
#include "session/Shared.h"

#include <QRegularExpression>

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace {

using mKlondike::GameListEntry;

// The rules text without tags and with entities resolved, as a reader sees it.
std::string plain(const QString& html)
{
    QString text = html;
    text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text.simplified().toStdString();
}

std::string rules(const char* name)
{
    for (const GameListEntry& entry : mKlondike::GameList())
        if (entry.gName == QLatin1String(name))
            return plain(GameRules::rulesHtml(entry.Gid));
    ADD_FAILURE() << "no game " << name;
    return {};
}

#define EXPECT_MENTIONS(text, phrase) EXPECT_NE((text).find(phrase), std::string::npos) << "missing: " << (phrase)

TEST(GameRulesTest, EveryGameHasATopicWithItsNameAndPileCountsAndNothingUnexplained)
{
    cGames games;
    for (const GameListEntry& entry : mKlondike::GameList()) {
        SCOPED_TRACE(entry.gName.toStdString());
        mKlondike::LoadGameDefinition(games, entry.gName);
        const GameRules::Topic topic = GameRules::describe(games, entry.gName, entry.IsOriginal != 0);
        EXPECT_TRUE(topic.unexplained.isEmpty()) << topic.unexplained.join(QStringLiteral("; ")).toStdString();

        const QString html = GameRules::rulesHtml(entry.Gid);
        EXPECT_EQ(html, topic.html);
        EXPECT_EQ(GameRules::rulesTitle(entry.Gid), entry.gName);
        const std::string text = plain(html);
        EXPECT_MENTIONS(text, entry.gName.toStdString());
        EXPECT_MENTIONS(text, QStringLiteral("Tableau: %1 piles").arg(games.Piles(0)).toStdString());
        EXPECT_MENTIONS(text, QStringLiteral("Foundations: %1 piles").arg(games.Piles(3)).toStdString());
        EXPECT_MENTIONS(text, QStringLiteral("You win when all %1 cards").arg(games.TotalCards()).toStdString());
        EXPECT_MENTIONS(text, std::string(entry.IsOriginal != 0 ? "original" : "standard"));
        EXPECT_EQ(text.find("Some rules of this game are not described"), std::string::npos);

        // Self-contained: only links back to the contents, no pictures or
        // outside addresses.
        EXPECT_TRUE(html.contains(QStringLiteral("href=\"contents:\"")));
        EXPECT_FALSE(html.contains(QStringLiteral("<img"), Qt::CaseInsensitive));
        EXPECT_FALSE(html.contains(QStringLiteral("http"), Qt::CaseInsensitive));
        EXPECT_FALSE(html.contains(QStringLiteral("%1")) || html.contains(QStringLiteral("%2")))
            << "an argument was left unfilled";
    }
}

TEST(GameRulesTest, AnIdOutsideTheCatalogueIsASubscriptError)
{
    for (int16_t id : {int16_t{0}, int16_t{-1}, int16_t{63}, int16_t{32767}}) {
        SCOPED_TRACE(id);
        try {
            GameRules::rulesHtml(id);
            ADD_FAILURE() << "no error";
        } catch (const RunTimeError& e) {
            EXPECT_EQ(e.number(), RunTimeError::kSubscriptOutOfRange);
        }
        EXPECT_THROW(GameRules::rulesTitle(id), RunTimeError);
    }
}

TEST(GameRulesTest, ContentsLinkEveryGameOnceInTwoAlphabeticalGroups)
{
    const QString html = GameRules::contentsHtml();
    const qsizetype standardAt = html.indexOf(QStringLiteral("Standard Games"));
    const qsizetype originalAt = html.indexOf(QStringLiteral("Original Games"));
    ASSERT_GE(standardAt, 0);
    ASSERT_GT(originalAt, standardAt);

    std::vector<QString> standard;
    std::vector<QString> original;
    std::set<int> ids;
    const QRegularExpression link(QStringLiteral("<a href=\"rules:(\\d+)\">([^<]*)</a>"));
    for (auto it = link.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const int id = m.captured(1).toInt();
        ASSERT_TRUE(ids.insert(id).second) << "listed twice: " << id;
        const GameListEntry& entry = mKlondike::GameList()[static_cast<size_t>(id - 1)];
        EXPECT_EQ(m.captured(2), entry.gName);
        const bool inOriginal = m.capturedStart() > originalAt;
        EXPECT_EQ(inOriginal, entry.IsOriginal != 0) << entry.gName.toStdString();
        EXPECT_GT(m.capturedStart(), standardAt);
        (inOriginal ? original : standard).push_back(entry.gName);
    }
    EXPECT_EQ(ids.size(), 62u);
    EXPECT_EQ(*ids.begin(), 1);
    EXPECT_EQ(*ids.rbegin(), 62);
    EXPECT_TRUE(std::is_sorted(standard.begin(), standard.end()));
    EXPECT_TRUE(std::is_sorted(original.begin(), original.end()));
    EXPECT_EQ(standard.front(), QStringLiteral("American Canister"));
    EXPECT_EQ(original.front(), QStringLiteral("Athena"));
}

// The layout the rules describe (dealt for one number) holds for other game
// numbers too: pile sizes and faces do not depend on the shuffle.
TEST(GameRulesTest, TheDescribedDealIsTheDealOnTheTable)
{
    Shared shared;
    for (const GameListEntry& entry : mKlondike::GameList()) {
        SCOPED_TRACE(entry.gName.toStdString());
        mKlondike::LoadGameDefinition(shared.games, entry.gName);
        const GameRules::DealPlan plan = GameRules::planDeal(shared.games, entry.gName);
        EXPECT_TRUE(plan.fits);
        ASSERT_FALSE(plan.homeVaries);
        ASSERT_EQ(plan.home.size(), static_cast<size_t>(shared.games.Piles(0)));
        for (double number : {7.0, 424242.0}) {
            shared.games.setRunningGameName(entry.gName);
            mKlondike::LoadGameDefinition(shared.games, entry.gName);
            shared.play.ClearAll();
            shared.play.Init(GameNo(number));
            cPlay& play = shared.play;
            for (int16_t pile = 0; pile < shared.games.Piles(0); ++pile) {
                std::vector<bool> faces;
                for (int16_t pos = 0; pos <= play.GetTop(0, pile); ++pos)
                    faces.push_back(play.FaceMode(play.GetPicID(0, pile, pos)) == cPlay::kFaceUp);
                EXPECT_EQ(faces, plan.home[static_cast<size_t>(pile)]) << "pile " << pile;
            }
            EXPECT_EQ(play.GoalCards(), plan.foundationCards);
            int16_t reserve = 0;
            for (int16_t pile = 0; pile < shared.games.Piles(4); ++pile)
                reserve = static_cast<int16_t>(reserve + play.GetTop(4, pile) + 1);
            EXPECT_EQ(reserve, plan.reserveCards);
            EXPECT_EQ(play.GetTop(2, 0) + 1, plan.wasteCards);
            EXPECT_EQ(play.GetTop(1, 0) + 1, plan.stockCards);
        }
    }
}

TEST(GameRulesTest, KlondikeRules)
{
    const std::string text = rules("Klondike");
    EXPECT_MENTIONS(text, "Tableau: 7 piles. 28 cards are dealt");
    EXPECT_MENTIONS(text, "1, 2, 3, 4, 5, 6 and 7 cards");
    EXPECT_MENTIONS(text, "Only the top card of each pile is face up");
    EXPECT_MENTIONS(text, "Stock: the other 24 cards, face down");
    EXPECT_MENTIONS(text, "Each foundation is built up in suit from Ace to King");
    EXPECT_MENTIONS(text, "Build down in alternating colours");
    EXPECT_MENTIONS(text, "An empty pile may be filled only with a King");
    EXPECT_MENTIONS(text, "turn its top card face up onto the waste, one card per click");
    EXPECT_MENTIONS(text, "unlimited redeals");
    EXPECT_MENTIONS(text, "When automatic play is switched on");
    EXPECT_MENTIONS(text, "You win when all 52 cards are on the foundations");
    EXPECT_EQ(text.find("free cell"), std::string::npos);
    EXPECT_EQ(text.find("Special rules"), std::string::npos);
}

TEST(GameRulesTest, MarathonsFoundationsHoldTwoSequences)
{
    const std::string text = rules("Marathon");
    EXPECT_MENTIONS(text, "A foundation holds 26 cards: after a whole sequence of 13 it starts again from its first "
                          "rank, in the same order");
    EXPECT_EQ(text.find("at most 13 cards"), std::string::npos);
}

TEST(GameRulesTest, SpideretteRules)
{
    const std::string text = rules("Spiderette");
    EXPECT_MENTIONS(text, "Tableau: 7 piles. 28 cards");
    EXPECT_MENTIONS(text, "The foundations do not accept single cards");
    EXPECT_MENTIONS(text, "a run of 13 cards from a King down to an Ace, all of one suit, the whole run moves to a "
                          "foundation by itself, whether automatic play is on or off");
    EXPECT_MENTIONS(text, "Build down regardless of suit");
    EXPECT_MENTIONS(text, "only when it is built down in suit");
    EXPECT_MENTIONS(text, "deal one card face up onto each of the 7 tableau piles, empty piles included");
    EXPECT_MENTIONS(text, "The last deal reaches only the first 3 piles");
    EXPECT_MENTIONS(text, "There is no redeal");
    EXPECT_MENTIONS(text, "Cards are not played to the foundations automatically");
    EXPECT_EQ(text.find("Waste"), std::string::npos);
    EXPECT_EQ(text.find("A foundation holds at most 13 cards"), std::string::npos);

    // Athena clears runs of one colour, as its foundation rule says.
    EXPECT_MENTIONS(rules("Athena"), "from a King down to an Ace, all of one colour");
}

TEST(GameRulesTest, KingAlbertAndRaglanReserves)
{
    const std::string albert = rules("King Albert");
    EXPECT_MENTIONS(albert, "Reserve: 7 reserve piles, one card on each, face up");
    EXPECT_MENTIONS(albert, "The reserve cards may be played onto the tableau or the foundations");
    EXPECT_MENTIONS(albert, "No card may be put into the reserve");
    EXPECT_MENTIONS(albert, "Stock: none; every card is dealt at the start");
    EXPECT_MENTIONS(albert, "1, 2, 3, 4, 5, 6, 7, 8 and 9 cards");
    EXPECT_MENTIONS(albert, "the top cards of the tableau piles and the reserve piles");

    // Raglan's stock runs out before its last rows: the deal stops there.
    const std::string raglan = rules("Raglan");
    EXPECT_MENTIONS(raglan, "1, 2, 3, 4, 5, 6, 7, 7 and 7 cards");
    EXPECT_MENTIONS(raglan, "starting with the four Aces");
    EXPECT_MENTIONS(raglan, "Only the top card of a pile may be moved");
}

TEST(GameRulesTest, KlondikeAKFoundationsRunBothWays)
{
    const std::string text = rules("Klondike AK");
    EXPECT_MENTIONS(text, "starting with the Aces of spades and hearts on the first two and the Kings of clubs and "
                          "diamonds on the others");
    EXPECT_MENTIONS(text, "The first two foundations are built up in suit from Ace to King");
    EXPECT_MENTIONS(text, "The other two foundations are built down in suit from King to Ace");
    EXPECT_MENTIONS(text, "Stock: the other 20 cards");
    EXPECT_MENTIONS(text, "Special rules");

    // Planet's foundations wrap from King to Ace, and so do its tableau piles.
    const std::string planet = rules("Planet");
    EXPECT_MENTIONS(planet, "going on from the King to the Ace when needed");
    EXPECT_MENTIONS(planet, "a King may go on an Ace");
    EXPECT_MENTIONS(planet, "the first of them starting with the first card of the shuffled deck");
}

TEST(GameRulesTest, FreecellGamesLimitRunsByTheFreeSpace)
{
    for (const char* name : {"Klondike Freecell", "Double Klondike Freecell"}) {
        SCOPED_TRACE(name);
        const std::string text = rules(name);
        EXPECT_MENTIONS(text, "Free cells: 2 free cells, empty at the start");
        EXPECT_MENTIONS(text, "a run may hold at most (E + 1) × (R + 1) cards");
        EXPECT_MENTIONS(text, "(E + 1) × (R + 1) − 1 cards on top of the card you pick up");
        EXPECT_MENTIONS(text, "Any single card may be moved to an empty free cell");
    }
    EXPECT_EQ(rules("Klondike").find("(E + 1)"), std::string::npos);
}

TEST(GameRulesTest, CodesThatChangeTheWordsFromGameToGame)
{
    EXPECT_MENTIONS(rules("Canister"), "Build up or down in alternating colours");
    EXPECT_MENTIONS(rules("Morehead"), "Build down in a different suit");
    EXPECT_MENTIONS(rules("Old Carlton"), "Any face-up cards may be moved together, in order or not");
    EXPECT_MENTIONS(rules("Klondike Reversed"), "built down in suit from King to Ace");
    EXPECT_MENTIONS(rules("Klondike Reversed"), "An empty pile may be filled only with an Ace");
    EXPECT_MENTIONS(rules("Blind Alleys"), "You may do this once (one redeal)");
    // A stock without the redeal marker is never turned over, whatever the
    // redeal count says.
    EXPECT_MENTIONS(rules("Westcliff"), "There is no redeal");
    EXPECT_MENTIONS(rules("Tornado"), "alternately face down and face up");
    EXPECT_MENTIONS(rules("Gipsy"), "On piles 1, 5 and 9 all cards are face up");
    EXPECT_MENTIONS(rules("Stream"), "5, 4, 3, 2, 1, 2, 3, 4 and 5 cards");
    EXPECT_MENTIONS(rules("Open Klondike"), "Stock: the other 24 cards, face up");
    EXPECT_MENTIONS(rules("Open Klondike"), "the top cards of the tableau piles and the stock");
    EXPECT_MENTIONS(rules("Mandate"), "Piles 1 to 8 get 7 cards each and piles 9 to 16 get 6 cards each");
    EXPECT_MENTIONS(rules("Double Eclipse"), "104 cards, all spades: eight sets of Ace to King");
    EXPECT_MENTIONS(rules("Stripped Klondike"), "26 cards in spades and hearts only");
}

TEST(GameRulesTest, RulesItCannotPutInWordsAreReportedNotGuessed)
{
    cGames games;
    mKlondike::LoadGameDefinition(games, QStringLiteral("Klondike"));
    games.Ext(games.BaseX(), games.BaseY(), games.TotalCards(), games.Redeals(), QStringLiteral("Mystery"),
              games.DisAutoPlay(), games.GoalDiv());
    GameRules::Topic topic = GameRules::describe(games, QStringLiteral("Klondike"), false);
    ASSERT_EQ(topic.unexplained.size(), 1);
    EXPECT_TRUE(topic.unexplained.front().contains(QStringLiteral("Mystery")));
    EXPECT_MENTIONS(plain(topic.html), "Some rules of this game are not described here");

    // A deal that asks for more cards than the stock holds.
    mKlondike::LoadGameDefinition(games, QStringLiteral("Giant"));
    games.Home(games.Piles(0), games.Order(0, 0), 200, 0, -1, 1, 0, 1640, 1165, 250, 20, 0, 0, 0, 0, 2, 0);
    EXPECT_FALSE(GameRules::planDeal(games, QStringLiteral("Giant")).fits);
    topic = GameRules::describe(games, QStringLiteral("Giant"), false);
    EXPECT_FALSE(topic.unexplained.isEmpty());
}

} // namespace
