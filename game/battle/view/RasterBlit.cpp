// SPDX-License-Identifier: MIT
#include "RasterBlit.h"

#include <QImage>
#include <QPainter>

void stretchBlt(QPainter& painter, const Blit& blit, const QImage& source)
{
    if (blit.DW <= 0 || blit.DH <= 0 || blit.SW <= 0 || blit.SH <= 0 || source.isNull())
        return;
    // Smoothing would blend mask edges into grey and leave a fringe.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setCompositionMode(blit.Op == RasterOp::SRCAND ? QPainter::RasterOp_SourceAndDestination
                                                            : QPainter::RasterOp_SourceOrDestination);
    painter.drawImage(QRectF(blit.DX, blit.DY, blit.DW, blit.DH), source,
                      QRectF(blit.SX, blit.SY, blit.SW, blit.SH));
}
