// SPDX-License-Identifier: MIT
// One CountUp with its redraw, as the game's reload tick does it through the
// dispatch interface (the classic control behind the widget), at the game's
// gauge size (4890 x 390 twips) and on a 1000-pixel-wide gauge.
#include "VelProgressBar.h"
#include "VelProgressBarPrivate.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void CountUpRedraw(benchmark::State& state)
{
    const int widthTwips = int(state.range(0));
    const auto type = VelProgressBar::StringTypeConstants(state.range(1));
    VelProgressBar widget;
    VelProgressBarPrivate& bar = *VelProgressBarPrivate::get(&widget);
    bar.setFwColor(255);
    bar.setStringType(type);
    bar.setMaximum(50);
    bar.setText(QStringLiteral("砲弾装填中..."));
    VelFont font = VelFont::defaultCaptionFont();
    font.size = 9.75f;
    bar.setCaptionFont(font);
    bar.setStep(1);
    bar.resizeTwips(widthTwips, 390);
    bar.setValue(0);
    // Every iteration redraws exactly once: a tick, or the next shot's reset.
    for (auto _ : state) {
        if (bar.value() == 50)
            bar.setValue(0);
        else
            bar.CountUp();
        benchmark::DoNotOptimize(bar.value());
    }
    state.SetLabel(QStringLiteral("%1 px, %2")
                       .arg(widget.width())
                       .arg(type == VelProgressBar::stypePercent ? "percent" : "free text")
                       .toStdString());
}

} // namespace

BENCHMARK(CountUpRedraw)
    ->Args({4890, VelProgressBar::stypeFreeString})
    ->Args({4890, VelProgressBar::stypePercent})
    ->Args({15000, VelProgressBar::stypeFreeString})
    ->Args({15000, VelProgressBar::stypePercent})
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
