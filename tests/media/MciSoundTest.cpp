// SPDX-License-Identifier: MIT
#include "Mci.h"
#include "TestMedia.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

using mci::Mode;

class MciSoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // This machine may have no sound card; the layer's bookkeeping is
        // the same either way.
        mci::setAudioOutputOverride(true);
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("my game/data")));
        turn = dir.filePath(QStringLiteral("my game/data/Turn.wav"));
        ASSERT_TRUE(writeFile(turn, makeWave(300)));
    }
    void TearDown() override
    {
        mci::closeAll();
        mci::setAudioOutputOverride(std::nullopt);
        mci::setCommandObserver({});
    }
    static bool openTurn(const QString& path)
    {
        return mciExecute(QStringLiteral("open \"%1\" alias TURN_SND notify ").arg(path));
    }
    static Mode mode(const char* alias) { return mci::status(QString::fromUtf8(alias))->mode; }

    QTemporaryDir dir;
    QString turn;
};

TEST_F(MciSoundTest, OpensByAliasFromAFolderWithSpaces)
{
    ASSERT_TRUE(openTurn(turn));
    const auto status = mci::status(QStringLiteral("TURN_SND"));
    ASSERT_TRUE(status);
    EXPECT_EQ(status->kind, mci::DeviceKind::Sound);
    EXPECT_EQ(status->path, turn);
    EXPECT_EQ(status->mode, Mode::Stopped);
    EXPECT_EQ(status->playCount, 0);
    EXPECT_EQ(mci::openAliases(), QStringList{QStringLiteral("TURN_SND")});
    EXPECT_FALSE(mci::videoWidget(QStringLiteral("TURN_SND")));
}

TEST_F(MciSoundTest, PlayStopSeekAndCloseChangeTheState)
{
    ASSERT_TRUE(openTurn(turn));
    EXPECT_TRUE(mciExecute(QStringLiteral("seek TURN_SND to start")));
    EXPECT_TRUE(mciExecute(QStringLiteral("play TURN_SND")));
    EXPECT_EQ(mode("TURN_SND"), Mode::Playing);
    EXPECT_EQ(mci::status(QStringLiteral("turn_snd"))->playCount, 1);

    EXPECT_TRUE(mciExecute(QStringLiteral("stop TURN_SND")));
    EXPECT_EQ(mode("TURN_SND"), Mode::Stopped);

    // Seeking a playing sound stops it, as the stop-then-rewind cue expects.
    EXPECT_TRUE(mciExecute(QStringLiteral("play TURN_SND")));
    EXPECT_TRUE(mciExecute(QStringLiteral("seek TURN_SND to start")));
    EXPECT_EQ(mode("TURN_SND"), Mode::Stopped);
    EXPECT_EQ(mci::status(QStringLiteral("TURN_SND"))->playCount, 2);

    EXPECT_TRUE(mciExecute(QStringLiteral("play TURN_SND")));
    EXPECT_TRUE(mciExecute(QStringLiteral("pause TURN_SND")));
    EXPECT_EQ(mode("TURN_SND"), Mode::Paused);
    EXPECT_TRUE(mciExecute(QStringLiteral("resume TURN_SND")));
    EXPECT_EQ(mode("TURN_SND"), Mode::Playing);

    EXPECT_TRUE(mciExecute(QStringLiteral("close TURN_SND")));
    EXPECT_FALSE(mci::status(QStringLiteral("TURN_SND")));
    EXPECT_FALSE(mciExecute(QStringLiteral("close TURN_SND"))) << "already closed";
    EXPECT_FALSE(mciExecute(QStringLiteral("play TURN_SND")));
}

TEST_F(MciSoundTest, SingleShotEndsByItselfButRepeatGoesOn)
{
    ASSERT_TRUE(openTurn(turn));
    ASSERT_TRUE(mciExecute(QStringLiteral("play TURN_SND")));
    EXPECT_TRUE(QTest::qWaitFor([] { return mode("TURN_SND") == Mode::Stopped; }, 3000));

    ASSERT_TRUE(mciExecute(QStringLiteral("play TURN_SND repeat")));
    QTest::qWait(800);
    EXPECT_EQ(mode("TURN_SND"), Mode::Playing);
    EXPECT_TRUE(mci::status(QStringLiteral("TURN_SND"))->repeat);
}

TEST_F(MciSoundTest, TwoSoundsAreIndependent)
{
    const QString fire = dir.filePath(QStringLiteral("my game/data/Fire.wav"));
    ASSERT_TRUE(writeFile(fire, makeWave(2000)));
    ASSERT_TRUE(openTurn(turn));
    ASSERT_TRUE(mciExecute(QStringLiteral("open \"%1\" alias FIRE_SND notify ").arg(fire)));
    EXPECT_FALSE(openTurn(fire)) << "an alias in use cannot be opened again";

    EXPECT_TRUE(mciExecute(QStringLiteral("play FIRE_SND")));
    EXPECT_EQ(mode("FIRE_SND"), Mode::Playing);
    EXPECT_EQ(mode("TURN_SND"), Mode::Stopped);
    EXPECT_TRUE(mciExecute(QStringLiteral("close all")));
    EXPECT_TRUE(mci::openAliases().isEmpty());
}

// The output opens on a thread of its own; a program that ends while that
// is still under way (its sounds opened and closed at once) must end
// cleanly. Each run is a process of its own, this test's child half.
TEST_F(MciSoundTest, TheProgramEndsCleanlyWhileTheOutputIsOpening)
{
    if (qEnvironmentVariableIsSet("MORTAVEL_TEST_END_WHILE_OPENING")) {
        ASSERT_TRUE(openTurn(turn));
        EXPECT_TRUE(mciExecute(QStringLiteral("play TURN_SND")));
        EXPECT_TRUE(mciExecute(QStringLiteral("close all")));
        return;
    }
    for (int run = 0; run < 20; ++run) {
        QProcess child;
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("MORTAVEL_TEST_END_WHILE_OPENING"), QStringLiteral("1"));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(
            QCoreApplication::applicationFilePath(),
            {QStringLiteral("--gtest_filter=MciSoundTest.TheProgramEndsCleanlyWhileTheOutputIsOpening")});
        ASSERT_TRUE(child.waitForFinished(30000)) << "run " << run;
        const QByteArray output = child.readAll();
        ASSERT_EQ(child.exitStatus(), QProcess::NormalExit) << "run " << run << " crashed:\n"
                                                            << output.constData();
        ASSERT_EQ(child.exitCode(), 0) << "run " << run << ":\n" << output.constData();
    }
}

TEST_F(MciSoundTest, FailuresReturnFalseAndLeaveNothingOpen)
{
    EXPECT_FALSE(openTurn(dir.filePath(QStringLiteral("my game/data/Missing.wav"))));
    const QString garbage = dir.filePath(QStringLiteral("garbage.wav"));
    ASSERT_TRUE(writeFile(garbage, "not a wave"));
    EXPECT_FALSE(openTurn(garbage));
    EXPECT_FALSE(openTurn(dir.path())) << "a folder is no sound";
    EXPECT_TRUE(mci::openAliases().isEmpty());

    EXPECT_FALSE(mciExecute(QStringLiteral("play NEVER_OPENED")));
    EXPECT_FALSE(mciExecute(QStringLiteral("seek NEVER_OPENED to start")));
    EXPECT_FALSE(mciExecute(QStringLiteral("stop NEVER_OPENED")));
    EXPECT_FALSE(mciExecute(QStringLiteral("close NEVER_OPENED")));
    EXPECT_FALSE(mciExecute(QStringLiteral("open \"%1 alias TURN_SND").arg(turn)));
    EXPECT_FALSE(mciExecute(QStringLiteral("open \"%1\" alias TURN_SND parent 1 style child").arg(turn)))
        << "no window to play a sound in";
    EXPECT_TRUE(mci::openAliases().isEmpty());
}

TEST_F(MciSoundTest, ASoundWithNoOutputFormatOpensButNeverPlays)
{
    QByteArray halfFloat = makeWave(100);
    halfFloat[20] = 3; // 16-bit floating point: a WAV, but nothing can play it
    const QString path = dir.filePath(QStringLiteral("half.wav"));
    ASSERT_TRUE(writeFile(path, halfFloat));
    ASSERT_TRUE(openTurn(path));
    const auto status = mci::status(QStringLiteral("TURN_SND"));
    EXPECT_TRUE(status->failed);
    EXPECT_FALSE(status->error.isEmpty());
    EXPECT_FALSE(mciExecute(QStringLiteral("play TURN_SND")));
    EXPECT_EQ(mode("TURN_SND"), Mode::Stopped);
    EXPECT_TRUE(mciExecute(QStringLiteral("close TURN_SND")));
}

TEST_F(MciSoundTest, WithoutAudioOutputPlayFailsQuietly)
{
    mci::setAudioOutputOverride(false);
    ASSERT_TRUE(openTurn(turn));
    EXPECT_FALSE(mciExecute(QStringLiteral("play TURN_SND")));
    EXPECT_EQ(mode("TURN_SND"), Mode::Stopped);
    EXPECT_EQ(mci::status(QStringLiteral("TURN_SND"))->playCount, 0);
    EXPECT_TRUE(mciExecute(QStringLiteral("stop TURN_SND")));
    EXPECT_TRUE(mciExecute(QStringLiteral("close TURN_SND")));
}

TEST_F(MciSoundTest, RefusesCallsFromOtherThreads)
{
    bool result = true;
    QThread* worker = QThread::create([&] { result = openTurn(turn); });
    worker->start();
    ASSERT_TRUE(worker->wait(5000));
    delete worker;
    EXPECT_FALSE(result);
    EXPECT_TRUE(mci::openAliases().isEmpty());
}

TEST_F(MciSoundTest, ObserverSeesEveryCommandAndItsResult)
{
    QList<QPair<QString, bool>> seen;
    mci::setCommandObserver([&](const QString& command, bool ok) { seen.append({command, ok}); });
    openTurn(turn);
    mciExecute(QStringLiteral("play NOBODY"));
    mciExecute(QStringLiteral("close TURN_SND"));
    ASSERT_EQ(seen.size(), 3);
    EXPECT_EQ(seen[0].first, QStringLiteral("open \"%1\" alias TURN_SND notify ").arg(turn));
    EXPECT_TRUE(seen[0].second);
    EXPECT_FALSE(seen[1].second);
    EXPECT_TRUE(seen[2].second);
}

TEST_F(MciSoundTest, TheGamesOwnSoundsOpenWithTheGamesCommands)
{
    const QString folder = QStringLiteral(MEDIA_TEST_DATA_DIR);
    ASSERT_TRUE(mciExecute(QStringLiteral("open \"%1/Turn.wav\" alias TURN_SND notify ").arg(folder)));
    ASSERT_TRUE(mciExecute(QStringLiteral("open \"%1/Fire.wav\" alias FIRE_SND notify ").arg(folder)));
    // The gun cue: both stopped and rewound, then the gun sound from its start.
    for (const char* command : {"stop FIRE_SND", "seek FIRE_SND to start", "stop TURN_SND",
                                "seek TURN_SND to start", "seek FIRE_SND to start", "play FIRE_SND"})
        EXPECT_TRUE(mciExecute(QString::fromUtf8(command))) << command;
    EXPECT_EQ(mode("FIRE_SND"), Mode::Playing);
    EXPECT_EQ(mode("TURN_SND"), Mode::Stopped);
    EXPECT_TRUE(mciExecute(QStringLiteral("close TURN_SND")));
    EXPECT_TRUE(mciExecute(QStringLiteral("close FIRE_SND")));
}
