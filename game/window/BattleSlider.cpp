// SPDX-License-Identifier: MIT
#include "BattleSlider.h"

#include <QKeyEvent>

BattleSlider::BattleSlider(Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent)
{
}

void BattleSlider::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: event->ignore(); return;
    default: QSlider::keyPressEvent(event);
    }
}
