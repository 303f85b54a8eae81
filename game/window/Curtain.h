// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>

// The closing curtain drawn over the scene when a battle ends: pairs of
// lines moving in from the top and bottom edges, darkening towards the middle.
namespace curtain {

// Colour of the pass at twip row i of a picture heightTwips high:
// (150, 150, 168) at the edges down to (80, 80, 80) in the middle.
QColor Color(int i, int heightTwips);

// Twip rows of the passes: 0 to half the height in steps of a third of a
// pixel (at least one twip).
int StepTwips(double twipsPerPixelY);

// Draws one pass onto a picture heightTwips x widthTwips twips shown on the
// image: the line at row i and the one at heightTwips - i.
void DrawPass(QImage& image, int i, int widthTwips, int heightTwips, double twipsPerPixel);

} // namespace curtain
