// SPDX-License-Identifier: MIT
// One main tick of a busy battle (7 ships in view and a splash: move, radar,
// scene composed and shown) against a plain copy of one 400 x 240 32-bit
// frame, measured in the same run. The counter "frame_copies" is the ratio.
#include "battle/window/frmMain.h"
#include "ManualClock.h"
#include "ReplayRandom.h"
#include "shared/modPublic.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Median time of one frame copy, in seconds.
double frameCopySeconds()
{
    QImage source(400, 240, QImage::Format_RGB32);
    source.fill(0x336699);
    QImage target(400, 240, QImage::Format_RGB32);
    std::vector<double> samples;
    for (int round = 0; round < 101; ++round) {
        const auto start = Clock::now();
        for (int i = 0; i < 100; ++i) {
            std::memcpy(target.bits(), source.constBits(), static_cast<std::size_t>(source.sizeInBytes()));
            benchmark::ClobberMemory();
        }
        samples.push_back(std::chrono::duration<double>(Clock::now() - start).count() / 100);
    }
    std::nth_element(samples.begin(), samples.begin() + 50, samples.end());
    return samples[50];
}

void BM_FrameCopy(benchmark::State& state)
{
    QImage source(400, 240, QImage::Format_RGB32);
    source.fill(0x336699);
    QImage target(400, 240, QImage::Format_RGB32);
    for (auto _ : state) {
        std::memcpy(target.bits(), source.constBits(), static_cast<std::size_t>(source.sizeInBytes()));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FrameCopy);

void BM_MainTick(benchmark::State& state)
{
    EnemyMax = 7;
    TimeLimit = 210;
    GameLevel = 1;
    ReplayRandom random(7);
    ManualClock clock;
    clock.Set(1000);
    frmMain::Options options;
    options.random = &random;
    options.clock = &clock;
    options.manualTimers = true;
    options.media = [](const std::string&) {};
    auto* form = new frmMain(options);
    form->show();
    QCoreApplication::processEvents();

    // Seven ships spread over the view ahead, at several ranges and damage
    // levels, and a splash among them.
    BattleState& s = form->battle().MutableState();
    for (int i = 0; i < 7; ++i) {
        const double bearing = -0.7 + 0.2 * i;
        const double range = 150 + 110 * i;
        EnemyShip ship;
        ship.X = static_cast<float>(975 + range * std::sin(bearing));
        ship.Y = static_cast<float>(975 - range * std::cos(bearing));
        ship.Range = static_cast<float>(range);
        ship.Bearing = bearing < 0 ? bearing + 2 * s.Pi : bearing;
        ship.Heading = ship.Bearing + s.Pi;
        ship.DamageLevel = static_cast<vb::Integer>(i % 4);
        s.Enemy.push_back(ship);
    }
    s.EnemyCount = 7;
    s.SplashVisible = true;
    s.ImpactX = 1100;
    s.ImpactY = 600;
    const std::vector<EnemyShip> fleet = s.Enemy;
    auto* scene = form->findChild<QWidget*>(QStringLiteral("picScene"));
    auto* radar = form->findChild<QWidget*>(QStringLiteral("picRader"));

    const double copy = frameCopySeconds();
    double total = 0;
    for (auto _ : state) {
        s.Enemy = fleet; // the same picture every time
        const auto start = Clock::now();
        form->tick(BattleUi::Timer::tmrMain);
        radar->repaint();
        scene->repaint();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        total += seconds;
    }
    state.counters["frame_copy_us"] = copy * 1e6;
    state.counters["frame_copies"] = total / static_cast<double>(state.iterations()) / copy;
    delete form;
}
BENCHMARK(BM_MainTick)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // A run without the gauge library must not wait on its warning.
    QTimer dismiss;
    QObject::connect(&dismiss, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    dismiss.start(50);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
