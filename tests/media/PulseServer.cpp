// SPDX-License-Identifier: MIT
#include "PulseServer.h"

#include <chrono>
#include <thread>

#include <unistd.h>

bool PulseServer::start(std::string* why)
{
    const std::string program = PULSEAUDIO_PROGRAM;
    if (::access(program.c_str(), X_OK) != 0) {
        *why = "no pulseaudio program (" + program
            + "); install the packages pulseaudio and "
              "pulseaudio-utils";
        return false;
    }
    if (!makeFolder(why))
        return false;
    const std::string socketPath = runtime() + "/native";
    pointClientsAt(socketPath);

    const std::string sink = std::string("module-null-sink sink_name=") + Sink
        + " rate=" + std::to_string(Rate) + " channels=1 format=s16le";
    const std::string native = "module-native-protocol-unix auth-anonymous=1 socket=" + socketPath;
    // SDL 2 gives the sink's own rate, which is not resampled at all; what
    // SDL 3 resamples itself is taken back to the sink's rate at the least
    // cost.
    const pid_t pid =
        spawn({program, "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "--system=no",
               "--log-target=stderr", "--resample-method=trivial", "-L", sink, "-L", native},
              why);
    if (!pid)
        return false;

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (std::chrono::steady_clock::now() < deadline) {
        if (ended(pid, why))
            return false;
        // The protocol module loads last, so its socket answering means the
        // sink is there too.
        if (answers(socketPath))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    *why = "pulseaudio did not answer within 15 s; its log:\n" + logTail("pulseaudio");
    stop();
    return false;
}
