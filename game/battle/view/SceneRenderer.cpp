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

const MaskedPair& SceneRenderer::maskedPair(int mask, int pictureId)
{
    const long long key = (static_cast<long long>(mask) << 32) | static_cast<unsigned>(pictureId);
    auto it = pairs_.find(key);
    if (it == pairs_.end()) {
        const QImage& m = picture(mask);
        const QImage& p = picture(pictureId);
        // Fused only where the two transfers would cover the same pixels.
        MaskedPair pair = !m.isNull() && m.size() == p.size() ? makeMaskedPair(m, p) : MaskedPair{};
        it = pairs_.emplace(key, std::move(pair)).first;
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
    for (std::size_t i = 0; i < blits.size(); ++i) {
        const Blit& blit = blits[i];
        // A mask and its picture through the same rectangles go in one pass.
        if (i + 1 < blits.size() && blit.Op == RasterOp::SRCPAINT && blits[i + 1].Op == RasterOp::SRCAND
            && sameGeometry(blit, blits[i + 1])) {
            const MaskedPair& pair = maskedPair(blit.Picture, blits[i + 1].Picture);
            if (!pair.rowSpans.empty()) {
                stretchBltMasked(canvas, blit, pair);
                ++i;
                continue;
            }
        }
        stretchBlt(canvas, blit, picture(blit.Picture));
    }
    return canvas;
}
