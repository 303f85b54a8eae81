// SPDX-License-Identifier: MIT
#pragma once

#include "VbMath.h"

#include <QString>

// Shared state of the whole run: the high-score table that the forms read
// and write. Loading and saving it is done by ScoreStorage.h.

// One ranking list, place 0 first.
struct HighScoreList {
    QString PlayerName[10];
    vb::Long Score[10] = {};
    double EntryDate[10] = {}; // days since 1899-12-30 00:00

    friend bool operator==(const HighScoreList&, const HighScoreList&) = default;
};

// [time-limit index 0..3][GameLevel 0..2]
extern HighScoreList HighScores[4][3];
