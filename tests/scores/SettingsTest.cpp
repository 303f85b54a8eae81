// SPDX-License-Identifier: MIT
#include "modPublic.h"
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
        EnemyMax = TimeLimit = GameLevel = 0;
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
    // After a read of three invalid values: the defaults, in force and stored.
    static void ExpectDefaultsWrittenBack()
    {
        EXPECT_EQ(EnemyMax, 5);
        EXPECT_EQ(TimeLimit, 150);
        EXPECT_EQ(GameLevel, 1);
        EXPECT_EQ(Stored("EnemyMax").toString(), QStringLiteral("5"));
        EXPECT_EQ(Stored("TimeLimit").toString(), QStringLiteral("150"));
        EXPECT_EQ(Stored("GameLevel").toString(), QStringLiteral("1"));
    }
};

TEST_F(Settings, EmptyStoreGivesDefaultsAndWritesNothing)
{
    ReadSettings();
    EXPECT_EQ(EnemyMax, 5);
    EXPECT_EQ(TimeLimit, 150);
    EXPECT_EQ(GameLevel, 1);
    EXPECT_TRUE(Store().allKeys().isEmpty());
}

TEST_F(Settings, StoredValidValuesAreReadAndLeftAlone)
{
    for (auto [e, t, l] : {std::tuple{"3", "120", "0"}, {"7", "210", "2"}, {"5", "180", "1"}}) {
        Put("EnemyMax", QLatin1String(e));
        Put("TimeLimit", QLatin1String(t));
        Put("GameLevel", QLatin1String(l));
        ReadSettings();
        EXPECT_EQ(EnemyMax, QByteArray(e).toInt());
        EXPECT_EQ(TimeLimit, QByteArray(t).toInt());
        EXPECT_EQ(GameLevel, QByteArray(l).toInt());
    }
}

TEST_F(Settings, OutOfRangeValuesFallBackToDefaultsAndAreWrittenBack)
{
    Put("EnemyMax", QStringLiteral("4"));
    Put("TimeLimit", QStringLiteral("200"));
    Put("GameLevel", QStringLiteral("3"));
    ReadSettings();
    ExpectDefaultsWrittenBack();

    Put("GameLevel", QStringLiteral("-1"));
    ReadSettings();
    EXPECT_EQ(GameLevel, 1);
    EXPECT_EQ(Stored("GameLevel").toString(), QStringLiteral("1"));
}

TEST_F(Settings, TextThatIsNoSixteenBitNumberIsInvalid)
{
    const char* texts[] = {"abc", "", "99999", "-40000", "5x", "0x5", "++5", "+-5", "5 5", "1e1",
                           ".", "5..0", "1,5", "32767.5", "-32768.6", "100000000000000000000.0"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        Put("EnemyMax", QLatin1String(text));
        Put("TimeLimit", QLatin1String(text));
        Put("GameLevel", QLatin1String(text));
        ReadSettings();
        EXPECT_EQ(EnemyMax, 5);
        EXPECT_EQ(TimeLimit, 150);
        EXPECT_EQ(GameLevel, 1);
        EXPECT_EQ(Stored("EnemyMax").toString(), QStringLiteral("5"));
        EXPECT_EQ(Stored("TimeLimit").toString(), QStringLiteral("150"));
        EXPECT_EQ(Stored("GameLevel").toString(), QStringLiteral("1"));
    }
}

TEST_F(Settings, DecimalNumbersAreRoundedHalfToEvenBeforeTheCheck)
{
    // Rounded to an allowed value: kept, and the stored text is left alone.
    const std::tuple<const char*, const char*, int> kept[] = {
        {"TimeLimit", "180.0", 180}, {"TimeLimit", "209.5", 210}, {"TimeLimit", "150.5", 150},
        {"TimeLimit", "119.50", 120}, {"TimeLimit", "0000210.", 210}, {"EnemyMax", "7.4", 7},
        {"EnemyMax", "2.51", 3}, {"GameLevel", "2.5", 2}, {"GameLevel", "1.5", 2},
        {"GameLevel", "0.5", 0}, {"GameLevel", "-0.4", 0}, {"GameLevel", ".5", 0},
        {"GameLevel", " +1.0 ", 1},
    };
    for (const auto& [key, text, value] : kept) {
        SCOPED_TRACE(text);
        SetUp();
        Put(key, QLatin1String(text));
        ReadSettings();
        const vb::Integer read = QByteArray(key) == "TimeLimit" ? TimeLimit
                               : QByteArray(key) == "EnemyMax"  ? EnemyMax
                                                                : GameLevel;
        EXPECT_EQ(read, value);
        EXPECT_EQ(Stored(key).toString(), QLatin1String(text)) << "a valid value is not written";
    }

    // Rounded to a value outside the set: the default, written back.
    Put("EnemyMax", QStringLiteral("5.5")); // 6
    Put("TimeLimit", QStringLiteral("180.6")); // 181
    Put("GameLevel", QStringLiteral("7.4")); // 7
    ReadSettings();
    ExpectDefaultsWrittenBack();
    Put("EnemyMax", QStringLiteral("6.5")); // 6, the even neighbour, not 7
    ReadSettings();
    EXPECT_EQ(EnemyMax, 5);
    EXPECT_EQ(Stored("EnemyMax").toString(), QStringLiteral("5"));
}

TEST_F(Settings, SpacesAroundANumberAndAPlusSignAreAccepted)
{
    Put("EnemyMax", QStringLiteral(" 7 "));
    Put("TimeLimit", QStringLiteral("\t210"));
    Put("GameLevel", QStringLiteral("+0"));
    ReadSettings();
    EXPECT_EQ(EnemyMax, 7);
    EXPECT_EQ(TimeLimit, 210);
    EXPECT_EQ(GameLevel, 0);
    // Valid, so not rewritten.
    EXPECT_EQ(Stored("EnemyMax").toString(), QStringLiteral(" 7 "));
}

TEST_F(Settings, OnlyTheInvalidSettingIsRewritten)
{
    Put("EnemyMax", QStringLiteral("abc"));
    Put("TimeLimit", QStringLiteral(" 180"));
    ReadSettings();
    EXPECT_EQ(EnemyMax, 5);
    EXPECT_EQ(TimeLimit, 180);
    EXPECT_EQ(Stored("EnemyMax").toString(), QStringLiteral("5"));
    EXPECT_EQ(Stored("TimeLimit").toString(), QStringLiteral(" 180"));
    EXPECT_FALSE(Stored("GameLevel").isValid()) << "a missing key stays missing";
}

TEST_F(Settings, SavedSettingsAreWhatTheNextReadGives)
{
    SaveConfigSetting(QStringLiteral("EnemyMax"), 3);
    SaveConfigSetting(QStringLiteral("TimeLimit"), 210);
    SaveConfigSetting(QStringLiteral("GameLevel"), 2);
    EXPECT_EQ(Stored("TimeLimit").toString(), QStringLiteral("210"));
    ReadSettings();
    EXPECT_EQ(EnemyMax, 3);
    EXPECT_EQ(TimeLimit, 210);
    EXPECT_EQ(GameLevel, 2);

    SaveSetting(QStringLiteral("UpdateInfo"), QStringLiteral("CurrentVersion"),
                QStringLiteral("1.00.0000"));
    EXPECT_EQ(Store().value(QStringLiteral("UpdateInfo/CurrentVersion")).toString(),
              QStringLiteral("1.00.0000"));
}

TEST(ChoiceIndices, MapBothWaysAndRoundDown)
{
    EXPECT_EQ(TimeIndexOf(180), 2);
    EXPECT_EQ(EnemyChoiceOf(7), 2);
    for (int choice = 0; choice < 3; ++choice)
        EXPECT_EQ(EnemyChoiceOf(EnemyMaxOfChoice(choice)), choice);
    for (int choice = 0; choice < 4; ++choice)
        EXPECT_EQ(TimeIndexOf(TimeLimitOfChoice(choice)), choice);
    EXPECT_EQ(EnemyMaxOfChoice(0), 3);
    EXPECT_EQ(TimeLimitOfChoice(3), 210);
    // Values between the allowed ones, and below them, round towards minus infinity.
    EXPECT_EQ(EnemyChoiceOf(4), 0);
    EXPECT_EQ(TimeIndexOf(209), 2);
    EXPECT_EQ(TimeIndexOf(119), -1);
    EXPECT_EQ(EnemyChoiceOf(0), -2);
}

} // namespace
