// SPDX-License-Identifier: MIT
#pragma once

#include "BattleUi.h"

#include <cstdint>
#include <random>

// The game's one random source. The title screen reseeds it each time it
// loads; until then it starts from the clock, so no two runs play alike.
class GameRandom : public RandomSource {
public:
    static GameRandom& instance();

    void seed(std::uint32_t value);
    // Seeds from the system timer, as the title screen does on every load.
    void randomize();

    double Next() override;

private:
    GameRandom();
    std::mt19937 engine_;
};
