// SPDX-License-Identifier: MIT
#include "TestSupport.h"

#include <QSet>

#include <cmath>

namespace {

const QRgb White = qRgb(255, 255, 255);
const QRgb Red = qRgb(255, 0, 0);

// Columns filled from the left, judged on a row the caption never reaches.
int filledColumns(const QImage& bar, QRgb color)
{
    int n = 0;
    while (n < bar.width() && bar.pixel(n, 0) == color)
        ++n;
    return n;
}

QSet<QRgb> colours(const QImage& img)
{
    QSet<QRgb> set;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            set.insert(img.pixel(x, y));
    return set;
}

// Checks every pixel the caption block covers: letters turn to `onFill` over
// the filled columns and to `onEmpty` over the rest; between letters the bar
// shows through unchanged. Returns the letter pixels seen over fill and empty.
std::pair<int, int> checkCaption(const Gauge& bar, int fillColumns, QRgb barColour, QRgb onFill, QRgb onEmpty)
{
    const QImage img = bar->barImage(), caption = bar->captionImage();
    const QRgb letter = rgbOf(bar->strColor());
    // Centred inside the border, halves to even.
    const int x0 = int(std::nearbyint((img.width() - caption.width()) / 2.0));
    const int y0 = int(std::nearbyint((img.height() - caption.height()) / 2.0));
    int overFill = 0, overEmpty = 0;
    for (int cy = 0; cy < caption.height(); ++cy) {
        for (int cx = 0; cx < caption.width(); ++cx) {
            const int x = x0 + cx, y = y0 + cy;
            if (x < 0 || y < 0 || x >= img.width() || y >= img.height())
                continue;
            const bool filled = x < fillColumns;
            const QRgb c = caption.pixel(cx, cy);
            EXPECT_TRUE(c == letter || c == qRgb(0, 0, 0)) << "caption pixel " << cx << "," << cy;
            if (c == letter) {
                EXPECT_EQ(img.pixel(x, y), filled ? onFill : onEmpty) << x << "," << y;
                ++(filled ? overFill : overEmpty);
            } else {
                EXPECT_EQ(img.pixel(x, y), filled ? barColour : White) << x << "," << y;
            }
        }
    }
    return {overFill, overEmpty};
}

} // namespace

TEST(Redraw, TheBarIsTheInnerAreaOfTheGaugeAtGameSize)
{
    Gauge bar;
    setUpReloadGauge(bar);
    EXPECT_EQ(bar.size(), QSize(326, 26));
    const QWidget* prg = bar.findChild<QWidget*>(QStringLiteral("picPrg"));
    ASSERT_TRUE(prg);
    EXPECT_EQ(prg->geometry(), QRect(2, 2, 321, 22));
    EXPECT_EQ(bar->barImage().size(), QSize(319, 20));
}

TEST(Redraw, FillCoversTheShareOfTheOuterWidth)
{
    Gauge bar;
    setUpReloadGauge(bar);
    bar->setStringType(VelProgressBar::stypeNone);
    // Outer width 321 px: the fill reaches column CLng(321 * ratio), both
    // ends included, so it meets the inner edge (319) just before the end.
    const int expected[][2] = {{0, 0}, {1, 7}, {25, 161}, {49, 316}, {50, 319}};
    for (const auto& e : expected) {
        bar->setValue(e[0]);
        const QImage img = bar->barImage();
        EXPECT_EQ(filledColumns(img, Red), e[1]) << "value " << e[0];
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                ASSERT_EQ(img.pixel(x, y), x < e[1] ? Red : White) << x << "," << y;
    }
}

TEST(Redraw, CaptionIsCentredAndXoredIntoBothParts)
{
    Gauge bar;
    setUpReloadGauge(bar);
    bar->setValue(20); // 40 %: the fill edge runs through the caption
    const QImage img = bar->barImage(), caption = bar->captionImage();
    ASSERT_FALSE(caption.isNull());
    EXPECT_LT(caption.width(), img.width());
    EXPECT_EQ(colours(img), QSet<QRgb>({Red, White}));
    const auto [overFill, overEmpty] = checkCaption(bar, 129, Red, White, Red);
    EXPECT_GT(overFill, 20);
    EXPECT_GT(overEmpty, 20);
}

TEST(Redraw, BlackBarShowsWhiteLettersOverTheFillAndBlackOverTheRest)
{
    Gauge bar;
    setUpReloadGauge(bar);
    bar->setFwColor(0);
    bar->setValue(20);
    const auto [overFill, overEmpty] = checkCaption(bar, 129, qRgb(0, 0, 0), White, qRgb(0, 0, 0));
    EXPECT_GT(overFill, 0);
    EXPECT_GT(overEmpty, 0);
}

TEST(Redraw, BlueBarGetsAYellowCaption)
{
    Gauge bar;
    setUpReloadGauge(bar);
    bar->setFwColor(0xFF0000);
    bar->setValue(0);
    EXPECT_EQ(colours(bar->captionImage()), QSet<QRgb>({qRgb(0, 0, 0), qRgb(255, 255, 0)}));
    EXPECT_EQ(colours(bar->barImage()), QSet<QRgb>({White, qRgb(0, 0, 255)}));
}

TEST(Redraw, RatioAboveOneIsClippedToTheBar)
{
    Gauge bar;
    setUpReloadGauge(bar);
    bar->setStringType(VelProgressBar::stypePercent);
    bar->setValue(30);
    bar->setMaximum(20);
    ASSERT_EQ(bar->text(), "150.0%");
    EXPECT_EQ(filledColumns(bar->barImage(), Red), 319);
    const auto [overFill, overEmpty] = checkCaption(bar, 319, Red, White, Red);
    EXPECT_GT(overFill, 0);
    EXPECT_EQ(overEmpty, 0);
}

TEST(Redraw, AtTheMinimumOnlyTheCaptionIsDrawn)
{
    Gauge bar;
    setUpReloadGauge(bar);
    bar->setMinimum(10);
    bar->setValue(10);
    EXPECT_EQ(filledColumns(bar->barImage(), Red), 0);
    const auto [overFill, overEmpty] = checkCaption(bar, 0, Red, White, Red);
    EXPECT_EQ(overFill, 0);
    EXPECT_GT(overEmpty, 20);
}

TEST(Redraw, StypeNoneDrawsTheBarAlone)
{
    Gauge bar;
    setUpReloadGauge(bar);
    bar->setValue(20);
    bar->setStringType(VelProgressBar::stypeNone);
    EXPECT_EQ(bar->text(), "");
    const QImage img = bar->barImage();
    for (int y = 0; y < img.height(); ++y)
        ASSERT_EQ(filledColumns(img.copy(0, y, img.width(), 1), Red), 129) << "row " << y;
    EXPECT_EQ(colours(img), QSet<QRgb>({Red, White}));
}
