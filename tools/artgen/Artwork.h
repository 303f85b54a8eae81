// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

namespace art {

struct GeneratedFile {
    QString path; // relative to the repository root
    QByteArray bytes;
};

// Every committed output except the title movie, in its final encoding.
QList<GeneratedFile> generateAll();

// Where the ship and splash pictures go, by the scene's own rules (top edge
// pinned at row 120, nearest-neighbour scaling, OR with the mask then AND
// with the picture), for checking the art in place.
void blitMasked(QImage& canvas, const QImage& picture, const QImage& mask, int left, int top, int width,
                int height);
// Background with the four damage levels side by side at one range, and a
// splash behind them.
QImage mockScene(double range);

} // namespace art
