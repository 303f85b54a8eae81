// SPDX-License-Identifier: MIT
#pragma once

#include "BattleUi.h"

#include <cstdint>
#include <random>

// The game's random source: main() owns the run's one and hands it to the
// title and every battle. The title screen reseeds it each time it loads;
// until then it starts from the clock, so no two runs play alike.
class GameRandom : public RandomSource {
public:
    GameRandom();

    void seed(std::uint32_t value);
    // Seeds from the system timer, as the title screen does on every load.
    void randomize();

    double Next() override;

private:
    std::mt19937 engine_;
};
