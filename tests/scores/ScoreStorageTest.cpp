// SPDX-License-Identifier: MIT
#include "TestSupport.h"
#include "shared/HighScoreFile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using testsupport::ReadAll;
using testsupport::WriteAll;

void FillTable(HighScoreList (&table)[4][3], const QString& name, vb::Long top)
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
    HighScoreList table[4][3];
    FillTable(table, name, top);
    return HighScoreFile::Serialize(table);
}

class ScoreStorage : public testing::Test {
protected:
    QTemporaryDir root_;

    void SetUp() override
    {
        ASSERT_TRUE(root_.isValid());
        QDir(UserFolder()).removeRecursively();
        testsupport::ClearTable(HighScores);
    }
    void TearDown() override { SetProgramDirForTesting(QString()); }

    static QString UserFolder()
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
               QStringLiteral("/Mortavel/Mortavel");
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

    FillTable(HighScores, QStringLiteral("艦長"), 5000);
    QString error;
    ASSERT_TRUE(SaveHighScores(&error)) << qPrintable(error);
    EXPECT_EQ(ReadAll(file), SampleFile(QStringLiteral("艦長"), 5000));

    testsupport::ClearTable(HighScores);
    LoadHighScores();
    EXPECT_EQ(HighScores[3][2].PlayerName[9], QStringLiteral("艦長9"));
    EXPECT_EQ(HighScores[3][2].Score[9], 4910);
    EXPECT_FALSE(QFile::exists(UserFile()));
}

TEST_F(ScoreStorage, FolderNamedDataWithACapitalIsFoundToo)
{
    const QString file = BuildLayout(QStringLiteral("Data"));
    EXPECT_EQ(DataDir(), root_.filePath(QStringLiteral("bin/Data")));
    EXPECT_EQ(ScoreFilePath(), file);
    ASSERT_TRUE(WriteAll(file, SampleFile(QStringLiteral("x"), 300)));
    LoadHighScores();
    EXPECT_EQ(HighScores[0][0].Score[0], 300);
}

TEST_F(ScoreStorage, MissingFileLoadsEmptyAndTheFirstSaveCreatesIt)
{
    const QString file = BuildLayout();
    FillTable(HighScores, QStringLiteral("old"), 100);
    LoadHighScores();
    for (const auto& row : HighScores) {
        for (const HighScoreList& list : row)
            EXPECT_EQ(list, HighScoreList{});
    }
    EXPECT_FALSE(QFile::exists(file));
    ASSERT_TRUE(SaveHighScores());
    EXPECT_EQ(ReadAll(file).count("\t0\t0\r\n"), 120);
}

TEST_F(ScoreStorage, InstalledGameKeepsThePlayersOwnCopy)
{
    const QString installed = InstalledLayout();
    const QByteArray shipped = SampleFile(QStringLiteral("初期"), 2000);
    ASSERT_TRUE(WriteAll(installed, shipped));
    EXPECT_EQ(AppPath(), root_.filePath(QStringLiteral("usr/share/mortavel")));
    EXPECT_EQ(ScoreFilePath(), UserFile());

    LoadHighScores();
    EXPECT_EQ(HighScores[1][1].PlayerName[0], QStringLiteral("初期0"));
    EXPECT_EQ(ReadAll(UserFile()), shipped) << "seeded from the installed file";

    InsertRanking(HighScores[1][1], 0, QStringLiteral("新記録"), 9999, 40000.0);
    ASSERT_TRUE(SaveHighScores());
    EXPECT_EQ(ReadAll(installed), shipped) << "the installed file is never written";

    testsupport::ClearTable(HighScores);
    LoadHighScores();
    EXPECT_EQ(HighScores[1][1].PlayerName[0], QStringLiteral("新記録"));
    EXPECT_EQ(HighScores[1][1].Score[1], 2000);
}

TEST_F(ScoreStorage, InstalledGameWithoutAStartingFileStartsEmpty)
{
    InstalledLayout();
    QDir(root_.filePath(QStringLiteral("usr/share/mortavel/data"))).removeRecursively();
    QDir().mkpath(root_.filePath(QStringLiteral("usr/share/mortavel/Data")));
    EXPECT_EQ(ScoreFilePath(), UserFile());
    LoadHighScores();
    EXPECT_EQ(HighScores[0][0], HighScoreList{});
    ASSERT_TRUE(SaveHighScores());
    EXPECT_TRUE(QFile::exists(UserFile()));
}

TEST_F(ScoreStorage, ReadOnlyProgramFolderUsesThePlayersOwnCopy)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root can write into any folder";
    const QString file = BuildLayout();
    const QByteArray shipped = SampleFile(QStringLiteral("ro"), 700);
    ASSERT_TRUE(WriteAll(file, shipped));
    const QString folder = QFileInfo(file).absolutePath();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(ScoreFilePath(), UserFile());
    LoadHighScores();
    HighScores[0][0].Score[0] = 800;
    EXPECT_TRUE(SaveHighScores());
    testsupport::ClearTable(HighScores);
    LoadHighScores();
    EXPECT_EQ(HighScores[0][0].Score[0], 800) << "the next load reads what was saved";
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ReadAll(file), shipped);
}

TEST_F(ScoreStorage, DiskFullMidSaveKeepsThePreviousFile)
{
    const QString file = BuildLayout();
    FillTable(HighScores, QStringLiteral("before"), 100);
    ASSERT_TRUE(SaveHighScores());
    const QByteArray previous = ReadAll(file);

    FillTable(HighScores, QStringLiteral("after"), 200);
    // A file-size limit makes the write fail part-way, as a full disk would.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 512;
    setrlimit(RLIMIT_FSIZE, &small);
    QString error;
    const bool saved = SaveHighScores(&error);
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

    LoadHighScores();
    EXPECT_EQ(HighScores[0][0].Score[0], 400) << "read from the installed file meanwhile";
    QString error;
    EXPECT_FALSE(SaveHighScores(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadAll(installed), shipped);
    QFile::remove(blocker);
}

} // namespace
