// SPDX-License-Identifier: MIT
#include "CommittedFiles.h"
#include "Resources.h"

#include "Artwork.h"

#include <QGuiApplication>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cstdlib>

#include <deque>

namespace {

QString bitmapPath(int id)
{
    return QStringLiteral("game/assets/bitmaps/%1.bmp").arg(id);
}

int brightness(QRgb p)
{
    return (qRed(p) + qGreen(p) + qBlue(p)) / 3;
}

// Sizes of the white areas that cannot be reached from the picture's border
// through other white pixels: gaps and holes inside the drawing.
std::vector<int> enclosedWhiteAreas(const QImage& img)
{
    const int w = img.width(), h = img.height();
    std::vector<int> label(std::size_t(w * h), 0);
    auto fill = [&](int sx, int sy, int id) {
        int count = 0;
        std::deque<QPoint> todo{QPoint(sx, sy)};
        label[std::size_t(sy * w + sx)] = id;
        while (!todo.empty()) {
            const QPoint p = todo.front();
            todo.pop_front();
            ++count;
            for (QPoint n : {QPoint(p.x() + 1, p.y()), QPoint(p.x() - 1, p.y()), QPoint(p.x(), p.y() + 1),
                             QPoint(p.x(), p.y() - 1)}) {
                if (n.x() < 0 || n.y() < 0 || n.x() >= w || n.y() >= h)
                    continue;
                int& l = label[std::size_t(n.y() * w + n.x())];
                if (l == 0 && isWhite(img.pixel(n))) {
                    l = id;
                    todo.push_back(n);
                }
            }
        }
        return count;
    };
    for (int x = 0; x < w; ++x)
        for (int y : {0, h - 1})
            if (!label[std::size_t(y * w + x)] && isWhite(img.pixel(x, y)))
                fill(x, y, -1);
    for (int y = 0; y < h; ++y)
        for (int x : {0, w - 1})
            if (!label[std::size_t(y * w + x)] && isWhite(img.pixel(x, y)))
                fill(x, y, -1);
    std::vector<int> areas;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!label[std::size_t(y * w + x)] && isWhite(img.pixel(x, y)))
                areas.push_back(fill(x, y, int(areas.size()) + 1));
    return areas;
}

int enclosedWhitePixels(const QImage& img)
{
    int n = 0;
    for (int a : enclosedWhiteAreas(img))
        n += a;
    return n;
}

struct Extent {
    int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;
};
Extent drawnExtent(const QImage& img)
{
    Extent e;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (!isWhite(img.pixel(x, y))) {
                e.left = std::min(e.left, x);
                e.right = std::max(e.right, x);
                e.top = std::min(e.top, y);
                e.bottom = std::max(e.bottom, y);
            }
    return e;
}

void expectMaskMatches(const QImage& picture, const QImage& mask, const char* what)
{
    ASSERT_EQ(picture.size(), mask.size()) << what;
    int wrong = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb expected = isWhite(picture.pixel(x, y)) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
            wrong += (mask.pixel(x, y) & 0xFFFFFF) != (expected & 0xFFFFFF);
        }
    EXPECT_EQ(wrong, 0) << what << ": mask pixels that do not match the picture";
}

} // namespace

TEST(CommittedBitmaps, AreUncompressed24BitAtTheirExactSizes)
{
    struct Want {
        QString path;
        int width, height;
    };
    std::vector<Want> wants = {{bitmapPath(101), 130, 130}, {bitmapPath(102), 400, 240}};
    for (int id : {201, 202, 203, 204, 301, 302, 303, 304})
        wants.push_back({bitmapPath(id), 225, 73});
    for (const char* name : {"picWater", "picWMask"})
        wants.push_back({QStringLiteral("game/assets/pictures/%1.bmp").arg(name), 22, 52});
    for (const char* name : {"picGaugeH", "picGaugeV"})
        wants.push_back({QStringLiteral("game/assets/pictures/%1.bmp").arg(name), 100, 100});
    for (const Want& want : wants) {
        const QByteArray bytes = readSourceFile(want.path);
        ASSERT_GE(bytes.size(), 54) << qPrintable(want.path);
        const auto* d = reinterpret_cast<const uchar*>(bytes.constData());
        EXPECT_TRUE(bytes.startsWith("BM")) << qPrintable(want.path);
        EXPECT_EQ(qFromLittleEndian<qint32>(d + 18), want.width) << qPrintable(want.path);
        EXPECT_EQ(qFromLittleEndian<qint32>(d + 22), want.height) << qPrintable(want.path);
        EXPECT_EQ(qFromLittleEndian<quint16>(d + 28), 24) << qPrintable(want.path);
        EXPECT_EQ(qFromLittleEndian<quint32>(d + 30), 0u) << qPrintable(want.path) << " is compressed";
        EXPECT_EQ(bytes.size(), 54 + want.height * ((want.width * 3 + 3) & ~3)) << qPrintable(want.path);
    }
}

TEST(CommittedBitmaps, ShipsKeepWaterlineSilhouetteAndSmokeRows)
{
    const int expectedTop[] = {-1, -1, 3, 0};
    for (int level = 0; level < 4; ++level) {
        SCOPED_TRACE(level);
        const QImage ship = readSourceImage(bitmapPath(201 + level));
        ASSERT_EQ(ship.size(), QSize(225, 73));
        const Extent e = drawnExtent(ship);
        EXPECT_EQ(e.left, 8);
        EXPECT_EQ(e.right, 214);
        EXPECT_EQ(e.bottom, 46) << "waterline";
        if (expectedTop[level] >= 0)
            EXPECT_EQ(e.top, expectedTop[level]) << "smoke top";
        else
            EXPECT_GE(e.top, 3) << "the intact and lightly damaged ship stay below the heavier smoke";
        // Sky may show between the legs of a mast or under the guns, but no
        // pinhole of white may sit in the drawing, and the hull is solid.
        for (int area : enclosedWhiteAreas(ship))
            EXPECT_GT(area, 3) << "pinhole of pure white inside the ship";
        for (int y = 38; y <= 46; ++y)
            for (int x = 20; x <= 195; ++x)
                ASSERT_FALSE(isWhite(ship.pixel(x, y))) << "white in the hull at " << x << "," << y;
        // The waterline row is hull across most of the length, not a stray pixel.
        int hull = 0;
        for (int x = 0; x < 225; ++x)
            hull += !isWhite(ship.pixel(x, 46));
        EXPECT_GT(hull, 150);
    }
}

TEST(CommittedBitmaps, DamageLevelsDifferAndGrowDarker)
{
    // Each level must look different and carry more smoke than the one before.
    int previousDark = -1;
    QImage previous;
    for (int level = 0; level < 4; ++level) {
        const QImage ship = readSourceImage(bitmapPath(201 + level));
        int dark = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 225; ++x)
                dark += !isWhite(ship.pixel(x, y));
        EXPECT_GT(dark, previousDark) << "level " << level;
        if (!previous.isNull()) {
            EXPECT_NE(ship, previous) << "level " << level;
        }
        previousDark = dark;
        previous = ship;
    }
}

TEST(CommittedBitmaps, MasksMatchTheirPicturesExactly)
{
    for (int level = 0; level < 4; ++level)
        expectMaskMatches(readSourceImage(bitmapPath(201 + level)), readSourceImage(bitmapPath(301 + level)),
                          qPrintable(QString::number(301 + level)));
    expectMaskMatches(readSourceImage("game/assets/pictures/picWater.bmp"),
                      readSourceImage("game/assets/pictures/picWMask.bmp"), "picWMask");
}

TEST(CommittedBitmaps, WaterColumnIsLightGreyPlumeNarrowingToItsFoot)
{
    const QImage water = readSourceImage("game/assets/pictures/picWater.bmp");
    ASSERT_EQ(water.size(), QSize(22, 52));
    int widest = 0, widestRow = -1;
    std::vector<int> widths(52, 0);
    for (int y = 0; y < 52; ++y) {
        for (int x = 0; x < 22; ++x) {
            const QRgb p = water.pixel(x, y);
            if (isWhite(p))
                continue;
            ++widths[std::size_t(y)];
            EXPECT_GE(qRed(p), 182);
            EXPECT_GE(qGreen(p), 182);
            EXPECT_GE(qBlue(p), 182);
        }
        if (widths[std::size_t(y)] > widest) {
            widest = widths[std::size_t(y)];
            widestRow = y;
        }
    }
    EXPECT_LT(widestRow, 26) << "widest in the upper half";
    EXPECT_GE(widest, 16);
    EXPECT_GT(widths[51], 0) << "the plume stands on its foot";
    EXPECT_LE(widths[51], widest / 3);
    EXPECT_EQ(enclosedWhitePixels(water), 0);
}

TEST(CommittedBitmaps, SceneBackgroundHasSkyAboveAndSeaFromRow124)
{
    const QImage bg = readSourceImage(bitmapPath(102));
    ASSERT_EQ(bg.size(), QSize(400, 240));
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 400; x += 3) {
            const QRgb p = bg.pixel(x, y);
            if (y < 124) {
                ASSERT_GE(brightness(p), 120) << "sky at " << x << "," << y;
                ASSERT_GE(qBlue(p), qRed(p)) << "sky at " << x << "," << y;
            } else {
                ASSERT_LE(brightness(p), 135) << "sea at " << x << "," << y;
                ASSERT_GT(qBlue(p), qRed(p) + 20) << "sea at " << x << "," << y;
            }
        }
    }
}

TEST(CommittedBitmaps, RadarHasGreyCornersGreenRingCrossAndOwnShip)
{
    const QImage radar = readSourceImage(bitmapPath(101));
    ASSERT_EQ(radar.size(), QSize(130, 130));
    for (QPoint corner : {QPoint(0, 0), QPoint(129, 0), QPoint(0, 129), QPoint(129, 129)})
        EXPECT_EQ(radar.pixel(corner) & 0xFFFFFF, 0xC0C0C0u) << corner.x() << "," << corner.y();
    auto greenish = [](QRgb p) {
        return qGreen(p) > 100 && qGreen(p) > 2 * qRed(p) && qGreen(p) > 2 * qBlue(p);
    };
    auto dark = [](QRgb p) { return brightness(p) < 24; };
    EXPECT_TRUE(dark(radar.pixel(12, 1)));
    EXPECT_TRUE(dark(radar.pixel(20, 20)));
    // the ring of radius 60 crosses each axis; the cross runs through the centre
    EXPECT_TRUE(greenish(radar.pixel(65, 5)) || greenish(radar.pixel(64, 5)));
    EXPECT_TRUE(greenish(radar.pixel(5, 64)) || greenish(radar.pixel(5, 65)));
    EXPECT_TRUE(greenish(radar.pixel(64, 100)) || greenish(radar.pixel(65, 100)));
    // own ship: bright, upright
    auto bright = [](QRgb p) { return qGreen(p) > 200 && qGreen(p) >= qRed(p) && qGreen(p) >= qBlue(p); };
    EXPECT_TRUE(bright(radar.pixel(64, 64)));
    EXPECT_TRUE(bright(radar.pixel(64, 58)));
    EXPECT_TRUE(bright(radar.pixel(64, 72)));
    EXPECT_FALSE(bright(radar.pixel(58, 64))) << "the oval is upright";
    EXPECT_FALSE(bright(radar.pixel(71, 64))) << "the oval is upright";
}

TEST(CommittedBitmaps, DialsShowGreyWhereTheTurretCannotPoint)
{
    auto grey = [](QRgb p) {
        return std::abs(qRed(p) - qGreen(p)) < 12 && std::abs(qGreen(p) - qBlue(p)) < 12;
    };
    auto green = [](QRgb p) { return qGreen(p) > qRed(p) + 30; };
    const QImage h = readSourceImage("game/assets/pictures/picGaugeH.bmp");
    ASSERT_EQ(h.size(), QSize(100, 100));
    EXPECT_TRUE(grey(h.pixel(50, 85))) << "astern";
    EXPECT_TRUE(green(h.pixel(50, 25))) << "ahead";
    EXPECT_TRUE(green(h.pixel(15, 50))) << "abeam";
    const QImage v = readSourceImage("game/assets/pictures/picGaugeV.bmp");
    ASSERT_EQ(v.size(), QSize(100, 100));
    EXPECT_TRUE(grey(v.pixel(96, 96))) << "pivot";
    EXPECT_TRUE(green(v.pixel(40, 40)));
    EXPECT_TRUE(grey(v.pixel(100 - 63, 100 - 63))) << "arc";
}

TEST(ResourceLoader, ServesEveryPictureAsRgb32)
{
    struct Want {
        int id;
        QSize size;
    };
    for (const Want& w : {Want{101, {130, 130}}, Want{102, {400, 240}}, Want{201, {225, 73}},
                          Want{204, {225, 73}}, Want{301, {225, 73}}, Want{304, {225, 73}}}) {
        const QImage img = LoadResPicture(w.id);
        EXPECT_EQ(img.size(), w.size) << w.id;
        EXPECT_EQ(img.format(), QImage::Format_RGB32) << w.id;
        EXPECT_EQ(img, readSourceImage(bitmapPath(w.id)).convertToFormat(QImage::Format_RGB32)) << w.id;
    }
    for (int missing : {0, 100, 103, 200, 205, 300, 305})
        EXPECT_TRUE(LoadResPicture(missing).isNull()) << missing;

    EXPECT_EQ(LoadFormPicture("picWater").size(), QSize(22, 52));
    EXPECT_EQ(LoadFormPicture("picWMask").size(), QSize(22, 52));
    EXPECT_EQ(LoadFormPicture("picGaugeH").size(), QSize(100, 100));
    EXPECT_EQ(LoadFormPicture("picGaugeV").size(), QSize(100, 100));
    EXPECT_EQ(LoadFormPicture("title").size(), QSize(416, 251));
    EXPECT_EQ(LoadFormPicture("title").format(), QImage::Format_RGB32);
    EXPECT_TRUE(LoadFormPicture("picShip").isNull());
    EXPECT_TRUE(LoadFormPicture("").isNull());
}

TEST(ResourceLoader, IconComesInEveryDesktopSize)
{
    const QIcon icon = AppIcon();
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage img = readSourceImage(
            QStringLiteral("game/assets/icons/hicolor/%1x%1/apps/net.mortavel.Mortavel.png").arg(size));
        ASSERT_EQ(img.size(), QSize(size, size)) << size;
        EXPECT_TRUE(img.hasAlphaChannel()) << size;
        EXPECT_LT(qAlpha(img.pixel(0, 0)), 32) << "rounded corner at " << size;
        EXPECT_EQ(qAlpha(img.pixel(size / 2, size / 2)), 255) << size;
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    }
}

// Whether two encoded pictures hold the same pixels give or take one step of
// a channel: Qt's antialiasing and smooth scaling round differently on
// processors with other vector units, so a PNG drawn that way may differ in
// the last bit from the one committed elsewhere.
bool SamePictureWithinOneStep(const QByteArray& a, const QByteArray& b)
{
    const QImage x = QImage::fromData(a).convertToFormat(QImage::Format_ARGB32);
    const QImage y = QImage::fromData(b).convertToFormat(QImage::Format_ARGB32);
    if (x.isNull() || x.size() != y.size())
        return false;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            if (std::abs(qRed(p) - qRed(q)) > 1 || std::abs(qGreen(p) - qGreen(q)) > 1
                || std::abs(qBlue(p) - qBlue(q)) > 1 || std::abs(qAlpha(p) - qAlpha(q)) > 1)
                return false;
        }
    }
    return true;
}

TEST(Generator, ReproducesEveryCommittedFile)
{
    // Regenerating must give the committed bytes, so the two cannot drift;
    // antialiased PNG icons may differ by a rounding step between processors.
    const QList<art::GeneratedFile> files = art::generateAll();
    EXPECT_GE(files.size(), 25);
    for (const art::GeneratedFile& f : files) {
        const QByteArray committed = readSourceFile(f.path);
        EXPECT_FALSE(committed.isEmpty()) << qPrintable(f.path) << " is not committed";
        const bool same = committed == f.bytes
            || (f.path.endsWith(QLatin1String(".png")) && SamePictureWithinOneStep(committed, f.bytes));
        EXPECT_TRUE(same) << qPrintable(f.path) << " differs from the generator's output";
    }
}

TEST(Generator, MaskedShipsLeaveNoWhiteFringeOnTheScene)
{
    // Compose like the scene does and look for near-white pixels around the
    // ships: any would be a fringe left by an edge pixel blended with white.
    for (double range : {900.0, 450.0, 100.0}) {
        const QImage scene = art::mockScene(range);
        const QImage bg = LoadResPicture(102);
        int fringe = 0;
        for (int y = 120; y < 240; ++y)
            for (int x = 0; x < 400; ++x) {
                const QRgb p = scene.pixel(x, y);
                if (p != bg.pixel(x, y) && qRed(p) > 240 && qGreen(p) > 240 && qBlue(p) > 240
                    && std::abs(x - 200) > 50)
                    ++fringe;
            }
        EXPECT_EQ(fringe, 0) << "range " << range;
    }
}

TEST(Generator, FarShipSitsOnTheHorizon)
{
    // At range 900 the picture is 23 x 7 with its top at row 120: the lowest
    // drawn row must be the first row of sea.
    const QImage scene = art::mockScene(900);
    const QImage bg = LoadResPicture(102);
    int lowest = -1;
    for (int y = 110; y < 140; ++y)
        for (int x = 30; x < 70; ++x)
            if (scene.pixel(x, y) != bg.pixel(x, y))
                lowest = std::max(lowest, y);
    EXPECT_EQ(lowest, 124);
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
