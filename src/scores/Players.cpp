#include "scores/Players.h"

#include "data/cData.h"
#include "engine/SettingsStore.h"
#include "rules/RunTimeError.h"

#include <QFile>

namespace {
QString section() { return QLatin1String(settings::kPlayersSection); }
} // namespace

int16_t Players::PlayerCount() const
{
    int16_t count = 0;
    for (int16_t slot = 1; slot <= kMaxPlayers; ++slot)
        if (!PlayerName(slot).isEmpty())
            ++count;
    return count;
}

QString Players::PlayerName(int16_t slot) const
{
    if (slot < 1 || slot > kMaxPlayers)
        throw RunTimeError::subscript();
    return settings_.readText(section(), QString::number(slot), QLatin1String(settings::kPlayerNameDefault));
}

void Players::SetPlayerName(int16_t slot, const QString& name, bool makeCurrent)
{
    if (slot < 1 || slot > kMaxPlayers)
        throw RunTimeError::subscript();
    settings_.writeText(section(), QString::number(slot), name);
    if (makeCurrent)
        SetCurrentPlayer(name);
}

QString Players::CurrentPlayer() const { return settings_.read(settings::kCurPlayer); }

void Players::SetCurrentPlayer(const QString& name) { settings_.write(settings::kCurPlayer, name); }

void Players::EnsurePlayer()
{
    if (PlayerCount() == 0)
        SetPlayerName(1, QStringLiteral("Player1"), true);
}

int16_t Players::FindPlayer(const QString& name) const
{
    if (name.isEmpty())
        return 0;
    for (int16_t slot = 1; slot <= kMaxPlayers; ++slot)
        if (PlayerName(slot) == name)
            return slot;
    return 0;
}

bool Players::HasBadCharacters(const QString& name)
{
    static const QString kForbidden = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : name)
        if (kForbidden.contains(c) || c.category() == QChar::Other_Control)
            return true;
    return false;
}

Players::NameCheck Players::CheckName(const QString& name) const
{
    if (name.trimmed().isEmpty())
        return NameCheck::Empty;
    if (HasBadCharacters(name))
        return NameCheck::BadCharacters;
    if (FindPlayer(name) != 0)
        return NameCheck::Exists;
    return NameCheck::Valid;
}

QString Players::ScoreFile(const cData& data, const QString& name)
{
    return data.AppDir() + name + QLatin1String(".sre");
}

bool Players::AddPlayer(const QString& name)
{
    for (int16_t slot = 1; slot <= kMaxPlayers; ++slot)
        if (PlayerName(slot).isEmpty()) {
            SetPlayerName(slot, name, false);
            return true;
        }
    return false;
}

void Players::RenamePlayer(const QString& oldName, const QString& newName, const cData& data)
{
    const int16_t slot = FindPlayer(oldName);
    if (slot == 0)
        return;
    SetPlayerName(slot, newName, CurrentPlayer() == oldName);
    // A failed rename keeps the old file where it is: nothing is lost.
    const QString oldFile = ScoreFile(data, oldName);
    if (QFile::exists(oldFile))
        QFile::rename(oldFile, ScoreFile(data, newName));
}

bool Players::DeletePlayer(const QString& name, const cData& data)
{
    const int16_t slot = FindPlayer(name);
    if (slot == 0 || name == CurrentPlayer())
        return false;
    SetPlayerName(slot, QString(), false);
    closeGap();
    const QString file = ScoreFile(data, name);
    if (QFile::exists(file))
        QFile::remove(file);
    return true;
}

void Players::closeGap()
{
    // One pass carries the single gap to the end; slot 21 counts as empty.
    for (int16_t slot = 1; slot < kMaxPlayers; ++slot) {
        const QString next = PlayerName(static_cast<int16_t>(slot + 1));
        if (PlayerName(slot).isEmpty() && !next.isEmpty()) {
            SetPlayerName(slot, next, false);
            SetPlayerName(static_cast<int16_t>(slot + 1), QString(), false);
        }
    }
}
