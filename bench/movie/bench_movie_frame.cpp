// SPDX-License-Identifier: MIT
// What one frame of the title movie costs: decoding its JPEG, and putting it
// on a widget of the title's size. At 15 frames a second the title's share of
// a core is about 1.5 % per millisecond of the two together.
#include "MjpegAvi.h"
#include "MoviePicture.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

const MjpegAvi& titleMovie()
{
    static const MjpegAvi movie = [] {
        QString error;
        auto read = MjpegAvi::read(QStringLiteral(MOVIE_PATH), &error);
        if (!read)
            std::abort();
        return std::move(*read);
    }();
    return movie;
}

void DecodeFrame(benchmark::State& state)
{
    const MjpegAvi& movie = titleMovie();
    int index = 0;
    for (auto _ : state) {
        QImage frame = movie.frame(index);
        benchmark::DoNotOptimize(frame.constBits());
        index = (index + 1) % movie.frameCount();
    }
}
BENCHMARK(DecodeFrame)->Unit(benchmark::kMicrosecond);

void PaintFrame(benchmark::State& state)
{
    const MjpegAvi& movie = titleMovie();
    MoviePicture picture(nullptr);
    picture.resize(movie.size());
    QImage surface(movie.size(), QImage::Format_RGB32);
    int index = 0;
    for (auto _ : state) {
        picture.setFrame(movie.frame(index), index);
        picture.render(&surface);
        benchmark::DoNotOptimize(surface.constBits());
        index = (index + 1) % movie.frameCount();
    }
}
BENCHMARK(PaintFrame)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
