// SPDX-License-Identifier: MIT
#include "PcmSource.h"

#include <algorithm>
#include <cstring>

PcmSource::PcmSource(QByteArray samples, QObject* parent)
    : QIODevice(parent)
    , samples_(std::move(samples))
{
    // Unbuffered: a restart must not leave read-ahead of the earlier play.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

void PcmSource::restart(bool loop)
{
    offset_ = 0;
    loop_ = loop && !samples_.isEmpty();
}

qint64 PcmSource::bytesAvailable() const
{
    // The output shortens its start-up buffering to this for a short sound.
    const qint64 left = loop_ ? samples_.size() : samples_.size() - offset_;
    return left + QIODevice::bytesAvailable();
}

bool PcmSource::atEnd() const
{
    return !loop_ && offset_ >= samples_.size();
}

qint64 PcmSource::readData(char* data, qint64 maxSize)
{
    qint64 done = 0;
    while (done < maxSize) {
        if (offset_ >= samples_.size()) {
            if (!loop_)
                break;
            offset_ = 0;
        }
        const qint64 n = std::min(maxSize - done, samples_.size() - offset_);
        std::memcpy(data + done, samples_.constData() + offset_, size_t(n));
        offset_ += n;
        done += n;
    }
    return done;
}
