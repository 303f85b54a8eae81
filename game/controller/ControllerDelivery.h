// SPDX-License-Identifier: MIT
#pragma once

#include "ControllerMap.h"

#include <Qt>

#include <optional>

class QWidget;

// Hands a controller's input to the window in front as the keys and clicks
// its rule stands for, so every window keeps one set of rules for the
// keyboard and the controller alike.
namespace delivery {

// The window the player is looking at: an open popup or modal dialog, the
// active window, or else the last top-level window shown.
QWidget* frontWindow();

// Acts on one completed input (a button released, a stick step or turn)
// with the Shift/Ctrl the held buttons stand for. lookBearing is the right
// stick's bearing in degrees.
void deliver(PadInput input, Qt::KeyboardModifiers modifiers, std::optional<int> lookBearing = {});

} // namespace delivery
