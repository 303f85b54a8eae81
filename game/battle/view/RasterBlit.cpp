// SPDX-License-Identifier: MIT
#include "RasterBlit.h"

#include <QImage>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

QImage asRgb32(const QImage& image)
{
    return image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
}

// Source index under the centre of destination pixel u of n, for a source
// span of m: floor((u + 0.5) * m / n), in exact integer arithmetic.
inline std::int64_t sample(std::int64_t u, std::int64_t m, std::int64_t n) { return (2 * u + 1) * m / (2 * n); }

// Calls row(dst, sy, columns, count) for every canvas row the blit covers:
// dst the first covered canvas pixel of the row, sy the source row it
// samples, columns the source column of each of the count pixels. Rows and
// columns whose source pixel lies outside srcW x srcH are left out.
template <typename Row>
void forEachRow(QImage& canvas, const Blit& b, int srcW, int srcH, Row row)
{
    if (canvas.format() != QImage::Format_RGB32 || b.DW <= 0 || b.DH <= 0 || b.SW <= 0 || b.SH <= 0)
        return;
    std::int64_t x0 = std::max<std::int64_t>(0, b.DX);
    std::int64_t x1 = std::min<std::int64_t>(canvas.width(), std::int64_t{b.DX} + b.DW);
    const std::int64_t y0 = std::max<std::int64_t>(0, b.DY);
    const std::int64_t y1 = std::min<std::int64_t>(canvas.height(), std::int64_t{b.DY} + b.DH);
    // Sampled columns grow with x: trim the ends that fall outside the source.
    while (x0 < x1 && b.SX + sample(x0 - b.DX, b.SW, b.DW) < 0)
        ++x0;
    while (x0 < x1 && b.SX + sample(x1 - 1 - b.DX, b.SW, b.DW) >= srcW)
        --x1;
    if (x0 >= x1 || y0 >= y1)
        return;

    static thread_local std::vector<int> columns;
    const std::size_t count = static_cast<std::size_t>(x1 - x0);
    columns.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        columns[i] = static_cast<int>(b.SX + sample(x0 + static_cast<std::int64_t>(i) - b.DX, b.SW, b.DW));

    for (std::int64_t y = y0; y < y1; ++y) {
        const std::int64_t sy = b.SY + sample(y - b.DY, b.SH, b.DH);
        if (sy < 0 || sy >= srcH)
            continue;
        QRgb* dst = reinterpret_cast<QRgb*>(canvas.scanLine(static_cast<int>(y))) + x0;
        row(dst, static_cast<int>(sy), columns.data(), count);
    }
}

const QRgb* rowOf(const QImage& image, int y) { return reinterpret_cast<const QRgb*>(image.constScanLine(y)); }

} // namespace

bool sameGeometry(const Blit& a, const Blit& b)
{
    return a.DX == b.DX && a.DY == b.DY && a.DW == b.DW && a.DH == b.DH && a.SX == b.SX && a.SY == b.SY
        && a.SW == b.SW && a.SH == b.SH;
}

void stretchBlt(QImage& canvas, const Blit& blit, const QImage& source)
{
    if (source.isNull())
        return;
    const QImage src = asRgb32(source);
    const bool isAnd = blit.Op == RasterOp::SRCAND;
    forEachRow(canvas, blit, src.width(), src.height(),
               [&](QRgb* dst, int sy, const int* columns, std::size_t count) {
                   const QRgb* s = rowOf(src, sy);
                   if (isAnd)
                       for (std::size_t i = 0; i < count; ++i)
                           dst[i] &= s[columns[i]];
                   else
                       for (std::size_t i = 0; i < count; ++i)
                           dst[i] |= s[columns[i]];
               });
}

MaskedPair makeMaskedPair(const QImage& mask, const QImage& picture)
{
    MaskedPair pair;
    if (mask.isNull() || picture.isNull())
        return pair;
    pair.mask = asRgb32(mask);
    pair.picture = asRgb32(picture);
    const int width = std::min(pair.mask.width(), pair.picture.width());
    const int height = std::min(pair.mask.height(), pair.picture.height());
    pair.rowSpans.assign(static_cast<std::size_t>(height), {0, 0});
    for (int y = 0; y < height; ++y) {
        const QRgb* m = rowOf(pair.mask, y);
        const QRgb* p = rowOf(pair.picture, y);
        // OR with black and AND with white change nothing, whatever the canvas.
        const auto active = [&](int x) { return (m[x] & 0xFFFFFF) != 0 || (p[x] & 0xFFFFFF) != 0xFFFFFF; };
        int first = 0, last = width;
        while (first < last && !active(first))
            ++first;
        while (last > first && !active(last - 1))
            --last;
        pair.rowSpans[static_cast<std::size_t>(y)] = {first, last};
    }
    return pair;
}

void stretchBltMasked(QImage& canvas, const Blit& geometry, const MaskedPair& pair)
{
    if (pair.rowSpans.empty())
        return;
    const QImage& m = pair.mask;
    const QImage& p = pair.picture;
    forEachRow(canvas, geometry, std::min(m.width(), p.width()), static_cast<int>(pair.rowSpans.size()),
               [&](QRgb* dst, int sy, const int* columns, std::size_t count) {
                   const auto [first, last] = pair.rowSpans[static_cast<std::size_t>(sy)];
                   // Sampled columns grow along the row: find the pixels that sample the span.
                   const int* end = columns + count;
                   const auto from = static_cast<std::size_t>(std::lower_bound(columns, end, first) - columns);
                   const auto to = static_cast<std::size_t>(std::lower_bound(columns, end, last) - columns);
                   const QRgb* ms = rowOf(m, sy);
                   const QRgb* ps = rowOf(p, sy);
                   for (std::size_t i = from; i < to; ++i)
                       dst[i] = (dst[i] | ms[columns[i]]) & ps[columns[i]];
               });
}

void stretchBltMasked(QImage& canvas, const Blit& geometry, const QImage& mask, const QImage& picture)
{
    stretchBltMasked(canvas, geometry, makeMaskedPair(mask, picture));
}
