// SPDX-License-Identifier: MIT
#include "MciCommand.h"

#include <gtest/gtest.h>

using Verb = MciCommand::Verb;

TEST(MciCommand, ParsesTheGamesSoundCommands)
{
    const auto open = MciCommand::parse(
        QStringLiteral("open \"/opt/my games/mortavel/data/Turn.wav\" alias TURN_SND notify "));
    ASSERT_TRUE(open);
    EXPECT_EQ(open->verb, Verb::Open);
    EXPECT_EQ(open->path, QStringLiteral("/opt/my games/mortavel/data/Turn.wav"));
    EXPECT_EQ(open->alias, QStringLiteral("TURN_SND"));
    EXPECT_FALSE(open->parent);

    const auto seek = MciCommand::parse(QStringLiteral("seek FIRE_SND to start"));
    ASSERT_TRUE(seek);
    EXPECT_EQ(seek->verb, Verb::Seek);
    EXPECT_EQ(seek->seekTo, MciCommand::SeekTarget::Start);
    EXPECT_EQ(seek->alias, QStringLiteral("FIRE_SND"));

    const auto play = MciCommand::parse(QStringLiteral("play fire_snd"));
    ASSERT_TRUE(play);
    EXPECT_EQ(play->verb, Verb::Play);
    EXPECT_EQ(play->alias, QStringLiteral("FIRE_SND")) << "aliases are case-insensitive";
    EXPECT_FALSE(play->repeat);

    EXPECT_EQ(MciCommand::parse(QStringLiteral("stop TURN_SND"))->verb, Verb::Stop);
    EXPECT_EQ(MciCommand::parse(QStringLiteral("close TURN_SND"))->verb, Verb::Close);
}

TEST(MciCommand, ParsesTheTitleMovieCommands)
{
    const auto open = MciCommand::parse(QStringLiteral(
        "open \"/home/a b/data/MVTitle.avi\" alias TITLE_AVI parent 12582919 style child notify"));
    ASSERT_TRUE(open);
    EXPECT_EQ(open->path, QStringLiteral("/home/a b/data/MVTitle.avi"));
    EXPECT_EQ(open->alias, QStringLiteral("TITLE_AVI"));
    ASSERT_TRUE(open->parent);
    EXPECT_EQ(*open->parent, quintptr(12582919));
    EXPECT_TRUE(open->childStyle);

    const auto play = MciCommand::parse(QStringLiteral("play TITLE_AVI repeat"));
    ASSERT_TRUE(play);
    EXPECT_TRUE(play->repeat);

    const auto all = MciCommand::parse(QStringLiteral("close all"));
    ASSERT_TRUE(all);
    EXPECT_TRUE(all->all);
}

TEST(MciCommand, UnquotedPathWithoutAliasIsItsOwnAlias)
{
    const auto open = MciCommand::parse(QStringLiteral("open /tmp/beep.wav"));
    ASSERT_TRUE(open);
    EXPECT_EQ(open->path, QStringLiteral("/tmp/beep.wav"));
    EXPECT_EQ(open->alias, QStringLiteral("/TMP/BEEP.WAV"));
}

TEST(MciCommand, RefusesMalformedCommands)
{
    const char* broken[] = {
        "",
        "   ",
        "play",
        "open \"/tmp/no end.wav alias X",      // unclosed quote
        "open \"/tmp/a.wav\"alias X",          // quote glued to the next word
        "open /tmp/a\"b.wav alias X",          // stray quote
        "open \"\" alias X",                   // empty path
        "open \"/tmp/a.wav\" alias",           // alias without a name
        "open \"/tmp/a.wav\" alias X alias Y", // option twice
        "open \"/tmp/a.wav\" alias X bogus",   // unknown option
        "open \"/tmp/a.avi\" alias X parent none style child",
        "open \"/tmp/a.avi\" alias X parent 0 style child",
        "open \"/tmp/a.avi\" alias X parent 5 style popup",
        "open \"/tmp/a.wav\" alias X type cdaudio",
        "rewind X",
        "seek X",
        "seek X to",
        "seek X to 1000",
        "seek X start",
        "play X wait", // would block the game
        "play X repeat repeat",
        "stop X now",
    };
    for (const char* text : broken)
        EXPECT_FALSE(MciCommand::parse(QString::fromUtf8(text))) << text;
}
