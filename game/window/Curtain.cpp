// SPDX-License-Identifier: MIT
#include "Curtain.h"

#include "VbMath.h"

#include <QPainter>

namespace curtain {

QColor Color(int i, int heightTwips)
{
    const int half = vb::CInt(heightTwips / 2.0);
    const double share = static_cast<double>(half - i) / vb::CInt(heightTwips);
    const int g = vb::CInt(share * 140 + 80);
    const int b = vb::CInt(share * 175 + 80);
    return QColor(g, g, b);
}

int StepTwips(double twipsPerPixelY)
{
    const int step = vb::CInt(twipsPerPixelY / 3);
    return step < 1 ? 1 : step;
}

void DrawPass(QImage& image, int i, int widthTwips, int heightTwips, double twipsPerPixel)
{
    const QColor color = Color(i, heightTwips);
    const int right = vb::CLng(widthTwips / twipsPerPixel);
    const int top = vb::CLng(i / twipsPerPixel);
    const int bottom = vb::CLng((heightTwips - i) / twipsPerPixel);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // A one-pixel row each; rows past the picture are clipped.
    painter.fillRect(QRect(0, top, right + 1, 1), color);
    painter.fillRect(QRect(0, bottom, right + 1, 1), color);
}

} // namespace curtain
