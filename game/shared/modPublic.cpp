// SPDX-License-Identifier: MIT
#include "modPublic.h"

vb::Integer EnemyMax = 0;
vb::Integer TimeLimit = 0;
vb::Integer GameLevel = 0;

HighScoreList HighScores[4][3];
