// SPDX-License-Identifier: MIT
#include "RadarRenderer.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

constexpr double PixelsAcross = 130; // the radar at 15 sea units a pixel

QRgb rgbOf(std::uint32_t bgr)
{
    return qRgb(radar::RedOf(bgr), radar::GreenOf(bgr), radar::BlueOf(bgr));
}

// A sea point on the surface: the centre of the pixel it falls in, so that
// dots come out round and symmetric as the platform's circles do.
QPointF pixelCentre(const QRectF& target, double x, double y)
{
    const double kx = target.width() / radar::Side;
    const double ky = target.height() / radar::Side;
    return {target.left() + std::round(x * kx) + 0.5, target.top() + std::round(y * ky) + 0.5};
}

// Line widths are given in pixels of the 130-pixel radar.
double penScale(const QRectF& target)
{
    return std::max(1.0, std::round(target.width() / PixelsAcross));
}

// A filled circle decided pixel by pixel from the distance of each pixel's
// centre: a dot of a few pixels comes out round and symmetric, which the
// general ellipse rasteriser does not guarantee at that size. Each run of
// one colour along a row goes to fillRun(x, y, width, colour).
template <typename FillRun>
void paintDot(QPointF centre, double radius, double rim, QRgb rimColour, QRgb fill, FillRun fillRun)
{
    const double outer = radius + rim / 2;
    const double inner = radius - rim / 2;
    const double outer2 = outer * outer;
    const double inner2 = inner > 0 ? inner * inner : -1;
    const int left = static_cast<int>(std::floor(centre.x() - outer));
    const int top = static_cast<int>(std::floor(centre.y() - outer));
    const int right = static_cast<int>(std::ceil(centre.x() + outer));
    const int bottom = static_cast<int>(std::ceil(centre.y() + outer));
    for (int y = top; y <= bottom; ++y) {
        int runStart = left;
        int runKind = 0; // 0 outside, 1 rim, 2 fill
        for (int x = left; x <= right + 1; ++x) {
            int kind = 0;
            if (x <= right) {
                const double dx = x + 0.5 - centre.x(), dy = y + 0.5 - centre.y();
                const double d2 = dx * dx + dy * dy;
                kind = d2 <= inner2 ? 2 : (d2 <= outer2 ? 1 : 0);
            }
            if (kind == runKind)
                continue;
            if (runKind != 0)
                fillRun(runStart, y, x - runStart, runKind == 2 ? fill : rimColour);
            runStart = x;
            runKind = kind;
        }
    }
}

} // namespace

RadarRenderer::RadarRenderer(QImage background)
    : background_(std::move(background))
{
}

const QImage& RadarRenderer::backgroundFor(QSize size) const
{
    if (background_.isNull() || background_.size() == size)
        return background_;
    // Scaling the background is the costliest step; the surface size rarely
    // changes, so the scaled copy is kept.
    if (scaled_.size() != size)
        scaled_ = background_.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return scaled_;
}

template <typename FillRun>
void RadarRenderer::paintMarks(const QRectF& target, const std::vector<RadarMark>& marks,
                               FillRun fillRun) const
{
    const double k = target.width() / radar::Side;
    const double rim = penScale(target);
    for (const RadarMark& m : marks) {
        // A mark wholly off the square cannot show; skipping it also keeps
        // absurd coordinates away from the rasteriser.
        const double reach = m.Radius + 1.0;
        if (!(m.X > -reach && m.X < radar::Side + reach && m.Y > -reach && m.Y < radar::Side + reach))
            continue;
        paintDot(pixelCentre(target, m.X, m.Y), m.Radius * k, rim, rgbOf(m.Rim), rgbOf(m.Fill), fillRun);
    }
}

void RadarRenderer::paint(QPainter& painter, const QRectF& target, const std::vector<RadarMark>& marks) const
{
    // On a plain surface (one device pixel a pixel, no transform, whole
    // pixels) the picture is made in memory and drawn in one go: a painter
    // call per run of a dot costs more than the whole dot.
    const QRect pixels = target.toRect();
    const QPaintDevice* device = painter.device();
    if (device && device->devicePixelRatio() == 1 && painter.worldTransform().isIdentity()
        && QRectF(pixels) == target && !pixels.isEmpty()) {
        drawInto(frame_, pixels.size(), marks);
        painter.save();
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(pixels.topLeft(), frame_);
        painter.restore();
        return;
    }
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QImage& background = backgroundFor(target.size().toSize());
    if (background.isNull())
        painter.fillRect(target, Qt::black);
    else
        painter.drawImage(target.topLeft(), background);
    paintMarks(target, marks,
               [&](int x, int y, int w, QRgb colour) { painter.fillRect(x, y, w, 1, QColor(colour)); });
    painter.restore();
}

void RadarRenderer::paintViewLine(QPainter& painter, const QRectF& target, QPointF outer) const
{
    if (!std::isfinite(outer.x()) || !std::isfinite(outer.y()))
        return;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(QPen(QColor(255, 0, 0), 3 * penScale(target), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(pixelCentre(target, outer.x(), outer.y()),
                     pixelCentre(target, radar::Centre, radar::Centre));
    painter.restore();
}

void RadarRenderer::drawInto(QImage& image, QSize size, const std::vector<RadarMark>& marks) const
{
    const QImage& background = backgroundFor(size);
    if (background.isNull() || background.size() != size) {
        if (image.size() != size || image.format() != QImage::Format_RGB32)
            image = QImage(size, QImage::Format_RGB32);
        image.fill(Qt::black);
        if (!background.isNull())
            QPainter(&image).drawImage(0, 0, background);
    } else if (background.format() == QImage::Format_RGB32 && image.size() == size
               && image.format() == QImage::Format_RGB32) {
        // The buffer of the last paint, its pixels reset to the background.
        uchar* bits = image.bits();
        for (int y = 0; y < size.height(); ++y)
            std::memcpy(bits + y * image.bytesPerLine(), background.constScanLine(y),
                        static_cast<std::size_t>(size.width()) * sizeof(QRgb));
    } else {
        image = background.convertToFormat(QImage::Format_RGB32);
        image.detach(); // its own pixels, written directly below
    }
    const QRectF target(QPointF(0, 0), QSizeF(size));
    paintMarks(target, marks, [&](int x, int y, int w, QRgb colour) {
        if (y < 0 || y >= image.height())
            return;
        const int from = std::max(x, 0);
        const int to = std::min(x + w, image.width());
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int i = from; i < to; ++i)
            line[i] = colour;
    });
}

QImage RadarRenderer::render(QSize size, const std::vector<RadarMark>& marks, QPointF viewOuter) const
{
    QImage image;
    drawInto(image, size, marks);
    QPainter painter(&image);
    paintViewLine(painter, QRectF(QPointF(0, 0), QSizeF(size)), viewOuter);
    return image;
}
