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
            char fmt[16];
            if (size < qint64(sizeof fmt) || !readExactly(file, fmt, sizeof fmt))
                return std::nullopt;
            const quint16 tag = qFromLittleEndian<quint16>(fmt);
            info.channels = qFromLittleEndian<quint16>(fmt + 2);
            info.sampleRate = int(qFromLittleEndian<quint32>(fmt + 4));
            blockAlign = qFromLittleEndian<quint16>(fmt + 12);
            info.bitsPerSample = qFromLittleEndian<quint16>(fmt + 14);
            if ((tag != FormatPcm && tag != FormatFloat && tag != FormatExtensible)
                || info.channels == 0 || info.sampleRate <= 0 || blockAlign == 0
                || info.bitsPerSample == 0)
                return std::nullopt;
            haveFormat = true;
            if (!file.seek(file.pos() + (size - qint64(sizeof fmt)) + (size & 1)))
                return std::nullopt;
        } else if (memcmp(header, "data", 4) == 0) {
            if (!haveFormat)
                return std::nullopt;
            // Recorders that stream often leave the size unset: trust the file.
            info.dataBytes = std::min(size, file.size() - file.pos());
            const qint64 bytesPerSecond = qint64(info.sampleRate) * blockAlign;
            info.durationMs = info.dataBytes * 1000 / bytesPerSecond;
            return info;
        } else if (!file.seek(file.pos() + size + (size & 1))) {
            return std::nullopt;
        }
    }
}
