// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include <sys/types.h>

// A sound server of the test's own: a PulseAudio daemon with one null sink,
// in a temporary runtime folder, gone with the test whichever way it ends.
class PulseServer {
public:
    static constexpr int Rate = 22050;
    static constexpr const char* Sink = "heard";

    PulseServer() = default;
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;
    ~PulseServer();

    // Starts the daemon and points this process and its children at it.
    // On failure says why, with the end of the daemon's log.
    bool start(std::string* why);
    void stop();

    std::string monitor() const { return std::string(Sink) + ".monitor"; }

private:
    std::string logTail() const;

    std::string dir_;
    pid_t pid_ = -1;
};
