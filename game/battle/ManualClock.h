// SPDX-License-Identifier: MIT
#pragma once

#include "BattleUi.h"

// A wall clock that reads whatever it was last set to; for replays and tests.
class ManualClock : public WallClock {
public:
    double Now() override { return now_; }
    void Set(double seconds) { now_ = seconds; }

private:
    double now_ = 0;
};
