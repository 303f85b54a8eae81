// SPDX-License-Identifier: MIT
#include "IconArt.h"

#include "ArtCommon.h"
#include "ShipArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace art {

QImage appIcon(int size)
{
    const int factor = size >= 128 ? 2 : 8;
    QImage canvas = makeCanvas(size, size, factor);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(factor * size / 64.0, factor * size / 64.0);

    // Everything below is drawn on a 64-unit square.
    const double margin = size <= 24 ? 1.0 : 3.0;
    const QRectF badge(margin, margin, 64 - 2 * margin, 64 - 2 * margin);
    QPainterPath shape;
    shape.addRoundedRect(badge, 11, 11);
    const double horizon = 44.0;

    p.save();
    p.setClipPath(shape);
    QLinearGradient sky(0, margin, 0, horizon);
    sky.setColorAt(0.0, QColor(28, 48, 104));
    sky.setColorAt(0.6, QColor(150, 96, 110));
    sky.setColorAt(1.0, QColor(252, 176, 86));
    p.fillRect(QRectF(0, 0, 64, horizon), sky);
    QRadialGradient sun(QPointF(42, horizon), 16);
    sun.setColorAt(0, QColor(255, 244, 190));
    sun.setColorAt(0.35, QColor(255, 214, 120, 230));
    sun.setColorAt(1, QColor(255, 170, 80, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(42, horizon), 16, 16);
    QLinearGradient sea(0, horizon, 0, 64);
    sea.setColorAt(0, QColor(40, 66, 120));
    sea.setColorAt(1, QColor(10, 24, 60));
    p.fillRect(QRectF(0, horizon, 64, 64 - horizon), sea);
    QRadialGradient glitter(QPointF(42, horizon + 3), 14);
    glitter.setColorAt(0, QColor(255, 200, 120, 150));
    glitter.setColorAt(1, QColor(255, 200, 120, 0));
    p.setBrush(glitter);
    p.save();
    p.translate(42, horizon + 3);
    p.scale(1.0, 0.25);
    p.translate(-42, -(horizon + 3));
    p.drawEllipse(QPointF(42, horizon + 3), 14, 14);
    p.restore();

    // the battleship in dark silhouette against the evening sky, close enough
    // that her forward turrets and pagoda mast fill the badge
    p.save();
    const double shipScale = 62.0 / 150.0;
    p.translate(63.0 - 215 * shipScale, horizon + 1.5 - 47 * shipScale);
    p.scale(shipScale, shipScale);
    QImage layer = makeCanvas(ShipWidth, ShipHeight, 4);
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        lp.scale(4, 4);
        paintBattleship(lp);
        lp.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        QLinearGradient dark(0, 0, ShipWidth, 0);
        dark.setColorAt(0, QColor(26, 30, 44, 215));
        dark.setColorAt(1, QColor(56, 46, 50, 200));
        lp.fillRect(QRectF(0, 0, ShipWidth, ShipHeight), dark);
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(0, 0, ShipWidth, ShipHeight), layer);
    p.restore();
    p.restore();

    // a brass rim
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(196, 160, 76), size <= 24 ? 2.2 : 1.8));
    p.drawPath(shape);
    p.end();
    return downsample(canvas, factor).convertToFormat(QImage::Format_ARGB32);
}

} // namespace art
