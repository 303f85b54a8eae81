// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <string>

class Battle;
class SimUi;

// Numbers as the replays print them: the shortest text that reads back to the
// same value, so that a replay shows exactly what the battle holds.
std::string FormatSingle(float value);
std::string FormatDouble(double value);
inline const char* FormatBool(bool value)
{
    return value ? "True" : "False";
}

// The battle state and the form's controls, one name=value line each, then "end".
void PrintState(std::ostream& out, const Battle& battle, SimUi& ui);
