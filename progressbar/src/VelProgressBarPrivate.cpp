// SPDX-License-Identifier: MIT
// VelProgressBarPrivate: the value model, persistence and the change
// notices. Sizing and drawing are in VelProgressBarDrawing.cpp.
#include "VelProgressBarPrivate.h"

#include "VelPropertyBag.h"

#include <QAccessible>

#include <algorithm>
#include <limits>

namespace {

qint32 oleColorOf(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return qint32(rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16));
}

void showMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QString& title)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent ? parent->window() : nullptr);
    box.exec();
}

VelProgressBar::MessageBoxHandler messageBoxHandler = showMessageBox;

} // namespace

VelProgressBarPrivate::VelProgressBarPrivate(VelProgressBar* q)
    : q_(q)
{
}

VelProgressBarPrivate::~VelProgressBarPrivate() = default;

QRgb VelProgressBarPrivate::rgbOf(qint32 oleColor)
{
    return qRgb(oleColor & 0xFF, (oleColor >> 8) & 0xFF, (oleColor >> 16) & 0xFF);
}

// ---------------------------------------------------------------------------
// The classic control

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

void VelProgressBarPrivate::setText(const QString& sTxt)
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

void VelProgressBarPrivate::setCaptionFont(const VelFont& sFont)
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

void VelProgressBarPrivate::ReadProperties(VelPropertyBag& bag)
{
    Changes changes(this);
    const VelFont defaultFont = VelFont::defaultCaptionFont();
    const auto readLong = [&bag](const char* key, int def) {
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

void VelProgressBarPrivate::WriteProperties(VelPropertyBag& bag) const
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

// ---------------------------------------------------------------------------
// What the Qt interface adds

QColor VelProgressBarPrivate::barColor() const
{
    return QColor(rgbOf(fwColor_));
}

void VelProgressBarPrivate::setBarColor(const QColor& color)
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

void VelProgressBarPrivate::setCaptionQFont(const QFont& font)
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

VelProgressBarPrivate::Changes::Changes(VelProgressBarPrivate* d)
    : d_(d)
    , outermost_(d->changeDepth_++ == 0)
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
    VelProgressBar* q = d_->q_;
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
