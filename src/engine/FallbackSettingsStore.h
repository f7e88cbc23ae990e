#pragma once

#include "engine/SettingsStore.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

// The settings store the program reads and writes through. It forwards to
// the attached store until a write fails (a read-only home folder, a full
// disk); from then on every change is kept in memory for the rest of the run
// and reads see it, so the program goes on as if the write had worked. The
// first failure is reported once, through the reporter, and so is the first
// value read that had to be ignored.
class FallbackSettingsStore final : public SettingsStore {
public:
    explicit FallbackSettingsStore(SettingsStore& target) : target_(&target) {}

    // A new store starts with nothing kept aside.
    void attach(SettingsStore& target);
    // Told "Settings could not be saved: REASON" at the first failure, and
    // the first ignored value's text. What happens before there is a
    // reporter is told as soon as there is one.
    void setReporter(std::function<void(const QString&)> reporter);
    // Writes go to memory only.
    bool failed() const { return failed_; }

    QString readText(const QString& section, const QString& name, const QString& defaultValue) const override;
    void writeText(const QString& section, const QString& name, const QString& value) override;
    int32_t readNumber(const QString& section, const QString& name, int32_t defaultValue) const override;
    void writeNumber(const QString& section, const QString& name, int32_t value) override;
    void valueIgnored(const QString& text) override;

private:
    // Runs the write on the attached store; false once writes fail.
    template <typename Write> bool tryWrite(Write&& write);
    void fail(const QString& reason);

    SettingsStore* target_;
    // The changes made since writes failed.
    QHash<QString, QString> keptTexts_;
    QHash<QString, int32_t> keptNumbers_;
    bool failed_ = false;
    bool ignoredTold_ = false;
    std::function<void(const QString&)> reporter_;
    QStringList untold_;
};
