// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QStringList>

#include <memory>
#include <vector>

class ControllerInput;
class QSocketNotifier;
class VirtualPad;

// For tests only: plays the game from a virtual controller inside the game's
// own process. MORTAVEL_TEST_CONTROLLER_SCRIPT names a file or a FIFO of
// commands, one a line, run in order:
//   attach              plug in a virtual controller (later lines drive it)
//   detach              unplug it
//   press NAME          hold a button down (SDL's names: a, b, x, dpleft, start...)
//   release NAME        let it go
//   tap NAME            press and release
//   axis NAME VALUE     set an axis (leftx, lefty, rightx, righty) to -32768..32767
//   wait MS             let the game run that long before the next line
// A FIFO is read as lines arrive, so a harness can wait for the game between
// commands. Each command is pumped at once, so none waits for the timer.
class ControllerScript : public QObject {
    Q_OBJECT
public:
    static constexpr const char* Variable = "MORTAVEL_TEST_CONTROLLER_SCRIPT";

    // Starts the script the variable names, if it is set; null otherwise.
    static ControllerScript* startFromEnvironment(ControllerInput& input, QObject* parent);

    ControllerScript(ControllerInput& input, QObject* parent = nullptr);
    ~ControllerScript() override;

    bool open(const QString& path);
    // Queues lines as if they had been read.
    void feed(const QString& text);

private:
    void readAvailable();
    void schedule(int milliseconds);
    void step();
    void run(const QStringList& words);

    ControllerInput& input_;
    std::vector<std::unique_ptr<VirtualPad>> pads_;
    QStringList queue_;
    QByteArray partial_;
    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    bool scheduled_ = false;
};
