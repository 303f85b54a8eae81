// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the sink's monitor gave, with the moment each piece arrived, read on
// the wall clock the test's commands are timed by.
class Recording {
public:
    using Clock = std::chrono::steady_clock;
    struct Chunk {
        std::int64_t endSample; // samples received up to and with this piece
        Clock::time_point arrival;
    };
    // Digital silence is exact on a null sink; this only allows for dither.
    static constexpr int Quiet = 8;

    Recording(std::vector<std::int16_t> samples, std::vector<Chunk> chunks, int rate);

    std::int64_t size() const { return std::int64_t(samples_.size()); }
    int rate() const { return rate_; }
    double ms(std::int64_t samples) const { return samples * 1000.0 / rate_; }
    std::int64_t samplesFor(double ms) const { return std::int64_t(ms * rate_ / 1000.0); }

    // Sample time against the wall clock. Each sample exists before the piece
    // holding it arrives, so the earliest arrival against its sample count
    // bounds the clock; times read with it are never early.
    std::int64_t indexAt(Clock::time_point t) const;
    double msBetween(Clock::time_point from, std::int64_t index) const;
    // How far the samples fall short of the wall time they took to arrive.
    double lostMs() const;

    std::optional<std::int64_t> firstSound(std::int64_t from, std::int64_t to) const;
    std::optional<std::int64_t> lastSound(std::int64_t from, std::int64_t to) const;
    // The longest quiet stretch inside [from, to), in samples.
    std::int64_t longestQuiet(std::int64_t from, std::int64_t to) const;
    // Stretches of sound parted by at least minGap samples of quiet.
    std::vector<std::pair<std::int64_t, std::int64_t>> bursts(std::int64_t minGap) const;

    // The first place in [from, to) where the recording runs exactly as ref
    // from one of its samples in [refFrom, refTo): {place, that sample}.
    std::optional<std::pair<std::int64_t, std::int64_t>> find(const std::vector<std::int16_t>& ref,
                                                              std::int64_t refFrom, std::int64_t refTo,
                                                              std::int64_t from, std::int64_t to) const;

    // The share of the sounding 10 ms pieces of [at, at + length) that run
    // exactly as ref does where they belong, sound from refFrom being heard
    // from at: up to maxLag off either way is allowed. On a busy machine a
    // server that was fed late plays a gap, and the rest follows that much
    // later; or it drops what came too late, and the rest comes early by as
    // much. A mix with anything else, a tail of an earlier play say, matches
    // nowhere.
    double follows(std::int64_t at, const std::vector<std::int16_t>& ref, std::int64_t refFrom,
                   std::int64_t length, std::int64_t maxLag) const;

    // Raw 16-bit mono samples, for a look with other tools.
    void save(const std::string& path) const;

private:
    std::vector<std::int16_t> samples_;
    std::vector<Chunk> chunks_;
    int rate_;
    Clock::time_point zero_{};
};
