#include "settings/RegistrySettingsStore.h"

#include "data/cData.h"
#include "rules/RunTimeError.h"

#include <limits>

QString RegistrySettingsStore::settingsBaseKey()
{
    return QLatin1String("Software\\Quellix Technologies\\") + cData::longProductName() + QLatin1Char('\\') +
           QLatin1String(cData::kVersion);
}

void RegistrySettingsStore::address(const QString& section, const QString& name, int32_t type) const
{
    registry_.setClassKey(cRegistry::kLocalMachine);
    registry_.setSectionKey(settingsBaseKey() + QLatin1Char('\\') + section);
    registry_.setValueKey(name);
    registry_.setValueType(type);
}

QString RegistrySettingsStore::readText(const QString& section, const QString& name, const QString& defaultValue) const
{
    address(section, name, cRegistry::kString);
    const QVariant value = registry_.Value();
    if (!value.isValid())
        return defaultValue;
    if (value.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(value.toByteArray());
    return value.toString();
}

void RegistrySettingsStore::writeText(const QString& section, const QString& name, const QString& value)
{
    address(section, name, cRegistry::kString);
    registry_.setValue(value);
}

int32_t RegistrySettingsStore::readNumber(const QString& section, const QString& name, int32_t defaultValue) const
{
    address(section, name, cRegistry::kDWord);
    const QVariant value = registry_.Value();
    if (!value.isValid())
        return defaultValue;
    bool ok = false;
    const qlonglong number =
        value.typeId() == QMetaType::QString ? value.toString().trimmed().toLongLong(&ok) : value.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<int16_t>::min() || number > std::numeric_limits<int16_t>::max())
        return defaultValue;
    return static_cast<int32_t>(number);
}

void RegistrySettingsStore::writeNumber(const QString& section, const QString& name, int32_t value)
{
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        throw RunTimeError::overflow();
    address(section, name, cRegistry::kDWord);
    registry_.setValue(value);
}
