// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

namespace art {

// Application icon at size x size pixels, with alpha.
QImage appIcon(int size);

} // namespace art
