#pragma once
// Search in files: looks for a text in many vocabulary files and gathers
// every matching entry, with the file it came from, into one result
// document. The run is plain logic over a port that the progress window
// implements (progress, the result document, serving events, cancelling);
// files are read through the document file formats and questions go through
// the dialog seam.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "documents/AppSettings.h"

class VocabDocument;
namespace platform {
class DialogSeam;
}

constexpr int kMaxSearchHits = 500;

struct FileSearchOptions {
    bool ignoreCase = true;  // the box "Groß-/Kleinschreibung ignorieren"
    bool wordParts = false;  // "auch Wortteile"
    bool foreign = true;     // "Fremdsprache"; with word parts, off means the mother-tongue fields
};

// The text as compared: trimmed, upper-cased when case is ignored.
std::string SearchTextForComparison(const std::string& text, bool ignoreCase);
// t as SearchTextForComparison gives it; an empty t matches nothing.
bool EntryMatchesSearch(const VokabelTyp& entry, const std::string& t, const FileSearchOptions& options);

class FileSearchPort {
public:
    virtual ~FileSearchPort() = default;
    // File k of n (from 1) is about to be searched.
    virtual void FileStarted(int k, int n, const std::string& path) = 0;
    // Hit number hitCount; the first creates the result document. False when
    // there is no result document to take it (it could not be made or the
    // user closed it): the search ends.
    virtual bool AddHit(const VokabelTyp& entry, int hitCount) = 0;
    // Once after each file.
    virtual void ServeEvents() = 0;
    virtual bool Cancelled() = 0;
    // Before a message box: the hourglass goes.
    virtual void NormalCursor() = 0;
};

struct FileSearchOutcome {
    int hitCount = 0;
    std::array<std::string, kMaxSearchHits + 1> hitSourceFiles{};  // 1 to hitCount
};

// Every file in order, rows 1 to 500 of each; stops at the 500th hit, on a
// Cancel in a file message, when cancelled (looked at after every row) or
// when the result is gone.
std::unique_ptr<FileSearchOutcome> RunFileSearch(const std::vector<std::string>& files, const std::string& text,
                                                 const FileSearchOptions& options, FileSearchPort& port,
                                                 platform::DialogSeam& dialogs);

// The result document's captions, set at the first hit.
void PrepareSearchResult(VocabDocument& result, int fileCount, const std::string& text);
// Copies the hit into the first free row, marked in use so the next hit
// takes the row after it; the row, or 0 when the document is full.
int AddSearchHit(VocabDocument& result, const VokabelTyp& entry);
// Each row's source file, from the hits in order.
void StoreSearchSourceFiles(VocabDocument& result, const FileSearchOutcome& outcome);

// The paths to add to a file list: those not in it yet (exact text), in order.
std::vector<std::string> NewSearchFiles(const std::vector<std::string>& list, const std::vector<std::string>& chosen);
// The files of a folder whose name ends in ".plk" in any case, sorted by
// name; no subfolders. Nothing for a folder that cannot be read.
std::vector<std::string> FolderSearchFiles(const std::string& folder);

struct OptionenTyp;
namespace platform {
struct FileDialogRequest;
}
// The dialog's open dialog: several files, in the working folder when the
// options say so.
platform::FileDialogRequest SearchFilesDialogRequest(const OptionenTyp& options);
