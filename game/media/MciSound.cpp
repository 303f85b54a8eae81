// SPDX-License-Identifier: MIT
#include "MciSound.h"

#include "SoundStream.h"

#include <algorithm>
#include <climits>

MciSound* MciSound::open(const QString& path, std::function<bool()> audioAvailable,
                         QObject* parent)
{
    const auto info = WaveInfo::read(path);
    if (!info)
        return nullptr;
    return new MciSound(path, *info, std::move(audioAvailable), parent);
}

MciSound::MciSound(const QString& path, const WaveInfo& info,
                   std::function<bool()> audioAvailable, QObject* parent)
    : MciDevice(parent)
    , info_(info)
    , audioAvailable_(std::move(audioAvailable))
{
    status_.kind = mci::DeviceKind::Sound;
    status_.path = path;
    end_.setSingleShot(true);
    connect(&end_, &QTimer::timeout, this, [this] { status_.mode = mci::Mode::Stopped; });

    // Decoded now, well before the first play.
    if (const auto samples = info_.readSamples(path))
        clip_ = PcmClip::fromWave(info_, *samples);
    if (!clip_) {
        markFailed(QStringLiteral("cannot decode"));
        return;
    }
    // Without a sound server the stream would only complain; it is made once
    // an output is there.
    if (audioAvailable_())
        createStream();
}

void MciSound::createStream()
{
    stream_ = new SoundStream(*clip_, this);
}

void MciSound::start(bool repeat)
{
    if (!stream_)
        createStream();
    status_.mode = mci::Mode::Playing;
    status_.repeat = repeat;
    stream_->play(repeat);
    if (repeat)
        end_.stop();
    else
        end_.start(int(std::min<qint64>(info_.durationMs, INT_MAX)));
}

bool MciSound::play(bool repeat)
{
    if (status_.failed || !audioAvailable_())
        return false;
    // A sound always plays whole from where it was sought to; the game seeks
    // to the start before every play.
    start(repeat);
    ++status_.playCount;
    return true;
}

bool MciSound::stop()
{
    end_.stop();
    if (stream_)
        stream_->stop();
    status_.mode = mci::Mode::Stopped;
    return true;
}

bool MciSound::pause()
{
    if (status_.mode != mci::Mode::Playing)
        return status_.mode == mci::Mode::Paused;
    end_.stop();
    if (stream_)
        stream_->stop();
    status_.mode = mci::Mode::Paused;
    return true;
}

bool MciSound::resume()
{
    if (status_.mode != mci::Mode::Paused)
        return status_.mode == mci::Mode::Playing;
    if (status_.failed || !audioAvailable_())
        return false;
    // These cues are short enough for a restart to pass for a resume.
    start(status_.repeat);
    return true;
}

bool MciSound::seek(MciCommand::SeekTarget)
{
    // Seeking stops playback; the next play starts the sound from its beginning.
    return stop();
}
