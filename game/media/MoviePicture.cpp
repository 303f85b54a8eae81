// SPDX-License-Identifier: MIT
#include "MoviePicture.h"

#include <QPainter>
#include <QPaintEvent>

MoviePicture::MoviePicture(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("moviePicture"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MoviePicture::setFrame(QImage frame, int index)
{
    frame_ = std::move(frame);
    update();
    emit frameSet(index);
}

void MoviePicture::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (frame_.isNull()) {
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    // The film fills its window whatever its own size, as a child movie
    // window does; at 1:1 this is a plain copy.
    if (frame_.size() == size())
        painter.drawImage(event->rect().topLeft(), frame_, event->rect());
    else
        painter.drawImage(rect(), frame_);
}
