// SPDX-License-Identifier: MIT
#include "ScoreStorage.h"
#include "DataPaths.h"
#include "HighScoreFile.h"
#include "HighScoreRanking.h"
#include "TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using testsupport::ReadAll;
using testsupport::WriteAll;

void FillTable(HighScoreTable& table, const QString& name, vb::Long top)
{
    for (int t = 0; t < 4; ++t) {
        for (int level = 0; level < 3; ++level) {
            for (int p = 0; p < 10; ++p) {
                table[t][level].PlayerName[p] = QStringLiteral("%1%2").arg(name).arg(p);
                table[t][level].Score[p] = top - 10 * p;
                table[t][level].EntryDate[p] = 37624.75 + p + t;
            }
        }
    }
}

QByteArray SampleFile(const QString& name, vb::Long top)
{
    HighScoreTable table;
    FillTable(table, name, top);
    return HighScoreFile::Serialize(table);
}

// Runs body with an ordinary user's rights: root reads and writes every file
// whatever its mode. Under root the body runs in a child process as
// "nobody", owning the folders and everything in them.
void AsOrdinaryUser(const QStringList& folders, const std::function<void()>& body)
{
    if (geteuid() != 0) {
        body();
        return;
    }
    constexpr uid_t Nobody = 65534;
    for (const QString& folder : folders) {
        ASSERT_EQ(chown(QFile::encodeName(folder).constData(), Nobody, Nobody), 0);
        QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            ASSERT_EQ(chown(QFile::encodeName(it.next()).constData(), Nobody, Nobody), 0);
    }
    std::fflush(nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgid(Nobody) != 0 || setuid(Nobody) != 0)
            _exit(3);
        body();
        std::fflush(nullptr);
        _exit(testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the part run as an ordinary user failed (its messages are above)";
}

class ScoreStorage : public testing::Test {
protected:
    QTemporaryDir root_;
    // The rankings as the game under test holds them.
    HighScores scores;

    void SetUp() override
    {
        ASSERT_TRUE(root_.isValid());
        QDir(UserFolder()).removeRecursively();
        testsupport::ClearTable(scores.Table);
    }
    void TearDown() override { SetProgramDirForTesting(QString()); }

    static QString UserFolder()
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
            + QStringLiteral("/Mortavel/Mortavel");
    }
    static QString UserFile() { return UserFolder() + QStringLiteral("/HSData.mvt"); }

    // The build tree: data beside the program.
    QString BuildLayout(const QString& dataName = QStringLiteral("data"))
    {
        const QString bin = root_.filePath(QStringLiteral("bin"));
        QDir().mkpath(bin + QLatin1Char('/') + dataName);
        SetProgramDirForTesting(bin);
        return bin + QLatin1Char('/') + dataName + QStringLiteral("/HSData.mvt");
    }

    // An installed game: <prefix>/bin and <prefix>/share/mortavel/data.
    QString InstalledLayout()
    {
        const QString prefix = root_.filePath(QStringLiteral("usr"));
        QDir().mkpath(prefix + QStringLiteral("/bin"));
        QDir().mkpath(prefix + QStringLiteral("/share/mortavel/data"));
        SetProgramDirForTesting(prefix + QStringLiteral("/bin"));
        return prefix + QStringLiteral("/share/mortavel/data/HSData.mvt");
    }
};

TEST_F(ScoreStorage, BuildFolderKeepsTheScoresBesideTheProgram)
{
    const QString file = BuildLayout();
    EXPECT_EQ(AppPath(), root_.filePath(QStringLiteral("bin")));
    EXPECT_EQ(DataDir(), root_.filePath(QStringLiteral("bin/data")));
    EXPECT_EQ(ScoreFilePath(), file);

    FillTable(scores.Table, QStringLiteral("艦長"), 5000);
    QString error;
    ASSERT_TRUE(SaveHighScores(scores, &error)) << qPrintable(error);
    EXPECT_EQ(ReadAll(file), SampleFile(QStringLiteral("艦長"), 5000));

    testsupport::ClearTable(scores.Table);
    scores = LoadHighScores();
    EXPECT_EQ(scores.Table[3][2].PlayerName[9], QStringLiteral("艦長9"));
    EXPECT_EQ(scores.Table[3][2].Score[9], 4910);
    EXPECT_FALSE(QFile::exists(UserFile()));
}

TEST_F(ScoreStorage, FolderNamedDataWithACapitalIsFoundToo)
{
    const QString file = BuildLayout(QStringLiteral("Data"));
    EXPECT_EQ(DataDir(), root_.filePath(QStringLiteral("bin/Data")));
    EXPECT_EQ(ScoreFilePath(), file);
    ASSERT_TRUE(WriteAll(file, SampleFile(QStringLiteral("x"), 300)));
    scores = LoadHighScores();
    EXPECT_EQ(scores.Table[0][0].Score[0], 300);
}

TEST_F(ScoreStorage, MissingFileLoadsEmptyAndTheFirstSaveCreatesIt)
{
    const QString file = BuildLayout();
    FillTable(scores.Table, QStringLiteral("old"), 100);
    scores = LoadHighScores();
    for (const auto& row : scores.Table) {
        for (const HighScoreList& list : row)
            EXPECT_EQ(list, HighScoreList{});
    }
    EXPECT_FALSE(QFile::exists(file));
    ASSERT_TRUE(SaveHighScores(scores));
    EXPECT_EQ(ReadAll(file).count("\t0\t0\r\n"), 120);
}

TEST_F(ScoreStorage, InstalledGameKeepsThePlayersOwnCopy)
{
    const QString installed = InstalledLayout();
    const QByteArray shipped = SampleFile(QStringLiteral("初期"), 2000);
    ASSERT_TRUE(WriteAll(installed, shipped));
    EXPECT_EQ(AppPath(), root_.filePath(QStringLiteral("usr/share/mortavel")));
    EXPECT_EQ(ScoreFilePath(), UserFile());

    scores = LoadHighScores();
    EXPECT_EQ(scores.Table[1][1].PlayerName[0], QStringLiteral("初期0"));
    EXPECT_EQ(ReadAll(UserFile()), shipped) << "seeded from the installed file";

    InsertRanking(scores.Table[1][1], 0, QStringLiteral("新記録"), 9999, 40000.0);
    ASSERT_TRUE(SaveHighScores(scores));
    EXPECT_EQ(ReadAll(installed), shipped) << "the installed file is never written";

    testsupport::ClearTable(scores.Table);
    scores = LoadHighScores();
    EXPECT_EQ(scores.Table[1][1].PlayerName[0], QStringLiteral("新記録"));
    EXPECT_EQ(scores.Table[1][1].Score[1], 2000);
}

TEST_F(ScoreStorage, InstalledGameWithoutAStartingFileStartsEmpty)
{
    InstalledLayout();
    QDir(root_.filePath(QStringLiteral("usr/share/mortavel/data"))).removeRecursively();
    QDir().mkpath(root_.filePath(QStringLiteral("usr/share/mortavel/Data")));
    EXPECT_EQ(ScoreFilePath(), UserFile());
    scores = LoadHighScores();
    EXPECT_EQ(scores.Table[0][0], HighScoreList{});
    ASSERT_TRUE(SaveHighScores(scores));
    EXPECT_TRUE(QFile::exists(UserFile()));
}

TEST_F(ScoreStorage, ReadOnlyProgramFolderUsesThePlayersOwnCopy)
{
    const QString file = BuildLayout();
    const QByteArray shipped = SampleFile(QStringLiteral("ro"), 700);
    ASSERT_TRUE(WriteAll(file, shipped));
    const QString folder = QFileInfo(file).absolutePath();
    // The player's own folders (settings and data) live under one home.
    QDir home(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    home.cdUp();
    AsOrdinaryUser({root_.path(), home.path()}, [&] {
        ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        EXPECT_EQ(ScoreFilePath(), UserFile());
        scores = LoadHighScores();
        scores.Table[0][0].Score[0] = 800;
        EXPECT_TRUE(SaveHighScores(scores));
        testsupport::ClearTable(scores.Table);
        scores = LoadHighScores();
        EXPECT_EQ(scores.Table[0][0].Score[0], 800) << "the next load reads what was saved";
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(ReadAll(file), shipped);
    });
}

TEST_F(ScoreStorage, DiskFullMidSaveKeepsThePreviousFile)
{
    const QString file = BuildLayout();
    FillTable(scores.Table, QStringLiteral("before"), 100);
    ASSERT_TRUE(SaveHighScores(scores));
    const QByteArray previous = ReadAll(file);

    FillTable(scores.Table, QStringLiteral("after"), 200);
    // A file-size limit makes the write fail part-way, as a full disk would.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 512;
    setrlimit(RLIMIT_FSIZE, &small);
    QString error;
    const bool saved = SaveHighScores(scores, &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_TRUE(error.contains(file)) << qPrintable(error);
    EXPECT_EQ(ReadAll(file), previous);
    EXPECT_EQ(QDir(QFileInfo(file).absolutePath()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("HSData.mvt")})
        << "no half-written file is left behind";
}

TEST_F(ScoreStorage, FolderThatCannotBeMadeFailsTheSaveWithAReason)
{
    const QString installed = InstalledLayout();
    const QByteArray shipped = SampleFile(QStringLiteral("s"), 400);
    ASSERT_TRUE(WriteAll(installed, shipped));
    // A plain file where the per-user folder should go.
    const QString blocker = QFileInfo(UserFolder()).absolutePath();
    QDir(blocker).removeRecursively();
    ASSERT_TRUE(WriteAll(blocker, "not a folder"));

    scores = LoadHighScores();
    EXPECT_EQ(scores.Table[0][0].Score[0], 400) << "read from the installed file meanwhile";
    QString error;
    EXPECT_FALSE(SaveHighScores(scores, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadAll(installed), shipped);
    QFile::remove(blocker);
}

TEST_F(ScoreStorage, FileThatCannotBeReadIsNeverReplaced)
{
    const QString file = BuildLayout();
    const QByteArray stored = SampleFile(QStringLiteral("kept"), 900);
    ASSERT_TRUE(WriteAll(file, stored));
    AsOrdinaryUser({root_.path()}, [&] {
        // Write-only for its owner, as a careless chmod leaves it.
        ASSERT_TRUE(QFile::setPermissions(file, QFile::WriteOwner));
        scores = LoadHighScores();
        EXPECT_EQ(scores.Table[0][0].Score[0], 0) << "nothing could be read";

        // The table works for the session, but a save does not touch the file.
        scores.Table[0][0].PlayerName[0] = QStringLiteral("今日の提督");
        scores.Table[0][0].Score[0] = 50;
        QString error;
        EXPECT_FALSE(SaveHighScores(scores, &error));
        EXPECT_TRUE(error.contains(file)) << qPrintable(error);
        EXPECT_TRUE(error.contains(QStringLiteral("could not be read"))) << qPrintable(error);
        EXPECT_EQ(scores.Table[0][0].PlayerName[0], QStringLiteral("今日の提督"));

        // Readable again later in the session: still not replaced, since the
        // table never held its scores.
        ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
        EXPECT_FALSE(SaveHighScores(scores, &error));
        EXPECT_EQ(ReadAll(file), stored);
        // The next run reads it as it was.
        scores = LoadHighScores();
        EXPECT_EQ(scores.Table[0][0].Score[0], 900);
        EXPECT_TRUE(SaveHighScores(scores));
    });
    EXPECT_EQ(ReadAll(file), stored) << "a save of what was read leaves it as it was";
}

TEST_F(ScoreStorage, FileThatIsNotAScoreFileIsCopiedAsideBeforeItIsReplaced)
{
    const QString file = BuildLayout();
    // Binary bytes with a few line ends among them, then UTF-16 text.
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary += char((i * 37 + i / 7) & 0xFF);
    const QString text = QString::fromUtf8(SampleFile(QStringLiteral("u"), 10));
    const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);

    ASSERT_TRUE(WriteAll(file, binary));
    scores = LoadHighScores();
    scores.Table[1][2].Score[0] = 77;
    ASSERT_TRUE(SaveHighScores(scores));
    EXPECT_EQ(ReadAll(file + QStringLiteral(".bak")), binary);
    EXPECT_TRUE(ReadAll(file).startsWith("\t0\t0\r\n")) << "a score file now";
    // Copied once: the next save of the same run makes no second copy.
    ASSERT_TRUE(SaveHighScores(scores));
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".bak.1")));

    // Another foreign file later: the older copy is kept.
    ASSERT_TRUE(WriteAll(file, utf16));
    scores = LoadHighScores();
    ASSERT_TRUE(SaveHighScores(scores));
    EXPECT_EQ(ReadAll(file + QStringLiteral(".bak")), binary);
    EXPECT_EQ(ReadAll(file + QStringLiteral(".bak.1")), utf16);

    // A damaged but real score file is repaired in place, without a copy.
    QByteArray damaged = SampleFile(QStringLiteral("d"), 500);
    damaged.replace("d0\t500", "d0\tfive hundred");
    ASSERT_TRUE(WriteAll(file, damaged));
    scores = LoadHighScores();
    ASSERT_TRUE(SaveHighScores(scores));
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".bak.2")));
    EXPECT_EQ(scores.Table[0][0].Score[0], 490);
}

TEST_F(ScoreStorage, SaveRemovesOnlyStaleTemporariesOfTheScoreFile)
{
    const QString file = BuildLayout();
    const QDir folder = QFileInfo(file).absoluteDir();
    const QDateTime past = QDateTime::currentDateTime().addSecs(-60);
    auto leave = [&](const QString& name, const QDateTime& time) {
        QFile f(folder.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("partial");
        f.flush(); // a write at close would set the time again
        ASSERT_TRUE(f.setFileTime(time, QFileDevice::FileModificationTime));
    };
    // Temporaries named as an interrupted save names them.
    QStringList stale;
    for (int i = 0; i < 3; ++i) {
        QTemporaryFile temp(file + QStringLiteral(".XXXXXX"));
        temp.setAutoRemove(false);
        ASSERT_TRUE(temp.open());
        ASSERT_TRUE(temp.setFileTime(past, QFileDevice::FileModificationTime));
        stale << QFileInfo(temp.fileName()).fileName();
    }
    // Not ours, or not stale: left alone.
    leave(QStringLiteral("HSData.mvt.bak"), past);
    leave(QStringLiteral("HSData.mvt.abcdefg"), past);
    leave(QStringLiteral("HSData.mvt.ab-def"), past);
    leave(QStringLiteral("Other.mvt.abcdef"), past);
    leave(QStringLiteral("HSData.mvt.Zz9Zz9"), QDateTime::currentDateTime().addSecs(60));

    FillTable(scores.Table, QStringLiteral("t"), 300);
    ASSERT_TRUE(SaveHighScores(scores));
    const QStringList left = folder.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : stale)
        EXPECT_FALSE(left.contains(name)) << qPrintable(name);
    EXPECT_EQ(left,
              QStringList({"HSData.mvt", "HSData.mvt.Zz9Zz9", "HSData.mvt.ab-def", "HSData.mvt.abcdefg",
                           "HSData.mvt.bak", "Other.mvt.abcdef"}));
    testsupport::ClearTable(scores.Table);
    scores = LoadHighScores();
    EXPECT_EQ(scores.Table[3][2].Score[0], 300);
}

TEST_F(ScoreStorage, NamesTypedWithALinuxInputMethodSurviveSaveAndLoad)
{
    const QString file = BuildLayout();
    // Typed, and the CP932 character the name is kept as.
    const std::pair<char16_t, char16_t> twins[] = {
        {u'\u301C', u'\uFF5E'}, {u'\u2212', u'\uFF0D'}, {u'\u2016', u'\u2225'}, {u'\u2014', u'\u2015'},
        {u'\u00A2', u'\uFFE0'}, {u'\u00A3', u'\uFFE1'}, {u'\u00AC', u'\uFFE2'},
    };
    QStringEncoder cp932("CP932");
    int p = 0;
    for (const auto& [typed, twin] : twins) {
        const QString entered =
            NormalizeEntryName(QString(QChar(typed)) + QStringLiteral("提督") + QChar(typed));
        const QString kept = QString(QChar(twin)) + QStringLiteral("提督") + QChar(twin);
        EXPECT_EQ(entered, kept) << std::hex << int(typed);
        const QByteArray bytes = cp932.encode(kept);
        EXPECT_FALSE(cp932.hasError());
        EXPECT_FALSE(bytes.contains('?'));
        scores.Table[0][0].PlayerName[p] = entered;
        scores.Table[0][0].Score[p] = 1000 - p;
        ++p;
    }
    // Even a name that skipped the entry box is stored as its twins.
    scores.Table[0][0].PlayerName[p] = QStringLiteral("〜提督〜");
    scores.Table[0][0].Score[p] = 1;
    ASSERT_TRUE(SaveHighScores(scores));
    EXPECT_FALSE(ReadAll(file).contains('?'));
    testsupport::ClearTable(scores.Table);
    scores = LoadHighScores();
    p = 0;
    for (const auto& [typed, twin] : twins) {
        EXPECT_EQ(scores.Table[0][0].PlayerName[p],
                  QString(QChar(twin)) + QStringLiteral("提督") + QChar(twin))
            << std::hex << int(typed);
        ++p;
    }
    EXPECT_EQ(scores.Table[0][0].PlayerName[p], QStringLiteral("～提督～"));
}

// The table another copy of the game wrote to the file while this one played.
struct OtherGame {
    HighScoreTable table;
    explicit OtherGame(const QString& file) { HighScoreFile::Parse(ReadAll(file), table); }
    void enter(int t, int level, const QString& name, vb::Long points)
    {
        HighScoreList& list = table[t][level];
        InsertRanking(list, RankingPlace(list, points), name, points, 40000.5);
    }
    QByteArray save(const QString& file) const
    {
        const QByteArray bytes = HighScoreFile::Serialize(table);
        EXPECT_TRUE(WriteAll(file, bytes));
        return bytes;
    }
};

TEST_F(ScoreStorage, EntriesAnotherGameSavedMeanwhileAreKept)
{
    const QString file = BuildLayout();
    FillTable(scores.Table, QStringLiteral("昔"), 5000);
    ASSERT_TRUE(SaveHighScores(scores));
    scores = LoadHighScores(); // both games at the title

    OtherGame other(file);
    other.enter(0, 1, QStringLiteral("AAA"), 4995);
    other.enter(3, 2, QStringLiteral("別の表"), 9000);
    other.save(file);

    QString error;
    ASSERT_EQ(SaveRankingEntry(scores, 0, 1, QStringLiteral("BBB"), 4995, 40001.25, &error),
              RankingSave::Saved)
        << qPrintable(error);
    HighScoreTable fromFile;
    HighScoreFile::Parse(ReadAll(file), fromFile);
    const HighScoreList& list = fromFile[0][1];
    // The same score: the later entry above the earlier, both between 5000 and 4990.
    EXPECT_EQ(list.PlayerName[0], QStringLiteral("昔0"));
    EXPECT_EQ(list.PlayerName[1], QStringLiteral("BBB"));
    EXPECT_EQ(list.EntryDate[1], 40001.25);
    EXPECT_EQ(list.PlayerName[2], QStringLiteral("AAA"));
    EXPECT_EQ(list.PlayerName[3], QStringLiteral("昔1"));
    EXPECT_EQ(list.PlayerName[9], QStringLiteral("昔7")) << "two places down, two lost";
    EXPECT_EQ(fromFile[3][2].PlayerName[0], QStringLiteral("別の表"));
    // What the viewer shows is what the file holds.
    for (int t = 0; t < 4; ++t)
        for (int level = 0; level < 3; ++level)
            EXPECT_EQ(scores.Table[t][level], fromFile[t][level]) << t << " " << level;
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".lock")));
}

TEST_F(ScoreStorage, EntryThatBetterScoresSavedMeanwhilePushOutIsNotWritten)
{
    const QString file = BuildLayout();
    FillTable(scores.Table, QStringLiteral("今"), 500); // 500 down to 410
    ASSERT_TRUE(SaveHighScores(scores));

    OtherGame other(file);
    for (int i = 0; i < 10; ++i)
        other.enter(2, 0, QStringLiteral("強者%1").arg(i), 1000 + i);
    const QByteArray saved = other.save(file);

    // 450 enters the table this game shows, not the one in the file.
    ASSERT_GE(RankingPlace(scores.Table[2][0], 450), 0);
    EXPECT_EQ(SaveRankingEntry(scores, 2, 0, QStringLiteral("遅参"), 450, 40001.0), RankingSave::PushedOut);
    EXPECT_EQ(ReadAll(file), saved);
    EXPECT_EQ(scores.Table[2][0], other.table[2][0]);
    EXPECT_EQ(scores.Table[2][0].Score[9], 1000);

    // Equal to the tenth place of the fresh list still enters.
    EXPECT_EQ(SaveRankingEntry(scores, 2, 0, QStringLiteral("並"), 1000, 40002.0), RankingSave::Saved);
    testsupport::ClearTable(scores.Table);
    scores = LoadHighScores();
    EXPECT_EQ(scores.Table[2][0].PlayerName[9], QStringLiteral("並"));
}

TEST_F(ScoreStorage, EntrySaveKeepsTheGuaranteesOfAWholeSave)
{
    const QString file = BuildLayout();
    // A file that is not a score file is copied aside before the entry replaces it.
    QByteArray binary;
    for (int i = 0; i < 2048; ++i)
        binary += char((i * 91 + 7) & 0xFF);
    ASSERT_TRUE(WriteAll(file, binary));
    ASSERT_EQ(SaveRankingEntry(scores, 1, 1, QStringLiteral("新"), 300, 40000.0), RankingSave::Saved);
    EXPECT_EQ(ReadAll(file + QStringLiteral(".bak")), binary);
    HighScoreTable fromFile;
    const auto report = HighScoreFile::Parse(ReadAll(file), fromFile);
    EXPECT_EQ(report.readable, 120);
    EXPECT_EQ(fromFile[1][1].PlayerName[0], QStringLiteral("新"));

    // A missing player's copy starts from the installed rankings, as a load does.
    const QString installed = InstalledLayout();
    ASSERT_TRUE(WriteAll(installed, SampleFile(QStringLiteral("初"), 900)));
    testsupport::ClearTable(scores.Table);
    ASSERT_EQ(SaveRankingEntry(scores, 0, 0, QStringLiteral("私"), 895, 40000.0), RankingSave::Saved);
    HighScoreFile::Parse(ReadAll(UserFile()), fromFile);
    EXPECT_EQ(fromFile[0][0].PlayerName[0], QStringLiteral("初0"));
    EXPECT_EQ(fromFile[0][0].PlayerName[1], QStringLiteral("私"));
    EXPECT_EQ(fromFile[3][2].PlayerName[9], QStringLiteral("初9"));

    // A file that cannot be read now is left alone; the entry stays in memory.
    const QByteArray kept = ReadAll(UserFile());
    QDir home(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    home.cdUp();
    AsOrdinaryUser({root_.path(), home.path()}, [&] {
        ASSERT_TRUE(QFile::setPermissions(UserFile(), QFile::WriteOwner));
        QString error;
        EXPECT_EQ(SaveRankingEntry(scores, 0, 0, QStringLiteral("読めず"), 2000, 40000.0, &error),
                  RankingSave::Failed);
        EXPECT_TRUE(error.contains(QStringLiteral("could not be read"))) << qPrintable(error);
        EXPECT_EQ(scores.Table[0][0].PlayerName[0], QStringLiteral("読めず"));
        ASSERT_TRUE(QFile::setPermissions(UserFile(), QFile::ReadOwner | QFile::WriteOwner));
        EXPECT_EQ(ReadAll(UserFile()), kept);
    });
}

TEST_F(ScoreStorage, LockHeldByAHungGameFailsTheSaveAfterAFewSeconds)
{
    const QString file = BuildLayout();
    const QByteArray before = SampleFile(QStringLiteral("前"), 800);
    ASSERT_TRUE(WriteAll(file, before));
    scores = LoadHighScores();
    // A live holder: this very process, so the lock is never stale.
    QLockFile hung(file + QStringLiteral(".lock"));
    ASSERT_TRUE(hung.tryLock(0));

    QString error;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(SaveRankingEntry(scores, 0, 0, QStringLiteral("待ち"), 5000, 40000.0, &error),
              RankingSave::Failed);
    EXPECT_GE(clock.elapsed(), 4500);
    EXPECT_LT(clock.elapsed(), 8000);
    EXPECT_TRUE(error.contains(file)) << qPrintable(error);
    EXPECT_TRUE(error.contains(QLatin1Char('5'))) << "says how long it waited: " << qPrintable(error);
    EXPECT_EQ(scores.Table[0][0].PlayerName[0], QStringLiteral("待ち")) << "kept for this run";
    // The whole-table save waits for the lock too.
    EXPECT_FALSE(SaveHighScores(scores, &error));
    EXPECT_EQ(ReadAll(file), before) << "never written without the lock";

    hung.unlock();
    EXPECT_EQ(SaveRankingEntry(scores, 0, 0, QStringLiteral("次"), 5000, 40000.0), RankingSave::Saved);
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".lock")));
}

TEST_F(ScoreStorage, LockLeftByAKilledGameIsTakenOverAtOnce)
{
    const QString file = BuildLayout();
    const QString lockPath = file + QStringLiteral(".lock");
    std::fflush(nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QLockFile lock(lockPath);
        if (!lock.tryLock(0))
            _exit(1);
        raise(SIGKILL); // dies holding it, as a killed game does
        _exit(2);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_TRUE(QFile::exists(lockPath)) << "the killed holder left its lock";

    QElapsedTimer clock;
    clock.start();
    QString error;
    EXPECT_EQ(SaveRankingEntry(scores, 0, 0, QStringLiteral("後"), 10, 40000.0, &error), RankingSave::Saved)
        << qPrintable(error);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(QFile::exists(lockPath));
}

} // namespace
