// SPDX-License-Identifier: MIT
#include "GameSettings.h"

#include <gtest/gtest.h>

namespace {

using namespace rules;

TEST(ChoiceIndices, MapBothWaysAndRoundDown)
{
    EXPECT_EQ(TimeIndexOf(180), 2);
    EXPECT_EQ(EnemyChoiceOf(7), 2);
    for (int choice = 0; choice < 3; ++choice)
        EXPECT_EQ(EnemyChoiceOf(EnemyMaxOfChoice(choice)), choice);
    for (int choice = 0; choice < 4; ++choice)
        EXPECT_EQ(TimeIndexOf(TimeLimitOfChoice(choice)), choice);
    EXPECT_EQ(EnemyMaxOfChoice(0), 3);
    EXPECT_EQ(TimeLimitOfChoice(3), 210);
    // Values between the allowed ones, and below them, round towards minus infinity.
    EXPECT_EQ(EnemyChoiceOf(4), 0);
    EXPECT_EQ(TimeIndexOf(209), 2);
    EXPECT_EQ(TimeIndexOf(119), -1);
    EXPECT_EQ(EnemyChoiceOf(0), -2);
}

TEST(AllowedSettings, AreExactlyTheDialogsChoices)
{
    EXPECT_TRUE(IsAllowed(GameSettings{}));
    for (const int e : {3, 5, 7})
        for (const int t : {120, 150, 180, 210})
            for (const int l : {0, 1, 2})
                EXPECT_TRUE(IsAllowed(GameSettings{vb::Integer(e), vb::Integer(t), vb::Integer(l)}));
    for (const int e : {0, 1, 2, 4, 6, 8, 9, -3})
        EXPECT_FALSE(IsAllowedEnemyMax(e)) << e;
    for (const int t : {0, 90, 119, 121, 135, 200, 209, 240, -120})
        EXPECT_FALSE(IsAllowedTimeLimit(t)) << t;
    for (const int l : {-1, 3, 7})
        EXPECT_FALSE(IsAllowedGameLevel(l)) << l;
}

TEST(RankingList, IsTheTimeChoiceAndTheLevel)
{
    const auto list = RankingListOf(GameSettings{3, 180, 2});
    ASSERT_TRUE(list.has_value());
    EXPECT_EQ(list->TimeIndex, 2);
    EXPECT_EQ(list->Level, 2);
    EXPECT_EQ(RankingListOf(GameSettings{7, 120, 0})->TimeIndex, 0);
    // The number of ships does not name a list: any count enters it.
    EXPECT_TRUE(RankingListOf(GameSettings{4, 210, 1}).has_value());
    // Hand-edited settings the dialog cannot give enter no list.
    EXPECT_FALSE(RankingListOf(GameSettings{5, 200, 1}).has_value());
    EXPECT_FALSE(RankingListOf(GameSettings{5, 240, 1}).has_value());
    EXPECT_FALSE(RankingListOf(GameSettings{5, 150, 3}).has_value());
    EXPECT_FALSE(RankingListOf(GameSettings{5, 150, -1}).has_value());
}

} // namespace
