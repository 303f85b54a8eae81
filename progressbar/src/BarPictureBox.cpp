// SPDX-License-Identifier: MIT
#include "BarPictureBox.h"

#include <QPainter>

BarPictureBox::BarPictureBox(QWidget* parent, bool border)
    : QWidget(parent)
    , border_(border)
{
    // Everything is painted from the retained picture; nothing behind it shows.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage& BarPictureBox::clearPicture()
{
    return clearPicture(innerWidth(), innerHeight());
}

QImage& BarPictureBox::clearPicture(int width, int height)
{
    if (picture_.width() != width || picture_.height() != height || picture_.format() != QImage::Format_RGB32)
        picture_ = QImage(qMax(width, 0), qMax(height, 0), QImage::Format_RGB32);
    picture_.fill(back_);
    return picture_;
}

void BarPictureBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int b = borderWidth();
    p.fillRect(rect(), back_);
    if (b > 0) {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (!picture_.isNull())
        p.drawImage(QPoint(b, b), picture_, QRect(0, 0, innerWidth(), innerHeight()));
}
