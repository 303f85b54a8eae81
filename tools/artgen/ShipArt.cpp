// SPDX-License-Identifier: MIT
#include "ShipArt.h"

#include "ArtCommon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace art {
namespace {

constexpr int Factor = 4;

// Japanese naval grey with a blue cast, lit from above and a little ahead.
const QColor Grey(132, 137, 146);
const QColor GreyLight(182, 187, 196);
const QColor GreyDark(82, 87, 97);
const QColor Window(28, 32, 42);
const QColor Boot(44, 42, 46);

double deckY(double x)
{
    // Flush deck with a sheer that rises towards the bow.
    if (x <= 100)
        return 37.5;
    const double t = (x - 100) / 115.0;
    return 37.5 - 7.0 * t * t;
}

void block(QPainter& p, const QRectF& r, const QColor& base)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, lighter(base, 118));
    g.setColorAt(1, darker(base, 118));
    p.fillRect(r, g);
    p.fillRect(QRectF(r.left(), r.top(), r.width(), 0.6), lighter(base, 140));
    p.fillRect(QRectF(r.right() - 0.5, r.top(), 0.5, r.height()), darker(base, 135));
}

void windows(QPainter& p, double x0, double x1, double y, double h, double pitch)
{
    for (double x = x0; x + 0.8 <= x1; x += pitch)
        p.fillRect(QRectF(x, y, 0.9, h), Window);
}

void turret(QPainter& p, double cx, double top, int facing, double barbetteBottom, double barrelLength,
            double elevation = 0.06)
{
    const double f = facing;
    const double bottom = top + 6.8;
    // barbette: a drum under the gun house, in shade beneath its overhang
    QLinearGradient drum(cx - 6, 0, cx + 6, 0);
    drum.setColorAt(0, lighter(GreyDark, 104));
    drum.setColorAt(0.35, lighter(Grey, 106));
    drum.setColorAt(1, lighter(GreyDark, 104));
    p.fillRect(QRectF(cx - 6, bottom - 0.5, 12, barbetteBottom - bottom + 0.5), drum);
    p.fillRect(QRectF(cx - 6, bottom, 12, 0.8), QColor(64, 68, 78));
    // barrels first, so the gun house covers their roots
    const double rootX = cx + 7.5 * f;
    const double rootY = top + 2.8;
    const double tipX = rootX + barrelLength * f;
    const double tipY = rootY - barrelLength * elevation;
    QPainterPath barrel;
    barrel.moveTo(rootX, rootY - 1.15);
    barrel.lineTo(tipX, tipY - 0.8);
    barrel.lineTo(tipX, tipY + 0.8);
    barrel.lineTo(rootX, rootY + 1.15);
    barrel.closeSubpath();
    QLinearGradient bg(0, rootY - 1.1, 0, rootY + 1.1);
    bg.setColorAt(0, GreyLight);
    bg.setColorAt(0.45, Grey);
    bg.setColorAt(1, darker(GreyDark, 125));
    p.fillPath(barrel, bg);
    // muzzle swell and the canvas blast bags at the root
    p.fillRect(QRectF(f > 0 ? tipX - 1.4 : tipX, tipY - 1.0, 1.4, 2.0), lighter(GreyDark, 105));
    p.fillRect(QRectF(f > 0 ? rootX - 0.2 : rootX - 1.6, rootY - 1.3, 1.8, 2.6), QColor(150, 146, 134));
    // gun house: sloped face towards the guns, rounded back
    QPainterPath house;
    house.moveTo(cx - 10.0 * f, bottom);
    house.lineTo(cx - 10.0 * f, top + 1.8);
    house.quadTo(cx - 10.0 * f, top, cx - 8.0 * f, top);
    house.lineTo(cx + 5.5 * f, top);
    house.lineTo(cx + 9.5 * f, top + 3.0);
    house.lineTo(cx + 9.5 * f, bottom);
    house.closeSubpath();
    QLinearGradient hg(0, top, 0, bottom);
    hg.setColorAt(0, lighter(GreyLight, 104));
    hg.setColorAt(0.2, lighter(Grey, 112));
    hg.setColorAt(1, GreyDark);
    p.fillPath(house, hg);
    p.fillRect(QRectF(std::min(cx - 8.0 * f, cx + 5.5 * f), top, 13.5, 0.7), lighter(GreyLight, 118));
    QPainterPath face;
    face.moveTo(cx + 5.5 * f, top);
    face.lineTo(cx + 9.5 * f, top + 3.0);
    face.lineTo(cx + 9.5 * f, bottom);
    face.lineTo(cx + 7.6 * f, bottom);
    face.lineTo(cx + 7.6 * f, top + 2.0);
    face.closeSubpath();
    p.fillPath(face, lighter(GreyDark, 112));
    // rangefinder ears at the back of the house
    p.fillRect(QRectF(std::min(cx - 9.6 * f, cx - 6.0 * f), top + 3.4, 3.6, 1.3), darker(GreyDark, 110));
}

QPainterPath hullPath()
{
    QPainterPath hull;
    hull.moveTo(8, 37.0);
    for (double x = 10; x <= 204; x += 2)
        hull.lineTo(x, deckY(x));
    hull.lineTo(215, 30.3);
    hull.cubicTo(213.4, 36.0, 208.5, 43.0, 203.0, 47.0);
    hull.lineTo(16, 47.0);
    hull.quadTo(9.2, 46.2, 8, 41.5);
    hull.closeSubpath();
    return hull;
}

void paintHull(QPainter& p)
{
    const QPainterPath hull = hullPath();
    QLinearGradient g(0, 30, 0, 47);
    g.setColorAt(0.0, GreyLight);
    g.setColorAt(0.18, lighter(Grey, 112));
    g.setColorAt(0.7, darker(Grey, 112));
    g.setColorAt(1.0, GreyDark);
    p.fillPath(hull, g);

    p.save();
    p.setClipPath(hull);
    // boot-topping along the waterline
    p.fillRect(QRectF(0, 45.4, ShipWidth, 2), Boot);
    // armour belt: a slightly darker band with a light upper edge
    QPainterPath belt;
    belt.moveTo(40, 41.6);
    belt.lineTo(185, 41.6);
    belt.lineTo(185, 45.4);
    belt.lineTo(40, 45.4);
    p.fillPath(belt, QColor(0, 0, 0, 26));
    p.fillRect(QRectF(40, 41.3, 145, 0.5), QColor(255, 255, 255, 40));
    // scuttles
    for (double x = 18; x < 196; x += 4.0) {
        if (x > 104 && x < 112)
            continue;
        const double y = std::min(40.4, deckY(x) + 3.2);
        p.fillRect(QRectF(x, y, 0.8, 0.8), QColor(40, 44, 54, 200));
    }
    // deck edge catching the light, shadow of the deck overhang under it
    QPainterPath edge;
    edge.moveTo(8, 37.0);
    for (double x = 10; x <= 204; x += 2)
        edge.lineTo(x, deckY(x));
    edge.lineTo(215, 30.3);
    p.setPen(QPen(lighter(GreyLight, 112), 0.9));
    p.drawPath(edge);
    p.setPen(QPen(QColor(60, 64, 74, 110), 0.6));
    p.drawPath(edge.translated(0, 1.0));
    p.setPen(Qt::NoPen);
    // hawse pipe and anchor at the bow
    p.setBrush(QColor(35, 38, 46));
    p.drawEllipse(QRectF(203.2, 33.2, 1.8, 1.5));
    p.fillRect(QRectF(203.8, 34.6, 0.7, 2.4), QColor(52, 55, 62));
    // casemate guns along the upper hull amidships
    for (double x : {100.0, 112.0, 124.0, 136.0, 148.0})
        p.fillRect(QRectF(x, deckY(x) + 1.6, 3.4, 0.9), QColor(50, 54, 63));
    p.restore();
}

void paintSuperstructure(QPainter& p)
{
    p.setPen(Qt::NoPen);
    const QColor mastC(92, 97, 106);
    auto pole = [&p](QPointF a, QPointF b, const QColor& c, double w) {
        p.setPen(QPen(c, w, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(a, b);
        p.setPen(Qt::NoPen);
    };

    // --- aft: tripod mainmast over a deckhouse, with a boat crane
    pole(QPointF(78.5, 29), QPointF(78.5, 9.5), mastC, 1.3);
    pole(QPointF(73.0, 30), QPointF(77.8, 15.5), mastC, 1.1);
    pole(QPointF(84.0, 30), QPointF(79.2, 15.5), mastC, 1.1);
    pole(QPointF(78.5, 9.6), QPointF(78.5, 5.0), mastC, 1.0);
    pole(QPointF(74.5, 11.2), QPointF(82.5, 11.2), mastC, 1.0);
    block(p, QRectF(74.0, 14.4, 9.0, 2.2), Grey);
    pole(QPointF(69, 30.5), QPointF(62.5, 22.5), darker(mastC, 108), 1.0);
    block(p, QRectF(65.5, 30.0, 25.5, 8.5), Grey);
    block(p, QRectF(70, 25.8, 16, 4.4), lighter(Grey, 104));
    windows(p, 71.5, 85, 27.1, 1.2, 2.6);

    // --- funnel, trunked and raked aft
    block(p, QRectF(88, 29.5, 23, 9), Grey);
    QPainterPath funnel;
    funnel.moveTo(93.5, 30);
    funnel.lineTo(88.6, 16.0);
    funnel.quadTo(95.0, 14.8, 102.0, 16.0);
    funnel.lineTo(109.0, 30);
    funnel.closeSubpath();
    QLinearGradient fg(90, 0, 108, 0);
    fg.setColorAt(0, GreyDark);
    fg.setColorAt(0.32, GreyLight);
    fg.setColorAt(0.6, Grey);
    fg.setColorAt(1, darker(GreyDark, 110));
    p.fillPath(funnel, fg);
    // steam pipe up the back of the funnel
    pole(QPointF(93.2, 29.5), QPointF(88.6, 15.4), darker(mastC, 105), 1.0);
    QPainterPath cap;
    cap.moveTo(88.0, 15.6);
    cap.quadTo(95.0, 14.0, 102.6, 15.6);
    cap.lineTo(103.3, 18.2);
    cap.lineTo(89.0, 18.2);
    cap.closeSubpath();
    p.fillPath(cap, QColor(34, 34, 38));
    // searchlight platform hugging the funnel
    block(p, QRectF(100.5, 22.6, 9.5, 1.6), Grey);
    p.setBrush(QColor(70, 74, 82));
    p.drawEllipse(QRectF(105.0, 20.6, 2.4, 2.2));
    p.setBrush(Qt::NoBrush);

    // --- pagoda foremast: tiers of platforms stepping up to the director
    pole(QPointF(126, 8), QPointF(126, 4.0), mastC, 1.2);
    pole(QPointF(122.5, 5.6), QPointF(129.5, 5.6), mastC, 1.0);
    block(p, QRectF(110, 29.0, 33, 9.0), Grey);
    windows(p, 113, 141, 31.0, 1.3, 3.2);
    block(p, QRectF(113, 24.2, 26, 5.0), lighter(Grey, 103));
    block(p, QRectF(111.5, 23.8, 29, 1.0), lighter(GreyDark, 112));
    windows(p, 115, 137, 25.8, 1.2, 3.0);
    block(p, QRectF(115.5, 19.8, 21, 4.2), lighter(Grey, 106));
    block(p, QRectF(113.5, 19.4, 25, 0.9), lighter(GreyDark, 112));
    windows(p, 117, 135, 21.2, 1.1, 2.6);
    block(p, QRectF(117.5, 15.9, 17, 3.7), lighter(Grey, 108));
    windows(p, 119, 133, 16.9, 1.0, 2.4);
    block(p, QRectF(116.5, 12.4, 19, 3.6), lighter(Grey, 112));
    p.fillRect(QRectF(117.3, 13.5, 17.4, 1.3), Window);
    block(p, QRectF(113.0, 10.7, 26, 1.6), lighter(GreyDark, 122));
    block(p, QRectF(121, 7.4, 10, 3.4), lighter(Grey, 114));
    p.fillRect(QRectF(122, 8.4, 8, 1.0), Window);

    // secondary mounts abreast the superstructure
    block(p, QRectF(143.5, 31.0, 5.0, 3.2), Grey);
    p.fillRect(QRectF(148.5, 31.9, 3.0, 0.9), GreyDark);
    block(p, QRectF(61.0, 32.5, 5.0, 3.2), Grey);
    p.fillRect(QRectF(58.0, 33.4, 3.0, 0.9), GreyDark);
    // jack staff and ensign staff keep the ends crisp
    pole(QPointF(213.2, 30.8), QPointF(213.2, 25.5), mastC, 1.0);
    pole(QPointF(9.2, 37.2), QPointF(9.2, 31.0), mastC, 1.0);
}

void paintTurrets(QPainter& p)
{
    turret(p, 33, 29.8, -1, 38, 12.5);
    turret(p, 56, 25.0, -1, 38, 17.0);
    turret(p, 153, 23.2, +1, 37, 19.0);
    turret(p, 177, 26.4, +1, 35, 19.5);
}

// --- damage ---------------------------------------------------------------

struct Plume {
    double x, y;   // source on deck
    double rise;   // height reached above the source
    double drift;  // how far the wind carries it aft (leftwards)
    double r0, r1; // puff radius at the source and at the top
    QColor dark, light;
    std::uint64_t seed;
};

// Smoke as a density field of many soft blobs: where the density passes one
// half it is smoke, and each blob's lit upper side and shaded underside
// blend into a billowing mass.
void paintPlume(QImage& canvas, const Plume& pl)
{
    struct Blob {
        double x, y, r, t;
    };
    Rng rng(pl.seed);
    std::vector<Blob> blobs;
    const int count = 280;
    for (int i = 0; i < count; ++i) {
        const double t = std::pow(rng.uniform(), 1.25);
        const double radius = pl.r0 + (pl.r1 - pl.r0) * std::pow(t, 0.85);
        const double cx = pl.x - pl.drift * std::pow(t, 1.6);
        const double cy = pl.y - (pl.rise - pl.r1) * t;
        blobs.push_back({cx + rng.gauss() * 0.42 * radius, cy + rng.gauss() * 0.3 * radius,
                         radius * rng.range(0.28, 0.6), t});
    }
    const int w = canvas.width(), h = canvas.height();
    std::vector<double> density(std::size_t(w * h), 0.0), lit(std::size_t(w * h), 0.0),
        height(std::size_t(w * h), 0.0);
    for (const Blob& b : blobs) {
        const double reach = b.r * 2.2;
        const int x0 = std::max(0, int((b.x - reach) * Factor)),
                  x1 = std::min(w - 1, int((b.x + reach) * Factor));
        const int y0 = std::max(0, int((b.y - reach) * Factor)),
                  y1 = std::min(h - 1, int((b.y + reach) * Factor));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const double dx = ((x + 0.5) / Factor - b.x) / b.r, dy = ((y + 0.5) / Factor - b.y) / b.r;
                const double d2 = dx * dx + dy * dy;
                if (d2 > 4.84)
                    continue;
                const double wgt = std::exp(-d2 * 2.2);
                const std::size_t i = std::size_t(y * w + x);
                density[i] += wgt;
                lit[i] += wgt * (-0.55 * dx - 0.83 * dy); // light from above, a little aft
                height[i] += wgt * b.t;
            }
    }
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(canvas.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const std::size_t i = std::size_t(y * w + x);
            const double d = density[i];
            if (d < 0.38)
                continue;
            const double alpha = smoothstep(0.38, 0.62, d);
            const double l = std::clamp(lit[i] / d, -1.0, 1.0);
            const double t = height[i] / d;
            const QColor base = mix(pl.dark, pl.light, t);
            const double k = 0.74 + 0.55 * l;
            const int r = std::clamp(int(base.red() * k), 0, 235),
                      g = std::clamp(int(base.green() * k), 0, 235),
                      bl = std::clamp(int(base.blue() * k), 0, 235);
            const int a = int(alpha * 255);
            const QRgb under = row[x];
            const int ia = 255 - a;
            row[x] = qRgba((r * a + qRed(under) * ia) / 255, (g * a + qGreen(under) * ia) / 255,
                           (bl * a + qBlue(under) * ia) / 255, a + qAlpha(under) * ia / 255);
        }
    }
}

void paintFire(QPainter& p, double x, double y, double height, double width, std::uint64_t seed)
{
    Rng rng(seed);
    const int tongues = std::max(3, int(width / 1.6));
    const QColor layers[] = {QColor(200, 50, 16), QColor(246, 118, 24), QColor(255, 188, 52),
                             QColor(255, 226, 110)};
    for (int layer = 0; layer < 4; ++layer) {
        const double k = 1.0 - layer * 0.22;
        for (int i = 0; i < tongues; ++i) {
            const double bx = x - width / 2 + width * (i + 0.5) / tongues;
            const double h = height * k * (0.55 + 0.45 * rng.uniform())
                * (1.0 - 0.5 * std::abs(bx - x) / (width / 2 + 0.01));
            const double w = width / tongues * 1.9 * k;
            QPainterPath f;
            f.moveTo(bx - w / 2, y);
            f.cubicTo(bx - w / 2, y - h * 0.5, bx - w * 0.1 - 0.8, y - h * 0.8, bx - h * 0.12, y - h);
            f.cubicTo(bx + w * 0.15, y - h * 0.7, bx + w / 2, y - h * 0.45, bx + w / 2, y);
            f.closeSubpath();
            p.fillPath(f, layers[layer]);
        }
    }
}

void paintGlow(QPainter& p, double x, double y, double radius, int strength)
{
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    QRadialGradient g(QPointF(x, y), radius);
    g.setColorAt(0, QColor(255, 120, 30, strength));
    g.setColorAt(1, QColor(255, 120, 30, 0));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(x, y), radius, radius);
    p.restore();
}

void paintScorch(QPainter& p, double x, double y, double rx, double ry, int strength)
{
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    QRadialGradient g(QPointF(x, y), 1.0);
    g.setColorAt(0, QColor(20, 18, 18, strength));
    g.setColorAt(1, QColor(20, 18, 18, 0));
    p.translate(x, y);
    p.scale(rx, ry);
    p.translate(-x, -y);
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(x, y), 1.0, 1.0);
    p.restore();
}

void paintHole(QPainter& p, double x, double y, double r)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(22, 20, 22));
    p.drawEllipse(QPointF(x, y), r, r * 0.8);
}

// Darkens the outermost pixels so the silhouette reads against a pale sky as
// well as the dark sea.
void outline(QImage& picture)
{
    const QImage src = picture.copy();
    auto white = [&src](int x, int y) {
        if (x < 0 || y < 0 || x >= src.width() || y >= src.height())
            return true;
        return (src.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
    };
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) {
            if (white(x, y))
                continue;
            if (white(x - 1, y) || white(x + 1, y) || white(x, y - 1)) {
                const QColor c = darker(QColor(src.pixel(x, y)), 128);
                picture.setPixel(x, y, c.rgb());
            }
        }
}

QImage renderShip(int level, double riseScale)
{
    QImage canvas = makeCanvas(ShipWidth, ShipHeight, Factor);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(Factor, Factor);
    paintBattleship(p);

    std::vector<Plume> plumes;
    std::vector<std::function<void(QPainter&)>> fires;
    const QColor smokeDark(58, 56, 56), smokeMid(104, 102, 100), smokeLight(168, 166, 162);
    switch (level) {
    case 1:
        paintScorch(p, 139, 33, 5, 3, 170);
        paintHole(p, 139.5, 39.0, 0.9);
        plumes.push_back({139, 30, 24 * riseScale, 26, 2.2, 6.5, lighter(smokeDark, 130), smokeLight, 11});
        break;
    case 2:
        paintScorch(p, 140, 31, 7, 5, 200);
        paintScorch(p, 84, 31, 6, 5, 190);
        paintHole(p, 138.5, 39.5, 1.1);
        paintHole(p, 86.5, 40.5, 1.0);
        paintGlow(p, 140, 29, 10, 150);
        paintGlow(p, 84, 29, 8, 130);
        plumes.push_back({84, 29, 22 * riseScale, 18, 2.2, 6.0, smokeDark, smokeMid, 21});
        plumes.push_back({140, 27, 28 * riseScale, 30, 2.4, 7.5, smokeDark, lighter(smokeMid, 108), 22});
        fires.push_back([=](QPainter& q) { paintFire(q, 140, 30.5, 7.5, 8, 23); });
        fires.push_back([=](QPainter& q) { paintFire(q, 84, 30.5, 5.5, 6, 24); });
        break;
    case 3:
        paintScorch(p, 165, 32, 8, 5, 220);
        paintScorch(p, 128, 24, 10, 9, 200);
        paintScorch(p, 84, 30, 9, 6, 220);
        paintScorch(p, 44, 35, 6, 4, 200);
        paintHole(p, 163, 38.0, 1.3);
        paintHole(p, 128, 40.0, 1.1);
        paintHole(p, 80, 40.5, 1.4);
        paintHole(p, 46, 41.0, 1.0);
        paintGlow(p, 165, 30, 12, 190);
        paintGlow(p, 128, 24, 14, 170);
        paintGlow(p, 84, 28, 13, 190);
        paintGlow(p, 44, 34, 9, 160);
        plumes.push_back({44, 33, 20 * riseScale, 16, 2.2, 6.5, QColor(40, 38, 38), smokeMid, 31});
        plumes.push_back({84, 28, 30 * riseScale, 30, 2.8, 9.0, QColor(36, 34, 34), smokeMid, 32});
        plumes.push_back({128, 22, 28 * riseScale, 34, 3.0, 9.5, QColor(36, 34, 34), smokeMid, 33});
        plumes.push_back(
            {165, 30, 32 * riseScale, 40, 3.0, 10.0, QColor(40, 38, 38), lighter(smokeMid, 106), 34});
        fires.push_back([=](QPainter& q) { paintFire(q, 165, 35.4, 12, 9, 35); });
        fires.push_back([=](QPainter& q) { paintFire(q, 128, 24.5, 11, 11, 36); });
        fires.push_back([=](QPainter& q) { paintFire(q, 84, 30.0, 12, 12, 37); });
        fires.push_back([=](QPainter& q) { paintFire(q, 44.5, 37.6, 8, 5, 38); });
        break;
    default: break;
    }
    p.end();
    for (const Plume& plume : plumes)
        paintPlume(canvas, plume);
    QPainter fp(&canvas);
    fp.setRenderHint(QPainter::Antialiasing);
    fp.scale(Factor, Factor);
    for (const auto& fire : fires)
        fire(fp);
    fp.end();

    QImage picture = flattenOnWhite(downsample(canvas, Factor));
    removeSpecks(picture, 3);
    fillPinholes(picture, 3);
    outline(picture);
    // Nothing may leave the agreed silhouette box: the scene's perspective
    // depends on it.
    for (int y = 0; y < ShipHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < ShipWidth; ++x)
            if (y > ShipWaterline || x < ShipFirstColumn || x > ShipLastColumn)
                row[x] = qRgb(255, 255, 255);
    }
    return picture;
}

int topRow(const QImage& picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if ((row[x] & 0xFFFFFF) != 0xFFFFFF)
                return y;
    }
    return picture.height();
}

} // namespace

void paintBattleship(QPainter& p)
{
    p.save();
    p.setPen(Qt::NoPen);
    paintSuperstructure(p);
    paintTurrets(p);
    paintHull(p);
    p.restore();
}

int shipTopRow(int damageLevel)
{
    switch (damageLevel) {
    case 2: return 3;
    case 3: return 0;
    default: return -1;
    }
}

QImage shipPicture(int damageLevel)
{
    const int wanted = shipTopRow(damageLevel);
    if (wanted < 0)
        return renderShip(damageLevel, 1.0);
    // Grow the smoke until its top reaches the wanted row, then trim any
    // wisp above it; the search keeps the plume shapes whatever the tuning.
    double lo = 0.5, hi = 2.5;
    for (int i = 0; i < 16; ++i) {
        const double mid = (lo + hi) / 2;
        if (topRow(renderShip(damageLevel, mid)) > wanted)
            lo = mid;
        else
            hi = mid;
    }
    QImage picture = renderShip(damageLevel, hi);
    for (int y = 0; y < wanted; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < ShipWidth; ++x)
            row[x] = qRgb(255, 255, 255);
    }
    return picture;
}

} // namespace art
