// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QtEndian>

// Media files made on the spot, so the tests need nothing committed.

// A 16-bit mono PCM WAV of the given length.
inline QByteArray makeWave(int durationMs, int sampleRate = 8000)
{
    const quint32 dataBytes = quint32(sampleRate) * durationMs / 1000 * 2;
    QByteArray wav;
    auto put32 = [&wav](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    auto put16 = [&wav](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    wav.append("RIFF");
    put32(36 + dataBytes);
    wav.append("WAVEfmt ");
    put32(16);
    put16(1);
    put16(1);
    put32(quint32(sampleRate));
    put32(quint32(sampleRate) * 2);
    put16(2);
    put16(16);
    wav.append("data");
    put32(dataBytes);
    for (quint32 i = 0; i < dataBytes / 2; ++i)
        put16(quint16((i % 40) < 20 ? 4000 : -4000));
    return wav;
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// An AVI, by default Motion-JPEG like the title movie; false where ffmpeg is
// missing.
inline bool makeMovie(const QString& path, double seconds, const char* codec = "mjpeg")
{
#ifdef MEDIA_TEST_FFMPEG
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral(MEDIA_TEST_FFMPEG),
                 {"-loglevel", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=160x96:rate=15", "-t",
                  QString::number(seconds), "-c:v", codec, "-q:v", "5", path});
    return ffmpeg.waitForFinished(30000) && ffmpeg.exitCode() == 0;
#else
    Q_UNUSED(path);
    Q_UNUSED(seconds);
    Q_UNUSED(codec);
    return false;
#endif
}
