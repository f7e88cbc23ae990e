#pragma once

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>

#include <utility>
#include <vector>

// Points HOME, XDG_CONFIG_HOME and XDG_DATA_HOME into a fresh temporary
// folder for as long as it lives, so nothing touches the real home folder.
class TempHome {
public:
    TempHome()
    {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            saved_.emplace_back(name, qgetenv(name));
        qputenv("HOME", dir_.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (dir_.path() + QLatin1String("/config")).toUtf8());
        qputenv("XDG_DATA_HOME", (dir_.path() + QLatin1String("/data")).toUtf8());
    }
    ~TempHome()
    {
        for (const auto& [name, value] : saved_)
            qputenv(name, value);
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    QString path(const QString& relative = QString()) const
    {
        return relative.isEmpty() ? dir_.path() : dir_.path() + QLatin1Char('/') + relative;
    }

private:
    QTemporaryDir dir_;
    std::vector<std::pair<const char*, QByteArray>> saved_;
};
