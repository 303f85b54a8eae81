// SPDX-License-Identifier: MIT
#include "VelProgressBarAccessible.h"

#include "VelProgressBar.h"

#include <mutex>

namespace {

QAccessibleInterface* gaugeFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("VelProgressBar") && object && object->isWidgetType())
        return new VelProgressBarAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

VelProgressBarAccessible::VelProgressBarAccessible(QWidget* widget)
    : QAccessibleWidget(widget, QAccessible::ProgressBar)
{
}

void VelProgressBarAccessible::installFactory()
{
    static std::once_flag once;
    std::call_once(once, [] { QAccessible::installFactory(gaugeFactory); });
}

VelProgressBar* VelProgressBarAccessible::gauge() const
{
    return static_cast<VelProgressBar*>(widget());
}

void* VelProgressBarAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString VelProgressBarAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        // A name the host gave wins; otherwise the caption says what the gauge shows.
        if (!widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        return gauge()->text();
    case QAccessible::Value: return QString::number(gauge()->value());
    default: return QAccessibleWidget::text(t);
    }
}

QVariant VelProgressBarAccessible::currentValue() const
{
    return gauge()->value();
}

void VelProgressBarAccessible::setCurrentValue(const QVariant&) { }

QVariant VelProgressBarAccessible::maximumValue() const
{
    return gauge()->maximum();
}

QVariant VelProgressBarAccessible::minimumValue() const
{
    return gauge()->minimum();
}

QVariant VelProgressBarAccessible::minimumStepSize() const
{
    return gauge()->step();
}
