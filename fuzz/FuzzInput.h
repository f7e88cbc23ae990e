#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// What every reader of outside data is fuzzed through: the input written
// as a file in a folder of the harness's own, with HOME pointed there too,
// so that nothing outside it is read or written.
class FuzzFolder {
public:
    FuzzFolder()
    {
        qputenv("HOME", dir_.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", (dir_.path() + QStringLiteral("/.local/share")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (dir_.path() + QStringLiteral("/.config")).toLocal8Bit());
        qputenv("XDG_DOCUMENTS_DIR", (dir_.path() + QStringLiteral("/Documents")).toLocal8Bit());
    }
    QString path(const QString& name) const { return dir_.filePath(name); }

    // Writes the input to `name` in the folder and returns its path.
    QString write(const QString& name, const uint8_t* data, size_t size) const
    {
        const QString file = path(name);
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        out.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
        return file;
    }

private:
    QTemporaryDir dir_;
};
