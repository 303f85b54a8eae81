// SPDX-License-Identifier: MIT
#include "TiedChild.h"

#include <csignal>

#include <sys/prctl.h>
#include <unistd.h>

pid_t ForkTiedToParent()
{
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(127);
    }
    return pid;
}
