// SPDX-License-Identifier: MIT
#include "TestSupport.h"

#include <climits>

using ST = VelProgressBar::StringTypeConstants;

TEST(ValueModel, NewInstanceStartsEmptyWithTheRange0To100)
{
    Gauge bar;
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(bar->step(), 0);
    EXPECT_EQ(bar->fwColor(), 0);
    EXPECT_EQ(bar->stringType(), VelProgressBar::stypeNone);
    EXPECT_EQ(bar->text(), QString());
    // The caption colour already complements the black bar.
    EXPECT_EQ(bar->strColor(), 0xFFFFFF);
}

TEST(ValueModel, CountUpFillsTheReloadGaugeIn50TicksAndStopsAtMaximum)
{
    Gauge bar;
    setUpReloadGauge(bar);
    bar->setValue(0);
    for (int i = 1; i <= 50; ++i) {
        ASSERT_TRUE(bar->CountUp());
        ASSERT_EQ(bar->value(), i);
    }
    EXPECT_TRUE(bar->CountUp());
    EXPECT_EQ(bar->value(), 50);
    // A step that jumps past the maximum lands on it.
    bar->setStep(7);
    bar->setValue(45);
    bar->CountUp();
    EXPECT_EQ(bar->value(), 50);
}

TEST(ValueModel, SettersClampToTheRange)
{
    Gauge bar;
    bar->setValue(-5);
    EXPECT_EQ(bar->value(), 0);
    bar->setValue(150);
    EXPECT_EQ(bar->value(), 100);

    bar->setMinimum(100); // not below Maximum 100
    EXPECT_EQ(bar->minimum(), 99);
    bar->setMinimum(20);
    bar->setMaximum(10);
    EXPECT_EQ(bar->maximum(), 21);

    bar->setStep(0);
    EXPECT_EQ(bar->step(), 1);
    bar->setStep(-4);
    EXPECT_EQ(bar->step(), 1);
    bar->setMinimum(0);
    bar->setMaximum(100);
    bar->setStep(500);
    EXPECT_EQ(bar->step(), 100);
    // Neither Step nor Value is checked again when the range shrinks.
    bar->setValue(30);
    bar->setMaximum(20);
    EXPECT_EQ(bar->step(), 100);
    EXPECT_EQ(bar->value(), 30);
}

TEST(ValueModel, CaptionTextFollowsTheType)
{
    Gauge bar;
    bar->setStringType(VelProgressBar::stypePercent);
    bar->setMaximum(50);
    bar->setValue(25);
    EXPECT_EQ(bar->text(), "50.0%");
    bar->setStringType(VelProgressBar::stypeFraction);
    EXPECT_EQ(bar->text(), "25/50");
    bar->setMinimum(10); // the minimum is not subtracted
    EXPECT_EQ(bar->text(), "25/50");
    bar->setStringType(VelProgressBar::stypeValue);
    EXPECT_EQ(bar->text(), "25");
    bar->setStringType(VelProgressBar::stypeNone);
    EXPECT_EQ(bar->text(), "");
}

TEST(ValueModel, PercentCaptionRoundsTheSingleRatioToOneDecimal)
{
    const struct {
        int min, max, value;
        const char* text;
    } cases[] = {
        {0, 100, 0, "0.0%"},  {0, 3, 1, "33.3%"},   {0, 3, 2, "66.7%"},
        {0, 16, 1, "6.3%"},   {0, 8, 1, "12.5%"},   {0, 1000, 999, "99.9%"},
        {0, 2000, 1, "0.1%"}, {0, 4000, 1, "0.0%"}, {50, 100, 50, "0.0%"},
    };
    for (const auto& c : cases) {
        Gauge bar;
        bar->setStringType(VelProgressBar::stypePercent);
        bar->setMaximum(c.max);
        bar->setMinimum(c.min);
        bar->setValue(c.value);
        EXPECT_EQ(bar->text(), c.text) << c.value << " of " << c.min << ".." << c.max;
    }
}

TEST(ValueModel, RangeChangedUnderTheValueShowsItOutsideTheRange)
{
    Gauge bar;
    bar->setStringType(VelProgressBar::stypePercent);
    bar->setValue(30);
    bar->setMaximum(20);
    EXPECT_EQ(bar->value(), 30);
    EXPECT_EQ(bar->text(), "150.0%");
    bar->setMaximum(100);
    bar->setValue(10);
    bar->setMinimum(50);
    EXPECT_EQ(bar->text(), "-80.0%");
}

TEST(ValueModel, TextIsTakenOnlyForFreeStringCaptions)
{
    Gauge bar;
    bar->setStringType(VelProgressBar::stypePercent);
    bar->setText(QStringLiteral("abc"));
    EXPECT_EQ(bar->text(), "0.0%");
    bar->setStringType(VelProgressBar::stypeFreeString);
    EXPECT_EQ(bar->text(), "0.0%"); // the last caption stays until replaced
    bar->setText(QStringLiteral("砲弾装填中..."));
    bar->setValue(40);
    EXPECT_EQ(bar->text(), "砲弾装填中...");
}

TEST(ValueModel, UnknownStringTypeReadsAndDrawsAsNone)
{
    Gauge bar;
    bar->setStringType(VelProgressBar::stypeFreeString);
    bar->setText(QStringLiteral("x"));
    bar->setStringType(ST(7));
    EXPECT_EQ(bar->stringType(), VelProgressBar::stypeNone);
    EXPECT_EQ(bar->text(), "");
    bar->setText(QStringLiteral("y")); // the guard follows the type
    EXPECT_EQ(bar->text(), "");
    bar->setStringType(ST(-1));
    EXPECT_EQ(bar->stringType(), VelProgressBar::stypeNone);
}

TEST(ValueModel, OnlyStringTypeAndFontNotifyTheContainer)
{
    Gauge bar;
    QStringList changed;
    QObject::connect(&bar, &VelProgressBar::propertyChanged,
                     [&changed](const QString& name) { changed << name; });
    bar->setFwColor(255);
    bar->setMinimum(1);
    bar->setMaximum(50);
    bar->setValue(3);
    bar->setStep(2);
    bar->CountUp();
    bar->setStringType(VelProgressBar::stypeFreeString);
    bar->setText(QStringLiteral("t"));
    bar->setCaptionFont(VelFont::defaultCaptionFont());
    EXPECT_EQ(changed, QStringList({"StringType", "Font"}));
}

TEST(ValueModel, SystemColoursAreRefusedWithAMessage)
{
    MessageCatcher catcher;
    Gauge bar;
    bar->setFwColor(0xFF0000);
    for (int refused : {int(0x8000000F), 0x1000000, -1}) {
        bar->setFwColor(refused);
        EXPECT_EQ(bar->fwColor(), 0xFF0000) << std::hex << refused;
        EXPECT_EQ(bar->strColor(), 0x00FFFF);
    }
    ASSERT_EQ(catcher.messages.size(), 3);
    EXPECT_EQ(catcher.messages[0].text, "システムカラーは指定できません");
    EXPECT_EQ(catcher.messages[0].title, "VelProgressBar");
    EXPECT_EQ(catcher.messages[0].icon, QMessageBox::Warning);
}

TEST(ValueModel, CaptionColourIsThe24BitComplement)
{
    MessageCatcher catcher;
    Gauge bar;
    const int pairs[][2] = {
        {0xFF0000, 0x00FFFF}, {0, 0xFFFFFF}, {0xFFFFFF, 0}, {255, 0xFFFF00}, {0x123456, 0xEDCBA9}};
    for (const auto& p : pairs) {
        bar->setFwColor(p[0]);
        EXPECT_EQ(bar->strColor(), p[1]) << std::hex << p[0];
    }
    EXPECT_TRUE(catcher.messages.isEmpty());
}

TEST(ValueModel, OverflowIsReportedAndChangesNothing)
{
    Gauge bar;
    bar->setStringType(VelProgressBar::stypeValue);
    bar->setMaximum(INT_MAX);
    bar->setStep(10);
    bar->setValue(INT_MAX - 5);
    EXPECT_FALSE(bar->CountUp());
    EXPECT_EQ(bar->value(), INT_MAX - 5);
    EXPECT_EQ(bar->text(), QString::number(INT_MAX - 5));

    // A range wider than 32 bits cannot bound the step.
    bar->setMinimum(-2000000000);
    EXPECT_FALSE(bar->setStep(3));
    EXPECT_EQ(bar->step(), 10);
    EXPECT_TRUE(bar->setStep(0)); // below 1 needs no arithmetic
    EXPECT_EQ(bar->step(), 1);

    // Such a range still draws: the ratio is taken without overflow.
    bar->setStringType(VelProgressBar::stypePercent);
    bar->setValue(-2000000000);
    EXPECT_EQ(bar->text(), "0.0%");

    // The range setters work right up to the ends of Long.
    EXPECT_TRUE(bar->setMinimum(INT_MIN));
    EXPECT_TRUE(bar->setMaximum(INT_MIN));
    EXPECT_EQ(bar->maximum(), INT_MIN + 1);
    EXPECT_TRUE(bar->setMinimum(INT_MAX));
    EXPECT_EQ(bar->minimum(), INT_MIN);
}
