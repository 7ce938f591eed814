#include "frame/FileSearch.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "documents/AppTools.h"
#include "documents/DocumentFiles.h"
#include "documents/VocabDocument.h"
#include "platform/Dialogs.h"

using platform::MsgDlgType;
using platform::ModalResult;

namespace {

bool IsRegularFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool Contains(const ShortString<50>& field, const std::string& t, bool ignoreCase) {
    const std::string text = ignoreCase ? UpAscii(field.Get()) : field.Get();
    return text.find(t) != std::string::npos;
}

bool Equals(const ShortString<50>& field, const std::string& t, bool ignoreCase) {
    return (ignoreCase ? UpAscii(field.Get()) : field.Get()) == t;
}

}  // namespace

std::string SearchTextForComparison(const std::string& text, bool ignoreCase) {
    const std::string t = TrimCopy(text);
    return ignoreCase ? UpAscii(t) : t;
}

bool EntryMatchesSearch(const VokabelTyp& entry, const std::string& t, const FileSearchOptions& options) {
    if (t.empty()) return false;
    if (options.wordParts) {
        const int first = options.foreign ? 1 : 3;
        const int last = options.foreign ? 2 : 7;
        for (int k = first; k <= last; ++k) {
            if (Contains(entry.Field(k), t, options.ignoreCase)) return true;
        }
        return false;
    }
    for (int k = 1; k <= 7; ++k) {
        if (Equals(entry.Field(k), t, options.ignoreCase)) return true;
    }
    return false;
}

std::unique_ptr<FileSearchOutcome> RunFileSearch(const std::vector<std::string>& files, const std::string& text,
                                                 const FileSearchOptions& options, FileSearchPort& port,
                                                 platform::DialogSeam& dialogs) {
    auto outcome = std::make_unique<FileSearchOutcome>();
    auto data = std::make_unique<VocabularyFileData>();
    const int n = int(files.size());
    for (int k = 1; k <= n; ++k) {
        const std::string& path = files[size_t(k - 1)];
        port.FileStarted(k, n, path);
        for (int row = 1; row <= kMaxEntries; ++row) data->Entries[size_t(row)] = BlankEntry;
        if (!IsRegularFile(path)) {
            port.NormalCursor();
            const ModalResult answer = dialogs.MessageDlg(
                "Folgende Datei existiert nicht: " + path + ". Mit der nächsten Datei fortfahren oder Abbrechen?",
                MsgDlgType::Confirmation, platform::mbOKCancel);
            if (answer != ModalResult::OK) break;
            continue;
        }
        const LoadResult loaded = Files().LoadVocabularyFile(path, *data, true, 1);
        if (loaded.Failed()) {
            port.NormalCursor();
            const ModalResult answer = dialogs.MessageDlg(
                loaded.Message + " Drücken Sie OK um mit der nächsten Datei fortzufahren oder Abbrechen.",
                MsgDlgType::Error, platform::mbOKCancel);
            if (answer != ModalResult::OK) break;
        }
        const std::string t = SearchTextForComparison(text, options.ignoreCase);
        bool stop = false;
        for (int row = 1; row <= kMaxEntries && !stop; ++row) {
            if (EntryMatchesSearch(data->Entries[size_t(row)], t, options)) {
                ++outcome->hitCount;
                if (!port.AddHit(data->Entries[size_t(row)], outcome->hitCount)) {
                    --outcome->hitCount;
                    return outcome;
                }
                outcome->hitSourceFiles[size_t(outcome->hitCount)] = path;
                if (outcome->hitCount >= kMaxSearchHits) {
                    port.NormalCursor();
                    dialogs.MessageDlg("500 Übereinstimmungen gefunden. Breche die Suche ab.", MsgDlgType::Error,
                                       platform::mbOK);
                    return outcome;
                }
            }
            stop = port.Cancelled();
        }
        if (stop) break;
        port.ServeEvents();
    }
    return outcome;
}

void PrepareSearchResult(VocabDocument& result, int fileCount, const std::string& text) {
    result.FileName.clear();
    result.Caption = SearchResultCaption;
    result.Description = "Suchergebnis aus " + std::to_string(fileCount) + " Dateien, Suchbegriff: " + text;
    result.CaptionChanged();
}

int AddSearchHit(VocabDocument& result, const VokabelTyp& entry) {
    const int row = result.FirstFreeRow();
    if (row > kMaxEntries) return 0;
    result.Entries[size_t(row)] = entry;
    result.Entries[size_t(row)].InUse = 1;
    return row;
}

void StoreSearchSourceFiles(VocabDocument& result, const FileSearchOutcome& outcome) {
    for (int k = 1; k <= kMaxSearchHits; ++k) result.SourceFiles[size_t(k)] = outcome.hitSourceFiles[size_t(k)];
}

std::vector<std::string> NewSearchFiles(const std::vector<std::string>& list, const std::vector<std::string>& chosen) {
    std::vector<std::string> added;
    for (const std::string& path : chosen) {
        if (std::find(list.begin(), list.end(), path) == list.end() &&
            std::find(added.begin(), added.end(), path) == added.end()) {
            added.push_back(path);
        }
    }
    return added;
}

std::vector<std::string> FolderSearchFiles(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() < 4 || UpAscii(name.substr(name.size() - 4)) != ".PLK") continue;
        if (!IsRegularFile(it->path().string())) continue;
        std::string path = folder;
        if (path.empty() || path.back() != '/') path += '/';
        files.push_back(path + name);
    }
    std::sort(files.begin(), files.end());
    return files;
}

platform::FileDialogRequest SearchFilesDialogRequest(const OptionenTyp& options) {
    platform::FileDialogRequest request;
    request.title = "Dateien für die Suche auswählen";
    request.filter = "Pelko für Windows-Dateien (*.PLK)|*.PLK|Pelko für DOS-Dateien (*.VOK)|*.VOK|Alle Dateien (*.*)|*.*";
    request.multiSelect = true;
    if (options.StandardArbeitsverzeichnisNutzen) request.initialDir = options.StandardArbeitsverzeichnis;
    return request;
}
