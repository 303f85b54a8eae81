// SPDX-License-Identifier: MIT
#include "ControllerDelivery.h"

#include "frmMain.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

#include <cmath>

namespace delivery {

namespace {

// Where a key goes: the focused control when it sits in the window, else the
// window itself, as the keyboard's keys go.
QWidget* keyTarget(QWidget* window)
{
    QWidget* focused = QApplication::focusWidget();
    if (focused && focused->window() == window)
        return focused;
    if (!qobject_cast<frmMain*>(window) && window->focusWidget())
        return window->focusWidget();
    return window;
}

// A key pressed and released; returns whether the press was taken.
bool keyClick(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QPointer<QWidget> guard(window);
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(keyTarget(window), &press);
    if (!guard)
        return true;
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(keyTarget(window), &release);
    return press.isAccepted();
}

// On an option the arrow changes it; on anything that has no use for it
// the focus moves on, as Tab does.
void arrowOrTab(QWidget* window, Qt::Key arrow, Qt::Key tab)
{
    QPointer<QWidget> guard(window);
    if (!keyClick(window, arrow) && guard)
        keyClick(window, tab);
}

void press(QWidget* window)
{
    QWidget* target = keyTarget(window);
    if (qobject_cast<QAbstractButton*>(target))
        keyClick(window, Qt::Key_Space);
    else if (qobject_cast<QLineEdit*>(target) || qobject_cast<QAbstractSpinBox*>(target))
        keyClick(window, Qt::Key_Return);
}

QPushButton* defaultButton(QWidget* window)
{
    // A message box's own default, not the button the focus made default.
    if (auto* box = qobject_cast<QMessageBox*>(window); box && box->defaultButton())
        return box->defaultButton();
    if (auto* buttons = window->findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            return ok;
    // A dialog makes whichever auto-default button had the focus its default
    // for a while: only a button made default by design counts.
    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (button->isDefault() && !button->autoDefault() && button->window() == window)
            return button;
    return nullptr;
}

void pressDefault(QWidget* window)
{
    QPushButton* button = defaultButton(window);
    if (button && button->isEnabled() && button->isVisible())
        button->click();
}

// A click on the radar at the stick's bearing, well inside its ring.
void lookAt(QWidget* window, int bearing)
{
    auto* radar = window->findChild<QWidget*>(QStringLiteral("picRader"));
    if (!radar)
        return;
    const double radians = bearing * 3.14159265358979323846 / 180.0;
    const QPointF centre(radar->width() / 2.0, radar->height() / 2.0);
    const QPointF at = centre + QPointF(std::sin(radians), -std::cos(radians)) * (radar->width() * 0.4);
    const QPointF global = radar->mapToGlobal(at);
    QMouseEvent down(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(radar, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(radar, &up);
}

void inBattle(QWidget* window, PadAction action, Qt::KeyboardModifiers modifiers,
              std::optional<int> lookBearing)
{
    switch (action) {
    case PadAction::BearingDown: keyClick(window, Qt::Key_Left, modifiers); break;
    case PadAction::BearingUp: keyClick(window, Qt::Key_Right, modifiers); break;
    case PadAction::ElevationUp: keyClick(window, Qt::Key_Up, modifiers); break;
    case PadAction::ElevationDown: keyClick(window, Qt::Key_Down, modifiers); break;
    case PadAction::Fire: keyClick(window, Qt::Key_Return); break;
    case PadAction::Turn: keyClick(window, Qt::Key_Space); break;
    case PadAction::LookAt:
        if (lookBearing)
            lookAt(window, *lookBearing);
        break;
    case PadAction::CloseWindow: window->close(); break;
    default: break;
    }
}

void inForm(QWidget* window, PadAction action)
{
    switch (action) {
    case PadAction::OptionLeft: arrowOrTab(window, Qt::Key_Left, Qt::Key_Backtab); break;
    case PadAction::OptionRight: arrowOrTab(window, Qt::Key_Right, Qt::Key_Tab); break;
    case PadAction::FocusPrevious: keyClick(window, Qt::Key_Backtab); break;
    case PadAction::FocusNext: keyClick(window, Qt::Key_Tab); break;
    case PadAction::Press: press(window); break;
    case PadAction::Cancel:
        // The title has no cancel button: its Esc would end the game.
        if (qobject_cast<QDialog*>(window))
            keyClick(window, Qt::Key_Escape);
        break;
    case PadAction::PressDefault: pressDefault(window); break;
    default: break;
    }
}

} // namespace

QWidget* frontWindow()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup;
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    QWidget* last = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = widget->windowType();
        if (widget->isVisible() && type != Qt::ToolTip && type != Qt::Popup)
            last = widget;
    }
    return last;
}

void deliver(PadInput input, Qt::KeyboardModifiers modifiers, std::optional<int> lookBearing)
{
    QWidget* window = frontWindow();
    if (!window)
        return;
    // Where no window manager hands the keyboard over, the window takes it,
    // as the title does when it opens.
    if (window != QApplication::activeWindow() && window->windowType() != Qt::Popup)
        window->activateWindow();
    const PadRule& rule = RuleOf(input);
    if (qobject_cast<frmMain*>(window))
        inBattle(window, rule.battle, modifiers, lookBearing);
    else
        inForm(window, rule.form);
}

} // namespace delivery
