#include "appearance/Background.h"

#include "data/cData.h"
#include "engine/SettingsStore.h"
#include "library/cFunc.h"
#include "rules/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace background {

namespace {

QString pathSetting(const SettingsStore& settings, const PathSetting& setting, const QString& fallback)
{
    const QString stored = settings.readText(QLatin1String(setting.section), QLatin1String(setting.name), QString());
    return stored.isEmpty() ? fallback : stored;
}

} // namespace

BackgroundChoice current(const SettingsStore& settings, const cData& data)
{
    BackgroundChoice c;
    c.kind = std::clamp(static_cast<int>(settings.read(settings::kBackIndex)), 0, 5);
    c.tile = settings.read(settings::kEnableTile) != 0;
    c.fade = settings.read(settings::kFadeIndex) != 0;
    switch (c.kind) {
    case BackgroundChoice::Texture: c.number = settings.read(settings::kTextureIndex); break;
    case BackgroundChoice::Colour: c.number = settings.read(settings::kColorIndex); break;
    case BackgroundChoice::Picture: c.number = settings.read(settings::kImageIndex); break;
    case BackgroundChoice::Scheme: {
        QString file = pathSetting(settings, settings::kSchemeFile, data.DefaultSchemeFile());
        if (!QFileInfo::exists(file))
            file = data.DefaultSchemeFile();
        if (const std::optional<std::array<int, 6>> scheme = readScheme(file))
            c.scheme = *scheme;
        c.file = file;
        break;
    }
    case BackgroundChoice::CustomImage:
        c.file = pathSetting(settings, settings::kCustImageFile, data.DefaultCustImageFile());
        break;
    default: c.file = pathSetting(settings, settings::kImageFolderFile, data.DefaultCustImageFile()); break;
    }
    return c;
}

std::optional<BackgroundChoice> randomOfKind(const BackgroundChoice& now, int textures, int colours, int pictures,
                                             SettingsStore& settings, const cData& data, std::mt19937_64& random)
{
    // The integer part of a fraction in [0, 1) times the count; a draw that
    // rounds up to 1 still names the last one.
    const auto pick = [&random](qsizetype count) {
        const auto n = static_cast<qsizetype>(std::uniform_real_distribution<double>(0.0, 1.0)(random) * count);
        return std::clamp<qsizetype>(n, 0, count - 1);
    };
    BackgroundChoice c = now;
    switch (now.kind) {
    case BackgroundChoice::Texture: c.number = 1 + static_cast<int>(pick(textures)); return c;
    case BackgroundChoice::Colour: c.number = 1 + static_cast<int>(pick(colours)); return c;
    case BackgroundChoice::Picture: c.number = 1 + static_cast<int>(pick(pictures)); return c;
    case BackgroundChoice::Scheme: {
        const QFileInfoList files = QDir(data.SchemeFolder()).entryInfoList(QDir::Files, QDir::Name);
        if (files.isEmpty())
            return std::nullopt;
        const QString file = files[pick(files.size())].absoluteFilePath();
        const std::optional<std::array<int, 6>> scheme = readScheme(file);
        if (!scheme)
            return std::nullopt;
        c.scheme = *scheme;
        c.file = file;
        return c;
    }
    case BackgroundChoice::CustomImage: {
        // The pictures the background window lists: the default picture,
        // then the player's own (the list's first item is its count).
        QStringList list{data.DefaultCustImageFile()};
        list += cFunc(settings).GetLIST(0).mid(1);
        c.file = list[pick(list.size())];
        return c;
    }
    default: {
        const QFileInfoList files = QDir(QFileInfo(now.file).absolutePath())
                                        .entryInfoList(pictureFilters(), QDir::Files, QDir::Name | QDir::IgnoreCase);
        if (files.isEmpty())
            return std::nullopt;
        c.file = files[pick(files.size())].absoluteFilePath();
        return c;
    }
    }
}

int timerInterval(int wpTimerValue)
{
    switch (wpTimerValue) {
    case 1: return 5000;
    case 2: return 15000;
    case 3: return 60000;
    default: return 0;
    }
}

QStringList timerTexts()
{
    return {QStringLiteral("None"),     QStringLiteral("5 Seconds"), QStringLiteral("15 Seconds"),
            QStringLiteral("1 Minute"), QStringLiteral("Game"),      QStringLiteral("Session")};
}

std::optional<std::array<int, 6>> readScheme(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 4096)
        return std::nullopt;
    const QStringList parts =
        QString::fromLatin1(file.readAll()).split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts);
    if (parts.size() < 6)
        return std::nullopt;
    std::array<int, 6> values{};
    for (size_t i = 0; i < 6; ++i) {
        bool ok = false;
        values[i] = parts[static_cast<qsizetype>(i)].toInt(&ok);
        if (!ok || values[i] < 0 || values[i] > 255)
            return std::nullopt;
    }
    return values;
}

void writeScheme(const QString& path, const std::array<int, 6>& values)
{
    QString line;
    for (const int v : values)
        line += QLatin1Char(' ') + QString::number(v) + QLatin1Char(' ');
    WriteWholeFile(path, (line + QLatin1String("\r\n")).toLatin1());
}

QStringList pictureFilters()
{
    return {QStringLiteral("*.bmp"), QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.gif"),
            QStringLiteral("*.png")};
}

} // namespace background
