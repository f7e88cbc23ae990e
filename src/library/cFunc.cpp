#include "library/cFunc.h"

#include "engine/SettingsStore.h"

namespace {
QString slotName(int i) { return QString::number(i); }
} // namespace

QStringList cFunc::readSlots(const QString& section) const
{
    QStringList values;
    for (int i = 1; i <= GetMRU_Max(); ++i)
        values << settings_.readText(section, slotName(i), QString());
    return values;
}

void cFunc::AddtoMRU(int32_t t, const QString& text)
{
    const QString section = settings::mruSection(t);
    QStringList values = readSlots(section);
    if (values.contains(text))
        return;
    values.prepend(text);
    values.removeLast();
    for (int i = 1; i <= GetMRU_Max(); ++i)
        settings_.writeText(section, slotName(i), values[i - 1]);
}

QStringList cFunc::GetMRU(int32_t t) const
{
    const QStringList values = readSlots(settings::mruSection(t));
    const auto count = std::count_if(values.begin(), values.end(), [](const QString& v) { return !v.isEmpty(); });
    return QStringList{QString::number(count)} + values;
}

int16_t cFunc::GetMRUCount(int32_t t) const { return static_cast<int16_t>(GetMRU(t).first().toInt()); }

void cFunc::ClearMRU(int32_t t)
{
    const QString section = settings::mruSection(t);
    for (int i = 1; i <= GetMRU_Max(); ++i)
        settings_.writeText(section, slotName(i), QString());
}

bool cFunc::AddtoLIST(int32_t t, const QString& text)
{
    const QString section = settings::listSection(t);
    const QStringList values = readSlots(section);
    if (values.contains(text))
        return false;
    const qsizetype free = values.indexOf(QString());
    if (free < 0)
        return false;
    settings_.writeText(section, slotName(static_cast<int>(free) + 1), text);
    return true;
}

QStringList cFunc::GetLIST(int32_t t) const
{
    QStringList entries;
    for (const QString& v : readSlots(settings::listSection(t)))
        if (!v.isEmpty())
            entries << v;
    return QStringList{QString::number(entries.size())} + entries;
}

void cFunc::RemoveListItem(int32_t t, const QString& text)
{
    const QString section = settings::listSection(t);
    const QStringList values = readSlots(section);
    for (int i = 0; i < values.size(); ++i)
        if (values[i].compare(text, Qt::CaseInsensitive) == 0) {
            settings_.writeText(section, slotName(i + 1), QString());
            return;
        }
}

bool cFunc::IsExists(int32_t t, const QString& text) const
{
    return readSlots(settings::listSection(t)).contains(text, Qt::CaseInsensitive);
}
