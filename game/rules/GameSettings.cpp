// SPDX-License-Identifier: MIT
#include "GameSettings.h"

#include <algorithm>

namespace rules {

namespace {

// The choices are evenly spaced: 2 ships and 30 seconds apart.
constexpr int EnemyStep = EnemyChoices[1] - EnemyChoices[0];
constexpr int TimeStep = TimeChoices[1] - TimeChoices[0];

int FloorDiv(int a, int b)
{
    const int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

template <std::size_t N> bool IsOneOf(const std::array<vb::Integer, N>& choices, int value)
{
    return std::find(choices.begin(), choices.end(), value) != choices.end();
}

} // namespace

bool IsAllowedEnemyMax(int value)
{
    return IsOneOf(EnemyChoices, value);
}
bool IsAllowedTimeLimit(int value)
{
    return IsOneOf(TimeChoices, value);
}
bool IsAllowedGameLevel(int value)
{
    return value >= 0 && value < LevelCount;
}

bool IsAllowed(const GameSettings& settings)
{
    return IsAllowedEnemyMax(settings.EnemyMax) && IsAllowedTimeLimit(settings.TimeLimit)
        && IsAllowedGameLevel(settings.GameLevel);
}

int EnemyChoiceOf(int enemyMax)
{
    return FloorDiv(enemyMax - EnemyChoices[0], EnemyStep);
}
int TimeIndexOf(int timeLimit)
{
    return FloorDiv(timeLimit - TimeChoices[0], TimeStep);
}
int EnemyMaxOfChoice(int choice)
{
    return EnemyStep * choice + EnemyChoices[0];
}
int TimeLimitOfChoice(int choice)
{
    return TimeStep * choice + TimeChoices[0];
}

std::optional<RankingList> RankingListOf(const GameSettings& settings)
{
    // Only the allowed values name a list; hand-edited ones enter nothing.
    if (!IsAllowedTimeLimit(settings.TimeLimit) || !IsAllowedGameLevel(settings.GameLevel))
        return std::nullopt;
    return RankingList{TimeIndexOf(settings.TimeLimit), settings.GameLevel};
}

} // namespace rules
