// SPDX-License-Identifier: MIT
#pragma once

#include "shared/Table.h"
