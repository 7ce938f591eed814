// GIF decoding next to Qt's own reader on the same bytes: a large still
// picture and an animation (every frame decoded).
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

std::vector<uint8_t> Fixture(const char* name) {
    const auto path = std::filesystem::path(__FILE__).parent_path().parent_path() / "tests/fixtures/images" / name;
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path.string(), bytes)) {
        throw std::runtime_error("missing fixture " + path.string());
    }
    return bytes;
}

void EngineDecode(benchmark::State& state, const char* name) {
    const std::vector<uint8_t> bytes = Fixture(name);
    const ScreenState screen(24);
    for (auto _ : state) {
        bool nonAnimated;
        auto gif = LoadGifFromStream(bytes, screen, nonAnimated);
        benchmark::DoNotOptimize(gif);
    }
}

void QtDecode(benchmark::State& state, const char* name) {
    const std::vector<uint8_t> bytes = Fixture(name);
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

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
