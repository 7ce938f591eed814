#pragma once
// The main window's start-up and shut-down rules that need no window: the
// files reopened at start, the empty start document, the checks when the
// splash ends, and what closing records.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "frame/CommandLine.h"
#include "platform/Dialogs.h"

struct OptionenTyp;
struct SettingsTyp;

using FolderProbe = std::function<bool(const std::string& path)>;
bool IsExistingFolder(const std::string& path);

// Files named on the command line or kept from the last exit that are gone:
// "Kann Datei <name> nicht finden." in an error box.
void ReportCannotFindFile(const std::string& name, platform::DialogSeam& dialogs);

// With "Reopen_last_files" on and no document open: opens the non-empty
// OpenFilesAtExit slots in slot order, so the document active at exit is
// active again; a name that is gone is reported.
void ReopenLastFiles(const OptionenTyp& options, bool anyDocumentOpen,
                     const std::function<void(const std::string&)>& open, platform::DialogSeam& dialogs,
                     const FileProbe& fileExists = IsExistingFile);

// An empty document at start: asked for, nothing open, and no wizard.
bool WantsEmptyStartDocument(const OptionenTyp& options, bool anyDocumentOpen);

// When the splash ends: a missing working folder, templates folder or sound
// file is told in a box with OK and Help, one after the other, and repaired
// in the options (written at exit). programFolder ends with "/".
void RunStartupChecks(OptionenTyp& options, const std::string& programFolder, platform::DialogSeam& dialogs,
                      const FolderProbe& folderExists = IsExistingFolder,
                      const FileProbe& fileExists = IsExistingFile);

inline constexpr int kHelpMissingWorkingFolder = 5507;
inline constexpr int kHelpMissingTemplatesFolder = 5508;
inline constexpr int kHelpMissingSoundFile = 5509;

// "Hauptfenster-Status".
enum class MainWindowState : int32_t { Minimised = 0, Normal = 1, Maximised = 2 };
struct WindowBounds {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};
// The state to show at start; values other than 0, 1, 2 mean normal.
MainWindowState StoredMainWindowState(const SettingsTyp& settings);
// At close: a maximised window keeps the normal bounds of before.
void RecordMainWindow(SettingsTyp& settings, MainWindowState state, const WindowBounds& bounds);

// OpenFilesAtExit from the documents' file names, bottom of the stacking
// order first: slot k takes the k-th while k <= 10, so with more documents
// the topmost go unrecorded; an untitled document leaves its slot empty.
std::array<std::string, 10> OpenFilesAtExit(const std::vector<std::string>& fileNamesBottomFirst);
