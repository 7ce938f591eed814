#include "frame/MainStartup.h"

#include <filesystem>

#include "documents/AppSettings.h"

using platform::mbHelp;
using platform::mbOK;
using platform::MsgDlgType;

bool IsExistingFolder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(path, ec);
}

void ReportCannotFindFile(const std::string& name, platform::DialogSeam& dialogs) {
    dialogs.MessageDlg(CannotFindFileText(name), MsgDlgType::Error, mbOK);
}

void ReopenLastFiles(const OptionenTyp& options, bool anyDocumentOpen,
                     const std::function<void(const std::string&)>& open, platform::DialogSeam& dialogs,
                     const FileProbe& fileExists) {
    if (!options.Settings.ReopenLastFiles || anyDocumentOpen) {
        return;
    }
    for (const std::string& name : options.Settings.OpenFilesAtExit) {
        if (name.empty()) {
            continue;
        }
        if (fileExists(name)) {
            open(name);
        } else {
            ReportCannotFindFile(name, dialogs);
        }
    }
}

bool WantsEmptyStartDocument(const OptionenTyp& options, bool anyDocumentOpen) {
    return options.BeimStartLeereDatei && !anyDocumentOpen && !options.Settings.ShowWizAtStartUp;
}

void RunStartupChecks(OptionenTyp& options, const std::string& programFolder, platform::DialogSeam& dialogs,
                      const FolderProbe& folderExists, const FileProbe& fileExists) {
    if (!folderExists(options.StandardArbeitsverzeichnis)) {
        dialogs.MessageDlg("Das Standardverzeichnis für die Vokabeldateien existiert nicht. Setze "
                           "Pelko32-Verzeichnis als neues Arbeitsverzeichnis.",
                           MsgDlgType::Information, mbOK | mbHelp, kHelpMissingWorkingFolder);
        options.StandardArbeitsverzeichnis = programFolder;
    }
    if (!folderExists(options.Settings.VorlagenVerzeichnis)) {
        dialogs.MessageDlg("Das Vorlagen-Verzeichnis existiert nicht! Bitte prüfen Sie die Einstellung im "
                           "Dialogfeld Optionen!",
                           MsgDlgType::Information, mbOK | mbHelp, kHelpMissingTemplatesFolder);
        options.Settings.VorlagenVerzeichnis = programFolder + "Vorlagen";
    }
    if (options.Abfragen.BeepBeiFehler && !fileExists(options.Abfragen.BeepFilename)) {
        dialogs.MessageDlg("Die im Optionendialog angegebene WAV-Datei für die Fehlertöne beim Abfragen kann "
                           "nicht gefunden werden. Fehlertöne werden ausgeschaltet.",
                           MsgDlgType::Information, mbOK | mbHelp, kHelpMissingSoundFile);
        options.Abfragen.BeepBeiFehler = false;
    }
}

MainWindowState StoredMainWindowState(const SettingsTyp& settings) {
    switch (settings.HauptfensterStatus) {
    case 0:
        return MainWindowState::Minimised;
    case 2:
        return MainWindowState::Maximised;
    default:
        return MainWindowState::Normal;
    }
}

void RecordMainWindow(SettingsTyp& settings, MainWindowState state, const WindowBounds& bounds) {
    if (state != MainWindowState::Maximised) {
        settings.HauptfensterX = bounds.left;
        settings.HauptfensterY = bounds.top;
        settings.HauptfensterHoehe = bounds.height;
        settings.HauptfensterBreite = bounds.width;
    }
    settings.HauptfensterStatus = int32_t(state);
}

std::array<std::string, 10> OpenFilesAtExit(const std::vector<std::string>& fileNamesBottomFirst) {
    std::array<std::string, 10> slots{};
    for (size_t k = 0; k < slots.size() && k < fileNamesBottomFirst.size(); ++k) {
        slots[k] = fileNamesBottomFirst[k];
    }
    return slots;
}
