// SPDX-License-Identifier: MIT
#include "ScriptRunner.h"
#include "StatePrinter.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct Result {
    int status;
    std::string out, err;
};

Result RunScript(const std::string& script)
{
    std::ostringstream out, err;
    ScriptRunner runner(out);
    std::istringstream in(script);
    const int status = runner.Run(in, err);
    return {status, out.str(), err.str()};
}

// The value printed for name by the last state command of the output.
std::string Field(const std::string& out, const std::string& name)
{
    const std::string key = "\n" + name + "=";
    const auto at = out.rfind(key);
    if (at == std::string::npos)
        return "<missing>";
    const auto start = at + key.size();
    return out.substr(start, out.find('\n', start) - start);
}

TEST(Script, BadLinesStopWithStatusTwoAndTheirNumber)
{
    for (const char* bad : {"frobnicate",       "main x",           "main 1 2",    "settings 4 150 1",
                            "settings 5 200 1", "settings 5 150 3", "draws",       "draws 1",
                            "draws -0.1",       "draws nan",        "seed -1",     "clock abc",
                            "slider X 3",       "slider H 1.5",     "key 37 8",    "key",
                            "click 1",          "press jump",       "close maybe", "state now",
                            "load now"}) {
        SCOPED_TRACE(bad);
        const Result r = RunScript(std::string("# comment\n\nload\n") + bad + "\nstate\n");
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.rfind("battle-sim: line 4: ", 0), 0u) << r.err;
        EXPECT_EQ(r.out.find("\nend\n"), std::string::npos) << "nothing after the bad line runs";
    }
}

TEST(Script, CommandsNeedAnOpenBattle)
{
    EXPECT_EQ(RunScript("main\n").status, 2);
    EXPECT_EQ(RunScript("state\n").status, 2);
    EXPECT_EQ(RunScript("load\nload\n").status, 2);
    EXPECT_EQ(RunScript("load\ndraws 0.5\nclose yes\nstate\n").status, 2);
    // A new battle after a confirmed close.
    EXPECT_EQ(RunScript("load\nclose yes\nload\nstate\n").status, 0);
}

TEST(Script, ClockNeverGoesBack)
{
    EXPECT_EQ(RunScript("clock 5\nclock 5\nclock 6.5\n").status, 0);
    const Result r = RunScript("clock 5\nclock 4.9\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("line 2"), std::string::npos);
}

TEST(Script, TicksOnlyWhileTheTimerRuns)
{
    // Turret from bearing 0 to 1: a one-tick movement; the other ticks are dropped.
    const Result r = RunScript("load\nslider H 1\npress turn\nturn 5\nreload 3\nstate\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Field(r.out, "TurnTick"), "1");
    EXPECT_EQ(Field(r.out, "pgbReload.Value"), "0");
    EXPECT_EQ(Field(r.out, "tmrTurn"), "False");
}

TEST(Script, ButtonsAndSlidersOnlyWhileEnabled)
{
    const Result r =
        RunScript("load\nslider H 500\npress turn\nslider H 0\nslider V 0\npress turn\npress fire\nstate\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Field(r.out, "sldH"), "135,False");
    EXPECT_EQ(Field(r.out, "sldV"), "85,False");
    EXPECT_EQ(Field(r.out, "Reloading"), "False");
    EXPECT_EQ(Field(r.out, "TurnTicks"), "84");
}

TEST(Script, CloseNoKeepsTheBattleCloseYesSendsTheCloses)
{
    const Result r = RunScript("load\nclose no\nstate\nclose yes\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\nend\nmedia close TURN_SND\nmedia close FIRE_SND\n"), std::string::npos) << r.out;
}

TEST(Script, QueuedDrawsThenTheSeed)
{
    const std::string spawn = "settings 3 120 0\ndraws 0 0.25 0.5 0.5\nload\nmain\n";
    const Result a = RunScript(spawn + "state\n");
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(Field(a.out, "EnemyCount"), "1");
    EXPECT_EQ(Field(a.out, "Enemy(1).Bearing"), "1.5707963267948966");
    EXPECT_EQ(Field(a.out, "labMessage(0)"), "black:3時の方向に敵艦発見！");
    // Same seed, same battle; another seed, another.
    EXPECT_EQ(RunScript("seed 9\n" + spawn + "main 50\nstate\n").out,
              RunScript("seed 9\n" + spawn + "main 50\nstate\n").out);
    EXPECT_NE(RunScript("seed 9\n" + spawn + "main 50\nstate\n").out,
              RunScript("seed 10\n" + spawn + "main 50\nstate\n").out);
}

TEST(Script, LogLinesPrintTheirColour)
{
    const Result r = RunScript("load\npress fire\nslider H 10\npress turn\nstate\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Field(r.out, "labMessage(0)"), "red:発射！！");
    EXPECT_EQ(Field(r.out, "labMessage(1)"), "black:砲塔旋回、0時20分、仰角5度！");
    EXPECT_EQ(Field(r.out, "labMessage(2)"), "");
}

TEST(Script, TrailingCarriageReturnsAndTabsAreSpace)
{
    EXPECT_EQ(RunScript("load\r\nmain\t2\r\n  # indented comment\nstate\r\n").status, 0);
}

TEST(Format, ShortestRoundTrip)
{
    EXPECT_EQ(FormatDouble(4 * std::atan(1.0)), "3.141592653589793");
    EXPECT_EQ(FormatDouble(5), "5");
    EXPECT_EQ(FormatDouble(-0.25), "-0.25");
    EXPECT_EQ(FormatSingle(0.1f), "0.1");
    EXPECT_EQ(FormatSingle(975.5f), "975.5");
    EXPECT_EQ(FormatBool(true), std::string("True"));
}

} // namespace
