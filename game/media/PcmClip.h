// SPDX-License-Identifier: MIT
#pragma once

#include "WaveInfo.h"

#include <QAudioFormat>
#include <QByteArray>

#include <optional>

// A whole sound as samples the audio output takes as they are.
struct PcmClip {
    QAudioFormat format;
    QByteArray samples;

    // Nothing for sample layouts the audio output has no format for.
    static std::optional<PcmClip> fromWave(const WaveInfo& info, const QByteArray& samples);
};
