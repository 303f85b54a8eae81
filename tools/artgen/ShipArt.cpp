// SPDX-License-Identifier: MIT
#include "ShipArt.h"

#include "ArtCommon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

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
    g.setColorAt(0, base.lighter(118));
    g.setColorAt(1, base.darker(118));
    p.fillRect(r, g);
    p.fillRect(QRectF(r.left(), r.top(), r.width(), 0.6), base.lighter(140));
    p.fillRect(QRectF(r.right() - 0.5, r.top(), 0.5, r.height()), base.darker(135));
}

void windows(QPainter& p, double x0, double x1, double y, double h, double pitch)
{
    for (double x = x0; x + 0.8 <= x1; x += pitch)
        p.fillRect(QRectF(x, y, 0.9, h), Window);
}

void turret(QPainter& p, double cx, double top, int facing, double barbetteBottom, double barrelLength,
            double elevation = 0.06)
{
    const double bottom = top + 5.5;
    // barbette
    block(p, QRectF(cx - 6, bottom - 0.5, 12, barbetteBottom - bottom + 0.5), GreyDark.lighter(115));
    // barrels first, so the gun house covers their roots
    const double rootX = cx + 6.5 * facing;
    const double rootY = top + 2.4;
    const double tipX = rootX + barrelLength * facing;
    const double tipY = rootY - barrelLength * elevation;
    QPainterPath barrel;
    barrel.moveTo(rootX, rootY - 1.0);
    barrel.lineTo(tipX, tipY - 0.75);
    barrel.lineTo(tipX, tipY + 0.75);
    barrel.lineTo(rootX, rootY + 1.0);
    barrel.closeSubpath();
    QLinearGradient bg(0, rootY - 1, 0, rootY + 1);
    bg.setColorAt(0, GreyLight);
    bg.setColorAt(0.45, Grey);
    bg.setColorAt(1, GreyDark.darker(120));
    p.fillPath(barrel, bg);
    p.fillRect(QRectF(std::min(tipX, tipX - 1.2 * facing), tipY - 0.9, 1.2, 1.8), GreyDark);
    // gun house: sloped face towards the guns, rounded back
    QPainterPath house;
    const double f = facing;
    house.moveTo(cx - 8.5 * f, bottom);
    house.lineTo(cx - 8.5 * f, top + 1.6);
    house.quadTo(cx - 8.5 * f, top, cx - 6.5 * f, top);
    house.lineTo(cx + 5.0 * f, top);
    house.lineTo(cx + 8.5 * f, top + 3.2);
    house.lineTo(cx + 8.5 * f, bottom);
    house.closeSubpath();
    QLinearGradient hg(0, top, 0, bottom);
    hg.setColorAt(0, GreyLight);
    hg.setColorAt(0.25, Grey.lighter(108));
    hg.setColorAt(1, GreyDark);
    p.fillPath(house, hg);
    // roof line and the sloped face in shade
    p.fillRect(QRectF(std::min(cx - 6.5 * f, cx + 5.0 * f), top, 11.5, 0.6), GreyLight.lighter(110));
    QPainterPath face;
    face.moveTo(cx + 5.0 * f, top);
    face.lineTo(cx + 8.5 * f, top + 3.2);
    face.lineTo(cx + 8.5 * f, bottom);
    face.lineTo(cx + 6.8 * f, bottom);
    face.lineTo(cx + 6.8 * f, top + 2.4);
    face.closeSubpath();
    p.fillPath(face, GreyDark.lighter(108));
    // rangefinder hood ears at the back
    p.fillRect(QRectF(cx - 7.6 * f - (f < 0 ? 3.0 : 0), bottom - 3.2, 3.0, 1.1), GreyDark.darker(110));
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
    g.setColorAt(0.18, Grey.lighter(112));
    g.setColorAt(0.7, Grey.darker(112));
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
    p.setPen(QPen(GreyLight.lighter(112), 0.9));
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
    // --- aft: deckhouse and tripod mainmast
    const QColor mastC(96, 101, 110);
    p.setPen(QPen(mastC, 1.1));
    p.drawLine(QPointF(77.5, 29), QPointF(77.5, 10.5));
    p.drawLine(QPointF(72.5, 30), QPointF(76.8, 16));
    p.drawLine(QPointF(82.5, 30), QPointF(78.2, 16));
    p.setPen(QPen(mastC, 0.7));
    p.drawLine(QPointF(77.5, 10.5), QPointF(77.5, 6.5));
    p.drawLine(QPointF(74.0, 12.2), QPointF(81.0, 12.2));
    p.setPen(Qt::NoPen);
    block(p, QRectF(73.5, 15.0, 8.0, 2.0), Grey);
    block(p, QRectF(64, 30.5, 26, 8), Grey);
    block(p, QRectF(68, 26.5, 17, 4.2), Grey.lighter(104));
    windows(p, 69.5, 84, 27.7, 1.1, 2.6);
    // crane by the mainmast
    p.setPen(QPen(mastC.darker(110), 0.8));
    p.drawLine(QPointF(66, 30.5), QPointF(60, 23.5));
    p.setPen(Qt::NoPen);

    // --- funnel, trunked and raked aft
    block(p, QRectF(86, 30.0, 26, 8), Grey);
    QPainterPath funnel;
    funnel.moveTo(93.5, 31);
    funnel.lineTo(89.0, 17.0);
    funnel.quadTo(94.5, 15.8, 101.5, 17.0);
    funnel.lineTo(108.5, 31);
    funnel.closeSubpath();
    QLinearGradient fg(90, 0, 107, 0);
    fg.setColorAt(0, GreyDark);
    fg.setColorAt(0.35, GreyLight);
    fg.setColorAt(0.6, Grey);
    fg.setColorAt(1, GreyDark.darker(110));
    p.fillPath(funnel, fg);
    QPainterPath cap;
    cap.moveTo(88.6, 16.6);
    cap.quadTo(94.5, 15.2, 101.9, 16.6);
    cap.lineTo(102.6, 19.0);
    cap.lineTo(89.5, 19.0);
    cap.closeSubpath();
    p.fillPath(cap, QColor(34, 34, 38));
    // searchlight platform hugging the funnel
    block(p, QRectF(99.5, 23.0, 9.5, 1.6), Grey);
    p.setBrush(QColor(70, 74, 82));
    p.drawEllipse(QRectF(104.2, 21.2, 2.2, 2.0));

    // --- pagoda foremast
    block(p, QRectF(110, 29.5, 32, 8.5), Grey);
    block(p, QRectF(113, 24.5, 25, 5.2), Grey.lighter(103));
    windows(p, 115, 136, 25.8, 1.2, 3.0);
    block(p, QRectF(115, 20.2, 20.5, 4.4), Grey.lighter(106));
    block(p, QRectF(112.5, 20.0, 25.5, 0.9), GreyDark.lighter(110));
    block(p, QRectF(117, 16.3, 16, 4.0), Grey.lighter(108));
    windows(p, 118.5, 132, 17.5, 1.0, 2.5);
    block(p, QRectF(116, 12.8, 18, 3.6), Grey.lighter(110));
    p.fillRect(QRectF(116.8, 13.9, 16.4, 1.3), Window);
    block(p, QRectF(112.5, 11.0, 25, 1.5), GreyDark.lighter(120));
    block(p, QRectF(120, 7.6, 10, 3.5), Grey.lighter(112));
    p.fillRect(QRectF(121, 8.7, 8, 0.9), Window);
    p.setPen(QPen(mastC, 0.9));
    p.drawLine(QPointF(125, 7.6), QPointF(125, 4.3));
    p.setPen(QPen(mastC, 0.6));
    p.drawLine(QPointF(122.0, 5.6), QPointF(128.0, 5.6));
    p.setPen(Qt::NoPen);
    // secondary mounts beside the bridge
    block(p, QRectF(140.5, 31.0, 5.0, 3.0), Grey);
    p.fillRect(QRectF(145.5, 31.8, 3.0, 0.8), GreyDark);
    block(p, QRectF(58.5, 33.0, 5.0, 3.0), Grey);
    p.fillRect(QRectF(55.5, 33.8, 3.0, 0.8), GreyDark);
    // jack staff and ensign staff keep the ends crisp
    p.setPen(QPen(mastC, 0.7));
    p.drawLine(QPointF(213.0, 30.8), QPointF(213.0, 26.5));
    p.drawLine(QPointF(9.0, 37.2), QPointF(9.0, 32.0));
    p.setPen(Qt::NoPen);
}

void paintTurrets(QPainter& p)
{
    turret(p, 34, 30.0, -1, 38, 13.5);
    turret(p, 56, 24.8, -1, 38, 17.5);
    turret(p, 154, 22.6, +1, 37, 19.5);
    turret(p, 176, 27.0, +1, 35, 20.0);
}

// --- damage ---------------------------------------------------------------

struct Plume {
    double x, y;       // source on deck
    double rise;       // height reached above the source
    double drift;      // how far the wind carries it aft (leftwards)
    double r0, r1;     // puff radius at the source and at the top
    QColor dark, light;
    std::uint64_t seed;
};

void paintPlume(QPainter& p, const Plume& pl)
{
    Rng rng(pl.seed);
    const int puffs = 34;
    for (int i = puffs - 1; i >= 0; --i) {
        const double t = double(i) / (puffs - 1);
        const double r = pl.r0 + (pl.r1 - pl.r0) * t * (0.8 + 0.4 * rng.uniform());
        const double cx = pl.x - pl.drift * std::pow(t, 1.5) + rng.range(-1.2, 1.2) * (0.4 + t);
        const double cy = pl.y - (pl.rise - pl.r1) * t + rng.range(-0.6, 0.6);
        const QColor c = mix(pl.dark, pl.light, t * 0.9 + 0.1 * rng.uniform());
        QRadialGradient g(QPointF(cx - r * 0.25, cy - r * 0.3), r * 1.15, QPointF(cx, cy));
        QColor inner = c.lighter(112);
        QColor mid = c;
        QColor edge = c.darker(112);
        edge.setAlphaF(0.0f);
        g.setColorAt(0, inner);
        g.setColorAt(0.55, mid);
        g.setColorAt(0.8, QColor(mid.red(), mid.green(), mid.blue(), 200));
        g.setColorAt(1, edge);
        p.setBrush(g);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(cx, cy), r * 1.15, r * 1.15);
    }
}

void paintFire(QPainter& p, double x, double y, double height, double width, std::uint64_t seed)
{
    Rng rng(seed);
    const int tongues = std::max(3, int(width / 1.6));
    const QColor layers[] = {QColor(200, 50, 16), QColor(246, 118, 24), QColor(255, 188, 52),
                             QColor(255, 240, 150)};
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

QImage renderShip(int level, double riseScale)
{
    QImage canvas = makeCanvas(ShipWidth, ShipHeight, Factor);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(Factor, Factor);
    paintBattleship(p);

    const QColor smokeDark(58, 56, 56), smokeMid(104, 102, 100), smokeLight(168, 166, 162);
    switch (level) {
    case 1:
        paintScorch(p, 147, 36, 5, 3, 170);
        paintHole(p, 147.5, 38.8, 0.9);
        paintPlume(p, {148, 33, 25 * riseScale, 12, 1.8, 5.0, smokeMid, smokeLight, 11});
        break;
    case 2:
        paintScorch(p, 150, 34, 7, 4, 200);
        paintScorch(p, 84, 34, 6, 4, 190);
        paintHole(p, 146.5, 39.5, 1.1);
        paintHole(p, 86.5, 40.5, 1.0);
        paintGlow(p, 150, 31, 10, 150);
        paintGlow(p, 84, 32, 8, 130);
        paintPlume(p, {84, 30, 22 * riseScale, 18, 2.2, 6.0, smokeDark, smokeMid, 21});
        paintPlume(p, {150, 29, 30 * riseScale, 30, 2.4, 7.5, smokeDark, smokeMid.lighter(108), 22});
        paintFire(p, 150, 33.5, 7.5, 8, 23);
        paintFire(p, 84, 31.0, 5.5, 6, 24);
        break;
    case 3:
        paintScorch(p, 166, 33, 9, 5, 220);
        paintScorch(p, 124, 30, 10, 8, 200);
        paintScorch(p, 70, 33, 9, 6, 220);
        paintScorch(p, 40, 35, 7, 4, 200);
        paintHole(p, 162, 38.5, 1.3);
        paintHole(p, 128, 40.0, 1.1);
        paintHole(p, 74, 40.5, 1.4);
        paintHole(p, 44, 41.0, 1.0);
        paintGlow(p, 166, 30, 13, 180);
        paintGlow(p, 124, 28, 14, 170);
        paintGlow(p, 70, 30, 13, 180);
        paintGlow(p, 40, 33, 9, 150);
        paintPlume(p, {40, 33, 20 * riseScale, 14, 2.2, 6.0, QColor(40, 38, 38), smokeMid, 31});
        paintPlume(p, {70, 29, 33 * riseScale, 26, 2.8, 8.5, QColor(36, 34, 34), smokeMid, 32});
        paintPlume(p, {124, 27, 30 * riseScale, 34, 3.0, 9.0, QColor(36, 34, 34), smokeMid, 33});
        paintPlume(p, {166, 30, 34 * riseScale, 40, 3.0, 9.5, QColor(40, 38, 38), smokeMid.lighter(106), 34});
        paintFire(p, 166, 32.5, 10, 11, 35);
        paintFire(p, 124, 29.5, 9, 10, 36);
        paintFire(p, 70, 30.5, 10, 11, 37);
        paintFire(p, 40, 35.0, 6, 7, 38);
        break;
    default:
        break;
    }
    p.end();

    QImage picture = flattenOnWhite(downsample(canvas, Factor));
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
    for (int i = 0; i < 24; ++i) {
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
