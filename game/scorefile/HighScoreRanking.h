// SPDX-License-Identifier: MIT
#pragma once

#include "HighScoreTable.h"

#include <QDateTime>
#include <QString>

// Ranking entry at the end of a battle.
// "" gives "名無し少尉"; otherwise the first 12 characters (as the player sees
// them), TAB/CR/LF turned into spaces and characters the score file cannot
// hold turned into "?", so the table in memory matches what the file keeps.
QString NormalizeEntryName(const QString& answer);
// The place (0..9) the points take in the list, -1 below the tenth place.
// Equal scores: the new entry goes above the older ones.
int RankingPlace(const HighScoreList& list, vb::Long points);
// Moves places place..8 down by one (the tenth is lost) and writes the entry.
void InsertRanking(HighScoreList& list, int place, const QString& name, vb::Long points, double date);

// Day serials: days since 1899-12-30 00:00, the time of day as the fraction.
double DateSerialOf(const QDateTime& localTime); // whole seconds
QDateTime DateTimeOfSerial(double date);         // rounded to the second
double NowAsDate();
// "yy年m月d日 h:nn" (0 shows as 99年12月30日 0:00).
QString FormatEntryDate(double date);
