// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <cstdint>

// The battle keeps the integer widths and rounding of the game's original
// arithmetic, so that replays and worked examples come out to the same numbers.
namespace vb {

using Integer = std::int16_t;
using Long = std::int32_t;
using Single = float;

// Nearest whole number, an exact half going to the even neighbour.
inline double RoundHalfEven(double v)
{
    return std::nearbyint(v); // default FE_TONEAREST is round-half-even
}

inline Integer CInt(double v)
{
    return static_cast<Integer>(RoundHalfEven(v));
}
inline Long CLng(double v)
{
    return static_cast<Long>(RoundHalfEven(v));
}

// "Rounded down": towards minus infinity.
inline Long Floor(double v)
{
    return static_cast<Long>(std::floor(v));
}

// Forms and the scene are laid out in twips at 15 to the pixel.
inline constexpr double TwipsPerPixel = 15.0;

} // namespace vb
