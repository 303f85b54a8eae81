// SPDX-License-Identifier: MIT
#pragma once

#include "SoundServer.h"

// PipeWire as a desktop runs it: the daemon, WirePlumber to link the
// streams, and pipewire-pulse, through which Qt and parec reach it. There
// is no session bus: WirePlumber's parts that want one are switched off,
// and the daemon logs that it has none and carries on.
class PipeWireServer : public SoundServer {
public:
    bool start(std::string* why) override;

private:
    void writeConfig() const;
    // Waits until pactl's command succeeds and its output holds expect.
    bool waitForPactl(const std::vector<std::string>& command, const std::string& expect,
                      const std::vector<pid_t>& processes, std::string* why);
};
