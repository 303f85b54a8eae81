// SPDX-License-Identifier: MIT
// A folder inside a library's folder: reachable as "view/Painter.h" by its users.
#pragma once
