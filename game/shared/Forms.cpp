// SPDX-License-Identifier: MIT
#include "Forms.h"

std::function<void()> ShowTitleForm = [] {};
std::function<void()> ShowBattleForm = [] {};
