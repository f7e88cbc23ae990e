#include "rules/BuildOrder.h"

namespace BuildOrder {

QString rankWords(Rank rank)
{
    switch (rank) {
    case Rank::Down: return QStringLiteral("down");
    case Rank::Up: return QStringLiteral("up");
    case Rank::Either: return QStringLiteral("up or down");
    }
    return {};
}

QString suitWords(Suit suit)
{
    switch (suit) {
    case Suit::Same: return QStringLiteral("in suit");
    case Suit::Other: return QStringLiteral("in a different suit");
    case Suit::SameColour: return QStringLiteral("in the same colour");
    case Suit::OtherColour: return QStringLiteral("in alternating colours");
    case Suit::Any: return QStringLiteral("regardless of suit");
    }
    return {};
}

QString words(int32_t code)
{
    const Rule rule = ruleOf(code);
    switch (rule.kind) {
    case Kind::Sequence: return rankWords(rule.rank) + QLatin1Char(' ') + suitWords(rule.suit);
    case Kind::AnyCard: return QStringLiteral("with any card on any card");
    case Kind::SameRank: return QStringLiteral("with cards of the same rank, regardless of suit");
    case Kind::Nothing: break;
    }
    return {};
}

} // namespace BuildOrder
