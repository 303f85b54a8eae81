// SPDX-License-Identifier: MIT
#pragma once

#include "BattleTexts.h"

// The battle's messages in the language the game speaks, for the window to
// hand to its Battle. In Japanese they are the battle's own defaults.
BattleTexts TranslatedBattleTexts();
