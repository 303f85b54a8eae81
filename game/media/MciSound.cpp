// SPDX-License-Identifier: MIT
#include "MciSound.h"

#include "PcmClip.h"
#include "SoundOutput.h"

#include <algorithm>
#include <climits>

MciSound* MciSound::open(const QString& path, OutputOverride outputOverride, QObject* parent)
{
    const auto info = WaveInfo::read(path);
    if (!info)
        return nullptr;
    return new MciSound(path, *info, std::move(outputOverride), parent);
}

MciSound::MciSound(const QString& path, const WaveInfo& info, OutputOverride outputOverride, QObject* parent)
    : MciDevice(parent)
    , info_(info)
    , outputOverride_(std::move(outputOverride))
{
    status_.kind = mci::DeviceKind::Sound;
    status_.path = path;
    end_.setSingleShot(true);
    connect(&end_, &QTimer::timeout, this, [this] { status_.mode = mci::Mode::Stopped; });

    // Decoded now, well before the first play.
    std::optional<PcmClip> clip;
    if (const auto samples = info_.readSamples(path))
        clip = PcmClip::fromWave(info_, *samples);
    if (clip && outputOverride_() != std::optional<bool>(false))
        voice_ = SoundOutput::instance().add(*clip);
    if (!clip || (!voice_ && outputOverride_() != std::optional<bool>(false)))
        markFailed(QStringLiteral("cannot decode"));
}

MciSound::~MciSound()
{
    if (voice_)
        SoundOutput::instance().remove(*voice_);
}

bool MciSound::start(bool repeat)
{
    const std::optional<bool> forced = outputOverride_();
    if (forced == false)
        return false;
    const bool heard = voice_ && SoundOutput::instance().play(*voice_, repeat);
    if (!heard && !forced)
        return false;
    status_.mode = mci::Mode::Playing;
    status_.repeat = repeat;
    if (repeat)
        end_.stop();
    else
        end_.start(int(std::min<qint64>(info_.durationMs, INT_MAX)));
    return true;
}

bool MciSound::play(bool repeat)
{
    if (status_.failed)
        return false;
    // A sound always plays whole from where it was sought to; the game seeks
    // to the start before every play.
    if (!start(repeat))
        return false;
    ++status_.playCount;
    return true;
}

bool MciSound::stop()
{
    end_.stop();
    if (voice_)
        SoundOutput::instance().stop(*voice_);
    status_.mode = mci::Mode::Stopped;
    return true;
}

bool MciSound::pause()
{
    if (status_.mode != mci::Mode::Playing)
        return status_.mode == mci::Mode::Paused;
    end_.stop();
    if (voice_)
        SoundOutput::instance().stop(*voice_);
    status_.mode = mci::Mode::Paused;
    return true;
}

bool MciSound::resume()
{
    if (status_.mode != mci::Mode::Paused)
        return status_.mode == mci::Mode::Playing;
    if (status_.failed)
        return false;
    // These cues are short enough for a restart to pass for a resume.
    return start(status_.repeat);
}

bool MciSound::seek(MciCommand::SeekTarget)
{
    // Seeking stops playback; the next play starts the sound from its beginning.
    return stop();
}
