// SPDX-License-Identifier: MIT
#include "Mci.h"

#include "MciCommand.h"
#include "MciDevice.h"
#include "MciMovie.h"
#include "MciSound.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QPointer>
#include <QThread>
#include <QWidget>

namespace {

struct Registry {
    QMap<QString, MciDevice*> devices;
    std::function<void(const QString&, bool)> observer;
    std::optional<bool> audioOverride;
    bool cleanupHooked = false;
    QHash<quintptr, QPointer<QWidget>> windows;
    quintptr lastHandle = 0x4d00;
};

Registry& registry()
{
    static Registry r;
    return r;
}

std::optional<bool> audioOutputOverride()
{
    return registry().audioOverride;
}

// The devices hold the sound output and movie timers, which must be gone
// before the application object, whichever way the program ends.
void hookCleanup()
{
    Registry& r = registry();
    if (r.cleanupHooked)
        return;
    r.cleanupHooked = true;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] { mci::closeAll(); });
    qAddPostRoutine([] { mci::closeAll(); });
}

bool isMovieFile(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("wav"), Qt::CaseInsensitive) != 0;
}

bool open(const MciCommand& cmd)
{
    Registry& r = registry();
    if (r.devices.contains(cmd.alias))
        return false;
    const bool movie = cmd.type == MciCommand::DeviceType::Movie
        || (cmd.type == MciCommand::DeviceType::Guess && (cmd.parent || isMovieFile(cmd.path)));
    MciDevice* device = nullptr;
    if (movie) {
        // A movie only ever plays inside a window of the game.
        if (!cmd.parent || !cmd.childStyle)
            return false;
        device = MciMovie::open(cmd.path, *cmd.parent, nullptr);
    } else {
        if (cmd.parent)
            return false;
        device = MciSound::open(cmd.path, audioOutputOverride, nullptr);
    }
    if (!device)
        return false;
    hookCleanup();
    r.devices.insert(cmd.alias, device);
    return true;
}

bool close(const MciCommand& cmd)
{
    Registry& r = registry();
    if (cmd.all) {
        mci::closeAll();
        return true;
    }
    MciDevice* device = r.devices.take(cmd.alias);
    delete device;
    return device != nullptr;
}

bool execute(const MciCommand& cmd)
{
    if (cmd.verb == MciCommand::Verb::Open)
        return open(cmd);
    if (cmd.verb == MciCommand::Verb::Close)
        return close(cmd);
    MciDevice* device = registry().devices.value(cmd.alias);
    if (!device)
        return false;
    switch (cmd.verb) {
    case MciCommand::Verb::Play: return device->play(cmd.repeat);
    case MciCommand::Verb::Seek: return device->seek(cmd.seekTo);
    case MciCommand::Verb::Stop: return device->stop();
    case MciCommand::Verb::Pause: return device->pause();
    case MciCommand::Verb::Resume: return device->resume();
    case MciCommand::Verb::Open:
    case MciCommand::Verb::Close: break;
    }
    return false;
}

} // namespace

bool mciExecute(const QString& command)
{
    // Media objects live on the user-interface thread only.
    if (!qApp || QThread::currentThread() != qApp->thread())
        return false;
    const auto cmd = MciCommand::parse(command);
    const bool ok = cmd && execute(*cmd);
    if (registry().observer)
        registry().observer(command, ok);
    return ok;
}

namespace mci {

std::optional<DeviceStatus> status(const QString& alias)
{
    if (MciDevice* device = registry().devices.value(alias.toUpper()))
        return device->status();
    return std::nullopt;
}

QStringList openAliases()
{
    return registry().devices.keys();
}

QWidget* videoWidget(const QString& alias)
{
    if (auto* movie = qobject_cast<MciMovie*>(registry().devices.value(alias.toUpper())))
        return movie->videoWidget();
    return nullptr;
}

quintptr windowHandle(QWidget* widget)
{
    if (!widget)
        return 0;
    static const char* const property = "mciWindowHandle";
    const QVariant known = widget->property(property);
    if (known.isValid())
        return known.value<quintptr>();
    Registry& r = registry();
    const quintptr handle = ++r.lastHandle;
    r.windows.insert(handle, widget);
    widget->setProperty(property, QVariant::fromValue(handle));
    QObject::connect(widget, &QObject::destroyed, [handle] { registry().windows.remove(handle); });
    return handle;
}

QWidget* windowForHandle(quintptr handle)
{
    return registry().windows.value(handle).data();
}

void closeAll()
{
    auto devices = std::exchange(registry().devices, {});
    qDeleteAll(devices);
}

void setCommandObserver(std::function<void(const QString&, bool)> observer)
{
    registry().observer = std::move(observer);
}

void setAudioOutputOverride(std::optional<bool> available)
{
    registry().audioOverride = available;
}

} // namespace mci
