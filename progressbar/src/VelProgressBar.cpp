// SPDX-License-Identifier: MIT
#include "VelProgressBar.h"

#include "CaptionText.h"
#include "PictureBox.h"
#include "VelPropertyBag.h"
#include "modAPI.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double Tpp = VelProgressBar::TwipsPerPixel;

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

void showMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                    const QString &title)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent ? parent->window() : nullptr);
    box.exec();
}

VelProgressBar::MessageBoxHandler &messageBoxHandler()
{
    static VelProgressBar::MessageBoxHandler handler = showMessageBox;
    return handler;
}

} // namespace

VelProgressBar::VelProgressBar(QWidget *parent)
    : QWidget(parent)
{
    velInstallFontSubstitutes();
    setMinimumSize(MinimumPixels, MinimumPixels);
    resize(pixels(DesignWidth), pixels(DesignHeight));

    picPrg = new PictureBox(this, true);
    picPrg->setObjectName(QStringLiteral("picPrg"));
    picPrg->setGeometry(pixels(PrgLeft), pixels(PrgTop), pixels(PrgWidth), pixels(PrgHeight));
    picPrg->setBackColor(Qt::white);

    picStr = new PictureBox(this, false);
    picStr->setObjectName(QStringLiteral("picStr"));
    picStr->setBackColor(Qt::black);
    picStr->hide();
    captionFace_ = VelFont::defaultCaptionFont();

    Initialize();
}

VelProgressBar::~VelProgressBar() = default;

void VelProgressBar::Initialize()
{
    mInitWidth = float(width() * Tpp);
    mInitHeight = float(height() * Tpp);
    mInitPrgWidth = float(picPrg->width() * Tpp);
    mInitPrgHeight = float(picPrg->height() * Tpp);
    mMinimum = 0;
    mMaximum = 100;
    picPrg->dropPicture();
}

VelProgressBar::MessageBoxHandler VelProgressBar::setMessageBoxHandler(MessageBoxHandler handler)
{
    MessageBoxHandler previous = std::move(messageBoxHandler());
    messageBoxHandler() = handler ? std::move(handler) : MessageBoxHandler(showMessageBox);
    return previous;
}

void VelProgressBar::setFwColor(int cColor)
{
    // System colours are negative (high bit set); a bar colour must be a
    // plain 24-bit RGB value for its complement to mean anything.
    if (cColor < 0 || cColor > 0xFFFFFF) {
        messageBoxHandler()(this, QMessageBox::Warning,
                            QStringLiteral("システムカラーは指定できません"),
                            QStringLiteral("VelProgressBar"));
        return;
    }
    mFwColor = cColor;
    mStrColor = 0xFFFFFF - cColor;
    Redraw();
}

bool VelProgressBar::setMinimum(int nMin)
{
    qint32 v = nMin;
    if (nMin >= mMaximum && __builtin_sub_overflow(mMaximum, 1, &v))
        return false;
    mMinimum = v;
    Redraw();
    return true;
}

bool VelProgressBar::setMaximum(int nMax)
{
    qint32 v = nMax;
    if (mMinimum >= nMax && __builtin_add_overflow(mMinimum, 1, &v))
        return false;
    mMaximum = v;
    Redraw();
    return true;
}

void VelProgressBar::setStringType(StringTypeConstants nStype)
{
    const qint32 t = nStype;
    // An unknown type reads back as stypeNone; drawing follows it, so that
    // what is read, drawn and saved always agree.
    mStringType = (t >= stypeNone && t <= stypeFreeString) ? t : stypeNone;
    mDrawType = mStringType;
    emit propertyChanged(QStringLiteral("StringType"));
    Redraw();
}

void VelProgressBar::setText(const QString &sTxt)
{
    // Other types write their own caption into mText on every redraw.
    if (mDrawType != stypeFreeString)
        return;
    mText = sTxt;
    Redraw();
}

bool VelProgressBar::setStep(int nStp)
{
    if (nStp < 1) {
        mStep = 1;
        return true;
    }
    qint32 span;
    if (__builtin_sub_overflow(mMaximum, mMinimum, &span))
        return false;
    mStep = nStp > span ? span : nStp;
    return true;
}

VelFont VelProgressBar::captionFont() const
{
    VelFont f = mFont ? *mFont : VelFont::platformDefault();
    f.size = mFontSize;
    return f;
}

void VelProgressBar::setCaptionFont(const VelFont &sFont)
{
    mFont = sFont;
    captionFace_ = sFont;
    emit propertyChanged(QStringLiteral("Font"));
    Redraw();
}

QFont VelProgressBar::captionQFont() const
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

void VelProgressBar::setCaptionQFont(const QFont &font)
{
    setCaptionFont(VelFont::fromQFont(font, mFont ? mFont->charset : qint16(1)));
}

void VelProgressBar::setValue(int nVal)
{
    mValue = std::clamp(nVal, mMinimum, mMaximum);
    Redraw();
}

bool VelProgressBar::CountUp()
{
    qint32 next;
    if (__builtin_add_overflow(mValue, mStep, &next))
        return false;
    mValue = next > mMaximum ? mMaximum : next;
    Redraw();
    return true;
}

void VelProgressBar::ReadProperties(VelPropertyBag &bag)
{
    const VelFont defaultFont = VelFont::defaultCaptionFont();
    const auto readLong = [&bag](const char *key, int def) {
        bool ok = false;
        const int v = bag.readProperty(QLatin1String(key), def).toInt(&ok);
        return ok ? v : def;
    };
    const int color = readLong("FWColor", 255);
    const int type = readLong("StringType", stypePercent);
    const int min = readLong("Minimum", 0);
    const int max = readLong("Maximum", 100);
    const int value = readLong("Value", 0);
    const QString text = bag.readProperty(QStringLiteral("Text"), QString()).toString();
    const int step = readLong("Step", 1);
    const QVariant font = bag.readProperty(QStringLiteral("Font"), QVariant::fromValue(defaultFont));

    setFwColor(color);
    setStringType(StringTypeConstants(type));
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

void VelProgressBar::WriteProperties(VelPropertyBag &bag) const
{
    bag.writeProperty(QStringLiteral("FWColor"), mFwColor, 255);
    bag.writeProperty(QStringLiteral("StringType"), mStringType, int(stypePercent));
    bag.writeProperty(QStringLiteral("Minimum"), mMinimum, 0);
    bag.writeProperty(QStringLiteral("Maximum"), mMaximum, 100);
    bag.writeProperty(QStringLiteral("Value"), mValue, 0);
    bag.writeProperty(QStringLiteral("Text"), mText, QString());
    bag.writeProperty(QStringLiteral("Step"), mStep, 1);
    bag.writeProperty(QStringLiteral("Font"), QVariant::fromValue(captionFont()),
                      QVariant::fromValue(VelFont::defaultCaptionFont()));
}

void VelProgressBar::resizeTwips(int widthTwips, int heightTwips)
{
    resize(pixels(widthTwips), pixels(heightTwips));
    if (!isVisible()) {
        setAttribute(Qt::WA_PendingResizeEvent, false);
        Resize();
    }
}

void VelProgressBar::resizeEvent(QResizeEvent *)
{
    Resize();
}

void VelProgressBar::changeEvent(QEvent *event)
{
    // A font set on the widget itself (Designer's font property, or a form's
    // setFont) is the caption font; one inherited from the parent is not.
    if (event->type() == QEvent::FontChange && testAttribute(Qt::WA_SetFont))
        setCaptionQFont(font());
    QWidget::changeEvent(event);
}

void VelProgressBar::Resize()
{
    const QSize least = size().expandedTo(QSize(MinimumPixels, MinimumPixels));
    if (least != size()) {
        resize(least);
        if (isVisible())
            return; // the resize event that follows does the rest
    }

    // The bar keeps the margins it was designed with.
    const double w = width() * Tpp, h = height() * Tpp;
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

QFont VelProgressBar::drawingFont() const
{
    // Before the first sizing there is no fitted size; the font object's own
    // size stands in so that the caption is still readable.
    QFont f = captionFace_.toQFont(mFontSize > 0 ? mFontSize : captionFace_.size);
    // Two-colour letters keep the XOR exact: white over the fill, bar colour
    // over the empty part, nothing in between.
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

void VelProgressBar::Redraw()
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
    case stypeNone:
        mText.clear();
        break;
    case stypePercent:
        mText = CaptionText::formatOneDecimal(ratio * 100.0f) + u'%';
        break;
    case stypeFraction:
        mText = QString::number(mValue) + u'/' + QString::number(mMaximum);
        break;
    case stypeValue:
        mText = QString::number(mValue);
        break;
    default:
        break;
    }
    if (mDrawType == stypeNone) {
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

QImage VelProgressBar::barImage() const
{
    return picPrg->picture();
}

QImage VelProgressBar::captionImage() const
{
    return picStr->picture();
}
