// SPDX-License-Identifier: MIT
// The renderers with the game's own pictures. Set MORTAVEL_SHOTS to a folder
// to also get the pictures as PNG files for looking at them.
#include "RadarRenderer.h"
#include "Resources.h"
#include "SceneFixtures.h"
#include "ScenePictures.h"
#include "SceneRenderer.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using scenefixtures::Looking;
using scenefixtures::Pi;
using scenefixtures::SplashAt;

void Keep(const QImage& image, const char* name)
{
    const QString folder = qEnvironmentVariable("MORTAVEL_SHOTS");
    if (!folder.isEmpty())
        image.save(QDir(folder).filePath(QString::fromLatin1(name) + ".png"));
}

// A ship placed the way the fleet places it: sea position, range, bearing.
EnemyShip ShipAt(double range, double bearing, vb::Integer level)
{
    EnemyShip e;
    e.X = static_cast<vb::Single>(975 + range * std::cos(bearing - Pi / 2));
    e.Y = static_cast<vb::Single>(975 + range * std::sin(bearing - Pi / 2));
    const double dx = e.X - 975.0, dy = e.Y - 975.0;
    e.Range = static_cast<vb::Single>(std::sqrt(dy * dy + dx * dx));
    e.Bearing = SeaBearing(e.X, e.Y, Pi);
    e.DamageLevel = level;
    return e;
}

// Pure white below the horizon can only be a mask that the picture did not
// cover again: the fringe of a mismatched pair.
int WhiteBelowHorizon(const QImage& image)
{
    int white = 0;
    for (int y = 124; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            white += image.pixel(x, y) == qRgb(255, 255, 255);
    return white;
}

} // namespace

TEST(SceneArtwork, ShipsAtEveryDamageLevelAndAColumnLeaveNoFringe)
{
    BattleState s =
        Looking(0, {ShipAt(880, 6.0, 0), ShipAt(600, 0.3, 1), ShipAt(350, 5.7, 2), ShipAt(150, 0.05, 3)});
    SplashAt(s, 450, 6.2);
    SceneRenderer renderer(loadScenePicture);
    const QImage image = renderer.render(s);
    Keep(image, "scene-damage-levels");
    ASSERT_EQ(image.size(), QSize(400, 240));
    EXPECT_EQ(WhiteBelowHorizon(LoadResPicture(102)), 0);
    EXPECT_EQ(WhiteBelowHorizon(image), 0);
    EXPECT_NE(image, LoadResPicture(102));
}

TEST(SceneArtwork, NearestShipFillsTheViewAndIsClipped)
{
    BattleState s = Looking(Pi / 2, {ShipAt(0.0, Pi / 2, 0)});
    s.Enemy[1].Bearing = Pi / 2; // own ship's own spot has no bearing of its own
    SceneRenderer renderer(loadScenePicture);
    const QImage image = renderer.render(s);
    Keep(image, "scene-range-zero");
    EXPECT_EQ(WhiteBelowHorizon(image), 0);
    // The hull runs off the canvas on both sides.
    const QImage background = LoadResPicture(102);
    for (const int x : {0, 399}) {
        int hull = 0;
        for (int y = 120; y < 240; ++y)
            hull += image.pixel(x, y) != background.pixel(x, y);
        EXPECT_GT(hull, 5) << "column " << x;
    }
}

TEST(SceneArtwork, ColumnBetweenShipsAndViewThroughTwelve)
{
    BattleState s = Looking(0, {ShipAt(800, 0.02, 0), ShipAt(200, 6.1, 2)});
    SplashAt(s, 500, 0.0);
    SceneRenderer renderer(loadScenePicture);
    const QImage image = renderer.render(s);
    Keep(image, "scene-column-between");
    EXPECT_EQ(WhiteBelowHorizon(image), 0);

    BattleState empty = Looking(0, {});
    SplashAt(empty, 20, 0.1);
    const QImage column = renderer.render(empty);
    Keep(column, "scene-column-near");
    EXPECT_EQ(WhiteBelowHorizon(column), 0);
}

TEST(RadarArtwork, BackgroundMarksAndViewLine)
{
    BattleState s =
        Looking(0, {ShipAt(900, 0, 0), ShipAt(600, 1.0, 1), ShipAt(300, 4.0, 2), ShipAt(700, 2.5, 3)});
    SplashAt(s, 600, 1.02);
    const RadarRenderer renderer(LoadResPicture(101));
    const QPointF outer(975 + 900 * std::cos(1.0 - Pi / 2), 975 + 900 * std::sin(1.0 - Pi / 2));
    const QImage small = renderer.render({130, 130}, RadarMarks(s), outer);
    const QImage large = renderer.render({260, 260}, RadarMarks(s), outer);
    Keep(small, "radar-130");
    Keep(large, "radar-260");
    // The ship ahead at the rim of the circle: green centre at (65, 5).
    EXPECT_EQ(small.pixel(65, 5), qRgb(0, 255, 0));
    EXPECT_EQ(large.pixel(130, 10), qRgb(0, 255, 0));
    // The point of fall is red over the ship it lands on.
    const QPointF impact(s.ImpactX / 15.0, s.ImpactY / 15.0);
    EXPECT_EQ(small.pixel(impact.toPoint()), qRgb(255, 0, 0));
}
