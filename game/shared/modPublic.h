// SPDX-License-Identifier: MIT
#pragma once

#include "VbMath.h"

#include <QString>

// Shared state of the whole run: the settings record and the high-score table
// that the forms read and write. Reading and saving them is done by
// SettingsStore.h and ScoreStorage.h.

// Settings record; 0 until ReadSettings has run.
extern vb::Integer EnemyMax;   // 3, 5, 7
extern vb::Integer TimeLimit;  // 120, 150, 180, 210 seconds
extern vb::Integer GameLevel;  // 0 Easy, 1 Normal, 2 Hard

// One ranking list, place 0 first.
struct HighScoreList {
    QString PlayerName[10];
    vb::Long Score[10] = {};
    double EntryDate[10] = {}; // days since 1899-12-30 00:00

    friend bool operator==(const HighScoreList&, const HighScoreList&) = default;
};

// [time-limit index 0..3][GameLevel 0..2]
extern HighScoreList HighScores[4][3];
