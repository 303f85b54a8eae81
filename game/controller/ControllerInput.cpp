// SPDX-License-Identifier: MIT
#include "ControllerInput.h"

#include "ControllerDelivery.h"
#include "SdlSetup.h"

#include <QTimer>

#include <SDL.h>

#include <algorithm>
#include <chrono>

ControllerInput::ControllerInput(QObject* parent)
    : ControllerInput(Options{}, parent)
{
}

ControllerInput::ControllerInput(Options options, QObject* parent)
    : QObject(parent)
    , options_(std::move(options))
{
    if (!options_.clock)
        options_.clock = [] {
            return std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::steady_clock::now().time_since_epoch())
                .count();
        };
}

ControllerInput::~ControllerInput()
{
    if (!started_)
        return;
    for (Pad& pad : pads_)
        SDL_GameControllerClose(pad.controller);
    pads_.clear();
    sdl::quitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool ControllerInput::start()
{
    if (started_)
        return true;
    sdl::prepare();
    if (!sdl::initSubSystem(SDL_INIT_GAMECONTROLLER))
        return false;
    started_ = true;
    if (!options_.manualPump) {
        timer_ = new QTimer(this);
        timer_->setTimerType(Qt::CoarseTimer);
        connect(timer_, &QTimer::timeout, this, &ControllerInput::pump);
        timer_->start(IdleInterval);
    }
    // The controllers already plugged in are announced as added.
    pump();
    return true;
}

int ControllerInput::pumpInterval() const
{
    if (!started_)
        return 0;
    return pads_.empty() ? IdleInterval : ActiveInterval;
}

void ControllerInput::retime()
{
    if (timer_ && timer_->interval() != pumpInterval())
        timer_->setInterval(pumpInterval());
}

ControllerInput::Pad* ControllerInput::find(std::int32_t instanceId)
{
    auto it = std::find_if(pads_.begin(), pads_.end(),
                           [instanceId](const Pad& pad) { return pad.id == instanceId; });
    return it == pads_.end() ? nullptr : &*it;
}

void ControllerInput::open(int deviceIndex)
{
    if (find(SDL_JoystickGetDeviceInstanceID(deviceIndex)))
        return;
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller)
        return;
    Pad pad;
    pad.controller = controller;
    pad.id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    pads_.push_back(std::move(pad));
}

void ControllerInput::close(std::int32_t instanceId)
{
    auto it = std::find_if(pads_.begin(), pads_.end(),
                           [instanceId](const Pad& pad) { return pad.id == instanceId; });
    if (it == pads_.end())
        return;
    // What it held is dropped, not completed: pulling the plug is no release.
    SDL_GameControllerClose(it->controller);
    pads_.erase(it);
}

Qt::KeyboardModifiers ControllerInput::modifiersOf(const Pad& pad)
{
    Qt::KeyboardModifiers modifiers;
    for (PadInput input : pad.held) {
        if (RuleOf(input).battle == PadAction::StepsOfTen)
            modifiers |= Qt::ShiftModifier;
        else if (RuleOf(input).battle == PadAction::StepsToEnd)
            modifiers |= Qt::ControlModifier;
    }
    return modifiers;
}

void ControllerInput::readSticks(Pad& pad, std::int64_t now, std::vector<Completed>& out)
{
    SDL_GameController* c = pad.controller;
    const int x = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX);
    const int y = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY);
    const std::optional<PadInput> direction = stick::Direction(x, y);
    if (!direction) {
        pad.stickDirection.reset();
    } else if (direction != pad.stickDirection || now >= pad.nextStep) {
        // A step when pushed, then one each interval while held.
        pad.stickDirection = direction;
        pad.nextStep = now + stick::RepeatInterval(x, y);
        out.push_back({*direction, modifiersOf(pad), std::nullopt});
    }

    const std::optional<int> bearing =
        stick::LookBearing(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_RIGHTX),
                           SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_RIGHTY));
    if (bearing != pad.lookBearing) {
        pad.lookBearing = bearing;
        if (bearing)
            out.push_back({PadInput::RightStick, {}, bearing});
    }
}

void ControllerInput::pump()
{
    if (!started_)
        return;
    // Everything is read first and delivered after: a delivery may open a
    // modal dialog whose own loop pumps again.
    std::vector<Completed> out;
    for (const SDL_Event& event : sdl::pollEvents()) {
        switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED: open(event.cdevice.which); break;
        case SDL_CONTROLLERDEVICEREMOVED: close(event.cdevice.which); break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            Pad* pad = find(event.cbutton.which);
            // A controller being unplugged releases its buttons first; those
            // releases are not the player's.
            if (!pad || !SDL_GameControllerGetAttached(pad->controller))
                break;
            const char* name = SDL_GameControllerGetStringForButton(
                static_cast<SDL_GameControllerButton>(event.cbutton.button));
            const std::optional<PadInput> input = name ? InputOfButton(name) : std::nullopt;
            if (!input)
                break;
            if (event.type == SDL_CONTROLLERBUTTONDOWN)
                pad->held.insert(*input);
            else if (pad->held.erase(*input))
                out.push_back({*input, modifiersOf(*pad), std::nullopt});
            break;
        }
        default: break; // joystick and every other event of SDL's
        }
    }
    const std::int64_t now = options_.clock();
    for (Pad& pad : pads_)
        if (SDL_GameControllerGetAttached(pad.controller))
            readSticks(pad, now, out);
    retime();
    for (const Completed& c : out)
        delivery::deliver(c.input, c.modifiers, c.lookBearing);
}
