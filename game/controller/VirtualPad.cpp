// SPDX-License-Identifier: MIT
#include "VirtualPad.h"

#include "SdlSetup.h"

#include <SDL.h>

VirtualPad::VirtualPad(Kind kind)
{
    sdl::prepare();
    subsystem_ = sdl::initSubSystem(SDL_INIT_JOYSTICK);
    if (!subsystem_)
        return;
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    if (kind == Kind::GameController) {
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Mortavel virtual controller";
    } else {
        desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.naxes = 1;
        desc.nbuttons = 2;
        desc.name = "Mortavel unmappable joystick";
    }
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index < 0)
        return;
    joystick_ = SDL_JoystickOpen(index);
    if (joystick_)
        id_ = SDL_JoystickInstanceID(joystick_);
}

VirtualPad::~VirtualPad()
{
    detach();
    if (subsystem_)
        sdl::quitSubSystem(SDL_INIT_JOYSTICK);
}

void VirtualPad::detach()
{
    if (!joystick_)
        return;
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    // Detaching goes by the device's current index, which others' unplugging shifts.
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == id_) {
            SDL_JoystickDetachVirtual(i);
            break;
        }
    }
    id_ = -1;
}

bool VirtualPad::setButton(const char* name, bool down)
{
    const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(name);
    if (!joystick_ || button == SDL_CONTROLLER_BUTTON_INVALID)
        return false;
    return SDL_JoystickSetVirtualButton(joystick_, button, down ? SDL_PRESSED : SDL_RELEASED) == 0;
}

bool VirtualPad::setAxis(const char* name, int value)
{
    const SDL_GameControllerAxis axis = SDL_GameControllerGetAxisFromString(name);
    if (!joystick_ || axis == SDL_CONTROLLER_AXIS_INVALID)
        return false;
    return SDL_JoystickSetVirtualAxis(joystick_, axis, static_cast<Sint16>(value)) == 0;
}
