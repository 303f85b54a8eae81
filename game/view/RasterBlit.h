// SPDX-License-Identifier: MIT
#pragma once

#include "Scene.h"

#include <QImage>

#include <utility>
#include <vector>

// StretchBlt on RGB32 images: the source rectangle sampled nearest-neighbour
// (the source pixel under each destination pixel's centre) onto the
// destination rectangle, each channel combined with the canvas by OR
// (SRCPAINT) or AND (SRCAND). The canvas clips; empty or mirrored rectangles
// and source pixels outside the source image leave the canvas as it was.
// Does nothing unless the canvas is Format_RGB32.
void stretchBlt(QImage& canvas, const Blit& blit, const QImage& source);

// A mask and its picture made ready for fused transfers: both RGB32, and for
// each source row the columns [first, last) outside which the pair leaves the
// canvas as it is (mask black, picture white), so that those are skipped.
struct MaskedPair {
    QImage mask, picture;
    std::vector<std::pair<int, int>> rowSpans;
};
MaskedPair makeMaskedPair(const QImage& mask, const QImage& picture);

// A mask ORed and then a picture ANDed through the same rectangles, as one
// pass: the same pixels as the two transfers one after the other.
void stretchBltMasked(QImage& canvas, const Blit& geometry, const MaskedPair& pair);
void stretchBltMasked(QImage& canvas, const Blit& geometry, const QImage& mask, const QImage& picture);

// Whether two transfers cover the same rectangles, so that they can be fused.
bool sameGeometry(const Blit& a, const Blit& b);
