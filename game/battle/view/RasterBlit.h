// SPDX-License-Identifier: MIT
#pragma once

#include "../Scene.h"

class QImage;
class QPainter;

// One StretchBlt of the scene on a painter over an RGB32 image: the source
// rectangle sampled nearest-neighbour onto the destination rectangle, each
// channel combined with the destination by OR (SRCPAINT) or AND (SRCAND).
// Empty or mirrored rectangles draw nothing; the canvas clips the rest.
void stretchBlt(QPainter& painter, const Blit& blit, const QImage& source);
