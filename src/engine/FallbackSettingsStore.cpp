#include "engine/FallbackSettingsStore.h"

#include "rules/RunTimeError.h"

#include <utility>

void FallbackSettingsStore::attach(SettingsStore& target)
{
    target_ = &target;
    keptTexts_.clear();
    keptNumbers_.clear();
    failed_ = false;
    untold_.clear();
}

template <typename Write> bool FallbackSettingsStore::tryWrite(Write&& write)
{
    if (failed_)
        return false;
    try {
        write();
        return true;
    } catch (const SettingsNotSaved& e) {
        fail(e.reason());
    } catch (const RunTimeError& e) {
        // A value the store refuses (a number out of its range) is the
        // caller's error, not the file's.
        if (e.number() == RunTimeError::kOverflow)
            throw;
        fail(e.description());
    }
    return false;
}

void FallbackSettingsStore::fail(const QString& reason)
{
    failed_ = true;
    untold_ << QStringLiteral("Settings could not be saved: %1").arg(reason);
    setReporter(std::move(reporter_));
}

void FallbackSettingsStore::valueIgnored(const QString& text)
{
    if (std::exchange(ignoredTold_, true))
        return;
    untold_ << text;
    setReporter(std::move(reporter_));
}

void FallbackSettingsStore::setReporter(std::function<void(const QString&)> reporter)
{
    reporter_ = std::move(reporter);
    if (reporter_)
        for (const QString& text : std::exchange(untold_, QStringList()))
            reporter_(text);
}

QString FallbackSettingsStore::readText(const QString& section, const QString& name, const QString& defaultValue) const
{
    if (!keptTexts_.isEmpty())
        if (const auto kept = keptTexts_.constFind(settings::memoryKey(section, name)); kept != keptTexts_.cend())
            return *kept;
    return target_->readText(section, name, defaultValue);
}

void FallbackSettingsStore::writeText(const QString& section, const QString& name, const QString& value)
{
    if (!tryWrite([&] { target_->writeText(section, name, value); }))
        keptTexts_.insert(settings::memoryKey(section, name), value);
}

int32_t FallbackSettingsStore::readNumber(const QString& section, const QString& name, int32_t defaultValue) const
{
    if (!keptNumbers_.isEmpty())
        if (const auto kept = keptNumbers_.constFind(settings::memoryKey(section, name)); kept != keptNumbers_.cend())
            return *kept;
    return target_->readNumber(section, name, defaultValue);
}

void FallbackSettingsStore::writeNumber(const QString& section, const QString& name, int32_t value)
{
    if (!tryWrite([&] { target_->writeNumber(section, name, value); }))
        keptNumbers_.insert(settings::memoryKey(section, name), value);
}
