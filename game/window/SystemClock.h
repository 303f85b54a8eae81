// SPDX-License-Identifier: MIT
#pragma once

#include "BattleUi.h"

// The wall clock at one-second resolution, like the date-and-time value the
// battle's timing was designed around: whole seconds since the epoch.
class SystemClock : public WallClock {
public:
    static SystemClock& instance();
    double Now() override;
};
