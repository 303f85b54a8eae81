// SPDX-License-Identifier: MIT
#include "SdlSetup.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <chrono>
#include <mutex>
#include <utility>

namespace sdl {

namespace {

constexpr auto LongestWait = std::chrono::seconds(3);

std::timed_mutex& subsystems()
{
    static std::timed_mutex lock;
    return lock;
}

// Set as the queue is read, taken by outputRemoved(); user-interface thread
// only.
bool removedOutputSeen = false;

// Takes the audio devices' events out of the queue, noting a lost output.
void takeAudioEvents()
{
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_AUDIODEVICEADDED, SDL_AUDIODEVICEREMOVED) > 0)
        if (event.type == SDL_AUDIODEVICEREMOVED && !event.adevice.iscapture)
            removedOutputSeen = true;
}

} // namespace

void prepare()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // The game has its own main(); SDL need not wrap it.
    SDL_SetMainReady();
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_APP_NAME, "Mortavel");
}

bool initSubSystem(std::uint32_t flags)
{
    std::unique_lock hold(subsystems(), std::defer_lock);
    if (!hold.try_lock_for(LongestWait)) {
        SDL_SetError("another part of the game is still starting SDL");
        return false;
    }
    return SDL_InitSubSystem(flags) == 0;
}

void quitSubSystem(std::uint32_t flags)
{
    std::unique_lock hold(subsystems(), std::defer_lock);
    if (hold.try_lock_for(LongestWait))
        SDL_QuitSubSystem(flags);
}

std::vector<SDL_Event> pollEvents()
{
    std::vector<SDL_Event> events;
    SDL_PumpEvents();
    takeAudioEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0)
        events.push_back(event);
    return events;
}

bool outputRemoved()
{
    SDL_PumpEvents();
    takeAudioEvents();
    return std::exchange(removedOutputSeen, false);
}

} // namespace sdl
