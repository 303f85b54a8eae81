// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

// What the game needs to know of a WAV file before it hands it to the audio
// service: that it is one, and how long it sounds.
struct WaveInfo {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    qint64 dataBytes = 0;
    qint64 durationMs = 0;

    // Nothing when the file is missing, unreadable or not a PCM or float WAV.
    static std::optional<WaveInfo> read(const QString& path);
};
