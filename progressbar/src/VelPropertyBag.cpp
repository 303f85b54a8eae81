// SPDX-License-Identifier: MIT
#include "VelPropertyBag.h"

VelPropertyBag::~VelPropertyBag() = default;
