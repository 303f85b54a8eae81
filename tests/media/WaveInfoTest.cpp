// SPDX-License-Identifier: MIT
#include "WaveInfo.h"
#include "TestMedia.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

class WaveInfoTest : public ::testing::Test {
protected:
    QString file(const char* name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(QString::fromUtf8(name));
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(WaveInfoTest, ReadsLengthAndFormat)
{
    const auto info = WaveInfo::read(file("a.wav", makeWave(250, 8000)));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->channels, 1);
    EXPECT_EQ(info->sampleRate, 8000);
    EXPECT_EQ(info->bitsPerSample, 16);
    EXPECT_EQ(info->dataBytes, 4000);
    EXPECT_EQ(info->durationMs, 250);
}

TEST_F(WaveInfoTest, SkipsChunksBeforeTheSamples)
{
    QByteArray wav = makeWave(100);
    // A LIST chunk of odd length (padded) between format and data.
    QByteArray list("LIST\x05\x00\x00\x00"
                    "abcde\x00",
                    14);
    wav.insert(36, list);
    const auto info = WaveInfo::read(file("list.wav", wav));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->durationMs, 100);
}

TEST_F(WaveInfoTest, TrustsTheFileWhenTheDataSizeOverstates)
{
    QByteArray wav = makeWave(100);
    wav[40] = '\xff';
    wav[41] = '\xff';
    wav[42] = '\xff';
    wav[43] = '\xff';
    const auto info = WaveInfo::read(file("streamed.wav", wav));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->dataBytes, 1600);
}

TEST_F(WaveInfoTest, RefusesWhatIsNoPlayableWave)
{
    EXPECT_FALSE(WaveInfo::read(dir.filePath(QStringLiteral("missing.wav"))));
    EXPECT_FALSE(WaveInfo::read(file("empty.wav", {})));
    EXPECT_FALSE(WaveInfo::read(file("text.wav", "this is not a sound at all, just text")));
    EXPECT_FALSE(WaveInfo::read(file("short.wav", makeWave(100).left(30))));

    QByteArray adpcm = makeWave(100);
    adpcm[20] = 2; // compressed formats are beyond the audio service
    EXPECT_FALSE(WaveInfo::read(file("adpcm.wav", adpcm)));

    QByteArray noRate = makeWave(100);
    noRate[24] = noRate[25] = noRate[26] = noRate[27] = 0;
    EXPECT_FALSE(WaveInfo::read(file("norate.wav", noRate)));

    QByteArray dataFirst = makeWave(100);
    dataFirst.replace(12, 4, "junk"); // no format before the samples
    EXPECT_FALSE(WaveInfo::read(file("nofmt.wav", dataFirst)));
}
