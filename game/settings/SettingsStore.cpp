// SPDX-License-Identifier: MIT
#include "SettingsStore.h"

#include <QByteArrayView>
#include <QSettings>

#include <algorithm>
#include <iterator>
#include <optional>

namespace {

QSettings OpenStore()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Mortavel"),
                     QStringLiteral("Mortavel"));
}

// The stored text converted to Integer as CInt converts it: a decimal number
// with an optional sign and fraction, spaces around it allowed, rounded to
// the nearest whole number and an exact half to the even one ("180.0" is
// 180, "2.5" is 2). The digits are rounded as written, so no binary fraction
// decides a half. Text that is no number ("abc", "", "1e1", "0x5") and a
// number that overflows 16 bits ("99999", "32767.5") are invalid.
std::optional<vb::Integer> ParseInteger(const QString& text)
{
    const QByteArray ascii = text.trimmed().toLatin1();
    QByteArrayView rest(ascii);
    bool negative = false;
    if (!rest.isEmpty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest = rest.sliced(1);
    }
    const qsizetype point = rest.indexOf('.');
    QByteArrayView whole = point < 0 ? rest : rest.first(point);
    const QByteArrayView fraction = point < 0 ? QByteArrayView() : rest.sliced(point + 1);
    const auto digits = [](QByteArrayView part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if ((whole.isEmpty() && fraction.isEmpty()) || !digits(whole) || !digits(fraction))
        return std::nullopt;
    while (whole.size() > 1 && whole.front() == '0')
        whole = whole.sliced(1);
    if (whole.size() > 5)
        return std::nullopt;
    int magnitude = 0;
    for (char c : whole)
        magnitude = magnitude * 10 + (c - '0');
    if (!fraction.isEmpty()) {
        const bool pastHalf =
            std::any_of(fraction.begin() + 1, fraction.end(), [](char c) { return c != '0'; });
        const char first = fraction.front();
        if (first > '5' || (first == '5' && (pastHalf || magnitude % 2 != 0)))
            ++magnitude;
    }
    const int value = negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return static_cast<vb::Integer>(value);
}

struct SettingCheck {
    const char* key;
    vb::Integer GameSettings::*field;
    bool (*allowed)(int);
};

constexpr SettingCheck Checks[] = {
    {"EnemyMax", &GameSettings::EnemyMax, rules::IsAllowedEnemyMax},
    {"TimeLimit", &GameSettings::TimeLimit, rules::IsAllowedTimeLimit},
    {"GameLevel", &GameSettings::GameLevel, rules::IsAllowedGameLevel},
};

} // namespace

GameSettings ReadSettings()
{
    const GameSettings defaults;
    GameSettings settings;
    // All three are read before any is checked or written back.
    bool readable[std::size(Checks)] = {};
    {
        QSettings store = OpenStore();
        for (std::size_t i = 0; i < std::size(Checks); ++i) {
            const QVariant stored = store.value(QStringLiteral("Config/") + QLatin1String(Checks[i].key));
            if (!stored.isValid()) {
                settings.*Checks[i].field = defaults.*Checks[i].field;
                readable[i] = true;
                continue;
            }
            const auto value = stored.canConvert<QString>() ? ParseInteger(stored.toString()) : std::nullopt;
            readable[i] = value.has_value();
            settings.*Checks[i].field = value.value_or(0);
        }
    }
    for (std::size_t i = 0; i < std::size(Checks); ++i) {
        if (readable[i] && Checks[i].allowed(settings.*Checks[i].field))
            continue;
        settings.*Checks[i].field = defaults.*Checks[i].field;
        SaveConfigSetting(QLatin1String(Checks[i].key), defaults.*Checks[i].field);
    }
    return settings;
}

void SaveSettings(const GameSettings& settings)
{
    for (const SettingCheck& check : Checks)
        SaveConfigSetting(QLatin1String(check.key), settings.*check.field);
}

void SaveConfigSetting(const QString& key, int value)
{
    SaveSetting(QStringLiteral("Config"), key, QString::number(value));
}

void SaveSetting(const QString& section, const QString& key, const QString& value)
{
    QSettings store = OpenStore();
    store.setValue(section + QLatin1Char('/') + key, value);
}
