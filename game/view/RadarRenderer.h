// SPDX-License-Identifier: MIT
#pragma once

#include "Radar.h"

#include <QImage>
#include <QPointF>
#include <QRectF>

#include <vector>

class QPainter;

// Paints the radar: bitmap 101, the marks, and the view line above them,
// with the 1950-unit square of sea scaled onto whatever surface is given
// (130 x 130 pixels at 96 dpi). Scaling stays crisp: no smoothing.
class RadarRenderer {
public:
    explicit RadarRenderer(QImage background);

    // Background and marks, in the marks' order.
    void paint(QPainter& painter, const QRectF& target, const std::vector<RadarMark>& marks) const;
    // linView from its outer point (sea units) to own ship: red, 3 pixels at
    // 130 pixels across, wider in proportion on a larger surface.
    void paintViewLine(QPainter& painter, const QRectF& target, QPointF outer) const;
    // All three on a new image of the given size.
    QImage render(QSize size, const std::vector<RadarMark>& marks, QPointF viewOuter) const;

    // linView's outer point before the player first clicks the radar.
    static QPointF initialViewOuter() { return {975, 60}; }

private:
    const QImage& backgroundFor(QSize size) const;
    // Background and marks into image, which is reused when it has the size.
    void drawInto(QImage& image, QSize size, const std::vector<RadarMark>& marks) const;
    template <typename FillRun>
    void paintMarks(const QRectF& target, const std::vector<RadarMark>& marks, FillRun fillRun) const;

    QImage background_;
    mutable QImage scaled_; // background_ at the last surface size other than its own
    mutable QImage frame_;  // the picture of the last paint, reused by the next
};
