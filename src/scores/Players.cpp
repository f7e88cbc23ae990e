#include "scores/Players.h"

#include "data/cData.h"
#include "engine/SettingsStore.h"
#include "rules/RunTimeError.h"
#include "rules/WholeFile.h"

#include <QDir>

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
    return usable(settings_.readText(section(), QString::number(slot), QLatin1String(settings::kPlayerNameDefault)));
}

QString Players::usable(const QString& stored) const
{
    if (stored.isEmpty() || FitName(stored))
        return stored;
    settings_.valueIgnored(QStringLiteral("The player name \"%1\" in the settings file was ignored: a player's name "
                                          "may not begin with a dot or hold \"/\", \"\\\" or control characters.")
                               .arg(stored));
    return {};
}

void Players::SetPlayerName(int16_t slot, const QString& name, bool makeCurrent)
{
    if (slot < 1 || slot > kMaxPlayers)
        throw RunTimeError::subscript();
    settings_.writeText(section(), QString::number(slot), name);
    if (makeCurrent)
        SetCurrentPlayer(name);
}

QString Players::CurrentPlayer() const { return usable(settings_.read(settings::kCurPlayer)); }

void Players::SetCurrentPlayer(const QString& name) { settings_.write(settings::kCurPlayer, name); }

void Players::EnsurePlayer()
{
    // Unfit names read as empty slots: the fit ones close up.
    QStringList names;
    bool gaps = false;
    for (int16_t slot = 1; slot <= kMaxPlayers; ++slot) {
        const QString name = PlayerName(slot);
        if (!name.isEmpty())
            names << name;
        else if (!settings_.readText(section(), QString::number(slot), QString()).isEmpty())
            gaps = true;
    }
    if (gaps)
        for (int16_t slot = 1; slot <= kMaxPlayers; ++slot)
            SetPlayerName(slot, names.value(slot - 1), false);
    if (PlayerCount() == 0)
        SetPlayerName(1, QStringLiteral("Player1"), true);
    else if (const QString stored = settings_.read(settings::kCurPlayer); !stored.isEmpty() && !FitName(stored))
        SetCurrentPlayer(PlayerName(1));
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

bool Players::FitName(const QString& name)
{
    if (name.trimmed().isEmpty() || name.startsWith(QLatin1Char('.')))
        return false;
    for (const QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return false;
    return true;
}

Players::NameCheck Players::CheckName(const QString& name) const
{
    if (name.trimmed().isEmpty())
        return NameCheck::Empty;
    if (HasBadCharacters(name))
        return NameCheck::BadCharacters;
    if (!FitName(name))
        return NameCheck::LeadingDot;
    if (FindPlayer(name) != 0)
        return NameCheck::Exists;
    return NameCheck::Valid;
}

QString Players::ScoreFile(const cData& data, const QString& name)
{
    // No current player at all still records, as it always did, in the
    // file the empty name gives, which stays in the folder.
    if (!name.isEmpty() && !FitName(name))
        throw RunTimeError(RunTimeError::kPathFileAccess,
                           QStringLiteral("\"%1\" cannot name a score file: a player's name may not begin with a "
                                          "dot or hold \"/\", \"\\\" or control characters.")
                               .arg(name));
    return data.AppDir() + name + QLatin1String(".sre");
}

bool Players::ScoresUnderName(const cData& data, const QString& name) { return PathTaken(ScoreFile(data, name)); }

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
    const QString newFile = ScoreFile(data, newName);
    if (PathTaken(newFile))
        throw RunTimeError(RunTimeError::kPathFileAccess,
                           QStringLiteral("Scores are kept under the name \"%1\" already; \"%2\" keeps its name, so "
                                          "that no records are mixed or left behind.")
                               .arg(newName, oldName));
    // The records move first: when they cannot, the player keeps the old
    // name with them.
    const QString oldFile = ScoreFile(data, oldName);
    if (PathTaken(oldFile) && !MoveFile(oldFile, newFile))
        throw RunTimeError(RunTimeError::kPathFileAccess,
                           QStringLiteral("The scores of \"%1\" could not be moved to \"%2\"; the name stays.")
                               .arg(oldName, QDir::toNativeSeparators(newFile)));
    SetPlayerName(slot, newName, CurrentPlayer() == oldName);
}

bool Players::DeletePlayer(const QString& name, const cData& data)
{
    const int16_t slot = FindPlayer(name);
    if (slot == 0 || name == CurrentPlayer())
        return false;
    SetPlayerName(slot, QString(), false);
    closeGap();
    // The player is gone; a score file that cannot go is told.
    const QString file = ScoreFile(data, name);
    if (!RemoveFile(file))
        throw RunTimeError(
            RunTimeError::kPathFileAccess,
            QStringLiteral("The score file \"%1\" could not be deleted.").arg(QDir::toNativeSeparators(file)));
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
