// SPDX-License-Identifier: MIT
#include "PcmClip.h"

#include <QtEndian>

#include <cstring>

namespace {

// 24-bit samples have no output format of their own: widened to 32 bits.
QByteArray widen24(const QByteArray& in)
{
    QByteArray out(in.size() / 3 * 4, Qt::Uninitialized);
    char* dst = out.data();
    for (qsizetype i = 0; i + 3 <= in.size(); i += 3, dst += 4) {
        const quint32 v = (quint32(quint8(in[i])) << 8) | (quint32(quint8(in[i + 1])) << 16)
            | (quint32(quint8(in[i + 2])) << 24);
        qToLittleEndian(v, dst);
    }
    return out;
}

// Nor have 64-bit floats: narrowed to 32 bits.
QByteArray narrowDouble(const QByteArray& in)
{
    QByteArray out(in.size() / 8 * 4, Qt::Uninitialized);
    for (qsizetype i = 0; i + 8 <= in.size(); i += 8) {
        const quint64 bits = qFromLittleEndian<quint64>(in.constData() + i);
        double d;
        std::memcpy(&d, &bits, sizeof d);
        const float f = float(d);
        quint32 fbits;
        std::memcpy(&fbits, &f, sizeof fbits);
        qToLittleEndian(fbits, out.data() + i / 2);
    }
    return out;
}

} // namespace

std::optional<PcmClip> PcmClip::fromWave(const WaveInfo& info, const QByteArray& samples)
{
    if (info.channels <= 0 || info.blockAlign % info.channels != 0)
        return std::nullopt;
    // The container size decides the layout; fewer valid bits sit in its top.
    const int bytes = info.blockAlign / info.channels;
    PcmClip clip;
    clip.format.sampleRate = info.sampleRate;
    clip.format.channelCount = info.channels;
    clip.samples = samples;
    if (info.isFloat) {
        if (bytes == 8)
            clip.samples = narrowDouble(samples);
        else if (bytes != 4)
            return std::nullopt;
        clip.format.sample = PcmFormat::Sample::Float;
        return clip;
    }
    switch (bytes) {
    case 1: clip.format.sample = PcmFormat::Sample::UInt8; break;
    case 2: clip.format.sample = PcmFormat::Sample::Int16; break;
    case 3:
        clip.samples = widen24(samples);
        clip.format.sample = PcmFormat::Sample::Int32;
        break;
    case 4: clip.format.sample = PcmFormat::Sample::Int32; break;
    default: return std::nullopt;
    }
    return clip;
}
