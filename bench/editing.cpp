// Sorting and shuffling a full document of 500 entries (no window, so no
// grid rebuild), and undo/redo steps over whole snapshots.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "documents/CellEditing.h"
#include "documents/RowOperations.h"
#include "documents/VocabDocument.h"
#include "platform/Random.h"

namespace {

// Words in two unrelated orders, with umlauts, so each sort has work.
std::unique_ptr<VocabDocument> FullDocument() {
    auto doc = std::make_unique<VocabDocument>();
    platform::RandSeed(500);
    const char* stems[] = {"Haus", "\xC4pfel", ("Stra\xDF" "e"), "M\xFChle", "Baum", "\xF6l", "Zug", "apple"};
    for (int row = 1; row <= kMaxEntries; ++row) {
        VokabelTyp& e = doc->Entries[row];
        e.FS1.Set(std::string(stems[platform::Random(8)]) + std::to_string(platform::Random(100000)));
        e.MS1.Set(std::string(stems[platform::Random(8)]) + std::to_string(platform::Random(100000)));
        e.InUse = 1;
    }
    return doc;
}

void BM_SortFullDocument(benchmark::State& state) {
    Optionen.UmlauteUmwandeln = state.range(0) != 0;
    auto doc = FullDocument();
    int column = 1;
    for (auto _ : state) {
        SortRows(*doc, column);
        column = column == 1 ? 3 : 1;  // the other column's order is a fresh shuffle
        benchmark::DoNotOptimize(doc->Entries[1]);
    }
}
BENCHMARK(BM_SortFullDocument)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ShuffleFullDocument(benchmark::State& state) {
    auto doc = FullDocument();
    for (auto _ : state) {
        ShuffleEntries(*doc);
        benchmark::DoNotOptimize(doc->Entries[1]);
    }
}
BENCHMARK(BM_ShuffleFullDocument)->Unit(benchmark::kMicrosecond);

// 100 steps: back and forth over nine undo steps of a full document.
void BM_HundredUndoRedoSteps(benchmark::State& state) {
    auto doc = FullDocument();
    for (int row = 1; row <= 12; ++row) StoreCellEdit(*doc, 2, row, "x");
    for (auto _ : state) {
        int steps = 0;
        while (steps < 100) {
            while (steps < 100 && doc->UndoStep()) ++steps;
            while (steps < 100 && doc->RedoStep()) ++steps;
        }
        benchmark::DoNotOptimize(doc->UndoLevel);
    }
}
BENCHMARK(BM_HundredUndoRedoSteps)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
