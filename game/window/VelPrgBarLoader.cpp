// SPDX-License-Identifier: MIT
#include "VelPrgBarLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#include <optional>

namespace {

// The library file the game was written for: VELPRGBAR_API_VERSION 1 lives
// in soname 1.
constexpr int LibraryMajorVersion = 1;

struct LoaderState {
    std::optional<QStringList> searchPaths;
    bool tried = false;
    const VpbApi* api = nullptr;
    QString error;
};

LoaderState& state()
{
    static LoaderState s;
    return s;
}

// Candidate files in one folder: the plain name first, then any versioned
// file, since an installed library may come without its development link.
QStringList candidatesIn(const QString& folder)
{
    QStringList files;
    const QDir dir(folder);
    if (!dir.exists())
        return files;
    const QString plain = dir.filePath(QStringLiteral("libVelPrgBar.so"));
    if (QFile::exists(plain))
        files << plain;
    const QStringList versioned = dir.entryList({QStringLiteral("libVelPrgBar.so.*")},
                                                QDir::Files | QDir::System, QDir::Name | QDir::Reversed);
    for (const QString& name : versioned)
        files << dir.filePath(name);
    return files;
}

// file is a path, or with major >= 0 a library name for the dynamic loader
// to look for on the system's library path.
const VpbApi* tryLoad(const QString& file, QString* reason, int major = -1)
{
    // Never unloaded: the control's widgets live on the library's code.
    auto* library = major >= 0 ? new QLibrary(file, major) : new QLibrary(file);
    if (!library->load()) {
        *reason = library->errorString();
        delete library;
        return nullptr;
    }
    auto getApi = reinterpret_cast<VelPrgBar_GetApiFn>(library->resolve(VELPRGBAR_ENTRY_POINT));
    if (!getApi) {
        *reason = QCoreApplication::translate("VelPrgBarLoader", "%1: %2 がありません")
                      .arg(file, QStringLiteral(VELPRGBAR_ENTRY_POINT));
        return nullptr;
    }
    const VpbApi* api = getApi(VELPRGBAR_API_VERSION);
    if (!api || api->version != VELPRGBAR_API_VERSION || !api->create || !api->invoke || !api->destroy
        || !api->widget) {
        *reason =
            QCoreApplication::translate("VelPrgBarLoader", "%1: インターフェイス版 %2 に対応していません")
                .arg(file)
                .arg(VELPRGBAR_API_VERSION);
        return nullptr;
    }
    return api;
}

} // namespace

QStringList VelPrgBarLoader::defaultSearchPaths()
{
    QStringList folders;
    folders << QCoreApplication::applicationDirPath();
#ifdef MORTAVEL_LIBDIR_FROM_BINDIR
    // An install under any prefix: the library folder relative to the
    // program, which lies one level below the prefix (bin/, or games/ as
    // Debian installs games) either way.
    folders << QDir::cleanPath(QDir(QCoreApplication::applicationDirPath())
                                   .absoluteFilePath(QStringLiteral(MORTAVEL_LIBDIR_FROM_BINDIR)));
#endif
    return folders;
}

void VelPrgBarLoader::setSearchPaths(const QStringList& folders)
{
    LoaderState& s = state();
    s.searchPaths = folders;
    s.tried = false;
    s.api = nullptr;
    s.error.clear();
}

const VpbApi* VelPrgBarLoader::api(QString* error)
{
    LoaderState& s = state();
    if (!s.tried) {
        s.tried = true;
        const QStringList folders = s.searchPaths ? *s.searchPaths : defaultSearchPaths();
        QStringList reasons;
        for (const QString& folder : folders) {
            for (const QString& file : candidatesIn(folder)) {
                QString reason;
                s.api = tryLoad(file, &reason);
                if (s.api)
                    break;
                reasons << reason;
            }
            if (s.api)
                break;
        }
        // Then where the system keeps libraries (the package's libvelprgbar1,
        // LD_LIBRARY_PATH): the dynamic loader looks for the soname itself.
        // Folders chosen by setSearchPaths() are searched alone.
        QStringList searched = folders;
        if (!s.api && !s.searchPaths) {
            QString notFound;
            s.api = tryLoad(QStringLiteral("VelPrgBar"), &notFound, LibraryMajorVersion);
            searched << QCoreApplication::translate("VelPrgBarLoader", "システムのライブラリパス");
        }
        if (!s.api) {
            if (reasons.isEmpty())
                reasons << QCoreApplication::translate("VelPrgBarLoader",
                                                       "libVelPrgBar.so が見つかりません（検索場所: %1）")
                               .arg(searched.join(QStringLiteral(", ")));
            s.error = reasons.join(QLatin1Char('\n'));
        }
    }
    if (error)
        *error = s.error;
    return s.api;
}
