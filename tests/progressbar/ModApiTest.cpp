// SPDX-License-Identifier: MIT
#include "modAPI.h"

#include <gtest/gtest.h>

namespace {

QImage filled(int w, int h, QRgb color, QImage::Format format = QImage::Format_RGB32)
{
    QImage img(w, h, format);
    img.fill(color);
    return img;
}

// Pixels i of a row numbered so that every one differs.
QImage numbered(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x * 16, y * 16, (x + y) * 8));
    return img;
}

} // namespace

TEST(ModApi, SrcInvertXorsTheBlockAndLeavesTheRest)
{
    QImage dst = filled(6, 4, qRgb(0xFF, 0x00, 0x00));
    const QImage src = filled(3, 2, qRgb(0x00, 0xFF, 0xFF));
    ASSERT_TRUE(modAPI::BitBlt(dst, 2, 1, 3, 2, src, 0, 0, modAPI::SRCINVERT));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
            EXPECT_EQ(dst.pixel(x, y), inside ? qRgb(0xFF, 0xFF, 0xFF) : qRgb(0xFF, 0, 0)) << x << "," << y;
        }
    // XOR twice gives the original back.
    ASSERT_TRUE(modAPI::BitBlt(dst, 2, 1, 3, 2, src, 0, 0, modAPI::SRCINVERT));
    EXPECT_EQ(dst, filled(6, 4, qRgb(0xFF, 0x00, 0x00)));
}

TEST(ModApi, OperationsCombineRgbAndKeepDestinationAlpha)
{
    const QRgb d = qRgba(0x0F, 0xF0, 0x33, 0x80), s = qRgb(0x3C, 0x3C, 0x55);
    const struct {
        quint32 rop;
        QRgb expected;
    } cases[] = {
        {modAPI::SRCCOPY, qRgba(0x3C, 0x3C, 0x55, 0x80)},
        {modAPI::SRCPAINT, qRgba(0x3F, 0xFC, 0x77, 0x80)},
        {modAPI::SRCAND, qRgba(0x0C, 0x30, 0x11, 0x80)},
        {modAPI::SRCINVERT, qRgba(0x33, 0xCC, 0x66, 0x80)},
    };
    for (const auto& c : cases) {
        QImage dst = filled(1, 1, d, QImage::Format_ARGB32);
        ASSERT_TRUE(modAPI::BitBlt(dst, 0, 0, 1, 1, filled(1, 1, s), 0, 0, c.rop));
        EXPECT_EQ(dst.pixel(0, 0), c.expected) << std::hex << c.rop;
    }
}

TEST(ModApi, BlocksAreClippedToBothImages)
{
    const QImage src = numbered(4, 4);
    // Hanging over the top-left of the destination: only the overlap moves,
    // and it comes from the matching source pixels.
    QImage dst = filled(4, 4, qRgb(0, 0, 0));
    ASSERT_TRUE(modAPI::BitBlt(dst, -1, -2, 4, 4, src, 0, 0, modAPI::SRCCOPY));
    EXPECT_EQ(dst.pixel(0, 0), src.pixel(1, 2));
    EXPECT_EQ(dst.pixel(2, 1), src.pixel(3, 3));
    EXPECT_EQ(dst.pixel(3, 0), qRgb(0, 0, 0));
    EXPECT_EQ(dst.pixel(0, 2), qRgb(0, 0, 0));

    // A source block partly outside the source, and a block past the right
    // and bottom edges of the destination.
    dst = filled(4, 4, qRgb(0, 0, 0));
    ASSERT_TRUE(modAPI::BitBlt(dst, 1, 1, 5, 5, src, -1, 0, modAPI::SRCCOPY));
    EXPECT_EQ(dst.pixel(1, 1), qRgb(0, 0, 0)); // source column -1 does not exist
    EXPECT_EQ(dst.pixel(2, 1), src.pixel(0, 0));
    EXPECT_EQ(dst.pixel(3, 3), src.pixel(1, 2));

    // Wholly outside, empty or absurd blocks change nothing and do not fail.
    const QImage before = dst;
    EXPECT_TRUE(modAPI::BitBlt(dst, 10, 0, 3, 3, src, 0, 0, modAPI::SRCINVERT));
    EXPECT_TRUE(modAPI::BitBlt(dst, 0, 0, 0, 3, src, 0, 0, modAPI::SRCINVERT));
    EXPECT_TRUE(modAPI::BitBlt(dst, INT_MIN, INT_MIN, INT_MAX, INT_MAX, src, INT_MAX, 0, modAPI::SRCINVERT));
    EXPECT_EQ(dst, before);
}

TEST(ModApi, OverlappingBlockOfOneImageReadsThePixelsBeforeTheTransfer)
{
    QImage img = numbered(5, 1);
    const QImage original = img;
    ASSERT_TRUE(modAPI::BitBlt(img, 1, 0, 4, 1, img, 0, 0, modAPI::SRCCOPY));
    for (int x = 1; x < 5; ++x)
        EXPECT_EQ(img.pixel(x, 0), original.pixel(x - 1, 0));
}

TEST(ModApi, RefusesUnknownOperationsAndFormats)
{
    QImage dst = filled(2, 2, qRgb(1, 2, 3));
    const QImage before = dst;
    EXPECT_FALSE(modAPI::BitBlt(dst, 0, 0, 2, 2, filled(2, 2, qRgb(9, 9, 9)), 0, 0, 0x00BB0226));
    EXPECT_FALSE(modAPI::BitBlt(dst, 0, 0, 2, 2, filled(2, 2, qRgb(9, 9, 9), QImage::Format_RGB888), 0, 0,
                                modAPI::SRCCOPY));
    QImage none;
    EXPECT_FALSE(modAPI::BitBlt(none, 0, 0, 2, 2, dst, 0, 0, modAPI::SRCCOPY));
    EXPECT_EQ(dst, before);
}
