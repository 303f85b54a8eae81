// SPDX-License-Identifier: MIT
#pragma once

#include "VbMath.h"

#include <vector>

// One enemy ship; members in the order the replays print them.
struct EnemyShip {
    vb::Single X = 0;
    vb::Single Y = 0;
    vb::Single Range = 0;
    double Bearing = 0;  // radians, 0 ahead, clockwise
    double Heading = 0;  // radians, kept within 0 to 2*Pi
    double TurnRate = 0; // radians per main tick, within +-Pi/8
    vb::Integer Damage = 0;
    vb::Integer DamageLevel = 0; // 0 intact .. 3 heavy
    bool Sunk = false;
};

// The battle form's variables. Sea units: a 1950 x 1950 square, own ship at
// (975, 975), X right, Y down.
struct BattleState {
    double Pi = 0;
    vb::Integer EnemyCount = 0;
    std::vector<EnemyShip> Enemy = std::vector<EnemyShip>(1); // [0] unused; 1..EnemyCount live
    double ViewBearing = 0;                                   // radians
    double GunElevation = 5;                                  // degrees
    double GunBearing = 0;                                    // degrees
    vb::Long Points = 0;
    bool Turning = false;
    bool Reloading = false;
    double ShotElevation = 0;
    double ShotBearing = 0;
    bool SplashVisible = false;
    vb::Single ImpactX = 0;
    vb::Single ImpactY = 0;
    double StartTime = 0; // wall-clock reading (seconds) when the battle began
    vb::Integer TurnTicks = 0;
    vb::Integer TurnTick = 0;
    vb::Integer BearingStep = 0;
    vb::Integer ElevationStep = 0;
};
