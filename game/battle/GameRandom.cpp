// SPDX-License-Identifier: MIT
#include "GameRandom.h"

#include <chrono>

GameRandom::GameRandom()
{
    randomize();
}

void GameRandom::seed(std::uint32_t value)
{
    engine_.seed(value);
}

void GameRandom::randomize()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    seed(static_cast<std::uint32_t>(now ^ (now >> 32)));
}

double GameRandom::Next()
{
    // 53 random bits from two draws: uniform in [0, 1). Built by hand because
    // std::generate_canonical can round up to exactly 1.
    const double high = static_cast<double>(engine_() >> 5);
    const double low = static_cast<double>(engine_() >> 6);
    return (high * 67108864.0 + low) / 9007199254740992.0;
}
