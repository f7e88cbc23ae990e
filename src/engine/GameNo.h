#pragma once

#include <QString>

#include <optional>
#include <variant>

// A game number as the session keeps it: a number, or the text of one as a
// player typed it or a file stored it. The deal always uses it as a 64-bit
// real number.
class GameNo {
public:
    GameNo() = default;
    GameNo(double number) : value_(number) {}

    // A text that reads as a number (blanks around it allowed); nothing
    // otherwise.
    static std::optional<GameNo> fromText(const QString& text);

    bool isText() const { return std::holds_alternative<QString>(value_); }
    double toNumber() const;
    // Integers print in full, without exponent or decimals; a text prints as
    // it was given.
    QString toString() const;

    bool operator==(const GameNo& other) const { return toNumber() == other.toNumber(); }

private:
    explicit GameNo(const QString& text) : value_(text) {}

    std::variant<double, QString> value_ = 0.0;
};
