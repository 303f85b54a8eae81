// SPDX-License-Identifier: MIT
#include "BattleRig.h"

#include <gtest/gtest.h>

namespace {

struct Log : testing::Test {
    void SetUp() override { rig.battle.Form_Load(); }
    std::vector<std::string> Texts() const
    {
        return {rig.ui.labMessage[0].Text, rig.ui.labMessage[1].Text, rig.ui.labMessage[2].Text};
    }
    std::vector<std::uint32_t> Colors() const
    {
        return {rig.ui.labMessage[0].Color, rig.ui.labMessage[1].Color, rig.ui.labMessage[2].Color};
    }
    BattleRig rig;
};

const std::uint32_t R = colors::Red, B = colors::Black;

TEST_F(Log, FillsFromTheTopThenScrolls)
{
    rig.battle.ShowMessage("一", Battle::Emphasis::Normal);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"一", "", ""}));
    rig.battle.ShowMessage("二", Battle::Emphasis::Alert);
    rig.battle.ShowMessage("三", Battle::Emphasis::Normal);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"一", "二", "三"}));
    EXPECT_EQ(Colors(), (std::vector<std::uint32_t>{B, R, B}));
    rig.battle.ShowMessage("四", Battle::Emphasis::Alert);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"二", "三", "四"}));
    EXPECT_EQ(Colors(), (std::vector<std::uint32_t>{R, B, R}));
    // The battle's own copy agrees with what the labels show.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rig.battle.Message(i).Text, rig.ui.labMessage[i].Text);
        EXPECT_EQ(rig.battle.Message(i).Color, rig.ui.labMessage[i].Color);
    }
}

TEST_F(Log, ThreeLineMessageOnAFullLogReplacesIt)
{
    for (const char* text : {"a", "b", "c"})
        rig.battle.ShowMessage(text, Battle::Emphasis::Normal);
    rig.battle.ShowMessage("着弾確認！\r\n敵艦に命中！敵艦小破！\r\n敵艦に命中！敵艦撃沈！",
                           Battle::Emphasis::Alert);
    EXPECT_EQ(Texts(),
              (std::vector<std::string>{"着弾確認！", "敵艦に命中！敵艦小破！", "敵艦に命中！敵艦撃沈！"}));
    EXPECT_EQ(Colors(), (std::vector<std::uint32_t>{R, R, R}));
}

TEST_F(Log, BlackLineScrolledUpStaysBlack)
{
    rig.battle.ShowMessage("黒", Battle::Emphasis::Normal);
    rig.battle.ShowMessage("赤1\r\n赤2\r\n赤3", Battle::Emphasis::Alert);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"赤1", "赤2", "赤3"}));
    rig.battle.ShowMessage("x", Battle::Emphasis::Normal);
    rig.battle.ShowMessage("黒\r\n赤", Battle::Emphasis::Normal);
    EXPECT_EQ(Colors(), (std::vector<std::uint32_t>{B, B, B}));
    rig.battle.ShowMessage("赤", Battle::Emphasis::Alert);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"黒", "赤", "赤"}));
    EXPECT_EQ(Colors(), (std::vector<std::uint32_t>{B, B, R}));
}

TEST_F(Log, EmptyLineLeavesItsPlaceFree)
{
    rig.battle.ShowMessage("a\r\n\r\nb", Battle::Emphasis::Normal);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"a", "b", ""}));
    rig.battle.ShowMessage("c", Battle::Emphasis::Normal);
    rig.battle.ShowMessage("",
                           Battle::Emphasis::Alert); // on a full log: scrolls, then leaves the bottom free
    EXPECT_EQ(Texts(), (std::vector<std::string>{"b", "c", ""}));
    rig.battle.ShowMessage("d", Battle::Emphasis::Alert);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"b", "c", "d"}));
    EXPECT_EQ(Colors(), (std::vector<std::uint32_t>{B, B, R}));
}

TEST_F(Log, OnlyCrLfSplits)
{
    rig.battle.ShowMessage("a\nb\rc", Battle::Emphasis::Normal);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"a\nb\rc", "", ""}));
}

TEST(Media, OpenAndCloseCommandsQuoteTheFolder)
{
    BattleRig rig({}, "/home/player/My Games/Mortavel/");
    rig.battle.Form_Load();
    EXPECT_EQ(rig.TakeMedia(),
              (std::vector<std::string>{
                  "open \"/home/player/My Games/Mortavel/data/Turn.wav\" alias TURN_SND notify ",
                  "open \"/home/player/My Games/Mortavel/data/Fire.wav\" alias FIRE_SND notify "}));
    rig.ui.Answer = true;
    EXPECT_FALSE(rig.battle.Form_QueryUnload(Battle::UnloadMode::FormControlMenu));
    EXPECT_EQ(rig.TakeMedia(), (std::vector<std::string>{"close TURN_SND", "close FIRE_SND"}));
}

TEST(Media, ProgramInTheRootFolder)
{
    BattleRig rig({}, "/");
    rig.battle.Form_Load();
    EXPECT_EQ(rig.ui.Media.at(0), "open \"/data/Turn.wav\" alias TURN_SND notify ");
}

TEST(Media, PlayRewindsFirstAndStopRewindsAfter)
{
    BattleRig rig;
    rig.battle.PlaySound("FIRE_SND");
    rig.battle.StopSound("TURN_SND");
    EXPECT_EQ(rig.TakeMedia(),
              (std::vector<std::string>{"seek FIRE_SND to start", "play FIRE_SND", "stop TURN_SND",
                                        "seek TURN_SND to start"}));
}

} // namespace
