// SPDX-License-Identifier: MIT
#include "PictureBox.h"

#include "Twips.h"

#include <QPainter>

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
    // The picture covers the whole box; nothing behind it needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setContentPainter(ContentPainter painter)
{
    contentPainter_ = std::move(painter);
    update();
}

void PictureBox::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void PictureBox::pictureChanged()
{
    update();
}

void PictureBox::setLine(const QLineF& twips, const QColor& color, int widthPixels)
{
    line_ = twips;
    lineColor_ = color;
    lineWidth_ = widthPixels;
    update();
}

void PictureBox::setLineP1(const QPointF& twips)
{
    line_.setP1(twips);
    update();
}

void PictureBox::setLineP2(const QPointF& twips)
{
    line_.setP2(twips);
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (contentPainter_)
        contentPainter_(painter, QRectF(rect()));
    else if (picture_.isNull())
        painter.fillRect(rect(), palette().window());
    else
        painter.drawImage(rect(), picture_);

    if (lineWidth_ > 0) {
        // Twips map onto the box's logical pixels; at a higher scale factor
        // the painter's device ratio keeps the line in place.
        QPen pen(lineColor_, lineWidth_, Qt::SolidLine, Qt::RoundCap);
        painter.setPen(pen);
        const double k = 1.0 / TwipsPerPixel;
        painter.drawLine(QLineF(line_.p1() * k, line_.p2() * k));
    }
}
