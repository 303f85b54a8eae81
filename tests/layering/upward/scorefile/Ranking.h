// SPDX-License-Identifier: MIT
#pragma once

#include "Store.h"
