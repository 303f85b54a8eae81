// SPDX-License-Identifier: MIT
#pragma once

// Reaches up into the scores: the layering check must refuse it.
#include "Viewer.h"
