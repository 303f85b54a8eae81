// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>

#include <cstdint>
#include <vector>

namespace art {

// Small deterministic generator: the committed files must come out the same
// on every run and every machine, which std's distributions do not promise.
class Rng {
public:
    explicit Rng(std::uint64_t seed)
        : state_(seed)
    {
    }
    std::uint64_t next();
    double uniform(); // [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    double gauss(); // roughly normal, mean 0, sd 1

private:
    std::uint64_t state_;
};

// Pictures are drawn supersampled on a transparent canvas and brought back to
// size here, so shading is smooth while outlines stay crisp.
QImage makeCanvas(int width, int height, int factor);
QImage downsample(const QImage& canvas, int factor);

// Hard-edged picture on pure white: a pixel at least half covered takes its
// own (unblended) colour, the rest is white. Blending edges into white would
// show as a light fringe wherever the picture is masked onto the scene.
// Covered pixels never come out pure white.
QImage flattenOnWhite(const QImage& premultiplied);

// Closes white specks of at most maxArea pixels that the background cannot
// reach from the border: at 1:1 they read as dirt, not as daylight.
void fillPinholes(QImage& picture, int maxArea);

// Turns drawn islands of at most maxArea pixels to white: loose specks that
// at 1:1 read as dirt.
void removeSpecks(QImage& picture, int maxArea);

// White wherever the picture is not pure white, black elsewhere.
QImage maskOf(const QImage& picture);

// 24-bit bottom-up Windows bitmap.
QByteArray encodeBmp24(const QImage& image);
QByteArray encodePng(const QImage& image);

QColor mix(const QColor& a, const QColor& b, double t);

// A colour made lighter or darker by a factor in percent, as QColor's
// lighter() and darker() did in Qt 6.4, in which the committed pictures were
// drawn. Later Qt rounds its HSV conversion differently (Qt 6.11 gives
// another darker(128) for 795 of the 16.7 million colours), so the
// pictures would change with the Qt they are generated with. Factors of
// 100 and more; alpha is kept.
QColor lighter(const QColor& color, int factor);
QColor darker(const QColor& color, int factor);
inline double clamp01(double v)
{
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}
double smoothstep(double e0, double e1, double x);

} // namespace art
