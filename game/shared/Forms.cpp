// SPDX-License-Identifier: MIT
#include "Forms.h"

std::function<void()> ShowTitleForm = [] {};
std::function<void(const GameSettings&)> ShowBattleForm = [](const GameSettings&) {};
