// SPDX-License-Identifier: MIT
#ifndef VELPROGRESSBAR_H
#define VELPROGRESSBAR_H

/*!
 * \file VelProgressBar.h
 * \brief The C++ interface of VelPrgBar: the VelProgressBar widget.
 *
 * Needs C++17 and Qt 6 Widgets only. Everything else stays inside the
 * library behind the private pointer, so that the library can change
 * without breaking programs built against it.
 */

#include "velprgbar_export.h"
#include "VelPrgBarVersion.h"

#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QWidget>

#include <memory>

class VelProgressBarPrivate;

/*!
 * \class VelProgressBar VelProgressBar.h <VelProgressBar.h>
 * \brief A horizontal gauge with a centred caption that stays readable
 * over the filled and the empty part.
 *
 * The bar fills from the left in proportion to \ref value within
 * [\ref minimum, \ref maximum]. Its caption, chosen by \ref stringType, is a
 * percentage, "value/maximum", the value or a free \ref text. The caption
 * is XOR-ed into the bar: its letters are white over the filled part and
 * take the bar colour over the empty part, wherever the edge of the fill
 * lies.
 *
 * The caption is drawn in the face and style of \ref captionFont (which is
 * also the widget's own font when one is set on the widget, as Qt Designer
 * does), at a size fitted to the bar's height.
 *
 * The gauge follows the rules of the classic control it replaces: setters
 * clamp an out-of-range value instead of failing, countUp() never passes
 * the maximum, and a bar colour outside 0 to 0xFFFFFF is refused with a
 * message box (see setMessageBoxHandler()). A new gauge has a black bar,
 * no caption, the range 0 to 100, value 0 and step 0, so that countUp()
 * does nothing until a step is set.
 *
 * Every property has a NOTIFY signal, sent once per call and only when the
 * property really changed. For assistive technology the gauge is a
 * progress bar (QAccessible::ProgressBar) named by its caption, unless
 * QWidget::accessibleName is set, with a value interface giving value,
 * minimum, maximum and step; it cannot be set from there.
 *
 * \code
 * auto *gauge = new VelProgressBar(parent);
 * gauge->setBarColor(Qt::red);
 * gauge->setStringType(VelProgressBar::stypeFreeString);
 * gauge->setText(QStringLiteral("Reloading..."));
 * gauge->setRange(0, 50);
 * gauge->setStep(1);
 * connect(timer, &QTimer::timeout, gauge, &VelProgressBar::countUp);
 * \endcode
 *
 * Hosts that cannot link C++ create the same control through the C
 * interface of VelPrgBarApi.h.
 */
class VELPRGBAR_EXPORT VelProgressBar : public QWidget {
    Q_OBJECT
    // Declared in the order a form restores them (uic writes them in this
    // order): the caption type before the text it guards, the range before
    // the value and the step it bounds.

    /*!
     * \property VelProgressBar::barColor
     * \brief The colour of the filled part.
     *
     * The caption's letters take its 24-bit complement. Alpha is ignored;
     * an invalid colour is refused as a system colour is (see \ref fwColor).
     */
    Q_PROPERTY(QColor barColor READ barColor WRITE setBarColor NOTIFY barColorChanged)
    /*!
     * \property VelProgressBar::fwColor
     * \brief The bar colour as an OLE colour number, 0x00BBGGRR.
     *
     * The same colour as \ref barColor, in the form saved gauges and the C
     * interface use. A value outside 0 to 0xFFFFFF (a Windows system colour,
     * or any negative number) is refused: the message box handler is told
     * and the colour stays as it was.
     */
    Q_PROPERTY(int fwColor READ fwColor WRITE setFwColor NOTIFY barColorChanged)
    /*!
     * \property VelProgressBar::stringType
     * \brief What the caption shows; an unknown type counts as stypeNone.
     */
    Q_PROPERTY(StringTypeConstants stringType READ stringType WRITE setStringType NOTIFY stringTypeChanged)
    /*!
     * \property VelProgressBar::minimum
     * \brief The value of an empty bar; always less than \ref maximum.
     *
     * Setting it to \ref maximum or above moves the maximum to minimum + 1.
     */
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum NOTIFY rangeChanged)
    /*!
     * \property VelProgressBar::maximum
     * \brief The value of a full bar; always greater than \ref minimum.
     *
     * Setting it to \ref minimum or below moves the minimum to maximum - 1.
     */
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum NOTIFY rangeChanged)
    /*!
     * \property VelProgressBar::value
     * \brief The current value, clamped to the range when set.
     *
     * A range changed afterwards does not clamp it again: a value above the
     * new maximum draws a full bar, and a percentage caption reads more than
     * 100%.
     */
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged USER true)
    /*!
     * \property VelProgressBar::text
     * \brief The caption last drawn; settable only with stypeFreeString.
     *
     * With any other caption type the gauge writes its own caption here
     * ("40.0%", "20/50", "20", or "" for stypeNone) and ignores setText().
     */
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    /*!
     * \property VelProgressBar::step
     * \brief What countUp() adds to the value.
     *
     * Kept between 1 and maximum - minimum when set: 0 or less gives 1, more
     * than the range's width gives the width (a range wider than 32 bits
     * takes any step). The step is not checked again when the range changes
     * later.
     */
    Q_PROPERTY(int step READ step WRITE setStep NOTIFY stepChanged)
    /*!
     * \property VelProgressBar::captionFont
     * \brief The caption's face and style, with the size last fitted to the
     * bar's height.
     *
     * Only the face and style of a font set here count; the point size is
     * always the fitted one (unset until the gauge was first sized). Qt
     * Designer edits it through the widget's \c font property instead.
     */
    Q_PROPERTY(
        QFont captionFont READ captionFont WRITE setCaptionFont NOTIFY captionFontChanged DESIGNABLE false)

public:
    /*!
     * \brief What the caption shows (\ref stringType).
     *
     * The names and numbers are those of saved gauges and the C interface
     * (VPB_STYPE_NONE to VPB_STYPE_FREESTRING).
     */
    enum StringTypeConstants {
        stypeNone = 0,       //!< No caption: the bar alone.
        stypePercent = 1,    //!< The share of the range, one decimal and "%" ("40.0%").
        stypeFraction = 2,   //!< The value "/" the maximum ("20/50"), minimum not subtracted.
        stypeValue = 3,      //!< The value.
        stypeFreeString = 4, //!< The text set through setText().
    };
    Q_ENUM(StringTypeConstants)

    /*!
     * \brief Makes a gauge of the designed size, 203 x 34 pixels.
     */
    explicit VelProgressBar(QWidget* parent = nullptr);
    /*!
     * \brief Destroys the gauge.
     */
    ~VelProgressBar() override;

    /*! \brief Returns the bar colour. \sa barColor */
    QColor barColor() const;
    /*! \brief Sets the bar colour; an invalid colour is refused. \sa barColor */
    void setBarColor(const QColor& color);
    /*! \brief Returns the bar colour as 0x00BBGGRR. \sa fwColor */
    int fwColor() const;
    /*! \brief Sets the bar colour from 0x00BBGGRR; other values are refused. \sa fwColor */
    void setFwColor(int oleColor);

    /*! \brief Returns what the caption shows. \sa stringType */
    StringTypeConstants stringType() const;
    /*! \brief Sets what the caption shows and redraws it. \sa stringType */
    void setStringType(StringTypeConstants type);

    /*! \brief Returns the value of an empty bar. \sa minimum */
    int minimum() const;
    /*! \brief Returns the value of a full bar. \sa maximum */
    int maximum() const;
    /*! \brief Returns the current value. \sa value */
    int value() const;
    /*! \brief Returns what countUp() adds. \sa step */
    int step() const;

    /*! \brief Returns the caption last drawn, or the free text. \sa text */
    QString text() const;
    /*! \brief Sets the free text; ignored unless the type is stypeFreeString. \sa text */
    void setText(const QString& text);

    /*! \brief Sets what countUp() adds, kept within 1 to maximum - minimum. \sa step */
    void setStep(int step);

    /*! \brief Returns the caption's face and style at the fitted size. \sa captionFont */
    QFont captionFont() const;
    /*! \brief Sets the caption's face and style; its size is ignored. \sa captionFont */
    void setCaptionFont(const QFont& font);

    /*! \brief The designed size, 203 x 34 pixels. */
    QSize sizeHint() const override;
    /*! \brief 20 x 20 pixels, the least size the gauge accepts. */
    QSize minimumSizeHint() const override;

    /*!
     * \brief Shows a refused bar colour to the user.
     *
     * Called with the gauge, QMessageBox::Warning, the text
     * "システムカラーは指定できません" and the title "VelProgressBar".
     */
    using MessageBoxHandler = void (*)(QWidget* gauge, QMessageBox::Icon icon, const QString& text,
                                       const QString& title);
    /*!
     * \brief Replaces the message box that refuses a bar colour, for every
     * gauge of the program.
     *
     * A program without a user, or one that reports otherwise, installs its
     * own handler; \c nullptr restores the message box.
     * \return the handler it replaced.
     */
    static MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

public Q_SLOTS:
    /*!
     * \brief Sets the value of an empty bar.
     *
     * The range is never empty: a minimum at or above the maximum moves the
     * maximum to minimum + 1, so that a range can be set in either order,
     * as forms do. The value is not clamped again.
     */
    void setMinimum(int minimum);
    /*!
     * \brief Sets the value of a full bar.
     *
     * A maximum at or below the minimum moves the minimum to maximum - 1.
     * The value is not clamped again.
     */
    void setMaximum(int maximum);
    /*!
     * \brief Sets both ends at once; a \a maximum not above \a minimum
     * becomes minimum + 1.
     */
    void setRange(int minimum, int maximum);
    /*! \brief Sets the value, clamped to the range. \sa value */
    void setValue(int value);
    /*!
     * \brief Adds \ref step to the value, never beyond the maximum.
     *
     * At the maximum it leaves the value there. Connect a timer to it to
     * fill the gauge in maximum - minimum steps.
     */
    void countUp();

Q_SIGNALS:
    /*! \brief The bar colour changed (through \ref barColor or \ref fwColor). */
    void barColorChanged(const QColor& color);
    /*! \brief The caption type changed. */
    void stringTypeChanged(VelProgressBar::StringTypeConstants type);
    /*! \brief One or both ends of the range changed; sent once for both. */
    void rangeChanged(int minimum, int maximum);
    /*! \brief The value changed. */
    void valueChanged(int value);
    /*!
     * \brief The caption changed: the free text, or a caption the gauge
     * wrote itself after a change of value, range or type.
     */
    void textChanged(const QString& text);
    /*! \brief The step changed. */
    void stepChanged(int step);
    /*! \brief The caption's face, style or fitted size changed. */
    void captionFontChanged(const QFont& font);
    /*!
     * \brief The classic container notification: a persisted property was
     * set.
     *
     * Sent with "StringType" or "Font" each time the caption type or the
     * caption font is set, changed or not; no other property sends it.
     * Hosts that save the gauge's settings listen to it.
     */
    void propertyChanged(const QString& name);

protected:
    /*! \brief Handles events as QWidget does. */
    bool event(QEvent* event) override;
    /*! \brief Fits the bar and the caption size to the new size. */
    void resizeEvent(QResizeEvent* event) override;
    /*! \brief Takes a font set on the widget itself as the caption font. */
    void changeEvent(QEvent* event) override;

private:
    friend class VelProgressBarPrivate;
    const std::unique_ptr<VelProgressBarPrivate> d;
};

#endif // VELPROGRESSBAR_H
