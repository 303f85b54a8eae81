// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <chrono>
#include <optional>

// The pictures of a Motion-JPEG AVI file, each frame a whole JPEG image that
// Qt's own reader decodes. The title movie is such a file; playing it this way
// needs no media service, no video output and no graphics driver, and every
// platform shows the same frames.
class MjpegAvi {
public:
    // Null, with the reason in *error, when the file cannot be read, is no
    // AVI, has no video stream, or its video is not Motion-JPEG.
    static std::optional<MjpegAvi> read(const QString& path, QString* error);

    int frameCount() const { return int(frames_.size()); }
    std::chrono::microseconds frameInterval() const { return interval_; }
    QSize size() const { return size_; }

    // The picture of frame `index` (0-based); null when that frame's data
    // does not decode. An empty chunk (a dropped frame) repeats the frame
    // before it.
    QImage frame(int index) const;

private:
    struct Chunk {
        qsizetype offset = 0;
        qsizetype length = 0;
    };

    MjpegAvi() = default;

    QByteArray data_;
    QList<Chunk> frames_;
    std::chrono::microseconds interval_{0};
    QSize size_;
};
