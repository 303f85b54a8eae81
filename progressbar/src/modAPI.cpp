// SPDX-License-Identifier: MIT
#include "modAPI.h"

#include <algorithm>

namespace modAPI {

namespace {

bool is32Bit(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied: return true;
    default: return false;
    }
}

template <typename Op>
void combine(QImage& dst, int x, int y, int w, int h, const QImage& src, int xSrc, int ySrc, Op op)
{
    constexpr QRgb rgb = 0x00FFFFFF;
    for (int row = 0; row < h; ++row) {
        auto* d = reinterpret_cast<QRgb*>(dst.scanLine(y + row)) + x;
        const auto* s = reinterpret_cast<const QRgb*>(src.constScanLine(ySrc + row)) + xSrc;
        for (int i = 0; i < w; ++i)
            d[i] = (d[i] & ~rgb) | (op(s[i], d[i]) & rgb);
    }
}

} // namespace

bool BitBlt(QImage& dst, int x, int y, int w, int h, const QImage& src, int xSrc, int ySrc, quint32 rop)
{
    if (rop != SRCCOPY && rop != SRCPAINT && rop != SRCAND && rop != SRCINVERT)
        return false;
    if (!is32Bit(dst) || !is32Bit(src))
        return false;

    // Clip in 64 bits so that extreme arguments cannot wrap.
    qint64 dx = x, dy = y, sx = xSrc, sy = ySrc, cw = w, ch = h;
    const auto clipStart = [](qint64& a, qint64& b, qint64& len) {
        if (a < 0) {
            b -= a;
            len += a;
            a = 0;
        }
    };
    clipStart(dx, sx, cw);
    clipStart(sx, dx, cw);
    clipStart(dy, sy, ch);
    clipStart(sy, dy, ch);
    cw = std::min({cw, qint64(dst.width()) - dx, qint64(src.width()) - sx});
    ch = std::min({ch, qint64(dst.height()) - dy, qint64(src.height()) - sy});
    if (cw <= 0 || ch <= 0)
        return true;

    const int X = int(dx), Y = int(dy), W = int(cw), H = int(ch), SX = int(sx), SY = int(sy);
    // The same image as source and destination would be detached by
    // scanLine(); copy the source first so that overlapping blocks read the
    // pixels as they were before the transfer.
    const QImage source = (&src == &dst) ? src.copy() : src;
    switch (rop) {
    case SRCCOPY: combine(dst, X, Y, W, H, source, SX, SY, [](QRgb s, QRgb) { return s; }); break;
    case SRCPAINT: combine(dst, X, Y, W, H, source, SX, SY, [](QRgb s, QRgb d) { return s | d; }); break;
    case SRCAND: combine(dst, X, Y, W, H, source, SX, SY, [](QRgb s, QRgb d) { return s & d; }); break;
    case SRCINVERT: combine(dst, X, Y, W, H, source, SX, SY, [](QRgb s, QRgb d) { return s ^ d; }); break;
    }
    return true;
}

} // namespace modAPI
