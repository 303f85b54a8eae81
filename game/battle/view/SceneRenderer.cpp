// SPDX-License-Identifier: MIT
#include "SceneRenderer.h"

#include "RasterBlit.h"

#include <QPainter>

#include <utility>

SceneRenderer::SceneRenderer(PictureLoader loader, const SceneMetrics& metrics)
    : loader_(std::move(loader)), metrics_(metrics)
{
}

const QImage& SceneRenderer::picture(int id)
{
    auto it = cache_.find(id);
    if (it == cache_.end()) {
        QImage image = loader_ ? loader_(id) : QImage();
        // The raster operations are exact per channel only between RGB32 images.
        if (!image.isNull() && image.format() != QImage::Format_RGB32)
            image = image.convertToFormat(QImage::Format_RGB32);
        it = cache_.emplace(id, std::move(image)).first;
    }
    return it->second;
}

QImage SceneRenderer::render(const std::vector<Blit>& blits)
{
    const QImage& background = picture(scene::BackgroundPicture);
    const QSize size(metrics_.CanvasWidth(), metrics_.CanvasHeight());
    QImage canvas;
    if (background.size() == size) {
        canvas = background.copy();
    } else {
        canvas = QImage(size, QImage::Format_RGB32);
        canvas.fill(Qt::black);
        QPainter(&canvas).drawImage(0, 0, background);
    }
    if (blits.empty())
        return canvas;

    QPainter painter(&canvas);
    for (const Blit& blit : blits)
        stretchBlt(painter, blit, picture(blit.Picture));
    return canvas;
}
