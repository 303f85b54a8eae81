// SPDX-License-Identifier: MIT
#pragma once

#include "GameSettings.h"

#include <QString>

// The settings record in the per-user store.

// Reads and checks the three settings from the per-user store; an invalid
// stored value is replaced by its default, which is written back.
GameSettings ReadSettings();
// Writes all three under "Config".
void SaveSettings(const GameSettings& settings);
// Writes the decimal text of value under "Config"/key.
void SaveConfigSetting(const QString& key, int value);
// Any value under section/key of the per-user store (UpdateInfo uses it).
void SaveSetting(const QString& section, const QString& key, const QString& value);
