// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

// Repaints every child of a top-level widget when its window is exposed
// with a frame other than the one it had (ExposeRepaint.cpp says for which
// Qt). Call once the widget has its native window, from its Show event at
// the latest; later calls do nothing.
void repaintChildrenOnReframe(QWidget* window);
