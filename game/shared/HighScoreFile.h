// SPDX-License-Identifier: MIT
#pragma once

#include "modPublic.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

// The score file's text: 120 lines of name TAB score TAB date serial, each
// ending in CR LF, in CP932. Kept free of file access so that the loader can
// be fuzzed and tested on bytes.
namespace HighScoreFile {

using Table = HighScoreList[4][3];

inline constexpr int Places = 10;
inline constexpr int Lines = 4 * 3 * Places;

// All 120 places, in file order (time index, level, place).
QByteArray Serialize(const Table& table);

// Replaces every place of table from the file text. Whatever cannot be read
// is repaired rather than trusted: a missing line or a line without a whole
// number for its score becomes an empty place, a missing or unreadable date
// becomes 0, and each list is stably sorted back to non-increasing scores.
void Parse(const QByteArray& bytes, Table& table);

// The date serial as the shortest text of at most 15 significant digits,
// never with an exponent ("37624.75", "37624.7710069444", "0").
QByteArray FormatSerial(double date);
// A decimal number inside the range of dates, or nothing.
std::optional<double> ParseSerial(QByteArrayView text);
// A whole number that fits a Long, spaces around it allowed, or nothing.
std::optional<vb::Long> ParseScore(QByteArrayView text);

// The name as the file can hold it: TAB, CR and LF become spaces, and each
// character CP932 cannot encode becomes "?".
QString StorableName(const QString& name);

} // namespace HighScoreFile
