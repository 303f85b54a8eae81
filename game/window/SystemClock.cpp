// SPDX-License-Identifier: MIT
#include "SystemClock.h"

#include <QDateTime>

double SystemClock::Now()
{
    return static_cast<double>(QDateTime::currentSecsSinceEpoch());
}
