// SPDX-License-Identifier: MIT
#pragma once

#include "HighScoreTable.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

// The score file's text: 120 lines of name TAB score TAB date serial, each
// ending in CR LF, in CP932. Kept free of file access so that the loader can
// be fuzzed and tested on bytes.
namespace HighScoreFile {

using Table = HighScoreTable;

inline constexpr int Places = 10;
inline constexpr int Lines = 4 * 3 * Places;

// All 120 places, in file order (time index, level, place).
QByteArray Serialize(const Table& table);

// How much of a file's text was a score file's.
struct ParseReport {
    int lines = 0;    // lines read, at most 120
    int readable = 0; // of them, places with a whole-number score and a CP932 name

    // A text most of whose lines are not places (a binary file, another
    // encoding) is not a score file; an empty one holds nothing to lose.
    bool looksLikeScoreFile() const { return readable * 2 >= lines; }
};

// Replaces every place of table from the file text. Whatever cannot be read
// is repaired rather than trusted: a missing line or a line without a whole
// number for its score becomes an empty place, a missing or unreadable date
// becomes 0, and each list is stably sorted back to non-increasing scores.
ParseReport Parse(const QByteArray& bytes, Table& table);

// The date serial as the shortest text of at most 15 significant digits,
// never with an exponent ("37624.75", "37624.7710069444", "0").
QByteArray FormatSerial(double date);
// A decimal number inside the range of dates, or nothing.
std::optional<double> ParseSerial(QByteArrayView text);
// A whole number that fits a Long, spaces around it allowed, or nothing.
std::optional<vb::Long> ParseScore(QByteArrayView text);

// The name as the file can hold it: TAB, CR and LF become spaces, the
// characters Linux input methods type where CP932 has a twin (U+301C WAVE
// DASH for U+FF5E, and six more) become that twin, and each character CP932
// still cannot encode becomes "?".
QString StorableName(const QString& name);

} // namespace HighScoreFile
