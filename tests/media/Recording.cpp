// SPDX-License-Identifier: MIT
#include "Recording.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>

Recording::Recording(std::vector<std::int16_t> samples, std::vector<Chunk> chunks, int rate)
    : samples_(std::move(samples))
    , chunks_(std::move(chunks))
    , rate_(rate)
{
    bool first = true;
    for (const Chunk& c : chunks_) {
        const auto start = c.arrival
            - std::chrono::duration_cast<Clock::duration>(
                               std::chrono::duration<double>(double(c.endSample) / rate_));
        if (first || start < zero_)
            zero_ = start;
        first = false;
    }
}

std::int64_t Recording::indexAt(Clock::time_point t) const
{
    const double s = std::chrono::duration<double>(t - zero_).count();
    return std::clamp<std::int64_t>(std::int64_t(std::llround(s * rate_)), 0, size());
}

double Recording::msBetween(Clock::time_point from, std::int64_t index) const
{
    return ms(index) - std::chrono::duration<double, std::milli>(from - zero_).count();
}

double Recording::lostMs() const
{
    // A capture can hand over a whole block at once, its first pieces
    // stamped late: the earliest start read from each half's pieces bounds
    // the clock there, and the two differ by what was lost on the way.
    if (chunks_.size() < 2)
        return 0;
    const std::int64_t half = chunks_.back().endSample / 2;
    std::optional<Clock::time_point> first, second;
    for (const Chunk& c : chunks_) {
        const auto start = c.arrival
            - std::chrono::duration_cast<Clock::duration>(
                               std::chrono::duration<double>(double(c.endSample) / rate_));
        auto& bound = c.endSample <= half ? first : second;
        if (!bound || start < *bound)
            bound = start;
    }
    if (!first || !second)
        return 0;
    return std::chrono::duration<double, std::milli>(*second - *first).count();
}

std::optional<std::int64_t> Recording::firstSound(std::int64_t from, std::int64_t to) const
{
    for (std::int64_t i = std::max<std::int64_t>(from, 0); i < std::min(to, size()); ++i)
        if (std::abs(samples_[size_t(i)]) > Quiet)
            return i;
    return std::nullopt;
}

std::optional<std::int64_t> Recording::lastSound(std::int64_t from, std::int64_t to) const
{
    for (std::int64_t i = std::min(to, size()) - 1; i >= std::max<std::int64_t>(from, 0); --i)
        if (std::abs(samples_[size_t(i)]) > Quiet)
            return i;
    return std::nullopt;
}

std::int64_t Recording::longestQuiet(std::int64_t from, std::int64_t to) const
{
    std::int64_t longest = 0, run = 0;
    for (std::int64_t i = std::max<std::int64_t>(from, 0); i < std::min(to, size()); ++i) {
        run = std::abs(samples_[size_t(i)]) > Quiet ? 0 : run + 1;
        longest = std::max(longest, run);
    }
    return longest;
}

std::vector<std::pair<std::int64_t, std::int64_t>> Recording::bursts(std::int64_t minGap) const
{
    std::vector<std::pair<std::int64_t, std::int64_t>> found;
    std::int64_t at = 0;
    while (const auto start = firstSound(at, size())) {
        std::int64_t end = *start, quiet = 0, i = *start;
        for (; i < size() && quiet < minGap; ++i) {
            if (std::abs(samples_[size_t(i)]) > Quiet) {
                end = i;
                quiet = 0;
            } else {
                ++quiet;
            }
        }
        found.emplace_back(*start, end + 1);
        at = i;
    }
    return found;
}

std::optional<std::pair<std::int64_t, std::int64_t>> Recording::find(const std::vector<std::int16_t>& ref,
                                                                     std::int64_t refFrom, std::int64_t refTo,
                                                                     std::int64_t from, std::int64_t to) const
{
    // Long enough that no other stretch of a real sound runs the same.
    constexpr std::int64_t Run = 32;
    refTo = std::min<std::int64_t>(refTo, std::int64_t(ref.size()) - Run);
    for (std::int64_t at = std::max<std::int64_t>(from, 0); at < std::min(to, size() - Run); ++at)
        for (std::int64_t k = std::max<std::int64_t>(refFrom, 0); k < refTo; ++k)
            if (std::abs(samples_[size_t(at)]) > Quiet && samples_[size_t(at)] == ref[size_t(k)]
                && std::equal(samples_.begin() + at, samples_.begin() + at + Run, ref.begin() + k))
                return std::make_pair(at, k);
    return std::nullopt;
}

double Recording::follows(std::int64_t at, const std::vector<std::int16_t>& ref, std::int64_t refFrom,
                          std::int64_t length, std::int64_t maxLag) const
{
    const std::int64_t piece = rate_ / 100;
    int sounding = 0, found = 0;
    for (std::int64_t p = at; p + piece <= std::min(at + length, size()); p += piece) {
        const auto pos = firstSound(p, p + piece);
        if (!pos)
            continue;
        ++sounding;
        const std::int64_t expected = refFrom + (*pos - at);
        if (find(ref, expected - maxLag, expected + maxLag + 1, *pos, *pos + 1))
            ++found;
    }
    return sounding ? double(found) / sounding : 0;
}

void Recording::save(const std::string& path) const
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(samples_.data()),
              std::streamsize(samples_.size() * sizeof(std::int16_t)));
    std::ofstream times(path + ".times");
    for (const Chunk& c : chunks_)
        times << c.endSample << ' ' << std::chrono::duration<double, std::milli>(c.arrival - zero_).count()
              << '\n';
}
