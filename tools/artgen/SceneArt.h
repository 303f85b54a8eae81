// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

namespace art {

constexpr int SceneWidth = 400;
constexpr int SceneHeight = 240;
constexpr int SceneHorizon = 124; // first row of sea
constexpr int WaterWidth = 22;
constexpr int WaterHeight = 52;

// Scene background (bitmap 102): sky with clouds above the horizon, sea below.
QImage sceneBackground();
// The water column of a falling shell on pure white; its mask is maskOf().
QImage waterColumn();

} // namespace art
