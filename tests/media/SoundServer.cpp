// SPDX-License-Identifier: MIT
#include "SoundServer.h"

#include "TiedChild.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string baseName(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

std::vector<char*> pointers(std::vector<std::string>& strings)
{
    std::vector<char*> p;
    for (auto& s : strings)
        p.push_back(s.data());
    p.push_back(nullptr);
    return p;
}

// Ends a child, by force if it does not go within a few seconds.
void end(pid_t pid)
{
    ::kill(pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (::waitpid(pid, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace

SoundServer::~SoundServer()
{
    stop();
}

void SoundServer::stop()
{
    for (auto it = children_.rbegin(); it != children_.rend(); ++it)
        if (it->pid > 0)
            end(it->pid);
    children_.clear();
    if (!dir_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
        dir_.clear();
    }
}

bool SoundServer::makeFolder(std::string* why)
{
    char pattern[] = "/tmp/sound-heard.XXXXXX";
    if (!::mkdtemp(pattern)) {
        *why = std::string("cannot make a temporary folder: ") + std::strerror(errno);
        return false;
    }
    dir_ = pattern;
    // The servers' folder made here, before anything starts: the game's
    // client library makes it too while it retries, and pipewire-pulse
    // fails at start-up when the folder appears between its own check and
    // its mkdir().
    std::filesystem::create_directories(runtime() + "/pulse");
    std::filesystem::create_directories(home());
    std::filesystem::permissions(runtime(), std::filesystem::perms::owner_all);
    std::filesystem::permissions(runtime() + "/pulse", std::filesystem::perms::owner_all);
    return true;
}

std::vector<std::string> SoundServer::environment() const
{
    return {"HOME=" + home(),
            "XDG_RUNTIME_DIR=" + runtime(),
            "XDG_CONFIG_HOME=" + home() + "/.config",
            "XDG_STATE_HOME=" + home() + "/.local/state",
            "XDG_DATA_HOME=" + home() + "/.local/share",
            "PATH=/usr/bin:/bin",
            "LANG=C"};
}

pid_t SoundServer::spawn(const std::vector<std::string>& args, std::string* why)
{
    const std::string program = args.front();
    const std::string name = baseName(program);
    auto argStrings = args;
    auto envStrings = environment();
    auto argv = pointers(argStrings);
    auto envp = pointers(envStrings);
    const std::string log = dir_ + "/" + name + ".log";
    const int logFd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);

    const pid_t pid = ForkTiedToParent();
    if (pid == 0) {
        if (logFd >= 0) {
            ::dup2(logFd, STDOUT_FILENO);
            ::dup2(logFd, STDERR_FILENO);
        }
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    if (logFd >= 0)
        ::close(logFd);
    if (pid < 0) {
        *why = "cannot start " + name + ": " + std::strerror(errno);
        return 0;
    }
    children_.push_back({pid, name});
    return pid;
}

void SoundServer::pointClientsAt(const std::string& socketPath)
{
    const std::string clientConf = home() + "/client.conf";
    std::ofstream(clientConf) << "autospawn = no\n";
    ::setenv("XDG_RUNTIME_DIR", runtime().c_str(), 1);
    ::setenv("PULSE_RUNTIME_PATH", runtime().c_str(), 1);
    ::setenv("PULSE_SERVER", ("unix:" + socketPath).c_str(), 1);
    ::setenv("PULSE_CLIENTCONFIG", clientConf.c_str(), 1);
    // Else the client library leaves a cookie in the real home.
    ::setenv("PULSE_COOKIE", (home() + "/cookie").c_str(), 1);
}

bool SoundServer::answers(const std::string& socketPath)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, socketPath.c_str(), sizeof addr.sun_path - 1);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    ::close(fd);
    return ok;
}

int SoundServer::run(const std::vector<std::string>& args, int timeoutMs, std::string* output)
{
    auto argStrings = args;
    auto envStrings = environment();
    auto argv = pointers(argStrings);
    auto envp = pointers(envStrings);
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    const pid_t pid = ForkTiedToParent();
    if (pid == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        ::dup2(fds[1], STDERR_FILENO);
        ::close(fds[0]);
        ::close(fds[1]);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        return -1;
    }
    ::fcntl(fds[0], F_SETFL, O_NONBLOCK);
    std::string out;
    int status = 0;
    bool done = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done) {
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0)
            out.append(buffer, size_t(n));
        done = ::waitpid(pid, &status, WNOHANG) == pid;
        if (!done && std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            ::close(fds[0]);
            return -1;
        }
        if (!done)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0)
        out.append(buffer, size_t(n));
    ::close(fds[0]);
    if (output)
        *output = out;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool SoundServer::ended(pid_t pid, std::string* why)
{
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) != pid)
        return false;
    for (Child& c : children_) {
        if (c.pid != pid)
            continue;
        c.pid = -1;
        std::ostringstream s;
        s << c.name << " ended at start-up (" << (WIFEXITED(status) ? "exit status " : "signal ")
          << (WIFEXITED(status) ? WEXITSTATUS(status) : WTERMSIG(status)) << "); its log:\n"
          << logTail(c.name);
        *why = s.str();
    }
    return true;
}

std::string SoundServer::logTail(const std::string& name) const
{
    std::ifstream in(dir_ + "/" + name + ".log");
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return all.size() > 2000 ? all.substr(all.size() - 2000) : all;
}
