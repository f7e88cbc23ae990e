#pragma once

#include <QString>

#include <cstdint>
#include <stdexcept>

// The one error type of the program's core. It carries the run-time error
// number the program reports and a description a player can read; windows
// catch it at their entry points and show the description.
class RunTimeError : public std::runtime_error {
public:
    enum Number : int32_t {
        kInvalidCall = 5,
        kOverflow = 6,
        kSubscriptOutOfRange = 9,
        kDivisionByZero = 11,
        kFileNotFound = 53,
        kPathFileAccess = 75,
        kBadFileFormat = 321,
    };

    RunTimeError(int32_t number, const QString& description, const QString& source = QString())
        : std::runtime_error(description.toStdString()), number_(number), description_(description), source_(source)
    {
    }

    int32_t number() const { return number_; }
    const QString& description() const { return description_; }
    // The part of the program that raised it, where that was named.
    const QString& source() const { return source_; }

    static RunTimeError overflow() { return {kOverflow, QStringLiteral("Overflow")}; }
    static RunTimeError subscript() { return {kSubscriptOutOfRange, QStringLiteral("Subscript out of range")}; }
    static RunTimeError divisionByZero() { return {kDivisionByZero, QStringLiteral("Division by zero")}; }

private:
    int32_t number_;
    QString description_;
    QString source_;
};
