// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

struct _SDL_Joystick;

// A controller that exists only inside SDL: the tests' and the scripted
// sessions' stand-in for a real one. It is plugged in while it lives.
class VirtualPad {
public:
    enum class Kind {
        GameController, // six axes and fifteen buttons in SDL's own order
        Unmappable,     // a joystick SDL has no controller mapping for
    };

    explicit VirtualPad(Kind kind = Kind::GameController);
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool attached() const { return joystick_ != nullptr; }
    // Unplugs it; the ControllerInput notices on its next pump.
    void detach();

    // By SDL's names: "a", "dpleft", "leftshoulder"...; "leftx", "righty"...
    // False for a name SDL does not know.
    bool setButton(const char* name, bool down);
    bool setAxis(const char* name, int value);

private:
    _SDL_Joystick* joystick_ = nullptr;
    std::int32_t id_ = -1;
    bool subsystem_ = false;
};
