// SPDX-License-Identifier: MIT
#include "ReplayRandom.h"

double ReplayRandom::Next()
{
    ++taken_;
    if (!queue_.empty()) {
        const double value = queue_.front();
        queue_.pop_front();
        return value;
    }
    // Spelled out rather than std::generate_canonical, whose result differs between libraries.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}
