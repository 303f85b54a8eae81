// SPDX-License-Identifier: MIT
#pragma once

#include "VbMath.h"

#include <QRect>
#include <QSize>

// Widgets get fixed logical pixel geometry and Qt scales it on high-density
// screens.
using vb::TwipsPerPixel;

inline int TwipsToPixels(double twips)
{
    return vb::CLng(twips / TwipsPerPixel);
}

// Each of the four values is converted on its own, as the designer's
// positions are: a right edge is left + width in pixels, not a converted sum.
inline QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

inline QSize TwipsSize(int width, int height)
{
    return QSize(TwipsToPixels(width), TwipsToPixels(height));
}
