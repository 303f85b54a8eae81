// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The settings record in the per-user store (modPublic.h holds its values).

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
