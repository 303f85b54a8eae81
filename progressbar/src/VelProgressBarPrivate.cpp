// SPDX-License-Identifier: MIT
#include "VelProgressBarPrivate.h"

#include "CaptionText.h"
#include "PictureBox.h"
#include "VelPropertyBag.h"
#include "modAPI.h"

#include <QAccessible>
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
int textWidth(const QFontMetrics &fm, const QStringList &lines)
{
    int w = 0;
    for (const QString &line : lines)
        w = std::max(w, fm.horizontalAdvance(line));
    return w;
}

int textHeight(const QFontMetrics &fm, const QString &text)
{
    return fm.height() * int(CaptionText::lines(text).size());
}

QRgb rgbOf(qint32 color)
{
    return qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

qint32 oleColorOf(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return qint32(rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16));
}

void showMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                    const QString &title)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent ? parent->window() : nullptr);
    box.exec();
}

VelProgressBar::MessageBoxHandler messageBoxHandler = showMessageBox;

} // namespace

VelProgressBarPrivate::VelProgressBarPrivate(VelProgressBar *q)
    : q_(q)
{
}

VelProgressBarPrivate::~VelProgressBarPrivate() = default;

void VelProgressBarPrivate::init()
{
    q_->setMinimumSize(MinimumPixels, MinimumPixels);
    q_->resize(designSize());

    picPrg_ = new PictureBox(q_, true);
    picPrg_->setObjectName(QStringLiteral("picPrg"));
    picPrg_->setGeometry(pixels(PrgLeft), pixels(PrgTop), pixels(PrgWidth), pixels(PrgHeight));
    picPrg_->setBackColor(Qt::white);

    picStr_ = new PictureBox(q_, false);
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

// ---------------------------------------------------------------------------
// The classic control

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

void VelProgressBarPrivate::setFwColor(qint32 cColor)
{
    // System colours are negative (high bit set); a bar colour must be a
    // plain 24-bit RGB value for its complement to mean anything.
    if (cColor < 0 || cColor > 0xFFFFFF) {
        messageBoxHandler(q_, QMessageBox::Warning, QStringLiteral("システムカラーは指定できません"),
                          QStringLiteral("VelProgressBar"));
        return;
    }
    Changes changes(this);
    fwColor_ = cColor;
    strColor_ = 0xFFFFFF - cColor;
    Redraw();
}

bool VelProgressBarPrivate::setMinimum(qint32 nMin)
{
    qint32 v = nMin;
    if (nMin >= maximum_ && __builtin_sub_overflow(maximum_, 1, &v))
        return false;
    Changes changes(this);
    minimum_ = v;
    Redraw();
    return true;
}

bool VelProgressBarPrivate::setMaximum(qint32 nMax)
{
    qint32 v = nMax;
    if (minimum_ >= nMax && __builtin_add_overflow(minimum_, 1, &v))
        return false;
    Changes changes(this);
    maximum_ = v;
    Redraw();
    return true;
}

void VelProgressBarPrivate::setStringType(qint32 nStype)
{
    Changes changes(this);
    // An unknown type reads back as stypeNone; drawing follows it, so that
    // what is read, drawn and saved always agree.
    stringType_ = (nStype >= VelProgressBar::stypeNone && nStype <= VelProgressBar::stypeFreeString)
                      ? nStype
                      : qint32(VelProgressBar::stypeNone);
    drawType_ = stringType_;
    emit q_->propertyChanged(QStringLiteral("StringType"));
    Redraw();
}

void VelProgressBarPrivate::setText(const QString &sTxt)
{
    // Other types write their own caption into text_ on every redraw.
    if (drawType_ != VelProgressBar::stypeFreeString)
        return;
    Changes changes(this);
    text_ = sTxt;
    Redraw();
}

bool VelProgressBarPrivate::setStep(qint32 nStp)
{
    if (nStp < 1) {
        Changes changes(this);
        step_ = 1;
        return true;
    }
    qint32 span;
    if (__builtin_sub_overflow(maximum_, minimum_, &span))
        return false;
    Changes changes(this);
    step_ = nStp > span ? span : nStp;
    return true;
}

VelFont VelProgressBarPrivate::captionFont() const
{
    VelFont f = font_ ? *font_ : VelFont::platformDefault();
    f.size = fontSize_;
    return f;
}

void VelProgressBarPrivate::setCaptionFont(const VelFont &sFont)
{
    Changes changes(this);
    font_ = sFont;
    captionFace_ = sFont;
    emit q_->propertyChanged(QStringLiteral("Font"));
    Redraw();
}

void VelProgressBarPrivate::setValue(qint32 nVal)
{
    Changes changes(this);
    value_ = std::clamp(nVal, minimum_, maximum_);
    Redraw();
}

bool VelProgressBarPrivate::CountUp()
{
    qint32 next;
    if (__builtin_add_overflow(value_, step_, &next))
        return false;
    Changes changes(this);
    value_ = next > maximum_ ? maximum_ : next;
    Redraw();
    return true;
}

void VelProgressBarPrivate::ReadProperties(VelPropertyBag &bag)
{
    Changes changes(this);
    const VelFont defaultFont = VelFont::defaultCaptionFont();
    const auto readLong = [&bag](const char *key, int def) {
        bool ok = false;
        const int v = bag.readProperty(QLatin1String(key), def).toInt(&ok);
        return ok ? v : def;
    };
    const int color = readLong("FWColor", 255);
    const int type = readLong("StringType", VelProgressBar::stypePercent);
    const int min = readLong("Minimum", 0);
    const int max = readLong("Maximum", 100);
    const int value = readLong("Value", 0);
    const QString text = bag.readProperty(QStringLiteral("Text"), QString()).toString();
    const int step = readLong("Step", 1);
    const QVariant font = bag.readProperty(QStringLiteral("Font"), QVariant::fromValue(defaultFont));

    setFwColor(color);
    setStringType(type);
    // Minimum is checked against the Maximum of the moment (100 from
    // Initialize): a saved minimum of 100 or more would come back as 99 if it
    // went first, so the maximum goes first then.
    if (min < maximum_) {
        setMinimum(min);
        setMaximum(max);
    } else {
        setMaximum(max);
        setMinimum(min);
    }
    setValue(value);
    setText(text);
    setStep(step);
    setCaptionFont(font.canConvert<VelFont>() ? font.value<VelFont>() : defaultFont);

    strColor_ = 0xFFFFFF - fwColor_;
    Redraw();
}

void VelProgressBarPrivate::WriteProperties(VelPropertyBag &bag) const
{
    bag.writeProperty(QStringLiteral("FWColor"), fwColor_, 255);
    bag.writeProperty(QStringLiteral("StringType"), stringType_, int(VelProgressBar::stypePercent));
    bag.writeProperty(QStringLiteral("Minimum"), minimum_, 0);
    bag.writeProperty(QStringLiteral("Maximum"), maximum_, 100);
    bag.writeProperty(QStringLiteral("Value"), value_, 0);
    bag.writeProperty(QStringLiteral("Text"), text_, QString());
    bag.writeProperty(QStringLiteral("Step"), step_, 1);
    bag.writeProperty(QStringLiteral("Font"), QVariant::fromValue(captionFont()),
                      QVariant::fromValue(VelFont::defaultCaptionFont()));
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

    QImage &bar = picPrg_->clearPicture();
    if (ratio > 0 && !bar.isNull()) {
        // The box covers the pixels of both its corners, from the inner
        // top-left; anything past the inner edge is clipped.
        const float right = float(w) * ratio;
        const qint64 lastCol = CLng(right / Tpp), lastRow = CLng(h / Tpp);
        const int cols = int(std::min<qint64>(lastCol + 1, bar.width()));
        const int rows = int(std::min<qint64>(lastRow + 1, bar.height()));
        const QRgb fill = rgbOf(fwColor_);
        for (int y = 0; y < rows; ++y)
            std::fill_n(reinterpret_cast<QRgb *>(bar.scanLine(y)), cols, fill);
    }

    switch (drawType_) {
    case VelProgressBar::stypeNone:
        text_.clear();
        break;
    case VelProgressBar::stypePercent:
        text_ = CaptionText::formatOneDecimal(ratio * 100.0f) + u'%';
        break;
    case VelProgressBar::stypeFraction:
        text_ = QString::number(value_) + u'/' + QString::number(maximum_);
        break;
    case VelProgressBar::stypeValue:
        text_ = QString::number(value_);
        break;
    default:
        break;
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

    QImage &caption = picStr_->clearPicture(textW, textH);
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

// ---------------------------------------------------------------------------
// What the Qt interface adds

QColor VelProgressBarPrivate::barColor() const
{
    return QColor(rgbOf(fwColor_));
}

void VelProgressBarPrivate::setBarColor(const QColor &color)
{
    setFwColor(color.isValid() ? oleColorOf(color) : -1);
}

void VelProgressBarPrivate::setRange(qint32 min, qint32 max)
{
    if (max <= min) {
        if (min == std::numeric_limits<qint32>::max())
            --min;
        max = min + 1;
    }
    Changes changes(this);
    minimum_ = min;
    maximum_ = max;
    Redraw();
}

void VelProgressBarPrivate::setStepUnbounded(qint32 step)
{
    Changes changes(this);
    step_ = step;
}

void VelProgressBarPrivate::setCaptionQFont(const QFont &font)
{
    // A Qt font names no character set: the caption keeps the one it had.
    setCaptionFont(VelFont::fromQFont(font, font_ ? font_->charset : qint16(1)));
}

QFont VelProgressBarPrivate::captionQFont() const
{
    const VelFont f = captionFont();
    QFont q(f.name);
    if (f.size > 0)
        q.setPointSizeF(f.size);
    q.setBold(f.bold);
    q.setItalic(f.italic);
    q.setUnderline(f.underline);
    q.setStrikeOut(f.strikethrough);
    return q;
}

VelProgressBar::MessageBoxHandler
VelProgressBarPrivate::setMessageBoxHandler(VelProgressBar::MessageBoxHandler handler)
{
    const VelProgressBar::MessageBoxHandler previous = messageBoxHandler;
    messageBoxHandler = handler ? handler : showMessageBox;
    return previous;
}

VelProgressBarPrivate::Changes::Changes(VelProgressBarPrivate *d)
    : d_(d), outermost_(d->changeDepth_++ == 0)
{
    if (!outermost_)
        return;
    fwColor_ = d->fwColor_;
    minimum_ = d->minimum_;
    maximum_ = d->maximum_;
    value_ = d->value_;
    step_ = d->step_;
    stringType_ = d->stringType_;
    text_ = d->text_;
    font_ = d->captionFont();
}

VelProgressBarPrivate::Changes::~Changes()
{
    --d_->changeDepth_;
    if (!outermost_)
        return;
    VelProgressBar *q = d_->q_;
    if (fwColor_ != d_->fwColor_)
        emit q->barColorChanged(d_->barColor());
    if (stringType_ != d_->stringType_)
        emit q->stringTypeChanged(d_->stringType());
    if (minimum_ != d_->minimum_ || maximum_ != d_->maximum_)
        emit q->rangeChanged(d_->minimum_, d_->maximum_);
    if (value_ != d_->value_) {
        emit q->valueChanged(d_->value_);
        QAccessibleValueChangeEvent event(q, d_->value_);
        QAccessible::updateAccessibility(&event);
    }
    if (text_ != d_->text_) {
        emit q->textChanged(d_->text_);
        QAccessibleEvent event(q, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (step_ != d_->step_)
        emit q->stepChanged(d_->step_);
    if (!(font_ == d_->captionFont()))
        emit q->captionFontChanged(d_->captionQFont());
}
