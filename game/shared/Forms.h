// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

// The top-level forms open one another (title -> battle -> title) without
// knowing each other's classes: main() installs these, tests replace them.
extern std::function<void()> ShowTitleForm;
extern std::function<void()> ShowBattleForm;
