// SPDX-License-Identifier: MIT
#include "SceneRenderer.h"

#include "RasterBlit.h"

#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

// The canvas area a transfer can touch.
QRect destinationOf(const Blit& b, const QSize& canvas)
{
    const std::int64_t x0 = std::max<std::int64_t>(0, b.DX);
    const std::int64_t y0 = std::max<std::int64_t>(0, b.DY);
    const std::int64_t x1 = std::min<std::int64_t>(canvas.width(), std::int64_t{b.DX} + std::max(b.DW, 0));
    const std::int64_t y1 = std::min<std::int64_t>(canvas.height(), std::int64_t{b.DY} + std::max(b.DH, 0));
    if (x0 >= x1 || y0 >= y1)
        return {};
    return QRect(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
                 static_cast<int>(y1 - y0));
}

} // namespace

SceneRenderer::SceneRenderer(PictureLoader loader, const SceneMetrics& metrics)
    : loader_(std::move(loader))
    , metrics_(metrics)
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

SceneRenderer::Canvas& SceneRenderer::freshCanvas()
{
    const QImage& background = picture(scene::BackgroundPicture);
    const QSize size(metrics_.CanvasWidth(), metrics_.CanvasHeight());
    Canvas& canvas = canvases_[nextCanvas_];
    nextCanvas_ = 1 - nextCanvas_;
    if (background.size() != size) {
        canvas.image = QImage(size, QImage::Format_RGB32);
        canvas.image.fill(Qt::black);
        QPainter(&canvas.image).drawImage(0, 0, background);
        canvas.drawn = {};
    } else if (canvas.image.size() != size || canvas.image.format() != background.format()) {
        canvas.image = background.copy();
        canvas.drawn = {};
    } else if (!canvas.drawn.isEmpty()) {
        // Still held elsewhere (a caller kept an older frame): bits() gives
        // this canvas its own copy first.
        uchar* bits = canvas.image.bits();
        const qsizetype stride = canvas.image.bytesPerLine();
        const QRect& r = canvas.drawn;
        const std::size_t bytes = static_cast<std::size_t>(r.width()) * sizeof(QRgb);
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::memcpy(bits + y * stride + r.left() * sizeof(QRgb),
                        background.constScanLine(y) + r.left() * sizeof(QRgb), bytes);
        canvas.drawn = {};
    }
    return canvas;
}

QImage SceneRenderer::render(const std::vector<Blit>& blits)
{
    Canvas& target = freshCanvas();
    QImage& canvas = target.image;
    for (std::size_t i = 0; i < blits.size(); ++i) {
        const Blit& blit = blits[i];
        target.drawn |= destinationOf(blit, canvas.size());
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
