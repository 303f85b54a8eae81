// SPDX-License-Identifier: MIT
// Several games saving into one score file at once, as real processes (the
// score_saver driver), killed at random moments, one of them while it holds
// the lock in the middle of its save.
#include "DataPaths.h"
#include "HighScoreFile.h"
#include "ScoreStorage.h"
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <vector>

namespace {

// Each lane enters each of the twelve lists twice: eight entries a list, so
// none of them can be pushed out of the ten places, and every entry a save
// reported must still be in the file at the end.
constexpr int LaneCount = 4;
constexpr int Rounds = 24;
constexpr int HolderLane = 9;
constexpr int RandomKills = 16;
constexpr int HoldMs = 6500; // longer than a save waits for the lock

struct Entry {
    int list;
    vb::Long points;
};

Entry EntryOf(const QString& name)
{
    // "L<lane>R<round>", as score_saver names them.
    const int r = int(name.indexOf(QLatin1Char('R')));
    const int lane = name.mid(1, r - 1).toInt();
    const int round = name.mid(r + 1).toInt();
    return {(round + lane) % 12, 1000 + 100 * lane + round};
}

class SaverRun {
public:
    SaverRun(QString programDir, unsigned seed)
        : programDir_(std::move(programDir))
        , random_(seed)
    {
    }

    struct Lane {
        int index = 0;
        int next = 0;          // the round its next process starts at
        int lastReported = -1; // the last round whose save returned
        bool done = false;
        QProcess* process = nullptr;
        qint64 pid = 0;
    };

    std::vector<Lane> lanes;
    std::map<QString, Entry> saved;
    QStringList pushed, failures;
    int kills = 0, killsHoldingTheLock = 0, restarts = 0;
    qint64 holdingSinceMs = -1, holderKilledAtMs = -1, firstSaveAfterKillMs = -1;
    bool holderDone = false;

    // Runs every lane to its last round; false when it took too long.
    bool run(int timeoutMs)
    {
        clock_.start();
        for (int i = 0; i < LaneCount; ++i)
            lanes.push_back(Lane{i});
        for (Lane& lane : lanes)
            start(lane);
        scheduleKill();
        QTimer::singleShot(timeoutMs, &loop_, [this] { loop_.exit(1); });
        const bool finished = loop_.exec() == 0;
        const std::vector<QProcess*> left = processes_;
        for (QProcess* p : left) {
            p->kill();
            p->waitForFinished(2000);
        }
        return finished;
    }

    QString lockPath() const { return programDir_ + QStringLiteral("/data/HSData.mvt.lock"); }

private:
    QString programDir_;
    std::mt19937 random_;
    QEventLoop loop_;
    QElapsedTimer clock_;
    std::vector<QProcess*> processes_;
    QProcess* holder_ = nullptr;
    std::vector<std::unique_ptr<QProcess>> owned_;

    QProcess* launch(const QStringList& args)
    {
        owned_.push_back(std::make_unique<QProcess>());
        QProcess* p = owned_.back().get();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        processes_.push_back(p);
        p->start(QStringLiteral(SCORE_SAVER), QStringList{programDir_} + args);
        return p;
    }

    void start(Lane& lane)
    {
        const int index = lane.index;
        QProcess* p =
            launch({QString::number(lane.index), QString::number(lane.next), QString::number(Rounds - 1)});
        lane.process = p;
        lane.pid = p->waitForStarted(5000) ? p->processId() : 0;
        QObject::connect(p, &QProcess::readyReadStandardOutput, p, [this, index] { read(lanes[index]); });
        QObject::connect(p, &QProcess::finished, p,
                         [this, index](int, QProcess::ExitStatus status) { ended(lanes[index], status); });
    }

    void read(Lane& lane)
    {
        while (lane.process->canReadLine()) {
            const QString line = QString::fromUtf8(lane.process->readLine()).trimmed();
            const QString word = line.section(QLatin1Char(' '), 0, 0);
            const QString name = line.section(QLatin1Char(' '), 1, 1);
            if (word == QLatin1String("done")) {
                lane.done = true;
                continue;
            }
            lane.lastReported = name.mid(name.indexOf(QLatin1Char('R')) + 1).toInt();
            if (word == QLatin1String("saved")) {
                saved[name] = EntryOf(name);
                // Half-way through, one more game hangs in the middle of its save.
                if (!holder_ && saved.size() >= LaneCount * Rounds / 3)
                    startHolder();
                if (holderKilledAtMs >= 0 && firstSaveAfterKillMs < 0)
                    firstSaveAfterKillMs = clock_.elapsed();
            } else if (word == QLatin1String("pushed")) {
                pushed << name;
            } else {
                failures << line.section(QLatin1Char(' '), 2);
            }
        }
    }

    void ended(Lane& lane, QProcess::ExitStatus status)
    {
        read(lane);
        std::erase(processes_, lane.process);
        if (status == QProcess::CrashExit && diedHoldingTheLock(lane.pid))
            ++killsHoldingTheLock;
        if (!lane.done) {
            // The round under way when it was killed may or may not be in the
            // file: it is not tried again, so no entry is ever there twice.
            lane.next = lane.lastReported + 2;
            if (lane.next < Rounds) {
                ++restarts;
                QTimer::singleShot(0, &loop_, [this, &lane] { start(lane); });
                return;
            }
            lane.done = true;
        }
        finishIfDone();
    }

    bool diedHoldingTheLock(qint64 pid) const
    {
        QLockFile probe(lockPath());
        qint64 holder = 0;
        QString host, app;
        return probe.getLockInfo(&holder, &host, &app) && holder == pid;
    }

    void startHolder()
    {
        holder_ = launch({QString::number(HolderLane), QStringLiteral("0"), QStringLiteral("0"),
                          QStringLiteral("--stall")});
        QObject::connect(holder_, &QProcess::readyReadStandardOutput, holder_, [this] {
            if (holdingSinceMs < 0 && holder_->readAll().contains("holding")) {
                holdingSinceMs = clock_.elapsed();
                QTimer::singleShot(HoldMs, &loop_, [this] { killHolder(); });
            }
        });
    }

    void killHolder()
    {
        const qint64 pid = holder_->processId();
        ::kill(pid_t(pid), SIGKILL);
        // Reaped before anyone looks at the lock: until then it is a process.
        holder_->waitForFinished(5000);
        std::erase(processes_, holder_);
        holderKilledAtMs = clock_.elapsed();
        if (diedHoldingTheLock(pid))
            ++killsHoldingTheLock;
        holderDone = true;
        finishIfDone();
    }

    void scheduleKill()
    {
        if (kills >= RandomKills)
            return;
        QTimer::singleShot(std::uniform_int_distribution(40, 160)(random_), &loop_, [this] {
            // Not while the holder holds the lock: the others must wait it out.
            const bool holding = holdingSinceMs >= 0 && holderKilledAtMs < 0;
            std::vector<Lane*> running;
            for (Lane& lane : lanes) {
                if (!lane.done && lane.process && lane.process->state() == QProcess::Running)
                    running.push_back(&lane);
            }
            if (!holding && !running.empty()) {
                Lane* victim =
                    running[std::uniform_int_distribution<std::size_t>(0, running.size() - 1)(random_)];
                ::kill(pid_t(victim->pid), SIGKILL);
                ++kills;
            }
            scheduleKill();
        });
    }

    void finishIfDone()
    {
        for (const Lane& lane : lanes) {
            if (!lane.done)
                return;
        }
        if (holderDone)
            loop_.exit(0);
    }
};

TEST(ConcurrentSaves, NoEntryASaveReportedIsLostWhileGamesSaveAtOnceAndAreKilled)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString programDir = root.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(programDir + QStringLiteral("/data")));
    const QString file = programDir + QStringLiteral("/data/HSData.mvt");

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    SaverRun run(programDir, seed);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(run.run(45000)) << "the games did not finish their saves";
    const qint64 took = clock.elapsed();

    // The half-done save of the holder: the others waited it out and said why.
    ASSERT_GE(run.holdingSinceMs, 0) << "the holder never took the lock";
    EXPECT_FALSE(run.failures.isEmpty()) << "no save waited for the hung holder";
    for (const QString& reason : run.failures)
        EXPECT_TRUE(reason.contains(file) && reason.contains(QLatin1Char('5'))) << qPrintable(reason);
    // Once it was killed, the next save took its lock over at once.
    EXPECT_GE(run.firstSaveAfterKillMs, 0);
    const qint64 takeOver = run.firstSaveAfterKillMs - run.holderKilledAtMs;
    EXPECT_LT(takeOver, 1000);
    EXPECT_GE(run.killsHoldingTheLock, 1);
    EXPECT_TRUE(run.pushed.isEmpty()) << qPrintable(run.pushed.join(QLatin1Char(' ')));
    EXPECT_GE(run.kills, RandomKills / 2);

    // The next game saves at once: no lock is left that blocks it.
    SetProgramDirForTesting(programDir);
    QElapsedTimer next;
    next.start();
    QString error;
    HighScores scores = LoadHighScores();
    EXPECT_EQ(SaveRankingEntry(scores, 3, 2, QStringLiteral("次の提督"), 1, 40100.0, &error),
              RankingSave::Saved)
        << qPrintable(error);
    const qint64 nextSave = next.elapsed();
    EXPECT_LT(nextSave, 1000);
    SetProgramDirForTesting(QString());

    // One whole file: 120 well-formed lines in ranking order, nothing torn.
    const QByteArray bytes = testsupport::ReadAll(file);
    EXPECT_EQ(bytes.count("\r\n"), 120);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    HighScoreTable table;
    const auto report = HighScoreFile::Parse(bytes, table);
    EXPECT_EQ(report.lines, 120);
    EXPECT_EQ(report.readable, 120);
    EXPECT_EQ(HighScoreFile::Serialize(table), bytes) << "as the game writes it, lists in order";

    // Every entry a save reported, in its list; the holder's never replaced the file.
    for (const auto& [name, entry] : run.saved) {
        const HighScoreList& list = table[entry.list / 3][entry.list % 3];
        const auto* found = std::find(std::begin(list.PlayerName), std::end(list.PlayerName), name);
        ASSERT_NE(found, std::end(list.PlayerName)) << qPrintable(name) << " is lost";
        EXPECT_EQ(list.Score[found - std::begin(list.PlayerName)], entry.points);
    }
    EXPECT_FALSE(bytes.contains("L9R0"));
    EXPECT_EQ(QDir(programDir + QStringLiteral("/data")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("HSData.mvt")})
        << "no lock and no temporary file left";

    std::cout << "[ measured ] " << run.saved.size() << " entries saved by " << LaneCount << " lanes, "
              << run.kills << " random kills and " << run.restarts << " restarts, " << run.killsHoldingTheLock
              << " of the dead held the lock; saves waiting for the hung holder failed after "
                 "the timeout ("
              << run.failures.size() << "); its lock taken over " << takeOver
              << " ms after the kill; next save " << nextSave << " ms; whole run " << took << " ms\n";
}

} // namespace
