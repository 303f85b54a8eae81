// SPDX-License-Identifier: MIT
#include "MciSound.h"

#include <QSoundEffect>
#include <QUrl>

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

    // Decoding starts now, well before the first play. Without a sound card
    // the effect would only complain; it is made once an output is there.
    if (audioAvailable_())
        createEffect();
}

void MciSound::createEffect()
{
    effect_ = new QSoundEffect(this);
    connect(effect_, &QSoundEffect::statusChanged, this, [this] {
        if (effect_->status() == QSoundEffect::Error && markFailed(QStringLiteral("cannot decode")))
            stop();
    });
    effect_->setSource(QUrl::fromLocalFile(status_.path));
}

void MciSound::start(bool repeat)
{
    if (!effect_)
        createEffect();
    status_.mode = mci::Mode::Playing;
    status_.repeat = repeat;
    effect_->setLoopCount(repeat ? QSoundEffect::Infinite : 1);
    effect_->play();
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
    if (effect_)
        effect_->stop();
    status_.mode = mci::Mode::Stopped;
    return true;
}

bool MciSound::pause()
{
    if (status_.mode != mci::Mode::Playing)
        return status_.mode == mci::Mode::Paused;
    end_.stop();
    if (effect_)
        effect_->stop();
    status_.mode = mci::Mode::Paused;
    return true;
}

bool MciSound::resume()
{
    if (status_.mode != mci::Mode::Paused)
        return status_.mode == mci::Mode::Playing;
    if (status_.failed || !audioAvailable_())
        return false;
    // A sound effect cannot continue mid-way; these cues are short enough
    // for a restart to pass.
    start(status_.repeat);
    return true;
}

bool MciSound::seek(MciCommand::SeekTarget)
{
    // Seeking stops playback; the next play starts the sound from its beginning.
    return stop();
}
