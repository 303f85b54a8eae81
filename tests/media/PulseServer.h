// SPDX-License-Identifier: MIT
#pragma once

#include "SoundServer.h"

// A PulseAudio daemon of the test's own.
class PulseServer : public SoundServer {
public:
    bool start(std::string* why) override;
};
