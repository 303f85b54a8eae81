// SPDX-License-Identifier: MIT
#include "BattleRig.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double Pi = 4 * std::atan(1.0);

struct GunLaying : testing::Test {
    void SetUp() override
    {
        rig.battle.Form_Load();
        rig.TakeMedia();
    }
    // Sets the wanted position on the sliders and presses the turn button.
    void TurnTo(int bearing, int elevation)
    {
        rig.ui.sldH = bearing;
        rig.ui.sldV = 90 - elevation;
        rig.battle.cmdTurn_Click();
    }
    const BattleState& S() const { return rig.State(); }
    BattleRig rig;
};

TEST_F(GunLaying, TurnTicksOfTheWorkedExamples)
{
    struct Case {
        int fromB, fromE, toB, toE, ticks;
    };
    for (const Case c : {Case{0, 5, 90, 5, 56}, Case{0, 5, 0, 85, 44}, Case{0, 5, 1, 5, 1},
                         Case{0, 5, 0, 6, 1}, Case{-135, 5, 135, 5, 169}, Case{0, 5, 4, 5, 2}}) {
        SCOPED_TRACE(testing::Message() << c.fromB << "," << c.fromE << " -> " << c.toB << "," << c.toE);
        BattleRig r;
        r.battle.Form_Load();
        r.LayGun(c.fromB, c.fromE);
        r.ui.sldH = c.toB;
        r.ui.sldV = 90 - c.toE;
        r.battle.cmdTurn_Click();
        EXPECT_EQ(r.State().TurnTicks, c.ticks);
        EXPECT_EQ(r.State().TurnTick, 0);
    }
}

TEST_F(GunLaying, BearingArrivesEarlyAndWaits)
{
    TurnTo(90, 5);
    EXPECT_EQ(S().BearingStep, 1);
    EXPECT_EQ(S().ElevationStep, 0);
    for (int i = 0; i < 50; ++i)
        rig.battle.tmrTurn_Timer();
    EXPECT_NEAR(S().GunBearing, 90, 1e-9);
    for (int i = 0; i < 5; ++i)
        rig.battle.tmrTurn_Timer();
    EXPECT_EQ(S().GunBearing, 90);
    EXPECT_TRUE(S().Turning);
    EXPECT_TRUE(rig.ui.tmrTurn);
    rig.battle.tmrTurn_Timer(); // tick 56
    EXPECT_FALSE(S().Turning);
    EXPECT_FALSE(rig.ui.tmrTurn);
    EXPECT_EQ(S().GunBearing, 90);
    EXPECT_EQ(S().GunElevation, 5);
    EXPECT_EQ(rig.ui.labMessage[1].Text, "砲塔旋回完了！");
}

TEST_F(GunLaying, ElevationShortAtTheLastTickJumps)
{
    TurnTo(0, 85);
    ASSERT_EQ(S().TurnTicks, 44);
    for (int i = 0; i < 43; ++i)
        rig.battle.tmrTurn_Timer();
    EXPECT_NEAR(S().GunElevation, 5 + 68.8, 1e-9);
    rig.battle.tmrTurn_Timer();
    EXPECT_EQ(S().GunElevation, 85);
    EXPECT_FALSE(S().Turning);
}

TEST_F(GunLaying, FullBearingSweep)
{
    rig.LayGun(-135, 5);
    TurnTo(135, 5);
    ASSERT_EQ(S().TurnTicks, 169);
    for (int i = 0; i < 150; ++i)
        rig.battle.tmrTurn_Timer();
    EXPECT_NEAR(S().GunBearing, 135, 1e-9);
    for (int i = 0; i < 18; ++i)
        rig.battle.tmrTurn_Timer();
    EXPECT_TRUE(S().Turning);
    rig.battle.tmrTurn_Timer();
    EXPECT_FALSE(S().Turning);
    EXPECT_EQ(S().GunBearing, 135);
}

TEST_F(GunLaying, SmallestMovementCompletesOnTheFirstTick)
{
    TurnTo(1, 5);
    ASSERT_EQ(S().TurnTicks, 1);
    rig.battle.tmrTurn_Timer();
    EXPECT_FALSE(S().Turning);
    EXPECT_EQ(S().GunBearing, 1);
    EXPECT_EQ(rig.ui.labMessage[1].Text, "砲塔旋回完了！");
    EXPECT_EQ(rig.ui.labMessage[1].Color, colors::Black);
}

TEST_F(GunLaying, DownwardMovesStopAtTheTarget)
{
    rig.LayGun(10, 50);
    TurnTo(5, 47);
    EXPECT_EQ(S().BearingStep, -1);
    EXPECT_EQ(S().ElevationStep, -1);
    rig.battle.tmrTurn_Timer();
    EXPECT_DOUBLE_EQ(S().GunBearing, 8.2);
    EXPECT_DOUBLE_EQ(S().GunElevation, 48.4);
    rig.battle.tmrTurn_Timer();
    EXPECT_DOUBLE_EQ(S().GunBearing, 6.4);
    EXPECT_EQ(S().GunElevation, 47);
}

TEST_F(GunLaying, TurnMessages)
{
    struct Case {
        int bearing, elevation;
        const char* text;
    };
    for (const Case c :
         {Case{-135, 45, "砲塔旋回、7時30分、仰角45度！"}, Case{-1, 5, "砲塔旋回、11時58分、仰角5度！"},
          Case{0, 6, "砲塔旋回、0時0分、仰角6度！"}, Case{135, 85, "砲塔旋回、4時30分、仰角85度！"},
          Case{31, 5, "砲塔旋回、1時2分、仰角5度！"}}) {
        BattleRig r;
        r.battle.Form_Load();
        r.ui.sldH = c.bearing;
        r.ui.sldV = 90 - c.elevation;
        r.battle.cmdTurn_Click();
        EXPECT_EQ(r.ui.labMessage[0].Text, c.text);
        EXPECT_EQ(r.ui.labMessage[0].Color, colors::Black);
    }
}

TEST_F(GunLaying, TurnSoundsSilenceTheGun)
{
    TurnTo(10, 5);
    EXPECT_EQ(
        rig.TakeMedia(),
        (std::vector<std::string>{"stop FIRE_SND", "seek FIRE_SND to start", "stop TURN_SND",
                                  "seek TURN_SND to start", "seek TURN_SND to start", "play TURN_SND"}));
    for (int i = 0; i < S().TurnTicks - 1; ++i)
        rig.battle.tmrTurn_Timer();
    EXPECT_TRUE(rig.TakeMedia().empty());
    rig.battle.tmrTurn_Timer();
    EXPECT_EQ(rig.TakeMedia(), (std::vector<std::string>{"stop TURN_SND", "seek TURN_SND to start"}));
}

TEST_F(GunLaying, TurnWithNothingToDoDoesNothing)
{
    rig.battle.cmdTurn_Click();
    EXPECT_FALSE(S().Turning);
    EXPECT_FALSE(rig.ui.tmrTurn);
    EXPECT_TRUE(rig.ui.cmdTurn);
    EXPECT_TRUE(rig.ui.cmdFire);
    EXPECT_TRUE(rig.ui.labMessage[0].Text.empty());
    EXPECT_TRUE(rig.TakeMedia().empty());
}

TEST_F(GunLaying, EnabledStatesFollowTurningAndReloading)
{
    auto controls = [&] {
        return std::vector<bool>{rig.ui.cmdTurn, rig.ui.cmdFire, rig.ui.sldHEnabled, rig.ui.sldVEnabled};
    };
    EXPECT_EQ(controls(), (std::vector<bool>{true, true, true, true}));

    rig.battle.cmdFire_Click();
    EXPECT_EQ(controls(), (std::vector<bool>{true, false, true, true}));
    TurnTo(90, 5);
    EXPECT_EQ(controls(), (std::vector<bool>{false, false, false, false}));

    // Loading completes during the movement: fire comes back, turn does not.
    for (int i = 0; i < 50; ++i)
        rig.battle.tmrReload_Timer();
    EXPECT_FALSE(S().Reloading);
    EXPECT_TRUE(S().Turning);
    EXPECT_EQ(controls(), (std::vector<bool>{false, true, false, false}));

    // Fired again mid-movement: the shot takes the turret's bearing of the moment.
    for (int i = 0; i < 10; ++i)
        rig.battle.tmrTurn_Timer();
    rig.battle.cmdFire_Click();
    EXPECT_NEAR(S().ShotBearing, 18, 1e-9);
    EXPECT_EQ(controls(), (std::vector<bool>{false, false, false, false}));

    // The movement ends while still loading: fire stays off.
    while (S().Turning)
        rig.battle.tmrTurn_Timer();
    EXPECT_EQ(controls(), (std::vector<bool>{true, false, true, true}));
    while (S().Reloading)
        rig.battle.tmrReload_Timer();
    EXPECT_EQ(controls(), (std::vector<bool>{true, true, true, true}));
}

TEST_F(GunLaying, NeedlesFollowTheTurret)
{
    rig.LayGun(90, 45);
    rig.battle.UpdateGauges();
    EXPECT_NEAR(rig.ui.linHGauge.X, 750 + 720, 1e-9);
    EXPECT_NEAR(rig.ui.linHGauge.Y, 750, 1e-9);
    EXPECT_NEAR(rig.ui.linVGauge.X, 1500 - 1500 * std::cos(Pi / 4), 1e-9);
    EXPECT_NEAR(rig.ui.linVGauge.Y, 1500 - 1500 * std::sin(Pi / 4), 1e-9);

    rig.LayGun(0, 5);
    rig.battle.UpdateGauges();
    EXPECT_NEAR(rig.ui.linHGauge.X, 750, 1e-9);
    EXPECT_NEAR(rig.ui.linHGauge.Y, 30, 1e-9);
    // Close to the design-time needle of 5 degrees (6, 1369).
    EXPECT_NEAR(rig.ui.linVGauge.X, 6, 1);
    EXPECT_NEAR(rig.ui.linVGauge.Y, 1369, 1);
}

TEST_F(GunLaying, RadarClickTurnsOnlyTheView)
{
    const int scenes = rig.ui.SceneDraws;
    rig.battle.picRader_MouseUp(Battle::ButtonRight, 0, 1875, 975);
    EXPECT_DOUBLE_EQ(S().ViewBearing, Pi / 2);
    EXPECT_NEAR(rig.ui.linView.X, 1875, 1e-9);
    EXPECT_NEAR(rig.ui.linView.Y, 975, 1e-9);
    EXPECT_EQ(rig.ui.SceneDraws, scenes + 1);
    EXPECT_EQ(S().GunBearing, 0);
    EXPECT_TRUE(rig.ui.labMessage[0].Text.empty());

    rig.battle.picRader_MouseUp(Battle::ButtonLeft, 0, 975, 1500); // on the bow-stern line, astern
    EXPECT_DOUBLE_EQ(S().ViewBearing, Pi);
    EXPECT_NEAR(rig.ui.linView.Y, 975 + 900, 1e-9);
    rig.battle.picRader_MouseUp(Battle::ButtonLeft, 0, 975, 975);
    EXPECT_EQ(S().ViewBearing, 0);
    EXPECT_NEAR(rig.ui.linView.Y, 75, 1e-9);
}

TEST_F(GunLaying, ArrowKeysStepTheSliders)
{
    int key = Battle::KeyRight;
    rig.battle.Form_KeyUp(key, 0);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(rig.ui.sldH, 1);
    key = Battle::KeyRight;
    rig.battle.Form_KeyUp(key, Battle::ShiftMaskShift);
    EXPECT_EQ(rig.ui.sldH, 11);
    key = Battle::KeyLeft;
    rig.battle.Form_KeyUp(key, Battle::ShiftMaskShift | Battle::ShiftMaskCtrl);
    EXPECT_EQ(rig.ui.sldH, 1);
    key = Battle::KeyLeft;
    rig.battle.Form_KeyUp(key, Battle::ShiftMaskAlt); // Alt alone does not count
    EXPECT_EQ(rig.ui.sldH, 0);
    key = Battle::KeyUp;
    rig.battle.Form_KeyUp(key, 0);
    EXPECT_EQ(rig.ui.sldV, 84); // raises the wanted elevation
    key = Battle::KeyDown;
    rig.battle.Form_KeyUp(key, 0);
    EXPECT_EQ(rig.ui.sldV, 85);
}

TEST_F(GunLaying, StepsPastAnEndHoldTheSliderThere)
{
    int key = Battle::KeyLeft;
    rig.battle.Form_KeyUp(key, Battle::ShiftMaskCtrl);
    EXPECT_EQ(rig.ui.sldH, -135);
    key = Battle::KeyRight;
    rig.battle.Form_KeyUp(key, Battle::ShiftMaskCtrl);
    EXPECT_EQ(rig.ui.sldH, 135);
    key = Battle::KeyDown;
    rig.battle.Form_KeyUp(key, Battle::ShiftMaskShift);
    EXPECT_EQ(rig.ui.sldV, 85);
    key = Battle::KeyUp;
    rig.battle.Form_KeyUp(key, Battle::ShiftMaskCtrl);
    EXPECT_EQ(rig.ui.sldV, 5);
    EXPECT_EQ(key, 0);

    EXPECT_TRUE(rig.battle.MoveSlider(BattleUi::Slider::sldH, 1000));
    EXPECT_EQ(rig.ui.sldH, 135);
    EXPECT_TRUE(rig.battle.MoveSlider(BattleUi::Slider::sldV, -1000));
    EXPECT_EQ(rig.ui.sldV, 5);
}

TEST_F(GunLaying, KeysDuringAMovementAreLeftAlone)
{
    TurnTo(30, 5);
    for (int code : {int(Battle::KeyLeft), int(Battle::KeyRight), int(Battle::KeyUp), int(Battle::KeyDown),
                     int(Battle::KeySpace), int(Battle::KeyEnter)}) {
        int key = code;
        rig.battle.Form_KeyUp(key, 0);
        EXPECT_EQ(key, code);
    }
    EXPECT_EQ(rig.ui.sldH, 30);
    EXPECT_EQ(rig.ui.sldV, 85);
    EXPECT_FALSE(rig.battle.MoveSlider(BattleUi::Slider::sldH, 0));
    EXPECT_EQ(rig.ui.sldH, 30);
    EXPECT_FALSE(S().Reloading);
}

TEST_F(GunLaying, SpaceTurnsAndEnterFires)
{
    rig.ui.sldH = 20;
    int key = Battle::KeySpace;
    rig.battle.Form_KeyUp(key, 0);
    EXPECT_EQ(key, 0);
    EXPECT_TRUE(S().Turning);
    while (S().Turning)
        rig.battle.tmrTurn_Timer();
    key = Battle::KeyEnter;
    rig.battle.Form_KeyUp(key, 0);
    EXPECT_EQ(key, 0);
    EXPECT_TRUE(S().Reloading);
    EXPECT_EQ(S().ShotBearing, 20);
    key = 65; // any other key
    rig.battle.Form_KeyUp(key, 0);
    EXPECT_EQ(key, 65);
}

} // namespace
