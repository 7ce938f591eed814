// Loading and saving a full version-15 file of 500 entries (about 30 KB),
// with and without a read password.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "documents/LoadSave.h"
#include "platform/Dialogs.h"

namespace {

class AnswerGeheim : public platform::ScriptedDialogs {
public:
    std::string AskPassword(const std::string&) override { return "Geheim"; }
};

// A folder of its own, removed at exit.
struct BenchFolder {
    BenchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "pelko-bench-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~BenchFolder() { std::filesystem::remove_all(path); }
    std::string path;
};

std::string Folder() {
    static const BenchFolder folder;
    return folder.path;
}

std::unique_ptr<VocabularyFileData> FullDocument(bool readPassword) {
    auto d = std::make_unique<VocabularyFileData>();
    d->Description = "Englisch, Grundwortschatz";
    d->ColumnNames.FS1.Set("Englisch");
    d->ColumnNames.MS1.Set("Deutsch");
    for (int row = 1; row <= kMaxEntries; ++row) {
        VokabelTyp& e = d->Entries[row];
        e.FS1.Set("word " + std::to_string(row));
        e.FS2.Set("words, terms");
        e.MS1.Set("Wort Nummer " + std::to_string(row));
        e.MS2.Set("Vokabel");
        e.MS3.Set("Begriff");
        e.InUse = 1;
    }
    if (readPassword) {
        d->ReadPassword = "Geheim";
    }
    return d;
}

void Save(benchmark::State& state) {
    AnswerGeheim dialogs;
    platform::ScopedDialogs scope(dialogs);
    auto d = FullDocument(state.range(0) != 0);
    const std::string path = Folder() + "/save.plk";
    for (auto _ : state) {
        benchmark::DoNotOptimize(SaveVocabularyFile(path, *d, 15, {false, true, true}));
    }
    state.counters["bytes"] = double(std::filesystem::file_size(path));
}

void Load(benchmark::State& state) {
    AnswerGeheim dialogs;
    platform::ScopedDialogs scope(dialogs);
    const std::string path = Folder() + "/load" + std::to_string(state.range(0)) + ".plk";
    SaveVocabularyFile(path, *FullDocument(state.range(0) != 0), 15, {false, true, true});
    auto d = std::make_unique<VocabularyFileData>();
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadVocabularyFile(path, *d, true, 1, {}));
    }
}

}  // namespace

BENCHMARK(Save)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(Load)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
