// SPDX-License-Identifier: MIT
#pragma once

#include "BattleUi.h"

// The wall clock at one-second resolution, like the date-and-time value the
// battle's timing was designed around: whole seconds since the epoch.
// main() owns the run's one and hands it to every battle.
class SystemClock : public WallClock {
public:
    double Now() override;
};
