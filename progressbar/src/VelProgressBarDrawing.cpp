// SPDX-License-Identifier: MIT
// VelProgressBarPrivate: the two surfaces, sizing and drawing.
#include "VelProgressBarPrivate.h"

#include "BarPictureBox.h"
#include "CaptionText.h"
#include "modAPI.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double Tpp = VelProgressBarPrivate::TwipsPerPixel;

// The layout the control was designed with, in twips: the control and, at
// 30, 30 inside it, the bar with its border.
constexpr double DesignWidth = 3045, DesignHeight = 510;
constexpr double PrgLeft = 30, PrgTop = 30, PrgWidth = 2970, PrgHeight = 450;

// The bar measures caption heights with this face; the sample has both the
// tallest Latin and the Japanese glyphs a caption is likely to hold.
const QString MeasureFace = QStringLiteral("ＭＳ Ｐゴシック");
const QString FitSample = QStringLiteral("ABCDE12345あいうえお漢字");

// Nearest whole number, halves to even, kept within 32 bits.
qint32 CLng(double v)
{
    const double r = std::nearbyint(v);
    if (!(r >= -2147483648.0))
        return std::numeric_limits<qint32>::min();
    if (r > 2147483647.0)
        return std::numeric_limits<qint32>::max();
    return qint32(r);
}

int pixels(double twips)
{
    return CLng(twips / Tpp);
}

// Text extents as a surface measures them: the widest line, and the line
// height for every line whatever glyphs it holds.
int textWidth(const QFontMetrics& fm, const QStringList& lines)
{
    int w = 0;
    for (const QString& line : lines)
        w = std::max(w, fm.horizontalAdvance(line));
    return w;
}

int textHeight(const QFontMetrics& fm, const QString& text)
{
    return fm.height() * int(CaptionText::lines(text).size());
}

} // namespace

void VelProgressBarPrivate::init()
{
    q_->setMinimumSize(MinimumPixels, MinimumPixels);
    q_->resize(designSize());

    picPrg_ = new BarPictureBox(q_, true);
    picPrg_->setObjectName(QStringLiteral("picPrg"));
    picPrg_->setGeometry(pixels(PrgLeft), pixels(PrgTop), pixels(PrgWidth), pixels(PrgHeight));
    picPrg_->setBackColor(Qt::white);

    picStr_ = new BarPictureBox(q_, false);
    picStr_->setObjectName(QStringLiteral("picStr"));
    picStr_->setBackColor(Qt::black);
    picStr_->hide();
    captionFace_ = VelFont::defaultCaptionFont();

    Initialize();
}

QSize VelProgressBarPrivate::designSize()
{
    return QSize(pixels(DesignWidth), pixels(DesignHeight));
}

void VelProgressBarPrivate::Initialize()
{
    initWidth_ = float(q_->width() * Tpp);
    initHeight_ = float(q_->height() * Tpp);
    initPrgWidth_ = float(picPrg_->width() * Tpp);
    initPrgHeight_ = float(picPrg_->height() * Tpp);
    minimum_ = 0;
    maximum_ = 100;
    picPrg_->dropPicture();
}

void VelProgressBarPrivate::resizeTwips(int widthTwips, int heightTwips)
{
    q_->resize(pixels(widthTwips), pixels(heightTwips));
    if (!q_->isVisible()) {
        q_->setAttribute(Qt::WA_PendingResizeEvent, false);
        Resize();
    }
}

void VelProgressBarPrivate::Resize()
{
    const QSize least = q_->size().expandedTo(QSize(MinimumPixels, MinimumPixels));
    if (least != q_->size()) {
        q_->resize(least);
        if (q_->isVisible())
            return; // the resize event that follows does the rest
    }
    Changes changes(this);

    // The bar keeps the margins it was designed with.
    const double w = q_->width() * Tpp, h = q_->height() * Tpp;
    picPrg_->resize(std::max(0, pixels(w - initWidth_ + initPrgWidth_)),
                    std::max(0, pixels(h - initHeight_ + initPrgHeight_)));

    // Caption size: 0.6 of the largest whole size whose sample still fits
    // the bar's height.
    const VelFont measure{MeasureFace};
    const double barHeight = picPrg_->height() * Tpp;
    for (int i = 6; i <= 100; ++i) {
        const QFontMetrics fm(measure.toQFont(float(i)));
        if (textHeight(fm, FitSample) * Tpp > barHeight)
            break;
        fontSize_ = float(i * 0.6);
    }
    Redraw();
}

QFont VelProgressBarPrivate::drawingFont() const
{
    // Before the first sizing there is no fitted size; the font object's own
    // size stands in so that the caption is still readable.
    QFont f = captionFace_.toQFont(fontSize_ > 0 ? fontSize_ : captionFace_.size);
    // Two-colour letters keep the XOR exact: white over the fill, bar colour
    // over the empty part, nothing in between.
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

void VelProgressBarPrivate::Redraw()
{
    const double w = picPrg_->width() * Tpp, h = picPrg_->height() * Tpp;
    const float ratio = float(qint64(value_) - minimum_) / float(qint64(maximum_) - minimum_);

    QImage& bar = picPrg_->clearPicture();
    if (ratio > 0 && !bar.isNull()) {
        // The box covers the pixels of both its corners, from the inner
        // top-left; anything past the inner edge is clipped.
        const float right = float(w) * ratio;
        const qint64 lastCol = CLng(right / Tpp), lastRow = CLng(h / Tpp);
        const int cols = int(std::min<qint64>(lastCol + 1, bar.width()));
        const int rows = int(std::min<qint64>(lastRow + 1, bar.height()));
        const QRgb fill = rgbOf(fwColor_);
        for (int y = 0; y < rows; ++y)
            std::fill_n(reinterpret_cast<QRgb*>(bar.scanLine(y)), cols, fill);
    }

    switch (drawType_) {
    case VelProgressBar::stypeNone: text_.clear(); break;
    case VelProgressBar::stypePercent: text_ = CaptionText::formatOneDecimal(ratio * 100.0f) + u'%'; break;
    case VelProgressBar::stypeFraction:
        text_ = QString::number(value_) + u'/' + QString::number(maximum_);
        break;
    case VelProgressBar::stypeValue: text_ = QString::number(value_); break;
    default: break;
    }
    if (drawType_ == VelProgressBar::stypeNone) {
        picPrg_->update();
        return;
    }

    const QFont font = drawingFont();
    const QFontMetrics fm(font);
    const QStringList lines = CaptionText::lines(text_);
    const int textW = textWidth(fm, lines);
    const int textH = fm.height() * int(lines.size());
    picStr_->resize(textW, textH);

    QImage& caption = picStr_->clearPicture(textW, textH);
    if (!caption.isNull()) {
        QPainter p(&caption);
        p.setFont(font);
        p.setPen(QColor(rgbOf(strColor_)));
        for (int i = 0; i < lines.size(); ++i)
            p.drawText(0, i * fm.height() + fm.ascent(), lines[i]);
    }

    // Centred in the inner area, halves to even.
    const int x = CLng((picPrg_->innerWidth() - textW) * Tpp / (2 * Tpp));
    const int y = CLng((picPrg_->innerHeight() - textH) * Tpp / (2 * Tpp));
    modAPI::BitBlt(bar, x, y, textW, textH, caption, 0, 0, modAPI::SRCINVERT);
    picPrg_->update();
}

QImage VelProgressBarPrivate::barImage() const
{
    return picPrg_->picture();
}

QImage VelProgressBarPrivate::captionImage() const
{
    return picStr_->picture();
}
