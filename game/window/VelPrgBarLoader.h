// SPDX-License-Identifier: MIT
#pragma once

#include "VelPrgBarApi.h"

#include <QString>
#include <QStringList>

// Finds and loads the VelPrgBar library at run time. The game never links it:
// a missing or broken library must leave the game playable.
class VelPrgBarLoader {
public:
    // The interface, or null with the reason in *error. The library is looked
    // for once per run; later calls return the same answer.
    static const VpbApi* api(QString* error = nullptr);

    // Folders searched, in order: beside the program, then the installed
    // library folder.
    static QStringList defaultSearchPaths();
    // Replaces the folders searched and forgets any earlier answer (tests).
    static void setSearchPaths(const QStringList& folders);
};
