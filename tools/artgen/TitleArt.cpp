// SPDX-License-Identifier: MIT
#include "TitleArt.h"

#include "ArtCommon.h"
#include "ShipArt.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <vector>

namespace art {
namespace {

constexpr int Factor = 2;
constexpr double Pi = 3.14159265358979323846;
constexpr double Horizon = 168.0;
const QPointF SunCentre(322, 150);

// Everything that moves is periodic in the loop, so the last frame runs into
// the first without a jump.
double cycle(int frame, double turns, double offset = 0)
{
    return 2 * Pi * (turns * frame / double(TitleFrameCount) + offset);
}

void paintSky(QPainter& p)
{
    QLinearGradient sky(0, 0, 0, Horizon);
    sky.setColorAt(0.0, QColor(24, 40, 92));
    sky.setColorAt(0.45, QColor(82, 86, 140));
    sky.setColorAt(0.78, QColor(200, 122, 110));
    sky.setColorAt(1.0, QColor(255, 188, 104));
    p.fillRect(QRectF(0, 0, TitleWidth, Horizon), sky);

    QRadialGradient glow(SunCentre, 140);
    glow.setColorAt(0, QColor(255, 236, 170, 230));
    glow.setColorAt(0.12, QColor(255, 200, 120, 150));
    glow.setColorAt(1, QColor(255, 150, 90, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(SunCentre, 140, 140);
    p.setBrush(QColor(255, 246, 214));
    p.drawEllipse(SunCentre, 11, 11);

    // long evening cloud streaks, lit from below
    Rng rng(2024);
    for (int i = 0; i < 16; ++i) {
        const double y = rng.range(36, Horizon - 12);
        const double x = rng.range(-80, TitleWidth);
        const double w = rng.range(70, 200);
        const double h = rng.range(2.0, 5.0);
        const double near = (y - 30) / (Horizon - 30);
        QLinearGradient g(0, y - h, 0, y + h);
        g.setColorAt(0, QColor(70, 60, 100, 150));
        g.setColorAt(0.6, QColor(150, 90, 100, 170));
        g.setColorAt(1, QColor(255, 170 + int(40 * near), 110, 200));
        QPainterPath cloud;
        cloud.moveTo(x, y + h);
        cloud.cubicTo(x + w * 0.2, y - h * 1.4, x + w * 0.7, y - h * 1.2, x + w, y + h * 0.6);
        cloud.cubicTo(x + w * 0.6, y + h * 1.3, x + w * 0.3, y + h * 1.3, x, y + h);
        p.fillPath(cloud, g);
    }
}

void paintSea(QPainter& p, int frame)
{
    QLinearGradient sea(0, Horizon, 0, TitleHeight);
    sea.setColorAt(0, QColor(70, 70, 110));
    sea.setColorAt(0.15, QColor(34, 46, 92));
    sea.setColorAt(1, QColor(8, 18, 48));
    p.fillRect(QRectF(0, Horizon, TitleWidth, TitleHeight - Horizon), sea);
    p.fillRect(QRectF(0, Horizon, TitleWidth, 1.0), QColor(255, 190, 130, 150));

    // Waves roll towards the viewer: each one walks down the perspective and
    // comes back in at the horizon, faded out at both ends.
    Rng rng(77);
    p.save();
    p.setClipRect(QRectF(0, Horizon, TitleWidth, TitleHeight - Horizon));
    for (int i = 0; i < 520; ++i) {
        const double u0 = rng.uniform();
        const double x0 = rng.range(-40, TitleWidth + 20);
        const double lenK = rng.range(0.5, 1.3);
        const double u = std::fmod(u0 + frame / double(TitleFrameCount), 1.0);
        const double depth = u * u;
        const double y = Horizon + 1 + depth * (TitleHeight - Horizon);
        const double len = (3 + 40 * depth) * lenK;
        const double thick = 0.4 + 2.2 * depth;
        const double fade = std::sin(Pi * u);
        // sunlight makes a glittering road under the sun
        const double toSun = std::abs(x0 + len / 2 - SunCentre.x()) / (40 + 120 * depth);
        const double glitter = std::exp(-toSun * toSun);
        const bool crest = (i % 3) != 0;
        QColor c = crest ? mix(QColor(90, 110, 170), QColor(255, 210, 140), glitter) : QColor(4, 10, 30);
        c.setAlphaF(float((crest ? 0.35 + 0.55 * glitter : 0.45) * fade));
        QPainterPath wave;
        wave.moveTo(x0, y);
        wave.quadTo(x0 + len / 2, y - thick, x0 + len, y);
        wave.quadTo(x0 + len / 2, y - thick * 0.2, x0, y);
        p.fillPath(wave, c);
    }
    p.restore();
}

void paintSmoke(QPainter& p, QPointF funnel, int frame)
{
    // Puffs leave the funnel twice per loop and drift aft on the wind.
    const int puffs = 64;
    Rng rng(3131);
    struct Puff {
        double age, jx, jy, k;
    };
    std::vector<Puff> list;
    for (int k = 0; k < puffs; ++k) {
        const double jx = rng.range(-3, 3), jy = rng.range(-2, 2), sk = rng.range(0.8, 1.25);
        list.push_back({std::fmod(frame / double(TitleFrameCount) * 2 + k / double(puffs), 1.0), jx, jy, sk});
    }
    std::sort(list.begin(), list.end(), [](const Puff& a, const Puff& b) { return a.age > b.age; });
    for (const Puff& puff : list) {
        const double age = puff.age;
        const double x = funnel.x() - age * 110 - age * age * 30 + puff.jx * age;
        const double y = funnel.y() - age * 22 - 4 * std::sin(age * 3) + puff.jy * age;
        const double r = (3.0 + age * 15) * puff.k;
        const double alpha = (1 - age) * smoothstep(0.0, 0.05, age) * 0.85;
        QRadialGradient g(QPointF(x, y), r, QPointF(x - r * 0.35, y - r * 0.4));
        g.setColorAt(0, QColor(170, 130, 120, int(255 * alpha)));
        g.setColorAt(0.5, QColor(96, 80, 90, int(220 * alpha)));
        g.setColorAt(1, QColor(60, 50, 66, 0));
        p.setBrush(g);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(x, y), r * 1.15, r);
    }
}

// The forward turrets fire once per loop; flash and cordite smoke are gone
// again well before the loop closes.
void paintSalvo(QPainter& p, int frame)
{
    constexpr int FireFrame = 24;
    const double t = frame - FireFrame;
    if (t < 0 || t > 30)
        return;
    const QPointF muzzles[] = {{205, 28.0}, {180.5, 24.9}};
    for (QPointF m : muzzles) {
        // cordite smoke rolling out ahead of the muzzle and thinning
        Rng rng(4000 + int(m.x()));
        for (int k = 0; k < 10; ++k) {
            const double grow = 1 - std::exp(-t / 6.0);
            const double x = m.x() + 4 + grow * rng.range(6, 26) + t * 0.35;
            const double y = m.y() - grow * rng.range(0, 8) - t * 0.15;
            const double r = 2 + grow * rng.range(4, 9);
            const double alpha = smoothstep(30, 8, t) * 0.85;
            QRadialGradient g(QPointF(x, y), r, QPointF(x - r * 0.3, y - r * 0.4));
            g.setColorAt(0, QColor(236, 206, 170, int(255 * alpha)));
            g.setColorAt(0.6, QColor(168, 140, 120, int(200 * alpha)));
            g.setColorAt(1, QColor(120, 100, 96, 0));
            p.setBrush(g);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(x, y), r, r);
        }
        if (t < 4) {
            const double k = 1 - t / 4.0;
            QRadialGradient flash(QPointF(0, 0), 14);
            flash.setColorAt(0, QColor(255, 255, 230, int(255 * k)));
            flash.setColorAt(0.3 + 0.3 * k, QColor(255, 210, 90, int(240 * k)));
            flash.setColorAt(1, QColor(255, 110, 20, 0));
            p.setBrush(flash);
            p.save();
            p.translate(m.x() + 7, m.y());
            p.scale(1.6, 0.8);
            p.drawEllipse(QPointF(0, 0), 14, 14);
            p.restore();
        }
    }
}

void paintShip(QPainter& p, int frame)
{
    const double scale = 1.5;
    const double bob = 0.9 * std::sin(cycle(frame, 1));
    const double pitch = 0.35 * std::sin(cycle(frame, 1, 0.2));
    const double waterline = 204.0;

    // The ship is lit from behind by the low sun: draw it on its own layer
    // and tint it, warm on the sun side.
    QImage layer = makeCanvas(ShipWidth, ShipHeight, 4);
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        lp.scale(4, 4);
        paintBattleship(lp);
        lp.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        QLinearGradient tint(0, 0, ShipWidth, 0);
        tint.setColorAt(0, QColor(30, 32, 70, 150));
        tint.setColorAt(1, QColor(255, 150, 90, 70));
        lp.fillRect(QRectF(0, 0, ShipWidth, ShipHeight), tint);
    }

    p.save();
    p.translate(40 - 8 * scale + 112 * scale, waterline + bob);
    p.rotate(pitch);
    p.translate(-112 * scale, -47 * scale);
    p.scale(scale, scale);
    paintSmoke(p, QPointF(95, 16), frame);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(0, 0, ShipWidth, ShipHeight), layer);
    paintSalvo(p, frame);
    p.restore();

    // bow wave and wake along the waterline
    Rng rng(505);
    for (int i = 0; i < 40; ++i) {
        const double u = std::fmod(rng.uniform() + frame / double(TitleFrameCount) * 2, 1.0);
        const double x = 352 - u * 320 + rng.range(-4, 4);
        const double y = waterline + 0.5 + bob * 0.6 + rng.range(-0.5, 1.5) + u * 2;
        const double w = 6 + rng.range(0, 10);
        const double a = std::sin(Pi * u) * (x > 330 ? 1.0 : 0.55);
        p.setBrush(QColor(235, 225, 215, int(200 * a)));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(x, y), w / 2, 1.0);
    }
}

void paintTitle(QPainter& p, int frame)
{
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(70);
    font.setBold(true);
    font.setItalic(true);
    QPainterPath text;
    text.addText(0, 0, font, QStringLiteral("Mortavel"));
    const QRectF box = text.boundingRect();
    text.translate((TitleWidth - box.width()) / 2 - box.left(), 78);

    p.save();
    p.setPen(Qt::NoPen);
    p.fillPath(text.translated(3, 4), QColor(10, 8, 24, 150));
    p.setPen(QPen(QColor(36, 20, 14), 4.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(text);
    const QRectF b = text.boundingRect();
    QLinearGradient gold(0, b.top(), 0, b.bottom());
    gold.setColorAt(0.0, QColor(255, 250, 214));
    gold.setColorAt(0.45, QColor(240, 196, 92));
    gold.setColorAt(0.55, QColor(176, 112, 36));
    gold.setColorAt(1.0, QColor(250, 212, 120));
    p.setPen(Qt::NoPen);
    p.fillPath(text, gold);
    // a gleam runs across the letters once per loop, off them at the loop's ends
    const double sweep = -0.3 + 1.6 * smoothstep(6, 30, frame);
    if (sweep > -0.2 && sweep < 1.2) {
        p.setClipPath(text);
        const double gx = b.left() + sweep * b.width();
        QLinearGradient gleam(gx - 30, b.top(), gx + 30, b.bottom());
        gleam.setColorAt(0, QColor(255, 255, 255, 0));
        gleam.setColorAt(0.5, QColor(255, 255, 240, 220));
        gleam.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillRect(b, gleam);
    }
    p.restore();

    QFont sub(QStringLiteral("IPAPGothic"));
    sub.setPixelSize(16);
    sub.setBold(true);
    QPainterPath subtitle;
    subtitle.addText(0, 0, sub, QStringLiteral("― 主砲、撃ち方始め！ ―"));
    const QRectF sb = subtitle.boundingRect();
    subtitle.translate((TitleWidth - sb.width()) / 2 - sb.left(), 106);
    p.save();
    p.setPen(QPen(QColor(20, 16, 30, 220), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(subtitle);
    p.setPen(Qt::NoPen);
    p.fillPath(subtitle, QColor(246, 240, 226));
    p.restore();
}

} // namespace

QImage titleFrame(int frame)
{
    frame = ((frame % TitleFrameCount) + TitleFrameCount) % TitleFrameCount;
    QImage canvas(TitleWidth * Factor, TitleHeight * Factor, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::black);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(Factor, Factor);
    paintSky(p);
    paintSea(p, frame);
    paintShip(p, frame);
    paintTitle(p, frame);
    p.end();
    return downsample(canvas, Factor).convertToFormat(QImage::Format_RGB32);
}

} // namespace art
