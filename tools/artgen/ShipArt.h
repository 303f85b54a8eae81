// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

class QPainter;

namespace art {

// The enemy battleship, side view, bow to the right, in the coordinates of
// its 225 x 73 picture. The scene pins the picture's top edge and relies on
// the waterline row to put far ships on the horizon.
constexpr int ShipWidth = 225;
constexpr int ShipHeight = 73;
constexpr int ShipWaterline = 46;
constexpr int ShipFirstColumn = 8;
constexpr int ShipLastColumn = 214;

// Hull, superstructure, turrets; no damage. Also used by the title and icon.
void paintBattleship(QPainter& p);

// Picture for damage level 0 to 3: intact, smoke, smoke and fire, heavy fire
// and smoke. Format_RGB32 on pure white.
QImage shipPicture(int damageLevel);

// Topmost row that smoke may reach for each damage level (levels 2 and 3
// are fixed; the others are what the drawing gives).
int shipTopRow(int damageLevel);

} // namespace art
