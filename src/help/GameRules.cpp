#include "help/GameRules.h"

#include "data/cData.h"
#include "engine/ScratchTable.h"
#include "engine/Suits.h"
#include "rules/BuildOrder.h"
#include "rules/Card.h"
#include "rules/RuleCodes.h"
#include "rules/RunTimeError.h"
#include "rules/cGames.h"
#include "rules/mKlondike.h"

#include <algorithm>
#include <array>
#include <optional>

namespace GameRules {
namespace {

using card::kKing;
using card::kRunLength;
// The piles the pyramid deal patterns fill, and their highest position.

const QString kSpider = QStringLiteral("Spider");
const QString kFreecell = QStringLiteral("Freecell");
const QString kFreecellAK = QStringLiteral("FreecellAK");
const QString kPenguin = QStringLiteral("Penguin");
const QString kKlondikeAK = QStringLiteral("KlondikeAK");
const QString kStala = QStringLiteral("Stala");

// ---------------------------------------------------------------------------
// Words.

QString count(int n, const QString& one, const QString& many)
{
    return n == 1 ? QStringLiteral("one ") + one : QStringLiteral("%1 %2").arg(n).arg(many);
}

QString count(int n, const char* one, const char* many) { return count(n, QLatin1String(one), QLatin1String(many)); }

// Small numbers in words, larger ones in figures.
QString numberWord(int n)
{
    static const std::array<const char*, 9> kWords{"no",   "one", "two",   "three", "four",
                                                   "five", "six", "seven", "eight"};
    return n >= 0 && n < static_cast<int>(kWords.size()) ? QLatin1String(kWords.at(static_cast<size_t>(n)))
                                                         : QString::number(n);
}

QString joinAnd(const QStringList& items)
{
    if (items.size() <= 1)
        return items.value(0);
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + items.last();
}

QString rankName(int rank)
{
    static const std::array<const char*, 13> kNames{"Ace", "2", "3",  "4",    "5",     "6",   "7",
                                                    "8",   "9", "10", "Jack", "Queen", "King"};
    return QLatin1String(kNames.at(static_cast<size_t>(((rank % 13) + 13) % 13)));
}

QString pluralRank(int rank) { return rankName(rank) + QLatin1Char('s'); }

// "an Ace", "an 8", "a King".
QString withArticle(const QString& word)
{
    const bool vowelSound = word.startsWith(QLatin1Char('A')) || word.startsWith(QLatin1Char('8'));
    return (vowelSound ? QStringLiteral("an ") : QStringLiteral("a ")) + word;
}

QString suitName(int16_t suit)
{
    static const std::array<const char*, 4> kNames{"spades", "hearts", "clubs", "diamonds"};
    return QLatin1String(kNames.at(static_cast<size_t>(suit & 3)));
}

// The suit the cards of a 13-card group show, by the game's suit count.
int16_t suitOfGroup(int32_t suitType, int group)
{
    switch (suitType) {
    case SuitCount::Four: return static_cast<int16_t>(group % 4);
    case SuitCount::Two: return static_cast<int16_t>((group % 4) / 2);
    default: return suits::kSpades;
    }
}

// 1, 3 and 5 -> "piles 1, 3 and 5".
QString pileNumbers(const std::vector<int>& piles)
{
    QStringList numbers;
    for (int p : piles)
        numbers << QString::number(p + 1);
    return (piles.size() == 1 ? QStringLiteral("pile ") : QStringLiteral("piles ")) + joinAnd(numbers);
}

// ---------------------------------------------------------------------------
// Build-order codes, read through their one decoder.

using BuildOrder::Kind;
using BuildOrder::Rank;
using BuildOrder::ruleOf;
using BuildOrder::Suit;

QString buildWords(int32_t code) { return BuildOrder::words(code); }

// An example move under a building rule: "a red 6 on a black 7". `suitType`
// keeps the example to the suits the game's cards show.
QString buildExample(int32_t code, int32_t suitType, bool wrap)
{
    const BuildOrder::Rule b = ruleOf(code);
    if (b.kind != Kind::Sequence)
        return {};
    const QString placed = b.rank == Rank::Down ? QStringLiteral("6")
                           : b.rank == Rank::Up ? QStringLiteral("8")
                                                : QStringLiteral("6 or 8");
    const QString sameSuit = suitName(suitType == SuitCount::One ? suits::kSpades : suits::kHearts);
    QString example;
    switch (b.suit) {
    case Suit::Same: example = QStringLiteral("the %1 of %2 on the 7 of %2").arg(placed, sameSuit); break;
    case Suit::Other: example = QStringLiteral("the %1 of clubs on the 7 of spades").arg(placed); break;
    case Suit::SameColour: example = QStringLiteral("a black %1 on a black 7").arg(placed); break;
    case Suit::OtherColour: example = QStringLiteral("a red %1 on a black 7").arg(placed); break;
    case Suit::Any: example = QStringLiteral("any %1 on any 7").arg(placed); break;
    }
    if (wrap) {
        switch (b.rank) {
        case Rank::Down: example += QStringLiteral("; the ranks wrap round, so a King may go on an Ace"); break;
        case Rank::Up: example += QStringLiteral("; the ranks wrap round, so an Ace may go on a King"); break;
        case Rank::Either:
            example += QStringLiteral("; the ranks wrap round, so a King and an Ace go on each other");
            break;
        }
    }
    return example;
}

// ---------------------------------------------------------------------------
// The deal.

// ---------------------------------------------------------------------------
// The page.

class Page {
public:
    void section(const QString& title)
    {
        closeList();
        html_ += QStringLiteral("<h2>%1</h2>\n<ul>\n").arg(title);
        listOpen_ = true;
    }
    void item(const QString& text) { html_ += QStringLiteral("<li>%1</li>\n").arg(text); }
    void paragraph(const QString& text)
    {
        closeList();
        html_ += QStringLiteral("<p>%1</p>\n").arg(text);
    }
    void raw(const QString& text)
    {
        closeList();
        html_ += text;
    }
    QString finish()
    {
        closeList();
        return html_;
    }

private:
    void closeList()
    {
        if (listOpen_)
            html_ += QStringLiteral("</ul>\n");
        listOpen_ = false;
    }
    QString html_;
    bool listOpen_ = false;
};

QString navigation()
{
    return QStringLiteral("<p class=\"nav\"><a href=\"%1\">Contents</a></p>\n").arg(contentsLink());
}

// Writes one game's rules from its definition.
class RulesWriter {
public:
    RulesWriter(const cGames& games, const QString& name, bool original)
        : g_(games), name_(name), original_(original), plan_(planDeal(games, name))
    {
        const QString& tag = g_.Tag();
        spider_ = tag == kSpider;
        freecellLimit_ = tag == kFreecell || tag == kFreecellAK || tag == kPenguin;
        reserveName_ = g_.ResNum() == -1 ? QStringLiteral("free cell") : QStringLiteral("reserve pile");
        reserveNames_ = g_.ResNum() == -1 ? QStringLiteral("free cells") : QStringLiteral("reserve piles");
    }

    Topic write()
    {
        checkTag();
        if (!plan_.fits)
            unexplained_ << QStringLiteral("the deal needs more cards than the stock holds");

        page_.raw(navigation());
        page_.raw(QStringLiteral("<h1>%1</h1>\n").arg(name_.toHtmlEscaped()));
        page_.paragraph(QStringLiteral("%1 for %2.")
                            .arg(original_ ? QStringLiteral("An original Tablora game")
                                           : QStringLiteral("A standard patience game"),
                                 deckWords()));
        page_.paragraph(QStringLiteral("<b>Object:</b> move all %1 to the %2.")
                            .arg(count(g_.TotalCards(), "card", "cards"),
                                 count(g_.Piles(Cell::Foundation), "foundation", "foundations")));
        layout();
        foundations();
        tableau();
        reserve();
        stockAndWaste();
        autoPlay();
        specialRules();
        winning();
        if (!unexplained_.isEmpty())
            page_.paragraph(QStringLiteral("<i>Some rules of this game are not described here.</i>"));
        page_.raw(navigation());

        Topic topic;
        topic.title = name_;
        topic.html = QStringLiteral("<html><head><title>%1</title></head><body>\n%2</body></html>\n")
                         .arg(name_.toHtmlEscaped(), page_.finish());
        topic.unexplained = unexplained_;
        return topic;
    }

private:
    // "one deck of 52 cards", "52 cards, all spades: four sets of Ace to King".
    QString deckWords() const
    {
        const int total = g_.TotalCards();
        std::array<int, 4> sets{};
        for (int group = 0; group < total / kRunLength; ++group)
            ++sets[static_cast<size_t>(suitOfGroup(g_.SuitType(), group))];
        if (sets[0] == sets[1] && sets[1] == sets[2] && sets[2] == sets[3])
            return sets[0] == 1 ? QStringLiteral("one deck of 52 cards")
                                : QStringLiteral("%1 decks (%2 cards)").arg(numberWord(sets[0])).arg(total);
        QStringList shown;
        int perSuit = 0;
        for (int16_t suit = 0; suit < 4; ++suit) {
            const int n = sets[static_cast<size_t>(suit)];
            if (n == 0)
                continue;
            shown << suitName(suit);
            perSuit = perSuit == 0 || perSuit == n ? n : -1;
        }
        if (perSuit < 0)
            return QStringLiteral("%1 cards in %2").arg(total).arg(joinAnd(shown));
        const QString sets1 = perSuit == 1 ? QStringLiteral("Ace to King")
                                           : QStringLiteral("%1 sets of Ace to King").arg(numberWord(perSuit));
        if (shown.size() == 1)
            return QStringLiteral("%1 cards, all %2: %3").arg(total).arg(shown.front(), sets1);
        return QStringLiteral("%1 cards in %2 only: %3 of each").arg(total).arg(joinAnd(shown), sets1);
    }

    void checkTag()
    {
        static const QStringList known{QString(), kSpider, kFreecell, kFreecellAK, kPenguin, kKlondikeAK, kStala};
        if (!known.contains(g_.Tag()))
            unexplained_ << QStringLiteral("the rule family \"%1\"").arg(g_.Tag());
    }

    // ---- Layout -----------------------------------------------------------

    void layout()
    {
        page_.section(QStringLiteral("Layout"));
        page_.item(QStringLiteral("<b>Tableau:</b> %1.").arg(count(g_.Piles(Cell::Home), "pile", "piles")) +
                   arrangement() + QLatin1Char(' ') + dealWords());
        page_.item(QStringLiteral("<b>Foundations:</b> %1, %2.")
                       .arg(count(g_.Piles(Cell::Foundation), "pile", "piles"),
                            plan_.foundationCards > 0 ? foundationStartWords() : QStringLiteral("empty at the start")));
        if (g_.Piles(Cell::Reserve) > 0) {
            QString text = QStringLiteral("<b>%1:</b> %2")
                               .arg(g_.ResNum() == -1 ? QStringLiteral("Free cells") : QStringLiteral("Reserve"),
                                    count(g_.Piles(Cell::Reserve), reserveName_, reserveNames_));
            if (plan_.reserveCards == 0)
                text += QStringLiteral(", empty at the start.");
            else if (plan_.reserveCards == g_.Piles(Cell::Reserve))
                text += QStringLiteral(", one card on each, face up.");
            else
                text += QStringLiteral(", with %1 dealt to them in turn, face up.")
                            .arg(count(plan_.reserveCards, "card", "cards"));
            page_.item(text);
        }
        if (plan_.stockCards > 0)
            page_.item(QStringLiteral("<b>Stock:</b> the other %1, %2.")
                           .arg(count(plan_.stockCards, "card", "cards"), g_.StockType() == StockType::TopPlayable
                                                                              ? QStringLiteral("face up")
                                                                              : QStringLiteral("face down")));
        else
            page_.item(QStringLiteral("<b>Stock:</b> none; every card is dealt at the start."));
        if (g_.Piles(Cell::Waste) > 0)
            page_.item(plan_.wasteCards > 0 ? QStringLiteral("<b>Waste:</b> one pile, starting with one card face up.")
                                            : QStringLiteral("<b>Waste:</b> one pile, empty at the start."));
    }

    // How the tableau piles lie, when it is not simply one row.
    QString arrangement() const
    {
        const int piles = g_.Piles(Cell::Home);
        const int div = std::max<int>(g_.Div(Cell::Home), 1);
        const int lines = (piles + div - 1) / div;
        switch (g_.HomePileOrder()) {
        case PileLayout::FanDown:
        case PileLayout::FanDownAcross:
            return lines > 1 ? QStringLiteral(" They lie in %1 rows of %2.").arg(lines).arg(div) : QString();
        case PileLayout::FanRight:
            return lines > 1 ? QStringLiteral(" They lie in %1 rows of %2, with their cards fanned to the right.")
                                   .arg(lines)
                                   .arg(div)
                             : QStringLiteral(" Their cards are fanned to the right.");
        case PileLayout::FanRightStacked:
            return lines > 1 ? QStringLiteral(" They lie one under another in %1 columns of %2, with their cards "
                                              "fanned to the right.")
                                   .arg(lines)
                                   .arg(div)
                             : QStringLiteral(" They lie one under another, with their cards fanned to the right.");
        default: return {};
        }
    }

    QString dealWords()
    {
        const int piles = g_.Piles(Cell::Home);
        if (plan_.homeVaries) {
            if (g_.HomeType() == DealPattern::BySuit)
                return QStringLiteral("52 cards are dealt face up, each onto the pile of its suit.");
            return QStringLiteral("The rest of the cards are dealt face up, each onto a pile chosen at random, so "
                                  "the piles differ in size from deal to deal.");
        }
        int dealt = 0;
        std::vector<int> sizes;
        for (const auto& pile : plan_.home) {
            sizes.push_back(static_cast<int>(pile.size()));
            dealt += static_cast<int>(pile.size());
        }
        if (dealt == 0)
            return QStringLiteral("No cards are dealt to the tableau; it fills during play.");

        QString how;
        switch (g_.HomeType()) {
        case DealPattern::InTurn:
        case DealPattern::InTurnLowerLeftDown:
        case DealPattern::InTurnOddRowsUp:
        case DealPattern::InTurnEvenPilesUp:
        case DealPattern::InTurnAllButFourUp:
        case DealPattern::InTurnPileFourUp:
        case DealPattern::InTurnOuterPilesUp:
        case DealPattern::InTurnThreePilesUp:
            how = dealt <= piles ? QStringLiteral("one card to each pile")
                                 : QStringLiteral("one card to each pile in turn, a row at a time");
            break;
        case DealPattern::Triangle:
            how = QStringLiteral("in rows: the first row gives a card to every pile, and each further row starts "
                                 "one pile further on");
            break;
        case DealPattern::ReverseTriangle:
            how = QStringLiteral("in rows: the first row gives a card to every pile, and each further row stops "
                                 "one pile earlier");
            break;
        case DealPattern::Hill:
        case DealPattern::HillTopsUp: how = QStringLiteral("pile by pile, most cards in the middle pile"); break;
        case DealPattern::Valley:
        case DealPattern::ValleyTopsUp: how = QStringLiteral("pile by pile, fewest cards in the middle pile"); break;
        default: break;
        }
        QString text =
            QStringLiteral("%1 %2 dealt %3. ")
                .arg(count(dealt, "card", "cards"), dealt == 1 ? QStringLiteral("is") : QStringLiteral("are"), how);
        text += sizeWords(sizes, piles) + QLatin1Char(' ');
        const QString faces = faceWords();
        if (faces.isEmpty())
            unexplained_ << QStringLiteral("which tableau cards are dealt face up");
        return text + faces;
    }

    static QString sizeWords(const std::vector<int>& sizes, int piles)
    {
        if (std::all_of(sizes.begin(), sizes.end(), [&](int s) { return s == sizes.front(); }))
            return piles == 1 ? QStringLiteral("The pile gets %1.").arg(count(sizes.front(), "card", "cards"))
                              : QStringLiteral("Each pile gets %1.").arg(count(sizes.front(), "card", "cards"));
        // Runs of piles of one size.
        struct Run {
            int first, last, size;
        };
        std::vector<Run> runs;
        for (int p = 0; p < static_cast<int>(sizes.size()); ++p) {
            const int s = sizes[static_cast<size_t>(p)];
            if (!runs.empty() && runs.back().size == s)
                runs.back().last = p;
            else
                runs.push_back({p, p, s});
        }
        const bool fewRuns =
            runs.size() <= 3 && std::all_of(runs.begin(), runs.end(), [](const Run& r) { return r.last > r.first; });
        if (fewRuns) {
            QStringList parts;
            for (const Run& r : runs)
                parts << QStringLiteral("piles %1 to %2 get %3 each")
                             .arg(r.first + 1)
                             .arg(r.last + 1)
                             .arg(count(r.size, "card", "cards"));
            QString text = joinAnd(parts) + QLatin1Char('.');
            text[0] = text[0].toUpper();
            return text;
        }
        QStringList numbers;
        for (int s : sizes)
            numbers << QString::number(s);
        return QStringLiteral("The piles get %1 cards, from the first to the last.").arg(joinAnd(numbers));
    }

    // Which dealt tableau cards lie face up; empty when the pattern has no
    // simple description.
    QString faceWords() const
    {
        enum class Kind { AllUp, AllDown, TopUp, Alternating, Other };
        struct PileFaces {
            Kind kind;
            int up;
        };
        std::vector<PileFaces> faces;
        for (const auto& pile : plan_.home) {
            if (pile.empty())
                continue;
            const int up = static_cast<int>(std::count(pile.begin(), pile.end(), true));
            const auto firstUp = std::find(pile.begin(), pile.end(), true);
            const bool downThenUp = std::all_of(firstUp, pile.end(), [](bool b) { return b; });
            bool alternating = pile.size() >= 2;
            for (size_t i = 0; i < pile.size(); ++i)
                alternating = alternating && pile[i] == (i % 2 == 1);
            Kind kind = Kind::Other;
            if (up == static_cast<int>(pile.size()))
                kind = Kind::AllUp;
            else if (up == 0)
                kind = Kind::AllDown;
            else if (downThenUp)
                kind = Kind::TopUp;
            else if (alternating)
                kind = Kind::Alternating;
            faces.push_back({kind, up});
        }
        if (faces.empty())
            return {};
        auto all = [&](auto test) { return std::all_of(faces.begin(), faces.end(), test); };
        if (all([](const PileFaces& f) { return f.kind == Kind::AllUp; }))
            return QStringLiteral("All of them are face up.");
        // A pile of one face-up card fits "only the top card up" as well.
        if (all([](const PileFaces& f) { return (f.kind == Kind::TopUp || f.kind == Kind::AllUp) && f.up == 1; }))
            return QStringLiteral("Only the top card of each pile is face up.");
        if (all([&](const PileFaces& f) { return f.kind == Kind::TopUp && f.up == faces.front().up; }))
            return QStringLiteral("The top %1 cards of each pile are face up, the others face down.")
                .arg(faces.front().up);
        if (all([](const PileFaces& f) { return f.kind == Kind::Alternating; }))
            return QStringLiteral("In each pile the cards lie alternately face down and face up, starting face "
                                  "down at the bottom.");
        if (!all([](const PileFaces& f) { return f.kind == Kind::AllUp || f.kind == Kind::TopUp; }) &&
            !all([](const PileFaces& f) { return f.kind == Kind::AllUp || f.kind == Kind::AllDown; }))
            return {};

        // Some piles all face up, the others face down but for their top
        // (or entirely face down).
        std::vector<int> upPiles;
        std::vector<int> otherPiles;
        int p = 0;
        for (const auto& pile : plan_.home) {
            if (!pile.empty())
                (std::all_of(pile.begin(), pile.end(), [](bool b) { return b; }) ? upPiles : otherPiles).push_back(p);
            ++p;
        }
        const bool othersTopOnly = all([](const PileFaces& f) { return f.kind != Kind::TopUp || f.up == 1; }) &&
                                   !all([](const PileFaces& f) { return f.kind != Kind::TopUp; });
        if (!othersTopOnly && !all([](const PileFaces& f) { return f.kind != Kind::TopUp; }))
            return {};
        const QString rest =
            othersTopOnly ? QStringLiteral("only the top card is face up") : QStringLiteral("all cards are face down");
        return QStringLiteral("On %1 all cards are face up; on the other piles %2.").arg(pileNumbers(upPiles), rest);
    }

    QString foundationStartWords() const
    {
        const int16_t given = g_.Cards(Cell::Foundation);
        const int n = plan_.foundationCards;
        switch (g_.GoalType()) {
        case FoundationStart::Ace:
        case FoundationStart::Two:
        case FoundationStart::King: {
            const int rank = g_.GoalType();
            if (n == g_.Piles(Cell::Foundation))
                return QStringLiteral("starting with the %1 %2").arg(numberWord(n), pluralRank(rank));
            return QStringLiteral("with %1 on the first %2 at the start")
                .arg(n == 1 ? withArticle(rankName(rank)) : QStringLiteral("%1 %2").arg(n).arg(pluralRank(rank)))
                .arg(n);
        }
        case FoundationStart::AceAndKing: {
            QStringList aces;
            QStringList kings;
            int aceGroups = 0;
            for (int group = 0; group < g_.TotalCards() / kRunLength; ++group) {
                const bool ace = group < given / 2.0;
                aceGroups += ace ? 1 : 0;
                (ace ? aces : kings) << suitName(suitOfGroup(g_.SuitType(), group));
            }
            aces.removeDuplicates();
            kings.removeDuplicates();
            return QStringLiteral("starting with the Aces of %1 on the first %2 and the Kings of %3 on the others")
                .arg(joinAnd(aces), numberWord(aceGroups), joinAnd(kings));
        }
        case FoundationStart::RandomRank:
            return n == 1 ? QStringLiteral("the first of them starting with the first card of the shuffled deck")
                          : QStringLiteral("the first %1 starting with cards of one rank, the rank of the first card "
                                           "of the shuffled deck")
                                .arg(n);
        case FoundationStart::RankOfPile:
            return QStringLiteral("each starting with the card whose rank matches its number");
        case FoundationStart::SuitOfPile: return QStringLiteral("each starting with a card of its own suit");
        default: return QStringLiteral("empty at the start");
        }
    }

    // ---- Foundations ------------------------------------------------------

    // The rank an empty foundation accepts, in words.
    QString baseWords() const
    {
        switch (g_.GoalType()) {
        case FoundationStart::Two: return withArticle(rankName(1));
        case FoundationStart::King: return withArticle(rankName(kKing));
        case FoundationStart::RandomRank: return QStringLiteral("a card of the starting rank");
        default: return withArticle(rankName(0));
        }
    }

    // The rank a foundation starts from.
    std::optional<int> startRank(int pile) const
    {
        const int given = g_.Cards(Cell::Foundation);
        switch (g_.GoalType()) {
        case FoundationStart::Two: return 1;
        case FoundationStart::King: return kKing;
        case FoundationStart::AceAndKing: return given >= 1 && pile >= given / 2.0 ? kKing : 0;
        case FoundationStart::RankOfPile:
        case FoundationStart::RandomRank:
        case FoundationStart::SuitOfPile: return std::nullopt;
        default: return 0;
        }
    }

    void foundations()
    {
        page_.section(QStringLiteral("Foundations"));
        if (spider_) {
            page_.item(QStringLiteral("The foundations do not accept single cards: you never move a card there "
                                      "yourself."));
            page_.item(completedRunWords());
            page_.item(QStringLiteral("The top card of a foundation may be played back onto the tableau."));
            return;
        }

        // Foundations that share a building rule and a starting rank are
        // described together.
        struct Group {
            int32_t order;
            std::optional<int> start;
            std::vector<int> piles;
        };
        std::vector<Group> groups;
        for (int f = 0; f < g_.Piles(Cell::Foundation); ++f) {
            const int32_t order = g_.Order(Cell::Foundation, static_cast<int16_t>(f));
            const std::optional<int> start = startRank(f);
            if (!groups.empty() && groups.back().order == order && groups.back().start == start)
                groups.back().piles.push_back(f);
            else
                groups.push_back({order, start, {f}});
        }
        const bool wrap = g_.AK(Cell::Foundation) != 0;
        for (size_t i = 0; i < groups.size(); ++i) {
            const Group& group = groups[i];
            QString who;
            if (groups.size() == 1)
                who = g_.Piles(Cell::Foundation) == 1 ? QStringLiteral("The foundation")
                                                      : QStringLiteral("Each foundation");
            else if (i == 0)
                who = QStringLiteral("The first %1 %2")
                          .arg(numberWord(static_cast<int>(group.piles.size())),
                               group.piles.size() == 1 ? QStringLiteral("foundation") : QStringLiteral("foundations"));
            else
                who = QStringLiteral("The other %1 %2")
                          .arg(numberWord(static_cast<int>(group.piles.size())),
                               group.piles.size() == 1 ? QStringLiteral("foundation") : QStringLiteral("foundations"));
            const bool plural = groups.size() > 1 && group.piles.size() > 1;
            page_.item(foundationRule(who, plural, group.order, group.start, wrap));
        }
        page_.item(QStringLiteral("An empty foundation accepts only %1.").arg(baseWords()));
        if (g_.GoalType() == FoundationStart::RandomRank)
            page_.item(QStringLiteral("The starting rank is the rank of the card the deal puts on the first "
                                      "foundation; it is the same for every foundation."));
        if (plan_.foundationCapacity > 13)
            page_.item(QStringLiteral("A foundation holds %1 cards: after a whole sequence of 13 it starts again "
                                      "from its first rank, in the same order.")
                           .arg(plan_.foundationCapacity));
        else
            page_.item(QStringLiteral("A foundation holds at most 13 cards."));
        page_.item(QStringLiteral("The top card of a foundation may be played back onto the tableau."));
    }

    QString foundationRule(const QString& who, bool plural, int32_t order, std::optional<int> start, bool wrap)
    {
        const BuildOrder::Rule b = ruleOf(order);
        const QString verb = plural ? QStringLiteral("are") : QStringLiteral("is");
        if (b.kind != Kind::Sequence) {
            const QString words = buildWords(order);
            if (words.isEmpty())
                return QStringLiteral("%1 %2 not built on: no card may be added to a card there.").arg(who, verb);
            return QStringLiteral("%1 %2 built %3.").arg(who, verb, words);
        }
        QString text = QStringLiteral("%1 %2 built %3").arg(who, verb, BuildOrder::rankWords(b.rank));
        text += QLatin1Char(' ') + BuildOrder::suitWords(b.suit);
        if (start && b.rank != Rank::Either) {
            const int first = *start;
            const int last = b.rank == Rank::Up ? first + 12 : first - 12;
            if (last >= 0 && last <= kKing)
                text += QStringLiteral(" from %1 to %2").arg(rankName(first), rankName(last));
            else
                text += QStringLiteral(" from the %1").arg(rankName(first));
        } else if (g_.GoalType() == FoundationStart::RandomRank)
            text += QStringLiteral(" from a card of the starting rank");
        if (wrap)
            text += b.rank == Rank::Down ? QStringLiteral(", going on from the Ace to the King when needed")
                                         : QStringLiteral(", going on from the King to the Ace when needed");
        const QString example = foundationExample(b, start);
        return text + (example.isEmpty() ? QString() : QStringLiteral(" (for example, %1)").arg(example)) +
               QLatin1Char('.');
    }

    QString foundationExample(const BuildOrder::Rule& b, std::optional<int> start) const
    {
        if (!start || b.rank == Rank::Either)
            return {};
        const int first = *start;
        const int next = b.rank == Rank::Up ? first + 1 : first - 1;
        if (next < 0 || next > kKing)
            return {};
        // A foundation that starts from the King holds clubs in the split games.
        const int16_t shownSuit = g_.SuitType() == SuitCount::One                      ? suits::kSpades
                                  : first == kKing && g_.SuitType() == SuitCount::Four ? suits::kClubs
                                                                                       : suits::kHearts;
        const QString suit = suitName(shownSuit);
        switch (b.suit) {
        case Suit::Same:
            return QStringLiteral("the %1 of %3 on the %2 of %3").arg(rankName(next), rankName(first), suit);
        case Suit::OtherColour: return QStringLiteral("a red %1 on a black %2").arg(rankName(next), rankName(first));
        case Suit::SameColour: return QStringLiteral("a black %1 on a black %2").arg(rankName(next), rankName(first));
        case Suit::Other:
            return QStringLiteral("the %1 of clubs on the %2 of spades").arg(rankName(next), rankName(first));
        case Suit::Any: return QStringLiteral("any %1 on any %2").arg(rankName(next), rankName(first));
        }
        return {};
    }

    // What the table clears to the foundations under the "Spider" tag: a run
    // whose top card has the base rank and in which every card below could be
    // built on the one above it by the foundation rule.
    QString completedRunWords()
    {
        const BuildOrder::Rule b = ruleOf(g_.Order(Cell::Foundation, 0));
        const int base = g_.GoalType() == FoundationStart::Two ? 1 : g_.GoalType() == FoundationStart::King ? kKing : 0;
        if (b.kind != Kind::Sequence || b.rank == Rank::Either || g_.GoalType() == FoundationStart::RandomRank) {
            unexplained_ << QStringLiteral("which runs count as complete");
            return QStringLiteral("Completed runs of 13 cards move to the foundations by themselves.");
        }
        // Going down the pile from its top card, the ranks run the other way
        // to the foundation rule.
        const bool wrap = g_.AK(Cell::Home) != 0;
        const int bottom = b.rank == Rank::Up ? base + 12 : base - 12;
        QString span;
        if (bottom >= 0 && bottom <= kKing)
            span = QStringLiteral("from %1 down to %2").arg(withArticle(rankName(bottom)), withArticle(rankName(base)));
        else
            span = QStringLiteral("ending in %1").arg(withArticle(rankName(base)));
        if (b.rank == Rank::Down && bottom >= 0 && bottom <= kKing)
            span = QStringLiteral("from %1 up to %2").arg(withArticle(rankName(bottom)), withArticle(rankName(base)));
        QString suitPart;
        switch (b.suit) {
        case Suit::Same: suitPart = QStringLiteral("all of one suit"); break;
        case Suit::SameColour: suitPart = QStringLiteral("all of one colour"); break;
        case Suit::OtherColour: suitPart = QStringLiteral("alternating in colour"); break;
        case Suit::Other: suitPart = QStringLiteral("each card of a different suit from the next"); break;
        case Suit::Any: suitPart = QStringLiteral("of any suits"); break;
        }
        QString text = QStringLiteral("When a tableau pile ends in a run of 13 cards %1, %2, the whole run moves to "
                                      "a foundation by itself, whether automatic play is on or off.")
                           .arg(span, suitPart);
        if (wrap)
            text += QStringLiteral(" The run may turn the corner from Ace to King.");
        return text;
    }

    // ---- Tableau ----------------------------------------------------------

    void tableau()
    {
        page_.section(QStringLiteral("Tableau"));
        const int32_t order = g_.Order(Cell::Home, 0);
        const bool wrap = g_.AK(Cell::Home) != 0;
        const QString words = buildWords(order);
        if (words.isEmpty()) {
            page_.item(QStringLiteral("No card may be placed on a tableau pile that holds cards."));
        } else {
            const QString example = buildExample(order, g_.SuitType(), wrap);
            page_.item(
                QStringLiteral("Build %1%2.")
                    .arg(words, example.isEmpty() ? QString() : QStringLiteral(" (for example, %1)").arg(example)));
        }
        page_.item(emptyPileWords());
        page_.item(runWords());
        if (freecellLimit_ && g_.MultiMove() != 0)
            page_.item(QStringLiteral("How many cards you may move at once depends on the free space: a run may "
                                      "hold at most (E + 1) × (R + 1) cards, that is, up to (E + 1) × (R + 1) − 1 "
                                      "cards on top of the card you pick up, where E is the number of empty "
                                      "tableau piles and R the number of empty %1 when you pick it up. With no "
                                      "empty pile%2, you move one card at a time.")
                           .arg(reserveNames_, g_.Piles(Cell::Reserve) > 0
                                                   ? QStringLiteral(" and no empty ") + reserveName_
                                                   : QString()));
        if (std::any_of(plan_.home.begin(), plan_.home.end(),
                        [](const std::vector<bool>& pile) { return std::count(pile.begin(), pile.end(), false) > 0; }))
            page_.item(QStringLiteral("A face-down card that is uncovered is turned face up."));
    }

    QString emptyPileWords() const
    {
        if (g_.Tag() == kPenguin)
            return QStringLiteral("An empty pile may be filled only with a card one rank below the foundations' "
                                  "starting card (a King when that is an Ace), or a run starting with such a card.");
        const int16_t rank = g_.EmptyNum();
        if (rank == -1)
            return g_.MultiMove() != 0 ? QStringLiteral("An empty pile may be filled with any card or run.")
                                       : QStringLiteral("An empty pile may be filled with any card.");
        if (rank < 0 || rank > kKing)
            return QStringLiteral("An empty pile cannot be filled again.");
        const QString card = withArticle(rankName(rank));
        return g_.MultiMove() != 0
                   ? QStringLiteral("An empty pile may be filled only with %1, or a run starting with %1.").arg(card)
                   : QStringLiteral("An empty pile may be filled only with %1.").arg(card);
    }

    QString runWords() const
    {
        if (g_.MultiMove() == 0)
            return QStringLiteral("Only the top card of a pile may be moved; runs are not moved as a unit.");
        const int32_t runOrder = g_.MultiOrder();
        if (runOrder == BuildOrder::AnyCard)
            return QStringLiteral("Any face-up cards may be moved together, in order or not, as long as the lowest "
                                  "of them may be placed where it goes.");
        const QString words = buildWords(runOrder);
        if (words.isEmpty())
            return QStringLiteral("Only the top card of a pile may be moved.");
        if (runOrder == g_.Order(Cell::Home, 0))
            return QStringLiteral("A run of face-up cards built %1 may be moved together, as long as its lowest "
                                  "card may be placed where it goes.")
                .arg(words);
        return QStringLiteral("A run of face-up cards may be moved together only when it is built %1; its lowest "
                              "card must then be placeable where it goes.")
            .arg(words);
    }

    // ---- Reserve ----------------------------------------------------------

    void reserve()
    {
        if (g_.Piles(Cell::Reserve) <= 0)
            return;
        if (g_.ResNum() == -1) {
            page_.section(QStringLiteral("Free cells"));
            page_.item(QStringLiteral("Each free cell holds one card. Any single card may be moved to an empty free "
                                      "cell, but never a run."));
            page_.item(QStringLiteral("A card in a free cell may be played onto the tableau or a foundation."));
        } else {
            page_.section(QStringLiteral("Reserve"));
            page_.item(QStringLiteral("The reserve cards may be played onto the tableau or the foundations."));
            page_.item(QStringLiteral("No card may be put into the reserve, not even onto an empty reserve pile."));
        }
    }

    // ---- Stock and waste --------------------------------------------------

    void stockAndWaste()
    {
        const bool waste = g_.Piles(Cell::Waste) > 0;
        if (plan_.stockCards <= 0 && !waste)
            return;
        page_.section(waste ? QStringLiteral("Stock and waste") : QStringLiteral("Stock"));
        if (plan_.stockCards > 0) {
            if (g_.StockType() == StockType::TopPlayable) {
                page_.item(QStringLiteral("The top card of the stock may be played onto the tableau or a "
                                          "foundation. Clicking the stock does nothing."));
            } else if (g_.StockType() != StockType::Plain) {
                unexplained_ << QStringLiteral("the stock type %1").arg(g_.StockType());
            } else if (g_.StockMove() == StockMove::DealToHome) {
                const int piles = g_.Piles(Cell::Home);
                page_.item(QStringLiteral("Click the stock to deal one card face up onto each of the %1 tableau "
                                          "piles, empty piles included.")
                               .arg(piles));
                if (piles > 0 && plan_.stockCards % piles != 0)
                    page_.item(QStringLiteral("The last deal reaches only the first %1.")
                                   .arg(count(plan_.stockCards % piles, "pile", "piles")));
            } else if (waste) {
                page_.item(QStringLiteral("Click the stock to turn its top card face up onto the waste, one card "
                                          "per click."));
            } else {
                unexplained_ << QStringLiteral("where a stock card goes without a waste");
            }
        }
        if (waste) {
            page_.item(QStringLiteral("The top card of the waste may be played onto the tableau or a foundation."));
            page_.item(redealWords());
        } else if (plan_.stockCards > 0 && g_.StockType() != StockType::TopPlayable) {
            page_.item(QStringLiteral("There is no redeal: each stock card is dealt once."));
        }
    }

    QString redealWords() const
    {
        const int16_t redeals = g_.Redeals();
        if (g_.StockNum() != Redeal::Allowed || redeals == 0 || redeals < -1)
            return QStringLiteral("There is no redeal: when the stock is used up, the waste stays as it is.");
        const QString how = QStringLiteral("When the stock is empty, click its place to turn the waste over into a "
                                           "new stock");
        if (redeals == -1)
            return how + QStringLiteral(". You may redeal as often as you like (unlimited redeals).");
        if (redeals == 1)
            return how + QStringLiteral(". You may do this once (one redeal).");
        return how + QStringLiteral(". You may do this %1 times (%1 redeals).").arg(redeals);
    }

    // ---- Automatic play ---------------------------------------------------

    void autoPlay()
    {
        page_.section(QStringLiteral("Automatic play"));
        if (spider_) {
            page_.item(QStringLiteral("Cards are not played to the foundations automatically in this game; only "
                                      "completed runs move there by themselves."));
            return;
        }
        if (g_.DisAutoPlay() == -1) {
            page_.item(QStringLiteral("Automatic play is off in this game: move every card to the foundations "
                                      "yourself."));
            return;
        }
        QStringList from{QStringLiteral("the tableau piles")};
        if (g_.Piles(Cell::Reserve) > 0)
            from << QStringLiteral("the ") + reserveNames_;
        if (g_.Piles(Cell::Waste) > 0)
            from << QStringLiteral("the waste");
        if (g_.StockType() == StockType::TopPlayable && plan_.stockCards > 0)
            from << QStringLiteral("the stock");
        page_.item(QStringLiteral("When automatic play is switched on (it is by default), every card that fits on a "
                                  "foundation goes there by itself after each move. The cards tried are the top "
                                  "cards of %1.")
                       .arg(joinAnd(from)));
    }

    // ---- Special rules ----------------------------------------------------

    void specialRules()
    {
        const QString& tag = g_.Tag();
        if (tag == kKlondikeAK || tag == kFreecellAK) {
            page_.section(QStringLiteral("Special rules"));
            page_.item(QStringLiteral("The foundations are split in two: the first half is built up from the Ace, "
                                      "the second half down in suit from the King (see Foundations). Each "
                                      "foundation holds one suit from one end to the other."));
        } else if (tag == kStala) {
            page_.section(QStringLiteral("Special rules"));
            page_.item(QStringLiteral("The foundation cards are drawn a little apart, so that the first card of "
                                      "each foundation stays in view."));
        } else if (tag == kSpider) {
            page_.section(QStringLiteral("Special rules"));
            page_.item(QStringLiteral("This is a Spider game: you build runs on the tableau, and the foundations "
                                      "only collect completed runs (see Foundations)."));
        }
    }

    void winning()
    {
        page_.section(QStringLiteral("Winning"));
        page_.item(QStringLiteral("You win when all %1 cards are on the foundations.").arg(g_.TotalCards()));
    }

    const cGames& g_;
    QString name_;
    bool original_;
    DealPlan plan_;
    bool spider_ = false;
    bool freecellLimit_ = false;
    QString reserveName_;
    QString reserveNames_;
    Page page_;
    QStringList unexplained_;
};

const mKlondike::GameListEntry& entryOf(int16_t gameId)
{
    for (const mKlondike::GameListEntry& entry : mKlondike::GameList())
        if (entry.Gid == gameId)
            return entry;
    throw RunTimeError::subscript();
}

} // namespace

QString productName() { return cData::longProductName(); }

QString contentsLink() { return QStringLiteral("contents:"); }

QString rulesLink(int16_t gameId) { return QStringLiteral("rules:%1").arg(gameId); }

DealPlan planDeal(const cGames& games, const QString& name)
{
    // The table itself deals the definition, so the text says what a player
    // will see.
    DealPlan plan;
    ScratchTable table(games, name);
    // Cards that go to the pile of their suit, or to a pile drawn at random,
    // make sizes that differ from deal to deal.
    plan.homeVaries = games.HomeType() == DealPattern::BySuit || games.HomeType() == DealPattern::Random;
    cPlay& play = table.play;
    try {
        table.deal(GameNo(1));
    } catch (const RunTimeError&) {
        plan.fits = false;
        return plan;
    }
    const auto cards = [&](int16_t cell, int16_t pile) { return static_cast<int16_t>(play.GetTop(cell, pile) + 1); };
    if (!plan.homeVaries)
        for (int16_t pile = 0; pile < games.Piles(Cell::Home); ++pile) {
            std::vector<bool>& faces = plan.home.emplace_back();
            for (int16_t pos = 0; pos < cards(Cell::Home, pile); ++pos)
                faces.push_back(play.FaceMode(play.GetPicID(Cell::Home, pile, pos)) == cPlay::kFaceUp);
        }
    plan.foundationCards = play.GoalCards();
    plan.wasteCards = games.Piles(Cell::Waste) > 0 ? cards(Cell::Waste, 0) : int16_t{0};
    for (int16_t pile = 0; pile < games.Piles(Cell::Reserve); ++pile)
        plan.reserveCards = static_cast<int16_t>(plan.reserveCards + cards(Cell::Reserve, pile));
    plan.stockCards = cards(1, 0);
    plan.foundationCapacity = play.foundationCapacity();
    return plan;
}

Topic describe(const cGames& games, const QString& name, bool original)
{
    return RulesWriter(games, name, original).write();
}

QString rulesHtml(int16_t gameId)
{
    const mKlondike::GameListEntry& entry = entryOf(gameId);
    cGames games;
    mKlondike::LoadGameDefinition(games, entry.gName);
    return describe(games, entry.gName, entry.IsOriginal != 0).html;
}

QString rulesTitle(int16_t gameId) { return entryOf(gameId).gName; }

QString contentsHtml()
{
    std::vector<const mKlondike::GameListEntry*> standard;
    std::vector<const mKlondike::GameListEntry*> original;
    for (const mKlondike::GameListEntry& entry : mKlondike::GameList())
        (entry.IsOriginal != 0 ? original : standard).push_back(&entry);
    auto byName = [](const mKlondike::GameListEntry* a, const mKlondike::GameListEntry* b) {
        return QString::compare(a->gName, b->gName, Qt::CaseInsensitive) < 0;
    };
    std::sort(standard.begin(), standard.end(), byName);
    std::sort(original.begin(), original.end(), byName);

    // Each group in three columns, in alphabetical order row by row.
    auto group = [](const QString& title, const std::vector<const mKlondike::GameListEntry*>& games) {
        constexpr int kColumns = 3;
        const int rows = (static_cast<int>(games.size()) + kColumns - 1) / kColumns;
        QString html = QStringLiteral("<h2>%1</h2>\n<table class=\"games\" width=\"100%\">\n").arg(title);
        for (int r = 0; r < rows; ++r) {
            html += QStringLiteral("<tr>");
            for (int c = 0; c < kColumns; ++c) {
                const size_t i = static_cast<size_t>(r * kColumns + c);
                html += i < games.size() ? QStringLiteral("<td width=\"33%\"><a href=\"%1\">%2</a></td>")
                                               .arg(rulesLink(games[i]->Gid), games[i]->gName.toHtmlEscaped())
                                         : QStringLiteral("<td></td>");
            }
            html += QStringLiteral("</tr>\n");
        }
        return html + QStringLiteral("</table>\n");
    };

    QString html = QStringLiteral("<html><head><title>Contents</title></head><body>\n");
    html += QStringLiteral("<h1>%1 Help</h1>\n").arg(productName());
    html += QStringLiteral("<p>Tablora offers %1 patience games of the Klondike family. Choose a game to read its "
                           "rules.</p>\n")
                .arg(mKlondike::GameList().size());
    html += QStringLiteral(
        "<p>Move cards by dragging them with the mouse; a move the rules do not allow puts the cards back where "
        "they were. Click the stock to deal from it. Every move can be undone.</p>\n"
        "<p><b>Words used in the rules:</b> the <i>tableau</i> is the row of piles where you build; the "
        "<i>foundations</i> are the piles where the cards end up; the <i>stock</i> holds the cards not yet dealt "
        "and the <i>waste</i> the cards turned up from it; a <i>free cell</i> holds one card for a while; a "
        "<i>run</i> is a group of face-up cards lying in order on a tableau pile.</p>\n");
    html += group(QStringLiteral("Standard Games"), standard);
    html += group(QStringLiteral("Original Games"), original);
    html += QStringLiteral(
        "<h2>Playing with the keyboard</h2>\n<table class=\"keys\">\n"
        "<tr><td><b>Tab</b>, <b>Right</b></td><td>move the frame to the next pile</td></tr>\n"
        "<tr><td><b>Shift+Tab</b>, <b>Left</b></td><td>move the frame to the pile before</td></tr>\n"
        "<tr><td><b>Up</b>, <b>Down</b></td><td>take more or fewer of the face-up cards of a pile</td></tr>\n"
        "<tr><td><b>Space</b>, <b>Enter</b></td><td>pick up the cards in the frame; pressed again on another "
        "pile, put them there (a move the rules do not allow puts them back)</td></tr>\n"
        "<tr><td><b>Escape</b></td><td>put the cards you hold back</td></tr>\n"
        "<tr><td><b>D</b></td><td>deal from the stock, or turn the waste back</td></tr>\n"
        "</table>\n");
    html += QStringLiteral("</body></html>\n");
    return html;
}

} // namespace GameRules
