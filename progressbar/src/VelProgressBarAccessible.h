// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleWidget>

class VelProgressBar;

// What assistive technology sees of a gauge: a progress bar whose name is
// its caption and whose value, minimum and maximum are the gauge's.
class VelProgressBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit VelProgressBarAccessible(QWidget* widget);

    // Makes Qt ask this class for gauges. Done once, on the first gauge; it
    // answers for VelProgressBar (and classes derived from it) only.
    static void installFactory();

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;

    QVariant currentValue() const override;
    // A progress bar is not set from outside.
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    VelProgressBar* gauge() const;
};
