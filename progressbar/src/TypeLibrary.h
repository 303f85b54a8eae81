// SPDX-License-Identifier: MIT
#pragma once

#include "VelPrgBarApi.h"

// What the library tells hosts about itself: members with their dispatch
// identifiers, kinds, parameters and help strings, and StringTypeConstants.
const VpbTypeLibrary* velTypeLibrary();
