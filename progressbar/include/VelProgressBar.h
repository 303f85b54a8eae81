// SPDX-License-Identifier: MIT
#ifndef VELPROGRESSBAR_H
#define VELPROGRESSBAR_H

// Public C++ interface of VelPrgBar. It needs C++17 and Qt 6 Widgets only;
// everything else stays inside the library behind the private pointer, so
// that the library can change without breaking programs built against it.

#include "velprgbar_export.h"
#include "VelPrgBarVersion.h"

#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QWidget>

#include <memory>

class VelProgressBarPrivate;

// A horizontal gauge: it fills from the left in proportion to value within
// [minimum, maximum] and shows a centred caption (a percentage, value/maximum,
// the value or a free text) XOR-ed into the bar, so that the caption reads
// over both the filled and the empty part.
//
// The caption is drawn with the widget's own font (Qt Designer's "font"),
// at a size fitted to the bar's height.
class VELPRGBAR_EXPORT VelProgressBar : public QWidget
{
    Q_OBJECT
    // Declared in the order a form restores them (uic writes them in this
    // order): the caption type before the text it guards, the range before
    // the value and the step it bounds.
    Q_PROPERTY(QColor barColor READ barColor WRITE setBarColor NOTIFY barColorChanged)
    Q_PROPERTY(int fwColor READ fwColor WRITE setFwColor NOTIFY barColorChanged)
    Q_PROPERTY(StringTypeConstants stringType READ stringType WRITE setStringType
                   NOTIFY stringTypeChanged)
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum NOTIFY rangeChanged)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum NOTIFY rangeChanged)
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged USER true)
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(int step READ step WRITE setStep NOTIFY stepChanged)
    // Designer edits the caption font through the widget's "font" property.
    Q_PROPERTY(QFont captionFont READ captionFont WRITE setCaptionFont NOTIFY captionFontChanged
                   DESIGNABLE false)

public:
    // What the caption shows.
    enum StringTypeConstants {
        stypeNone = 0,       // no caption
        stypePercent = 1,    // share of the range with one decimal and "%"
        stypeFraction = 2,   // value "/" maximum
        stypeValue = 3,      // the value
        stypeFreeString = 4, // the text set through setText()
    };
    Q_ENUM(StringTypeConstants)

    explicit VelProgressBar(QWidget *parent = nullptr);
    ~VelProgressBar() override;

    // The bar colour. The caption takes its 24-bit complement.
    QColor barColor() const;
    // An invalid colour is refused like a system colour (see setFwColor).
    void setBarColor(const QColor &color);
    // The same colour as an OLE colour number, 0x00BBGGRR. Values outside 0 to
    // 0xFFFFFF (system colours) are refused with a message box and the colour
    // stays as it was.
    int fwColor() const;
    void setFwColor(int oleColor);

    StringTypeConstants stringType() const;
    // An unknown type reads back, and draws, as stypeNone.
    void setStringType(StringTypeConstants type);

    int minimum() const;
    int maximum() const;
    int value() const;
    int step() const;

    // The caption last drawn, or the free text with stypeFreeString.
    QString text() const;
    // Taken only while the caption type is stypeFreeString.
    void setText(const QString &text);

    // Added by countUp(); kept between 1 and maximum - minimum when set.
    void setStep(int step);

    // The caption face and style, at the size last fitted to the bar.
    QFont captionFont() const;
    void setCaptionFont(const QFont &font);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Shows a refused bar colour to the user. A host without a user, or one
    // that reports differently, installs its own; nullptr restores the
    // message box. Returns the handler it replaced.
    using MessageBoxHandler = void (*)(QWidget *gauge, QMessageBox::Icon icon, const QString &text,
                                       const QString &title);
    static MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

public Q_SLOTS:
    // The range is never empty. Setting one end past the other moves the
    // other one along (maximum = minimum + 1), so that a range can be set in
    // either order, as forms do. The value is not clamped again.
    void setMinimum(int minimum);
    void setMaximum(int maximum);
    void setRange(int minimum, int maximum);
    // Clamped to the range.
    void setValue(int value);
    // Adds step to value, never beyond maximum.
    void countUp();

Q_SIGNALS:
    void barColorChanged(const QColor &color);
    void stringTypeChanged(VelProgressBar::StringTypeConstants type);
    void rangeChanged(int minimum, int maximum);
    void valueChanged(int value);
    void textChanged(const QString &text);
    void stepChanged(int step);
    void captionFontChanged(const QFont &font);
    // The classic container notification: sent for "StringType" and "Font".
    void propertyChanged(const QString &name);

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    friend class VelProgressBarPrivate;
    const std::unique_ptr<VelProgressBarPrivate> d;
};

#endif // VELPROGRESSBAR_H
