// GIF decoding next to Qt's own reader on the same bytes: a small still
// picture and an animation from the test fixtures, and the large pictures
// scripts/make-bench-gifs.sh makes (target bench_gifs): 2000 x 1500 and 10
// frames of 640 x 480 (every frame decoded). Animation steps, each with the
// picture a paint reads: small frames, or frames without data, on a 5000 x
// 5000 screen; frames on part of a small screen; frames that fill it.
#include "htmlengine/PageGif.h"
#include "../tests/htmlengine/GifAnimations.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <benchmark/benchmark.h>

#include <algorithm>
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

// Frames of size x size moving down the diagonal of the span x span area at
// the top left of a width x height screen, each restoring the background;
// with size 0 the frames are a pixel large and hold no pixel data.
std::vector<uint8_t> MovingSquare(int width, int height, int span, int frames, int size) {
    std::vector<gif_animations::Frame> moving;
    const int side = std::max(size, 1), last = std::max(frames - 1, 1);
    for (int k = 0; k < frames; ++k) {
        const int at = k * (span - side) / last;
        moving.push_back({at, at, side, side, 2, -1, size == 0});
    }
    return gif_animations::Write(width, height, moving);
}

// Twenty animation steps, each followed by the picture a paint reads; the
// picture is loaded and read once before the clock runs.
void AnimationSteps(benchmark::State& state, const std::vector<uint8_t>& bytes) {
    const ScreenState screen(24);
    bool nonAnimated;
    auto gif = LoadGifFromStream(bytes, screen, nonAnimated);
    if (!gif) {
        state.SkipWithError("the animation does not load");
        return;
    }
    gif->SetAnimate(true, 0);
    gif->AnimateStep(1000); // only starts the clock
    benchmark::DoNotOptimize(gif->FrameBuffer().Row32(0));
    uint32_t now = 1000; // a second a step: past any frame's delay
    for (auto _ : state) {
        for (int step = 0; step < 20; ++step) {
            gif->AnimateStep(now += 1000);
            benchmark::DoNotOptimize(gif->FrameBuffer().Row32(0));
        }
    }
}

void StepsOfEmptyFrames(benchmark::State& state) { AnimationSteps(state, MovingSquare(5000, 5000, 1, 21, 0)); }
void StepsOfSmallFrames(benchmark::State& state) { AnimationSteps(state, MovingSquare(5000, 5000, 1000, 21, 200)); }
void StepsOfPartFrames(benchmark::State& state) { AnimationSteps(state, MovingSquare(640, 480, 480, 21, 240)); }
void StepsOfFixture(benchmark::State& state) { AnimationSteps(state, Fixture(state, "big/animated.gif")); }

} // namespace

BENCHMARK(StepsOfEmptyFrames)->Name("AnimationSteps/20_empty_frames_on_5000x5000")->Unit(benchmark::kMillisecond);
BENCHMARK(StepsOfSmallFrames)->Name("AnimationSteps/20_frames_of_200x200_on_5000x5000")->Unit(benchmark::kMillisecond);
BENCHMARK(StepsOfPartFrames)->Name("AnimationSteps/20_frames_of_240x240_on_640x480")->Unit(benchmark::kMillisecond);
BENCHMARK(StepsOfFixture)->Name("AnimationSteps/20_of_10x640x480")->Unit(benchmark::kMillisecond);
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
