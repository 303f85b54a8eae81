// SPDX-License-Identifier: MIT
#pragma once

// The score file may use the settings, not the other way round.
#include "Ranking.h"
