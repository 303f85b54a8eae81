// SPDX-License-Identifier: MIT
// One main tick of a busy battle (7 ships in view and a splash: move, radar,
// scene composed and shown) against a plain copy of one 400 x 240 32-bit
// frame, measured in the same run. The counter "frame_copies" is the ratio.
#include "frmMain.h"
#include "ManualClock.h"
#include "RadarRenderer.h"
#include "ReplayRandom.h"
#include "Resources.h"
#include "SceneRenderer.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Processor time of this thread: on a busy machine the wall clock also
// counts the time other programs had the processor.
double threadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct CopyTime {
    double wall = 0;
    double processor = 0;
};

// Median time of one frame copy, in seconds.
CopyTime frameCopySeconds()
{
    QImage source(400, 240, QImage::Format_RGB32);
    source.fill(0x336699);
    QImage target(400, 240, QImage::Format_RGB32);
    std::vector<double> wall, processor;
    for (int round = 0; round < 101; ++round) {
        const auto start = Clock::now();
        const double startCpu = threadSeconds();
        for (int i = 0; i < 100; ++i) {
            std::memcpy(target.bits(), source.constBits(), static_cast<std::size_t>(source.sizeInBytes()));
            benchmark::ClobberMemory();
        }
        processor.push_back((threadSeconds() - startCpu) / 100);
        wall.push_back(std::chrono::duration<double>(Clock::now() - start).count() / 100);
    }
    std::nth_element(wall.begin(), wall.begin() + 50, wall.end());
    std::nth_element(processor.begin(), processor.begin() + 50, processor.end());
    return {wall[50], processor[50]};
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

// Seven ships spread over the view ahead, at several ranges and damage
// levels, and a splash among them.
void busyBattle(BattleState& s)
{
    s.Enemy.resize(1);
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
}

// The parts of a tick on their own, to see where its time goes.
void BM_SceneCompose(benchmark::State& state)
{
    BattleState s;
    s.Pi = 4 * std::atan(1.0);
    busyBattle(s);
    SceneRenderer renderer([](int id) {
        if (id == scene::WaterPicture)
            return LoadFormPicture(QStringLiteral("picWater"));
        if (id == scene::WaterMask)
            return LoadFormPicture(QStringLiteral("picWMask"));
        return LoadResPicture(id);
    });
    for (auto _ : state)
        benchmark::DoNotOptimize(renderer.render(s));
}
BENCHMARK(BM_SceneCompose)->Unit(benchmark::kMicrosecond);

void BM_RadarPaint(benchmark::State& state)
{
    BattleState s;
    s.Pi = 4 * std::atan(1.0);
    busyBattle(s);
    RadarRenderer renderer(LoadResPicture(radar::BackgroundPicture));
    QImage target(130, 130, QImage::Format_RGB32);
    const auto marks = RadarMarks(s);
    for (auto _ : state) {
        QPainter painter(&target);
        renderer.paint(painter, QRectF(0, 0, 130, 130), marks);
    }
}
BENCHMARK(BM_RadarPaint)->Unit(benchmark::kMicrosecond);

void BM_MainTick(benchmark::State& state)
{
    ReplayRandom random(7);
    ManualClock clock;
    clock.Set(1000);
    frmMain::Options options;
    options.random = &random;
    options.clock = &clock;
    options.manualTimers = true;
    options.media = [](const std::string&) {};
    options.settings = GameSettings{7, 210, 1};
    auto* form = new frmMain(options);
    form->show();
    QCoreApplication::processEvents();

    BattleState& s = form->battle().MutableState();
    busyBattle(s);
    const std::vector<EnemyShip> fleet = s.Enemy;
    auto* scene = form->findChild<QWidget*>(QStringLiteral("picScene"));
    auto* radar = form->findChild<QWidget*>(QStringLiteral("picRader"));

    const CopyTime copy = frameCopySeconds();
    double total = 0, totalCpu = 0;
    for (auto _ : state) {
        s.Enemy = fleet; // the same picture every time
        const auto start = Clock::now();
        const double startCpu = threadSeconds();
        form->tick(BattleUi::Timer::tmrMain);
        radar->repaint();
        scene->repaint();
        totalCpu += threadSeconds() - startCpu;
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        total += seconds;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["frame_copy_us"] = copy.wall * 1e6;
    state.counters["frame_copies"] = total / n / copy.wall;
    state.counters["tick_cpu_us"] = totalCpu / n * 1e6;
    state.counters["frame_copies_cpu"] = totalCpu / n / copy.processor;
    delete form;
}
// Showing a finished picture: one repaint of a picture box.
void BM_Repaint(benchmark::State& state, const char* box)
{
    ReplayRandom random(7);
    ManualClock clock;
    frmMain::Options options;
    options.random = &random;
    options.clock = &clock;
    options.manualTimers = true;
    options.media = [](const std::string&) {};
    options.settings = GameSettings{7, 210, 1};
    auto* form = new frmMain(options);
    form->show();
    QCoreApplication::processEvents();
    auto* widget = form->findChild<QWidget*>(QLatin1String(box));
    for (auto _ : state)
        widget->repaint();
    delete form;
}
BENCHMARK_CAPTURE(BM_Repaint, picScene, "picScene")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Repaint, picRader, "picRader")->Unit(benchmark::kMicrosecond);

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
