// SPDX-License-Identifier: MIT
#pragma once

#include "VbMath.h"

#include <QDateTime>
#include <QString>

#include <functional>

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

    friend bool operator==(const HighScoreList&, const HighScoreList&) = default;
};

// [time-limit index 0..3][GameLevel 0..2]
extern HighScoreList HighScores[4][3];

// Replaces all 120 places from the score file, repairing what it cannot read:
// an unreadable place becomes an empty one and every list is put back into
// non-increasing score order. A missing file gives an empty table.
void LoadHighScores();
// Writes all 120 places atomically; false (with a reason) when the file could
// not be written, in which case the previous file is untouched. A score file
// that exists but could not be read by the last load is never replaced; one
// that was not a score file at all is first copied aside ("HSData.mvt.bak",
// or the first free ".bak.N"). Temporary files left by an interrupted save
// are removed. Like every write of the score file, it happens under the lock
// beside it ("HSData.mvt.lock"): a save waits up to 5 seconds for another
// game's save to end, and takes over the lock of a game that died holding it.
bool SaveHighScores(QString* error = nullptr);

// How the save of a ranking entry ended.
enum class RankingSave {
    Saved,     // in the file; the table in memory is the file's, other games' entries included
    PushedOut, // other games' entries, saved meanwhile, leave it no place: not written,
               // and the table in memory is the file's
    Failed,    // not written (error says why); the entry is in this run's table only
};
// Enters one battle's result into list (timeIndex, level) of the score file
// as it is at the moment of the save, not as this game loaded it, so that no
// entry another game saved meanwhile is lost: under the lock, the file is read
// again, the entry placed as RankingPlace and InsertRanking place it, and the
// whole file written atomically, with every guarantee of SaveHighScores.
RankingSave SaveRankingEntry(int timeIndex, int level, const QString& name, vb::Long points,
                             double date, QString* error = nullptr);

// The folder of the executable, without a trailing separator.
QString ProgramDir();
// The folder whose "data" subfolder holds the sounds, the movie and the
// installed score file: the program folder in a build, the shared data
// folder (<prefix>/share/mortavel beside <prefix>/bin) of an installed game.
QString AppPath();
// AppPath()'s data folder, whichever of "data" and "Data" exists.
QString DataDir();
// Where the score file is read from and written to: the installed file when
// its folder is writable and the game runs from its build or unpacked folder,
// otherwise the player's own copy in the per-user data folder
// ($XDG_DATA_HOME/Mortavel/Mortavel), seeded from the installed file.
QString ScoreFilePath();
// Makes ProgramDir() report dir (an empty text restores the real folder), so
// that tests run against a data folder of their own.
void SetProgramDirForTesting(const QString& dir);
// Runs hook in every score file write, under the lock, once the new contents
// are written beside the file and before they replace it (nothing: no hook).
void SetBeforeScoreCommitForTesting(std::function<void()> hook);

// Ranking entry at the end of a battle.
// "" gives "名無し少尉"; otherwise the first 12 characters (as the player sees
// them), TAB/CR/LF turned into spaces and characters the score file cannot
// hold turned into "?", so the table in memory matches what the file keeps.
QString NormalizeEntryName(const QString& answer);
// The place (0..9) the points take in the list, -1 below the tenth place.
// Equal scores: the new entry goes above the older ones.
int RankingPlace(const HighScoreList& list, vb::Long points);
// Moves places place..8 down by one (the tenth is lost) and writes the entry.
void InsertRanking(HighScoreList& list, int place, const QString& name, vb::Long points,
                   double date);

// Day serials: days since 1899-12-30 00:00, the time of day as the fraction.
double DateSerialOf(const QDateTime& localTime); // whole seconds
QDateTime DateTimeOfSerial(double date);         // rounded to the second
double NowAsDate();
// "yy年m月d日 h:nn" (0 shows as 99年12月30日 0:00).
QString FormatEntryDate(double date);
