// SPDX-License-Identifier: MIT
#pragma once

#include "HighScoreTable.h"
#include "VbMath.h"

#include <QString>

#include <functional>

// The high-score table read from and written to the score file.

// What a load found at the score file. A file that exists but could not be
// read is never replaced: its scores are not in the table. A file that is
// not a score file at all is copied aside before it is first replaced.
struct ScoreFileFindings {
    QString path;       // the file the table was read from; empty: never loaded
    QString unreadable; // why it could not be read
    bool notAScoreFile = false;
};

// The rankings as one game holds them, with what their load found.
struct HighScores {
    HighScoreTable Table;
    ScoreFileFindings Findings;
};

// All 120 places from the score file, repairing what it cannot read: an
// unreadable place becomes an empty one and every list is put back into
// non-increasing score order. A missing file gives an empty table.
HighScores LoadHighScores();
// Writes all 120 places of scores atomically; false (with a reason) when the
// file could not be written, in which case the previous file is untouched. A
// score file that exists but could not be read by the load of scores is
// never replaced; one that was not a score file at all is first copied aside
// ("HSData.mvt.bak",
// or the first free ".bak.N"). Temporary files left by an interrupted save
// are removed. Like every write of the score file, it happens under the lock
// beside it ("HSData.mvt.lock"): a save waits up to 5 seconds for another
// game's save to end, and takes over the lock of a game that died holding it.
bool SaveHighScores(HighScores& scores, QString* error = nullptr);

// How the save of a ranking entry ended.
enum class RankingSave {
    Saved,     // in the file; scores now hold the file's table, other games' entries included
    PushedOut, // other games' entries, saved meanwhile, leave it no place: not written,
               // and scores now hold the file's table
    Failed,    // not written (error says why); the entry is in the table of scores only
};
// Enters one battle's result into list (timeIndex, level) of the score file
// as it is at the moment of the save, not as this game loaded it, so that no
// entry another game saved meanwhile is lost: under the lock, the file is read
// again, the entry placed as RankingPlace and InsertRanking place it, and the
// whole file written atomically, with every guarantee of SaveHighScores.
RankingSave SaveRankingEntry(HighScores& scores, int timeIndex, int level, const QString& name,
                             vb::Long points, double date, QString* error = nullptr);
// Runs hook in every score file write, under the lock, once the new contents
// are written beside the file and before they replace it (nothing: no hook).
void SetBeforeScoreCommitForTesting(std::function<void()> hook);
