// SPDX-License-Identifier: MIT
#pragma once

class QKeyEvent;
class QPushButton;
class QWidget;

// Enter as dialogs take it: it presses the button that has the focus, and
// the form's default button only when the focus is not on a button. Returns
// false, touching nothing, for any other key.
bool PressButtonForEnter(QWidget* form, QKeyEvent* event, QPushButton* defaultButton);
