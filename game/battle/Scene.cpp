// SPDX-License-Identifier: MIT
#include "Scene.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace scene {

std::string PictureName(int picture)
{
    if (picture == WaterPicture)
        return "picWater";
    if (picture == WaterMask)
        return "picWMask";
    return std::to_string(picture);
}

} // namespace scene

int SceneMetrics::CanvasWidth() const
{
    return vb::CLng(SceneWidth / TwipsPerPixelX);
}
int SceneMetrics::CanvasHeight() const
{
    return vb::CLng(SceneHeight / TwipsPerPixelY);
}

double SeaBearing(vb::Single x, vb::Single y, double pi)
{
    const double dx = x - scene::OwnShip, dy = y - scene::OwnShip;
    if (dx == 0) {
        // The quotient is undefined on the bow-stern line: take the formula's
        // limits, and straight ahead for own ship's own position.
        return dy > 0 ? pi : 0;
    }
    const double a = std::atan(dy / dx) + pi / 2;
    return dx < 0 ? a + pi : a;
}

namespace {

// What one redraw needs of a ship, copied at entry so that nothing done to
// the fleet while the list is being made can reach it.
struct ShipView {
    vb::Single Range;
    double Bearing;
    int DamageLevel;
};

// CLng for pixel values. A state with absurd numbers must not turn into an
// undefined conversion; within any real battle this is CLng itself.
vb::Long Pixels(double v)
{
    if (std::isnan(v))
        return 0;
    return vb::CLng(std::clamp(v, -1.0e9, 1.0e9));
}

// A Double held as a Single; a value beyond its range saturates rather than
// being an undefined conversion.
vb::Single ToSingle(double v)
{
    constexpr double max = std::numeric_limits<vb::Single>::max();
    return static_cast<vb::Single>(std::isnan(v) ? v : std::clamp(v, -max, max));
}

double DistanceFromOwnShip(vb::Single x, vb::Single y)
{
    // As the fleet's ranges are computed, so that equal distances compare equal.
    const double dx = x - scene::OwnShip, dy = y - scene::OwnShip;
    return std::sqrt(dy * dy + dx * dx);
}

// Size factor of ships and water column: 2.0 at range 0 down to 0.1 at 900.
double Scale(double range)
{
    return range / 900 * (-1.9) + 2.0;
}

bool InView(double bearing, double viewLeft, double viewRight)
{
    // Only the left edge is tested unless the window wraps; a bearing past the
    // right edge lands beyond the canvas and is clipped there.
    return bearing > viewLeft || (viewRight < viewLeft && bearing < viewRight);
}

// Centre of a bearing in scene twips, held as a Single.
vb::Single CentreTwips(double bearing, double viewLeft, double viewRight, double pi, double width)
{
    vb::Single x = ToSingle((bearing - viewLeft) / (pi / 2) * width);
    if (x < 0) // past 12 o'clock in a wrapping window: measure from the right edge
        x = ToSingle(width - (viewRight - bearing) / (pi / 2) * width);
    return x;
}

class Composer {
public:
    Composer(const BattleState& state, const SceneMetrics& m)
        : state_(state)
        , m_(m)
    {
        viewRight_ = state.Pi / 4 + state.ViewBearing;
        if (viewRight_ >= 2 * state.Pi)
            viewRight_ -= 2 * state.Pi;
        viewLeft_ = state.ViewBearing - state.Pi / 4;
        if (viewLeft_ < 0)
            viewLeft_ += 2 * state.Pi;
    }

    std::vector<Blit> Compose()
    {
        const std::vector<ShipView> ships = CopyFleet();
        const std::vector<std::size_t> order = FarToNear(ships);

        double impactRange = 0;
        if (state_.SplashVisible)
            impactRange = DistanceFromOwnShip(state_.ImpactX, state_.ImpactY);
        bool splashDrawn = false;

        for (const std::size_t index : order) {
            const ShipView& e = ships[index];
            // Depth is decided by every ship, drawn or not; at equal range the
            // column goes over the ship.
            if (state_.SplashVisible && !splashDrawn && ToSingle(impactRange) > e.Range) {
                DrawSplash();
                splashDrawn = true;
            }
            if (e.Range > scene::MaxRange)
                continue;
            if (!InView(e.Bearing, viewLeft_, viewRight_))
                continue;
            DrawShip(e);
        }
        if (state_.SplashVisible && !splashDrawn)
            DrawSplash();
        return std::move(blits_);
    }

private:
    std::vector<ShipView> CopyFleet() const
    {
        // EnemyCount is read once; the table's size guards against a count
        // that ran ahead of it.
        const int tableLast = static_cast<int>(state_.Enemy.size()) - 1;
        const int n = std::clamp<int>(state_.EnemyCount, 0, std::max(tableLast, 0));
        std::vector<ShipView> ships;
        ships.reserve(static_cast<std::size_t>(n));
        for (int i = 1; i <= n; ++i) {
            const EnemyShip& e = state_.Enemy[static_cast<std::size_t>(i)];
            // Only pictures 201..204 exist; a level out of range shows its nearest.
            ships.push_back({e.Range, e.Bearing, std::clamp<int>(e.DamageLevel, 0, 3)});
        }
        return ships;
    }

    static std::vector<std::size_t> FarToNear(const std::vector<ShipView>& ships)
    {
        // Exchange passes that swap only a strictly nearer ship forward: equal
        // ranges keep their index order, and a NaN range stays where it is
        // instead of upsetting the sort.
        std::vector<std::size_t> order(ships.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        bool exchanged = true;
        while (exchanged) {
            exchanged = false;
            for (std::size_t i = 0; i + 1 < order.size(); ++i) {
                if (ships[order[i]].Range < ships[order[i + 1]].Range) {
                    std::swap(order[i], order[i + 1]);
                    exchanged = true;
                }
            }
        }
        return order;
    }

    void DrawShip(const ShipView& e)
    {
        if (!std::isfinite(e.Range) || !std::isfinite(e.Bearing))
            return;
        const double s = Scale(e.Range);
        vb::Single x = CentreTwips(e.Bearing, viewLeft_, viewRight_, state_.Pi, m_.SceneWidth);
        x = ToSingle(x - m_.ShipWidth * s / 2);
        const vb::Long left = Pixels(x / static_cast<vb::Single>(m_.TwipsPerPixelX));
        Transfer(scene::ShipMask + e.DamageLevel, left, s, m_.MaskWidth, m_.MaskHeight, RasterOp::SRCPAINT);
        Transfer(scene::ShipPicture + e.DamageLevel, left, s, m_.ShipWidth, m_.ShipHeight, RasterOp::SRCAND);
    }

    void DrawSplash()
    {
        const double d = DistanceFromOwnShip(state_.ImpactX, state_.ImpactY);
        const double brg = SeaBearing(state_.ImpactX, state_.ImpactY, state_.Pi);
        if (!(d <= scene::MaxRange) || !InView(brg, viewLeft_, viewRight_))
            return;
        const double splashScale = Scale(d);
        vb::Single x = CentreTwips(brg, viewLeft_, viewRight_, state_.Pi, m_.SceneWidth);
        x = ToSingle(x - m_.WaterWidth * splashScale / 2);
        const vb::Long left = Pixels(x / static_cast<vb::Single>(m_.TwipsPerPixelX));
        Transfer(scene::WaterMask, left, splashScale, m_.WMaskWidth, m_.WMaskHeight, RasterOp::SRCPAINT);
        Transfer(scene::WaterPicture, left, splashScale, m_.WaterWidth, m_.WaterHeight, RasterOp::SRCAND);
    }

    // All of the source picture, scaled by s, top edge at the fixed row.
    void Transfer(int picture, vb::Long left, double s, double width, double height, RasterOp op)
    {
        const vb::Single tppx = static_cast<vb::Single>(m_.TwipsPerPixelX);
        const vb::Single tppy = static_cast<vb::Single>(m_.TwipsPerPixelY);
        Blit b;
        b.Picture = picture;
        b.DX = left;
        b.DY = scene::Top;
        b.DW = Pixels(width * s / m_.TwipsPerPixelX);
        b.DH = Pixels(height * s / m_.TwipsPerPixelY);
        b.SX = 0;
        b.SY = 0;
        b.SW = Pixels(static_cast<vb::Single>(width) / tppx);
        b.SH = Pixels(static_cast<vb::Single>(height) / tppy);
        b.Op = op;
        blits_.push_back(b);
    }

    const BattleState& state_;
    const SceneMetrics& m_;
    double viewLeft_ = 0;
    double viewRight_ = 0;
    std::vector<Blit> blits_;
};

} // namespace

std::vector<Blit> ComposeScene(const BattleState& state, const SceneMetrics& metrics)
{
    return Composer(state, metrics).Compose();
}

std::string FormatBlit(const Blit& b)
{
    std::string line = "blit " + scene::PictureName(b.Picture);
    for (const vb::Long v : {b.DX, b.DY, b.DW, b.DH, b.SX, b.SY, b.SW, b.SH})
        line += ' ' + std::to_string(v);
    line += b.Op == RasterOp::SRCAND ? " SRCAND" : " SRCPAINT";
    return line;
}
