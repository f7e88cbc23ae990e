#pragma once

#include "rules/RunTimeError.h"

#include <QHash>
#include <QString>

#include <cstdint>

// A number setting: its section, value name and the default used when the
// value is absent.
struct NumberSetting {
    const char* section;
    const char* name;
    int32_t defaultValue;
};

struct TextSetting {
    const char* section;
    const char* name;
    const char* defaultValue;
};

// A text setting whose default is a path the program data object resolves
// when it is read (a folder or file that may have to be created first).
struct PathSetting {
    const char* section;
    const char* name;
};

// Every setting of the program: its section, value name and default. Nobody
// else spells a section, a name or a default.
namespace settings {
// General.
inline constexpr NumberSetting kUnFin{"General", "UnFin", 0};
inline constexpr PathSetting kSaveInitDir{"General", "SaveInitDir"}; // default: the saved-games folder
inline constexpr TextSetting kLastGName{"General", "LastGName", ""};

// Options.
inline constexpr NumberSetting kGameSave{"Options", "GameSave", 0};
inline constexpr NumberSetting kEnableInc{"Options", "EnableInc", 1};
inline constexpr NumberSetting kEnableFin{"Options", "EnableFin", 1};
inline constexpr NumberSetting kShowTime{"Options", "ShowTime", 1};
inline constexpr NumberSetting kShowScore{"Options", "ShowScore", 1};
inline constexpr NumberSetting kShowMoves{"Options", "ShowMoves", 1};
inline constexpr NumberSetting kShowCardsLeft{"Options", "ShowCardsLeft", 1};
// A double-click on a face-up top card sends it to a foundation; off
// unless 1.
inline constexpr NumberSetting kDoubleClickHome{"Options", "DoubleClickHome", 0};
// A click picks a card up and the next click puts it down; off unless 1.
inline constexpr NumberSetting kClickToMove{"Options", "ClickToMove", 0};
// The status bar under the table; on unless 0.
inline constexpr NumberSetting kShowStatusBar{"Options", "ShowStatusBar", 1};
inline constexpr NumberSetting kRangeIndex{"Options", "RangeIndex", 6};
inline constexpr NumberSetting kShowToolbar{"Options", "ShowToolbar", 1};
// Automatic play of cards to the foundations; on unless 0.
inline constexpr NumberSetting kAutoPlay{"Options", "AutoPlay", 1};
// Random game numbers are drawn until the solver finds a win in the deal.
inline constexpr NumberSetting kWinnableDeals{"Options", "WinnableDeals", 0};

// Animation.
inline constexpr NumberSetting kCardSpeed{"Animation", "CardSpeed", 5};
inline constexpr NumberSetting kUndoSpeed{"Animation", "UndoSpeed", 5};
inline constexpr NumberSetting kUndoallSpeed{"Animation", "UndoallSpeed", 2};
inline constexpr NumberSetting kReplaySpeed{"Animation", "ReplaySpeed", 7};
// The most steps a stored speed stands for (the slowest card).
inline constexpr int16_t kSlowestSteps = 50;
// A stored speed as the animation steps a card takes: 0 (it jumps) to the
// slowest. A value out of that range (a settings file edited by hand) is
// held to it, so a card never waits minutes to arrive.
inline int16_t animationSteps(int32_t stored)
{
    return static_cast<int16_t>(stored < 0 ? 0 : stored > kSlowestSteps ? kSlowestSteps : stored);
}
// A won game is celebrated on the table before the game-end dialog; on
// unless 0.
inline constexpr NumberSetting kCelebrateWin{"Options", "CelebrateWin", 1};

// Table background and card deck.
inline constexpr NumberSetting kBackIndex{"BackGround", "BackIndex", 1};
inline constexpr NumberSetting kTextureIndex{"BackGround", "TextureIndex", 1};
inline constexpr NumberSetting kColorIndex{"BackGround", "ColorIndex", 7};
inline constexpr NumberSetting kImageIndex{"BackGround", "ImageIndex", 1};
inline constexpr PathSetting kSchemeFile{"BackGround", "SchemeFile"};           // default: the default scheme file
inline constexpr PathSetting kCustImageFile{"BackGround", "CustImageFile"};     // default: the default picture
inline constexpr PathSetting kImageFolderFile{"BackGround", "ImageFolderFile"}; // default: the default picture
inline constexpr NumberSetting kFadeIndex{"BackGround", "FadeIndex", 1};
inline constexpr NumberSetting kEnableTile{"BackGround", "EnableTile", 1};
inline constexpr PathSetting kCustImageInitDir{"BackGround", "CustImageInitDir"}; // default: the documents folder
inline constexpr NumberSetting kWPTimerValue{"BackGround", "WPTimerValue", 4};
// The card deck chosen by the player.
inline constexpr NumberSetting kDeckIndex{"BackGround", "DeckIndex", 7};
// The face deck chosen by the player: the path of a deck file or folder;
// empty means the program's own drawn faces.
inline constexpr TextSetting kFaceDeck{"BackGround", "FaceDeck", ""};
// The deck a stored deck number stands for. A number that names no deck of
// the library (a settings file edited by hand, or one written when there
// were more decks) means the default deck.
inline int16_t usableDeck(int32_t deckIndex, int16_t deckCount)
{
    return static_cast<int16_t>(deckIndex >= 1 && deckIndex <= deckCount ? deckIndex : kDeckIndex.defaultValue);
}

// Players: values "1", "2", ... hold the names.
inline constexpr const char* kPlayersSection = "Players";
inline constexpr TextSetting kCurPlayer{"Players", "CurPlayer", ""};
inline constexpr const char* kPlayerNameDefault = "";

// Game-end dialog.
inline constexpr NumberSetting kFinishAddtoFav{"Finish", "AddtoFav", 0};
inline constexpr NumberSetting kFinishSaveFile{"Finish", "SaveFile", 0};

// Windows.
inline constexpr NumberSetting kAutoSaveTab{"Tools", "AutoSaveTab", 0};
inline constexpr TextSetting kSelectMainKey{"Select", "MainKey", "All"};
// One value per category key: the entry last chosen in it.
inline constexpr const char* kSelectSection = "Select";
inline constexpr const char* kSelectEntryDefault = "";

// One value per button key: whether it is shown. Defaults are the toolbar's.
inline constexpr const char* kToolbarSection = "Toolbar";
// One value per sound event tag: its wave file. Defaults are the sounds'.
inline constexpr const char* kSoundsSection = "Sounds";
// One value per game name: 1 when the game is hot.
inline constexpr const char* kHotGamesSection = "HotGames";
inline constexpr int32_t kHotGameDefault = 0;

// Numbered lists: section "<type>MRU" or "<type>LIST", values "1" .. "10".
inline QString mruSection(int32_t type) { return QString::number(type) + QLatin1String("MRU"); }
inline QString listSection(int32_t type) { return QString::number(type) + QLatin1String("LIST"); }
// One value's key in a store held in memory.
inline QString memoryKey(const QString& section, const QString& name) { return section + QLatin1Char('\\') + name; }
} // namespace settings

// Where settings are kept. Every setting is read at the moment it is used,
// with its default, and written as soon as it changes.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual QString readText(const QString& section, const QString& name, const QString& defaultValue) const = 0;
    virtual void writeText(const QString& section, const QString& name, const QString& value) = 0;
    virtual int32_t readNumber(const QString& section, const QString& name, int32_t defaultValue) const = 0;
    virtual void writeNumber(const QString& section, const QString& name, int32_t value) = 0;
    // A value read is of no use and is ignored (a player's name that would
    // lead out of the program's folder); `text` says which and why. A store
    // that can tell the player tells the first of a run; others say nothing.
    virtual void valueIgnored(const QString& text) { (void)text; }

    int32_t read(const NumberSetting& s) const
    {
        return readNumber(QString::fromLatin1(s.section), QString::fromLatin1(s.name), s.defaultValue);
    }
    QString read(const TextSetting& s) const
    {
        return readText(QString::fromLatin1(s.section), QString::fromLatin1(s.name), QString::fromUtf8(s.defaultValue));
    }
    void write(const NumberSetting& s, int32_t value)
    {
        writeNumber(QString::fromLatin1(s.section), QString::fromLatin1(s.name), value);
    }
    void write(const TextSetting& s, const QString& value)
    {
        writeText(QString::fromLatin1(s.section), QString::fromLatin1(s.name), value);
    }
};

// A store's file could not be written. The reason is the system's, for the
// player: "Permission denied", "No space left on device".
class SettingsNotSaved : public RunTimeError {
public:
    SettingsNotSaved(int32_t number, const QString& description, const QString& source, const QString& reason)
        : RunTimeError(number, description, source), reason_(reason)
    {
    }
    const QString& reason() const { return reason_; }

private:
    QString reason_;
};

// Settings held in memory for the run only: what the program reads while no
// persistent store is attached, and what tests set up.
class MemorySettingsStore final : public SettingsStore {
public:
    QString readText(const QString& section, const QString& name, const QString& defaultValue) const override
    {
        return texts_.value(settings::memoryKey(section, name), defaultValue);
    }
    void writeText(const QString& section, const QString& name, const QString& value) override
    {
        texts_.insert(settings::memoryKey(section, name), value);
    }
    int32_t readNumber(const QString& section, const QString& name, int32_t defaultValue) const override
    {
        return numbers_.value(settings::memoryKey(section, name), defaultValue);
    }
    void writeNumber(const QString& section, const QString& name, int32_t value) override
    {
        numbers_.insert(settings::memoryKey(section, name), value);
    }

private:
    QHash<QString, QString> texts_;
    QHash<QString, int32_t> numbers_;
};
