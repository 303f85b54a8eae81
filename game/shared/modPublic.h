// SPDX-License-Identifier: MIT
#pragma once

#include "../battle/VbMath.h"

#include <QString>

// Shared state of the whole run: the settings record and the high-score table,
// plus the few platform helpers every form needs.

// Settings record; 0 until ReadSettings has run.
extern vb::Integer EnemyMax;   // 3, 5, 7
extern vb::Integer TimeLimit;  // 120, 150, 180, 210 seconds
extern vb::Integer GameLevel;  // 0 Easy, 1 Normal, 2 Hard

// Fills and checks the three settings from the per-user store; an invalid
// stored value is replaced by its default, which is written back.
void ReadSettings();
// Writes the decimal text of value under "Config"/key.
void SaveConfigSetting(const QString& key, int value);
// Any value under section/key of the per-user store (UpdateInfo uses it).
void SaveSetting(const QString& section, const QString& key, const QString& value);

// Choice indices used by the dialog and the high-score table.
int EnemyChoiceOf(int enemyMax);     // (EnemyMax - 3) / 2, rounded down
int TimeIndexOf(int timeLimit);      // (TimeLimit - 120) / 30, rounded down
int EnemyMaxOfChoice(int choice);    // 2 * choice + 3
int TimeLimitOfChoice(int choice);   // 30 * choice + 120

// One ranking list, place 0 first.
struct HighScoreList {
    QString PlayerName[10];
    vb::Long Score[10] = {};
    double EntryDate[10] = {}; // days since 1899-12-30 00:00
};

// [time-limit index 0..3][GameLevel 0..2]
extern HighScoreList HighScores[4][3];

// Replaces all 120 places from the score file, repairing what it cannot read.
void LoadHighScores();
// Writes all 120 places atomically; false (with a reason) when the file could
// not be written, in which case the previous file is untouched.
bool SaveHighScores(QString* error = nullptr);

// The folder of the executable, without a trailing separator.
QString ProgramDir();
// The folder whose "data" subfolder holds the sounds, the movie and the
// installed score file: the program folder in a build, the shared data
// folder of an installed game.
QString AppPath();
// Where the score file is read from and written to.
QString ScoreFilePath();
