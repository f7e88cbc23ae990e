#pragma once

#include "engine/SettingsStore.h"
#include "settings/cRegistry.h"

// The settings store over the program's key tree: each section is a key
// under Software\Quellix Technologies\Tablora 6.0\6.0. Numbers are kept as
// DWORDs, texts as plain strings: a text the player typed or chose reads
// back exactly, even "%HOME%". A value an older file holds as an expandable
// string still reads with its environment variables expanded.
class RegistrySettingsStore final : public SettingsStore {
public:
    explicit RegistrySettingsStore(cRegistry& registry) : registry_(registry) {}

    static QString settingsBaseKey();

    // A missing value reads as the default; an empty text stays empty.
    QString readText(const QString& section, const QString& name, const QString& defaultValue) const override;
    void writeText(const QString& section, const QString& name, const QString& value) override;
    // Numbers are 16-bit; a stored value that is not one reads as the
    // default.
    int32_t readNumber(const QString& section, const QString& name, int32_t defaultValue) const override;
    void writeNumber(const QString& section, const QString& name, int32_t value) override;

private:
    void address(const QString& section, const QString& name, int32_t type) const;

    cRegistry& registry_;
};
