// SPDX-License-Identifier: MIT
#include "fuzz/LoaderInvariants.h"
#include "HighScoreFile.h"
#include "HighScoreRanking.h"
#include "TestSupport.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

namespace {

using HighScoreFile::Table;

QByteArray Sjis(const QString& text)
{
    QStringEncoder encoder("CP932");
    return encoder.encode(text);
}

QByteArray EmptyFile()
{
    QByteArray bytes;
    for (int n = 0; n < 120; ++n)
        bytes += "\t0\t0\r\n";
    return bytes;
}

// A file of 120 lines where line n (from 0) is replaced by lines[n] when given.
QByteArray FileWith(const QList<QByteArray>& firstLines)
{
    QByteArray bytes;
    for (int n = 0; n < 120; ++n)
        bytes += (n < firstLines.size() ? firstLines[n] : QByteArray("\t0\t0")) + "\r\n";
    return bytes;
}

void FillSample(Table& table)
{
    const QStringList names = {QStringLiteral("山田太郎"),
                               QStringLiteral("すずき"),
                               QStringLiteral("カタカナ艦長"),
                               QStringLiteral("ｻﾄｳ"),
                               QStringLiteral("名無し少尉"),
                               QStringLiteral("Nelson"),
                               QStringLiteral("髙橋①"),
                               QStringLiteral("十二文字の名前もちゃんと"),
                               QString(),
                               QStringLiteral("a b")};
    for (int t = 0; t < 4; ++t) {
        for (int level = 0; level < 3; ++level) {
            HighScoreList& list = table[t][level];
            for (int p = 0; p < 10; ++p) {
                list.PlayerName[p] = names[(p + t + level) % names.size()];
                list.Score[p] = 3000 - 250 * p - 7 * level + t;
                // Distinct dates with seconds: 2003 to 2030.
                const QDateTime when(QDate(2003 + t * 9 + level, 1 + p, 3 + p),
                                     QTime((p * 5) % 24, (p * 7 + t) % 60, (p * 13 + level) % 60));
                // As the file gives it back, so that tables compare equal.
                list.EntryDate[p] =
                    *HighScoreFile::ParseSerial(HighScoreFile::FormatSerial(DateSerialOf(when)));
            }
        }
    }
}

TEST(SerialText, ShortestWithAtMostFifteenDigits)
{
    using HighScoreFile::FormatSerial;
    EXPECT_EQ(FormatSerial(37624.75), QByteArray("37624.75"));
    EXPECT_EQ(FormatSerial(37624.0 + 66615.0 / 86400.0), QByteArray("37624.7710069444"));
    EXPECT_EQ(FormatSerial(37624.0), QByteArray("37624"));
    EXPECT_EQ(FormatSerial(0.0), QByteArray("0"));
    EXPECT_EQ(FormatSerial(-0.0), QByteArray("0"));
    EXPECT_EQ(FormatSerial(-1.25), QByteArray("-1.25"));
    EXPECT_EQ(FormatSerial(1.0 / 3.0), QByteArray("0.333333333333333"));
    // One second after day zero: still no exponent.
    EXPECT_EQ(FormatSerial(1.0 / 86400.0), QByteArray("0.0000115740740740741"));
}

TEST(SerialText, ParsesNumbersInTheDateRangeOnly)
{
    using HighScoreFile::ParseSerial;
    EXPECT_EQ(ParseSerial("37624.75"), 37624.75);
    EXPECT_EQ(ParseSerial(" 37624.75 "), 37624.75);
    EXPECT_EQ(ParseSerial("+.5"), 0.5);
    EXPECT_EQ(ParseSerial("-1.25"), -1.25);
    EXPECT_EQ(ParseSerial("3.7e4"), 37000.0);
    for (const char* bad :
         {"", " ", "abc", "1.2.3", "37624,75", "nan", "inf", "-inf", "1e10", "-1e7", "12x", "0x10", "--1"})
        EXPECT_FALSE(ParseSerial(bad).has_value()) << bad;
}

TEST(ScoreText, WholeNumbersThatFitALong)
{
    using HighScoreFile::ParseScore;
    EXPECT_EQ(ParseScore("0"), 0);
    EXPECT_EQ(ParseScore("-5"), -5);
    EXPECT_EQ(ParseScore("+7"), 7);
    EXPECT_EQ(ParseScore(" 12 "), 12);
    EXPECT_EQ(ParseScore("2147483647"), 2147483647);
    EXPECT_EQ(ParseScore("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "abc", "1.5", "2147483648", "12abc", "+-3", "--1", "1e3", "0x1A"})
        EXPECT_FALSE(ParseScore(bad).has_value()) << bad;
}

TEST(ScoreFileFormat, EmptyTableIsOneHundredTwentyEmptyPlaces)
{
    Table table;
    EXPECT_EQ(HighScoreFile::Serialize(table), EmptyFile());
}

TEST(ScoreFileFormat, LinesRunByTimeThenLevelThenPlaceInShiftJis)
{
    Table table;
    table[2][1].PlayerName[4] = QStringLiteral("名無し少尉");
    table[2][1].Score[4] = -12;
    table[2][1].EntryDate[4] = 37624.75;
    const QList<QByteArray> lines = HighScoreFile::Serialize(table).split('\n');
    ASSERT_EQ(lines.size(), 121);
    EXPECT_TRUE(lines[120].isEmpty());
    // Line n (from 1) = 30 t + 10 level + p + 1.
    EXPECT_EQ(lines[30 * 2 + 10 * 1 + 4],
              QByteArray("\x96\xbc\x96\xb3\x82\xb5\x8f\xad\x88\xd1\t-12\t37624.75\r"));
    EXPECT_EQ(lines[30 * 2 + 10 * 1 + 3], QByteArray("\t0\t0\r"));
}

TEST(ScoreFileFormat, AllPlacesSurviveARoundTrip)
{
    Table table;
    FillSample(table);
    const QByteArray bytes = HighScoreFile::Serialize(table);
    EXPECT_TRUE(bytes.contains(Sjis(QStringLiteral("十二文字の名前もちゃんと"))));
    Table loaded;
    HighScoreFile::Parse(bytes, loaded);
    for (int t = 0; t < 4; ++t) {
        for (int level = 0; level < 3; ++level) {
            for (int p = 0; p < 10; ++p) {
                SCOPED_TRACE(testing::Message() << t << "," << level << "," << p);
                EXPECT_EQ(loaded[t][level].PlayerName[p], table[t][level].PlayerName[p]);
                EXPECT_EQ(loaded[t][level].Score[p], table[t][level].Score[p]);
                EXPECT_EQ(DateTimeOfSerial(loaded[t][level].EntryDate[p]),
                          DateTimeOfSerial(table[t][level].EntryDate[p]));
                EXPECT_NEAR(loaded[t][level].EntryDate[p], table[t][level].EntryDate[p], 1e-9);
            }
        }
    }
    EXPECT_EQ(HighScoreFile::Serialize(loaded), bytes);
}

TEST(ScoreFileFormat, NamesAreMadeStorable)
{
    Table table;
    table[0][0].PlayerName[0] = QStringLiteral("tab\there\r\nx");
    table[0][0].PlayerName[1] = QStringLiteral("😀艦");
    const QByteArray bytes = HighScoreFile::Serialize(table);
    EXPECT_TRUE(bytes.startsWith("tab here  x\t0\t0\r\n?" + Sjis(QStringLiteral("艦")) + "\t0\t0\r\n"));
    EXPECT_EQ(bytes.count('\n'), 120);
}

TEST(ScoreFileLoad, ExtraFieldsAreIgnoredAndEqualScoresKeepTheirOrder)
{
    Table table;
    HighScoreFile::Parse(FileWith({"a\t500\t1\textra\tmore", "b\t500\t2", "c\t500\t3\t"}), table);
    const HighScoreList& list = table[0][0];
    EXPECT_EQ(list.PlayerName[0], QStringLiteral("a"));
    EXPECT_EQ(list.PlayerName[1], QStringLiteral("b"));
    EXPECT_EQ(list.PlayerName[2], QStringLiteral("c"));
    EXPECT_EQ(list.EntryDate[0], 1.0);
    EXPECT_EQ(list.EntryDate[2], 3.0);
}

TEST(ScoreFileLoad, ReplacesEveryPlace)
{
    Table table;
    FillSample(table);
    HighScoreFile::Parse(EmptyFile(), table);
    EXPECT_EQ(HighScoreFile::Serialize(table), EmptyFile());
    FillSample(table);
    HighScoreFile::Parse(QByteArray(), table);
    EXPECT_EQ(HighScoreFile::Serialize(table), EmptyFile()) << "an empty file empties the table";
}

TEST(ScoreFileRepair, ShortFileLeavesTheRestEmpty)
{
    Table full;
    FillSample(full);
    const QByteArray bytes = HighScoreFile::Serialize(full);
    // Cut in the middle of line 36: list (1,0) keeps five places and a half line.
    qsizetype cut = 0;
    for (int n = 0; n < 35; ++n)
        cut = bytes.indexOf("\r\n", cut) + 2;
    Table table;
    FillSample(table);
    HighScoreFile::Parse(bytes.left(cut + 3), table);
    EXPECT_EQ(table[0][0], full[0][0]);
    EXPECT_EQ(table[0][2], full[0][2]);
    for (int p = 0; p < 5; ++p)
        EXPECT_EQ(table[1][0].Score[p], full[1][0].Score[p]);
    for (int p = 5; p < 10; ++p) {
        EXPECT_EQ(table[1][0].Score[p], 0) << "the cut line has no score";
        EXPECT_EQ(table[1][0].PlayerName[p], QString());
    }
    EXPECT_EQ(table[3][2], HighScoreList{});
}

TEST(ScoreFileRepair, UnreadablePlacesBecomeEmptyAndListsAreSortedAgain)
{
    Table table;
    HighScoreFile::Parse(FileWith({"first\t900\t37000",
                                   "noscore",          // one field
                                   "bad\t12.5\t37000", // not a whole number
                                   "huge\t99999999999\t1",
                                   "nodate\t700",        // two fields: score kept
                                   "baddate\t600\tsoon", // date not a number
                                   "neg\t-50\t2", "late\t800\t3"}),
                         table);
    const HighScoreList& list = table[0][0];
    const QStringList expectedNames = {QStringLiteral("first"),
                                       QStringLiteral("late"),
                                       QStringLiteral("nodate"),
                                       QStringLiteral("baddate"),
                                       QString(),
                                       QString(),
                                       QString(),
                                       QString(),
                                       QString(),
                                       QStringLiteral("neg")};
    const vb::Long expectedScores[] = {900, 800, 700, 600, 0, 0, 0, 0, 0, -50};
    for (int p = 0; p < 10; ++p) {
        EXPECT_EQ(list.PlayerName[p], expectedNames[p]) << p;
        EXPECT_EQ(list.Score[p], expectedScores[p]) << p;
    }
    EXPECT_EQ(list.EntryDate[1], 3.0);
    EXPECT_EQ(list.EntryDate[2], 0.0);
    EXPECT_EQ(list.EntryDate[3], 0.0);
}

TEST(ScoreFileRepair, OtherLineEndsAndBadBytes)
{
    Table crlf;
    Table lf;
    Table cr;
    FillSample(crlf);
    const QByteArray bytes = HighScoreFile::Serialize(crlf);
    QByteArray lfBytes = bytes;
    lfBytes.replace("\r\n", "\n");
    QByteArray crBytes = bytes;
    crBytes.replace("\r\n", "\r");
    HighScoreFile::Parse(lfBytes, lf);
    HighScoreFile::Parse(crBytes, cr);
    for (int t = 0; t < 4; ++t) {
        for (int level = 0; level < 3; ++level) {
            EXPECT_EQ(lf[t][level], crlf[t][level]);
            EXPECT_EQ(cr[t][level], crlf[t][level]);
        }
    }

    Table table;
    // Bytes that are not Shift-JIS (a lone lead byte, 0xFF) still give a name.
    HighScoreFile::Parse(FileWith({QByteArray("ab\x81\t100\t1"), QByteArray("\xff\x82\t50\t1")}), table);
    EXPECT_EQ(table[0][0].Score[0], 100);
    EXPECT_TRUE(table[0][0].PlayerName[0].startsWith(QStringLiteral("ab")));
    EXPECT_EQ(table[0][0].Score[1], 50);
    EXPECT_FALSE(table[0][0].PlayerName[1].contains(QChar(0x1A)));
}

TEST(ScoreFileRepair, LinesAfterTheLastPlaceAreNotRead)
{
    Table table;
    HighScoreFile::Parse(EmptyFile() + "intruder\t99999\t1\r\n", table);
    EXPECT_EQ(HighScoreFile::Serialize(table), EmptyFile());
}

TEST(ScoreFileRepair, MalformedFilesKeepTheLoaderInvariants)
{
    Table sample;
    FillSample(sample);
    const QByteArray good = HighScoreFile::Serialize(sample);
    const QByteArray inputs[] = {
        QByteArray(),
        QByteArray("\r\n\r\n\n\r"),
        QByteArray(5000, '\t'),
        QByteArrayLiteral("\xff\xfe\x00\x01\x81\x82\t-2147483648\t-657434\r\n"),
        QByteArray("x\t2147483647\t2958465.9\r\ny\t2147483647\t-0\n"),
        good.left(good.size() / 2),
        good.right(good.size() / 3),
        QByteArray(good).replace('\t', ' '),
        QByteArray(good).replace("\r\n", "\t"),
        QByteArray(good).replace('0', '\xe9'),
    };
    for (const QByteArray& input : inputs) {
        SCOPED_TRACE(input.left(40).toHex().constData());
        EXPECT_EQ(CheckLoaderInvariants(input), QString());
    }
}

} // namespace
