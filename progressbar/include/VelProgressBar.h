// SPDX-License-Identifier: MIT
#pragma once

#include "VelFont.h"
#include "velprgbar_export.h"

#include <QImage>
#include <QMessageBox>
#include <QWidget>

#include <functional>
#include <optional>

class PictureBox;
class VelPropertyBag;

// A horizontal gauge: fills from the left in proportion to Value within
// [Minimum, Maximum] and shows a centred caption XOR-ed into the bar, so the
// caption reads over both the filled and the empty part.
//
// Sizes follow the classic desktop: twips, 15 to the pixel. Setters clamp
// instead of failing. Those that add or subtract (Minimum, Maximum, Step,
// CountUp) return false when the 32-bit arithmetic overflows, and then leave
// every field as it was.
class VELPRGBAR_EXPORT VelProgressBar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int FwColor READ fwColor WRITE setFwColor)
    Q_PROPERTY(int Minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(int Maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(StringTypeConstants StringType READ stringType WRITE setStringType)
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(int Step READ step WRITE setStep)
    // Designer edits the caption font through the widget's own "font"
    // property (see changeEvent), so this one stays out of its editor.
    Q_PROPERTY(QFont Font READ captionQFont WRITE setCaptionQFont DESIGNABLE false)
    Q_PROPERTY(int Value READ value WRITE setValue)

public:
    enum StringTypeConstants : int {
        stypeNone = 0,       // no caption
        stypePercent = 1,    // share of the range, "0.0" and "%"
        stypeFraction = 2,   // value "/" maximum
        stypeValue = 3,      // the value
        stypeFreeString = 4, // Text as set
    };
    Q_ENUM(StringTypeConstants)

    static constexpr int TwipsPerPixel = 15;

    explicit VelProgressBar(QWidget *parent = nullptr);
    ~VelProgressBar() override;

    // Bar colour, 0x00BBGGRR. Anything outside 0 to 0xFFFFFF (system colours
    // included) is refused with a message box, keeping the old colour.
    int fwColor() const { return mFwColor; }
    void setFwColor(int cColor);
    // The caption colour: the 24-bit complement of the bar colour.
    int strColor() const { return mStrColor; }

    int minimum() const { return mMinimum; }
    bool setMinimum(int nMin);
    int maximum() const { return mMaximum; }
    bool setMaximum(int nMax);

    StringTypeConstants stringType() const { return StringTypeConstants(mStringType); }
    void setStringType(StringTypeConstants nStype);

    // The caption last drawn, or the free text with stypeFreeString.
    QString text() const { return mText; }
    // Taken only while the caption type is stypeFreeString.
    void setText(const QString &sTxt);

    int step() const { return mStep; }
    bool setStep(int nStp);

    // The font object with its size replaced by the fitted caption size
    // (0 until the control was first sized). The face and style come from
    // the object; the caption is always drawn at the fitted size.
    VelFont captionFont() const;
    void setCaptionFont(const VelFont &sFont);
    QFont captionQFont() const;
    void setCaptionQFont(const QFont &font);

    int value() const { return mValue; }
    void setValue(int nVal);
    // Adds Step to Value, never beyond Maximum.
    Q_INVOKABLE bool CountUp();

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

    // Shows a refusal to the user. Tests and hosts without a user replace it;
    // setMessageBoxHandler returns the handler it replaced.
    using MessageBoxHandler = std::function<void(QWidget *parent, QMessageBox::Icon icon,
                                                 const QString &text, const QString &title)>;
    static MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

signals:
    // The container's change notification; only StringType and Font send it.
    void propertyChanged(const QString &name);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Initialize();
    void Resize();
    void Redraw();
    QFont drawingFont() const;

    PictureBox *picPrg = nullptr;
    PictureBox *picStr = nullptr;

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
