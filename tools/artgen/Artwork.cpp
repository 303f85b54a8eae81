// SPDX-License-Identifier: MIT
#include "Artwork.h"

#include "ArtCommon.h"
#include "IconArt.h"
#include "PanelArt.h"
#include "SceneArt.h"
#include "ShipArt.h"
#include "SoundArt.h"
#include "TitleArt.h"

#include <cmath>

namespace art {

QList<GeneratedFile> generateAll()
{
    QList<GeneratedFile> files;
    const QString bitmaps = QStringLiteral("game/assets/bitmaps/");
    const QString pictures = QStringLiteral("game/assets/pictures/");
    files.append({bitmaps + "101.bmp", encodeBmp24(radarBackground())});
    files.append({bitmaps + "102.bmp", encodeBmp24(sceneBackground())});
    for (int level = 0; level < 4; ++level) {
        const QImage ship = shipPicture(level);
        files.append({bitmaps + QString::number(201 + level) + ".bmp", encodeBmp24(ship)});
        files.append({bitmaps + QString::number(301 + level) + ".bmp", encodeBmp24(maskOf(ship))});
    }
    const QImage water = waterColumn();
    files.append({pictures + "picWater.bmp", encodeBmp24(water)});
    files.append({pictures + "picWMask.bmp", encodeBmp24(maskOf(water))});
    files.append({pictures + "picGaugeH.bmp", encodeBmp24(bearingDial())});
    files.append({pictures + "picGaugeV.bmp", encodeBmp24(elevationDial())});
    files.append({pictures + "title.png", encodePng(titleFrame(0))});
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        files.append(
            {QStringLiteral("game/assets/icons/hicolor/%1x%1/apps/net.mortavel.Mortavel.png").arg(size),
             encodePng(appIcon(size))});
    files.append({QStringLiteral("data/Turn.wav"), encodeWav(turretMotorSound(), SoundRate)});
    files.append({QStringLiteral("data/Fire.wav"), encodeWav(gunFireSound(), SoundRate)});
    return files;
}

void blitMasked(QImage& canvas, const QImage& picture, const QImage& mask, int left, int top, int width,
                int height)
{
    if (width <= 0 || height <= 0)
        return;
    for (int dy = 0; dy < height; ++dy) {
        const int y = top + dy;
        if (y < 0 || y >= canvas.height())
            continue;
        const int sy = int(std::floor((dy + 0.5) * picture.height() / height));
        auto* row = reinterpret_cast<QRgb*>(canvas.scanLine(y));
        const auto* prow = reinterpret_cast<const QRgb*>(picture.constScanLine(sy));
        const auto* mrow = reinterpret_cast<const QRgb*>(mask.constScanLine(sy));
        for (int dx = 0; dx < width; ++dx) {
            const int x = left + dx;
            if (x < 0 || x >= canvas.width())
                continue;
            const int sx = int(std::floor((dx + 0.5) * picture.width() / width));
            row[x] = ((row[x] | mrow[sx]) & prow[sx]) | 0xFF000000u;
        }
    }
}

namespace {
int cLng(double v)
{
    return int(std::nearbyint(v));
} // default rounding: half to even
} // namespace

QImage mockScene(double range)
{
    QImage canvas = sceneBackground();
    const double s = range / 900.0 * -1.9 + 2.0;
    const int width = cLng(225 * s), height = cLng(73 * s);
    // the four damage levels spread across the view, the splash behind them
    const QImage water = waterColumn();
    const double ws = std::min(2.0, s * 1.2);
    blitMasked(canvas, water, maskOf(water), cLng(200 - 11 * ws), 120, cLng(22 * ws), cLng(52 * ws));
    for (int level = 0; level < 4; ++level) {
        const QImage ship = shipPicture(level);
        const double centre = 50 + level * 100;
        blitMasked(canvas, ship, maskOf(ship), cLng(centre - 112.5 * s), 120, width, height);
    }
    return canvas;
}

} // namespace art
