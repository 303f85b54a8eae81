// SPDX-License-Identifier: MIT
#pragma once

#include "BattleState.h"

#include <cstdint>
#include <string>
#include <vector>

// The radar as data: what DrawRadar paints over bitmap 101, in sea units
// (the radar's own twips), in painting order. The renderer only scales and
// paints this list; the view line is not part of it (the click handler moves
// it, DrawRadar never touches it).
namespace radar {

constexpr int BackgroundPicture = 101;
constexpr double Side = 1950;    // sea units shown edge to edge
constexpr double Centre = 975;   // own ship, both axes
constexpr int ShipRadius = 30;   // 2 pixels at 15 units a pixel
constexpr int ImpactRadius = 15; // 1 pixel

// Colours as &H00BBGGRR, like the rest of the battle.
constexpr std::uint32_t Yellow = 0x00FFFF;
constexpr std::uint32_t Green = 0x00FF00;
constexpr std::uint32_t Red = 0x0000FF;

constexpr int RedOf(std::uint32_t bgr)
{
    return static_cast<int>(bgr & 0xFF);
}
constexpr int GreenOf(std::uint32_t bgr)
{
    return static_cast<int>((bgr >> 8) & 0xFF);
}
constexpr int BlueOf(std::uint32_t bgr)
{
    return static_cast<int>((bgr >> 16) & 0xFF);
}

} // namespace radar

// One filled circle: centre in sea units as stored in the state, radius in
// sea units, rim and fill as &H00BBGGRR.
struct RadarMark {
    vb::Single X = 0;
    vb::Single Y = 0;
    int Radius = 0;
    std::uint32_t Rim = 0;
    std::uint32_t Fill = 0;

    friend bool operator==(const RadarMark&, const RadarMark&) = default;
};

// Ships by ascending index (a later one covers an earlier one), then the
// point of fall while its splash shows. Reads only the state.
std::vector<RadarMark> RadarMarks(const BattleState& state);

// "mark X Y RADIUS R,G,B R,G,B": X and Y as the shortest text that reads
// back to the same Single.
std::string FormatRadarMark(const RadarMark& mark);

// Shortest decimal text that reads back to the same Single ("975", "81.5").
std::string SingleText(vb::Single value);
