// SPDX-License-Identifier: MIT
#include "MonitorRecorder.h"

#include "TiedChild.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#include <sys/wait.h>
#include <unistd.h>

MonitorRecorder::MonitorRecorder(std::string source, int rate, int latencyMs)
    : source_(std::move(source))
    , rate_(rate)
    , latencyMs_(latencyMs)
{
}

MonitorRecorder::~MonitorRecorder()
{
    end();
}

bool MonitorRecorder::start(std::string* why)
{
    const std::string program = PAREC_PROGRAM;
    if (::access(program.c_str(), X_OK) != 0) {
        *why = "no parec program (" + program + "); install the package pulseaudio-utils";
        return false;
    }
    std::vector<std::string> args = {program,          "-d",
                                     source_,          "--raw",
                                     "--format=s16le", "--rate=" + std::to_string(rate_),
                                     "--channels=1",   "--latency-msec=" + std::to_string(latencyMs_)};
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        *why = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    pid_ = ForkTiedToParent();
    if (pid_ == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    if (pid_ < 0) {
        ::close(pipeFds[0]);
        *why = std::string("fork: ") + std::strerror(errno);
        return false;
    }
    fd_ = pipeFds[0];
    reader_ = std::thread([this] { readAll(); });

    for (int waited = 0; waited < 5000; waited += 10) {
        {
            std::lock_guard lock(mutex_);
            if (!samples_.empty())
                return true;
        }
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            *why = "parec ended without recording anything";
            end();
            return false;
        }
        ::usleep(10000);
    }
    *why = "parec recorded nothing within 5 s";
    end();
    return false;
}

void MonitorRecorder::readAll()
{
    char buffer[8192];
    char pending = 0;
    bool havePending = false;
    while (true) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        const auto arrival = Recording::Clock::now();
        std::lock_guard lock(mutex_);
        for (ssize_t i = 0; i < n; ++i) {
            if (!havePending) {
                pending = buffer[i];
                havePending = true;
                continue;
            }
            const auto lo = std::uint8_t(pending), hi = std::uint8_t(buffer[i]);
            samples_.push_back(std::int16_t(std::uint16_t(lo | (hi << 8))));
            havePending = false;
        }
        chunks_.push_back({std::int64_t(samples_.size()), arrival});
    }
}

void MonitorRecorder::end()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    if (reader_.joinable())
        reader_.join();
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

Recording MonitorRecorder::finish()
{
    end();
    std::lock_guard lock(mutex_);
    return Recording(std::move(samples_), std::move(chunks_), rate_);
}
