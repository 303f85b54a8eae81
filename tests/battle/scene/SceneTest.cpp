// SPDX-License-Identifier: MIT
#include "Scene.h"
#include "Battle.h"
#include "ManualClock.h"
#include "ReplayRandom.h"
#include "SceneFixtures.h"
#include "SimUi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using scenefixtures::Looking;
using scenefixtures::Pi;
using scenefixtures::SplashAt;

EnemyShip Ship(vb::Single range, double bearing, vb::Integer level = 0)
{
    EnemyShip e;
    e.Range = range;
    e.Bearing = bearing;
    e.DamageLevel = level;
    return e;
}

std::vector<int> Pictures(const std::vector<Blit>& blits)
{
    std::vector<int> ids;
    for (const Blit& b : blits)
        ids.push_back(b.Picture);
    return ids;
}

constexpr int W = scene::WaterPicture;
constexpr int M = scene::WaterMask;

} // namespace

TEST(SceneShips, WorkedExampleAtRange450AheadWithWrappingView)
{
    const std::vector<Blit> blits = ComposeScene(Looking(0, {Ship(450, 0)}));
    ASSERT_EQ(blits.size(), 2u);
    EXPECT_EQ(blits[0], (Blit{301, 82, 120, 236, 77, 0, 0, 225, 73, RasterOp::SRCPAINT}));
    EXPECT_EQ(blits[1], (Blit{201, 82, 120, 236, 77, 0, 0, 225, 73, RasterOp::SRCAND}));
}

TEST(SceneShips, FarthestDrawnShipIs23By7AndOneHalfUnitFurtherIsNot)
{
    const std::vector<Blit> edge = ComposeScene(Looking(Pi / 2, {Ship(900, Pi / 2)}));
    ASSERT_EQ(edge.size(), 2u);
    EXPECT_EQ(edge[0].DW, 23);
    EXPECT_EQ(edge[0].DH, 7);
    EXPECT_EQ(edge[0].DY, 120);
    EXPECT_EQ(edge[0].DX, 189); // 2831.25 twips, a shade right of 200 - 23 / 2

    EXPECT_TRUE(ComposeScene(Looking(Pi / 2, {Ship(900.5f, Pi / 2)})).empty());
}

TEST(SceneShips, ShipAtRangeZeroOverhangsTheCanvasOnBothSides)
{
    const std::vector<Blit> blits = ComposeScene(Looking(Pi / 2, {Ship(0, Pi / 2)}));
    ASSERT_EQ(blits.size(), 2u);
    EXPECT_EQ(blits[1], (Blit{201, -25, 120, 450, 146, 0, 0, 225, 73, RasterOp::SRCAND}));
}

TEST(SceneShips, DamageLevelPicksPictureAndMask)
{
    BattleState s = Looking(0, {Ship(800, 0, 0), Ship(600, 0, 1), Ship(400, 0, 2), Ship(200, 0, 3)});
    s.Enemy[2].Sunk = true; // a ship sunk by the shell now falling is still shown
    EXPECT_EQ(Pictures(ComposeScene(s)), (std::vector<int>{301, 201, 302, 202, 303, 203, 304, 204}));
}

TEST(SceneView, WindowThroughTwelveOClockShowsBothSides)
{
    const std::vector<Blit> blits = ComposeScene(Looking(0, {Ship(450, 6.0, 0), Ship(450, 0.5, 1)}));
    ASSERT_EQ(blits.size(), 4u);
    const int leftCentre = blits[1].DX + blits[1].DW / 2;
    const int rightCentre = blits[3].DX + blits[3].DW / 2;
    EXPECT_EQ(blits[1].Picture, 201);
    EXPECT_LT(leftCentre, 200);
    EXPECT_GT(rightCentre, 200);
    // 6.0 lies 0.502 rad right of the left edge: pixel 128; 0.5 lies 0.285 rad
    // left of the right edge: pixel 327.
    EXPECT_NEAR(leftCentre, 128, 1);
    EXPECT_NEAR(rightCentre, 327, 1);
}

TEST(SceneView, BearingsMirroredAcrossTwelveOClockLandMirrored)
{
    const std::vector<Blit> blits = ComposeScene(Looking(0, {Ship(300, 2 * Pi - 0.1), Ship(300, 0.1)}));
    ASSERT_EQ(blits.size(), 4u);
    EXPECT_NEAR(blits[0].DX + blits[2].DX + blits[0].DW, 400, 1);
}

TEST(SceneView, WindowNotWrappingTestsOnlyItsLeftEdge)
{
    const double viewBearing = Pi / 2; // window Pi/4 .. 3Pi/4
    // A near ship just past the right edge shows its left part there.
    std::vector<Blit> blits = ComposeScene(Looking(viewBearing, {Ship(100, 3 * Pi / 4 + 0.1)}));
    ASSERT_EQ(blits.size(), 2u);
    EXPECT_LT(blits[0].DX, 400);
    EXPECT_GT(blits[0].DX + blits[0].DW, 400);

    // Left of the left edge, or exactly on it: nothing at all.
    EXPECT_TRUE(ComposeScene(Looking(viewBearing, {Ship(100, Pi / 4 - 0.01)})).empty());
    BattleState onEdge = Looking(viewBearing, {Ship(100, 0)});
    onEdge.Enemy[1].Bearing = onEdge.ViewBearing - Pi / 4;
    EXPECT_TRUE(ComposeScene(onEdge).empty());

    // Astern of the view but right of its left edge: listed, entirely off the canvas.
    blits = ComposeScene(Looking(viewBearing, {Ship(450, 3 * Pi / 2)}));
    ASSERT_EQ(blits.size(), 2u);
    EXPECT_GE(blits[0].DX, 400);
}

TEST(SceneDepth, FarToNearWithEqualRangesByIndex)
{
    BattleState s = Looking(0, {Ship(300, 0, 0), Ship(600, 0, 1), Ship(100, 0, 2), Ship(600, 0.1, 3)});
    EXPECT_EQ(Pictures(ComposeScene(s)), (std::vector<int>{302, 202, 304, 204, 301, 201, 303, 203}));
}

TEST(SceneDepth, ShipsOutOfRangeOrViewAreSkippedButOthersStillDrawn)
{
    BattleState s = Looking(0, {Ship(950, 0, 0), Ship(500, Pi, 1), Ship(400, 0.2, 2)});
    EXPECT_EQ(Pictures(ComposeScene(s)), (std::vector<int>{303, 203}));
}

TEST(SceneDepth, WaterColumnTakesItsPlaceAmongTheShips)
{
    BattleState s = Looking(0, {Ship(300, 0, 0), Ship(700, 0, 1)});

    SplashAt(s, 500, 0.05); // between the two
    EXPECT_EQ(Pictures(ComposeScene(s)), (std::vector<int>{302, 202, M, W, 301, 201}));

    SplashAt(s, 100, 0.05); // nearer than every ship: over all
    EXPECT_EQ(Pictures(ComposeScene(s)), (std::vector<int>{302, 202, 301, 201, M, W}));

    SplashAt(s, 800, 0.05); // farther than every ship: under all
    EXPECT_EQ(Pictures(ComposeScene(s)), (std::vector<int>{M, W, 302, 202, 301, 201}));

    s.SplashVisible = false; // the column goes with the splash
    EXPECT_EQ(Pictures(ComposeScene(s)), (std::vector<int>{302, 202, 301, 201}));
}

TEST(SceneDepth, WaterColumnAtAShipsRangeGoesOverThatShip)
{
    // A shell falling exactly on a ship: the fleet computes the ship's range
    // from the same point, and the column must come out on top.
    BattleState s = Looking(0);
    SplashAt(s, 500, 0.05);
    const double dx = s.ImpactX - 975.0, dy = s.ImpactY - 975.0;
    const vb::Single range = static_cast<vb::Single>(std::sqrt(dy * dy + dx * dx));
    s.Enemy = {EnemyShip{}, Ship(range, 0.05, 0), Ship(range - 50, 0, 1)};
    s.EnemyCount = 2;
    EXPECT_EQ(Pictures(ComposeScene(s)), (std::vector<int>{301, 201, M, W, 302, 202}));
}

TEST(SceneDepth, ShipsBeyondSightStillPlaceTheColumnBehindNearerOnes)
{
    // The far ship is out of view, yet the column (nearer than it) is placed
    // at its turn, before the near ship.
    BattleState s = Looking(0, {Ship(800, Pi, 0), Ship(100, 0, 1)});
    SplashAt(s, 400, 0);
    EXPECT_EQ(Pictures(ComposeScene(s)), (std::vector<int>{M, W, 302, 202}));
}

TEST(SceneSplash, ColumnAloneOnAnEmptySea)
{
    BattleState s = Looking(0);
    SplashAt(s, 450, 0);
    const std::vector<Blit> blits = ComposeScene(s);
    ASSERT_EQ(blits.size(), 2u);
    EXPECT_EQ(blits[0], (Blit{M, 188, 120, 23, 55, 0, 0, 22, 52, RasterOp::SRCPAINT}));
    EXPECT_EQ(blits[1], (Blit{W, 188, 120, 23, 55, 0, 0, 22, 52, RasterOp::SRCAND}));
}

TEST(SceneSplash, ColumnSizeFollowsRange)
{
    struct Case {
        vb::Single x, y;
        int w, h;
    };
    for (const Case c : {Case{975, 975, 44, 104}, Case{975, 75, 2, 5}, Case{975, 525, 23, 55},
                         Case{975 + 450, 975, 23, 55}}) {
        BattleState s = Looking(c.y > 975 ? Pi : (c.x > 975 ? Pi / 2 : 0));
        s.SplashVisible = true;
        s.ImpactX = c.x;
        s.ImpactY = c.y;
        const std::vector<Blit> blits = ComposeScene(s);
        ASSERT_EQ(blits.size(), 2u) << c.x << ',' << c.y;
        EXPECT_EQ(blits[1].DW, c.w) << c.x << ',' << c.y;
        EXPECT_EQ(blits[1].DH, c.h) << c.x << ',' << c.y;
    }
    BattleState beyond = Looking(0);
    beyond.SplashVisible = true;
    beyond.ImpactX = 975;
    beyond.ImpactY = 74.99f;
    EXPECT_TRUE(ComposeScene(beyond).empty());
}

TEST(SceneSplash, OutOfViewColumnIsNotListed)
{
    BattleState s = Looking(0, {Ship(200, 0)});
    SplashAt(s, 450, Pi);
    EXPECT_EQ(Pictures(ComposeScene(s)), (std::vector<int>{301, 201}));
}

TEST(SceneSplash, ColumnsMirroredAcrossTwelveOClockLandMirrored)
{
    BattleState s = Looking(0);
    SplashAt(s, 450, 0.1);
    const Blit right = ComposeScene(s)[0];
    SplashAt(s, 450, 2 * Pi - 0.1);
    const Blit left = ComposeScene(s)[0];
    EXPECT_GT(right.DX, 200 - right.DW / 2);
    EXPECT_LT(left.DX, 200 - left.DW / 2);
    EXPECT_NEAR(left.DX + right.DX + right.DW, 400, 1);
}

TEST(SceneRobustness, BadStateNeverReadsBeyondTheFleetOrOverflows)
{
    BattleState s = Looking(0,
                            {Ship(100, 0), Ship(std::numeric_limits<float>::quiet_NaN(), 0), Ship(200, 1e300),
                             Ship(300, std::numeric_limits<double>::infinity()), Ship(400, 0, 9)});
    s.EnemyCount = 12;
    s.SplashVisible = true;
    s.ImpactX = std::numeric_limits<float>::quiet_NaN();
    // A NaN range keeps its place in the order; non-finite ships are not drawn.
    const std::vector<Blit> blits = ComposeScene(s);
    EXPECT_EQ(Pictures(blits), (std::vector<int>{301, 201, 304, 204, 301, 201}));
    ASSERT_EQ(blits.size(), 6u);
    EXPECT_GE(blits[4].DX, 400); // the absurd bearing lands far off the canvas

    s.EnemyCount = -1;
    EXPECT_TRUE(ComposeScene(s).empty());
}

TEST(SceneText, BlitLines)
{
    EXPECT_EQ(FormatBlit({301, 82, 120, 236, 77, 0, 0, 225, 73, RasterOp::SRCPAINT}),
              "blit 301 82 120 236 77 0 0 225 73 SRCPAINT");
    EXPECT_EQ(FormatBlit({W, -3, 120, 2, 5, 0, 0, 22, 52, RasterOp::SRCAND}),
              "blit picWater -3 120 2 5 0 0 22 52 SRCAND");
    EXPECT_EQ(scene::PictureName(M), "picWMask");
}

TEST(SeaBearing, QuadrantsAndTheBowSternLine)
{
    EXPECT_NEAR(SeaBearing(1875, 75, Pi), Pi / 4, 1e-6);
    EXPECT_NEAR(SeaBearing(1875, 975, Pi), Pi / 2, 1e-6);
    EXPECT_NEAR(SeaBearing(75, 1875, Pi), 5 * Pi / 4, 1e-6);
    EXPECT_NEAR(SeaBearing(75, 75, Pi), 7 * Pi / 4, 1e-6);
    EXPECT_EQ(SeaBearing(975, 75, Pi), 0);
    EXPECT_EQ(SeaBearing(975, 1875, Pi), Pi);
    EXPECT_EQ(SeaBearing(975, 975, Pi), 0);
    EXPECT_GT(SeaBearing(975.5f, 75, Pi), 0);
    EXPECT_LT(SeaBearing(974.5f, 75, Pi), 2 * Pi);
}

TEST(SeaBearing, AgreesWithTheFleetsBearings)
{
    // Ships and the point of fall must use one bearing for one sea point.
    SimUi ui;
    ReplayRandom random;
    ManualClock clock;
    Battle battle(ui, random, clock, {}, "/opt/Mortavel");
    battle.Form_Load();
    for (const auto& [x, y] : {std::pair<vb::Single, vb::Single>{975, 75},
                               {975, 1875},
                               {975, 975},
                               {975.0153f, 84.09123f},
                               {1423.753f, 199.64656f},
                               {12.5f, 974.99f},
                               {974.999f, 1000},
                               {1949, 1}})
        EXPECT_EQ(SeaBearing(x, y, Pi), battle.BearingOf(x, y)) << x << ',' << y;
}

TEST(SceneMetrics, CanvasIsTheSceneBoxInPixels)
{
    EXPECT_EQ(SceneMetrics{}.CanvasWidth(), 400);
    EXPECT_EQ(SceneMetrics{}.CanvasHeight(), 240);
}
