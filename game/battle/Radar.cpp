// SPDX-License-Identifier: MIT
#include "Radar.h"

#include <algorithm>
#include <charconv>

std::vector<RadarMark> RadarMarks(const BattleState& state)
{
    // EnemyCount is the bound the game uses; the table's own size guards
    // against a count that ran ahead of it.
    const int tableLast = static_cast<int>(state.Enemy.size()) - 1;
    const int n = std::clamp<int>(state.EnemyCount, 0, std::max(tableLast, 0));

    std::vector<RadarMark> marks;
    marks.reserve(static_cast<std::size_t>(n) + 1);
    for (int i = 1; i <= n; ++i) {
        const EnemyShip& e = state.Enemy[static_cast<std::size_t>(i)];
        marks.push_back({e.X, e.Y, radar::ShipRadius, radar::Yellow, radar::Green});
    }
    if (state.SplashVisible)
        marks.push_back({state.ImpactX, state.ImpactY, radar::ImpactRadius, radar::Red, radar::Red});
    return marks;
}

std::string SingleText(vb::Single value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

namespace {

std::string RgbText(std::uint32_t bgr)
{
    return std::to_string(radar::RedOf(bgr)) + ',' + std::to_string(radar::GreenOf(bgr)) + ','
        + std::to_string(radar::BlueOf(bgr));
}

} // namespace

std::string FormatRadarMark(const RadarMark& mark)
{
    return "mark " + SingleText(mark.X) + ' ' + SingleText(mark.Y) + ' ' + std::to_string(mark.Radius) + ' '
        + RgbText(mark.Rim) + ' ' + RgbText(mark.Fill);
}
