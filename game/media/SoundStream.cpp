// SPDX-License-Identifier: MIT
#include "SoundStream.h"

#include <QAudioSink>

#include <algorithm>

SoundStream::SoundStream(const PcmClip& clip, QObject* parent)
    : QObject(parent)
    , source_(clip.samples)
    , sink_(new QAudioSink(clip.format, this))
    , frameBytes_(std::max(1, clip.format.bytesPerFrame()))
{
    sink_->setBufferSize(clip.format.bytesForDuration(BufferMs * 1000));
    chunk_.resize(std::max(frameBytes_, clip.format.bytesForDuration(BufferMs * 1000)));
    // The output's own pulling hands over at most one 20 ms piece per turn and
    // stalls on a buffer this small, so the samples are pushed from here.
    feeder_.setTimerType(Qt::PreciseTimer);
    feeder_.setInterval(FeedMs);
    connect(&feeder_, &QTimer::timeout, this, &SoundStream::feed);
    // The output also stops by itself when the server goes away, and then
    // takes the device it handed out with it.
    connect(sink_, &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::StoppedState) {
            feeder_.stop();
            output_ = nullptr;
        }
    });
    // A cue stops and rewinds a sound, then often plays it at once: the
    // silent stream is made only once the cue is through.
    settle_.setSingleShot(true);
    settle_.setInterval(0);
    connect(&settle_, &QTimer::timeout, this, [this] { restart(false, false); });
    restart(false, false);
}

SoundStream::~SoundStream()
{
    settle_.stop();
    feeder_.stop();
    drop();
}

void SoundStream::play(bool loop)
{
    restart(true, loop);
}

void SoundStream::stop()
{
    // The game stops and rewinds each sound several times per cue; a stream
    // made anew for each would only burden the server.
    if ((quiet_ && output_) || settle_.isActive())
        return;
    feeder_.stop();
    drop();
    output_ = nullptr;
    settle_.start();
}

void SoundStream::restart(bool sound, bool loop)
{
    // A new server stream each time: nothing queued of an earlier play is
    // left to sound.
    settle_.stop();
    feeder_.stop();
    drop();
    sounding_ = sound;
    quiet_ = !sound;
    source_.restart(loop);
    output_ = sink_->start();
    if (!output_)
        return; // no sound server: silent, and tried again at the next play
    feed();
    feeder_.start();
}

void SoundStream::drop()
{
    // reset(), not stop(): Qt 6.8's stop() waits until the server has played
    // what is queued, which holds up the next play and lets a stopped sound
    // run on for as long. reset() drops it at once, as Qt 6.4's stop() does.
    sink_->reset();
}

void SoundStream::feed()
{
    if (!output_)
        return;
    qint64 room = sink_->bytesFree();
    room -= room % frameBytes_;
    while (room > 0) {
        qint64 got = sounding_ ? source_.read(chunk_.data(), std::min<qint64>(room, chunk_.size())) : 0;
        if (got <= 0) {
            sounding_ = false;
            got = std::min<qint64>(room, chunk_.size());
            std::fill_n(chunk_.data(), got, '\0');
        }
        if (output_->write(chunk_.constData(), got) < got)
            return;
        room -= got;
    }
}
