// SPDX-License-Identifier: MIT
#pragma once

// Inside the library only: the gauge's state and its classic control
// interface, which the dispatch interface and restored instances
// use. VelProgressBar puts the Qt interface in front of it.

#include "VelFont.h"
#include "VelProgressBar.h"

#include <QImage>

#include <optional>

class PictureBox;
class VelPropertyBag;

class VelProgressBarPrivate
{
public:
    using StringTypeConstants = VelProgressBar::StringTypeConstants;
    static constexpr int TwipsPerPixel = 15;

    explicit VelProgressBarPrivate(VelProgressBar *q);
    ~VelProgressBarPrivate();

    static VelProgressBarPrivate *get(VelProgressBar *bar) { return bar->d.get(); }
    static const VelProgressBarPrivate *get(const VelProgressBar *bar) { return bar->d.get(); }

    // The classic members, with the classic rules: setters clamp instead of
    // failing; those that add or subtract (Minimum, Maximum, Step, CountUp)
    // return false when the 32-bit arithmetic overflows and then change
    // nothing.
    qint32 fwColor() const { return mFwColor; }
    void setFwColor(qint32 cColor);
    // The caption colour: the 24-bit complement of the bar colour.
    qint32 strColor() const { return mStrColor; }

    qint32 minimum() const { return mMinimum; }
    bool setMinimum(qint32 nMin);
    qint32 maximum() const { return mMaximum; }
    bool setMaximum(qint32 nMax);

    StringTypeConstants stringType() const { return StringTypeConstants(mStringType); }
    void setStringType(qint32 nStype);

    QString text() const { return mText; }
    void setText(const QString &sTxt);

    qint32 step() const { return mStep; }
    bool setStep(qint32 nStp);

    // The font object with its size replaced by the fitted caption size
    // (0 until the control was first sized). The face and style come from
    // the object; the caption is always drawn at the fitted size.
    VelFont captionFont() const;
    void setCaptionFont(const VelFont &sFont);

    qint32 value() const { return mValue; }
    void setValue(qint32 nVal);
    bool CountUp();

    // Restores a saved instance. The range goes in the order that restores a
    // saved pair exactly, whichever side of the current range it lies.
    void ReadProperties(VelPropertyBag &bag);
    void WriteProperties(VelPropertyBag &bag) const;

    // Sizes the control as a container does, in twips, and fits it at once
    // even while hidden (Qt would wait until it is shown).
    void resizeTwips(int widthTwips, int heightTwips);
    // The caption size in points that the last sizing chose.
    float captionFontSize() const { return mFontSize; }

    // The bar inside its border as last drawn, and the caption block.
    QImage barImage() const;
    QImage captionImage() const;

    // The Qt interface's range: both ends at once, never empty.
    void setRange(qint32 min, qint32 max);
    // The Qt interface's font: face and style from a QFont, keeping the
    // character set the caption font had.
    void setCaptionQFont(const QFont &font);
    QFont captionQFont() const;

    void Resize();

    // Collects what one call changes and tells the widget's listeners (NOTIFY
    // signals, accessibility) once, when the outermost call ends.
    class Changes
    {
    public:
        explicit Changes(VelProgressBarPrivate *d);
        ~Changes();
        Changes(const Changes &) = delete;
        Changes &operator=(const Changes &) = delete;

    private:
        VelProgressBarPrivate *d_;
        bool outermost_;
        qint32 fwColor_, minimum_, maximum_, value_, step_, stringType_;
        QString text_;
        VelFont font_;
    };

private:
    friend class VelProgressBar;

    void Initialize();
    void Redraw();
    QFont drawingFont() const;

    VelProgressBar *const q;
    PictureBox *picPrg = nullptr;
    PictureBox *picStr = nullptr;
    int changeDepth_ = 0;

    float mInitWidth = 0;
    float mInitHeight = 0;
    float mInitPrgWidth = 0;
    float mInitPrgHeight = 0;
    qint32 mFwColor = 0;
    // The complement of black, so that a caption is visible before any colour is set.
    qint32 mStrColor = 0xFFFFFF;
    std::optional<VelFont> mFont;
    float mFontSize = 0;
    qint32 mMinimum = 0;
    qint32 mMaximum = 0;
    qint32 mStep = 0;
    qint32 mValue = 0;
    qint32 mDrawType = 0;
    QString mText;
    qint32 mStringType = 0;

    // The face picStr draws the caption with (size overridden by mFontSize).
    VelFont captionFace_;
};
