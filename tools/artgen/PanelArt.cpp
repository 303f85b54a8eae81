// SPDX-License-Identifier: MIT
#include "PanelArt.h"

#include "ArtCommon.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace art {
namespace {

constexpr int Factor = 4;
constexpr double Pi = 3.14159265358979323846;

QImage toRgb(const QImage& canvas)
{
    return downsample(canvas, Factor).convertToFormat(QImage::Format_RGB32);
}

// A point at a clock bearing (degrees clockwise from 12) around a centre.
QPointF polar(QPointF c, double degrees, double r)
{
    const double a = degrees * Pi / 180.0;
    return {c.x() + r * std::sin(a), c.y() - r * std::cos(a)};
}

// Green anti-slip deck plate: raised bars in alternating directions.
void paintChequerPlate(QPainter& p, int size)
{
    QLinearGradient base(0, 0, size, size);
    base.setColorAt(0, QColor(62, 130, 78));
    base.setColorAt(1, QColor(38, 98, 58));
    p.fillRect(QRectF(0, 0, size, size), base);
    const double pitch = 10.0;
    for (int j = -1; j <= 2 * size / pitch + 1; ++j) {
        for (int i = -1; i <= size / pitch + 1; ++i) {
            const double cx = i * pitch + ((j & 1) ? pitch / 2 : 0) + pitch / 2;
            const double cy = j * pitch / 2 + pitch / 4;
            const double angle = ((i + j) & 1) ? 45 : -45;
            p.save();
            p.translate(cx, cy);
            p.rotate(angle);
            const QRectF bar(-3.2, -0.9, 6.4, 1.8);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(20, 60, 34, 110));
            p.drawRoundedRect(bar.translated(0.5, 0.6), 0.9, 0.9);
            p.setBrush(QColor(94, 160, 106));
            p.drawRoundedRect(bar, 0.9, 0.9);
            p.setBrush(QColor(70, 138, 86));
            p.drawRoundedRect(bar.adjusted(0.4, 0.6, -0.2, -0.1), 0.6, 0.6);
            p.restore();
        }
    }
}

} // namespace

QImage radarBackground()
{
    const int size = 130;
    QImage canvas = makeCanvas(size, size, Factor);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(Factor, Factor);
    p.fillRect(QRectF(0, 0, size, size), QColor(192, 192, 192));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(0, 0, size, size), 10, 10);

    const QPointF c(65, 65);
    // faint phosphor tint inside the scope
    QRadialGradient tint(c, 62);
    tint.setColorAt(0, QColor(0, 34, 12));
    tint.setColorAt(0.85, QColor(0, 16, 6));
    tint.setColorAt(1, QColor(0, 0, 0));
    p.setBrush(tint);
    p.drawEllipse(c, 61, 61);

    // half-range ring, dim so the ships stand out
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 92, 30), 0.8));
    p.drawEllipse(c, 30, 30);
    // cross through the centre
    // two pixels wide, as the centre falls between pixels 64 and 65
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(64, 3, 2, 124), QColor(0, 118, 36));
    p.fillRect(QRectF(3, 64, 124, 2), QColor(0, 118, 36));
    // the circle on which ships appear
    p.setPen(QPen(QColor(30, 230, 70), 1.3));
    p.drawEllipse(c, 60, 60);
    // clock-hour ticks, as the messages give bearings in hours
    for (int h = 0; h < 12; ++h) {
        const double len = (h % 3 == 0) ? 0 : 3.5;
        if (len == 0)
            continue;
        p.setPen(QPen(QColor(30, 200, 64), 1.0));
        p.drawLine(polar(c, h * 30, 60), polar(c, h * 30, 60 - len));
    }

    // own ship: a glowing upright oval
    QRadialGradient glow(c, 14);
    glow.setColorAt(0, QColor(60, 255, 90, 220));
    glow.setColorAt(0.5, QColor(20, 210, 60, 110));
    glow.setColorAt(1, QColor(0, 120, 20, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.save();
    p.translate(c);
    p.scale(0.75, 1.0);
    p.drawEllipse(QPointF(0, 0), 14, 14);
    p.restore();
    QRadialGradient body(QPointF(65, 65), 10, QPointF(63.6, 61.5));
    body.setColorAt(0, QColor(226, 255, 226));
    body.setColorAt(0.5, QColor(120, 255, 140));
    body.setColorAt(1, QColor(40, 226, 80));
    p.setBrush(body);
    p.drawEllipse(QRectF(61, 56, 8, 18));
    p.end();
    return toRgb(canvas);
}

QImage bearingDial()
{
    const int size = 100;
    QImage canvas = makeCanvas(size, size, Factor);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(Factor, Factor);
    paintChequerPlate(p, size);
    const QPointF c(50, 50);

    // the arc astern that the turret cannot reach (beyond +-135 degrees)
    QPainterPath astern;
    astern.moveTo(c);
    astern.arcTo(QRectF(c.x() - 47, c.y() - 47, 94, 94), -45, -90);
    astern.closeSubpath();
    p.setPen(Qt::NoPen);
    p.fillPath(astern, QColor(140, 140, 144));
    p.setPen(QPen(QColor(96, 96, 100), 1.0));
    p.drawLine(c, polar(c, 135, 47));
    p.drawLine(c, polar(c, 225, 47));

    // scale: a tick every 15 degrees, long ones every 45
    for (int d = -135; d <= 135; d += 15) {
        const bool major = d % 45 == 0;
        p.setPen(QPen(major ? QColor(236, 240, 228) : QColor(190, 214, 190), major ? 1.4 : 0.9));
        p.drawLine(polar(c, d, 45), polar(c, d, major ? 37 : 41));
    }
    // grey ring around the centre, the rim of the dial
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(108, 108, 112), 3.6));
    p.drawEllipse(c, 47.4, 47.4);
    p.setPen(QPen(QColor(178, 178, 182), 1.2));
    p.drawEllipse(c, 48.0, 48.0);
    // hub
    p.setPen(QPen(QColor(150, 150, 154), 2.4));
    p.setBrush(QColor(84, 84, 88));
    p.drawEllipse(c, 5.0, 5.0);
    p.end();
    return toRgb(canvas);
}

QImage elevationDial()
{
    const int size = 100;
    QImage canvas = makeCanvas(size, size, Factor);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(Factor, Factor);
    paintChequerPlate(p, size);
    const QPointF c(100, 100);

    // ticks every 10 degrees of elevation, long ones every 30
    for (int d = 0; d <= 90; d += 10) {
        const bool major = d % 30 == 0;
        const double a = d * Pi / 180.0;
        const QPointF dir(-std::cos(a), -std::sin(a));
        p.setPen(QPen(major ? QColor(236, 240, 228) : QColor(190, 214, 190), major ? 1.4 : 0.9));
        p.drawLine(c + dir * 86, c + dir * (major ? 76 : 80));
    }
    // grey quarter-circle arc around the pivot
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(108, 108, 112), 3.6, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(QRectF(c.x() - 89, c.y() - 89, 178, 178), 90 * 16, 90 * 16);
    p.setPen(QPen(QColor(178, 178, 182), 1.0, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(QRectF(c.x() - 90.6, c.y() - 90.6, 181.2, 181.2), 90 * 16, 90 * 16);
    // small grey quarter disc over the pivot
    QPainterPath hub;
    hub.moveTo(c);
    hub.arcTo(QRectF(c.x() - 13, c.y() - 13, 26, 26), 90, 90);
    hub.closeSubpath();
    p.setPen(QPen(QColor(170, 170, 174), 1.4));
    p.setBrush(QColor(128, 128, 132));
    p.drawPath(hub);
    p.end();
    return toRgb(canvas);
}

} // namespace art
