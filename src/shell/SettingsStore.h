#pragma once

#include <QHash>
#include <QString>

#include <cstdint>

// A number setting: its section, value name and the default used when the
// value is absent.
struct NumberSetting {
    const char* section;
    const char* name;
    int32_t defaultValue;
};

struct TextSetting {
    const char* section;
    const char* name;
    const char* defaultValue;
};

namespace settings {
// The card deck chosen by the player.
inline constexpr NumberSetting kDeckIndex{"BackGround", "DeckIndex", 7};
// Automatic play of cards to the foundations; on unless 0.
inline constexpr NumberSetting kAutoPlay{"Options", "AutoPlay", 1};
} // namespace settings

// Where settings are kept. Every setting is read at the moment it is used,
// with its default, and written as soon as it changes.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual QString readText(const QString& section, const QString& name, const QString& defaultValue) const = 0;
    virtual void writeText(const QString& section, const QString& name, const QString& value) = 0;
    virtual int32_t readNumber(const QString& section, const QString& name, int32_t defaultValue) const = 0;
    virtual void writeNumber(const QString& section, const QString& name, int32_t value) = 0;

    int32_t read(const NumberSetting& s) const
    {
        return readNumber(QString::fromLatin1(s.section), QString::fromLatin1(s.name), s.defaultValue);
    }
    QString read(const TextSetting& s) const
    {
        return readText(QString::fromLatin1(s.section), QString::fromLatin1(s.name), QString::fromUtf8(s.defaultValue));
    }
    void write(const NumberSetting& s, int32_t value)
    {
        writeNumber(QString::fromLatin1(s.section), QString::fromLatin1(s.name), value);
    }
};

// Settings held in memory for the run only: what the program reads while no
// persistent store is attached, and what tests set up.
class MemorySettingsStore final : public SettingsStore {
public:
    QString readText(const QString& section, const QString& name, const QString& defaultValue) const override
    {
        return texts_.value(key(section, name), defaultValue);
    }
    void writeText(const QString& section, const QString& name, const QString& value) override
    {
        texts_.insert(key(section, name), value);
    }
    int32_t readNumber(const QString& section, const QString& name, int32_t defaultValue) const override
    {
        return numbers_.value(key(section, name), defaultValue);
    }
    void writeNumber(const QString& section, const QString& name, int32_t value) override
    {
        numbers_.insert(key(section, name), value);
    }

private:
    static QString key(const QString& section, const QString& name) { return section + QLatin1Char('\\') + name; }

    QHash<QString, QString> texts_;
    QHash<QString, int32_t> numbers_;
};
