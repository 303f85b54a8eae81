// SPDX-License-Identifier: MIT
#pragma once

// The battle core stays free of Qt: the layering check must refuse this.
#include <QString>
