// SPDX-License-Identifier: MIT
#include "ArtCommon.h"

#include <QBuffer>
#include <QPainter>
#include <QRgba64>

#include <algorithm>
#include <cmath>

namespace art {

std::uint64_t Rng::next()
{
    // splitmix64
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double Rng::uniform()
{
    return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0);
}

double Rng::gauss()
{
    double s = 0;
    for (int i = 0; i < 6; ++i)
        s += uniform();
    return (s - 3.0) * std::sqrt(2.0);
}

QImage makeCanvas(int width, int height, int factor)
{
    QImage canvas(width * factor, height * factor, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    return canvas;
}

QImage downsample(const QImage& canvas, int factor)
{
    const QImage src = canvas.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = src.width() / factor, h = src.height() / factor;
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    const int n = factor * factor;
    for (int y = 0; y < h; ++y) {
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int a = 0, r = 0, g = 0, b = 0;
            for (int sy = 0; sy < factor; ++sy) {
                const auto* row = reinterpret_cast<const QRgb*>(src.constScanLine(y * factor + sy));
                for (int sx = 0; sx < factor; ++sx) {
                    const QRgb p = row[x * factor + sx];
                    a += qAlpha(p);
                    r += qRed(p);
                    g += qGreen(p);
                    b += qBlue(p);
                }
            }
            dst[x] = qRgba((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n, (a + n / 2) / n);
        }
    }
    return out;
}

QImage flattenOnWhite(const QImage& premultiplied)
{
    const QImage src = premultiplied.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(src.size(), QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const auto* s = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* d = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const int a = qAlpha(s[x]);
            if (a < 128) {
                d[x] = qRgb(255, 255, 255);
                continue;
            }
            auto un = [a](int c) { return std::min(255, (c * 255 + a / 2) / a); };
            int r = un(qRed(s[x])), g = un(qGreen(s[x])), b = un(qBlue(s[x]));
            if (r == 255 && g == 255 && b == 255)
                b = 246;
            d[x] = qRgb(r, g, b);
        }
    }
    return out;
}

void fillPinholes(QImage& picture, int maxArea)
{
    const int w = picture.width(), h = picture.height();
    auto white = [&picture](int x, int y) { return (picture.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF; };
    std::vector<int> label(std::size_t(w * h), 0);
    std::vector<QPoint> area;
    auto collect = [&](int sx, int sy, int id) {
        area.clear();
        area.emplace_back(sx, sy);
        label[std::size_t(sy * w + sx)] = id;
        for (std::size_t i = 0; i < area.size(); ++i) {
            const QPoint p = area[i];
            const QPoint next[] = {
                {p.x() + 1, p.y()}, {p.x() - 1, p.y()}, {p.x(), p.y() + 1}, {p.x(), p.y() - 1}};
            for (QPoint n : next) {
                if (n.x() < 0 || n.y() < 0 || n.x() >= w || n.y() >= h)
                    continue;
                int& l = label[std::size_t(n.y() * w + n.x())];
                if (l == 0 && white(n.x(), n.y())) {
                    l = id;
                    area.push_back(n);
                }
            }
        }
    };
    for (int x = 0; x < w; ++x)
        for (int y : {0, h - 1})
            if (!label[std::size_t(y * w + x)] && white(x, y))
                collect(x, y, -1);
    for (int y = 0; y < h; ++y)
        for (int x : {0, w - 1})
            if (!label[std::size_t(y * w + x)] && white(x, y))
                collect(x, y, -1);
    int id = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (label[std::size_t(y * w + x)] || !white(x, y))
                continue;
            collect(x, y, ++id);
            if (int(area.size()) > maxArea)
                continue;
            // take the colour of the darker drawn neighbours around the speck
            for (QPoint p : area) {
                int r = 0, g = 0, b = 0, n = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = p.x() + dx, ny = p.y() + dy;
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h || white(nx, ny))
                            continue;
                        const QRgb c = picture.pixel(nx, ny);
                        r += qRed(c);
                        g += qGreen(c);
                        b += qBlue(c);
                        ++n;
                    }
                if (n > 0)
                    picture.setPixel(p, qRgb(r / n, g / n, std::min(254, b / n)));
            }
        }
}

void removeSpecks(QImage& picture, int maxArea)
{
    const int w = picture.width(), h = picture.height();
    auto drawn = [&picture](int x, int y) { return (picture.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF; };
    std::vector<char> seen(std::size_t(w * h), 0);
    std::vector<QPoint> island;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (seen[std::size_t(y * w + x)] || !drawn(x, y))
                continue;
            island.assign(1, QPoint(x, y));
            seen[std::size_t(y * w + x)] = 1;
            for (std::size_t i = 0; i < island.size(); ++i) {
                const QPoint p = island[i];
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = p.x() + dx, ny = p.y() + dy;
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h || seen[std::size_t(ny * w + nx)]
                            || !drawn(nx, ny))
                            continue;
                        seen[std::size_t(ny * w + nx)] = 1;
                        island.emplace_back(nx, ny);
                    }
            }
            if (int(island.size()) <= maxArea)
                for (QPoint p : island)
                    picture.setPixel(p, qRgb(255, 255, 255));
        }
}

QImage maskOf(const QImage& picture)
{
    const QImage src = picture.convertToFormat(QImage::Format_RGB32);
    QImage out(src.size(), QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const auto* s = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* d = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x)
            d[x] = (s[x] & 0xFFFFFF) == 0xFFFFFF ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    }
    return out;
}

namespace {
void put16(QByteArray& b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}
void put32(QByteArray& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}
} // namespace

QByteArray encodeBmp24(const QImage& image)
{
    const QImage src = image.convertToFormat(QImage::Format_RGB32);
    const int w = src.width(), h = src.height();
    const int stride = (w * 3 + 3) & ~3;
    const std::uint32_t dataSize = std::uint32_t(stride) * std::uint32_t(h);
    QByteArray b;
    b.reserve(int(54 + dataSize));
    b.append("BM");
    put32(b, 54 + dataSize);
    put32(b, 0);
    put32(b, 54);
    put32(b, 40);
    put32(b, std::uint32_t(w));
    put32(b, std::uint32_t(h));
    put16(b, 1);
    put16(b, 24);
    put32(b, 0); // BI_RGB
    put32(b, dataSize);
    put32(b, 3780); // 96 dpi
    put32(b, 3780);
    put32(b, 0);
    put32(b, 0);
    for (int y = h - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            b.append(char(qBlue(row[x])));
            b.append(char(qGreen(row[x])));
            b.append(char(qRed(row[x])));
        }
        for (int p = w * 3; p < stride; ++p)
            b.append('\0');
    }
    return b;
}

QByteArray encodePng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    t = clamp01(t);
    return QColor::fromRgbF(
        float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
        float(a.blueF() + (b.blueF() - a.blueF()) * t), float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

double smoothstep(double e0, double e1, double x)
{
    const double t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

namespace {

// HSV in 16 bits a channel, hue in hundredths of a degree (65535: none), and
// every step in single precision, as QColor kept and computed it. The result
// keeps 16 bits a channel too: the shaded colours feed gradients and further
// shading at that precision.
struct Hsv16 {
    int hue, saturation, value;
};

constexpr float Max16 = 65535.0f;

int round16(float x)
{
    return int(x + 0.5f);
}

Hsv16 toHsv16(const QColor& color)
{
    const QRgba64 c = color.rgba64();
    const float r = float(c.red()) / Max16, g = float(c.green()) / Max16, b = float(c.blue()) / Max16;
    const float max = std::max(r, std::max(g, b)), min = std::min(r, std::min(g, b));
    const float delta = max - min;
    Hsv16 hsv{65535, 0, round16(max * Max16)};
    if (delta == 0.0f)
        return hsv;
    hsv.saturation = round16((delta / max) * Max16);
    float hue;
    if (r == max)
        hue = (g - b) / delta;
    else if (g == max)
        hue = 2.0f + (b - r) / delta;
    else
        hue = 4.0f + (r - g) / delta;
    hue *= 60.0f;
    if (hue < 0.0f)
        hue += 360.0f;
    hsv.hue = round16(hue * 100.0f);
    return hsv;
}

QColor fromHsv16(const Hsv16& c, quint16 alpha)
{
    if (c.saturation == 0 || c.hue == 65535) {
        const auto v = quint16(c.value);
        return QColor::fromRgba64(v, v, v, alpha);
    }
    const float h = c.hue == 36000 ? 0.0f : float(c.hue) / 6000.0f;
    const float s = float(c.saturation) / Max16, v = float(c.value) / Max16;
    const int sector = int(h);
    const float f = h - float(sector);
    const float p = v * (1.0f - s);
    const float q = v * (1.0f - (s * f));
    const float t = v * (1.0f - (s * (1.0f - f)));
    float r = v, g = t, b = p;
    switch (sector) {
    case 1:
        r = q;
        g = v;
        b = p;
        break;
    case 2:
        r = p;
        g = v;
        b = t;
        break;
    case 3:
        r = p;
        g = q;
        b = v;
        break;
    case 4:
        r = t;
        g = p;
        b = v;
        break;
    case 5:
        r = v;
        g = p;
        b = q;
        break;
    default: break;
    }
    return QColor::fromRgba64(quint16(round16(r * Max16)), quint16(round16(g * Max16)),
                              quint16(round16(b * Max16)), alpha);
}

} // namespace

QColor lighter(const QColor& color, int factor)
{
    Hsv16 hsv = toHsv16(color);
    // Past full value the colour goes on towards white by losing saturation.
    const int v = hsv.value * factor / 100;
    if (v > 65535) {
        hsv.saturation = std::max(0, hsv.saturation - (v - 65535));
        hsv.value = 65535;
    } else {
        hsv.value = v;
    }
    return fromHsv16(hsv, color.rgba64().alpha());
}

QColor darker(const QColor& color, int factor)
{
    Hsv16 hsv = toHsv16(color);
    hsv.value = hsv.value * 100 / factor;
    return fromHsv16(hsv, color.rgba64().alpha());
}

} // namespace art
