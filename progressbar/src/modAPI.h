// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

// The block transfer the gauge draws with, over images instead of device
// contexts.
namespace modAPI {

// Raster operation codes, with their classic values so that code written
// against the classic call reads the same.
enum RasterOp : quint32 {
    SRCCOPY = 0x00CC0020,   // source
    SRCPAINT = 0x00EE0086,  // source OR destination
    SRCAND = 0x008800C6,    // source AND destination
    SRCINVERT = 0x00660046, // source XOR destination
};

// Combines the w x h block of src at (xSrc, ySrc) into dst at (x, y), pixel
// by pixel on the red, green and blue bits; dst keeps its alpha. The parts of
// the block outside either image are left out. Both images must be 32-bit
// (RGB32 or ARGB32); returns false, changing nothing, for other formats or
// an unknown operation.
bool BitBlt(QImage& dst, int x, int y, int w, int h, const QImage& src, int xSrc, int ySrc, quint32 rop);

} // namespace modAPI
