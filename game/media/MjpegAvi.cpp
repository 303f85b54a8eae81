// SPDX-License-Identifier: MIT
#include "MjpegAvi.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>

namespace {

// Nothing a title movie needs comes near this; a larger file is not read
// into memory.
constexpr qint64 MaxFileSize = 256 * 1024 * 1024;

quint32 le32(const QByteArray& data, qsizetype at)
{
    if (at < 0 || at + 4 > data.size())
        return 0;
    return qFromLittleEndian<quint32>(data.constData() + at);
}

QByteArray fourcc(const QByteArray& data, qsizetype at)
{
    return at >= 0 && at + 4 <= data.size() ? data.mid(at, 4) : QByteArray();
}

struct Header {
    quint32 microSecPerFrame = 0;
    int videoStream = -1;
    quint32 scale = 0;
    quint32 rate = 0;
    QByteArray handler;
    QByteArray compression;
    QSize size;
};

// Walks the chunks between `begin` and `end`: lists are entered (the frames
// may sit in 'rec ' groups), every other chunk goes to `visit` with its id,
// data offset, data length and the list it is in. A chunk that claims more
// than the file holds is cut at the end of the file: a truncated movie keeps
// the frames it still has whole.
template <typename Visit>
void walk(const QByteArray& data, qsizetype begin, qsizetype end, const QByteArray& list, Visit&& visit)
{
    qsizetype at = begin;
    while (at + 8 <= end) {
        const QByteArray id = fourcc(data, at);
        const qsizetype length = std::min<qsizetype>(le32(data, at + 4), end - (at + 8));
        if (id == "LIST" || id == "RIFF") {
            if (length >= 4)
                walk(data, at + 12, at + 8 + length, fourcc(data, at + 8), visit);
        } else {
            visit(id, at + 8, length, list);
        }
        at += 8 + length + (length & 1);
    }
}

bool isMotionJpeg(const QByteArray& code)
{
    const QByteArray upper = code.toUpper();
    return upper == "MJPG" || upper == "JPEG" || upper == "AVRN" || upper == "AVI1";
}

} // namespace

std::optional<MjpegAvi> MjpegAvi::read(const QString& path, QString* error)
{
    auto fail = [error](const QString& why) -> std::optional<MjpegAvi> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    if (file.size() > MaxFileSize)
        return fail(QStringLiteral("the movie file is too large"));
    MjpegAvi movie;
    movie.data_ = file.readAll();
    const QByteArray& data = movie.data_;
    if (fourcc(data, 0) != "RIFF" || fourcc(data, 8) != "AVI ")
        return fail(QStringLiteral("not an AVI file"));

    Header header;
    int streams = 0;
    QByteArray streamType;
    QByteArray videoChunk;
    // The file is one RIFF 'AVI ' and, past 1 GiB, 'AVIX' extensions.
    walk(data, 0, data.size(), QByteArray(),
         [&](const QByteArray& id, qsizetype at, qsizetype length, const QByteArray& list) {
             if (id == "avih" && length >= 4) {
                 header.microSecPerFrame = le32(data, at);
             } else if (id == "strh" && length >= 28) {
                 streamType = fourcc(data, at);
                 if (streamType == "vids" && header.videoStream < 0) {
                     header.videoStream = streams;
                     header.handler = fourcc(data, at + 4);
                     header.scale = le32(data, at + 20);
                     header.rate = le32(data, at + 24);
                 }
                 ++streams;
             } else if (id == "strf" && streamType == "vids" && header.videoStream == streams - 1
                        && length >= 20) {
                 header.size = QSize(int(le32(data, at + 4)), std::abs(int(le32(data, at + 8))));
                 header.compression = fourcc(data, at + 16);
                 videoChunk = QByteArray::number(header.videoStream).rightJustified(2, '0');
             } else if (list == "movi" || list == "rec ") {
                 if (!videoChunk.isEmpty() && id.startsWith(videoChunk)
                     && (id.endsWith("dc") || id.endsWith("db")))
                     movie.frames_.append({at, length});
             }
         });

    if (header.videoStream < 0)
        return fail(QStringLiteral("the file has no video"));
    const QByteArray codec = header.compression.isEmpty() ? header.handler : header.compression;
    if (!isMotionJpeg(codec))
        return fail(QStringLiteral("the video is not Motion-JPEG (%1)").arg(QString::fromLatin1(codec)));
    // A dropped frame at the start has nothing to repeat.
    while (!movie.frames_.isEmpty() && movie.frames_.first().length == 0)
        movie.frames_.removeFirst();
    if (movie.frames_.isEmpty())
        return fail(QStringLiteral("the movie has no frames"));

    // The stream's own rate is exact (15/1); the main header's microseconds
    // are rounded.
    qint64 micros = header.rate && header.scale
        ? (qint64(header.scale) * 1000000 + header.rate / 2) / header.rate
        : qint64(header.microSecPerFrame);
    if (micros <= 0)
        micros = 1000000 / 15;
    movie.interval_ = std::chrono::microseconds(std::clamp<qint64>(micros, 1000, 10000000));

    const QImage first = movie.frame(0);
    if (first.isNull())
        return fail(QStringLiteral("the first frame does not decode as JPEG"));
    movie.size_ = header.size.isValid() && !header.size.isEmpty() ? header.size : first.size();
    return movie;
}

QImage MjpegAvi::frame(int index) const
{
    if (index < 0 || index >= frames_.size())
        return {};
    while (index > 0 && frames_[index].length == 0)
        --index;
    const Chunk& chunk = frames_[index];
    QImage image = QImage::fromData(QByteArrayView(data_.constData() + chunk.offset, chunk.length), "JPEG");
    if (image.isNull() || image.format() == QImage::Format_RGB32)
        return image;
    return image.convertToFormat(QImage::Format_RGB32);
}
