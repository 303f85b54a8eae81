// SPDX-License-Identifier: MIT
#include "RadarRenderer.h"

#include <QPainter>

#include <cmath>
#include <utility>

namespace {

constexpr double PixelsAcross = 130; // the radar at 15 sea units a pixel

QColor ColorOf(std::uint32_t bgr)
{
    return QColor(radar::RedOf(bgr), radar::GreenOf(bgr), radar::BlueOf(bgr));
}

// Line widths are given in pixels of the 130-pixel radar.
double PenScale(const QRectF& target) { return std::max(1.0, std::round(target.width() / PixelsAcross)); }

} // namespace

RadarRenderer::RadarRenderer(QImage background) : background_(std::move(background)) {}

void RadarRenderer::paint(QPainter& painter, const QRectF& target, const std::vector<RadarMark>& marks) const
{
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (background_.isNull())
        painter.fillRect(target, Qt::black);
    else
        painter.drawImage(target, background_);

    const double kx = target.width() / radar::Side;
    const double ky = target.height() / radar::Side;
    const double penWidth = PenScale(target);
    for (const RadarMark& m : marks) {
        // A mark wholly off the square cannot show; skipping it also keeps
        // absurd coordinates away from the rasteriser.
        const double reach = m.Radius + 1.0;
        if (!(m.X > -reach && m.X < radar::Side + reach && m.Y > -reach && m.Y < radar::Side + reach))
            continue;
        painter.setPen(QPen(ColorOf(m.Rim), penWidth));
        painter.setBrush(ColorOf(m.Fill));
        const QPointF centre(target.left() + m.X * kx, target.top() + m.Y * ky);
        painter.drawEllipse(centre, m.Radius * kx, m.Radius * ky);
    }
    painter.restore();
}

void RadarRenderer::paintViewLine(QPainter& painter, const QRectF& target, QPointF outer) const
{
    if (!std::isfinite(outer.x()) || !std::isfinite(outer.y()))
        return;
    const double kx = target.width() / radar::Side;
    const double ky = target.height() / radar::Side;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(QPen(QColor(255, 0, 0), 3 * PenScale(target), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(target.left() + outer.x() * kx, target.top() + outer.y() * ky),
                     QPointF(target.left() + radar::Centre * kx, target.top() + radar::Centre * ky));
    painter.restore();
}

QImage RadarRenderer::render(QSize size, const std::vector<RadarMark>& marks, QPointF viewOuter) const
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    const QRectF target(QPointF(0, 0), QSizeF(size));
    paint(painter, target, marks);
    paintViewLine(painter, target, viewOuter);
    return image;
}
