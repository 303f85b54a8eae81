// SPDX-License-Identifier: MIT
#include "FallbackGauge.h"

#include <QPainter>

#include <algorithm>

FallbackGauge::FallbackGauge(QWidget* parent)
    : QWidget(parent)
    , text_(QStringLiteral("砲弾装填中..."))
{
}

void FallbackGauge::setValue(int value)
{
    value_ = std::clamp(value, 0, maximum_);
    update();
}

void FallbackGauge::countUp()
{
    setValue(value_ + 1);
}

void FallbackGauge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), Qt::white);
    const int fill = rect().width() * value_ / maximum_;
    painter.fillRect(QRect(0, 0, fill, height()), Qt::red);
    painter.setPen(Qt::black);
    painter.drawRect(frame);
    painter.setPen(value_ * 2 >= maximum_ ? Qt::white : Qt::black);
    painter.drawText(rect(), Qt::AlignCenter, text_);
}
