// SPDX-License-Identifier: MIT
#include "EnterKey.h"

#include <QKeyEvent>
#include <QPushButton>

bool PressButtonForEnter(QWidget* form, QKeyEvent* event, QPushButton* defaultButton)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    if (event->modifiers() & ~Qt::KeypadModifier)
        return false;
    QPushButton* target = qobject_cast<QPushButton*>(form->focusWidget());
    if (!target || target->window() != form->window())
        target = defaultButton;
    if (target && target->isEnabled() && target->isVisible())
        target->click();
    event->accept();
    return true;
}
