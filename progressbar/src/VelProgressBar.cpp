// SPDX-License-Identifier: MIT
#include "VelProgressBar.h"

#include "VelProgressBarAccessible.h"
#include "VelProgressBarPrivate.h"

#include <QEvent>

#include <limits>

// The Qt interface: the classic control's state and rules live in
// VelProgressBarPrivate; what is added here is what Qt programs expect of a
// widget (a range settable in either order, saturating arithmetic instead
// of overflow errors, the font property, size hints).

VelProgressBar::VelProgressBar(QWidget* parent)
    : QWidget(parent)
    , d(std::make_unique<VelProgressBarPrivate>(this))
{
    VelProgressBarAccessible::installFactory();
    d->init();
}

VelProgressBar::~VelProgressBar() = default;

VelProgressBar::MessageBoxHandler VelProgressBar::setMessageBoxHandler(MessageBoxHandler handler)
{
    return VelProgressBarPrivate::setMessageBoxHandler(handler);
}

QColor VelProgressBar::barColor() const
{
    return d->barColor();
}

void VelProgressBar::setBarColor(const QColor& color)
{
    d->setBarColor(color);
}

int VelProgressBar::fwColor() const
{
    return d->fwColor();
}

void VelProgressBar::setFwColor(int oleColor)
{
    d->setFwColor(oleColor);
}

VelProgressBar::StringTypeConstants VelProgressBar::stringType() const
{
    return d->stringType();
}

void VelProgressBar::setStringType(StringTypeConstants type)
{
    d->setStringType(type);
}

int VelProgressBar::minimum() const
{
    return d->minimum();
}

int VelProgressBar::maximum() const
{
    return d->maximum();
}

void VelProgressBar::setMinimum(int minimum)
{
    const qint32 max = d->maximum();
    d->setRange(minimum, max > minimum ? max : minimum); // setRange moves an equal maximum up
}

void VelProgressBar::setMaximum(int maximum)
{
    const qint32 min = d->minimum();
    if (min < maximum)
        d->setRange(min, maximum);
    else if (maximum > std::numeric_limits<qint32>::min())
        d->setRange(maximum - 1, maximum);
    else
        d->setRange(maximum, maximum); // the least range there is: INT_MIN to INT_MIN + 1
}

void VelProgressBar::setRange(int minimum, int maximum)
{
    d->setRange(minimum, maximum);
}

int VelProgressBar::value() const
{
    return d->value();
}

void VelProgressBar::setValue(int value)
{
    d->setValue(value);
}

void VelProgressBar::countUp()
{
    // Past the 32-bit range is past the maximum too.
    if (!d->CountUp())
        d->setValue(d->maximum());
}

int VelProgressBar::step() const
{
    return d->step();
}

void VelProgressBar::setStep(int step)
{
    // A range wider than 32 bits bounds no step that fits in 32 bits.
    if (!d->setStep(step))
        d->setStepUnbounded(step);
}

QString VelProgressBar::text() const
{
    return d->text();
}

void VelProgressBar::setText(const QString& text)
{
    d->setText(text);
}

QFont VelProgressBar::captionFont() const
{
    return d->captionQFont();
}

void VelProgressBar::setCaptionFont(const QFont& font)
{
    d->setCaptionQFont(font);
}

QSize VelProgressBar::sizeHint() const
{
    return VelProgressBarPrivate::designSize();
}

QSize VelProgressBar::minimumSizeHint() const
{
    return QSize(VelProgressBarPrivate::MinimumPixels, VelProgressBarPrivate::MinimumPixels);
}

bool VelProgressBar::event(QEvent* event)
{
    return QWidget::event(event);
}

void VelProgressBar::resizeEvent(QResizeEvent*)
{
    d->Resize();
}

void VelProgressBar::changeEvent(QEvent* event)
{
    // A font set on the widget itself (Designer's font property, or a form's
    // setFont) is the caption font; one inherited from the parent is not.
    if (event->type() == QEvent::FontChange && testAttribute(Qt::WA_SetFont))
        d->setCaptionQFont(font());
    QWidget::changeEvent(event);
}
