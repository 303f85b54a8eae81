// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// What the game needs to know of a WAV file before it plays it: that it is
// one, how its samples are laid out, where they lie and how long they sound.
struct WaveInfo {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    int blockAlign = 0;
    bool isFloat = false;
    qint64 dataOffset = 0;
    qint64 dataBytes = 0;
    qint64 durationMs = 0;

    // Nothing when the file is missing, unreadable or not a PCM or float WAV.
    static std::optional<WaveInfo> read(const QString& path);

    // The raw sample bytes, whole frames only; nothing when the file has
    // changed or cannot be read.
    std::optional<QByteArray> readSamples(const QString& path) const;
};
