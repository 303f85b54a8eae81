// SPDX-License-Identifier: MIT
#include "ControllerMap.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

const PadRule& RuleOf(PadInput input)
{
    return *std::find_if(PadRules.begin(), PadRules.end(),
                         [input](const PadRule& rule) { return rule.input == input; });
}

std::optional<PadInput> InputOfButton(const char* sdlButton)
{
    for (const PadRule& rule : PadRules)
        if (rule.sdlButton && std::strcmp(rule.sdlButton, sdlButton) == 0)
            return rule.input;
    return std::nullopt;
}

namespace stick {

namespace {
constexpr int Full = 32767;
}

std::optional<PadInput> Direction(int x, int y)
{
    if (std::max(std::abs(x), std::abs(y)) <= DeadZone)
        return std::nullopt;
    if (std::abs(x) >= std::abs(y))
        return x < 0 ? PadInput::LeftStickLeft : PadInput::LeftStickRight;
    return y < 0 ? PadInput::LeftStickUp : PadInput::LeftStickDown;
}

int RepeatInterval(int x, int y)
{
    const int tilt = std::min(std::max(std::abs(x), std::abs(y)), Full);
    const double past = std::max(0.0, double(tilt - DeadZone) / (Full - DeadZone));
    return static_cast<int>(std::lround(200.0 - 100.0 * past));
}

std::optional<int> LookBearing(int x, int y)
{
    if (std::hypot(double(x), double(y)) < LookThreshold)
        return std::nullopt;
    // Up is 0; x to the right and y downwards turn it clockwise.
    const double degrees = std::atan2(double(x), double(-y)) * 180.0 / 3.14159265358979323846;
    return static_cast<int>(std::lround(degrees + 360.0)) % 360;
}

} // namespace stick
