// SPDX-License-Identifier: MIT
// Ranking entry and the day serials of the entry dates.
#include "HighScoreRanking.h"

#include "HighScoreFile.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextBoundaryFinder>
#include <QTimeZone>

#include <cmath>

namespace {

constexpr int MaxNameLength = 12;
constexpr qint64 SecondsPerDay = 86400;

QDate DayZero()
{
    return QDate(1899, 12, 30);
}

} // namespace

QString NormalizeEntryName(const QString& answer)
{
    if (answer.isEmpty())
        return QStringLiteral("名無し少尉");
    // Composed form first, so that a kana with a separate voicing mark counts
    // (and is stored) as the one character it is.
    QString text = answer.normalized(QString::NormalizationForm_C);
    // The file keeps one line per place: line breaks and TABs become spaces
    // before counting, so a CR LF pair cannot hide as one character.
    for (QChar& c : text) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (count < MaxNameLength && finder.toNextBoundary() != -1)
        ++count;
    const qsizetype cut = count < MaxNameLength ? text.size() : finder.position();
    return HighScoreFile::StorableName(text.left(cut));
}

int RankingPlace(const HighScoreList& list, vb::Long points)
{
    if (points < list.Score[9])
        return -1;
    int place = 0;
    for (int j = 9; j >= 0; --j) {
        if (points < list.Score[j])
            break;
        place = j;
    }
    return place;
}

void InsertRanking(HighScoreList& list, int place, const QString& name, vb::Long points, double date)
{
    if (place < 0 || place > 9)
        return;
    for (int j = 9; j > place; --j) {
        list.PlayerName[j] = list.PlayerName[j - 1];
        list.Score[j] = list.Score[j - 1];
        list.EntryDate[j] = list.EntryDate[j - 1];
    }
    list.PlayerName[place] = name;
    list.Score[place] = points;
    list.EntryDate[place] = date;
}

double DateSerialOf(const QDateTime& localTime)
{
    const qint64 days = DayZero().daysTo(localTime.date());
    const qint64 seconds = localTime.time().msecsSinceStartOfDay() / 1000;
    return static_cast<double>(days) + static_cast<double>(seconds) / SecondsPerDay;
}

namespace {

struct DateParts {
    QDate day;
    QTime time;
};

DateParts PartsOfSerial(double date)
{
    if (!std::isfinite(date) || date <= -657435.0 || date >= 2958466.0)
        date = 0.0;
    // Before day zero the whole part still counts days and the fraction is
    // the time of that day, whatever the sign (-1.25 is 29 Dec 1899 06:00).
    double whole = std::trunc(date);
    qint64 seconds = std::llround(std::fabs(date - whole) * SecondsPerDay);
    if (seconds >= SecondsPerDay) {
        seconds -= SecondsPerDay;
        whole += date < 0 ? -1 : 1;
    }
    return {DayZero().addDays(static_cast<qint64>(whole)),
            QTime::fromMSecsSinceStartOfDay(static_cast<int>(seconds * 1000))};
}

} // namespace

QDateTime DateTimeOfSerial(double date)
{
    const DateParts parts = PartsOfSerial(date);
    return QDateTime(parts.day, parts.time);
}

double NowAsDate()
{
    return DateSerialOf(QDateTime::currentDateTime());
}

QString FormatEntryDate(double date)
{
    // From the parts, not a local QDateTime: a time that falls in a daylight
    // saving gap must still show as it was entered.
    const auto [day, time] = PartsOfSerial(date);
    //: Date and time of a ranking entry, as a QDateTime format (yy two-digit year, M month,
    //: d day, H hour, mm minutes; MMM the English month name).
    const QString pattern = QCoreApplication::translate("frmHighScore", "yy年M月d日 H:mm");
    return QLocale::c().toString(QDateTime(day, time, QTimeZone::utc()), pattern);
}
