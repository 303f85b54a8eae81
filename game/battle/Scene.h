// SPDX-License-Identifier: MIT
#pragma once

#include "BattleState.h"

#include <cstdint>
#include <string>
#include <vector>

// The scene view as data: DrawScene and DrawSplash reduced to the list of
// block transfers they make onto the canvas, which starts as bitmap 102.
// The renderer executes the list; everything that decides what goes where
// (view window, depth order, range and view tests, scale, rounding) is here.

// The two raster operations of the transfers, with their GDI codes.
enum class RasterOp : std::uint32_t {
    SRCPAINT = 0x00EE0086, // destination OR source
    SRCAND = 0x008800C6,   // destination AND source
};

namespace scene {

constexpr int BackgroundPicture = 102;
constexpr int ShipPicture = 201; // + DamageLevel
constexpr int ShipMask = 301;    // + DamageLevel
// The water column and its mask are form pictures, not numbered resources;
// these ids only name them in a transfer.
constexpr int WaterPicture = 1001; // picWater
constexpr int WaterMask = 1002;    // picWMask

constexpr double OwnShip = 975; // own ship's sea position, both axes
constexpr vb::Single MaxRange = 900;
constexpr int Top = 120; // canvas row of every ship's and column's top edge

// "201".."304", "picWater", "picWMask".
std::string PictureName(int picture);

} // namespace scene

// Sizes of the form's picture boxes in twips, and the display's twips per
// pixel. The defaults are the battle form at 96 dpi.
struct SceneMetrics {
    double SceneWidth = 6000, SceneHeight = 3600; // picScene (and picScBk)
    double ShipWidth = 3375, ShipHeight = 1095;   // picShip
    double MaskWidth = 3375, MaskHeight = 1095;   // picMask
    double WaterWidth = 330, WaterHeight = 780;   // picWater
    double WMaskWidth = 330, WMaskHeight = 780;   // picWMask
    double TwipsPerPixelX = vb::TwipsPerPixel, TwipsPerPixelY = vb::TwipsPerPixel;

    // Canvas size in pixels (400 x 240 by default).
    int CanvasWidth() const;
    int CanvasHeight() const;
};

// One StretchBlt onto the canvas, in pixels as the transfer receives them.
struct Blit {
    int Picture = 0; // 201..204, 301..304, scene::WaterPicture or scene::WaterMask
    vb::Long DX = 0, DY = 0, DW = 0, DH = 0;
    vb::Long SX = 0, SY = 0, SW = 0, SH = 0;
    RasterOp Op = RasterOp::SRCPAINT;

    friend bool operator==(const Blit&, const Blit&) = default;
};

// The whole composition after the background, in order: for each ship drawn,
// far to near (equal ranges by index), its mask ORed then its picture ANDed;
// the water column, while the splash shows, at its depth among the ships.
// Works on a copy of the fleet taken at entry; reads the state only.
std::vector<Blit> ComposeScene(const BattleState& state, const SceneMetrics& metrics = {});

// "blit PICTURE DX DY DW DH SX SY SW SH OP".
std::string FormatBlit(const Blit& blit);

// The bearing of a sea point seen from own ship: 0 ahead, clockwise, in
// 0 to 2*Pi. On the bow-stern line the limits of the formula are used
// (0 ahead, Pi astern); own ship's own position gives 0.
double SeaBearing(vb::Single x, vb::Single y, double pi);
