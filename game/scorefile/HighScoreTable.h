// SPDX-License-Identifier: MIT
#pragma once

#include "GameSettings.h"
#include "VbMath.h"

#include <QString>

#include <array>

// One ranking list, place 0 first.
struct HighScoreList {
    QString PlayerName[10];
    vb::Long Score[10] = {};
    double EntryDate[10] = {}; // days since 1899-12-30 00:00

    friend bool operator==(const HighScoreList&, const HighScoreList&) = default;
};

// The twelve ranking lists, as the settings name them:
// [time index (rules::TimeIndexOf)][GameLevel].
using HighScoreTable = std::array<std::array<HighScoreList, rules::LevelCount>, rules::TimeChoices.size()>;
