// SPDX-License-Identifier: MIT
// The starting score file shipped with the game must load without any repair.
#include "fuzz/LoaderInvariants.h"
#include "HighScoreFile.h"
#include "HighScoreRanking.h"
#include "TestSupport.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

namespace {

class InstalledFile : public testing::Test {
protected:
    void SetUp() override
    {
        bytes_ = testsupport::ReadAll(QStringLiteral(MORTAVEL_SOURCE_DATA "/HSData.mvt"));
        ASSERT_FALSE(bytes_.isEmpty());
    }
    QByteArray bytes_;
};

TEST_F(InstalledFile, IsOneHundredTwentyShiftJisLinesOfThreeFields)
{
    EXPECT_EQ(bytes_.count("\r\n"), 120);
    EXPECT_EQ(bytes_.count('\r'), 120);
    EXPECT_EQ(bytes_.count('\n'), 120);
    EXPECT_TRUE(bytes_.endsWith("\r\n"));

    QStringDecoder decoder("CP932");
    const QString text = decoder.decode(bytes_);
    EXPECT_FALSE(decoder.hasError());
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    for (int n = 0; n < 120; ++n) {
        const QStringList fields = lines[n].split(QLatin1Char('\t'));
        ASSERT_EQ(fields.size(), 3) << "line " << n + 1;
        EXPECT_FALSE(fields[0].isEmpty()) << "line " << n + 1;
        EXPECT_LE(fields[0].size(), 12) << "line " << n + 1;
        EXPECT_TRUE(HighScoreFile::ParseScore(fields[1].toLatin1()).has_value()) << n + 1;
        EXPECT_TRUE(HighScoreFile::ParseSerial(fields[2].toLatin1()).has_value()) << n + 1;
    }
}

TEST_F(InstalledFile, ListsDecreaseAndDatesArePlausible)
{
    HighScoreTable table;
    HighScoreFile::Parse(bytes_, table);
    // Written exactly as the game writes it, so no place was repaired or moved.
    EXPECT_EQ(HighScoreFile::Serialize(table), bytes_);
    const double earliest = DateSerialOf(QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
    const double latest = NowAsDate();
    for (int t = 0; t < 4; ++t) {
        for (int level = 0; level < 3; ++level) {
            const HighScoreList& list = table[t][level];
            for (int p = 0; p < 10; ++p) {
                SCOPED_TRACE(testing::Message() << t << "," << level << "," << p);
                if (p > 0) {
                    EXPECT_LT(list.Score[p], list.Score[p - 1]);
                }
                EXPECT_GT(list.Score[p], 0);
                EXPECT_GT(list.EntryDate[p], earliest);
                EXPECT_LT(list.EntryDate[p], latest);
            }
        }
    }
    EXPECT_EQ(CheckLoaderInvariants(bytes_), QString());
}

} // namespace
