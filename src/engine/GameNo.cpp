#include "engine/GameNo.h"

#include <cmath>

std::optional<GameNo> GameNo::fromText(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return GameNo(text);
}

double GameNo::toNumber() const
{
    if (const double* d = std::get_if<double>(&value_))
        return *d;
    return std::get<QString>(value_).trimmed().toDouble();
}

QString GameNo::toString() const
{
    if (const QString* s = std::get_if<QString>(&value_))
        return *s;
    const double v = std::get<double>(value_);
    if (std::trunc(v) == v && std::fabs(v) < 1e18)
        return QString::number(static_cast<qint64>(v));
    return QString::number(v, 'g', 15);
}
