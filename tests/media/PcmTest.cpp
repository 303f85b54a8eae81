// SPDX-License-Identifier: MIT
#include "PcmClip.h"
#include "TestMedia.h"
#include "WaveInfo.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

WaveInfo layout(int channels, int bytesPerSample, bool isFloat = false)
{
    WaveInfo info;
    info.channels = channels;
    info.sampleRate = 22050;
    info.bitsPerSample = bytesPerSample * 8;
    info.blockAlign = channels * bytesPerSample;
    info.isFloat = isFloat;
    return info;
}

} // namespace

TEST(PcmClipTest, TakesTheCommonLayoutsAsTheyAre)
{
    const QByteArray bytes("\x01\x02\x03\x04\x05\x06\x07\x08", 8);
    const struct {
        int channels, bytes;
        bool isFloat;
        PcmFormat::Sample format;
    } cases[] = {{1, 1, false, PcmFormat::Sample::UInt8},
                 {2, 2, false, PcmFormat::Sample::Int16},
                 {1, 4, false, PcmFormat::Sample::Int32},
                 {2, 4, true, PcmFormat::Sample::Float}};
    for (const auto& c : cases) {
        const auto clip = PcmClip::fromWave(layout(c.channels, c.bytes, c.isFloat), bytes);
        ASSERT_TRUE(clip) << c.bytes;
        EXPECT_EQ(clip->format.sample, c.format) << c.bytes;
        EXPECT_EQ(clip->format.channelCount, c.channels);
        EXPECT_EQ(clip->format.sampleRate, 22050);
        EXPECT_EQ(clip->format.bytesPerFrame(), c.channels * c.bytes);
        EXPECT_EQ(clip->samples, bytes) << c.bytes;
    }
}

TEST(PcmClipTest, WidensAndNarrowsWhatTheOutputCannotTake)
{
    // 24-bit: 0x123456 and -2 keep their value in the top of 32 bits.
    const auto wide = PcmClip::fromWave(layout(1, 3), QByteArray("\x56\x34\x12\xfe\xff\xff", 6));
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->format.sample, PcmFormat::Sample::Int32);
    ASSERT_EQ(wide->samples.size(), 8);
    EXPECT_EQ(qFromLittleEndian<qint32>(wide->samples.constData()), 0x12345600);
    EXPECT_EQ(qFromLittleEndian<qint32>(wide->samples.constData() + 4), -2 * 256);

    const double values[] = {0.5, -0.25};
    const auto narrow = PcmClip::fromWave(layout(1, 8, true),
                                          QByteArray(reinterpret_cast<const char*>(values), sizeof values));
    ASSERT_TRUE(narrow);
    EXPECT_EQ(narrow->format.sample, PcmFormat::Sample::Float);
    ASSERT_EQ(narrow->samples.size(), 8);
    EXPECT_EQ(reinterpret_cast<const float*>(narrow->samples.constData())[0], 0.5f);
    EXPECT_EQ(reinterpret_cast<const float*>(narrow->samples.constData())[1], -0.25f);
}

TEST(PcmClipTest, RefusesLayoutsWithoutAnOutputFormat)
{
    EXPECT_FALSE(PcmClip::fromWave(layout(1, 2, true), QByteArray(4, '\0'))) << "16-bit float";
    EXPECT_FALSE(PcmClip::fromWave(layout(1, 5), QByteArray(10, '\0')));
    WaveInfo odd = layout(2, 2);
    odd.blockAlign = 3;
    EXPECT_FALSE(PcmClip::fromWave(odd, QByteArray(6, '\0')));
}

TEST(WaveSamplesTest, ReadsTheSamplesOfWholeFrames)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.wav"));
    QByteArray wav = makeWave(100, 8000);
    wav.append('\x7f'); // a stray byte past the data chunk is no sample
    ASSERT_TRUE(writeFile(path, wav));
    const auto info = WaveInfo::read(path);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->dataOffset, 44);
    EXPECT_EQ(info->blockAlign, 2);
    const auto samples = info->readSamples(path);
    ASSERT_TRUE(samples);
    EXPECT_EQ(*samples, wav.mid(44, 1600));

    // A streamed recording whose last frame is cut short.
    QByteArray cut = makeWave(100, 8000);
    cut.chop(1);
    ASSERT_TRUE(writeFile(path, cut));
    const auto cutInfo = WaveInfo::read(path);
    ASSERT_TRUE(cutInfo);
    ASSERT_TRUE(cutInfo->readSamples(path));
    EXPECT_EQ(cutInfo->readSamples(path)->size(), 1598);

    // The file shrank after it was looked at.
    ASSERT_TRUE(writeFile(path, wav.left(100)));
    EXPECT_FALSE(info->readSamples(path));
}

TEST(WaveSamplesTest, TakesTheFormatOfAnExtensibleHeader)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ext.wav"));
    QByteArray wav = makeWave(50, 8000);
    // fmt grows to 40 bytes: tag 0xFFFE, then extension size, valid bits,
    // channel mask and the sub-format, whose first two bytes are the real tag.
    QByteArray ext(24, '\0');
    ext[0] = 22;
    ext[2] = 16;
    ext[8] = 3; // float
    wav.insert(36, ext);
    wav[16] = 40;
    wav[20] = '\xfe';
    wav[21] = '\xff';
    wav[34] = 32; // bits
    wav[32] = 4;  // block align
    ASSERT_TRUE(writeFile(path, wav));
    const auto info = WaveInfo::read(path);
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->isFloat);
    EXPECT_EQ(info->dataOffset, 68);

    wav[36 + 8] = 2; // a compressed sub-format
    ASSERT_TRUE(writeFile(path, wav));
    EXPECT_FALSE(WaveInfo::read(path));
}
