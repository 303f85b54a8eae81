// SPDX-License-Identifier: MIT
#pragma once

#include "BattleState.h"

#include <cmath>
#include <initializer_list>

namespace scenefixtures {

inline const double Pi = 4 * std::atan(1.0);

// A battle looking towards viewBearing with these ships, in this order.
inline BattleState Looking(double viewBearing, std::initializer_list<EnemyShip> ships = {})
{
    BattleState s;
    s.Pi = Pi;
    s.ViewBearing = viewBearing;
    for (const EnemyShip& e : ships)
        s.Enemy.push_back(e);
    s.EnemyCount = static_cast<vb::Integer>(ships.size());
    return s;
}

// The point of fall at bearing b and distance r, as the battle stores it.
inline void SplashAt(BattleState& s, double r, double b)
{
    s.SplashVisible = true;
    s.ImpactX = static_cast<vb::Single>(975 + r * std::cos(b - Pi / 2));
    s.ImpactY = static_cast<vb::Single>(975 + r * std::sin(b - Pi / 2));
}

} // namespace scenefixtures
