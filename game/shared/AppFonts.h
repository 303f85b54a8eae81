// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

// The forms name the Windows faces they were designed with; these map them
// to the free fonts with the same metrics class on a Linux desktop.
void InstallFontSubstitutes();

// The face and size every form uses for its buttons and labels.
QFont FormFont();
