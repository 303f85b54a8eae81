// SPDX-License-Identifier: MIT
#pragma once

#include "BattleUi.h"

#include <cstdint>
#include <deque>
#include <random>

// A random source that can be replayed: draws queued by hand come first, in
// order, then a seeded generator whose sequence is the same on every machine
// (64-bit Mersenne Twister, 53 bits per draw).
class ReplayRandom : public RandomSource {
public:
    explicit ReplayRandom(std::uint64_t seed = 1)
        : engine_(seed)
    {
    }

    double Next() override;

    // value must lie in [0, 1).
    void Queue(double value) { queue_.push_back(value); }
    // Restarts the generator; queued draws are kept.
    void Seed(std::uint64_t seed) { engine_.seed(seed); }
    std::size_t Queued() const { return queue_.size(); }
    // Draws taken so far, queued or generated.
    std::uint64_t Taken() const { return taken_; }

private:
    std::deque<double> queue_;
    std::mt19937_64 engine_;
    std::uint64_t taken_ = 0;
};
