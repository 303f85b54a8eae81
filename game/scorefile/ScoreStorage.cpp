// SPDX-License-Identifier: MIT
#include "ScoreStorage.h"

#include "DataPaths.h"
#include "HighScoreFile.h"
#include "HighScoreRanking.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QThread>

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

namespace {

bool MakeFolderOf(const QString& path, QString* error)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (QDir().mkpath(folder))
        return true;
    if (error)
        *error = QStringLiteral("%1: cannot create the folder").arg(folder);
    return false;
}

std::function<void()>& BeforeCommit()
{
    static std::function<void()> hook;
    return hook;
}

bool WriteAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    // QSaveFile writes a temporary file beside the target and renames it over
    // the old one at commit. Unbuffered, because a short write on a full disk
    // is otherwise lost in the buffer flush and commit() still succeeds with
    // a truncated file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        if (error) {
            *error = written < 0 ? QStringLiteral("%1: %2").arg(path, file.errorString())
                                 : QStringLiteral("%1: only %2 of %3 bytes could be written "
                                                  "(disk full?)")
                                       .arg(path)
                                       .arg(written)
                                       .arg(bytes.size());
        }
        file.cancelWriting();
        return false;
    }
    if (BeforeCommit())
        BeforeCommit()();
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

// A save holds the lock for milliseconds; one that cannot be had for this
// long belongs to a game that hangs while saving.
constexpr int LockWaitMs = 5000;
constexpr int LockPollMs = 20;

QString LockPathOf(const QString& path)
{
    return path + QStringLiteral(".lock");
}

// Every write of the score file happens under its lock, so that one game's
// save never overwrites what another saved after reading. QLockFile takes
// over the lock of a game that died holding it (its process is gone, and so
// is the flock on the lock file); a live holder keeps it, however long.
// Polled at a short, even interval: tryLock(timeout) doubles its waits, and a
// save queued behind another one should follow it at once.
bool LockScoreFile(QLockFile& lock, const QString& path, QString* error)
{
    QElapsedTimer waited;
    waited.start();
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError) {
            if (error) {
                *error =
                    QStringLiteral("%1: the lock file could not be created (%2)")
                        .arg(lock.fileName(),
                             lock.error() == QLockFile::PermissionError ? QStringLiteral("Permission denied")
                                                                        : QStringLiteral("unknown error"));
            }
            return false;
        }
        if (waited.elapsed() >= LockWaitMs) {
            if (error) {
                //: %1 the score file, %2 seconds waited.
                *error = QCoreApplication::translate(
                             "HighScores",
                             "%1: 別に起動しているゲームがこのファイルへの保存の途中で応答しません。"
                             "%2秒待っても保存できませんでした。")
                             .arg(path)
                             .arg(LockWaitMs / 1000);
            }
            return false;
        }
        QThread::msleep(LockPollMs);
    }
    // Taking over a stale lock opens it for writing first: whoever may write
    // the score file (a player sharing the folder) must be able to, should
    // this game die holding it.
    const QFileInfo scores(path);
    if (scores.exists()) {
        constexpr QFile::Permissions readWrite = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
            | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        QFile::setPermissions(lock.fileName(),
                              (scores.permissions() & readWrite) | QFile::ReadOwner | QFile::WriteOwner);
    }
    return true;
}

// The score file is small; anything past this is not a score file and is
// not worth reading.
constexpr qint64 MaxScoreFileBytes = 1 << 20;

std::optional<QByteArray> ReadFile(const QString& path, QString* error = nullptr)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        QByteArray bytes = file.read(MaxScoreFileBytes);
        if (file.error() == QFileDevice::NoError)
            return bytes;
    }
    if (error)
        *error = file.errorString();
    return std::nullopt;
}

// "<file>.bak", or the first free "<file>.bak.N": an older copy is never
// overwritten.
bool CopyAside(const QString& path, QString* error)
{
    QString backup = path + QStringLiteral(".bak");
    for (int n = 1; QFileInfo::exists(backup) && n < 1000; ++n)
        backup = path + QStringLiteral(".bak.%1").arg(n);
    if (QFile::copy(path, backup))
        return true;
    if (error)
        *error = QStringLiteral("%1: not a score file, and it could not be copied aside to %2 "
                                "before being replaced")
                     .arg(path, backup);
    return false;
}

// A save killed between creating its temporary file and renaming it leaves
// "<file>.XXXXXX" behind. Only that pattern, and only files older than the
// save now starting, so a save running in another instance keeps its own.
void RemoveStaleTemporaries(const QString& path, const QDateTime& saveStart)
{
    const QFileInfo target(path);
    const QString prefix = target.fileName() + QLatin1Char('.');
    const QDir folder = target.absoluteDir();
    const QStringList names =
        folder.entryList({prefix + QStringLiteral("??????")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QStringView suffix = QStringView(name).sliced(prefix.size());
        const bool random = std::all_of(suffix.begin(), suffix.end(), [](QChar c) {
            return c.isDigit() || (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
        });
        const QFileInfo info(folder.filePath(name));
        if (random && !info.isSymLink() && info.lastModified() < saveStart)
            QFile::remove(info.filePath());
    }
}

} // namespace

namespace {

// The player's copy starts as the installed file. Under the lock, and only
// while the copy is still missing: another game may have made it, and
// saved in it, since this one looked.
std::optional<QByteArray> SeedPlayersCopy(const QString& path, const QByteArray& installed)
{
    if (!MakeFolderOf(path, nullptr))
        return installed;
    QLockFile lock(LockPathOf(path));
    if (!LockScoreFile(lock, path, nullptr))
        return installed;
    if (QFileInfo::exists(path))
        return ReadFile(path);
    WriteAtomically(path, installed, nullptr);
    return installed;
}

} // namespace

HighScores LoadHighScores()
{
    const QString path = ScoreFilePath();
    const QString installed = InstalledScoreFilePath();
    HighScores scores;
    ScoreFileFindings& findings = scores.Findings;
    findings = ScoreFileFindings{path, QString(), false};
    std::optional<QByteArray> bytes;
    if (path != installed && !QFileInfo::exists(path)) {
        // First run of this player: start from the installed rankings.
        bytes = ReadFile(installed);
        if (bytes)
            bytes = SeedPlayersCopy(path, *bytes);
    } else {
        QString why;
        bytes = ReadFile(path, &why);
        if (!bytes && QFileInfo::exists(path))
            findings.unreadable = why;
    }
    const auto report = HighScoreFile::Parse(bytes.value_or(QByteArray()), scores.Table);
    findings.notAScoreFile = bytes && !report.looksLikeScoreFile();
    return scores;
}

bool SaveHighScores(HighScores& scores, QString* error)
{
    const QDateTime start = QDateTime::currentDateTime();
    const QString path = ScoreFilePath();
    if (!MakeFolderOf(path, error))
        return false;
    QLockFile lock(LockPathOf(path));
    if (!LockScoreFile(lock, path, error))
        return false;
    ScoreFileFindings& findings = scores.Findings;
    const bool loadedHere = findings.path == path;
    const QFileInfo existing(path);
    if (existing.exists()) {
        QString why = loadedHere ? findings.unreadable : QString();
        if (why.isEmpty() && existing.isFile() && !existing.isReadable())
            why = QStringLiteral("Permission denied");
        if (!why.isEmpty()) {
            if (error) {
                *error = QStringLiteral("%1: the score file could not be read (%2); it is kept "
                                        "as it is, and this game's scores stay in memory only")
                             .arg(path, why);
            }
            return false;
        }
        if (loadedHere && findings.notAScoreFile) {
            if (!CopyAside(path, error))
                return false;
            findings.notAScoreFile = false;
        }
    }
    RemoveStaleTemporaries(path, start);
    return WriteAtomically(path, HighScoreFile::Serialize(scores.Table), error);
}

RankingSave SaveRankingEntry(HighScores& scores, int timeIndex, int level, const QString& name,
                             vb::Long points, double date, QString* error)
{
    if (timeIndex < 0 || timeIndex >= static_cast<int>(scores.Table.size())
        || !rules::IsAllowedGameLevel(level)) {
        if (error)
            *error =
                QStringLiteral("no ranking list for time index %1 and level %2").arg(timeIndex).arg(level);
        return RankingSave::Failed;
    }
    const QDateTime start = QDateTime::currentDateTime();
    const QString path = ScoreFilePath();
    // Not saved: the entry still shows in this run's table.
    const auto failed = [&] {
        HighScoreList& list = scores.Table[timeIndex][level];
        InsertRanking(list, RankingPlace(list, points), name, points, date);
        return RankingSave::Failed;
    };
    if (!MakeFolderOf(path, error))
        return failed();
    QLockFile lock(LockPathOf(path));
    if (!LockScoreFile(lock, path, error))
        return failed();

    // The file as it is now, not as this game loaded it: another game may
    // have saved since. Read as a load reads it.
    HighScoreFile::Table fresh;
    bool foreign = false;
    const QString installed = InstalledScoreFilePath();
    if (QFileInfo::exists(path)) {
        QString why;
        const std::optional<QByteArray> bytes = ReadFile(path, &why);
        if (!bytes) {
            if (error) {
                *error = QStringLiteral("%1: the score file could not be read (%2); it is kept "
                                        "as it is, and this game's scores stay in memory only")
                             .arg(path, why);
            }
            return failed();
        }
        foreign = !HighScoreFile::Parse(*bytes, fresh).looksLikeScoreFile();
    } else {
        const std::optional<QByteArray> seed =
            path != installed ? ReadFile(installed) : std::optional<QByteArray>();
        HighScoreFile::Parse(seed.value_or(QByteArray()), fresh);
    }

    HighScoreList& list = fresh[timeIndex][level];
    const int place = RankingPlace(list, points);
    if (place < 0) {
        scores = HighScores{fresh, ScoreFileFindings{path, QString(), foreign}};
        return RankingSave::PushedOut;
    }
    InsertRanking(list, place, name, points, date);
    if (foreign && !CopyAside(path, error))
        return failed();
    RemoveStaleTemporaries(path, start);
    if (!WriteAtomically(path, HighScoreFile::Serialize(fresh), error))
        return failed();
    scores = HighScores{fresh, ScoreFileFindings{path, QString(), false}};
    return RankingSave::Saved;
}

void SetBeforeScoreCommitForTesting(std::function<void()> hook)
{
    BeforeCommit() = std::move(hook);
}
