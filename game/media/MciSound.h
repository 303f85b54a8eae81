// SPDX-License-Identifier: MIT
#pragma once

#include "MciDevice.h"
#include "SoundMixer.h"
#include "WaveInfo.h"

#include <QTimer>

#include <functional>
#include <optional>

// A short sound kept decoded in memory as a voice of the game's one output
// stream, so that play starts at once.
class MciSound : public MciDevice {
    Q_OBJECT
public:
    // What tests say of the output in place of the real answer; nothing for
    // the real one.
    using OutputOverride = std::function<std::optional<bool>()>;

    // Null when the file is not a playable WAV.
    static MciSound* open(const QString& path, OutputOverride outputOverride, QObject* parent);
    ~MciSound() override;

    bool play(bool repeat) override;
    bool stop() override;
    bool pause() override;
    bool resume() override;
    bool seek(MciCommand::SeekTarget target) override;

private:
    MciSound(const QString& path, const WaveInfo& info, OutputOverride outputOverride, QObject* parent);
    bool start(bool repeat);

    WaveInfo info_;
    OutputOverride outputOverride_;
    std::optional<SoundMixer::VoiceId> voice_;
    // A single play ends, as far as the command layer tells, after the
    // file's length, whether an output took the samples or not.
    QTimer end_;
};
