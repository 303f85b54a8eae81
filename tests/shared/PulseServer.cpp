// SPDX-License-Identifier: MIT
#include "PulseServer.h"

#include "TiedChild.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool canConnect(const std::string& socketPath)
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

} // namespace

PulseServer::~PulseServer()
{
    stop();
}

bool PulseServer::start(std::string* why)
{
    const std::string program = PULSEAUDIO_PROGRAM;
    if (::access(program.c_str(), X_OK) != 0) {
        *why = "no pulseaudio program (" + program + "); install the packages pulseaudio and "
               "pulseaudio-utils";
        return false;
    }
    char pattern[] = "/tmp/sound-heard.XXXXXX";
    if (!::mkdtemp(pattern)) {
        *why = std::string("cannot make a temporary folder: ") + std::strerror(errno);
        return false;
    }
    dir_ = pattern;
    const std::string runtime = dir_ + "/runtime";
    const std::string home = dir_ + "/home";
    const std::string socketPath = runtime + "/native";
    std::filesystem::create_directories(runtime);
    std::filesystem::create_directories(home);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    // Clients must never start a server of their own behind the test's back.
    std::ofstream(dir_ + "/client.conf") << "autospawn = no\n";

    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    ::setenv("PULSE_RUNTIME_PATH", runtime.c_str(), 1);
    ::setenv("PULSE_SERVER", ("unix:" + socketPath).c_str(), 1);
    ::setenv("PULSE_CLIENTCONFIG", (dir_ + "/client.conf").c_str(), 1);
    ::setenv("PULSE_COOKIE", (dir_ + "/cookie").c_str(), 1);

    const std::string sink = std::string("module-null-sink sink_name=") + Sink
                             + " rate=" + std::to_string(Rate) + " channels=1 format=s16le";
    const std::string native = "module-native-protocol-unix auth-anonymous=1 socket=" + socketPath;
    std::vector<std::string> args = {program, "-n", "--daemonize=no", "--exit-idle-time=-1",
                                     "--use-pid-file=no", "--system=no", "--log-target=stderr",
                                     "-L", sink, "-L", native};
    std::vector<std::string> env = {"HOME=" + home, "XDG_RUNTIME_DIR=" + runtime,
                                    "XDG_CONFIG_HOME=" + home + "/.config",
                                    "PATH=/usr/bin:/bin", "LANG=C"};
    std::vector<char*> argv, envp;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    const std::string log = dir_ + "/log";
    const int logFd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);

    pid_ = ForkTiedToParent();
    if (pid_ == 0) {
        if (logFd >= 0) {
            ::dup2(logFd, STDOUT_FILENO);
            ::dup2(logFd, STDERR_FILENO);
        }
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    if (logFd >= 0)
        ::close(logFd);
    if (pid_ < 0) {
        *why = std::string("cannot start pulseaudio: ") + std::strerror(errno);
        return false;
    }

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            std::ostringstream s;
            s << "pulseaudio ended at start-up (" << (WIFEXITED(status) ? "exit status " : "signal ")
              << (WIFEXITED(status) ? WEXITSTATUS(status) : WTERMSIG(status)) << "); its log:\n"
              << logTail();
            *why = s.str();
            return false;
        }
        // The protocol module loads last, so its socket answering means the
        // sink is there too.
        if (canConnect(socketPath))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    *why = "pulseaudio did not answer within 15 s; its log:\n" + logTail();
    stop();
    return false;
}

void PulseServer::stop()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (::waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        pid_ = -1;
    }
    if (!dir_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
        dir_.clear();
    }
}

std::string PulseServer::logTail() const
{
    std::ifstream in(dir_ + "/log");
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return all.size() > 2000 ? all.substr(all.size() - 2000) : all;
}
