// SPDX-License-Identifier: MIT
#include "SettingsStore.h"

#include <QSettings>

#include <gtest/gtest.h>

#include <tuple>

namespace {

QSettings Store()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Mortavel"),
                     QStringLiteral("Mortavel"));
}

class Settings : public testing::Test {
protected:
    void SetUp() override
    {
        QSettings store = Store();
        store.clear();
        read = GameSettings{0, 0, 0};
    }

    static void Put(const char* key, const QString& text)
    {
        QSettings store = Store();
        store.setValue(QStringLiteral("Config/") + QLatin1String(key), text);
    }
    static QVariant Stored(const char* key)
    {
        QSettings store = Store();
        return store.value(QStringLiteral("Config/") + QLatin1String(key));
    }
    // What the last ReadSettings gave.
    GameSettings read;
    // After a read of three invalid values: the defaults, in force and stored.
    void ExpectDefaultsWrittenBack() const
    {
        EXPECT_EQ(read.EnemyMax, 5);
        EXPECT_EQ(read.TimeLimit, 150);
        EXPECT_EQ(read.GameLevel, 1);
        EXPECT_EQ(Stored("EnemyMax").toString(), QStringLiteral("5"));
        EXPECT_EQ(Stored("TimeLimit").toString(), QStringLiteral("150"));
        EXPECT_EQ(Stored("GameLevel").toString(), QStringLiteral("1"));
    }
};

TEST_F(Settings, EmptyStoreGivesDefaultsAndWritesNothing)
{
    read = ReadSettings();
    EXPECT_EQ(read.EnemyMax, 5);
    EXPECT_EQ(read.TimeLimit, 150);
    EXPECT_EQ(read.GameLevel, 1);
    EXPECT_TRUE(Store().allKeys().isEmpty());
}

TEST_F(Settings, StoredValidValuesAreReadAndLeftAlone)
{
    for (auto [e, t, l] : {std::tuple{"3", "120", "0"}, {"7", "210", "2"}, {"5", "180", "1"}}) {
        Put("EnemyMax", QLatin1String(e));
        Put("TimeLimit", QLatin1String(t));
        Put("GameLevel", QLatin1String(l));
        read = ReadSettings();
        EXPECT_EQ(read.EnemyMax, QByteArray(e).toInt());
        EXPECT_EQ(read.TimeLimit, QByteArray(t).toInt());
        EXPECT_EQ(read.GameLevel, QByteArray(l).toInt());
    }
}

TEST_F(Settings, OutOfRangeValuesFallBackToDefaultsAndAreWrittenBack)
{
    Put("EnemyMax", QStringLiteral("4"));
    Put("TimeLimit", QStringLiteral("200"));
    Put("GameLevel", QStringLiteral("3"));
    read = ReadSettings();
    ExpectDefaultsWrittenBack();

    Put("GameLevel", QStringLiteral("-1"));
    read = ReadSettings();
    EXPECT_EQ(read.GameLevel, 1);
    EXPECT_EQ(Stored("GameLevel").toString(), QStringLiteral("1"));
}

TEST_F(Settings, TextThatIsNoSixteenBitNumberIsInvalid)
{
    const char* texts[] = {
        "abc", "",    "99999", "-40000", "5x",  "0x5",     "++5",      "+-5",
        "5 5", "1e1", ".",     "5..0",   "1,5", "32767.5", "-32768.6", "100000000000000000000.0"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        Put("EnemyMax", QLatin1String(text));
        Put("TimeLimit", QLatin1String(text));
        Put("GameLevel", QLatin1String(text));
        read = ReadSettings();
        ExpectDefaultsWrittenBack();
    }
}

TEST_F(Settings, DecimalNumbersAreRoundedHalfToEvenBeforeTheCheck)
{
    // Rounded to an allowed value: kept, and the stored text is left alone.
    const std::tuple<const char*, const char*, int> kept[] = {
        {"TimeLimit", "180.0", 180},  {"TimeLimit", "209.5", 210},    {"TimeLimit", "150.5", 150},
        {"TimeLimit", "119.50", 120}, {"TimeLimit", "0000210.", 210}, {"EnemyMax", "7.4", 7},
        {"EnemyMax", "2.51", 3},      {"GameLevel", "2.5", 2},        {"GameLevel", "1.5", 2},
        {"GameLevel", "0.5", 0},      {"GameLevel", "-0.4", 0},       {"GameLevel", ".5", 0},
        {"GameLevel", " +1.0 ", 1},
    };
    for (const auto& [key, text, value] : kept) {
        SCOPED_TRACE(text);
        SetUp();
        Put(key, QLatin1String(text));
        read = ReadSettings();
        const vb::Integer got = QByteArray(key) == "TimeLimit" ? read.TimeLimit
            : QByteArray(key) == "EnemyMax"                    ? read.EnemyMax
                                                               : read.GameLevel;
        EXPECT_EQ(got, value);
        EXPECT_EQ(Stored(key).toString(), QLatin1String(text)) << "a valid value is not written";
    }

    // Rounded to a value outside the set: the default, written back.
    Put("EnemyMax", QStringLiteral("5.5"));    // 6
    Put("TimeLimit", QStringLiteral("180.6")); // 181
    Put("GameLevel", QStringLiteral("7.4"));   // 7
    read = ReadSettings();
    ExpectDefaultsWrittenBack();
    Put("EnemyMax", QStringLiteral("6.5")); // 6, the even neighbour, not 7
    read = ReadSettings();
    EXPECT_EQ(read.EnemyMax, 5);
    EXPECT_EQ(Stored("EnemyMax").toString(), QStringLiteral("5"));
}

TEST_F(Settings, SpacesAroundANumberAndAPlusSignAreAccepted)
{
    Put("EnemyMax", QStringLiteral(" 7 "));
    Put("TimeLimit", QStringLiteral("\t210"));
    Put("GameLevel", QStringLiteral("+0"));
    read = ReadSettings();
    EXPECT_EQ(read.EnemyMax, 7);
    EXPECT_EQ(read.TimeLimit, 210);
    EXPECT_EQ(read.GameLevel, 0);
    // Valid, so not rewritten.
    EXPECT_EQ(Stored("EnemyMax").toString(), QStringLiteral(" 7 "));
}

TEST_F(Settings, OnlyTheInvalidSettingIsRewritten)
{
    Put("EnemyMax", QStringLiteral("abc"));
    Put("TimeLimit", QStringLiteral(" 180"));
    read = ReadSettings();
    EXPECT_EQ(read.EnemyMax, 5);
    EXPECT_EQ(read.TimeLimit, 180);
    EXPECT_EQ(Stored("EnemyMax").toString(), QStringLiteral("5"));
    EXPECT_EQ(Stored("TimeLimit").toString(), QStringLiteral(" 180"));
    EXPECT_FALSE(Stored("GameLevel").isValid()) << "a missing key stays missing";
}

TEST_F(Settings, SavedSettingsAreWhatTheNextReadGives)
{
    SaveSettings(GameSettings{3, 210, 2});
    EXPECT_EQ(Stored("TimeLimit").toString(), QStringLiteral("210"));
    EXPECT_EQ(ReadSettings(), (GameSettings{3, 210, 2}));

    SaveSetting(QStringLiteral("UpdateInfo"), QStringLiteral("CurrentVersion"), QStringLiteral("1.00.0000"));
    EXPECT_EQ(Store().value(QStringLiteral("UpdateInfo/CurrentVersion")).toString(),
              QStringLiteral("1.00.0000"));
}

} // namespace
