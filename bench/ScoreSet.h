#pragma once

// A home folder holding the results of a long-played program: 100,000
// score records of 20 players over every game and two years, made once per
// benchmark program and pointed to by HOME.

#include "scores/Players.h"
#include "session/Shared.h"
#include "settings/RegistrySettingsStore.h"
#include "settings/cRegistry.h"

#include <QFile>
#include <QTemporaryDir>

#include <random>

inline constexpr int kRecords = 100000;
inline constexpr int kPlayers = 20;

// A home folder holding the players and their score files.
class ScoreHome {
public:
    ScoreHome()
    {
        qputenv("HOME", dir_.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (dir_.path() + QLatin1String("/config")).toUtf8());
        qputenv("XDG_DATA_HOME", (dir_.path() + QLatin1String("/data")).toUtf8());
        cRegistry registry(cRegistry::defaultFilePath());
        RegistrySettingsStore store(registry);
        Shared shared;
        shared.services.setSettings(&store);
        Players players(store);
        std::vector<QByteArray> files(kPlayers);
        for (int p = 1; p <= kPlayers; ++p)
            players.AddPlayer(QStringLiteral("Player%1").arg(p));
        players.SetCurrentPlayer(QStringLiteral("Player1"));
        std::mt19937 random(2026);
        const QDateTime first(QDate(2025, 1, 1), QTime(8, 0));
        for (int i = 0; i < kRecords; ++i) {
            ScoreRec r;
            r.Date = cScore::dateText(first.addSecs(static_cast<qint64>(i) * 630));
            r.GameName = shared.data.GetGName(static_cast<int16_t>(1 + random() % shared.data.TotalGames()));
            r.gameNo = GameNo(static_cast<double>(1 + random() % 999999));
            r.Time = static_cast<int32_t>(60 + random() % 1800);
            r.Moves = static_cast<int32_t>(40 + random() % 300);
            r.Won = static_cast<int16_t>(random() % 3 == 0);
            r.Score = r.Won != 0 ? static_cast<int32_t>(random() % 600) : -static_cast<int32_t>(random() % 50);
            files[random() % kPlayers] += (cScore::formatLine(r) + QLatin1String("\r\n")).toUtf8();
        }
        for (int p = 1; p <= kPlayers; ++p) {
            QFile file(Players::ScoreFile(shared.data, QStringLiteral("Player%1").arg(p)));
            file.open(QIODevice::WriteOnly);
            file.write(files[static_cast<size_t>(p - 1)]);
        }
        shared.services.setSettings(nullptr);
    }
    QString path(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

inline ScoreHome& home()
{
    static ScoreHome made;
    return made;
}
