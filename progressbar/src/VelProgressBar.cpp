// SPDX-License-Identifier: MIT
#include "VelProgressBar.h"

#include "CaptionText.h"
#include "PictureBox.h"
#include "VelProgressBarAccessible.h"
#include "VelProgressBar_p.h"
#include "VelPropertyBag.h"
#include "modAPI.h"

#include <QAccessible>
#include <QEvent>
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
constexpr int MinimumPixels = 20;

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

// ---------------------------------------------------------------------------
// The classic control

VelProgressBarPrivate::VelProgressBarPrivate(VelProgressBar *q)
    : q(q)
{
}

VelProgressBarPrivate::~VelProgressBarPrivate() = default;

void VelProgressBarPrivate::Initialize()
{
    mInitWidth = float(q->width() * Tpp);
    mInitHeight = float(q->height() * Tpp);
    mInitPrgWidth = float(picPrg->width() * Tpp);
    mInitPrgHeight = float(picPrg->height() * Tpp);
    mMinimum = 0;
    mMaximum = 100;
    picPrg->dropPicture();
}

void VelProgressBarPrivate::setFwColor(qint32 cColor)
{
    // System colours are negative (high bit set); a bar colour must be a
    // plain 24-bit RGB value for its complement to mean anything.
    if (cColor < 0 || cColor > 0xFFFFFF) {
        messageBoxHandler(q, QMessageBox::Warning, QStringLiteral("システムカラーは指定できません"),
                          QStringLiteral("VelProgressBar"));
        return;
    }
    Changes changes(this);
    mFwColor = cColor;
    mStrColor = 0xFFFFFF - cColor;
    Redraw();
}

bool VelProgressBarPrivate::setMinimum(qint32 nMin)
{
    qint32 v = nMin;
    if (nMin >= mMaximum && __builtin_sub_overflow(mMaximum, 1, &v))
        return false;
    Changes changes(this);
    mMinimum = v;
    Redraw();
    return true;
}

bool VelProgressBarPrivate::setMaximum(qint32 nMax)
{
    qint32 v = nMax;
    if (mMinimum >= nMax && __builtin_add_overflow(mMinimum, 1, &v))
        return false;
    Changes changes(this);
    mMaximum = v;
    Redraw();
    return true;
}

void VelProgressBarPrivate::setStringType(qint32 nStype)
{
    Changes changes(this);
    // An unknown type reads back as stypeNone; drawing follows it, so that
    // what is read, drawn and saved always agree.
    mStringType = (nStype >= VelProgressBar::stypeNone && nStype <= VelProgressBar::stypeFreeString)
                      ? nStype
                      : qint32(VelProgressBar::stypeNone);
    mDrawType = mStringType;
    emit q->propertyChanged(QStringLiteral("StringType"));
    Redraw();
}

void VelProgressBarPrivate::setText(const QString &sTxt)
{
    // Other types write their own caption into mText on every redraw.
    if (mDrawType != VelProgressBar::stypeFreeString)
        return;
    Changes changes(this);
    mText = sTxt;
    Redraw();
}

bool VelProgressBarPrivate::setStep(qint32 nStp)
{
    if (nStp < 1) {
        Changes changes(this);
        mStep = 1;
        return true;
    }
    qint32 span;
    if (__builtin_sub_overflow(mMaximum, mMinimum, &span))
        return false;
    Changes changes(this);
    mStep = nStp > span ? span : nStp;
    return true;
}

VelFont VelProgressBarPrivate::captionFont() const
{
    VelFont f = mFont ? *mFont : VelFont::platformDefault();
    f.size = mFontSize;
    return f;
}

void VelProgressBarPrivate::setCaptionFont(const VelFont &sFont)
{
    Changes changes(this);
    mFont = sFont;
    captionFace_ = sFont;
    emit q->propertyChanged(QStringLiteral("Font"));
    Redraw();
}

void VelProgressBarPrivate::setValue(qint32 nVal)
{
    Changes changes(this);
    mValue = std::clamp(nVal, mMinimum, mMaximum);
    Redraw();
}

bool VelProgressBarPrivate::CountUp()
{
    qint32 next;
    if (__builtin_add_overflow(mValue, mStep, &next))
        return false;
    Changes changes(this);
    mValue = next > mMaximum ? mMaximum : next;
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
    if (min < mMaximum) {
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

    mStrColor = 0xFFFFFF - mFwColor;
    Redraw();
}

void VelProgressBarPrivate::WriteProperties(VelPropertyBag &bag) const
{
    bag.writeProperty(QStringLiteral("FWColor"), mFwColor, 255);
    bag.writeProperty(QStringLiteral("StringType"), mStringType, int(VelProgressBar::stypePercent));
    bag.writeProperty(QStringLiteral("Minimum"), mMinimum, 0);
    bag.writeProperty(QStringLiteral("Maximum"), mMaximum, 100);
    bag.writeProperty(QStringLiteral("Value"), mValue, 0);
    bag.writeProperty(QStringLiteral("Text"), mText, QString());
    bag.writeProperty(QStringLiteral("Step"), mStep, 1);
    bag.writeProperty(QStringLiteral("Font"), QVariant::fromValue(captionFont()),
                      QVariant::fromValue(VelFont::defaultCaptionFont()));
}

void VelProgressBarPrivate::resizeTwips(int widthTwips, int heightTwips)
{
    q->resize(pixels(widthTwips), pixels(heightTwips));
    if (!q->isVisible()) {
        q->setAttribute(Qt::WA_PendingResizeEvent, false);
        Resize();
    }
}

void VelProgressBarPrivate::Resize()
{
    const QSize least = q->size().expandedTo(QSize(MinimumPixels, MinimumPixels));
    if (least != q->size()) {
        q->resize(least);
        if (q->isVisible())
            return; // the resize event that follows does the rest
    }
    Changes changes(this);

    // The bar keeps the margins it was designed with.
    const double w = q->width() * Tpp, h = q->height() * Tpp;
    picPrg->resize(std::max(0, pixels(w - mInitWidth + mInitPrgWidth)),
                   std::max(0, pixels(h - mInitHeight + mInitPrgHeight)));

    // Caption size: 0.6 of the largest whole size whose sample still fits
    // the bar's height.
    const VelFont measure{MeasureFace};
    const double barHeight = picPrg->height() * Tpp;
    for (int i = 6; i <= 100; ++i) {
        const QFontMetrics fm(measure.toQFont(float(i)));
        if (textHeight(fm, FitSample) * Tpp > barHeight)
            break;
        mFontSize = float(i * 0.6);
    }
    Redraw();
}

QFont VelProgressBarPrivate::drawingFont() const
{
    // Before the first sizing there is no fitted size; the font object's own
    // size stands in so that the caption is still readable.
    QFont f = captionFace_.toQFont(mFontSize > 0 ? mFontSize : captionFace_.size);
    // Two-colour letters keep the XOR exact: white over the fill, bar colour
    // over the empty part, nothing in between.
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

void VelProgressBarPrivate::Redraw()
{
    const double w = picPrg->width() * Tpp, h = picPrg->height() * Tpp;
    const float ratio = float(qint64(mValue) - mMinimum) / float(qint64(mMaximum) - mMinimum);

    QImage &bar = picPrg->clearPicture();
    if (ratio > 0 && !bar.isNull()) {
        // The box covers the pixels of both its corners, from the inner
        // top-left; anything past the inner edge is clipped.
        const float right = float(w) * ratio;
        const qint64 lastCol = CLng(right / Tpp), lastRow = CLng(h / Tpp);
        const int cols = int(std::min<qint64>(lastCol + 1, bar.width()));
        const int rows = int(std::min<qint64>(lastRow + 1, bar.height()));
        const QRgb fill = rgbOf(mFwColor);
        for (int y = 0; y < rows; ++y)
            std::fill_n(reinterpret_cast<QRgb *>(bar.scanLine(y)), cols, fill);
    }

    switch (mDrawType) {
    case VelProgressBar::stypeNone:
        mText.clear();
        break;
    case VelProgressBar::stypePercent:
        mText = CaptionText::formatOneDecimal(ratio * 100.0f) + u'%';
        break;
    case VelProgressBar::stypeFraction:
        mText = QString::number(mValue) + u'/' + QString::number(mMaximum);
        break;
    case VelProgressBar::stypeValue:
        mText = QString::number(mValue);
        break;
    default:
        break;
    }
    if (mDrawType == VelProgressBar::stypeNone) {
        picPrg->update();
        return;
    }

    const QFont font = drawingFont();
    const QFontMetrics fm(font);
    const QStringList lines = CaptionText::lines(mText);
    const int textW = textWidth(fm, lines);
    const int textH = fm.height() * int(lines.size());
    picStr->resize(textW, textH);

    QImage &caption = picStr->clearPicture(textW, textH);
    if (!caption.isNull()) {
        QPainter p(&caption);
        p.setFont(font);
        p.setPen(QColor(rgbOf(mStrColor)));
        for (int i = 0; i < lines.size(); ++i)
            p.drawText(0, i * fm.height() + fm.ascent(), lines[i]);
    }

    // Centred in the inner area, halves to even.
    const int x = CLng((picPrg->innerWidth() - textW) * Tpp / (2 * Tpp));
    const int y = CLng((picPrg->innerHeight() - textH) * Tpp / (2 * Tpp));
    modAPI::BitBlt(bar, x, y, textW, textH, caption, 0, 0, modAPI::SRCINVERT);
    picPrg->update();
}

QImage VelProgressBarPrivate::barImage() const
{
    return picPrg->picture();
}

QImage VelProgressBarPrivate::captionImage() const
{
    return picStr->picture();
}

// ---------------------------------------------------------------------------
// What the Qt interface adds

void VelProgressBarPrivate::setRange(qint32 min, qint32 max)
{
    if (max <= min) {
        if (min == std::numeric_limits<qint32>::max())
            --min;
        max = min + 1;
    }
    Changes changes(this);
    mMinimum = min;
    mMaximum = max;
    Redraw();
}

void VelProgressBarPrivate::setCaptionQFont(const QFont &font)
{
    // A Qt font names no character set: the caption keeps the one it had.
    setCaptionFont(VelFont::fromQFont(font, mFont ? mFont->charset : qint16(1)));
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

VelProgressBarPrivate::Changes::Changes(VelProgressBarPrivate *d)
    : d_(d), outermost_(d->changeDepth_++ == 0)
{
    if (!outermost_)
        return;
    fwColor_ = d->mFwColor;
    minimum_ = d->mMinimum;
    maximum_ = d->mMaximum;
    value_ = d->mValue;
    step_ = d->mStep;
    stringType_ = d->mStringType;
    text_ = d->mText;
    font_ = d->captionFont();
}

VelProgressBarPrivate::Changes::~Changes()
{
    --d_->changeDepth_;
    if (!outermost_)
        return;
    VelProgressBar *q = d_->q;
    if (fwColor_ != d_->mFwColor)
        emit q->barColorChanged(q->barColor());
    if (stringType_ != d_->mStringType)
        emit q->stringTypeChanged(d_->stringType());
    if (minimum_ != d_->mMinimum || maximum_ != d_->mMaximum)
        emit q->rangeChanged(d_->mMinimum, d_->mMaximum);
    if (value_ != d_->mValue) {
        emit q->valueChanged(d_->mValue);
        QAccessibleValueChangeEvent event(q, d_->mValue);
        QAccessible::updateAccessibility(&event);
    }
    if (text_ != d_->mText) {
        emit q->textChanged(d_->mText);
        QAccessibleEvent event(q, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (step_ != d_->mStep)
        emit q->stepChanged(d_->mStep);
    if (!(font_ == d_->captionFont()))
        emit q->captionFontChanged(d_->captionQFont());
}

// ---------------------------------------------------------------------------
// The widget

VelProgressBar::VelProgressBar(QWidget *parent)
    : QWidget(parent), d(std::make_unique<VelProgressBarPrivate>(this))
{
    VelProgressBarAccessible::installFactory();
    setMinimumSize(MinimumPixels, MinimumPixels);
    resize(pixels(DesignWidth), pixels(DesignHeight));

    d->picPrg = new PictureBox(this, true);
    d->picPrg->setObjectName(QStringLiteral("picPrg"));
    d->picPrg->setGeometry(pixels(PrgLeft), pixels(PrgTop), pixels(PrgWidth), pixels(PrgHeight));
    d->picPrg->setBackColor(Qt::white);

    d->picStr = new PictureBox(this, false);
    d->picStr->setObjectName(QStringLiteral("picStr"));
    d->picStr->setBackColor(Qt::black);
    d->picStr->hide();
    d->captionFace_ = VelFont::defaultCaptionFont();

    d->Initialize();
}

VelProgressBar::~VelProgressBar() = default;

VelProgressBar::MessageBoxHandler VelProgressBar::setMessageBoxHandler(MessageBoxHandler handler)
{
    const MessageBoxHandler previous = messageBoxHandler;
    messageBoxHandler = handler ? handler : showMessageBox;
    return previous;
}

QColor VelProgressBar::barColor() const
{
    return QColor(rgbOf(d->fwColor()));
}

void VelProgressBar::setBarColor(const QColor &color)
{
    d->setFwColor(color.isValid() ? oleColorOf(color) : -1);
}

int VelProgressBar::fwColor() const
{
    return d->fwColor();
}

void VelProgressBar::setFwColor(int oleColor)
{
    d->setFwColor(oleColor);
}

VelProgressBar::StringTypeConstants VelProgressBar::stringType() const
{
    return d->stringType();
}

void VelProgressBar::setStringType(StringTypeConstants type)
{
    d->setStringType(type);
}

int VelProgressBar::minimum() const
{
    return d->minimum();
}

int VelProgressBar::maximum() const
{
    return d->maximum();
}

void VelProgressBar::setMinimum(int minimum)
{
    const qint32 max = d->maximum();
    d->setRange(minimum, max > minimum ? max : minimum); // setRange moves an equal maximum up
}

void VelProgressBar::setMaximum(int maximum)
{
    const qint32 min = d->minimum();
    if (min < maximum)
        d->setRange(min, maximum);
    else if (maximum > std::numeric_limits<qint32>::min())
        d->setRange(maximum - 1, maximum);
    else
        d->setRange(maximum, maximum); // the least range there is: INT_MIN to INT_MIN + 1
}

void VelProgressBar::setRange(int minimum, int maximum)
{
    d->setRange(minimum, maximum);
}

int VelProgressBar::value() const
{
    return d->value();
}

void VelProgressBar::setValue(int value)
{
    d->setValue(value);
}

void VelProgressBar::countUp()
{
    // Past the 32-bit range is past the maximum too.
    if (!d->CountUp())
        d->setValue(d->maximum());
}

int VelProgressBar::step() const
{
    return d->step();
}

void VelProgressBar::setStep(int step)
{
    // A range wider than 32 bits bounds no step that fits in 32 bits.
    if (!d->setStep(step)) {
        VelProgressBarPrivate::Changes changes(d.get());
        d->mStep = step;
    }
}

QString VelProgressBar::text() const
{
    return d->text();
}

void VelProgressBar::setText(const QString &text)
{
    d->setText(text);
}

QFont VelProgressBar::captionFont() const
{
    return d->captionQFont();
}

void VelProgressBar::setCaptionFont(const QFont &font)
{
    d->setCaptionQFont(font);
}

QSize VelProgressBar::sizeHint() const
{
    return QSize(pixels(DesignWidth), pixels(DesignHeight));
}

QSize VelProgressBar::minimumSizeHint() const
{
    return QSize(MinimumPixels, MinimumPixels);
}

bool VelProgressBar::event(QEvent *event)
{
    return QWidget::event(event);
}

void VelProgressBar::resizeEvent(QResizeEvent *)
{
    d->Resize();
}

void VelProgressBar::changeEvent(QEvent *event)
{
    // A font set on the widget itself (Designer's font property, or a form's
    // setFont) is the caption font; one inherited from the parent is not.
    if (event->type() == QEvent::FontChange && testAttribute(Qt::WA_SetFont))
        d->setCaptionQFont(font());
    QWidget::changeEvent(event);
}
