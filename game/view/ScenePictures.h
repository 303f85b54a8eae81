// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

// The scene's pictures from the program's resources, by the numbers of the
// transfer list: 102, 201..204, 301..304, scene::WaterPicture and
// scene::WaterMask. Use as SceneRenderer's loader.
QImage loadScenePicture(int picture);
