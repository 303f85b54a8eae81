// SPDX-License-Identifier: MIT
#include "WaveInfo.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

constexpr quint16 FormatPcm = 1;
constexpr quint16 FormatFloat = 3;
constexpr quint16 FormatExtensible = 0xFFFE;

bool readExactly(QFile& file, char* buffer, qint64 size)
{
    return file.read(buffer, size) == size;
}

} // namespace

std::optional<WaveInfo> WaveInfo::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;

    char riff[12];
    if (!readExactly(file, riff, sizeof riff) || memcmp(riff, "RIFF", 4) != 0
        || memcmp(riff + 8, "WAVE", 4) != 0)
        return std::nullopt;

    WaveInfo info;
    int blockAlign = 0;
    bool haveFormat = false;
    while (true) {
        char header[8];
        if (!readExactly(file, header, sizeof header))
            return std::nullopt;
        const qint64 size = qFromLittleEndian<quint32>(header + 4);
        if (memcmp(header, "fmt ", 4) == 0) {
            // The extensible layout carries the real format tag in the first
            // two bytes of its sub-format.
            char fmt[26];
            const qint64 wanted = std::min<qint64>(size, sizeof fmt);
            if (size < 16 || !readExactly(file, fmt, wanted))
                return std::nullopt;
            quint16 tag = qFromLittleEndian<quint16>(fmt);
            if (tag == FormatExtensible) {
                if (wanted < qint64(sizeof fmt))
                    return std::nullopt;
                tag = qFromLittleEndian<quint16>(fmt + 24);
            }
            info.channels = qFromLittleEndian<quint16>(fmt + 2);
            info.sampleRate = int(qFromLittleEndian<quint32>(fmt + 4));
            blockAlign = qFromLittleEndian<quint16>(fmt + 12);
            info.bitsPerSample = qFromLittleEndian<quint16>(fmt + 14);
            if ((tag != FormatPcm && tag != FormatFloat) || info.channels == 0 || info.sampleRate <= 0
                || blockAlign == 0 || info.bitsPerSample == 0)
                return std::nullopt;
            info.isFloat = tag == FormatFloat;
            info.blockAlign = blockAlign;
            haveFormat = true;
            if (!file.seek(file.pos() + (size - wanted) + (size & 1)))
                return std::nullopt;
        } else if (memcmp(header, "data", 4) == 0) {
            if (!haveFormat)
                return std::nullopt;
            // Recorders that stream often leave the size unset: trust the file.
            info.dataOffset = file.pos();
            info.dataBytes = std::min(size, file.size() - file.pos());
            const qint64 bytesPerSecond = qint64(info.sampleRate) * blockAlign;
            info.durationMs = info.dataBytes * 1000 / bytesPerSecond;
            return info;
        } else if (!file.seek(file.pos() + size + (size & 1))) {
            return std::nullopt;
        }
    }
}

std::optional<QByteArray> WaveInfo::readSamples(const QString& path) const
{
    QFile file(path);
    if (blockAlign <= 0 || !file.open(QIODevice::ReadOnly) || !file.seek(dataOffset))
        return std::nullopt;
    const qint64 wanted = dataBytes - dataBytes % blockAlign;
    QByteArray samples = file.read(wanted);
    if (samples.size() != wanted)
        return std::nullopt;
    return samples;
}
