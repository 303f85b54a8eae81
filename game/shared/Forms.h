// SPDX-License-Identifier: MIT
#pragma once

#include "GameSettings.h"

#include <functional>

// The top-level forms open one another (title -> battle -> title) without
// knowing each other's classes: main() installs these, tests replace them.
extern std::function<void()> ShowTitleForm;
// A battle is played with the settings the title hands it.
extern std::function<void(const GameSettings&)> ShowBattleForm;
