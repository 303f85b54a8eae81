// SPDX-License-Identifier: MIT
#include "CommittedFiles.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>

namespace {

double rms(const std::vector<std::int16_t>& s, double from, double to, int rate)
{
    const std::size_t a = std::size_t(from * rate), b = std::min(s.size(), std::size_t(to * rate));
    double sum = 0;
    for (std::size_t i = a; i < b; ++i)
        sum += double(s[i]) * s[i];
    return b > a ? std::sqrt(sum / double(b - a)) / 32768.0 : 0;
}

int peak(const std::vector<std::int16_t>& s)
{
    int p = 0;
    for (std::int16_t v : s)
        p = std::max(p, std::abs(int(v)));
    return p;
}

void expectPlayableWav(const Wav& wav, const char* name)
{
    EXPECT_EQ(wav.format, 1) << name << ": PCM";
    EXPECT_EQ(wav.bits, 16) << name;
    EXPECT_EQ(wav.channels, 1) << name;
    EXPECT_TRUE(wav.rate == 22050 || wav.rate == 44100) << name;
    EXPECT_LT(peak(wav.samples), 32767) << name << " clips";
    EXPECT_GT(peak(wav.samples), 32768 / 3) << name << " is too quiet";
}

// One AVI: its main header and the JPEG frames of its first video stream.
struct Avi {
    quint32 microSecPerFrame = 0, totalFrames = 0, width = 0, height = 0;
    QByteArray handler;
    std::vector<QByteArray> frames;
};

void walkAvi(const QByteArray& b, qsizetype from, qsizetype to, Avi& avi)
{
    const auto* d = reinterpret_cast<const uchar*>(b.constData());
    qsizetype pos = from;
    while (pos + 8 <= to) {
        const QByteArray id = b.mid(pos, 4);
        const qsizetype size = qFromLittleEndian<quint32>(d + pos + 4);
        const qsizetype body = pos + 8;
        if (body + size > to)
            return;
        if (id == "LIST") {
            walkAvi(b, body + 4, body + size, avi);
        } else if (id == "avih" && size >= 40) {
            avi.microSecPerFrame = qFromLittleEndian<quint32>(d + body);
            avi.totalFrames = qFromLittleEndian<quint32>(d + body + 16);
            avi.width = qFromLittleEndian<quint32>(d + body + 32);
            avi.height = qFromLittleEndian<quint32>(d + body + 36);
        } else if (id == "strh" && size >= 8 && b.mid(body, 4) == "vids") {
            avi.handler = b.mid(body + 4, 4);
        } else if (id == "00dc" || id == "00db") {
            avi.frames.push_back(b.mid(body, size));
        }
        pos = body + size + (size & 1);
    }
}

double meanDifference(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            sum +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * x.width() * x.height());
}

} // namespace

TEST(Sounds, TurretMotorRunsSeveralSecondsAndStartsAndEndsInSilence)
{
    const Wav wav = parseWav(readSourceFile("data/Turn.wav"));
    expectPlayableWav(wav, "Turn.wav");
    ASSERT_GT(wav.rate, 0);
    const double seconds = double(wav.samples.size()) / wav.rate;
    EXPECT_GE(seconds, 2.0);
    EXPECT_LE(seconds, 6.0);
    // no click: the first and last milliseconds fade from and to nothing
    EXPECT_LT(std::abs(int(wav.samples.front())), 64);
    EXPECT_LT(std::abs(int(wav.samples.back())), 64);
    EXPECT_LT(rms(wav.samples, 0, 0.002, wav.rate), 0.01);
    EXPECT_LT(rms(wav.samples, seconds - 0.002, seconds, wav.rate), 0.01);
    // and the motor keeps running in between
    for (double t = 0.3; t < seconds - 0.4; t += 0.25)
        EXPECT_GT(rms(wav.samples, t, t + 0.25, wav.rate), 0.04) << "at " << t << " s";
}

TEST(Sounds, GunReportIsFollowedByTheShellWhistlePastTheFall)
{
    const Wav wav = parseWav(readSourceFile("data/Fire.wav"));
    expectPlayableWav(wav, "Fire.wav");
    ASSERT_GT(wav.rate, 0);
    const double seconds = double(wav.samples.size()) / wav.rate;
    // the battle stops it when the shell falls after 2 s: it must last longer
    EXPECT_GE(seconds, 2.5);
    EXPECT_LE(seconds, 4.0);
    const double report = rms(wav.samples, 0, 0.2, wav.rate);
    const double flight = rms(wav.samples, 1.0, 2.0, wav.rate);
    EXPECT_GT(report, 0.15) << "loud report at the start";
    EXPECT_GT(flight, 0.03) << "the shell is still heard in flight";
    EXPECT_GT(report, 2 * flight);
    EXPECT_LT(std::abs(int(wav.samples.back())), 64);
}

TEST(TitleMovie, IsMotionJpegAviOfTheTitleWindowThatLoopsSmoothly)
{
    const QByteArray bytes = readSourceFile("data/MVTitle.avi");
    ASSERT_TRUE(bytes.startsWith("RIFF"));
    ASSERT_EQ(bytes.mid(8, 4), QByteArray("AVI "));
    EXPECT_LT(bytes.size(), 4 * 1024 * 1024) << "a few MB at most";
    Avi avi;
    walkAvi(bytes, 12, bytes.size(), avi);
    EXPECT_EQ(avi.width, 416u);
    EXPECT_EQ(avi.height, 251u);
    EXPECT_EQ(avi.handler.toUpper(), QByteArray("MJPG"));
    ASSERT_GT(avi.microSecPerFrame, 0u);
    const double seconds = avi.totalFrames * avi.microSecPerFrame / 1e6;
    EXPECT_GE(seconds, 2.0);
    EXPECT_LE(seconds, 10.0);
    ASSERT_EQ(avi.frames.size(), std::size_t(avi.totalFrames));

    std::vector<QImage> frames;
    for (const QByteArray& jpeg : avi.frames) {
        frames.push_back(QImage::fromData(jpeg, "JPEG"));
        ASSERT_EQ(frames.back().size(), QSize(416, 251)) << "frame " << frames.size() - 1;
    }
    // the still picture is the movie's first frame
    const QImage still = readSourceImage("game/assets/pictures/title.png");
    EXPECT_LT(meanDifference(frames.front(), still), 4.0);
    // the jump from the last frame back to the first is no bigger than a
    // step between neighbouring frames
    double largestStep = 0;
    for (std::size_t i = 1; i < frames.size(); ++i)
        largestStep = std::max(largestStep, meanDifference(frames[i - 1], frames[i]));
    EXPECT_GT(largestStep, 0.0) << "the movie moves";
    EXPECT_LE(meanDifference(frames.back(), frames.front()), largestStep * 1.2);
}
