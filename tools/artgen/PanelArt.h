// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

namespace art {

// Radar background (bitmap 101), 130 x 130.
QImage radarBackground();
// Bearing dial, 100 x 100: the needle pivots in the centre.
QImage bearingDial();
// Elevation dial, 100 x 100: the needle pivots in the bottom-right corner.
QImage elevationDial();

} // namespace art
