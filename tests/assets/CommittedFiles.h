// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

// Reading the committed files straight from the source tree.
QByteArray readSourceFile(const QString& relativePath);
QImage readSourceImage(const QString& relativePath);

inline bool isWhite(QRgb p)
{
    return (p & 0xFFFFFF) == 0xFFFFFF;
}

struct Wav {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<std::int16_t> samples;
};
// Parses a RIFF WAVE file; format 0 when it is not one.
Wav parseWav(const QByteArray& bytes);
