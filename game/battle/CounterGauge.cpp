// SPDX-License-Identifier: MIT
#include "CounterGauge.h"

#include <algorithm>

void CounterGauge::SetValue(vb::Long value)
{
    value_ = std::clamp<vb::Long>(value, 0, kMaximum);
}

void CounterGauge::CountUp()
{
    value_ = std::min<vb::Long>(value_ + 1, kMaximum);
}
