// GIF decoding next to Qt's own reader on the same bytes: a small still
// picture and an animation from the test fixtures, and the large pictures
// scripts/make-bench-gifs.sh makes (target bench_gifs): 2000 x 1500 and 10
// frames of 640 x 480 (every frame decoded).
#include "htmlengine/PageGif.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace htmlengine;

namespace {

// "big/" names come from the build's benchmark data, others from the test fixtures.
std::vector<uint8_t> Fixture(benchmark::State& state, std::string name) {
    std::filesystem::path path = std::filesystem::path(__FILE__).parent_path().parent_path() / "tests/fixtures/images";
    if (name.starts_with("big/")) {
        path = PELKO_BENCH_DATA;
        name.erase(0, 4);
    }
    path /= name;
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path.string(), bytes)) {
        state.SkipWithError(("missing " + path.string() + ": build the target bench_gifs").c_str());
    }
    return bytes;
}

void EngineDecode(benchmark::State& state, const char* name) {
    const std::vector<uint8_t> bytes = Fixture(state, name);
    const ScreenState screen(24);
    for (auto _ : state) {
        bool nonAnimated;
        auto gif = LoadGifFromStream(bytes, screen, nonAnimated);
        benchmark::DoNotOptimize(gif);
    }
}

void QtDecode(benchmark::State& state, const char* name) {
    const std::vector<uint8_t> bytes = Fixture(state, name);
    const QByteArray data(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    for (auto _ : state) {
        QBuffer buffer;
        buffer.setData(data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "gif");
        int frames = 0;
        for (QImage frame; reader.read(&frame);) {
            ++frames;
        }
        benchmark::DoNotOptimize(frames);
    }
}

} // namespace

BENCHMARK_CAPTURE(EngineDecode, large, "large.gif")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(QtDecode, large, "large.gif")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(EngineDecode, animated, "animated.gif")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(QtDecode, animated, "animated.gif")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(EngineDecode, large_2000x1500, "big/large.gif")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(QtDecode, large_2000x1500, "big/large.gif")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EngineDecode, animated_10x640x480, "big/animated.gif")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(QtDecode, animated_10x640x480, "big/animated.gif")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
