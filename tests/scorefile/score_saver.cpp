// SPDX-License-Identifier: MIT
// One game's saves, as a process of its own: the score file code of the game
// entering results one after the other, so that a test can run several at
// once and kill them.
//
//   score_saver PROGRAM_DIR LANE FIRST LAST [--stall]
//
// Enters rounds FIRST to LAST of lane LANE: the result "L<lane>R<round>" with
// 1000 + 100 * lane + round points in list (round + lane) % 12, and prints
// one line per save once it has returned: "saved NAME", "pushed NAME" or
// "failed NAME REASON", then "done". With --stall the first save stops for
// good just before its new file replaces the old one, holding the lock, after
// printing "holding"; without it, each save takes a few milliseconds more
// there, as on a slow disk.
#include "DataPaths.h"
#include "ScoreStorage.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QStringList>
#include <QThread>

#include <cstdio>
#include <unistd.h>

namespace {

void Say(const QString& line)
{
    // One write per line, so a kill never leaves half a line in the pipe.
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: score_saver PROGRAM_DIR LANE FIRST LAST [--stall]\n");
        return 2;
    }
    SetProgramDirForTesting(args[1]);
    const int lane = args[2].toInt();
    const int first = args[3].toInt();
    const int last = args[4].toInt();
    if (args.contains(QStringLiteral("--stall"))) {
        SetBeforeScoreCommitForTesting([] {
            Say(QStringLiteral("holding"));
            for (;;)
                pause();
        });
    } else {
        // A slow disk: the lock is held long enough for a kill to land in it.
        SetBeforeScoreCommitForTesting([] { QThread::msleep(2 + QRandomGenerator::global()->bounded(10)); });
    }

    // What a game does at its title, long before its battle ends.
    HighScores scores = LoadHighScores();
    for (int round = first; round <= last; ++round) {
        const QString name = QStringLiteral("L%1R%2").arg(lane).arg(round);
        const int list = (round + lane) % 12;
        QString error;
        switch (SaveRankingEntry(scores, list / 3, list % 3, name, 1000 + 100 * lane + round, 40000.0 + round,
                                 &error)) {
        case RankingSave::Saved: Say(QStringLiteral("saved ") + name); break;
        case RankingSave::PushedOut: Say(QStringLiteral("pushed ") + name); break;
        case RankingSave::Failed: Say(QStringLiteral("failed %1 %2").arg(name, error.simplified())); break;
        }
        // Games do not save in lockstep.
        QThread::msleep(20 + QRandomGenerator::global()->bounded(60));
    }
    Say(QStringLiteral("done"));
    return 0;
}
