// SPDX-License-Identifier: MIT
#include "HighScoreFile.h"
#include "HighScoreRanking.h"
#include "HighScoreTable.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using testsupport::ListOf;

TEST(RankingPlace, FollowsTheScoresFromTheBottomUp)
{
    const HighScoreList list = ListOf({1000, 900, 800, 700, 600, 500, 400, 300, 200, 100});
    EXPECT_EQ(RankingPlace(list, 5000), 0);
    EXPECT_EQ(RankingPlace(list, 950), 1);
    EXPECT_EQ(RankingPlace(list, 101), 9);
    EXPECT_EQ(RankingPlace(list, 99), -1);
}

TEST(RankingPlace, EqualScoreEntersAboveTheOlderEntries)
{
    const HighScoreList list = ListOf({1000, 900, 800, 700, 600, 500, 400, 300, 200, 100});
    EXPECT_EQ(RankingPlace(list, 100), 9) << "equal to the tenth place still enters";
    EXPECT_EQ(RankingPlace(list, 1000), 0);
    EXPECT_EQ(RankingPlace(ListOf({900, 500, 500, 500, 400, 0, 0, 0, 0, 0}), 500), 1);
}

TEST(RankingPlace, EmptyListTakesEvenZeroPointsAtTheTop)
{
    EXPECT_EQ(RankingPlace(HighScoreList{}, 0), 0);
    EXPECT_EQ(RankingPlace(HighScoreList{}, 250), 0);
    EXPECT_EQ(RankingPlace(ListOf({300, 200, 0, 0, 0, 0, 0, 0, 0, 0}), 0), 2);
}

TEST(InsertRanking, ShiftsTheLowerPlacesDownAndDropsTheTenth)
{
    HighScoreList list = ListOf({1000, 900, 800, 700, 600, 500, 400, 300, 200, 100});
    const HighScoreList before = list;
    InsertRanking(list, RankingPlace(list, 850), QStringLiteral("新人"), 850, 40000.5);
    EXPECT_EQ(list.PlayerName[2], QStringLiteral("新人"));
    EXPECT_EQ(list.Score[2], 850);
    EXPECT_EQ(list.EntryDate[2], 40000.5);
    for (int p = 0; p < 2; ++p)
        EXPECT_EQ(list.PlayerName[p], before.PlayerName[p]);
    for (int p = 3; p < 10; ++p) {
        // Name, score and date move together.
        EXPECT_EQ(list.PlayerName[p], before.PlayerName[p - 1]);
        EXPECT_EQ(list.Score[p], before.Score[p - 1]);
        EXPECT_EQ(list.EntryDate[p], before.EntryDate[p - 1]);
    }
}

TEST(InsertRanking, FirstAndLastPlace)
{
    HighScoreList list = ListOf({1000, 900, 800, 700, 600, 500, 400, 300, 200, 100});
    const HighScoreList before = list;
    InsertRanking(list, 0, QStringLiteral("top"), 2000, 1.0);
    EXPECT_EQ(list.Score[0], 2000);
    for (int p = 1; p < 10; ++p)
        EXPECT_EQ(list.Score[p], before.Score[p - 1]);

    list = before;
    InsertRanking(list, 9, QStringLiteral("last"), 100, 1.0);
    EXPECT_EQ(list.PlayerName[9], QStringLiteral("last"));
    for (int p = 0; p < 9; ++p)
        EXPECT_EQ(list.PlayerName[p], before.PlayerName[p]);

    list = before;
    InsertRanking(list, -1, QStringLiteral("nobody"), 1, 1.0);
    InsertRanking(list, 10, QStringLiteral("nobody"), 1, 1.0);
    EXPECT_EQ(list, before) << "a place outside the list changes nothing";
}

TEST(InsertRanking, EqualScoresKeepTheNewestOnTop)
{
    HighScoreList list;
    InsertRanking(list, RankingPlace(list, 0), QStringLiteral("first"), 0, 1.0);
    InsertRanking(list, RankingPlace(list, 0), QStringLiteral("second"), 0, 2.0);
    EXPECT_EQ(list.PlayerName[0], QStringLiteral("second"));
    EXPECT_EQ(list.PlayerName[1], QStringLiteral("first"));
    EXPECT_EQ(list.PlayerName[2], QString());
}

TEST(EntryName, EmptyOrCancelledGivesTheNamelessOfficer)
{
    EXPECT_EQ(NormalizeEntryName(QString()), QStringLiteral("名無し少尉"));
    EXPECT_EQ(NormalizeEntryName(QStringLiteral("")), QStringLiteral("名無し少尉"));
}

TEST(EntryName, CutToTwelveCharactersNotBytes)
{
    const QString twelve = QStringLiteral("戦艦大和の砲術長やまとです");
    ASSERT_EQ(twelve.size(), 13);
    EXPECT_EQ(NormalizeEntryName(twelve.left(12)), twelve.left(12));
    EXPECT_EQ(NormalizeEntryName(twelve), twelve.left(12));
    EXPECT_EQ(NormalizeEntryName(QStringLiteral("abcdefghijklmnop")), QStringLiteral("abcdefghijkl"));
    EXPECT_EQ(NormalizeEntryName(QStringLiteral("ｱｲｳｴｵｶｷｸｹｺｻｼｽ")), QStringLiteral("ｱｲｳｴｵｶｷｸｹｺｻｼ"));
}

TEST(EntryName, LineBreaksAndTabsBecomeSpaces)
{
    EXPECT_EQ(NormalizeEntryName(QStringLiteral("a\tb\rc\nd")), QStringLiteral("a b c d"));
    // A CR LF pair is two characters of the name, not one.
    EXPECT_EQ(NormalizeEntryName(QStringLiteral("ab\r\ncdefghijklm")), QStringLiteral("ab  cdefghij"));
}

TEST(EntryName, CharactersTheFileCannotHoldBecomeQuestionMarks)
{
    EXPECT_EQ(NormalizeEntryName(QStringLiteral("艦長😀")), QStringLiteral("艦長?"));
    // A flag is two code points but one character: one mark, and it counts once.
    EXPECT_EQ(NormalizeEntryName(QStringLiteral("🇯🇵abcdefghijklm")), QStringLiteral("?abcdefghijk"));
    EXPECT_EQ(NormalizeEntryName(QStringLiteral("café")), QStringLiteral("caf?"));
    EXPECT_EQ(NormalizeEntryName(QString(QChar(0xD800)) + QStringLiteral("x")), QStringLiteral("?x"));
    // A kana typed with a separate voicing mark is stored as the composed kana.
    EXPECT_EQ(NormalizeEntryName(QStringLiteral("か\u3099")), QStringLiteral("が"));
    // Characters of the Windows extensions of Shift-JIS are kept.
    EXPECT_EQ(NormalizeEntryName(QStringLiteral("髙橋①～")), QStringLiteral("髙橋①～"));
}

TEST(EntryDate, FormatsAsTwoDigitYearAndMinutes)
{
    EXPECT_EQ(FormatEntryDate(0), QStringLiteral("99年12月30日 0:00"));
    EXPECT_EQ(FormatEntryDate(37624.75), QStringLiteral("03年1月3日 18:00"));
    EXPECT_EQ(FormatEntryDate(37624.7710069444), QStringLiteral("03年1月3日 18:30"));
    EXPECT_EQ(FormatEntryDate(37624.0), QStringLiteral("03年1月3日 0:00"));
    EXPECT_EQ(FormatEntryDate(36525.999988), QStringLiteral("99年12月31日 23:59"));
    // A hair below a minute is that minute: dates are kept to the second.
    EXPECT_EQ(FormatEntryDate(37624.7708333333), QStringLiteral("03年1月3日 18:30"));
    EXPECT_EQ(FormatEntryDate(-1.25), QStringLiteral("99年12月29日 6:00"));
    EXPECT_EQ(FormatEntryDate(std::nan("")), QStringLiteral("99年12月30日 0:00"));
}

TEST(EntryDate, SerialsRoundTripToTheSecond)
{
    const QDateTime when(QDate(2003, 1, 3), QTime(18, 30, 15));
    EXPECT_DOUBLE_EQ(DateSerialOf(when), 37624.0 + 66615.0 / 86400.0);
    EXPECT_EQ(HighScoreFile::FormatSerial(DateSerialOf(when)), QByteArray("37624.7710069444"));
    for (const QDateTime& t :
         {when, QDateTime(QDate(1899, 12, 30), QTime(0, 0)), QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)),
          QDateTime(QDate(2099, 12, 31), QTime(0, 0, 1))}) {
        const double serial = DateSerialOf(t);
        EXPECT_EQ(DateTimeOfSerial(serial), t) << qPrintable(t.toString(Qt::ISODate));
        const auto reread = HighScoreFile::ParseSerial(HighScoreFile::FormatSerial(serial));
        ASSERT_TRUE(reread.has_value());
        EXPECT_EQ(DateTimeOfSerial(*reread), t);
    }
}

TEST(EntryDate, NowIsWholeSeconds)
{
    const double before = DateSerialOf(QDateTime::currentDateTime());
    const double now = NowAsDate();
    EXPECT_GE(now, before);
    EXPECT_LT(now - before, 2.0 / 86400);
    const double seconds = now * 86400;
    EXPECT_NEAR(seconds, std::round(seconds), 1e-3);
}

} // namespace
