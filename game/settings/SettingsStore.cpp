// SPDX-License-Identifier: MIT
#include "SettingsStore.h"

#include "modPublic.h"

#include <QByteArrayView>
#include <QSettings>

#include <algorithm>
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
        const bool pastHalf = std::any_of(fraction.begin() + 1, fraction.end(),
                                          [](char c) { return c != '0'; });
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
    vb::Integer* global;
    vb::Integer defaultValue;
    bool (*allowed)(int);
};

} // namespace

void ReadSettings()
{
    const SettingCheck checks[] = {
        {"EnemyMax", &EnemyMax, 5, [](int v) { return v == 3 || v == 5 || v == 7; }},
        {"TimeLimit", &TimeLimit, 150,
         [](int v) { return v == 120 || v == 150 || v == 180 || v == 210; }},
        {"GameLevel", &GameLevel, 1, [](int v) { return v >= 0 && v <= 2; }},
    };

    // All three are read before any is checked or written back.
    bool readable[3] = {};
    {
        QSettings store = OpenStore();
        for (int i = 0; i < 3; ++i) {
            const QVariant stored = store.value(QStringLiteral("Config/") +
                                                QLatin1String(checks[i].key));
            if (!stored.isValid()) {
                *checks[i].global = checks[i].defaultValue;
                readable[i] = true;
                continue;
            }
            const auto value = stored.canConvert<QString>() ? ParseInteger(stored.toString())
                                                            : std::nullopt;
            readable[i] = value.has_value();
            *checks[i].global = value.value_or(0);
        }
    }
    for (int i = 0; i < 3; ++i) {
        if (readable[i] && checks[i].allowed(*checks[i].global))
            continue;
        *checks[i].global = checks[i].defaultValue;
        SaveConfigSetting(QLatin1String(checks[i].key), checks[i].defaultValue);
    }
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

namespace {
int FloorDiv(int a, int b)
{
    const int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}
} // namespace

int EnemyChoiceOf(int enemyMax) { return FloorDiv(enemyMax - 3, 2); }
int TimeIndexOf(int timeLimit) { return FloorDiv(timeLimit - 120, 30); }
int EnemyMaxOfChoice(int choice) { return 2 * choice + 3; }
int TimeLimitOfChoice(int choice) { return 30 * choice + 120; }
