// SPDX-License-Identifier: MIT
#pragma once

#include "modPublic.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

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
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

inline void ClearTable(HighScoreList (&table)[4][3])
{
    for (auto& row : table) {
        for (HighScoreList& list : row)
            list = HighScoreList{};
    }
}

} // namespace testsupport
