#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <random>

class SettingsStore;
class cData;

// What the table shows behind the cards: one of six kinds, and what of that
// kind.
struct BackgroundChoice {
    enum Kind { Texture = 0, Colour = 1, Picture = 2, Scheme = 3, CustomImage = 4, ImageFolder = 5 };

    int kind = Colour;
    // The texture, colour or picture (kinds 0, 1 and 2), from 1.
    int number = 7;
    // A colour fading to black towards the bottom.
    bool fade = true;
    // Top red, green, blue, then bottom red, green, blue (kind 3).
    std::array<int, 6> scheme{0, 128, 0, 128, 0, 0};
    // The picture file (kinds 4 and 5).
    QString file;
    // Pictures repeated over the table, or drawn once in its middle.
    bool tile = true;

    bool operator==(const BackgroundChoice&) const = default;
};

// The table's background as the settings choose it, its automatic change,
// and the colour scheme files.
namespace background {

// The stored choice; a scheme file that has gone reads as the default
// scheme.
BackgroundChoice current(const SettingsStore& settings, const cData& data);
// Another background of the same kind, at random, for the automatic change;
// the settings stay as they are. Nothing when the kind has nothing to pick
// from (no schemes, no pictures).
std::optional<BackgroundChoice> randomOfKind(const BackgroundChoice& now, int textures, int colours, int pictures,
                                             SettingsStore& settings, const cData& data, std::mt19937_64& random);

// Milliseconds between automatic changes for the setting's value (1: 5 s,
// 2: 15 s, 3: 1 min); 0 when the timer does not run.
int timerInterval(int wpTimerValue);
// The six texts of the automatic change, in the order of their values.
QStringList timerTexts();

// A scheme file's six numbers, read with any blanks or commas between
// them; nothing when the file cannot be read or does not hold six numbers
// of 0 .. 255.
std::optional<std::array<int, 6>> readScheme(const QString& path);
// Writes the numbers in the numeric print form, whole.
void writeScheme(const QString& path, const std::array<int, 6>& values);
// The picture files the program offers, for file dialogs and folder lists.
QStringList pictureFilters();

} // namespace background
