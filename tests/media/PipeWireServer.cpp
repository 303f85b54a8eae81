// SPDX-License-Identifier: MIT
#include "PipeWireServer.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <unistd.h>

namespace {

constexpr auto StartTimeout = std::chrono::seconds(15);

void write(const std::string& path, const char* text)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << text;
}

} // namespace

void PipeWireServer::writeConfig() const
{
    const std::string config = home() + "/.config";
    // The graph runs at the sink's rate, so the monitor gives back the
    // game's samples exactly, unresampled. Its block sizes are the defaults
    // (1024, 32 to 2048 at 48 kHz) turned into the same times at this rate,
    // so the stream latencies are the ones a player's desktop has.
    write(config + "/pipewire/pipewire.conf.d/heard.conf", R"(context.properties = {
    default.clock.rate = 22050
    default.clock.allowed-rates = [ 22050 ]
    default.clock.quantum = 470
    default.clock.min-quantum = 16
    default.clock.max-quantum = 940
}
)");
    // WirePlumber 0.4 reads Lua fragments: no devices to watch, and nothing
    // that asks for a session bus (portal, device reservation, logind).
    write(config + "/wireplumber/main.lua.d/60-heard.lua", R"(alsa_monitor.enabled = false
alsa_monitor.properties["alsa.reserve"] = false
v4l2_monitor.enabled = false
libcamera_monitor.enabled = false
default_access.properties["enable-flatpak-portal"] = false
)");
    write(config + "/wireplumber/bluetooth.lua.d/60-heard.lua", R"(bluez_monitor.enabled = false
bluez_monitor.properties["with-logind"] = false
)");
    // WirePlumber 0.5 reads profiles instead.
    write(config + "/wireplumber/wireplumber.conf.d/60-heard.conf", R"(wireplumber.profiles = {
  main = {
    monitor.alsa = disabled
    monitor.alsa-midi = disabled
    monitor.bluez = disabled
    monitor.bluez-midi = disabled
    monitor.v4l2 = disabled
    monitor.libcamera = disabled
    support.dbus = disabled
    support.logind = disabled
    support.portal-permissionstore = disabled
    support.reserve-device = disabled
  }
}
)");
}

bool PipeWireServer::waitForPactl(const std::vector<std::string>& command, const std::string& expect,
                                  const std::vector<pid_t>& processes, std::string* why)
{
    std::vector<std::string> args = {PACTL_PROGRAM};
    args.insert(args.end(), command.begin(), command.end());
    const auto deadline = std::chrono::steady_clock::now() + StartTimeout;
    std::string output;
    while (std::chrono::steady_clock::now() < deadline) {
        for (const pid_t pid : processes)
            if (ended(pid, why))
                return false;
        if (run(args, 3000, &output) == 0 && output.find(expect) != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    *why = "pactl";
    for (const auto& a : command)
        *why += " " + a;
    *why += " did not succeed within 15 s (" + output + "); the logs:\n" + logTail("pipewire") + "\n"
        + logTail("wireplumber") + "\n" + logTail("pipewire-pulse");
    return false;
}

bool PipeWireServer::start(std::string* why)
{
    const std::vector<std::string> programs = {PIPEWIRE_PROGRAM, WIREPLUMBER_PROGRAM, PIPEWIRE_PULSE_PROGRAM,
                                               PACTL_PROGRAM};
    for (const auto& program : programs)
        if (::access(program.c_str(), X_OK) != 0) {
            *why = "no program " + program
                + "; install the packages pipewire, wireplumber, pipewire-pulse and "
                  "pulseaudio-utils";
            return false;
        }
    if (!makeFolder(why))
        return false;
    writeConfig();
    pointClientsAt(runtime() + "/pulse/native");

    const pid_t daemon = spawn({PIPEWIRE_PROGRAM}, why);
    if (!daemon)
        return false;
    const auto deadline = std::chrono::steady_clock::now() + StartTimeout;
    while (!answers(runtime() + "/pipewire-0")) {
        if (ended(daemon, why))
            return false;
        if (std::chrono::steady_clock::now() > deadline) {
            *why = "pipewire did not answer within 15 s; its log:\n" + logTail("pipewire");
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    // Without a session manager no stream is ever linked to the sink.
    const pid_t manager = spawn({WIREPLUMBER_PROGRAM}, why);
    const pid_t pulse = manager ? spawn({PIPEWIRE_PULSE_PROGRAM}, why) : 0;
    if (!pulse)
        return false;
    const std::vector<pid_t> all = {daemon, manager, pulse};
    if (!waitForPactl({"info"}, "PipeWire", all, why))
        return false;
    std::string output;
    const std::string sink = std::string("sink_name=") + Sink;
    if (run({PACTL_PROGRAM, "load-module", "module-null-sink", sink, "rate=" + std::to_string(Rate),
             "channels=1"},
            5000, &output)
        != 0) {
        *why = "pactl cannot load the null sink: " + output;
        return false;
    }
    // Only WirePlumber keeps the default sink: this answers once it is up.
    return waitForPactl({"set-default-sink", Sink}, "", all, why)
        && waitForPactl({"info"}, std::string("Default Sink: ") + Sink, all, why);
}
