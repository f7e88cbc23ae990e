#include "appearance/cSound.h"

#include "data/cData.h"
#include "engine/Services.h"

#include <QDir>
#include <QFileInfo>

const std::array<cSound::Event, 30> cSound::kEvents{{
    {SoundEvent::SelectDialog, "Select", ""},
    {SoundEvent::StartGame, "Start", "Start.wav"},
    {SoundEvent::MoveCard, "Move", ""},
    {SoundEvent::Undo, "Undo", "Undo.wav"},
    {SoundEvent::Redo, "Redo", "Undo.wav"},
    {SoundEvent::AutoPlay, "AutoPlay", "AutoPlay.wav"},
    {SoundEvent::PauseGame, "Pause", ""},
    {SoundEvent::CloseGame, "Close", ""},
    {SoundEvent::Win, "Win", "Win.wav"},
    {SoundEvent::AddFav, "AddFav", ""},
    {SoundEvent::OrgFav, "OrgFav", ""},
    {SoundEvent::AddPend, "AddPend", ""},
    {SoundEvent::OrgPend, "OrgPend", ""},
    {SoundEvent::GameStat, "GameStat", ""},
    {SoundEvent::SessionStat, "SessionStat", ""},
    {SoundEvent::HighScore, "HighScore", ""},
    {SoundEvent::LogStat, "LogStat", ""},
    {SoundEvent::Toolbar, "Toolbar", ""},
    {SoundEvent::Sounds, "Sounds", ""},
    {SoundEvent::Animation, "Animation", ""},
    {SoundEvent::Background, "Background", ""},
    {SoundEvent::Deck, "Deck", ""},
    {SoundEvent::Players, "Players", ""},
    {SoundEvent::AutoSave, "AutoSave", ""},
    {SoundEvent::Hot, "Hot", ""},
    {SoundEvent::History, "History", ""},
    {SoundEvent::Options, "Options", ""},
    {SoundEvent::Rules, "Rules", ""},
    {SoundEvent::Contents, "Contents", ""},
    {SoundEvent::About, "About", ""},
}};

const char* cSound::tagOf(SoundEvent event)
{
    for (const Event& e : kEvents)
        if (e.event == event)
            return e.tag;
    return "";
}

void cSound::raise(SoundEvent event)
{
    // Nothing to play on: no settings to read, no file to look for. The
    // program attaches a player; tables dealt for checks, previews and
    // benchmarks stay silent at no cost.
    if (player_ == &silent_)
        return;
    // Cards going home on their own make no sound with no game on the table.
    if (event == SoundEvent::AutoPlay && services_.session().Game_Status() == 0)
        return;
    Play(GetSound(QLatin1String(tagOf(event))));
}

QString cSound::GetSound(const QString& tag) const
{
    // A text no path can be tells an absent value from a stored empty one.
    static const QString kAbsent = QStringLiteral("\x01");
    const QString stored = services_.settings().readText(QLatin1String(settings::kSoundsSection), tag, kAbsent);
    if (stored != kAbsent)
        return stored;
    for (const Event& e : kEvents)
        if (tag == QLatin1String(e.tag))
            return *e.defaultFile != '\0' ? GetDefault(QLatin1String(e.defaultFile)) : QString();
    return {};
}

QString cSound::GetDefault(const QString& fileName) const { return QDir(data_.ProgramFolder()).filePath(fileName); }

void cSound::SetSound(const QString& tag, const QString& path)
{
    services_.settings().writeText(QLatin1String(settings::kSoundsSection), tag, path);
}

void cSound::Play(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    // A sound still playing is heard to its end.
    if (player_->isPlaying())
        return;
    player_->play(path);
}
