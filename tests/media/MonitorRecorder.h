// SPDX-License-Identifier: MIT
#pragma once

#include "Recording.h"

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <sys/types.h>

// Records a sink's monitor with parec, stamping each piece as it arrives on
// a thread of its own, so a busy test thread does not skew the times.
class MonitorRecorder {
public:
    MonitorRecorder(std::string source, int rate, int latencyMs);
    MonitorRecorder(const MonitorRecorder&) = delete;
    MonitorRecorder& operator=(const MonitorRecorder&) = delete;
    ~MonitorRecorder();

    // Returns once the first samples have arrived; on failure says why.
    bool start(std::string* why);
    Recording finish();

private:
    void readAll();
    void end();

    std::string source_;
    int rate_;
    int latencyMs_;
    pid_t pid_ = -1;
    int fd_ = -1;
    std::thread reader_;
    std::mutex mutex_;
    std::vector<std::int16_t> samples_;
    std::vector<Recording::Chunk> chunks_;
};
