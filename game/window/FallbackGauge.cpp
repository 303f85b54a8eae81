// SPDX-License-Identifier: MIT
#include "FallbackGauge.h"

#include <QPainter>

FallbackGauge::FallbackGauge(QWidget* parent)
    : QWidget(parent)
    , text_(tr("砲弾装填中..."))
{
}

void FallbackGauge::setValue(int value)
{
    counter_.SetValue(value);
    update();
}

void FallbackGauge::countUp()
{
    counter_.CountUp();
    update();
}

void FallbackGauge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), Qt::white);
    const int value = counter_.Value();
    const int fill = rect().width() * value / CounterGauge::kMaximum;
    painter.fillRect(QRect(0, 0, fill, height()), Qt::red);
    painter.setPen(Qt::black);
    painter.drawRect(frame);
    painter.setPen(value * 2 >= CounterGauge::kMaximum ? Qt::white : Qt::black);
    painter.drawText(rect(), Qt::AlignCenter, text_);
}
