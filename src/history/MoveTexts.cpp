#include "history/MoveTexts.h"

#include "history/cEngine.h"

namespace moveTexts {

QString groupName(int16_t cell)
{
    static const char* const kNames[] = {"Tableau", "Stock", "Waste", "Foundation", "Reserve"};
    return cell >= 0 && cell < 5 ? QLatin1String(kNames[cell]) : QString();
}

QString placeText(int16_t cell, int16_t pile, int16_t pos, int base)
{
    return groupName(cell) + QStringLiteral(" (Pile %1, Card %2)").arg(pile + base).arg(pos + base);
}

QString moveDescription(const cEngine& engine, int16_t n)
{
    const cEngine::Transaction& r = engine.Record(n);
    return placeText(r.SCell, r.SPile, r.SPos, 0) + QLatin1String(" -> ") + placeText(r.DCell, r.DPile, r.DPos, 0);
}

int cardCount(const cEngine& engine, int16_t n) { return engine.Record(n).mCards + 1; }

} // namespace moveTexts
