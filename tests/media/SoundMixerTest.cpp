// SPDX-License-Identifier: MIT
// The mixing the audio callback does, one buffer at a time, as SDL asks.
#include "SoundMixer.h"
#include "SoundOutput.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<std::uint8_t> pcm16(std::initializer_list<std::int16_t> values)
{
    std::vector<std::uint8_t> bytes(values.size() * 2);
    std::memcpy(bytes.data(), values.begin(), bytes.size());
    return bytes;
}

// One callback's buffer of n 16-bit mono frames.
std::vector<std::int16_t> mixFrames(SoundMixer& mixer, std::size_t n)
{
    std::vector<std::int16_t> out(n, 0x5555);
    mixer.mix(reinterpret_cast<std::uint8_t*>(out.data()), n * 2);
    return out;
}

using Frames = std::vector<std::int16_t>;

} // namespace

TEST(SoundMixerTest, APlayRunsOnceFromTheFirstSampleThenFallsSilent)
{
    SoundMixer mixer(AUDIO_S16LSB, 2, 0);
    const auto voice = mixer.add(pcm16({1, 2, 3, 4, 5}));
    EXPECT_EQ(mixFrames(mixer, 3), (Frames{0, 0, 0})) << "silence before any play";
    mixer.play(voice, false);
    EXPECT_TRUE(mixer.isPlaying(voice));
    EXPECT_EQ(mixFrames(mixer, 3), (Frames{1, 2, 3}));
    EXPECT_EQ(mixFrames(mixer, 3), (Frames{4, 5, 0})) << "the end falls inside the buffer";
    EXPECT_FALSE(mixer.isPlaying(voice));
    EXPECT_EQ(mixFrames(mixer, 3), (Frames{0, 0, 0}));

    // A play in the middle of a sound starts it over; a stop silences the
    // very next buffer.
    mixer.play(voice, false);
    EXPECT_EQ(mixFrames(mixer, 2), (Frames{1, 2}));
    mixer.play(voice, false);
    EXPECT_EQ(mixFrames(mixer, 2), (Frames{1, 2}));
    mixer.stop(voice);
    EXPECT_EQ(mixFrames(mixer, 2), (Frames{0, 0}));
    mixer.play(voice, false);
    EXPECT_EQ(mixFrames(mixer, 1), (Frames{1})) << "a stop rewinds";
}

TEST(SoundMixerTest, ALoopWrapsInsideTheBufferWithoutAGap)
{
    SoundMixer mixer(AUDIO_S16LSB, 2, 0);
    const auto voice = mixer.add(pcm16({1, 2, 3}));
    mixer.play(voice, true);
    EXPECT_EQ(mixFrames(mixer, 8), (Frames{1, 2, 3, 1, 2, 3, 1, 2}));
    EXPECT_EQ(mixFrames(mixer, 4), (Frames{3, 1, 2, 3})) << "on from where the last buffer ended";
    EXPECT_TRUE(mixer.isPlaying(voice));
    // The same voice played once again ends at its end.
    mixer.play(voice, false);
    EXPECT_EQ(mixFrames(mixer, 5), (Frames{1, 2, 3, 0, 0}));
}

TEST(SoundMixerTest, VoicesAddUpAndClipAtFullScale)
{
    SoundMixer mixer(AUDIO_S16LSB, 2, 0);
    const auto a = mixer.add(pcm16({30000, -30000, 100}));
    const auto b = mixer.add(pcm16({30000, -30000, 23}));
    mixer.play(a, false);
    mixer.play(b, false);
    EXPECT_EQ(mixFrames(mixer, 3), (Frames{32767, -32768, 123}));

    // A removed voice is gone for good; the other plays on.
    mixer.play(a, true);
    mixer.play(b, true);
    mixer.remove(a);
    EXPECT_FALSE(mixer.isPlaying(a));
    EXPECT_EQ(mixFrames(mixer, 3), (Frames{30000, -30000, 23}));
    mixer.remove(b);
    EXPECT_TRUE(mixer.empty());
    EXPECT_EQ(mixFrames(mixer, 2), (Frames{0, 0}));
}

TEST(SoundMixerTest, EightBitSilenceIsTheMidpointAndFramesStayWhole)
{
    SoundMixer mixer(AUDIO_U8, 2, 0x80);
    // Stereo 8-bit with a stray byte: the last, half frame is dropped, so the
    // loop wraps onto a frame's first byte.
    const auto voice = mixer.add({0x90, 0x70, 0xa0, 0x60, 0xff});
    std::vector<std::uint8_t> out(10);
    mixer.mix(out.data(), out.size());
    EXPECT_EQ(out, std::vector<std::uint8_t>(10, 0x80));
    mixer.play(voice, true);
    mixer.mix(out.data(), out.size());
    EXPECT_EQ(out, (std::vector<std::uint8_t>{0x90, 0x70, 0xa0, 0x60, 0x90, 0x70, 0xa0, 0x60, 0x90, 0x70}));

    // An empty sound never plays, looping or not.
    const auto empty = mixer.add({});
    mixer.play(empty, true);
    EXPECT_FALSE(mixer.isPlaying(empty));
}

TEST(SoundOutputTest, BuffersHoldAboutTenMillisecondsAtAnyRate)
{
    EXPECT_EQ(SoundOutput::bufferFrames(22050), 256);
    EXPECT_EQ(SoundOutput::bufferFrames(44100), 512);
    EXPECT_EQ(SoundOutput::bufferFrames(48000), 512);
    EXPECT_EQ(SoundOutput::bufferFrames(8000), 128);
    EXPECT_EQ(SoundOutput::bufferFrames(1), 64);
}
