#pragma once
// Which window a file opens in, the frame's open and import dialogs, and the
// report of a file that is gone.

#include <cstdint>
#include <string>
#include <vector>

#include "frame/RecentFiles.h"
#include "platform/Dialogs.h"

struct OptionenTyp;

inline constexpr const char* kOpenDialogTitle = "Vokabeldatei öffnen...";
inline constexpr const char* kOpenDialogFilter =
    "Pelko32 (*.PLK)|*.PLK|Pelko für DOS-Dateien (*.VOK)|*.VOK|Alle Dateien (*.*)|*.*";
inline constexpr const char* kImportDialogTitle = "Vokabeldatei importieren...";
inline constexpr const char* kImportDialogFilter = "CSV Dateien|*.csv";

inline constexpr int kDosFilterIndex = 2;
inline constexpr uint8_t kDosFormatVersion = 0;
inline constexpr uint8_t kCurrentFormatVersion = 15;

// Files chosen under the DOS filter become DOS text documents; files chosen
// under any other filter, and every file opened another way, native ones.
uint8_t FormatVersionForFilter(int filterIndex);

// The open (or import) dialog's request: several files, starting in the
// working folder when the options say so.
platform::FileDialogRequest OpenDialogRequest(const OptionenTyp& options);
platform::FileDialogRequest ImportDialogRequest(const OptionenTyp& options);

enum class OpenAction {
    Create,         // a new document window for the file
    Activate,       // bring window `window` to the front
    AlreadyActive,  // the active window shows it: only the recent files change
};
struct OpenDecision {
    OpenAction action = OpenAction::Create;
    size_t window = 0;
};
// fileNames: the document windows' file names, topmost first; active: the
// index of the active one, or -1. Names compare exactly, so another letter
// case is another file.
OpenDecision DecideOpen(const std::string& path, const std::vector<std::string>& fileNames, int active);

// A file to open that is gone: the error box, and the path leaves the recent
// files. The caller rebuilds the recent-files menus.
void ReportMissingFile(const std::string& path, RecentFileSlots& slots, platform::DialogSeam& dialogs);
