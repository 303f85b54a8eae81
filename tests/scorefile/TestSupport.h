// SPDX-License-Identifier: MIT
#pragma once

#include "HighScoreTable.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <initializer_list>

namespace testsupport {

inline QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline void ClearTable(HighScoreTable& table)
{
    for (auto& row : table) {
        for (HighScoreList& list : row)
            list = HighScoreList{};
    }
}

// A list whose places 0, 1, ... hold the scores, named namePrefix0,
// namePrefix1, ... and dated firstDate, firstDate + 1, ...
inline HighScoreList ListOf(std::initializer_list<vb::Long> scores,
                            const QString& namePrefix = QStringLiteral("P"), double firstDate = 37000)
{
    HighScoreList list;
    int p = 0;
    for (vb::Long score : scores) {
        list.PlayerName[p] = namePrefix + QString::number(p);
        list.Score[p] = score;
        list.EntryDate[p] = firstDate + p;
        ++p;
    }
    return list;
}

} // namespace testsupport
