// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

union SDL_Event;

// What every user of SDL in the game says before it starts a subsystem of
// SDL's: the program's name for the desktop, and no signal handlers of SDL's
// own (they would turn SIGINT and SIGTERM into SDL_QUIT events that nobody
// reads, so the game could not be ended from outside). Qt keeps the windows
// and the event loop; each user starts and ends only its own subsystem, and
// nobody calls SDL_Quit.
namespace sdl {

// Safe to call any number of times, from the user-interface thread.
void prepare();

// SDL_InitSubSystem and SDL_QuitSubSystem, one at a time. SDL keeps its
// subsystems' counts unguarded, and the sound output opens on a thread of
// its own while the controllers start and end on the user-interface thread.
// A start waits at most a few seconds for another (a sound server that
// never answers holds one up) and then fails; an end that cannot wait that
// long is left undone, which matters only as the process ends.
bool initSubSystem(std::uint32_t flags);
void quitSubSystem(std::uint32_t flags);

// SDL's one event queue, read on the user-interface thread by the
// controllers at a steady rate and by the sound output at each play.
//
// Every event in the queue, pumped first, except the audio devices' own:
// an output reported lost is kept for outputRemoved(), the rest dropped.
std::vector<SDL_Event> pollEvents();
// Whether SDL reported an output device lost since the last call: the
// device the game opened under SDL 2, the server's device under SDL 3,
// which keeps a lost default output running into nothing instead of
// stopping it. Pumps the queue but leaves every other event in it.
bool outputRemoved();

} // namespace sdl
