// SPDX-License-Identifier: MIT
#include "Radar.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

EnemyShip ShipAt(vb::Single x, vb::Single y)
{
    EnemyShip e;
    e.X = x;
    e.Y = y;
    return e;
}

BattleState WithShips(std::initializer_list<EnemyShip> ships)
{
    BattleState s;
    s.Pi = 4 * std::atan(1.0);
    for (const EnemyShip& e : ships)
        s.Enemy.push_back(e);
    s.EnemyCount = static_cast<vb::Integer>(ships.size());
    return s;
}

} // namespace

TEST(RadarMarks, EmptySeaWithoutSplashHasNoMarks)
{
    EXPECT_TRUE(RadarMarks(WithShips({})).empty());
}

TEST(RadarMarks, ShipsInIndexOrderThenPointOfFallOnTop)
{
    BattleState s = WithShips({ShipAt(975, 81), ShipAt(100.5f, 1800), ShipAt(975, 975)});
    s.Enemy[0] = ShipAt(1, 1); // element 0 holds no ship and is never drawn
    s.SplashVisible = true;
    s.ImpactX = 980;
    s.ImpactY = 90;

    const std::vector<RadarMark> marks = RadarMarks(s);
    ASSERT_EQ(marks.size(), 4u);
    EXPECT_EQ(marks[0], (RadarMark{975, 81, 30, radar::Yellow, radar::Green}));
    EXPECT_EQ(marks[1], (RadarMark{100.5f, 1800, 30, radar::Yellow, radar::Green}));
    EXPECT_EQ(marks[2], (RadarMark{975, 975, 30, radar::Yellow, radar::Green}));
    EXPECT_EQ(marks[3], (RadarMark{980, 90, 15, radar::Red, radar::Red}));
}

TEST(RadarMarks, PointOfFallOnlyWhileSplashShows)
{
    BattleState s = WithShips({ShipAt(500, 500)});
    s.ImpactX = 600;
    s.ImpactY = 600;
    EXPECT_EQ(RadarMarks(s).size(), 1u);

    s.SplashVisible = true;
    s.EnemyCount = 0;
    s.Enemy.resize(1);
    const std::vector<RadarMark> marks = RadarMarks(s);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].Radius, 15);
}

TEST(RadarMarks, CountBeyondTheTableReadsOnlyRealShips)
{
    BattleState s = WithShips({ShipAt(10, 20)});
    s.EnemyCount = 5;
    EXPECT_EQ(RadarMarks(s).size(), 1u);
    s.EnemyCount = -3;
    EXPECT_TRUE(RadarMarks(s).empty());
}

TEST(RadarText, MarkLineWithColoursAsRgb)
{
    EXPECT_EQ(FormatRadarMark({975, 81, 30, radar::Yellow, radar::Green}),
              "mark 975 81 30 255,255,0 0,255,0");
    EXPECT_EQ(FormatRadarMark({1.5f, -0.25f, 15, radar::Red, radar::Red}),
              "mark 1.5 -0.25 15 255,0,0 255,0,0");
}

TEST(RadarText, SinglesReadBackExactly)
{
    for (const vb::Single v : {0.1f, 975.0f, 81.30000305f, 1949.99987f, 3.0e-5f, -123.456f}) {
        const std::string text = SingleText(v);
        EXPECT_EQ(std::strtof(text.c_str(), nullptr), v) << text;
    }
    EXPECT_EQ(SingleText(0.1f), "0.1");
    EXPECT_EQ(SingleText(975.25f), "975.25");
}
