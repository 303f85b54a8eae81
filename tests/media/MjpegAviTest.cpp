// SPDX-License-Identifier: MIT
#include "MjpegAvi.h"
#include "TestMedia.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

QByteArray jpegOf(QColor colour, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 95);
    return bytes;
}

QByteArray le32(quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 4);
}

QByteArray chunk(const QByteArray& id, const QByteArray& body)
{
    QByteArray out = id + le32(quint32(body.size())) + body;
    if (body.size() & 1)
        out.append('\0');
    return out;
}

QByteArray list(const QByteArray& type, const QByteArray& body)
{
    return chunk("LIST", type + body);
}

// An AVI as a writer lays it out: a main header, one stream header with its
// format, then the frames, as '00dc' chunks, inside the 'movi' list.
QByteArray aviOf(const QList<QByteArray>& frames, const QByteArray& codec, quint32 scale, quint32 rate,
                 QSize size, const QByteArray& frameId = "00dc")
{
    QByteArray avih = le32(1000000 * scale / rate) + QByteArray(52, '\0');
    QByteArray strh =
        "vids" + codec + le32(0) + le32(0) + le32(0) + le32(scale) + le32(rate) + QByteArray(28, '\0');
    QByteArray strf = le32(40) + le32(quint32(size.width())) + le32(quint32(size.height()))
        + QByteArray(4, '\0') + codec + QByteArray(20, '\0');
    QByteArray movi;
    for (const QByteArray& frame : frames)
        movi += chunk(frameId, frame);
    const QByteArray body = "AVI "
        + list("hdrl", chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf)))
        + list("movi", movi);
    return chunk("RIFF", body);
}

class MjpegAviTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(MjpegAviTest, TheTitleMovieHasEveryFrameAtItsRate)
{
    QString error;
    const auto movie = MjpegAvi::read(QStringLiteral(MEDIA_TEST_DATA_DIR "/MVTitle.avi"), &error);
    ASSERT_TRUE(movie) << error.toStdString();
    EXPECT_EQ(movie->size(), QSize(416, 251));
    EXPECT_EQ(movie->frameInterval(), 66667us);
    ASSERT_EQ(movie->frameCount(), 60);
    for (int i = 0; i < movie->frameCount(); ++i) {
        const QImage frame = movie->frame(i);
        ASSERT_EQ(frame.size(), QSize(416, 251)) << "frame " << i;
        ASSERT_EQ(frame.format(), QImage::Format_RGB32);
    }
    EXPECT_TRUE(movie->frame(60).isNull());
    EXPECT_TRUE(movie->frame(-1).isNull());
}

TEST_F(MjpegAviTest, FramesComeInFileOrderWithOddChunksPaddedAndDroppedFramesRepeated)
{
    QByteArray red = jpegOf(Qt::red, {32, 16});
    if (red.size() % 2 == 0)
        red.append('\0'); // bytes past the end of the picture are ignored by readers
    const QByteArray blue = jpegOf(Qt::blue, {32, 16});
    const QString path =
        write(QStringLiteral("made.avi"), aviOf({red, QByteArray(), blue}, "MJPG", 1, 10, {32, 16}));
    QString error;
    const auto movie = MjpegAvi::read(path, &error);
    ASSERT_TRUE(movie) << error.toStdString();
    EXPECT_EQ(movie->frameInterval(), 100ms);
    ASSERT_EQ(movie->frameCount(), 3);
    EXPECT_GT(qRed(movie->frame(0).pixel(8, 8)), 200);
    EXPECT_EQ(movie->frame(1), movie->frame(0)) << "an empty chunk repeats the frame before";
    EXPECT_GT(qBlue(movie->frame(2).pixel(8, 8)), 200);

    // '00db' (uncompressed-style ids some writers use) counts too; other
    // streams' chunks do not.
    const QString db = write(QStringLiteral("db.avi"), aviOf({blue, red}, "mjpg", 1, 25, {32, 16}, "00db"));
    ASSERT_TRUE(MjpegAvi::read(db, &error));
    EXPECT_EQ(MjpegAvi::read(db, &error)->frameCount(), 2);
    const QString other = write(QStringLiteral("other.avi"), aviOf({blue}, "MJPG", 1, 25, {32, 16}, "01wb"));
    EXPECT_FALSE(MjpegAvi::read(other, &error));
    EXPECT_EQ(error, QStringLiteral("the movie has no frames"));
}

TEST_F(MjpegAviTest, ACutFileKeepsTheFramesItStillHasWhole)
{
    QFile title(QStringLiteral(MEDIA_TEST_DATA_DIR "/MVTitle.avi"));
    ASSERT_TRUE(title.open(QIODevice::ReadOnly));
    const QByteArray whole = title.readAll();
    const QString path = write(QStringLiteral("cut.avi"), whole.left(whole.size() / 2));
    QString error;
    const auto movie = MjpegAvi::read(path, &error);
    ASSERT_TRUE(movie) << error.toStdString();
    EXPECT_GT(movie->frameCount(), 20);
    EXPECT_LT(movie->frameCount(), 40);
    EXPECT_FALSE(movie->frame(movie->frameCount() - 2).isNull());
}

TEST_F(MjpegAviTest, WhatIsNoMotionJpegMovieIsRefusedWithItsReason)
{
    QString error;
    EXPECT_FALSE(MjpegAvi::read(dir.filePath(QStringLiteral("none.avi")), &error));
    EXPECT_FALSE(error.isEmpty());

    EXPECT_FALSE(MjpegAvi::read(write(QStringLiteral("text.avi"), "this is no movie at all"), &error));
    EXPECT_EQ(error, QStringLiteral("not an AVI file"));
    EXPECT_FALSE(MjpegAvi::read(write(QStringLiteral("sound.avi"), makeWave(100)), &error));
    EXPECT_EQ(error, QStringLiteral("not an AVI file"));

    const QByteArray jpeg = jpegOf(Qt::green, {16, 16});
    EXPECT_FALSE(
        MjpegAvi::read(write(QStringLiteral("raw.avi"), aviOf({jpeg}, "DIB ", 1, 15, {16, 16})), &error));
    EXPECT_EQ(error, QStringLiteral("the video is not Motion-JPEG (DIB )"));
    EXPECT_FALSE(
        MjpegAvi::read(write(QStringLiteral("empty.avi"), aviOf({}, "MJPG", 1, 15, {16, 16})), &error));
    EXPECT_EQ(error, QStringLiteral("the movie has no frames"));
    EXPECT_FALSE(MjpegAvi::read(
        write(QStringLiteral("junk.avi"), aviOf({"not a jpeg"}, "MJPG", 1, 15, {16, 16})), &error));
    EXPECT_EQ(error, QStringLiteral("the first frame does not decode as JPEG"));

    const QString ffv1 = dir.filePath(QStringLiteral("ffv1.avi"));
    if (makeMovie(ffv1, 0.5, "ffv1")) {
        EXPECT_FALSE(MjpegAvi::read(ffv1, &error));
        EXPECT_EQ(error, QStringLiteral("the video is not Motion-JPEG (FFV1)"));
    }
}
