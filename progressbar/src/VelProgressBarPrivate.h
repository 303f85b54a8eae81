// SPDX-License-Identifier: MIT
#pragma once

// Inside the library only: the gauge's state and its classic control
// interface, which the dispatch interface and restored instances
// use. VelProgressBar puts the Qt interface in front of it.

#include "VelFont.h"
#include "VelProgressBar.h"

#include <QImage>

#include <optional>

class BarPictureBox;
class VelPropertyBag;

class VelProgressBarPrivate {
public:
    using StringTypeConstants = VelProgressBar::StringTypeConstants;
    static constexpr int TwipsPerPixel = 15;
    // No container can make the control smaller than this, in pixels.
    static constexpr int MinimumPixels = 20;

    explicit VelProgressBarPrivate(VelProgressBar* q);
    ~VelProgressBarPrivate();

    static VelProgressBarPrivate* get(VelProgressBar* bar) { return bar->d.get(); }
    static const VelProgressBarPrivate* get(const VelProgressBar* bar) { return bar->d.get(); }

    // The classic members, with the classic rules: setters clamp instead of
    // failing; those that add or subtract (Minimum, Maximum, Step, CountUp)
    // return false when the 32-bit arithmetic overflows and then change
    // nothing.
    qint32 fwColor() const { return fwColor_; }
    void setFwColor(qint32 cColor);
    // The caption colour: the 24-bit complement of the bar colour.
    qint32 strColor() const { return strColor_; }
    // An OLE colour (0x00BBGGRR) as Qt's RGB value.
    static QRgb rgbOf(qint32 oleColor);

    qint32 minimum() const { return minimum_; }
    bool setMinimum(qint32 nMin);
    qint32 maximum() const { return maximum_; }
    bool setMaximum(qint32 nMax);

    StringTypeConstants stringType() const { return StringTypeConstants(stringType_); }
    void setStringType(qint32 nStype);

    QString text() const { return text_; }
    void setText(const QString& sTxt);

    qint32 step() const { return step_; }
    bool setStep(qint32 nStp);

    // The font object with its size replaced by the fitted caption size
    // (0 until the control was first sized). The face and style come from
    // the object; the caption is always drawn at the fitted size.
    VelFont captionFont() const;
    void setCaptionFont(const VelFont& sFont);

    qint32 value() const { return value_; }
    void setValue(qint32 nVal);
    bool CountUp();

    // Restores a saved instance. The range goes in the order that restores a
    // saved pair exactly, whichever side of the current range it lies.
    void ReadProperties(VelPropertyBag& bag);
    void WriteProperties(VelPropertyBag& bag) const;

    // Surfaces, sizing and drawing (VelProgressBarDrawing.cpp).

    // Gives the widget its designed size and its two surfaces, then
    // initializes the control; once, from the widget's constructor.
    void init();
    // The size the control was designed with, in pixels.
    static QSize designSize();
    // Sizes the control as a container does, in twips, and fits it at once
    // even while hidden (Qt would wait until it is shown).
    void resizeTwips(int widthTwips, int heightTwips);
    void Resize();
    // The caption size in points that the last sizing chose.
    float captionFontSize() const { return fontSize_; }
    // The bar inside its border as last drawn, and the caption block.
    QImage barImage() const;
    QImage captionImage() const;

    // What the Qt interface adds.

    // The bar colour as a QColor; an invalid one is refused as a system
    // colour is.
    QColor barColor() const;
    void setBarColor(const QColor& color);
    // Both ends at once, never empty.
    void setRange(qint32 min, qint32 max);
    // Any step, for a range wider than 32 bits, which bounds none.
    void setStepUnbounded(qint32 step);
    // Face and style from a QFont, keeping the character set the caption
    // font had.
    void setCaptionQFont(const QFont& font);
    QFont captionQFont() const;
    // Who shows a refused bar colour; nullptr restores the message box.
    static VelProgressBar::MessageBoxHandler setMessageBoxHandler(VelProgressBar::MessageBoxHandler handler);

    // Collects what one call changes and tells the widget's listeners (NOTIFY
    // signals, accessibility) once, when the outermost call ends.
    class Changes {
    public:
        explicit Changes(VelProgressBarPrivate* d);
        ~Changes();
        Changes(const Changes&) = delete;
        Changes& operator=(const Changes&) = delete;

    private:
        VelProgressBarPrivate* d_;
        bool outermost_;
        qint32 fwColor_, minimum_, maximum_, value_, step_, stringType_;
        QString text_;
        VelFont font_;
    };

private:
    void Initialize();
    void Redraw();
    QFont drawingFont() const;

    VelProgressBar* const q_;
    BarPictureBox* picPrg_ = nullptr;
    BarPictureBox* picStr_ = nullptr;
    int changeDepth_ = 0;

    float initWidth_ = 0;
    float initHeight_ = 0;
    float initPrgWidth_ = 0;
    float initPrgHeight_ = 0;
    qint32 fwColor_ = 0;
    // The complement of black, so that a caption is visible before any colour is set.
    qint32 strColor_ = 0xFFFFFF;
    std::optional<VelFont> font_;
    float fontSize_ = 0;
    qint32 minimum_ = 0;
    qint32 maximum_ = 0;
    qint32 step_ = 0;
    qint32 value_ = 0;
    qint32 drawType_ = 0;
    QString text_;
    qint32 stringType_ = 0;

    // The face picStr_ draws the caption with (size overridden by fontSize_).
    VelFont captionFace_;
};
