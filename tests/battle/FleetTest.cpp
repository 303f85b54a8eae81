// SPDX-License-Identifier: MIT
#include "BattleRig.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double Pi = 4 * std::atan(1.0);

// The appearance draw spawns only when it falls below the chance of the tick.
bool SpawnsWith(vb::Integer enemyMax, int ships, double draw)
{
    BattleRig rig({enemyMax, 150, 1});
    rig.battle.Form_Load();
    for (int i = 0; i < ships; ++i)
        rig.AddShip(975, 500);
    rig.Draws({draw, 0.25, 0.5, 0.5});
    rig.battle.tmrMain_Timer();
    return rig.State().EnemyCount > ships;
}

TEST(Appearance, ChanceGrowsWithEveryMissingShip)
{
    struct Case {
        vb::Integer max;
        int ships;
        double chance;
    };
    for (const Case c :
         {Case{5, 0, 0.133}, Case{5, 1, 0.100}, Case{5, 2, 0.067}, Case{5, 3, 0.034}, Case{5, 4, 0.001},
          Case{3, 0, 0.199}, Case{3, 1, 0.100}, Case{3, 2, 0.001}, Case{7, 0, 0.1198}}) {
        SCOPED_TRACE(testing::Message() << "EnemyMax " << c.max << ", ships " << c.ships);
        EXPECT_TRUE(SpawnsWith(c.max, c.ships, c.chance - 1e-6));
        EXPECT_FALSE(SpawnsWith(c.max, c.ships, c.chance + 1e-6));
    }
}

TEST(Appearance, ChanceIsHeldInSinglePrecision)
{
    // 0.133 as a float is 0.13300000131...: a draw between the two spawns.
    EXPECT_TRUE(SpawnsWith(5, 0, 0.1330000006));
    EXPECT_FALSE(SpawnsWith(5, 0, 0.1330000014));
}

TEST(Appearance, NoDrawAtTheMaximum)
{
    BattleRig rig({3, 150, 1});
    rig.battle.Form_Load();
    rig.AddShip(975, 500);
    rig.AddShip(975, 1500);
    rig.AddShip(500, 975);
    rig.battle.tmrMain_Timer();
    // Only the three ships' moves draw: three each.
    EXPECT_EQ(rig.random.Taken(), 9u);
    EXPECT_EQ(rig.State().EnemyCount, 3);
}

TEST(Spawn, FirstDrawZeroAppearsStraightAhead)
{
    BattleRig rig;
    rig.battle.Form_Load();
    rig.Draws({0, 0.5, 0.5});
    rig.battle.SpawnEnemy();
    ASSERT_EQ(rig.State().EnemyCount, 1);
    const EnemyShip& ship = rig.State().Enemy[1];
    EXPECT_FLOAT_EQ(ship.X, 975);
    EXPECT_FLOAT_EQ(ship.Y, 75);
    EXPECT_EQ(ship.Bearing, 0);
    EXPECT_NEAR(ship.Range, 900, 1e-3);
    EXPECT_DOUBLE_EQ(ship.Heading, Pi); // r2 0.5 cancels the spread
    EXPECT_DOUBLE_EQ(ship.TurnRate, 0); // r3 0.5 likewise
    EXPECT_EQ(ship.Damage, 0);
    EXPECT_EQ(ship.DamageLevel, 0);
    EXPECT_FALSE(ship.Sunk);
    EXPECT_EQ(rig.ui.labMessage[0].Text, "0時の方向に敵艦発見！");
    EXPECT_EQ(rig.ui.labMessage[0].Color, colors::Black);
    EXPECT_EQ(rig.random.Taken(), 3u);
}

TEST(Spawn, SpreadsOfHeadingAndTurnRate)
{
    BattleRig rig;
    rig.battle.Form_Load();
    rig.Draws({0.25, 0, 0.999999});
    rig.battle.SpawnEnemy();
    const EnemyShip& ship = rig.State().Enemy[1];
    EXPECT_NEAR(ship.X, 1875, 1e-3);
    EXPECT_NEAR(ship.Y, 975, 1e-3);
    EXPECT_DOUBLE_EQ(ship.Heading, Pi / 2 + Pi - Pi / 180 * 20);
    EXPECT_NEAR(ship.TurnRate, Pi / 180 * 5, 1e-6);
    EXPECT_EQ(rig.ui.labMessage[0].Text, "3時の方向に敵艦発見！");
}

TEST(Spawn, HeadingIsSummedLeftToRight)
{
    // ((θ ± π) + r2·(π/180·40)) − π/180·20, bit for bit: grouping the last
    // two terms first gives another double for many draws.
    int differing = 0;
    for (int i = 0; i < 200; ++i) {
        const double r1 = (i * 0.618033988749895) - std::floor(i * 0.618033988749895);
        const double r2 = (i * 0.414213562373095) - std::floor(i * 0.414213562373095);
        BattleRig rig;
        rig.battle.Form_Load();
        rig.Draws({r1, r2, 0.5});
        rig.battle.SpawnEnemy();
        const double theta = r1 * Pi * 2;
        const double straightAtUs = theta > Pi ? theta - Pi : theta + Pi;
        const double expected = straightAtUs + r2 * (Pi / 180 * 40) - Pi / 180 * 20;
        const double grouped = straightAtUs + (r2 * (Pi / 180 * 40) - Pi / 180 * 20);
        differing += expected != grouped;
        ASSERT_EQ(rig.State().Enemy[1].Heading, expected) << "draws " << r1 << ", " << r2;
    }
    EXPECT_GT(differing, 20) << "the draws must tell the two groupings apart";
}

TEST(Spawn, HourTwelveJustBelowAFullTurn)
{
    BattleRig rig;
    rig.battle.Form_Load();
    rig.Draws({0.99999, 0.5, 0.5});
    rig.battle.SpawnEnemy();
    EXPECT_EQ(rig.ui.labMessage[0].Text, "12時の方向に敵艦発見！");
}

TEST(Spawn, StraightAsternHeadsAtTwoPiPlusSpread)
{
    BattleRig rig;
    rig.battle.Form_Load();
    rig.Draws({0.5, 1 - 1e-12, 0.5});
    rig.battle.SpawnEnemy();
    EXPECT_NEAR(rig.State().Enemy[1].Heading, 2 * Pi + Pi / 180 * 20, 1e-9);
    EXPECT_EQ(rig.ui.labMessage[0].Text, "6時の方向に敵艦発見！");
}

TEST(Spawn, KeepsEarlierShipsAndAppends)
{
    BattleRig rig;
    rig.battle.Form_Load();
    rig.AddShip(100, 200);
    rig.Draws({0, 0.5, 0.5});
    rig.battle.SpawnEnemy();
    ASSERT_EQ(rig.State().EnemyCount, 2);
    EXPECT_EQ(rig.State().Enemy.size(), 3u);
    EXPECT_EQ(rig.State().Enemy[1].X, 100);
    EXPECT_FLOAT_EQ(rig.State().Enemy[2].Y, 75);
}

TEST(Move, StepsEachAxisWithItsOwnSpeed)
{
    BattleRig rig;
    rig.battle.Form_Load();
    EnemyShip& ship = rig.AddShip(975, 75);
    ship.Heading = Pi / 2; // due right
    rig.Draws({0, 1 - 1e-12, 0.5});
    rig.battle.MoveEnemies();
    const EnemyShip& moved = rig.State().Enemy[1];
    EXPECT_FLOAT_EQ(moved.X, 977);  // speed 2 along X
    EXPECT_NEAR(moved.Y, 75, 1e-4); // sin(0) is 0 whatever the speed
    EXPECT_NEAR(moved.Range, std::hypot(2.0, 900.0), 1e-3);
    EXPECT_NEAR(moved.Bearing, std::atan(-900.0 / 2) + Pi / 2, 1e-6);
    EXPECT_EQ(rig.random.Taken(), 3u);
}

TEST(Move, TurnRateStaysAtItsLimitAndComesBack)
{
    BattleRig rig;
    rig.battle.Form_Load();
    EnemyShip& ship = rig.AddShip(975, 500);
    ship.TurnRate = Pi / 8;
    ship.Heading = 1;
    rig.Draws({0.5, 0.5, 0.9}); // pushes outwards by 1.2 degrees
    rig.battle.MoveEnemies();
    EXPECT_DOUBLE_EQ(rig.State().Enemy[1].TurnRate, Pi / 8);
    EXPECT_DOUBLE_EQ(rig.State().Enemy[1].Heading, 1 + Pi / 8);
    rig.Draws({0.5, 0.5, 0.0}); // inwards by 1.5 degrees
    rig.battle.MoveEnemies();
    EXPECT_NEAR(rig.State().Enemy[1].TurnRate, Pi / 8 - Pi / 180 * 1.5, 1e-12);

    rig.battle.MutableState().Enemy[1].TurnRate = -Pi / 8;
    rig.Draws({0.5, 0.5, 0.1});
    rig.battle.MoveEnemies();
    EXPECT_DOUBLE_EQ(rig.State().Enemy[1].TurnRate, -Pi / 8);
}

TEST(Move, HeadingWrapsIntoRange)
{
    BattleRig rig;
    rig.battle.Form_Load();
    EnemyShip& high = rig.AddShip(975, 1875);
    high.Heading = 2 * Pi + 0.3; // as a spawn spread can leave it
    EnemyShip& low = rig.AddShip(975, 75);
    low.Heading = Pi / 180 * 2;
    low.TurnRate = -Pi / 180 * 5;
    rig.Draws({0.5, 0.5, 0.5, 0.5, 0.5, 0.5});
    rig.battle.MoveEnemies();
    EXPECT_NEAR(rig.State().Enemy[1].Heading, 0.3, 1e-12);
    EXPECT_NEAR(rig.State().Enemy[2].Heading, 2 * Pi - Pi / 180 * 3, 1e-12);
}

TEST(Move, ShipsSailingAwayStay)
{
    BattleRig rig;
    rig.battle.Form_Load();
    rig.AddShip(-500, -500);
    rig.Draws({0.5, 0.5, 0.5});
    rig.battle.MoveEnemies();
    EXPECT_EQ(rig.State().EnemyCount, 1);
}

TEST(BearingOf, QuadrantsAndTheBowSternLine)
{
    BattleRig rig;
    rig.battle.Form_Load();
    const Battle& b = rig.battle;
    EXPECT_DOUBLE_EQ(b.BearingOf(1875, 75), Pi / 4);
    EXPECT_DOUBLE_EQ(b.BearingOf(1875, 975), Pi / 2);
    EXPECT_DOUBLE_EQ(b.BearingOf(75, 1875), 5 * Pi / 4);
    EXPECT_DOUBLE_EQ(b.BearingOf(75, 975), 3 * Pi / 2);
    EXPECT_DOUBLE_EQ(b.BearingOf(1875, 1875), 3 * Pi / 4);
    EXPECT_DOUBLE_EQ(b.BearingOf(75, 75), 7 * Pi / 4);
    // Limits of the formula on X = 975, and a fixed value at the centre.
    EXPECT_EQ(b.BearingOf(975, 75), 0);
    EXPECT_EQ(b.BearingOf(975, 1875), Pi);
    EXPECT_EQ(b.BearingOf(975, 975), 0);
    // Just right of straight ahead is just above 0, just left just below 2 Pi.
    EXPECT_GT(b.BearingOf(976, 75), 0);
    EXPECT_LT(b.BearingOf(976, 75), 0.01);
    EXPECT_LT(b.BearingOf(974, 75), 2 * Pi);
    EXPECT_GT(b.BearingOf(974, 75), 2 * Pi - 0.01);
}

} // namespace
