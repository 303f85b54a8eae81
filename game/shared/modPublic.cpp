// SPDX-License-Identifier: MIT
#include "modPublic.h"

HighScoreList HighScores[4][3];
