// SPDX-License-Identifier: MIT
#include "BattleRig.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Firing : testing::Test {
    explicit Firing(vb::Integer level = 1)
        : rig({5, 150, level})
    {
    }
    void SetUp() override
    {
        rig.battle.Form_Load();
        rig.TakeMedia();
    }
    // Fires and runs the reload clock up to the fall, with the two scatter
    // draws and then the hit draws given.
    void FireAndFall(std::initializer_list<double> draws)
    {
        rig.battle.cmdFire_Click();
        for (int i = 0; i < 19; ++i)
            rig.battle.tmrReload_Timer();
        rig.Draws(draws);
        rig.battle.tmrReload_Timer();
        EXPECT_EQ(rig.random.Queued(), 0u) << "every queued draw is used";
    }
    const BattleState& S() const { return rig.State(); }
    BattleRig rig;
};

struct HardFiring : Firing {
    HardFiring()
        : Firing(2)
    {
    }
};

TEST_F(Firing, RangeCurve)
{
    const double table[][2] = {{5, 15},   {10, 225.9375}, {15, 408.75},  {20, 563.4375},
                               {25, 690}, {30, 788.4375}, {35, 858.75},  {40, 900.9375},
                               {45, 915}, {85, 15},       {60, 788.4375}};
    for (const auto& row : table) {
        BattleRig r;
        r.battle.Form_Load();
        r.LayGun(0, static_cast<int>(row[0]));
        r.battle.cmdFire_Click();
        for (int i = 0; i < 19; ++i)
            r.battle.tmrReload_Timer();
        r.Draws({0.5, 0.5}); // no scatter
        r.battle.tmrReload_Timer();
        EXPECT_FLOAT_EQ(r.State().ImpactY, static_cast<float>(975 - row[1])) << "elevation " << row[0];
        EXPECT_NEAR(r.State().ImpactX, 975, 1e-3);
    }
}

TEST_F(Firing, ScatterIsUpToFifteenOnEachAxis)
{
    rig.LayGun(90, 45); // due right, 915 out
    FireAndFall({0, 1 - 1e-12});
    EXPECT_NEAR(S().ImpactX, 975 + 915 - 15, 1e-3);
    EXPECT_NEAR(S().ImpactY, 975 + 15, 1e-3);
}

TEST_F(Firing, MilestonesOfAShot)
{
    rig.battle.cmdFire_Click();
    EXPECT_TRUE(S().Reloading);
    EXPECT_FALSE(rig.ui.cmdFire);
    EXPECT_TRUE(rig.ui.cmdTurn);
    EXPECT_TRUE(rig.ui.pgbReload.Visible());
    EXPECT_EQ(rig.ui.pgbReload.Value(), 0);
    EXPECT_TRUE(rig.ui.tmrReload);
    EXPECT_EQ(rig.ui.labMessage[0].Text, "発射！！");
    EXPECT_EQ(rig.ui.labMessage[0].Color, colors::Red);
    EXPECT_EQ(
        rig.TakeMedia(),
        (std::vector<std::string>{"stop FIRE_SND", "seek FIRE_SND to start", "stop TURN_SND",
                                  "seek TURN_SND to start", "seek FIRE_SND to start", "play FIRE_SND"}));
    for (int i = 0; i < 19; ++i)
        rig.battle.tmrReload_Timer();
    EXPECT_FALSE(S().SplashVisible);
    EXPECT_TRUE(rig.TakeMedia().empty());
    rig.battle.tmrReload_Timer(); // 20: the shell falls
    EXPECT_TRUE(S().SplashVisible);
    EXPECT_EQ(rig.TakeMedia(), (std::vector<std::string>{"stop FIRE_SND", "seek FIRE_SND to start"}));
    for (int i = 0; i < 14; ++i)
        rig.battle.tmrReload_Timer();
    EXPECT_TRUE(S().SplashVisible);
    rig.battle.tmrReload_Timer(); // 35
    EXPECT_FALSE(S().SplashVisible);
    for (int i = 0; i < 14; ++i)
        rig.battle.tmrReload_Timer();
    EXPECT_TRUE(S().Reloading);
    rig.battle.tmrReload_Timer(); // 50
    EXPECT_FALSE(S().Reloading);
    EXPECT_FALSE(rig.ui.tmrReload);
    EXPECT_FALSE(rig.ui.pgbReload.Visible());
    EXPECT_TRUE(rig.ui.cmdFire);
    EXPECT_EQ(rig.ui.labMessage[2].Text, "砲弾装填完了！");
    EXPECT_EQ(rig.ui.labMessage[2].Color, colors::Black);
}

TEST_F(Firing, AFallThatHitsNothingStillReports)
{
    rig.AddShip(100, 100);
    rig.battle.MutableState().Points = 7;
    FireAndFall({0.5, 0.5}); // 15 units ahead of own ship; only the two scatter draws
    EXPECT_EQ(S().Points, 7);
    EXPECT_EQ(S().Enemy[1].Damage, 0);
    EXPECT_EQ(rig.ui.labMessage[1].Text, "着弾確認！");
    EXPECT_EQ(rig.ui.labMessage[1].Color, colors::Red);
    EXPECT_EQ(rig.ui.labScore, "7 Pts.");
}

TEST_F(Firing, ElevationAtEitherEndFallsBesideOwnShip)
{
    rig.AddShip(975, 960); // 15 units ahead
    rig.LayGun(0, 85);
    FireAndFall({0.5, 0.5, 0.5});
    EXPECT_EQ(S().Enemy[1].Damage, 100);
    EXPECT_EQ(S().Enemy[1].DamageLevel, 2);
}

TEST_F(Firing, ShipExactlyAtTheLethalRadius)
{
    // Level 1: D = 35. The ship is 35 units beside the point of fall.
    rig.AddShip(975 + 35, 960);
    rig.AddShip(975 - 35, 960);
    rig.AddShip(975, 960 - 36); // just outside: no draw
    FireAndFall({0.5, 0.5, 0.5, 0.55});
    EXPECT_EQ(S().Enemy[1].Damage, 0); // r 0.5: 0 damage leaves it untouched
    EXPECT_EQ(S().Enemy[1].DamageLevel, 0);
    EXPECT_EQ(S().Enemy[2].Damage, 2); // 0.55*40 - 20 = 2
    EXPECT_EQ(S().Enemy[2].DamageLevel, 1);
    EXPECT_EQ(S().Enemy[3].Damage, 0);
    EXPECT_EQ(S().Points, 2);
    EXPECT_EQ(rig.ui.labMessage[1].Text, "着弾確認！");
    EXPECT_EQ(rig.ui.labMessage[2].Text, "敵艦に命中！敵艦小破！");
}

TEST_F(Firing, DamageRoundsHalvesToEven)
{
    rig.AddShip(975 + 35, 960);
    rig.AddShip(975 - 35, 960);
    FireAndFall({0.5, 0.5, 0.5125, 0.5375}); // -> 0.5 and 1.5
    EXPECT_EQ(S().Enemy[1].Damage, 0);
    EXPECT_EQ(S().Enemy[2].Damage, 2);
}

TEST_F(HardFiring, TenUnitsOffAtLevelTwo)
{
    rig.AddShip(975 + 10, 960);
    rig.AddShip(975 - 10, 960);
    FireAndFall({0.5, 0.5, 0, 1 - 1e-12}); // closeness 60: damage 40 to 80
    EXPECT_EQ(S().Enemy[1].Damage, 40);
    EXPECT_EQ(S().Enemy[2].Damage, 80);
    EXPECT_EQ(S().Enemy[1].DamageLevel, 1);
    EXPECT_EQ(S().Enemy[2].DamageLevel, 2);
    EXPECT_EQ(S().Points, 120);
    EXPECT_EQ(rig.ui.labScore, "120 Pts.");
}

TEST_F(HardFiring, ClosenessRoundsHalvesToEven)
{
    rig.AddShip(975 + 24.375f, 960); // closeness 2.5
    FireAndFall({0.5, 0.5, 0.5});
    EXPECT_EQ(S().Enemy[1].Damage, 2);
}

TEST_F(Firing, GradesByDamage)
{
    struct Case {
        float offset; // from the point of fall
        double r;
        short damage;
        int level;
        const char* grade;
    };
    for (const Case c : {Case{0, 0, 80, 2, "敵艦中破！"}, Case{0, 0.5, 100, 2, "敵艦中破！"},
                         Case{0, 0.525, 101, 3, "敵艦大破！"}, Case{0, 0.999, 120, 3, "敵艦大破！"},
                         Case{10.5f, 0, 50, 1, "敵艦小破！"}, Case{10.15f, 0, 51, 2, "敵艦中破！"}}) {
        SCOPED_TRACE(testing::Message() << "expected damage " << c.damage);
        BattleRig r;
        r.battle.Form_Load();
        r.AddShip(975 + c.offset, 960);
        r.battle.cmdFire_Click();
        for (int i = 0; i < 19; ++i)
            r.battle.tmrReload_Timer();
        r.Draws({0.5, 0.5, c.r});
        r.battle.tmrReload_Timer();
        ASSERT_EQ(r.State().EnemyCount, 1);
        EXPECT_EQ(r.State().Enemy[1].Damage, c.damage);
        EXPECT_EQ(r.State().Enemy[1].DamageLevel, c.level);
        EXPECT_FALSE(r.State().Enemy[1].Sunk);
        EXPECT_EQ(r.State().Points, c.damage);
        EXPECT_EQ(r.ui.labMessage[2].Text, std::string("敵艦に命中！") + c.grade);
    }
}

TEST_F(Firing, TwoShipsInOneFallSinkingOneKeepsTheOrder)
{
    rig.AddShip(500, 500); // far away
    EnemyShip& doomed = rig.AddShip(975, 960, 100);
    doomed.DamageLevel = 2;
    rig.AddShip(1500, 500); // far away
    rig.AddShip(975 + 5, 960, 10);
    rig.ui.SceneDraws = 0;
    int countWhenDrawn = -1;
    rig.ui.OnDrawScene = [&] { countWhenDrawn = rig.State().EnemyCount; };
    FireAndFall({0.5, 0.5, 0.5, 0});
    // Drawn with the sunk ship still afloat.
    EXPECT_EQ(countWhenDrawn, 4);
    ASSERT_EQ(S().EnemyCount, 3);
    ASSERT_EQ(S().Enemy.size(), 4u);
    EXPECT_EQ(S().Enemy[1].X, 500);
    EXPECT_EQ(S().Enemy[2].X, 1500);
    EXPECT_EQ(S().Enemy[3].X, 980);
    EXPECT_EQ(S().Enemy[3].Damage, 10 + 66); // closeness CInt(30/35*100) = 86, r 0 -> 66
    EXPECT_EQ(S().Points, 100 + 300 + 66);
    EXPECT_EQ(rig.ui.labScore, "466 Pts.");
    // The sunk ship keeps its grade; the log lists the hits in table order, all red.
    EXPECT_EQ(rig.ui.labMessage[0].Text, "着弾確認！");
    EXPECT_EQ(rig.ui.labMessage[1].Text, "敵艦に命中！敵艦撃沈！");
    EXPECT_EQ(rig.ui.labMessage[2].Text, "敵艦に命中！敵艦中破！");
    for (const auto& line : rig.ui.labMessage)
        EXPECT_EQ(line.Color, colors::Red);
}

TEST_F(Firing, AllShipsSunkEmptiesTheTableAndNewShipsStillCome)
{
    rig.AddShip(975, 960, 120);
    rig.AddShip(975, 961, 120);
    FireAndFall({0.5, 0.5, 0.5, 0.5});
    EXPECT_EQ(S().EnemyCount, 0);
    EXPECT_EQ(S().Enemy.size(), 1u);
    EXPECT_EQ(S().Points, 2 * (100 + 300) - 3); // the second ship is one unit further off
    rig.Draws({0, 0, 0.5, 0.5, 0.5, 0.5, 0.5});
    rig.battle.tmrMain_Timer();
    EXPECT_EQ(S().EnemyCount, 1);
}

TEST_F(Firing, ShotUsesTheLatchedPosition)
{
    rig.LayGun(90, 45);
    rig.battle.cmdFire_Click();
    rig.LayGun(-90, 5); // the turret moves on after the shot
    for (int i = 0; i < 19; ++i)
        rig.battle.tmrReload_Timer();
    rig.Draws({0.5, 0.5});
    rig.battle.tmrReload_Timer();
    EXPECT_EQ(S().ShotBearing, 90);
    EXPECT_EQ(S().ShotElevation, 45);
    EXPECT_NEAR(S().ImpactX, 975 + 915, 1e-3);
}

TEST_F(Firing, OneShellAtATime)
{
    rig.battle.cmdFire_Click();
    rig.battle.tmrReload_Timer();
    rig.battle.cmdFire_Click(); // the button is disabled
    EXPECT_EQ(rig.ui.pgbReload.Value(), 1);
}

} // namespace
