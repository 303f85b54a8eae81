// SPDX-License-Identifier: MIT
#include "BattleRig.h"

#include <gtest/gtest.h>

namespace {

TEST(FillTemplate, FillsEachPlaceholderOnce)
{
    EXPECT_EQ(FillTemplate("砲塔旋回、%1時%2分、仰角%3度！", {"7", "30", "45"}),
              "砲塔旋回、7時30分、仰角45度！");
    EXPECT_EQ(FillTemplate("%2 before %1", {"a", "b"}), "b before a");
    EXPECT_EQ(FillTemplate("%1 and %1", {"x"}), "x and x");
    // A number is never read as a placeholder itself.
    EXPECT_EQ(FillTemplate("%1, %2", {"%2", "y"}), "%2, y");
    // A placeholder without its argument, and a lone %, stay as they are.
    EXPECT_EQ(FillTemplate("%1 of %3", {"x"}), "x of %3");
    EXPECT_EQ(FillTemplate("100%", {}), "100%");
    EXPECT_EQ(FillTemplate("%", {"x"}), "%");
    EXPECT_EQ(FillTemplate("%0%a", {"x"}), "%0%a");
}

// Made-up templates, to tell each message's own template and numbers apart
// from the defaults.
BattleTexts Marked()
{
    BattleTexts t;
    t.EnemySighted = "sighted <%1>";
    t.TurretTurning = "turn <%3> <%1:%2>";
    t.TurretArrived = "arrived";
    t.Fire = "fire";
    t.ShellLanded = "landed";
    t.Hit = "hit <%1>";
    t.Sunk = "sunk";
    t.HeavyDamage = "heavy";
    t.ModerateDamage = "moderate";
    t.LightDamage = "light";
    t.Loaded = "loaded";
    t.TimeLeft = "<%1> s";
    t.Score = "<%1> pts";
    t.QuitQuestion = "quit?";
    t.QuitTitle = "quit";
    return t;
}

struct Texts : testing::Test, BattleRig {
    Texts()
        : BattleRig(GameSettings{5, 150, 1}, "/opt/Mortavel", Marked())
    {
    }
    void SetUp() override { battle.Form_Load(); }
    std::vector<std::string> Log() const
    {
        return {ui.labMessage[0].Text, ui.labMessage[1].Text, ui.labMessage[2].Text};
    }
};

TEST_F(Texts, EveryMessageComesFromItsTemplate)
{
    EXPECT_EQ(ui.labTime, "<150> s");
    EXPECT_EQ(ui.labScore, "<0> pts");

    random.Queue(0.25); // bearing 90 degrees: 3 o'clock
    random.Queue(0.5);
    random.Queue(0.5);
    battle.SpawnEnemy();
    EXPECT_EQ(ui.labMessage[0].Text, "sighted <3>");

    ui.sldH = -135;
    ui.sldV = 45;
    battle.cmdTurn_Click();
    EXPECT_EQ(ui.labMessage[1].Text, "turn <45> <7:30>");
    while (ui.tmrTurn)
        battle.tmrTurn_Timer();
    EXPECT_EQ(ui.labMessage[2].Text, "arrived");

    battle.cmdFire_Click();
    EXPECT_EQ(Log().back(), "fire");
}

TEST_F(Texts, HitsReportTheirGradeThroughTheHitTemplate)
{
    BattleState& s = battle.MutableState();
    // Gun ahead at 45 degrees: the fall is 915 units straight up, no scatter.
    s.GunBearing = 0;
    s.GunElevation = 45;
    AddShip(975, 60, 0);   // direct hit, 80 to 120: moderate or heavy
    AddShip(975, 60, 100); // sinks
    battle.cmdFire_Click();
    for (int i = 0; i < 19; ++i)
        battle.tmrReload_Timer();
    random.Queue(0.5);
    random.Queue(0.5);
    random.Queue(0.0); // first ship: 100 - 20 = 80, moderate
    random.Queue(0.0); // second: 180 in all, sunk
    battle.tmrReload_Timer();
    EXPECT_EQ(Log(), (std::vector<std::string>{"landed", "hit <moderate>", "hit <sunk>"}));
    EXPECT_EQ(ui.labScore, "<460> pts");

    for (int i = 0; i < 30; ++i)
        battle.tmrReload_Timer();
    EXPECT_EQ(Log().back(), "loaded");
}

TEST_F(Texts, TheCloseQuestionComesFromItsTemplates)
{
    ui.Answer = false;
    EXPECT_TRUE(battle.Form_QueryUnload(Battle::UnloadMode::FormControlMenu));
    ASSERT_EQ(ui.Questions.size(), 1u);
    EXPECT_EQ(ui.Questions[0].Text, "quit?");
    EXPECT_EQ(ui.Questions[0].Title, "quit");
}

} // namespace
