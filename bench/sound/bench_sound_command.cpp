// SPDX-License-Identifier: MIT
// What the battle's sound cues cost the game's thread, through the sound
// server the desktop runs (or a private one: point PULSE_SERVER or
// XDG_RUNTIME_DIR at it; SDL_AUDIODRIVER=pipewire for SDL's own PipeWire
// driver). A play or a stop only changes a voice of the one output stream,
// so it never waits for the server; the goal is at most 0.5 ms each.
#include "Mci.h"
#include "SoundOutput.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

void send(const QString& command)
{
    mciExecute(command);
}

void send(const char* command)
{
    send(QString::fromLatin1(command));
}

// The cue of a shot: both sounds stopped and rewound, the gun from its start.
void GunCue(benchmark::State& state)
{
    for (auto _ : state) {
        send("stop FIRE_SND");
        send("seek FIRE_SND to start");
        send("stop TURN_SND");
        send("seek TURN_SND to start");
        send("seek FIRE_SND to start");
        send("play FIRE_SND");
    }
}
BENCHMARK(GunCue)->Unit(benchmark::kMicrosecond);

void Play(benchmark::State& state)
{
    for (auto _ : state)
        send("play TURN_SND");
}
BENCHMARK(Play)->Unit(benchmark::kMicrosecond);

void Stop(benchmark::State& state)
{
    send("play TURN_SND");
    for (auto _ : state)
        send("stop TURN_SND");
}
BENCHMARK(Stop)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString folder = QStringLiteral(DATA_DIR);
    send(QStringLiteral("open \"%1/Turn.wav\" alias TURN_SND notify ").arg(folder));
    send(QStringLiteral("open \"%1/Fire.wav\" alias FIRE_SND notify ").arg(folder));
    // The output opens on a thread of its own.
    QString driver;
    for (int i = 0; i < 200 && driver.isEmpty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        driver = SoundOutput::instance().driver();
    }
    std::printf("sound output: %s\n", driver.isEmpty() ? "none (silent)" : qPrintable(driver));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    mci::closeAll();
    return 0;
}
