// What a page costs in memory at its peak: parse, layout at 800 pixels and
// paint, counted by the heap blocks the engine holds (every
// operator new, at the size the allocator gives). Reported per page as the
// peak in bytes and as bytes per byte of HTML, for a table of 200 columns by
// 2 000 rows (about 2 MB), a page of 400 000 short paragraphs (1.6 MB) and
// every shipped help page.
//
// Peak resident memory of the whole program, as a user sees it, is the
// timed command: /usr/bin/time -f %M render-page PAGE.html 800 -
#include "htmlengine/PageCells.h"
#include "htmlengine/PagePars.h"
#include "htmlengine/ui/QtCanvas.h"
#include "htmlengine/ui/QtMeasurer.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <string>

namespace {

std::atomic<int64_t> heapNow{0};
std::atomic<int64_t> heapPeak{0};

void* Counted(void* p) {
    if (!p) throw std::bad_alloc();
    const int64_t now = heapNow += int64_t(malloc_usable_size(p));
    int64_t peak = heapPeak.load();
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
    }
    return p;
}

void Uncounted(void* p) {
    if (!p) return;
    heapNow -= int64_t(malloc_usable_size(p));
    std::free(p);
}

}  // namespace

void* operator new(size_t n) { return Counted(std::malloc(n ? n : 1)); }
void* operator new[](size_t n) { return Counted(std::malloc(n ? n : 1)); }
void* operator new(size_t n, std::align_val_t a) {
    return Counted(std::aligned_alloc(size_t(a), (std::max<size_t>(n, 1) + size_t(a) - 1) / size_t(a) * size_t(a)));
}
void* operator new[](size_t n, std::align_val_t a) { return operator new(n, a); }
void operator delete(void* p) noexcept { Uncounted(p); }
void operator delete[](void* p) noexcept { Uncounted(p); }
void operator delete(void* p, size_t) noexcept { Uncounted(p); }
void operator delete[](void* p, size_t) noexcept { Uncounted(p); }
void operator delete(void* p, std::align_val_t) noexcept { Uncounted(p); }
void operator delete[](void* p, std::align_val_t) noexcept { Uncounted(p); }
void operator delete(void* p, size_t, std::align_val_t) noexcept { Uncounted(p); }
void operator delete[](void* p, size_t, std::align_val_t) noexcept { Uncounted(p); }

using namespace htmlengine;

namespace {

constexpr int32_t kWidth = 800;

std::string TablePage() {
    std::string html = "<html><body><table>\n";
    for (int row = 0; row < 2000; ++row) {
        html += "<tr>";
        for (int column = 0; column < 200; ++column) html += "<td>x";
        html += "\n";
    }
    return html + "</table></body></html>\n";
}

std::string ParagraphsPage() {
    std::string html = "<html><body>";
    for (int n = 0; n < 400000; ++n) html += "<p>x";
    return html + "</body></html>\n";
}

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Parse, layout and a paint of the first 2 000 rows (a paint walks every
// section whatever it draws).
void ParseLayoutPaint(const std::string& html, QtMeasurer& measurer, const SystemColors& system, QImage& band) {
    TSectionList doc;
    doc.Measurer = &measurer;
    TAnchorList anchors;
    ParseFromBuffer(doc, anchors, html.data(), static_cast<int32_t>(html.size()));
    const int32_t height = doc.LayoutDocument(kWidth);
    QPainter painter(&band);
    QtCanvas canvas(painter, measurer, system, {0, 0, kWidth, band.height()});
    doc.PaintAt(canvas, {0, 0, kWidth, height}, 0, 0, kWidth);
}

void PagePeak(benchmark::State& state, const std::string& html) {
    QtMeasurer measurer;
    SystemColors system;
    QImage band(kWidth, 2000, QImage::Format_RGB32);
    // The measurer's tables of the page's fonts outlive a page in the viewer.
    ParseLayoutPaint(html, measurer, system, band);
    int64_t peak = 0;
    for (auto _ : state) {
        const int64_t before = heapNow;
        heapPeak = before;
        ParseLayoutPaint(html, measurer, system, band);
        peak = heapPeak - before;
    }
    state.counters["peak_bytes"] = double(peak);
    state.counters["bytes_per_html_byte"] = double(peak) / double(std::max<size_t>(html.size(), 1));
    state.counters["html_bytes"] = double(html.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    static const std::string table = TablePage(), paragraphs = ParagraphsPage();
    benchmark::RegisterBenchmark("PagePeak/Table200x2000", PagePeak, table)->Unit(benchmark::kMillisecond)->Iterations(1);
    benchmark::RegisterBenchmark("PagePeak/Paragraphs400000", PagePeak, paragraphs)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    static std::vector<std::pair<std::string, std::string>> help;
    const std::filesystem::path folder = PELKO_SOURCE_DIR "/resources/Hilfe";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string ext = entry.path().extension().string();
        if (ext == ".htm" || ext == ".html") {
            help.emplace_back(std::filesystem::relative(entry.path(), folder).string(), FileBytes(entry.path()));
        }
    }
    std::sort(help.begin(), help.end());
    for (const auto& [name, html] : help) {
        benchmark::RegisterBenchmark(("PagePeak/Hilfe/" + name).c_str(), PagePeak, html)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
