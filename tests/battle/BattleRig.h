// SPDX-License-Identifier: MIT
#pragma once

#include "Battle.h"
#include "ManualClock.h"
#include "ReplayRandom.h"
#include "SimUi.h"

#include <initializer_list>
#include <string>
#include <vector>

// A battle wired to in-memory controls, queued draws and a hand-set clock.
struct BattleRig {
    explicit BattleRig(GameSettings settings = {}, std::string folder = "/opt/Mortavel",
                       BattleTexts texts = {})
        : battle(ui, random, clock, settings, std::move(folder), "data", std::move(texts))
    {
    }

    void Draws(std::initializer_list<double> values)
    {
        for (double v : values)
            random.Queue(v);
    }

    // Adds a ship at (x, y) with nothing else set, as the shell tests need.
    EnemyShip& AddShip(float x, float y, short damage = 0)
    {
        BattleState& s = battle.MutableState();
        EnemyShip ship;
        ship.X = x;
        ship.Y = y;
        ship.Damage = damage;
        s.Enemy.push_back(ship);
        s.EnemyCount = static_cast<vb::Integer>(s.Enemy.size() - 1);
        return s.Enemy.back();
    }

    // The turret laid at once, as if a movement had ended there.
    void LayGun(int bearing, int elevation)
    {
        ui.sldH = bearing;
        ui.sldV = 90 - elevation;
        battle.MutableState().GunBearing = bearing;
        battle.MutableState().GunElevation = elevation;
    }

    std::vector<std::string> TakeMedia()
    {
        std::vector<std::string> sent;
        sent.swap(ui.Media);
        return sent;
    }

    const BattleState& State() const { return battle.State(); }

    SimUi ui;
    ReplayRandom random{12345};
    ManualClock clock;
    Battle battle;
};
