// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include <sys/types.h>

// A sound server of the test's own with one null sink, in a temporary
// runtime folder, its processes gone with the test whichever way it ends.
// The cases run alike against each kind of server.
class SoundServer {
public:
    static constexpr int Rate = 22050;
    static constexpr const char* Sink = "heard";

    SoundServer() = default;
    SoundServer(const SoundServer&) = delete;
    SoundServer& operator=(const SoundServer&) = delete;
    virtual ~SoundServer();

    // Starts the server and points this process and its children at it.
    // On failure says why, with the end of the server's logs.
    virtual bool start(std::string* why) = 0;
    // Ends the server's processes, the last started first.
    void stop();

    std::string monitor() const { return std::string(Sink) + ".monitor"; }

protected:
    // A fresh folder with runtime/ (mode 700) and home/ in it.
    bool makeFolder(std::string* why);
    std::string runtime() const { return dir_ + "/runtime"; }
    std::string home() const { return dir_ + "/home"; }
    // What the server's processes get, and nothing of the caller's desktop.
    std::vector<std::string> environment() const;
    // Starts program with its output in <folder>/<name>.log; 0 on failure.
    pid_t spawn(const std::vector<std::string>& args, std::string* why);
    // Runs a short client to its end (at most timeoutMs) with the server's
    // environment; its exit status, or -1.
    int run(const std::vector<std::string>& args, int timeoutMs, std::string* output = nullptr);
    // Points this process's clients (Qt, parec, pactl) at the server's
    // socket, and never lets them start a server of their own.
    void pointClientsAt(const std::string& socketPath);
    static bool answers(const std::string& socketPath);
    // Whether a started process has ended; says how, with its log, if so.
    bool ended(pid_t pid, std::string* why);
    std::string logTail(const std::string& name) const;

private:
    struct Child {
        pid_t pid;
        std::string name;
    };
    std::string dir_;
    std::vector<Child> children_;
};
