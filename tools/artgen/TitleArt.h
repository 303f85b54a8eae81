// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

namespace art {

constexpr int TitleWidth = 416;
constexpr int TitleHeight = 251;
constexpr int TitleFrameRate = 15;
constexpr int TitleFrameCount = 60; // four seconds; frame 60 would equal frame 0

// One frame of the looping title movie. Frame 0 is also the still picture.
QImage titleFrame(int frame);

} // namespace art
