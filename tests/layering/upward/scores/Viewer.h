// SPDX-License-Identifier: MIT
#pragma once

#include "Table.h"
