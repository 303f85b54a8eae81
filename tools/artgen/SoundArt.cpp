// SPDX-License-Identifier: MIT
#include "SoundArt.h"

#include "ArtCommon.h"

#include <algorithm>
#include <cmath>

namespace art {
namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Rate = SoundRate;

// One-pole low-pass; cutoff in Hz.
struct LowPass {
    double y = 0;
    double run(double x, double cutoff)
    {
        const double a = 1.0 - std::exp(-2.0 * Pi * cutoff / Rate);
        y += a * (x - y);
        return y;
    }
};

// State-variable band-pass with a cutoff that may move every sample.
struct BandPass {
    double low = 0, band = 0;
    double run(double x, double centre, double q)
    {
        const double f = 2.0 * std::sin(Pi * std::min(centre, Rate / 6) / Rate);
        const double high = x - low - band / q;
        band += f * high;
        low += f * band;
        return band;
    }
};

double fadeIn(double t, double len)
{
    return t >= len ? 1.0 : 0.5 - 0.5 * std::cos(Pi * t / len);
}

// Scale to a peak just under full scale and round; the ends were already
// brought to silence by the envelopes.
std::vector<std::int16_t> finish(const std::vector<double>& signal, double peakLevel)
{
    double peak = 1e-9;
    for (double v : signal)
        peak = std::max(peak, std::abs(v));
    const double gain = peakLevel * 32767.0 / peak;
    std::vector<std::int16_t> out(signal.size());
    for (std::size_t i = 0; i < signal.size(); ++i)
        out[i] = static_cast<std::int16_t>(std::lround(std::clamp(signal[i] * gain, -32767.0, 32767.0)));
    return out;
}

} // namespace

std::vector<std::int16_t> turretMotorSound()
{
    const double length = 3.6;
    const int n = int(length * Rate);
    std::vector<double> s(n);
    Rng rng(9001);
    LowPass rumbleLp1, rumbleLp2, hissLp;
    BandPass gearBp;
    double phase = 0, gearPhase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = i / Rate;
        const double tEnd = length - t;
        // motor speed: spins up, runs with a slight hunting, runs down
        double speed = 0.35 + 0.65 * smoothstep(0.0, 0.45, t);
        speed *= 1.0 - 0.45 * smoothstep(0.55, 0.0, tEnd);
        speed *= 1.0 + 0.012 * std::sin(2 * Pi * 3.1 * t);
        const double rot = 96.0 * speed; // armature hum
        phase += 2 * Pi * rot / Rate;
        gearPhase += 2 * Pi * rot * 7.0 / Rate; // gear mesh whine
        double hum = 0.55 * std::sin(phase) + 0.32 * std::sin(2 * phase + 0.3)
            + 0.18 * std::sin(3 * phase + 1.1) + 0.10 * std::sin(5 * phase + 0.7);
        const double whine = 0.16 * std::sin(gearPhase) + 0.05 * std::sin(2 * gearPhase + 0.4);
        const double noise = rng.uniform() * 2 - 1;
        const double rumble = rumbleLp2.run(rumbleLp1.run(noise, 180), 180) * 3.2;
        const double grind = gearBp.run(noise, rot * 7.0, 6.0) * 0.35;
        const double hiss = (noise - hissLp.run(noise, 2500)) * 0.012;
        // the training gear's teeth: a soft periodic knock
        const double knockPhase = std::fmod(t * rot / 6.0, 1.0);
        const double knock = std::exp(-knockPhase * 30.0) * 0.10 * std::sin(2 * Pi * 420 * t);
        double v = hum * (0.8 + 0.2 * speed) + whine * speed * speed + rumble + grind + hiss + knock;
        // the clutch engaging at the start
        if (t < 0.08)
            v += std::exp(-t * 70) * 0.7 * std::sin(2 * Pi * 230 * t) * (noise * 0.5 + 0.5);
        const double env = fadeIn(t, 0.04) * fadeIn(tEnd, 0.18) * (0.55 + 0.45 * smoothstep(0.0, 0.3, t));
        s[i] = v * env;
    }
    return finish(s, 0.7);
}

std::vector<std::int16_t> gunFireSound()
{
    const double length = 2.9;
    const int n = int(length * Rate);
    std::vector<double> s(n);
    Rng rng(1941);
    LowPass blastLp, boomLp1, boomLp2, rollLp1, rollLp2, airLp1, airLp2;
    BandPass whistleBp, whistleBp2;
    double boomPhase = 0, tonePhase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = i / Rate;
        const double noise = rng.uniform() * 2 - 1;
        // report: a sharp crack, a deep thump, and the rolling echo
        const double crack = blastLp.run(noise, 5000) * std::exp(-t / 0.018) * 1.6;
        const double boomFreq = 38.0 + 48.0 * std::exp(-t / 0.09);
        boomPhase += 2 * Pi * boomFreq / Rate;
        const double boom = std::sin(boomPhase) * std::exp(-t / 0.32) * 1.1;
        const double body = boomLp2.run(boomLp1.run(noise, 420), 420) * std::exp(-t / 0.16) * 3.0;
        const double roll = rollLp2.run(rollLp1.run(noise, 160), 160) * std::exp(-t / 0.7)
            * (0.7 + 0.3 * std::sin(2 * Pi * 2.3 * t)) * 3.6;
        double report = (crack + boom + body + roll) * fadeIn(t, 0.0015);

        // shell in flight: a falling whistle swelling as it goes
        double whistle = 0;
        if (t > 0.3) {
            const double u = (t - 0.3) / (length - 0.3);
            const double freq = 1500.0 * std::pow(0.42, u);
            tonePhase += 2 * Pi * freq / Rate;
            const double band =
                whistleBp.run(noise, freq, 9.0) * 0.9 + whistleBp2.run(noise, freq * 2.02, 12.0) * 0.25;
            const double tone = std::sin(tonePhase + 0.3 * std::sin(2 * Pi * 7 * t)) * 0.10;
            const double swell = smoothstep(0.0, 0.75, u) * (0.35 + 0.65 * u);
            // the air takes the hiss off the top
            whistle = airLp2.run(airLp1.run((band + tone) * swell * 0.75, 3200), 3200);
        }
        const double env = fadeIn(length - t, 0.12);
        s[i] = (report + whistle) * env;
    }
    return finish(s, 0.89);
}

QByteArray encodeWav(const std::vector<std::int16_t>& samples, int rate)
{
    QByteArray b;
    auto put16 = [&b](int v) {
        b.append(char(v & 0xFF));
        b.append(char((v >> 8) & 0xFF));
    };
    auto put32 = [&b](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b.append(char((v >> (8 * i)) & 0xFF));
    };
    const std::uint32_t dataBytes = std::uint32_t(samples.size() * 2);
    b.append("RIFF");
    put32(36 + dataBytes);
    b.append("WAVE");
    b.append("fmt ");
    put32(16);
    put16(1); // PCM
    put16(1); // mono
    put32(std::uint32_t(rate));
    put32(std::uint32_t(rate * 2));
    put16(2);
    put16(16);
    b.append("data");
    put32(dataBytes);
    for (std::int16_t v : samples)
        put16(v);
    return b;
}

} // namespace art
