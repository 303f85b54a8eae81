// SPDX-License-Identifier: MIT
#include "RoundedShape.h"

#include <QPainter>

#include <algorithm>

RoundedShape::RoundedShape(QWidget* parent)
    : QWidget(parent)
{
    // Clicks go to the label on top; the shape itself is only a picture.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RoundedShape::setFillColor(const QColor& color)
{
    if (fill_ == color)
        return;
    fill_ = color;
    update();
}

void RoundedShape::setBorderColor(const QColor& color)
{
    if (border_ == color)
        return;
    border_ = color;
    update();
}

void RoundedShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Corner rounding of a sixth of the shorter side, like the classic
    // rounded-rectangle shape control.
    const qreal radius = std::min(width(), height()) / 6.0 + 2.0;
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(border_.isValid() ? QPen(border_, 1.0) : QPen(Qt::NoPen));
    painter.setBrush(fill_);
    painter.drawRoundedRect(box, radius, radius);
}
