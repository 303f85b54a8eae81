// SPDX-License-Identifier: MIT
#pragma once

#include "MciDevice.h"
#include "PcmClip.h"
#include "WaveInfo.h"

#include <QTimer>

#include <functional>
#include <optional>

class SoundStream;

// A short sound kept decoded in memory, so that play starts at once.
class MciSound : public MciDevice {
    Q_OBJECT
public:
    // Null when the file is not a playable WAV.
    static MciSound* open(const QString& path, std::function<bool()> audioAvailable,
                          QObject* parent);

    bool play(bool repeat) override;
    bool stop() override;
    bool pause() override;
    bool resume() override;
    bool seek(MciCommand::SeekTarget target) override;

private:
    MciSound(const QString& path, const WaveInfo& info, std::function<bool()> audioAvailable,
             QObject* parent);
    void createStream();
    void start(bool repeat);

    WaveInfo info_;
    std::function<bool()> audioAvailable_;
    std::optional<PcmClip> clip_;
    SoundStream* stream_ = nullptr;
    // The audio service keeps saying "playing" when no sound card takes the
    // samples, so the end of a single play is timed from the file's length.
    QTimer end_;
};
