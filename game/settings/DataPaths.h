// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Where the game finds its program, its data and its score file.

// The folder of the executable, without a trailing separator.
QString ProgramDir();
// The folder whose "data" subfolder holds the sounds, the movie and the
// installed score file: the program folder in a build, the shared data
// folder (<prefix>/share/mortavel beside <prefix>/bin) of an installed game.
QString AppPath();
// AppPath()'s data folder, whichever of "data" and "Data" exists.
QString DataDir();
// The score file installed with the game, in DataDir().
QString InstalledScoreFilePath();
// Where the score file is read from and written to: the installed file when
// its folder is writable and the game runs from its build or unpacked folder,
// otherwise the player's own copy in the per-user data folder
// ($XDG_DATA_HOME/Mortavel/Mortavel), seeded from the installed file.
QString ScoreFilePath();
// Makes ProgramDir() report dir (an empty text restores the real folder), so
// that tests run against a data folder of their own.
void SetProgramDirForTesting(const QString& dir);
