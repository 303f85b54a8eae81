// SPDX-License-Identifier: MIT
#include "ArtCommon.h"
#include "Artwork.h"
#include "SoundArt.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

QImage filled(int w, int h, QRgb c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

} // namespace

TEST(GeneratorTools, BmpEncodingRoundTripsThroughQtWithPaddedRows)
{
    // Odd widths need row padding; a wrong stride shears the picture.
    for (int width : {1, 3, 22, 225}) {
        QImage img(width, 5, QImage::Format_RGB32);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < width; ++x)
                img.setPixel(x, y, qRgb(x * 7 % 256, y * 50, (x + y) % 256));
        const QByteArray bytes = art::encodeBmp24(img);
        EXPECT_EQ(bytes.size(), 54 + 5 * ((width * 3 + 3) & ~3)) << width;
        const QImage back = QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(back, img) << width;
    }
}

TEST(GeneratorTools, FlatteningGivesHardEdgesWithoutWhiteInsideOrFringe)
{
    QImage canvas(4, 1, QImage::Format_ARGB32_Premultiplied);
    auto* row = reinterpret_cast<QRgb*>(canvas.scanLine(0));
    row[0] = qPremultiply(qRgba(100, 50, 25, 255));   // covered
    row[1] = qPremultiply(qRgba(100, 50, 25, 140));   // over half: own colour, not blended with white
    row[2] = qPremultiply(qRgba(100, 50, 25, 100));   // under half: background
    row[3] = qPremultiply(qRgba(255, 255, 255, 255)); // drawn white must stay visible
    const QImage flat = art::flattenOnWhite(canvas);
    EXPECT_EQ(flat.pixel(0, 0) & 0xFFFFFF, qRgb(100, 50, 25) & 0xFFFFFF);
    EXPECT_NEAR(qRed(flat.pixel(1, 0)), 100, 2);
    EXPECT_NEAR(qGreen(flat.pixel(1, 0)), 50, 2);
    EXPECT_EQ(flat.pixel(2, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_NE(flat.pixel(3, 0) & 0xFFFFFF, 0xFFFFFFu);

    const QImage mask = art::maskOf(flat);
    EXPECT_EQ(mask.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(mask.pixel(2, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(mask.pixel(3, 0) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(GeneratorTools, SpecksAndPinholesAreCleanedButRealGapsStay)
{
    QImage img = filled(20, 10, qRgb(255, 255, 255));
    // a solid block with a one-pixel hole and a big window, plus a loose speck
    for (int y = 2; y < 8; ++y)
        for (int x = 2; x < 18; ++x)
            img.setPixel(x, y, qRgb(90, 90, 100));
    img.setPixel(5, 4, qRgb(255, 255, 255));
    for (int y = 3; y < 7; ++y)
        for (int x = 10; x < 16; ++x)
            img.setPixel(x, y, qRgb(255, 255, 255));
    img.setPixel(0, 0, qRgb(20, 20, 20));
    art::removeSpecks(img, 3);
    art::fillPinholes(img, 3);
    EXPECT_EQ(img.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu) << "speck removed";
    EXPECT_NE(img.pixel(5, 4) & 0xFFFFFF, 0xFFFFFFu) << "pinhole filled";
    EXPECT_EQ(img.pixel(12, 5) & 0xFFFFFF, 0xFFFFFFu) << "a window larger than a pinhole stays open";
    EXPECT_EQ(img.pixel(3, 3) & 0xFFFFFF, qRgb(90, 90, 100) & 0xFFFFFF) << "the block is untouched";
}

TEST(GeneratorTools, MaskedBlitSamplesNearestAndCombinesOrThenAnd)
{
    // 2 x 1 picture: left pixel drawn red, right pixel background white.
    QImage picture = filled(2, 1, qRgb(255, 255, 255));
    picture.setPixel(0, 0, qRgb(200, 0, 0));
    const QImage mask = art::maskOf(picture);
    QImage canvas = filled(6, 2, qRgb(10, 40, 90));
    art::blitMasked(canvas, picture, mask, 1, 0, 4, 2); // doubled in both directions
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(canvas.pixel(0, y) & 0xFFFFFF, qRgb(10, 40, 90) & 0xFFFFFF);
        EXPECT_EQ(canvas.pixel(1, y) & 0xFFFFFF, qRgb(200, 0, 0) & 0xFFFFFF);
        EXPECT_EQ(canvas.pixel(2, y) & 0xFFFFFF, qRgb(200, 0, 0) & 0xFFFFFF);
        EXPECT_EQ(canvas.pixel(3, y) & 0xFFFFFF, qRgb(10, 40, 90) & 0xFFFFFF) << "white leaves the scene";
        EXPECT_EQ(canvas.pixel(4, y) & 0xFFFFFF, qRgb(10, 40, 90) & 0xFFFFFF);
    }
    // partly outside the canvas: clipped, no crash
    art::blitMasked(canvas, picture, mask, -3, -1, 8, 4);
    art::blitMasked(canvas, picture, mask, 0, 0, 0, 0);
}

TEST(GeneratorTools, WavHeaderDescribesTheSamples)
{
    const std::vector<std::int16_t> samples = {0, 1000, -1000, 32767, -32767};
    const QByteArray wav = art::encodeWav(samples, 22050);
    ASSERT_EQ(wav.size(), 44 + 10);
    EXPECT_TRUE(wav.startsWith("RIFF"));
    EXPECT_EQ(wav.mid(8, 8), QByteArray("WAVEfmt "));
    EXPECT_EQ(wav.mid(36, 4), QByteArray("data"));
    EXPECT_EQ(quint8(wav[44 + 6]), 0xFF);
    EXPECT_EQ(quint8(wav[44 + 7]), 0x7F);
}

TEST(GeneratorTools, RandomSourceIsRepeatableAndInRange)
{
    art::Rng a(42), b(42), c(43);
    bool differs = false;
    for (int i = 0; i < 1000; ++i) {
        const double x = a.uniform();
        EXPECT_EQ(x, b.uniform());
        differs = differs || x != c.uniform();
        ASSERT_GE(x, 0.0);
        ASSERT_LT(x, 1.0);
    }
    EXPECT_TRUE(differs);
}
