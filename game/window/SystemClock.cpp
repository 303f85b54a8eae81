// SPDX-License-Identifier: MIT
#include "SystemClock.h"

#include <QDateTime>

SystemClock& SystemClock::instance()
{
    static SystemClock clock;
    return clock;
}

double SystemClock::Now()
{
    return static_cast<double>(QDateTime::currentSecsSinceEpoch());
}
