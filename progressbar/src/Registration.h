// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <cstdint>

// Per-user registration: the class name and this library's path, in
// $XDG_CONFIG_HOME/VelPrgBar/Controls.ini (~/.config when unset), where a host
// that does not ship the library beside itself can look it up.
int32_t velRegisterServer();
int32_t velUnregisterServer();

// The absolute path of the loaded library file.
QString velLibraryPath();
