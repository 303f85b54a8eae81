// SPDX-License-Identifier: MIT
#pragma once

#include "WaveInfo.h"

#include <QByteArray>

#include <optional>

// How a clip's samples are laid out, in the terms the sound output takes.
struct PcmFormat {
    enum class Sample { UInt8, Int16, Int32, Float };

    Sample sample = Sample::Int16;
    int sampleRate = 0;
    int channelCount = 0;

    int bytesPerSample() const { return sample == Sample::UInt8 ? 1 : sample == Sample::Int16 ? 2 : 4; }
    int bytesPerFrame() const { return bytesPerSample() * channelCount; }
    bool operator==(const PcmFormat&) const = default;
};

// A whole sound as samples the sound output takes as they are.
struct PcmClip {
    PcmFormat format;
    QByteArray samples;

    // Nothing for sample layouts the sound output has no format for.
    static std::optional<PcmClip> fromWave(const WaveInfo& info, const QByteArray& samples);
};
