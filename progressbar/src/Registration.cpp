// SPDX-License-Identifier: MIT
#include "Registration.h"

#include "TypeLibrary.h"
#include "VelPrgBarApi.h"

#include <QFileInfo>
#include <QSettings>

#include <dlfcn.h>

namespace {

QSettings registry()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("VelPrgBar"),
                     QStringLiteral("Controls"));
}

const QString Group = QStringLiteral(VELPRGBAR_CLASS_NAME);

} // namespace

QString velLibraryPath()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&VelPrgBar_GetApi), &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

int32_t velRegisterServer()
{
    const QString path = velLibraryPath();
    if (path.isEmpty())
        return VPB_E_FAIL;
    QSettings s = registry();
    s.beginGroup(Group);
    s.setValue(QStringLiteral("Library"), path);
    s.setValue(QStringLiteral("EntryPoint"), QStringLiteral(VELPRGBAR_ENTRY_POINT));
    s.setValue(QStringLiteral("ApiVersion"), VELPRGBAR_API_VERSION);
    s.setValue(QStringLiteral("Description"), QString::fromUtf8(velTypeLibrary()->description));
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError ? VPB_S_OK : VPB_E_FAIL;
}

int32_t velUnregisterServer()
{
    QSettings s = registry();
    s.remove(Group);
    s.sync();
    return s.status() == QSettings::NoError ? VPB_S_OK : VPB_E_FAIL;
}
