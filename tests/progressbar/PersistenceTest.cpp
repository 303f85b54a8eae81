// SPDX-License-Identifier: MIT
#include "TestSupport.h"

namespace {

const QStringList Keys = {"FWColor", "StringType", "Minimum", "Maximum", "Value", "Text", "Step", "Font"};

} // namespace

TEST(Persistence, WritesEveryKeyInOrderWithItsDefault)
{
    Gauge bar;
    bar->resizeTwips(4890, 390);
    MapBag bag;
    bar->WriteProperties(bag);
    EXPECT_EQ(bag.writes, Keys);
    const QVariantList defaults = {255, 1,         0, 100,
                                   0,   QString(), 1, QVariant::fromValue(VelFont::defaultCaptionFont())};
    EXPECT_EQ(bag.writeDefaults, defaults);
    // The font goes out at the fitted size.
    EXPECT_FLOAT_EQ(bag.values["Font"].value<VelFont>().size, 9.6f);
}

TEST(Persistence, EmptyBagRestoresTheDefaults)
{
    Gauge bar;
    MapBag bag;
    bar->ReadProperties(bag);
    EXPECT_EQ(bag.reads, Keys);
    EXPECT_EQ(bar->fwColor(), 255);
    EXPECT_EQ(bar->stringType(), VelProgressBar::stypePercent);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(bar->step(), 1);
    EXPECT_EQ(bar->text(), "0.0%");
    VelFont font = bar->captionFont();
    font.size = 10; // the size read back is the fitted one
    EXPECT_EQ(font, VelFont::defaultCaptionFont());
}

TEST(Persistence, RoundTripKeepsEveryProperty)
{
    Gauge a;
    a->setFwColor(0x3366CC);
    a->setStringType(VelProgressBar::stypeFreeString);
    a->setMinimum(-500);
    a->setMaximum(-200);
    a->setValue(-321);
    a->setText(QStringLiteral("砲弾装填中..."));
    a->setStep(7);
    VelFont font = captionFace(QStringLiteral("IPAGothic"), 12);
    font.italic = true;
    font.charset = 1;
    a->setCaptionFont(font);
    a->resizeTwips(4890, 390);
    MapBag bag;
    a->WriteProperties(bag);

    Gauge b;
    b->ReadProperties(bag);
    b->resizeTwips(4890, 390);
    EXPECT_EQ(b->fwColor(), 0x3366CC);
    EXPECT_EQ(b->strColor(), 0xFFFFFF - 0x3366CC);
    EXPECT_EQ(b->stringType(), VelProgressBar::stypeFreeString);
    EXPECT_EQ(b->minimum(), -500);
    EXPECT_EQ(b->maximum(), -200);
    EXPECT_EQ(b->value(), -321);
    EXPECT_EQ(b->text(), "砲弾装填中...");
    EXPECT_EQ(b->step(), 7);
    EXPECT_EQ(b->captionFont(), a->captionFont());
    EXPECT_EQ(b->barImage(), a->barImage());
}

TEST(Persistence, SavedRangeComesBackExactlyOnEitherSideOf100)
{
    const int ranges[][2] = {{100, 101}, {150, 300}, {-500, -200}, {99, 100000}};
    for (const auto& r : ranges) {
        MapBag bag;
        bag.values = {{"Minimum", r[0]}, {"Maximum", r[1]}, {"Value", r[0] + 1}};
        Gauge bar;
        bar->ReadProperties(bag);
        EXPECT_EQ(bar->minimum(), r[0]);
        EXPECT_EQ(bar->maximum(), r[1]);
        EXPECT_EQ(bar->value(), r[0] + 1);
    }
}

TEST(Persistence, ReloadGaugeSettingsRestoreWithDefaultsForTheRest)
{
    MapBag bag;
    bag.values = {{"FWColor", 255},
                  {"StringType", 4},
                  {"Maximum", 50},
                  {"Text", QStringLiteral("砲弾装填中...")},
                  {"Font", QVariant::fromValue(captionFace("ＭＳ Ｐゴシック", 9.75f))}};
    Gauge bar;
    bar->ReadProperties(bag);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 50);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(bar->step(), 1);
    EXPECT_EQ(bar->text(), "砲弾装填中...");
}

TEST(Persistence, RestoreGoesThroughTheSetterChecks)
{
    MessageCatcher catcher;
    MapBag bag;
    bag.values = {{"FWColor", int(0x8000000F)}, {"Text", "ignored"}, {"Step", 0}, {"Value", 500}};
    Gauge bar;
    bar->ReadProperties(bag);
    EXPECT_EQ(catcher.messages.size(), 1);
    EXPECT_EQ(bar->fwColor(), 0);
    EXPECT_EQ(bar->text(), "100.0%"); // percent type: the text is not taken
    EXPECT_EQ(bar->step(), 1);
    EXPECT_EQ(bar->value(), 100);
}
