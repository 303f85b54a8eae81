// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace art {

constexpr int SoundRate = 22050;

// Turret training motor: spin-up, steady run, spin-down; silent at both ends.
std::vector<std::int16_t> turretMotorSound();
// Main gun report followed by the whistle of the shell in flight.
std::vector<std::int16_t> gunFireSound();

// 16-bit PCM mono WAV.
QByteArray encodeWav(const std::vector<std::int16_t>& samples, int rate);

} // namespace art
