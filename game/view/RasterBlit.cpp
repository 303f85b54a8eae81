// SPDX-License-Identifier: MIT
#include "RasterBlit.h"

#include <QImage>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

QImage asRgb32(const QImage& image)
{
    return image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
}

// Source index under the centre of destination pixel u of n, for a source
// span of m: floor((u + 0.5) * m / n), in exact integer arithmetic.
inline std::int64_t sample(std::int64_t u, std::int64_t m, std::int64_t n)
{
    return (2 * u + 1) * m / (2 * n);
}

// sample(u, m, n) for u = start, start + 1, ... (start >= 0), stepping the
// quotient and remainder instead of dividing for every pixel.
class Sampler {
public:
    Sampler(std::int64_t start, std::int64_t m, std::int64_t n)
        : den_(2 * n)
        , stepQ_(2 * m / den_)
        , stepR_(2 * m % den_)
        , q_((2 * start + 1) * m / den_)
        , r_((2 * start + 1) * m % den_)
    {
    }
    std::int64_t value() const { return q_; }
    void next()
    {
        q_ += stepQ_;
        r_ += stepR_;
        if (r_ >= den_) {
            r_ -= den_;
            ++q_;
        }
    }

private:
    std::int64_t den_, stepQ_, stepR_, q_, r_;
};

// Calls row(dst, sy, columns, count, again) for every canvas row the blit
// covers: dst the first covered canvas pixel of the row, sy the source row
// it samples, columns the source column of each of the count pixels, again
// whether the next call samples the same source row. Rows and columns whose
// source pixel lies outside srcW x srcH are left out.
template <typename Row> void forEachRow(QImage& canvas, const Blit& b, int srcW, int srcH, Row row)
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
    Sampler column(x0 - b.DX, b.SW, b.DW);
    for (std::size_t i = 0; i < count; ++i, column.next())
        columns[i] = static_cast<int>(b.SX + column.value());

    uchar* bits = canvas.bits();
    const qsizetype stride = canvas.bytesPerLine();
    Sampler line(y0 - b.DY, b.SH, b.DH);
    for (std::int64_t y = y0; y < y1; ++y) {
        const std::int64_t sy = b.SY + line.value();
        line.next();
        if (sy < 0 || sy >= srcH)
            continue;
        const bool again = y + 1 < y1 && b.SY + line.value() == sy;
        QRgb* dst = reinterpret_cast<QRgb*>(bits + y * stride) + x0;
        row(dst, static_cast<int>(sy), columns.data(), count, again);
    }
}

const QRgb* rowOf(const QImage& image, int y)
{
    return reinterpret_cast<const QRgb*>(image.constScanLine(y));
}

// dst = (dst OR mask) AND picture over count pixels, four at a time: the
// operations are per bit, so wider words give the same pixels.
void combineRow(QRgb* dst, const QRgb* mask, const QRgb* picture, std::size_t count)
{
    using Quad = std::uint32_t __attribute__((vector_size(16)));
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        Quad d, mq, pq;
        std::memcpy(&d, dst + i, sizeof d);
        std::memcpy(&mq, mask + i, sizeof mq);
        std::memcpy(&pq, picture + i, sizeof pq);
        d = (d | mq) & pq;
        std::memcpy(dst + i, &d, sizeof d);
    }
    for (; i < count; ++i)
        dst[i] = (dst[i] | mask[i]) & picture[i];
}

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
               [&](QRgb* dst, int sy, const int* columns, std::size_t count, bool) {
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
    const int srcW = std::min(m.width(), p.width());
    // For each source column c, the first pixel of the row sampling c or a
    // later column: where a source row's span starts and ends on the canvas.
    static thread_local std::vector<std::size_t> firstPixel;
    // A source row as sampled for this transfer. An enlarged picture samples
    // a source row for several canvas rows in a row: it is sampled once and
    // then combined with each of them.
    static thread_local std::vector<QRgb> maskRow, pictureRow;
    int sampledRow = -1;
    bool mapped = false;
    forEachRow(canvas, geometry, srcW, static_cast<int>(pair.rowSpans.size()),
               [&](QRgb* dst, int sy, const int* columns, std::size_t count, bool again) {
                   if (!mapped) {
                       mapped = true;
                       firstPixel.resize(static_cast<std::size_t>(srcW) + 1);
                       std::size_t i = 0;
                       for (int c = 0; c <= srcW; ++c) {
                           while (i < count && columns[i] < c)
                               ++i;
                           firstPixel[static_cast<std::size_t>(c)] = i;
                       }
                   }
                   const auto [first, last] = pair.rowSpans[static_cast<std::size_t>(sy)];
                   const std::size_t from = firstPixel[static_cast<std::size_t>(first)];
                   const std::size_t to = firstPixel[static_cast<std::size_t>(last)];
                   const QRgb* ms = rowOf(m, sy);
                   const QRgb* ps = rowOf(p, sy);
                   if (sy != sampledRow && !again) {
                       for (std::size_t i = from; i < to; ++i)
                           dst[i] = (dst[i] | ms[columns[i]]) & ps[columns[i]];
                       return;
                   }
                   if (sy != sampledRow) {
                       sampledRow = sy;
                       maskRow.resize(count);
                       pictureRow.resize(count);
                       for (std::size_t i = from; i < to; ++i) {
                           maskRow[i] = ms[columns[i]];
                           pictureRow[i] = ps[columns[i]];
                       }
                   }
                   combineRow(dst + from, maskRow.data() + from, pictureRow.data() + from, to - from);
               });
}

void stretchBltMasked(QImage& canvas, const Blit& geometry, const QImage& mask, const QImage& picture)
{
    stretchBltMasked(canvas, geometry, makeMaskedPair(mask, picture));
}
