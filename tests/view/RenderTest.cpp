// SPDX-License-Identifier: MIT
#include "RadarRenderer.h"
#include "RasterBlit.h"
#include "ScenePictures.h"
#include "SceneRenderer.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

namespace {

QImage Filled(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Every pixel different, so a sampling error shows as a wrong colour.
QImage Gradient(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x * 3 + y * 5) % 256));
    return image;
}

// A small ship on white and its mask: white exactly where the ship is not white.
struct ShipPair {
    QImage picture = Filled(9, 5, qRgb(255, 255, 255));
    QImage mask = Filled(9, 5, qRgb(0, 0, 0));
    ShipPair()
    {
        for (int y = 1; y < 5; ++y)
            for (int x = 4 - y; x <= 4 + y && x < 9; ++x) {
                picture.setPixel(x, y, qRgb(40 + 20 * x, 60 + 30 * y, 90));
                mask.setPixel(x, y, qRgb(255, 255, 255));
            }
    }
};

void Blit1(QImage& canvas, const Blit& blit, const QImage& source)
{
    stretchBlt(canvas, blit, source);
}

// Pixels of the canvas around the destination that differ from nearest-
// neighbour sampling at pixel centres, floor((u + 0.5) * srcW / dstW), of
// the source ORed onto a black canvas.
int NotNearestNeighbour(const QImage& source, int dx, int dy, int dw, int dh)
{
    QImage canvas = Filled(400, 240, qRgb(0, 0, 0)); // OR onto black is a plain copy
    stretchBlt(canvas, {0, dx, dy, dw, dh, 0, 0, source.width(), source.height(), RasterOp::SRCPAINT},
               source);
    int wrong = 0;
    for (int y = std::max(0, dy - 1); y < std::min(240, dy + dh + 1); ++y)
        for (int x = std::max(0, dx - 1); x < std::min(400, dx + dw + 1); ++x) {
            const int u = x - dx;
            const int v = y - dy;
            QRgb expected = qRgb(0, 0, 0);
            if (u >= 0 && u < dw && v >= 0 && v < dh)
                expected = source.pixel(static_cast<int>(std::floor((u + 0.5) * source.width() / dw)),
                                        static_cast<int>(std::floor((v + 0.5) * source.height() / dh)));
            wrong += canvas.pixel(x, y) != expected;
        }
    return wrong;
}

} // namespace

TEST(RasterBlit, OrAndAreExactPerChannel)
{
    QImage canvas = Filled(4, 3, qRgb(0x5A, 0x3C, 0x96));
    Blit1(canvas, {0, 0, 0, 4, 3, 0, 0, 4, 3, RasterOp::SRCPAINT}, Filled(4, 3, qRgb(0x81, 0x42, 0x18)));
    EXPECT_EQ(canvas.pixel(2, 1), qRgb(0x5A | 0x81, 0x3C | 0x42, 0x96 | 0x18));
    Blit1(canvas, {0, 0, 0, 4, 3, 0, 0, 4, 3, RasterOp::SRCAND}, Filled(4, 3, qRgb(0x0F, 0xF0, 0x3C)));
    EXPECT_EQ(canvas.pixel(3, 2), qRgb((0x5A | 0x81) & 0x0F, (0x3C | 0x42) & 0xF0, (0x96 | 0x18) & 0x3C));
}

TEST(RasterBlit, ScalingSamplesNearestPixelCentres)
{
    const QImage source = Gradient(13, 7);
    struct Case {
        int dx, dy, dw, dh;
    };
    // Up, down, uneven, and partly off the canvas on every side.
    for (const Case c : {Case{0, 0, 40, 21}, Case{2, 1, 5, 3}, Case{1, 2, 23, 11}, Case{-9, -4, 37, 19},
                         Case{390, 230, 31, 17}})
        EXPECT_EQ(NotNearestNeighbour(source, c.dx, c.dy, c.dw, c.dh), 0)
            << "destination " << c.dx << ',' << c.dy << ' ' << c.dw << 'x' << c.dh;
}

TEST(RasterBlit, ScalingIsExactAtEveryGameSize)
{
    // Ships (225 x 73) and columns (22 x 52) at every width the scene can ask
    // for, including the ties where a pixel centre falls on a source edge.
    const QImage ship = Gradient(225, 73);
    const QImage column = Gradient(22, 52);
    for (int w = 2; w <= 450; ++w) {
        const bool isColumn = w <= 44;
        const QImage& source = isColumn ? column : ship;
        const int h = isColumn ? (w * 52 + 11) / 22 : (w * 73 + 112) / 225;
        for (const int dx : {-w / 3, 400 - w / 2})
            ASSERT_EQ(NotNearestNeighbour(source, dx, 120, w, h), 0) << w << 'x' << h << " at " << dx;
    }
}

TEST(RasterBlit, MaskThenPictureLeavesNoWhiteFringe)
{
    const ShipPair ship;
    const QRgb sea = qRgb(20, 40, 100);
    for (const int scale : {1, 2, 3}) {
        QImage canvas = Filled(40, 20, sea);
        const Blit mask{301, 3, 2, 9 * scale + scale / 2, 5 * scale, 0, 0, 9, 5, RasterOp::SRCPAINT};
        Blit picture = mask;
        picture.Op = RasterOp::SRCAND;
        Blit1(canvas, mask, ship.mask);
        Blit1(canvas, picture, ship.picture);
        int white = 0, shipPixels = 0;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x) {
                const QRgb p = canvas.pixel(x, y);
                white += p == qRgb(255, 255, 255);
                shipPixels += p != sea;
                if (p != sea && p != qRgb(255, 255, 255)) {
                    EXPECT_EQ(qBlue(p), 90) << x << ',' << y; // only the ship's own colours
                }
            }
        EXPECT_EQ(white, 0) << "scale " << scale;
        EXPECT_GT(shipPixels, 0);
    }
}

TEST(RasterBlit, FusedMaskAndPictureEqualTheTwoTransfers)
{
    ShipPair ship;
    // Stray pixels far from the silhouette still count: a near-black mask
    // pixel brightens the canvas, a grey picture pixel over black mask darkens it.
    ship.mask.setPixel(0, 0, qRgb(12, 9, 11));
    ship.picture.setPixel(8, 0, qRgb(200, 200, 200));
    ship.mask.setPixel(8, 4, qRgb(0, 0, 3));
    for (const Blit& b : {Blit{0, -4, 3, 23, 11, 0, 0, 9, 5, RasterOp::SRCPAINT},
                          Blit{0, 30, 10, 4, 3, 0, 0, 9, 5, RasterOp::SRCPAINT},
                          Blit{0, 2, 2, 36, 15, 0, 0, 9, 5, RasterOp::SRCPAINT}}) {
        QImage fused = Gradient(40, 20), twice = fused;
        stretchBltMasked(fused, b, ship.mask, ship.picture);
        Blit picture = b;
        picture.Op = RasterOp::SRCAND;
        stretchBlt(twice, b, ship.mask);
        stretchBlt(twice, picture, ship.picture);
        EXPECT_EQ(fused, twice) << b.DX << ',' << b.DY << ' ' << b.DW << 'x' << b.DH;
    }
}

TEST(RasterBlit, EmptyOrMissingSourcesDrawNothing)
{
    const QImage before = Filled(10, 10, qRgb(1, 2, 3));
    QImage canvas = before;
    Blit1(canvas, {0, 0, 0, 0, 5, 0, 0, 4, 4, RasterOp::SRCPAINT}, Filled(4, 4, qRgb(255, 255, 255)));
    Blit1(canvas, {0, 0, 0, -5, 5, 0, 0, 4, 4, RasterOp::SRCPAINT}, Filled(4, 4, qRgb(255, 255, 255)));
    Blit1(canvas, {0, 0, 0, 5, 5, 0, 0, 4, 4, RasterOp::SRCPAINT}, QImage());
    Blit1(canvas, {0, 20, 0, 5, 5, 0, 0, 4, 4, RasterOp::SRCPAINT}, Filled(4, 4, qRgb(255, 255, 255)));
    Blit1(canvas, {0, 0, 0, 5, 5, 9, 9, 4, 4, RasterOp::SRCPAINT}, Filled(4, 4, qRgb(255, 255, 255)));
    EXPECT_EQ(canvas, before);
    // A canvas of another format is left alone rather than written wrongly.
    QImage argb = before.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage argbBefore = argb;
    Blit1(argb, {0, 0, 0, 5, 5, 0, 0, 4, 4, RasterOp::SRCPAINT}, Filled(4, 4, qRgb(255, 255, 255)));
    EXPECT_EQ(argb, argbBefore);
}

class SceneRendererTest : public testing::Test {
protected:
    std::map<int, int> loads;
    ShipPair ship;
    QImage background = Filled(400, 240, qRgb(30, 60, 120));

    SceneRenderer Renderer()
    {
        return SceneRenderer([this](int id) {
            ++loads[id];
            if (id == scene::BackgroundPicture)
                return background;
            if (id >= 301 && id <= 304)
                return ship.mask.convertToFormat(QImage::Format_RGB888); // as a 24-bit bitmap
            if (id >= 201 && id <= 204)
                return ship.picture;
            return QImage();
        });
    }
};

TEST_F(SceneRendererTest, StartsFromTheBackgroundAndLoadsEachPictureOnce)
{
    SceneRenderer renderer = Renderer();
    EXPECT_EQ(renderer.render(std::vector<Blit>{}), background);

    const std::vector<Blit> blits{{301, 10, 120, 18, 10, 0, 0, 9, 5, RasterOp::SRCPAINT},
                                  {201, 10, 120, 18, 10, 0, 0, 9, 5, RasterOp::SRCAND},
                                  {scene::WaterMask, 50, 120, 4, 4, 0, 0, 22, 52, RasterOp::SRCPAINT}};
    QImage first = renderer.render(blits);
    QImage second = renderer.render(blits);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first.size(), QSize(400, 240));
    EXPECT_EQ(first.format(), QImage::Format_RGB32);
    EXPECT_NE(first, background);
    EXPECT_EQ(first.pixel(50, 121), background.pixel(50, 121)); // a missing picture changes nothing
    EXPECT_EQ(first.pixel(18, 127), ship.picture.pixel(4, 3));
    for (const auto& [id, count] : loads)
        EXPECT_EQ(count, 1) << id;
}

TEST_F(SceneRendererTest, ComposesFromTheBattleState)
{
    BattleState s;
    s.Pi = 4 * std::atan(1.0);
    EnemyShip e;
    e.Range = 450;
    s.Enemy.push_back(e);
    s.EnemyCount = 1;
    ship.picture = ship.picture.scaled(225, 73); // full-size ship pictures
    ship.mask = ship.mask.scaled(225, 73);
    SceneRenderer renderer = Renderer();
    const QImage image = renderer.render(s);
    // The worked example's destination (82, 120, 236, 77): ship pixels only inside it.
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 400; ++x) {
            const bool inside = x >= 82 && x < 82 + 236 && y >= 120 && y < 120 + 77;
            if (!inside) {
                ASSERT_EQ(image.pixel(x, y), background.pixel(x, y)) << x << ',' << y;
            }
        }
    EXPECT_NE(image.pixel(200, 190), background.pixel(200, 190));
}

TEST(SceneRendererFrames, FrameAfterFrameEqualsThePlainTransfers)
{
    // The game's own pictures, a long run of random compositions through one
    // renderer (canvases used in turn, pictures kept at their sizes), each
    // against the transfers made one by one on a fresh copy of the background.
    std::map<int, QImage> pictures;
    const auto rgb32 = [&](int id) -> const QImage& {
        auto it = pictures.find(id);
        if (it == pictures.end())
            it = pictures.emplace(id, loadScenePicture(id).convertToFormat(QImage::Format_RGB32)).first;
        return it->second;
    };
    const QImage& background = rgb32(scene::BackgroundPicture);
    ASSERT_EQ(background.size(), QSize(400, 240));
    SceneRenderer renderer(&loadScenePicture);

    std::mt19937 random(11);
    const auto uniform = [&](double a, double b) {
        return std::uniform_real_distribution<double>(a, b)(random);
    };
    std::vector<QImage> kept; // frames a caller holds on to must not change
    std::vector<QImage> keptExpected;
    std::vector<EnemyShip> fleet(5);
    for (int frame = 0; frame < 160; ++frame) {
        BattleState s;
        s.Pi = 4 * std::atan(1.0);
        s.ViewBearing = frame % 40 == 0 ? uniform(0, 2 * s.Pi) : 0.3;
        s.Enemy.resize(1);
        for (EnemyShip& e : fleet) {
            // Ships drift as in a battle, so that sizes repeat and change.
            if (frame % 25 == 0) {
                e.Range = static_cast<vb::Single>(uniform(0, 950));
                e.Bearing = uniform(0, 2 * s.Pi);
                e.DamageLevel = static_cast<vb::Integer>(random() % 4);
            }
            e.Range = std::max<vb::Single>(0, e.Range - static_cast<vb::Single>(uniform(0, 12)));
            e.Bearing = std::fmod(e.Bearing + uniform(-0.02, 0.02) + 2 * s.Pi, 2 * s.Pi);
            s.Enemy.push_back(e);
        }
        s.EnemyCount = static_cast<vb::Integer>(frame % 7 == 3 ? 0 : fleet.size());
        s.SplashVisible = frame % 3 != 0;
        s.ImpactX = static_cast<vb::Single>(975 + uniform(-700, 700));
        s.ImpactY = static_cast<vb::Single>(975 + uniform(-700, 700));

        std::vector<Blit> blits = ComposeScene(s);
        if (frame % 11 == 5 && !blits.empty()) // a transfer above the horizon, and one alone
            blits.push_back({scene::ShipMask, 30, 5, 100, 40, 0, 0, 225, 73, RasterOp::SRCPAINT});
        QImage expected = background.copy();
        for (const Blit& b : blits)
            stretchBlt(expected, b, rgb32(b.Picture));

        const QImage actual = renderer.render(blits);
        ASSERT_EQ(actual, expected) << "frame " << frame;
        if (frame % 9 == 0) {
            kept.push_back(actual);
            keptExpected.push_back(expected);
        }
    }
    for (std::size_t i = 0; i < kept.size(); ++i)
        EXPECT_EQ(kept[i], keptExpected[i]) << "kept frame " << i;
}

TEST(RadarRenderer, MarksAndViewLineInPaintingOrder)
{
    const RadarRenderer renderer(Filled(130, 130, qRgb(0, 0, 0)));
    const std::vector<RadarMark> marks{{300, 300, 30, radar::Yellow, radar::Green},
                                       {975, 975, 30, radar::Yellow, radar::Green},
                                       {300, 300, 15, radar::Red, radar::Red}};
    const QImage image = renderer.render({130, 130}, marks, {975, 60});
    EXPECT_EQ(image.pixel(20, 20), qRgb(255, 0, 0)); // point of fall over the ship at 300,300
    EXPECT_EQ(image.pixel(20, 23), qRgb(0, 0, 0));   // radius 2 pixels: 3 pixels away is sea
    EXPECT_EQ(image.pixel(65, 30), qRgb(255, 0, 0)); // the view line runs up from the centre
    EXPECT_EQ(image.pixel(65, 65), qRgb(255, 0, 0)); // and covers the ship at the centre
    EXPECT_EQ(image.pixel(70, 30), qRgb(0, 0, 0));   // 3 pixels wide, not more
    EXPECT_EQ(image.pixel(65, 2), qRgb(0, 0, 0));    // it ends 900 units out

    int green = 0, yellow = 0;
    const QImage noLine = renderer.render({130, 130}, {marks[1]}, {975, 975});
    for (int y = 60; y <= 70; ++y)
        for (int x = 60; x <= 70; ++x) {
            green += noLine.pixel(x, y) == qRgb(0, 255, 0);
            yellow += noLine.pixel(x, y) == qRgb(255, 255, 0);
        }
    EXPECT_GT(green, 0);
    EXPECT_GT(yellow, green); // a 2-pixel dot is mostly rim
}

TEST(RadarRenderer, ScalesSeaUnitsOntoLargerSurfaces)
{
    const RadarRenderer renderer(Filled(130, 130, qRgb(0, 0, 0)));
    const std::vector<RadarMark> marks{{1500, 450, 15, radar::Red, radar::Red}};
    const QImage image = renderer.render({260, 260}, marks, {975, 975});
    EXPECT_EQ(image.pixel(200, 60), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(200, 55), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(100, 60), qRgb(0, 0, 0));
}

TEST(RadarRenderer, MarksFarOffTheSquareAreIgnored)
{
    const RadarRenderer renderer(Filled(130, 130, qRgb(0, 0, 0)));
    const QImage image = renderer.render({130, 130},
                                         {{1e30f, -1e30f, 30, radar::Yellow, radar::Green},
                                          {std::nanf(""), 10, 30, radar::Yellow, radar::Green}},
                                         {std::nan(""), 0});
    EXPECT_EQ(image, Filled(130, 130, qRgb(0, 0, 0)));
}

TEST(RadarRenderer, PainterAndImagePathsAgreeAndStayInsideTheRadar)
{
    const RadarRenderer renderer(Gradient(130, 130));
    const std::vector<RadarMark> marks{{10, 10, 30, radar::Yellow, radar::Green},
                                       {1940, 975, 30, radar::Yellow, radar::Green},
                                       {600, 1200, 15, radar::Red, radar::Red}};
    for (const int side : {130, 260}) {
        const QImage direct = renderer.render({side, side}, marks, {200, 1700});

        // The same radar painted into a larger surface at an offset: once
        // onto the plain surface (the picture made in memory), once through
        // a moved painter (dot by dot with the painter).
        for (const bool movedPainter : {false, true}) {
            QImage surface = Filled(side + 40, side + 40, qRgb(9, 9, 9));
            {
                QPainter painter(&surface);
                QRectF target(20, 20, side, side);
                if (movedPainter) {
                    painter.translate(20, 20);
                    target.moveTo(0, 0);
                }
                renderer.paint(painter, target, marks);
                renderer.paintViewLine(painter, target, {200, 1700});
            }
            EXPECT_EQ(surface.copy(20, 20, side, side), direct) << side << (movedPainter ? " moved" : "");
            for (int i = 0; i < side + 40; ++i) {
                ASSERT_EQ(surface.pixel(i, 19), qRgb(9, 9, 9));
                ASSERT_EQ(surface.pixel(19, i), qRgb(9, 9, 9));
                ASSERT_EQ(surface.pixel(side + 20, i), qRgb(9, 9, 9));
                ASSERT_EQ(surface.pixel(i, side + 20), qRgb(9, 9, 9));
            }
        }
        // Painting again with other marks reuses the picture's buffer: nothing
        // of the last paint may stay.
        QImage again = Filled(side, side, qRgb(9, 9, 9));
        {
            QPainter painter(&again);
            renderer.paint(painter, QRectF(0, 0, side, side), {marks[2]});
        }
        QImage expected = renderer.render({side, side}, {marks[2]}, {975, 975});
        EXPECT_EQ(again, expected) << side;
    }
}

namespace {

// Pixels of the radar's outermost column or row (edge 0 left, 1 right,
// 2 top, 3 bottom) that a mark changed.
int LitOnEdge(const QImage& image, int edge)
{
    int lit = 0;
    for (int i = 0; i < image.width(); ++i) {
        const int x = edge == 0 ? 0 : edge == 1 ? image.width() - 1 : i;
        const int y = edge == 2 ? 0 : edge == 3 ? image.height() - 1 : i;
        lit += image.pixel(x, y) != qRgb(0, 0, 0);
    }
    return lit;
}

} // namespace

TEST(RadarRenderer, MarksJustOffTheLeftAndTopEdgesShowTheirSliver)
{
    // A centre up to its radius beyond an edge leaves a sliver on the radar,
    // whichever edge it is; rows behave exactly as columns.
    const RadarRenderer renderer(Filled(130, 130, qRgb(0, 0, 0)));
    auto mark = [](float x, float y, int radius) {
        return std::vector<RadarMark>{{x, y, radius, radar::Yellow, radar::Green}};
    };
    for (const int radius : {30, 15}) {
        for (int beyond = 0; beyond <= radius + 20; ++beyond) {
            const float out = static_cast<float>(beyond);
            const float far = 1950.0f + out;
            const int left = LitOnEdge(renderer.render({130, 130}, mark(-out, 975, radius), {975, 975}), 0);
            const int top = LitOnEdge(renderer.render({130, 130}, mark(975, -out, radius), {975, 975}), 2);
            const int right = LitOnEdge(renderer.render({130, 130}, mark(far, 975, radius), {975, 975}), 1);
            const int bottom = LitOnEdge(renderer.render({130, 130}, mark(975, far, radius), {975, 975}), 3);
            if (beyond <= radius) {
                EXPECT_GE(left, 1) << radius << " beyond " << beyond;
                EXPECT_GE(top, 1) << radius << " beyond " << beyond;
            }
            EXPECT_EQ(left, top) << radius << " beyond " << beyond;
            EXPECT_EQ(right, bottom) << radius << " beyond " << beyond;
        }
    }
}
