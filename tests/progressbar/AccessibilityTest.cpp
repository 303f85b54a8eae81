// SPDX-License-Identifier: MIT
// What assistive technology sees of a gauge.
#include <VelProgressBar.h>

#include <QAccessible>

#include <gtest/gtest.h>

TEST(Accessibility, GaugeIsAProgressBarNamedByItsCaptionWithItsValues)
{
    QWidget form;
    auto* bar = new VelProgressBar(&form);
    bar->setStringType(VelProgressBar::stypePercent);
    bar->setRange(0, 50);
    bar->setStep(5);
    bar->setValue(25);

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(bar);
    ASSERT_TRUE(iface);
    EXPECT_EQ(iface->role(), QAccessible::ProgressBar);
    EXPECT_EQ(iface->text(QAccessible::Name), "50.0%");
    QAccessibleValueInterface* value = iface->valueInterface();
    ASSERT_TRUE(value);
    EXPECT_EQ(value->currentValue().toInt(), 25);
    EXPECT_EQ(value->minimumValue().toInt(), 0);
    EXPECT_EQ(value->maximumValue().toInt(), 50);
    EXPECT_EQ(value->minimumStepSize().toInt(), 5);

    // Assistive technology does not move a progress bar.
    value->setCurrentValue(10);
    EXPECT_EQ(bar->value(), 25);

    bar->setStringType(VelProgressBar::stypeFreeString);
    bar->setText(QStringLiteral("砲弾装填中..."));
    EXPECT_EQ(iface->text(QAccessible::Name), "砲弾装填中...");
    // A name the host gives wins over the caption.
    bar->setAccessibleName(QStringLiteral("Reload"));
    EXPECT_EQ(iface->text(QAccessible::Name), "Reload");
}

TEST(Accessibility, InterfaceFollowsTheGaugeAsItChanges)
{
    // Qt hands out one interface per widget and keeps it: what it reports
    // must follow the gauge, as the reload gauge counts up.
    QWidget form;
    auto* bar = new VelProgressBar(&form);
    bar->setStringType(VelProgressBar::stypeFraction);
    bar->setRange(0, 50);
    bar->setStep(1);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(bar);
    ASSERT_TRUE(iface);
    for (int tick = 1; tick <= 3; ++tick) {
        bar->countUp();
        EXPECT_EQ(iface->valueInterface()->currentValue().toInt(), tick);
        EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("%1/50").arg(tick));
    }
    bar->setRange(-10, 10);
    EXPECT_EQ(iface->valueInterface()->minimumValue().toInt(), -10);
    EXPECT_EQ(iface->valueInterface()->maximumValue().toInt(), 10);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(bar), iface);
}
