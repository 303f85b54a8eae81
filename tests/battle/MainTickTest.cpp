// SPDX-License-Identifier: MIT
#include "BattleRig.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(FormLoad, SetsUpTheBattle)
{
    BattleRig rig({7, 210, 2});
    rig.clock.Set(1000.75);
    rig.battle.MutableState().GunElevation = 40; // anything left over is reset
    rig.battle.Form_Load();
    const BattleState& s = rig.State();
    EXPECT_DOUBLE_EQ(s.Pi, 3.141592653589793);
    EXPECT_EQ(s.EnemyCount, 0);
    EXPECT_EQ(s.Enemy.size(), 1u);
    EXPECT_EQ(s.GunElevation, 5);
    EXPECT_EQ(s.GunBearing, 0);
    EXPECT_EQ(s.StartTime, 1000.75);
    EXPECT_EQ(rig.ui.labTime, "210 Sec.");
    EXPECT_EQ(rig.ui.labScore, "0 Pts.");
    EXPECT_EQ(rig.random.Taken(), 0u);
}

TEST(MainTick, OrderOfItsSteps)
{
    BattleRig rig;
    rig.battle.Form_Load();
    std::vector<std::string> steps;
    rig.ui.OnDrawRadar = [&] { steps.push_back("radar " + std::to_string(rig.State().EnemyCount)); };
    rig.ui.OnDrawScene = [&] { steps.push_back("scene"); };
    rig.Draws({0, 0, 0.5, 0.5, 0, 0, 0.5});
    rig.battle.tmrMain_Timer();
    EXPECT_EQ(steps, (std::vector<std::string>{"radar 1", "scene"}));
    // Spawned at (975, 75) heading Pi, then moved 2 units down on this tick.
    EXPECT_FLOAT_EQ(rig.State().Enemy[1].Y, 77);
    EXPECT_EQ(rig.random.Queued(), 0u);
}

TEST(MainTick, CountsSecondBoundariesCrossed)
{
    BattleRig rig;
    rig.clock.Set(10.9);
    rig.battle.Form_Load();
    rig.clock.Set(11.1); // 0.2 s later, one boundary
    rig.battle.tmrMain_Timer();
    EXPECT_EQ(rig.ui.labTime, "149 Sec.");
    rig.clock.Set(11.99);
    rig.battle.tmrMain_Timer();
    EXPECT_EQ(rig.ui.labTime, "149 Sec.");
    rig.clock.Set(159.0);
    rig.battle.tmrMain_Timer();
    EXPECT_EQ(rig.ui.labTime, "1 Sec.");
    EXPECT_EQ(rig.ui.EndBattleCalls, 0);
}

// A clock whose second reading is later than its first.
struct SteppingClock : WallClock {
    double Now() override { return readings.at(next++); }
    std::vector<double> readings;
    std::size_t next = 0;
};

TEST(MainTick, EndTestReadsTheClockAgain)
{
    SimUi ui;
    ReplayRandom random;
    SteppingClock clock;
    clock.readings = {0, 149.9, 150.0};
    Battle battle(ui, random, clock, {5, 150, 1}, "/x");
    battle.Form_Load();
    battle.tmrMain_Timer();
    EXPECT_EQ(ui.labTime, "1 Sec.");
    EXPECT_EQ(ui.EndBattleCalls, 1);
}

struct Ending : testing::Test {
    void SetUp() override
    {
        rig.battle.Form_Load();
        rig.AddShip(975, 500);
        // A movement and a shot under way when the time runs out.
        rig.ui.sldH = 90;
        rig.battle.cmdFire_Click();
        rig.battle.tmrReload_Timer();
        rig.battle.cmdTurn_Click();
        rig.battle.tmrTurn_Timer();
        rig.TakeMedia();
        rig.clock.Set(150);
        rig.ui.RadarDraws = 0;
        rig.battle.tmrMain_Timer();
    }
    BattleRig rig;
};

TEST_F(Ending, LastTickStillPlaysThenEnds)
{
    EXPECT_EQ(rig.ui.RadarDraws, 1);
    EXPECT_NE(rig.State().Enemy[1].Y, 500); // moved
    EXPECT_EQ(rig.ui.labTime, "0 Sec.");
    EXPECT_EQ(rig.ui.EndBattleCalls, 1);
    EXPECT_TRUE(rig.battle.Ended());
    EXPECT_FALSE(rig.ui.tmrMain);
    EXPECT_FALSE(rig.ui.tmrTurn);
    EXPECT_FALSE(rig.ui.tmrReload);
    EXPECT_EQ(rig.TakeMedia(),
              (std::vector<std::string>{"stop FIRE_SND", "seek FIRE_SND to start", "stop TURN_SND",
                                        "seek TURN_SND to start"}));
}

TEST_F(Ending, EveryPlayerCommandIsInertAfterwards)
{
    const BattleState before = rig.State();
    SimUi uiBefore = rig.ui;
    rig.ui.Questions.clear();
    rig.TakeMedia();

    for (int code : {int(Battle::KeyLeft), int(Battle::KeyRight), int(Battle::KeyUp), int(Battle::KeyDown),
                     int(Battle::KeySpace), int(Battle::KeyEnter)}) {
        int key = code;
        rig.battle.Form_KeyUp(key, Battle::ShiftMaskCtrl);
        EXPECT_EQ(key, code);
    }
    EXPECT_FALSE(rig.battle.MoveSlider(BattleUi::Slider::sldH, -100));
    EXPECT_FALSE(rig.battle.MoveSlider(BattleUi::Slider::sldV, 10));
    rig.ui.cmdFire = rig.ui.cmdTurn = true; // even were the buttons on
    rig.battle.cmdFire_Click();
    rig.battle.cmdTurn_Click();
    rig.battle.picRader_MouseUp(Battle::ButtonLeft, 0, 1875, 975);
    // Late timer events do nothing either.
    rig.battle.tmrMain_Timer();
    rig.battle.tmrTurn_Timer();
    rig.battle.tmrReload_Timer();
    // The player's close box is refused without a question.
    rig.ui.Answer = true;
    EXPECT_TRUE(rig.battle.Form_QueryUnload(Battle::UnloadMode::FormControlMenu));

    const BattleState& after = rig.State();
    EXPECT_EQ(after.GunBearing, before.GunBearing);
    EXPECT_EQ(after.TurnTick, before.TurnTick);
    EXPECT_EQ(after.ViewBearing, before.ViewBearing);
    EXPECT_EQ(after.Reloading, before.Reloading);
    EXPECT_EQ(after.Enemy[1].Y, before.Enemy[1].Y);
    EXPECT_EQ(rig.ui.sldH, uiBefore.sldH);
    EXPECT_EQ(rig.ui.sldV, uiBefore.sldV);
    EXPECT_EQ(rig.ui.pgbReload.Value(), uiBefore.pgbReload.Value());
    EXPECT_EQ(rig.ui.linView.X, uiBefore.linView.X);
    EXPECT_EQ(rig.ui.labMessage[2].Text, uiBefore.labMessage[2].Text);
    EXPECT_EQ(rig.ui.EndBattleCalls, 1);
    EXPECT_TRUE(rig.ui.Questions.empty());
    EXPECT_TRUE(rig.TakeMedia().empty());

    // The program's own unload still closes the sounds.
    EXPECT_FALSE(rig.battle.Form_QueryUnload(Battle::UnloadMode::FormCode));
    EXPECT_EQ(rig.TakeMedia(), (std::vector<std::string>{"close TURN_SND", "close FIRE_SND"}));
}

TEST(QueryUnload, NoKeepsEverythingYesClosesTheSounds)
{
    BattleRig rig;
    rig.battle.Form_Load();
    rig.TakeMedia();
    rig.ui.Answer = false;
    EXPECT_TRUE(rig.battle.Form_QueryUnload(Battle::UnloadMode::FormControlMenu));
    ASSERT_EQ(rig.ui.Questions.size(), 1u);
    EXPECT_EQ(rig.ui.Questions[0].Text, "ゲームを終了してもよろしいですか？");
    EXPECT_EQ(rig.ui.Questions[0].Title, "終了確認");
    EXPECT_TRUE(rig.TakeMedia().empty());
    EXPECT_TRUE(rig.ui.tmrMain);
    EXPECT_FALSE(rig.battle.Closed());

    rig.ui.Answer = true;
    EXPECT_FALSE(rig.battle.Form_QueryUnload(Battle::UnloadMode::FormControlMenu));
    EXPECT_EQ(rig.TakeMedia(), (std::vector<std::string>{"close TURN_SND", "close FIRE_SND"}));
    EXPECT_TRUE(rig.battle.Closed());
}

TEST(QueryUnload, TimeRunningOutDuringTheQuestionKeepsTheFormForTheEnd)
{
    BattleRig rig;
    rig.battle.Form_Load();
    rig.TakeMedia();
    rig.ui.Answer = true;
    rig.ui.OnAsk = [&] {
        rig.clock.Set(150);
        rig.battle.tmrMain_Timer();
    };
    EXPECT_TRUE(rig.battle.Form_QueryUnload(Battle::UnloadMode::FormControlMenu));
    EXPECT_EQ(rig.ui.EndBattleCalls, 1);
    EXPECT_FALSE(rig.battle.Closed());
    for (const std::string& command : rig.TakeMedia())
        EXPECT_EQ(command.rfind("close", 0), std::string::npos) << command;
}

TEST(EndBattle, TheWindowMayDiscardTheBattleFromWithin)
{
    SimUi ui;
    ReplayRandom random;
    ManualClock clock;
    auto battle = std::make_unique<Battle>(ui, random, clock, GameSettings{}, "/x");
    battle->Form_Load();
    ui.OnEndBattle = [&] {
        EXPECT_FALSE(battle->Form_QueryUnload(Battle::UnloadMode::FormCode));
        battle.reset(); // as the window does when it unloads the form
    };
    clock.Set(150);
    Battle* raw = battle.get();
    raw->tmrMain_Timer(); // the sanitizers catch any use after the reset
    EXPECT_EQ(battle, nullptr);
    EXPECT_EQ(ui.Media.back(), "close FIRE_SND");
}

TEST(QueryUnload, ProgramCloseAsksNothing)
{
    BattleRig rig;
    rig.battle.Form_Load();
    EXPECT_FALSE(rig.battle.Form_QueryUnload(Battle::UnloadMode::FormCode));
    EXPECT_TRUE(rig.ui.Questions.empty());
}

TEST(QueryUnload, OnlyThePlayersCloseIsAsked)
{
    using Mode = Battle::UnloadMode;
    for (const Mode mode : {Mode::FormCode, Mode::AppWindows, Mode::AppTaskManager, Mode::FormMDIForm}) {
        BattleRig rig;
        rig.battle.Form_Load();
        rig.TakeMedia();
        rig.ui.Answer = false;
        EXPECT_FALSE(rig.battle.Form_QueryUnload(mode)) << static_cast<int>(mode);
        EXPECT_TRUE(rig.ui.Questions.empty()) << static_cast<int>(mode);
        EXPECT_EQ(rig.TakeMedia(), (std::vector<std::string>{"close TURN_SND", "close FIRE_SND"}));
        EXPECT_TRUE(rig.battle.Closed());
    }
}

TEST(Gauge, CountsToFiftyAndHoldsValuesInRange)
{
    CounterGauge gauge;
    EXPECT_FALSE(gauge.Visible());
    for (int i = 0; i < 60; ++i)
        gauge.CountUp();
    EXPECT_EQ(gauge.Value(), 50);
    gauge.SetValue(-3);
    EXPECT_EQ(gauge.Value(), 0);
    gauge.SetValue(99);
    EXPECT_EQ(gauge.Value(), 50);
}

TEST(Random, QueuedDrawsFirstThenASeededSequence)
{
    ReplayRandom a(7), b(7);
    a.Queue(0.25);
    EXPECT_EQ(a.Next(), 0.25);
    for (int i = 0; i < 1000; ++i) {
        const double v = a.Next();
        ASSERT_EQ(v, b.Next());
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 1);
    }
    EXPECT_EQ(a.Taken(), 1001u);
    b.Seed(7);
    ReplayRandom c(7);
    EXPECT_EQ(b.Next(), c.Next());
}

} // namespace
