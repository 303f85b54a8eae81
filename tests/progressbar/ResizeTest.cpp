// SPDX-License-Identifier: MIT
#include "TestSupport.h"

#include <QFontInfo>
#include <QFontMetrics>

namespace {

const QWidget* picPrg(const Gauge& bar)
{
    return bar.findChild<QWidget*>(QStringLiteral("picPrg"));
}

} // namespace

TEST(Resize, TheControlKeepsItsMarginsAndA20PixelMinimum)
{
    Gauge bar;
    EXPECT_EQ(bar.size(), QSize(203, 34)); // 3045 x 510 twips as designed
    EXPECT_EQ(picPrg(bar)->geometry(), QRect(2, 2, 198, 30));

    bar->resizeTwips(15000, 600);
    EXPECT_EQ(picPrg(bar)->size(), QSize(995, 36));

    bar->resizeTwips(100, 50);
    EXPECT_EQ(bar.size(), QSize(20, 20));
    EXPECT_EQ(picPrg(bar)->size(), QSize(15, 16));
    bar.resize(5, 5); // Qt's own sizing obeys the same floor
    EXPECT_EQ(bar.size(), QSize(20, 20));
}

TEST(Resize, CaptionSizeIsSixTenthsOfTheLargestFittingSize)
{
    const QFont measure = VelFont::defaultCaptionFont().toQFont(10);
    EXPECT_EQ(QFontInfo(measure).family(), "IPAPGothic");

    Gauge bar;
    EXPECT_EQ(bar->captionFontSize(), 0.0f); // not sized yet
    const int heights[] = {390, 510, 900, 1500};
    for (int twips : heights) {
        bar->resizeTwips(4890, twips);
        const int barHeight = picPrg(bar)->height();
        const float size = bar->captionFontSize();
        const int whole = qRound(size / 0.6f);
        ASSERT_FLOAT_EQ(size, float(whole * 0.6)) << twips;
        const auto height = [](int points) {
            return QFontMetrics(VelFont::defaultCaptionFont().toQFont(float(points))).height();
        };
        EXPECT_LE(height(whole), barHeight) << twips;
        EXPECT_GT(height(whole + 1), barHeight) << twips;
    }
    bar->resizeTwips(4890, 390);
    EXPECT_FLOAT_EQ(bar->captionFontSize(), 9.6f);
}

TEST(Resize, FontObjectGivesFaceAndStyleButNeverTheSize)
{
    Gauge bar;
    bar->setStringType(VelProgressBar::stypeValue);
    // Before the first sizing the caption uses the object's own size.
    bar->setCaptionFont(captionFace(QStringLiteral("IPAGothic"), 12));
    EXPECT_EQ(bar->captionFont().size, 0.0f);
    EXPECT_EQ(bar->captionImage().height(), QFontMetrics(captionFace("IPAGothic", 12).toQFont(12)).height());

    bar->resizeTwips(4890, 390);
    VelFont big = captionFace(QStringLiteral("IPAGothic"), 40);
    big.bold = true;
    bar->setCaptionFont(big);
    const VelFont got = bar->captionFont();
    EXPECT_EQ(got.name, "IPAGothic");
    EXPECT_TRUE(got.bold);
    EXPECT_EQ(got.charset, 128);
    EXPECT_FLOAT_EQ(got.size, 9.6f);
    EXPECT_EQ(bar->captionImage().height(), QFontMetrics(big.toQFont(9.6f)).height());
}

TEST(Resize, OwnWidgetFontSetsTheCaptionFontButAnInheritedOneDoesNot)
{
    QWidget form;
    auto* bar = new Gauge(&form);
    (*bar)->setCaptionFont(VelFont::defaultCaptionFont());
    form.setFont(QFont(QStringLiteral("Liberation Serif")));
    EXPECT_EQ((*bar)->captionFont().name, "ＭＳ Ｐゴシック");
    bar->setFont(QFont(QStringLiteral("IPAGothic")));
    EXPECT_EQ((*bar)->captionFont().name, "IPAGothic");
    EXPECT_EQ((*bar)->captionFont().charset, 128);
}
