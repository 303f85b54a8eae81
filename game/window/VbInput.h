// SPDX-License-Identifier: MIT
#pragma once

#include <Qt>

// Qt's input as the battle's handlers take it: key codes, the Shift
// argument and the mouse button by their classic numbers, so that the rules
// and the replays never see a Qt value.

// The classic key code of a Qt key, or 0 for a key that has none (the
// battle then ignores the key). Keypad keys arrive as their plain keys with
// Qt::KeypadModifier, and so get the same codes.
int vbKeyCode(int qtKey);

// The Shift argument: 1 for Shift, 2 for Ctrl, 4 for Alt, added up. Other
// modifiers (the keypad's, Meta) have no bit.
int vbShift(Qt::KeyboardModifiers modifiers);

// 1 left, 2 right, 4 middle; 0 for any other button.
int vbButton(Qt::MouseButton button);
