// SPDX-License-Identifier: MIT
#include "CommittedFiles.h"

#include <QFile>
#include <QtEndian>

QByteArray readSourceFile(const QString& relativePath)
{
    QFile f(QStringLiteral(MORTAVEL_SOURCE_DIR "/") + relativePath);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QImage readSourceImage(const QString& relativePath)
{
    return QImage::fromData(readSourceFile(relativePath));
}

Wav parseWav(const QByteArray& bytes)
{
    Wav wav;
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return wav;
    const auto* d = reinterpret_cast<const uchar*>(bytes.constData());
    qsizetype pos = 12;
    while (pos + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(pos, 4);
        const qsizetype size = qFromLittleEndian<quint32>(d + pos + 4);
        const qsizetype body = pos + 8;
        if (body + size > bytes.size())
            return Wav{};
        if (id == "fmt " && size >= 16) {
            wav.format = qFromLittleEndian<quint16>(d + body);
            wav.channels = qFromLittleEndian<quint16>(d + body + 2);
            wav.rate = int(qFromLittleEndian<quint32>(d + body + 4));
            wav.bits = qFromLittleEndian<quint16>(d + body + 14);
        } else if (id == "data") {
            wav.samples.resize(std::size_t(size / 2));
            for (std::size_t i = 0; i < wav.samples.size(); ++i)
                wav.samples[i] = qFromLittleEndian<qint16>(d + body + 2 * qsizetype(i));
        }
        pos = body + size + (size & 1);
    }
    return wav;
}
