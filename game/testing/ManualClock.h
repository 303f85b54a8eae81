// SPDX-License-Identifier: MIT
#pragma once

#include "BattleUi.h"

// A wall clock for replays and tests: it stands still at what it was last set
// to, or moves by a fixed step at every reading (so that a timed pause runs
// out without a real wait).
class ManualClock : public WallClock {
public:
    explicit ManualClock(double start = 0)
        : now_(start)
    {
    }

    double Now() override
    {
        const double now = now_;
        now_ += stepPerRead_;
        return now;
    }
    void Set(double seconds) { now_ = seconds; }
    void StepEveryRead(double seconds) { stepPerRead_ = seconds; }

private:
    double now_;
    double stepPerRead_ = 0;
};
