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

// A sea point on the surface: the centre of the pixel it falls in, so that
// dots come out round and symmetric as the platform's circles do.
QPointF PixelCentre(const QRectF& target, double x, double y)
{
    const double kx = target.width() / radar::Side;
    const double ky = target.height() / radar::Side;
    return {target.left() + std::round(x * kx) + 0.5, target.top() + std::round(y * ky) + 0.5};
}

// Line widths are given in pixels of the 130-pixel radar.
double PenScale(const QRectF& target) { return std::max(1.0, std::round(target.width() / PixelsAcross)); }

// A filled circle decided pixel by pixel from the distance of each pixel's
// centre: a dot of a few pixels comes out round and symmetric, which the
// general ellipse rasteriser does not guarantee at that size.
void PaintDot(QPainter& painter, QPointF centre, double radius, double rim, QColor rimColour, QColor fill)
{
    const double outer = radius + rim / 2;
    const double inner = radius - rim / 2;
    const int left = static_cast<int>(std::floor(centre.x() - outer));
    const int top = static_cast<int>(std::floor(centre.y() - outer));
    const int right = static_cast<int>(std::ceil(centre.x() + outer));
    const int bottom = static_cast<int>(std::ceil(centre.y() + outer));
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            const double d = std::hypot(x + 0.5 - centre.x(), y + 0.5 - centre.y());
            if (d <= inner)
                painter.fillRect(x, y, 1, 1, fill);
            else if (d <= outer)
                painter.fillRect(x, y, 1, 1, rimColour);
        }
}

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

    const double k = target.width() / radar::Side;
    const double rim = PenScale(target);
    for (const RadarMark& m : marks) {
        // A mark wholly off the square cannot show; skipping it also keeps
        // absurd coordinates away from the rasteriser.
        const double reach = m.Radius + 1.0;
        if (!(m.X > -reach && m.X < radar::Side + reach && m.Y > -reach && m.Y < radar::Side + reach))
            continue;
        PaintDot(painter, PixelCentre(target, m.X, m.Y), m.Radius * k, rim, ColorOf(m.Rim), ColorOf(m.Fill));
    }
    painter.restore();
}

void RadarRenderer::paintViewLine(QPainter& painter, const QRectF& target, QPointF outer) const
{
    if (!std::isfinite(outer.x()) || !std::isfinite(outer.y()))
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(QPen(QColor(255, 0, 0), 3 * PenScale(target), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(PixelCentre(target, outer.x(), outer.y()), PixelCentre(target, radar::Centre, radar::Centre));
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
