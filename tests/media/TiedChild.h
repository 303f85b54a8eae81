// SPDX-License-Identifier: MIT
#pragma once

#include <sys/types.h>

// fork(), with the child killed when the test process dies, even by
// SIGKILL, so no sound server or recorder outlives a test. Returns as
// fork() does; a child whose parent is already gone exits at once.
pid_t ForkTiedToParent();
