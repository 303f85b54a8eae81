// SPDX-License-Identifier: MIT
#pragma once

#include "VbMath.h"

#include <array>
#include <optional>

// The three settings a battle is played with, as the settings dialog offers
// them and the per-user store keeps them. Plain values: the title owns the
// record, hands it to the dialog, the battle and the high-score viewer.
struct GameSettings {
    vb::Integer EnemyMax = 5;    // one of EnemyChoices
    vb::Integer TimeLimit = 150; // one of TimeChoices, seconds
    vb::Integer GameLevel = 1;   // 0 Easy, 1 Normal, 2 Hard

    friend bool operator==(const GameSettings&, const GameSettings&) = default;
};

namespace rules {

// What the settings dialog offers, in its order; a choice's index is also
// where the ranking of that time limit sits in the high-score table.
inline constexpr std::array<vb::Integer, 3> EnemyChoices{3, 5, 7};
inline constexpr std::array<vb::Integer, 4> TimeChoices{120, 150, 180, 210};
inline constexpr int LevelCount = 3;

bool IsAllowedEnemyMax(int value);
bool IsAllowedTimeLimit(int value);
bool IsAllowedGameLevel(int value);
bool IsAllowed(const GameSettings& settings);

// The choice a value stands for, and back. A value between two choices
// gives the lower one, one below the first a negative index (a hand-edited
// setting the dialog then shows with no choice ticked).
int EnemyChoiceOf(int enemyMax);
int TimeIndexOf(int timeLimit);
int EnemyMaxOfChoice(int choice);
int TimeLimitOfChoice(int choice);

// The ranking list (time index, level) a battle played with these settings
// enters; none for settings the dialog cannot give.
struct RankingList {
    int TimeIndex;
    int Level;
};
std::optional<RankingList> RankingListOf(const GameSettings& settings);

} // namespace rules
