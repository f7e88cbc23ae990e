#pragma once

#include "rules/RunTimeError.h"

#include <cmath>
#include <cstdint>

// Checked 16-bit arithmetic. Table coordinates, counts and positions are
// 16-bit signed values; any intermediate result outside -32768..32767 is an
// overflow error, never a silent wrap.
namespace int16 {

inline int16_t fit(int64_t v)
{
    if (v < INT16_MIN || v > INT16_MAX)
        throw RunTimeError::overflow();
    return static_cast<int16_t>(v);
}

inline int16_t add(int64_t a, int64_t b) { return fit(fit(a) + fit(b)); }
inline int16_t sub(int64_t a, int64_t b) { return fit(fit(a) - fit(b)); }
inline int16_t mul(int64_t a, int64_t b) { return fit(fit(a) * fit(b)); }

// Integer division and remainder truncating towards zero; a zero divisor is a
// division-by-zero error.
inline int16_t quot(int64_t a, int64_t b)
{
    if (b == 0)
        throw RunTimeError::divisionByZero();
    return fit(fit(a) / fit(b));
}
inline int16_t rem(int64_t a, int64_t b)
{
    if (b == 0)
        throw RunTimeError::divisionByZero();
    return fit(fit(a) % fit(b));
}

// Rounds to the nearest integer, halves to even (the rounding every
// conversion from a real number to an integer uses).
inline double roundHalfEven(double v)
{
    // The default floating-point rounding mode is to nearest, ties to even.
    return std::nearbyint(v);
}

// Half of a whole number, rounded halves to even: fromReal(twice / 2.0)
// without the floating point.
inline int16_t half(int64_t twice)
{
    const int64_t down = twice >> 1;
    return fit((twice & 1) != 0 && (down & 1) != 0 ? down + 1 : down);
}

inline int16_t fromReal(double v)
{
    const double r = roundHalfEven(v);
    if (!(r >= INT16_MIN && r <= INT16_MAX))
        throw RunTimeError::overflow();
    return static_cast<int16_t>(r);
}

} // namespace int16
