// SPDX-License-Identifier: MIT
#include "LoaderInvariants.h"

#include "HighScoreFile.h"

#include <cmath>

namespace {

using HighScoreFile::Table;

QString Where(int t, int level, int p)
{
    return QStringLiteral("list (%1,%2) place %3: ").arg(t).arg(level).arg(p);
}

QString CheckTable(const Table& table)
{
    for (int t = 0; t < 4; ++t) {
        for (int level = 0; level < 3; ++level) {
            const HighScoreList& list = table[t][level];
            for (int p = 0; p < 10; ++p) {
                if (p > 0 && list.Score[p] > list.Score[p - 1])
                    return Where(t, level, p) + QStringLiteral("score above the place before");
                const QString& name = list.PlayerName[p];
                if (name.contains(QLatin1Char('\t')) || name.contains(QLatin1Char('\r'))
                    || name.contains(QLatin1Char('\n')))
                    return Where(t, level, p) + QStringLiteral("line break or TAB in the name");
                const double date = list.EntryDate[p];
                if (!std::isfinite(date) || date < -657434.0 || date >= 2958466.0)
                    return Where(t, level, p) + QStringLiteral("date out of range");
            }
        }
    }
    return {};
}

} // namespace

QString CheckLoaderInvariants(const QByteArray& bytes)
{
    // Whatever the table held before, loading must replace all of it.
    Table fromJunk;
    for (auto& row : fromJunk) {
        for (HighScoreList& list : row) {
            for (int p = 0; p < 10; ++p) {
                list.PlayerName[p] = QStringLiteral("\tjunk\n");
                list.Score[p] = p * 1000 - 4000;
                list.EntryDate[p] = std::nan("");
            }
        }
    }
    Table fromEmpty;
    HighScoreFile::Parse(bytes, fromJunk);
    HighScoreFile::Parse(bytes, fromEmpty);
    for (int t = 0; t < 4; ++t) {
        for (int level = 0; level < 3; ++level) {
            if (!(fromJunk[t][level] == fromEmpty[t][level]))
                return Where(t, level, 0) + QStringLiteral("depends on the table's old contents");
        }
    }
    if (QString problem = CheckTable(fromEmpty); !problem.isEmpty())
        return problem;

    // What was loaded must save as exactly 120 CR LF lines and load back
    // to the same places.
    const QByteArray saved = HighScoreFile::Serialize(fromEmpty);
    if (saved.count("\r\n") != HighScoreFile::Lines || saved.count('\r') != HighScoreFile::Lines
        || saved.count('\n') != HighScoreFile::Lines || !saved.endsWith("\r\n"))
        return QStringLiteral("saved file is not 120 CR LF lines");
    Table reloaded;
    HighScoreFile::Parse(saved, reloaded);
    for (int t = 0; t < 4; ++t) {
        for (int level = 0; level < 3; ++level) {
            const HighScoreList& a = fromEmpty[t][level];
            const HighScoreList& b = reloaded[t][level];
            for (int p = 0; p < 10; ++p) {
                if (b.Score[p] != a.Score[p])
                    return Where(t, level, p) + QStringLiteral("score changed by a round trip");
                if (b.PlayerName[p] != HighScoreFile::StorableName(a.PlayerName[p]))
                    return Where(t, level, p) + QStringLiteral("name changed by a round trip");
                if (HighScoreFile::FormatSerial(b.EntryDate[p])
                    != HighScoreFile::FormatSerial(a.EntryDate[p]))
                    return Where(t, level, p) + QStringLiteral("date changed by a round trip");
            }
        }
    }
    if (HighScoreFile::Serialize(reloaded) != saved)
        return QStringLiteral("saving a reloaded table gives other bytes");
    return {};
}
