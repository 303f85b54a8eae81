// SPDX-License-Identifier: MIT
#pragma once

#include "RasterBlit.h"
#include "Scene.h"

#include <QImage>
#include <QRect>

#include <functional>
#include <unordered_map>
#include <vector>

// Executes a scene composition: the canvas starts as bitmap 102 and takes
// the transfers in order. The finished picture is returned whole, so the
// window replaces what it shows in one step.
//
// Two canvases are used in turn: the one just shown is never written, and
// the other, no longer shown, only needs the background back where the
// transfers went, which is below the horizon's top rows.
class SceneRenderer {
public:
    // Gives the picture for a resource number (102, 201..204, 301..304) or
    // for scene::WaterPicture / scene::WaterMask.
    using PictureLoader = std::function<QImage(int picture)>;

    explicit SceneRenderer(PictureLoader loader, const SceneMetrics& metrics = {});

    QImage render(const std::vector<Blit>& blits);
    QImage render(const BattleState& state) { return render(ComposeScene(state, metrics_)); }

    const SceneMetrics& metrics() const { return metrics_; }

private:
    // Pictures never change during a run, so each is loaded and converted once.
    const QImage& picture(int id);
    // A mask with its picture, for one-pass transfers; null images when either is missing.
    const MaskedPair& maskedPair(int mask, int picture);
    struct Canvas {
        QImage image;
        QRect drawn; // where transfers went since the background was put back
    };
    // The next canvas, showing the background again.
    Canvas& freshCanvas();

    PictureLoader loader_;
    SceneMetrics metrics_;
    std::unordered_map<int, QImage> cache_;
    std::unordered_map<long long, MaskedPair> pairs_;
    Canvas canvases_[2];
    int nextCanvas_ = 0;
};
