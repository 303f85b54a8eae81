// SPDX-License-Identifier: MIT
#include "ControllerScript.h"

#include "ControllerInput.h"
#include "VirtualPad.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

ControllerScript* ControllerScript::startFromEnvironment(ControllerInput& input, QObject* parent)
{
    const QString path = qEnvironmentVariable(Variable);
    if (path.isEmpty() || !input.started())
        return nullptr;
    auto* script = new ControllerScript(input, parent);
    if (!script->open(path)) {
        std::fprintf(stderr, "mortavel: cannot read the controller script %s\n", qPrintable(path));
        delete script;
        return nullptr;
    }
    return script;
}

ControllerScript::ControllerScript(ControllerInput& input, QObject* parent)
    : QObject(parent)
    , input_(input)
{
}

ControllerScript::~ControllerScript()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool ControllerScript::open(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info { };
    if (::stat(name.constData(), &info) != 0)
        return false;
    if (!S_ISFIFO(info.st_mode)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        feed(QString::fromUtf8(file.readAll()));
        return true;
    }
    // Read and write: the FIFO then never reads as ended between writers.
    fd_ = ::open(name.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        return false;
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &ControllerScript::readAvailable);
    return true;
}

void ControllerScript::readAvailable()
{
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fd_, buffer, sizeof buffer)) > 0)
        partial_.append(buffer, static_cast<int>(n));
    const int end = partial_.lastIndexOf('\n');
    if (end < 0)
        return;
    const QByteArray lines = partial_.left(end + 1);
    partial_.remove(0, end + 1);
    feed(QString::fromUtf8(lines));
}

void ControllerScript::feed(const QString& text)
{
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString command = line.section(QLatin1Char('#'), 0, 0).trimmed();
        if (!command.isEmpty())
            queue_.append(command);
    }
    schedule(0);
}

void ControllerScript::schedule(int milliseconds)
{
    if (scheduled_)
        return;
    scheduled_ = true;
    QTimer::singleShot(milliseconds, this, [this] {
        scheduled_ = false;
        step();
    });
}

void ControllerScript::step()
{
    if (queue_.isEmpty())
        return;
    const QStringList words = queue_.takeFirst().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.first() == QLatin1String("wait") && words.size() == 2) {
        schedule(words[1].toInt());
        return;
    }
    // The next line is due before this one runs: a command that opens a modal
    // dialog returns only when the dialog closes, and the script goes on in
    // the dialog's own loop meanwhile.
    schedule(0);
    run(words);
}

void ControllerScript::run(const QStringList& words)
{
    const QString& verb = words.first();
    VirtualPad* pad = pads_.empty() ? nullptr : pads_.back().get();
    const QByteArray name = words.value(1).toUtf8();
    bool ok = true;
    if (verb == QLatin1String("attach")) {
        pads_.push_back(std::make_unique<VirtualPad>());
        ok = pads_.back()->attached();
    } else if (verb == QLatin1String("detach") && pad) {
        pads_.pop_back();
    } else if ((verb == QLatin1String("press") || verb == QLatin1String("release")) && pad) {
        ok = pad->setButton(name.constData(), verb == QLatin1String("press"));
    } else if (verb == QLatin1String("tap") && pad) {
        ok = pad->setButton(name.constData(), true);
        // A press and its release must reach SDL in separate updates.
        input_.pump();
        ok = ok && pad->setButton(name.constData(), false);
    } else if (verb == QLatin1String("axis") && pad && words.size() == 3) {
        ok = pad->setAxis(name.constData(), words[2].toInt());
    } else {
        ok = false;
    }
    if (!ok)
        std::fprintf(stderr, "mortavel: controller script: cannot run \"%s\"\n",
                     qPrintable(words.join(QLatin1Char(' '))));
    input_.pump();
}
