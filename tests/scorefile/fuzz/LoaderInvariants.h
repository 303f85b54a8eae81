// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

// Loads arbitrary bytes as a score file and checks what the rest of the game
// relies on afterwards. Returns "" when all hold, else what broke.
QString CheckLoaderInvariants(const QByteArray& bytes);
