// SPDX-License-Identifier: MIT
#include "SceneArt.h"

#include "ArtCommon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace art {
namespace {

constexpr int Factor = 4;

struct Cloud {
    double x, base; // left end and flat underside
    double width, height;
    double haze; // 0 near and crisp, 1 far and faded into the sky
    std::uint64_t seed;
};

void paintCloud(QPainter& p, const Cloud& c)
{
    Rng rng(c.seed);
    QPainterPath body;
    const int lobes = std::max(4, int(c.width / (c.height * 0.55)));
    for (int i = 0; i < lobes; ++i) {
        const double t = (i + 0.5) / lobes;
        const double hump = std::sin(t * 3.14159) * (0.75 + 0.25 * rng.uniform());
        const double r = c.height * (0.35 + 0.55 * hump);
        const double cx = c.x + c.width * t + rng.range(-0.15, 0.15) * c.width / lobes;
        const double cy = c.base - r * 0.8 + rng.range(-0.1, 0.1) * c.height;
        body.addEllipse(QPointF(cx, cy), r * 1.15, r);
    }
    body.setFillRule(Qt::WindingFill);
    QPainterPath clip;
    clip.addRect(QRectF(c.x - c.width, c.base - c.height * 3, c.width * 3, c.height * 3));
    body = body.intersected(clip);

    const QColor sky = mix(QColor(176, 204, 234), QColor(206, 222, 240), c.haze);
    const QColor top = mix(QColor(255, 255, 255), sky, c.haze * 0.55);
    const QColor under = mix(QColor(158, 170, 196), sky, c.haze * 0.6);
    QLinearGradient g(0, c.base - c.height * 1.1, 0, c.base);
    g.setColorAt(0.0, top);
    g.setColorAt(0.55, mix(top, under, 0.35));
    g.setColorAt(1.0, under);
    p.fillPath(body, g);

    // sunlit crowns
    p.save();
    p.setClipPath(body);
    Rng glint(c.seed * 7 + 1);
    for (int i = 0; i < lobes; ++i) {
        const double t = (i + 0.5) / lobes;
        const double cx = c.x + c.width * t + glint.range(-0.2, 0.1) * c.width / lobes;
        const double cy = c.base - c.height * (0.7 + 0.35 * std::sin(t * 3.14159));
        QRadialGradient hl(QPointF(cx, cy), c.height * 0.5);
        QColor h = top;
        h.setAlpha(int(200 * (1 - c.haze * 0.6)));
        hl.setColorAt(0, h);
        hl.setColorAt(1, QColor(top.red(), top.green(), top.blue(), 0));
        p.setBrush(hl);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(cx, cy), c.height * 0.5, c.height * 0.5);
    }
    p.restore();
}

} // namespace

QImage sceneBackground()
{
    QImage canvas = makeCanvas(SceneWidth, SceneHeight, Factor);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(Factor, Factor);

    const QRectF skyRect(0, 0, SceneWidth, SceneHorizon);
    QLinearGradient sky(0, 0, 0, SceneHorizon);
    sky.setColorAt(0.0, QColor(78, 132, 204));
    sky.setColorAt(0.55, QColor(138, 182, 230));
    sky.setColorAt(0.9, QColor(194, 216, 238));
    sky.setColorAt(1.0, QColor(214, 228, 242));
    p.fillRect(skyRect, sky);

    p.save();
    p.setClipRect(skyRect);
    const Cloud clouds[] = {
        // far, low banks along the horizon
        {-10, 121, 120, 5, 0.85, 101},
        {150, 122, 90, 4, 0.9, 102},
        {270, 121.5, 140, 5.5, 0.85, 103},
        {60, 116, 70, 6, 0.7, 104},
        {320, 114, 60, 6, 0.7, 105},
        // middle distance
        {20, 98, 80, 13, 0.45, 106},
        {200, 102, 100, 12, 0.5, 107},
        {330, 92, 70, 12, 0.4, 108},
        // near, big cumulus
        {90, 70, 120, 28, 0.1, 109},
        {-30, 48, 80, 20, 0.15, 110},
        {280, 56, 110, 24, 0.12, 111},
        {200, 24, 60, 12, 0.25, 112},
    };
    for (const Cloud& c : clouds)
        paintCloud(p, c);
    p.restore();

    const QRectF seaRect(0, SceneHorizon, SceneWidth, SceneHeight - SceneHorizon);
    QLinearGradient sea(0, SceneHorizon, 0, SceneHeight);
    sea.setColorAt(0.0, QColor(50, 84, 132));
    sea.setColorAt(0.12, QColor(36, 68, 118));
    sea.setColorAt(1.0, QColor(12, 30, 74));
    p.fillRect(seaRect, sea);

    // Wave crests and troughs, growing with nearness.
    p.save();
    p.setClipRect(seaRect);
    Rng rng(4242);
    for (double y = SceneHorizon + 0.5; y < SceneHeight; y += 0.5) {
        const double depth = (y - SceneHorizon) / (SceneHeight - SceneHorizon); // 0 far, 1 near
        const double len = 2.0 + 22.0 * depth * depth + 3 * depth;
        const double thick = 0.35 + 1.1 * depth;
        const int count = int(3 + 5 * (1 - depth));
        for (int i = 0; i < count; ++i) {
            const double x = rng.range(-len, SceneWidth);
            const double l = len * rng.range(0.5, 1.3);
            const bool crest = rng.uniform() < 0.55;
            QColor c = crest ? QColor(92, 132, 186, int(70 + 90 * (1 - depth)))
                             : QColor(6, 18, 48, int(60 + 60 * depth));
            if (crest && rng.uniform() < 0.12)
                c = QColor(190, 210, 235, int(110 + 60 * (1 - depth)));
            QPainterPath wave;
            wave.moveTo(x, y);
            wave.quadTo(x + l / 2, y - thick * 1.2, x + l, y);
            wave.quadTo(x + l / 2, y - thick * 0.2, x, y);
            p.fillPath(wave, c);
        }
    }
    p.restore();
    // a hazy light line marks the horizon
    p.fillRect(QRectF(0, SceneHorizon, SceneWidth, 1), QColor(120, 150, 190, 70));
    p.end();
    return downsample(canvas, Factor).convertToFormat(QImage::Format_RGB32);
}

QImage waterColumn()
{
    QImage canvas = makeCanvas(WaterWidth, WaterHeight, Factor);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(Factor, Factor);
    p.setPen(Qt::NoPen);

    // Jets of water fan up from a slim foot and burst into spray at the top,
    // so the column is widest in its upper half.
    Rng rng(777);
    const double footY = WaterHeight - 0.5;
    const int jets = 9;
    for (int j = 0; j < jets; ++j) {
        const double u = (j + 0.5) / jets * 2 - 1; // -1 left .. +1 right
        const double topX = 11 + u * 7.0 + rng.range(-0.6, 0.6);
        const double topY = 5.0 + std::abs(u) * 7.0 + rng.range(-1.5, 1.5);
        const double footX = 11 + u * 1.8;
        const double w0 = 1.5, w1 = 3.2 + rng.range(0, 1.2);
        QPainterPath jet;
        jet.moveTo(footX - w0, footY);
        jet.cubicTo(footX - w0, footY - 30, topX - w1, topY + 9, topX - w1, topY);
        jet.lineTo(topX + w1, topY);
        jet.cubicTo(topX + w1, topY + 9, footX + w0, footY - 30, footX + w0, footY);
        jet.closeSubpath();
        const int shade = int(rng.range(0, 26)) + int(10 * (u + 1));
        QLinearGradient g(topX - w1, 0, topX + w1, 0);
        g.setColorAt(0, QColor(255 - shade / 3, 255 - shade / 3, 255));
        g.setColorAt(1, QColor(222 - shade, 228 - shade, 238 - shade));
        p.fillPath(jet, g);
    }
    // bursting spray over the jets
    for (int i = 0; i < 60; ++i) {
        const double u = rng.range(-1, 1);
        const double x = 11 + u * 8.2;
        const double y = 6.0 + std::abs(u) * 6.0 + rng.range(-4.0, 6.0);
        const double r = rng.range(1.1, 2.4) * (1 - 0.3 * std::abs(u));
        QRadialGradient g(QPointF(x - r * 0.4, y - r * 0.4), r * 1.4);
        g.setColorAt(0, QColor(255, 255, 255));
        g.setColorAt(0.6, QColor(236, 240, 246));
        g.setColorAt(1, QColor(196, 202, 214));
        p.setBrush(g);
        p.drawEllipse(QPointF(x, y), r, r);
    }
    // spikes of water thrown highest out of the crown
    for (int i = 0; i < 7; ++i) {
        const double u = (i + 0.5) / 7 * 2 - 1;
        const double x = 11 + u * 6.5 + rng.range(-0.5, 0.5);
        const double top = 0.5 + u * u * 5.0 + rng.range(0.0, 1.0);
        QPainterPath spike;
        spike.moveTo(x - 1.3, top + 6.0);
        spike.quadTo(x - 0.5, top + 1.0, x + u * 1.2, top);
        spike.quadTo(x + 0.6, top + 1.0, x + 1.3, top + 6.0);
        spike.closeSubpath();
        p.fillPath(spike, QColor(246, 248, 252));
    }
    // spray falling back down the sides of the crown
    for (int i = 0; i < 12; ++i) {
        const double side = (i % 2) ? 1 : -1;
        const double t = rng.uniform();
        const double x = 11 + side * (8.0 + 1.5 * t);
        const double y = 10.0 + 14.0 * t;
        p.setBrush(QColor(222, 228, 238));
        p.drawEllipse(QPointF(x, y), 1.0 - 0.4 * t, 1.8);
    }
    // shadow on the side away from the sun
    p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    QLinearGradient side(0, 0, WaterWidth, 0);
    side.setColorAt(0.0, QColor(255, 255, 255, 0));
    side.setColorAt(0.55, QColor(255, 255, 255, 0));
    side.setColorAt(1.0, QColor(150, 160, 176, 150));
    p.fillRect(QRectF(0, 0, WaterWidth, WaterHeight), side);
    p.end();

    QImage picture = flattenOnWhite(downsample(canvas, Factor));
    removeSpecks(picture, 2);
    fillPinholes(picture, 4);
    // Keep the plume within its palette of light greys.
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if ((row[x] & 0xFFFFFF) == 0xFFFFFF)
                continue;
            row[x] = qRgb(std::max(182, qRed(row[x])), std::max(182, qGreen(row[x])),
                          std::max(182, qBlue(row[x])));
            if ((row[x] & 0xFFFFFF) == 0xFFFFFF)
                row[x] = qRgb(250, 252, 254);
        }
    }
    return picture;
}

} // namespace art
