// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <array>

// The battle form as it was designed: where each control sits, in twips of
// its parent, and what the designer set on it. The window builds its
// controls from this, and the window test checks the laid-out widgets
// against it. Texts are source texts of the "frmMain" translation context.
namespace frmMainDesign {

struct Twips {
    int left, top, width, height;
};

struct ControlDesign {
    const char* name;
    Twips rect;
    const char* toolTip = nullptr; // null: none
    const char* caption = nullptr; // buttons only
};

// The slider's own control and its range, start value and steps.
struct SliderDesign {
    ControlDesign control;
    int min, max, value;
    int smallChange, largeChange, tickFrequency;
};

// A line drawn over a picture box: its two ends in the box's twips and its
// width in pixels. The battle moves the outer end.
struct LineDesign {
    double x1, y1, x2, y2;
    int widthPixels;
};

struct TimerDesign {
    const char* name;
    int intervalMs;
};

inline constexpr int FormWidth = 7800, FormHeight = 6150;

inline constexpr ControlDesign picGaugeH{
    "picGaugeH", {75, 75, 1500, 1500}, QT_TRANSLATE_NOOP("frmMain", "現在の砲の水平方向の向きを示します")};
inline constexpr ControlDesign picGaugeV{
    "picGaugeV", {75, 1725, 1500, 1500}, QT_TRANSLATE_NOOP("frmMain", "現在の砲の仰角を示します")};
inline constexpr ControlDesign picScene{
    "picScene", {1725, 75, 6000, 3600}, QT_TRANSLATE_NOOP("frmMain", "現在の視野内の光景です")};
inline constexpr ControlDesign labTime{
    "labTime", {75, 3375, 1440, 240}, QT_TRANSLATE_NOOP("frmMain", "残り秒数を示します")};
inline constexpr ControlDesign labScore{
    "labScore", {75, 3675, 1440, 240}, QT_TRANSLATE_NOOP("frmMain", "現在のスコアを示します")};
inline constexpr ControlDesign picRader{
    "picRader",
    {75, 4125, 1950, 1950},
    QT_TRANSLATE_NOOP("frmMain",
                      "自艦を中心として敵艦の方向と位置を示します。赤い線は現在の視野中心方向です。")};
// Minimum at the top.
inline constexpr SliderDesign sldV{
    .control = {"sldV", {2100, 3750, 525, 2265}, QT_TRANSLATE_NOOP("frmMain", "砲の仰角を設定します")},
    .min = 5,
    .max = 85,
    .value = 85,
    .smallChange = 1,
    .largeChange = 10,
    .tickFrequency = 10,
};
inline constexpr SliderDesign sldH{
    .control = {"sldH",
                {2700, 3750, 4965, 525},
                QT_TRANSLATE_NOOP("frmMain", "砲の水平方向の向きを設定します")},
    .min = -135,
    .max = 135,
    .value = 0,
    .smallChange = 1,
    .largeChange = 15,
    .tickFrequency = 15,
};
inline constexpr ControlDesign pgbReload{
    "pgbReload",
    {2775, 4350, 4890, 390},
    QT_TRANSLATE_NOOP("frmMain", "砲弾を装填していますので、このゲージがフルになるまでは発射できません")};
// The frame drawn around the message log.
inline constexpr ControlDesign shpMessage{"shpMessage", {2775, 4800, 4890, 765}};
// The message log, top to bottom.
inline constexpr std::array<ControlDesign, 3> labMessage{{
    {"labMessage0", {2925, 4875, 4590, 165}},
    {"labMessage1", {2925, 5100, 4590, 165}},
    {"labMessage2", {2925, 5325, 4590, 165}},
}};
inline constexpr ControlDesign cmdTurn{
    .name = "cmdTurn",
    .rect = {4500, 5700, 1515, 390},
    .toolTip = QT_TRANSLATE_NOOP("frmMain", "ゲージで設定した角度に砲塔を旋回します"),
    .caption = QT_TRANSLATE_NOOP("frmMain", "旋回(&T)"),
};
inline constexpr ControlDesign cmdFire{
    .name = "cmdFire",
    .rect = {6150, 5700, 1515, 390},
    .toolTip = QT_TRANSLATE_NOOP("frmMain", "砲を発射します"),
    .caption = QT_TRANSLATE_NOOP("frmMain", "発射(&F)"),
};
// On picScene, in its twips.
inline constexpr ControlDesign labGameOver{"labGameOver", {1200, 1350, 3405, 810}};

// Every control, in the order the form makes them.
inline constexpr std::array<const ControlDesign*, 16> Controls{
    &picGaugeH,     &picGaugeV,    &picScene,  &labTime,    &labScore,      &picRader,
    &sldV.control,  &sldH.control, &pgbReload, &shpMessage, &labMessage[0], &labMessage[1],
    &labMessage[2], &cmdTurn,      &cmdFire,   &labGameOver};

// The needles of the two dials and the radar's line of sight, as they stand
// until the turret first moves.
inline constexpr LineDesign linHGauge{750, 750, 750, 0, 2};    // on picGaugeH
inline constexpr LineDesign linVGauge{1500, 1500, 6, 1369, 2}; // on picGaugeV
inline constexpr LineDesign linView{975, 60, 975, 975, 3};     // on picRader

// In the order of BattleUi::Timer.
inline constexpr std::array<TimerDesign, 3> Timers{{{"tmrMain", 500}, {"tmrTurn", 100}, {"tmrReload", 100}}};

} // namespace frmMainDesign
