// SPDX-License-Identifier: MIT
#include "DataPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <initializer_list>

namespace {

QString& ProgramDirOverride()
{
    static QString dir;
    return dir;
}

bool HasDataFolder(const QString& dir)
{
    return QFileInfo(dir + QStringLiteral("/data")).isDir()
        || QFileInfo(dir + QStringLiteral("/Data")).isDir();
}

// An installed game keeps its data in <prefix>/share/mortavel, the program
// in <prefix>/bin.
QString InstalledAppPath(const QString& programDir)
{
    return QDir::cleanPath(programDir + QStringLiteral("/../share/mortavel"));
}

QString UserScoreFile()
{
    // Same folder as AppDataLocation for the organisation and application
    // names of the settings store, whatever names main() gives the app.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/Mortavel/Mortavel/HSData.mvt");
}

bool CanWriteBeside(const QString& file)
{
    const QFileInfo info(file);
    const QFileInfo folder(info.absolutePath());
    return folder.isDir() && folder.isWritable() && (!info.exists() || info.isWritable());
}

} // namespace

void SetProgramDirForTesting(const QString& dir)
{
    ProgramDirOverride() = dir.isEmpty() ? QString() : QDir::cleanPath(QDir(dir).absolutePath());
}

QString ProgramDir()
{
    if (!ProgramDirOverride().isEmpty())
        return ProgramDirOverride();
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath();
}

QString AppPath()
{
    const QString programDir = ProgramDir();
    if (HasDataFolder(programDir))
        return programDir;
    const QString installed = InstalledAppPath(programDir);
    if (HasDataFolder(installed))
        return installed;
    return programDir;
}

QString DataDir()
{
    const QString app = AppPath();
    // Older copies of the game name the folder "Data"; both must reach it on
    // a case-sensitive file system.
    for (const char* name : {"data", "Data"}) {
        const QString dir = app + QLatin1Char('/') + QLatin1String(name);
        if (QFileInfo(dir).isDir())
            return dir;
    }
    return app + QStringLiteral("/data");
}

QString InstalledScoreFilePath()
{
    return DataDir() + QStringLiteral("/HSData.mvt");
}

QString ScoreFilePath()
{
    const QString installed = InstalledScoreFilePath();
    const bool installedGame = AppPath() != ProgramDir();
    if (!installedGame && CanWriteBeside(installed))
        return installed;
    return UserScoreFile();
}
