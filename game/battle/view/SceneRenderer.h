// SPDX-License-Identifier: MIT
#pragma once

#include "../Scene.h"
#include "RasterBlit.h"

#include <QImage>

#include <functional>
#include <unordered_map>
#include <vector>

// Executes a scene composition: the canvas starts as bitmap 102 and takes
// the transfers in order. The finished picture is returned whole, so the
// window replaces what it shows in one step.
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

    PictureLoader loader_;
    SceneMetrics metrics_;
    std::unordered_map<int, QImage> cache_;
    std::unordered_map<long long, MaskedPair> pairs_;
};
