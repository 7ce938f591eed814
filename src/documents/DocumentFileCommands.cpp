#include "documents/DocumentFileCommands.h"

#include <unistd.h>

#include "documents/DocumentFiles.h"
#include "documents/FileAccess.h"

using platform::Dialogs;
using platform::FileDialogRequest;
using platform::FileDialogResult;
using platform::ModalResult;
using platform::MsgDlgType;

namespace {

constexpr int kDosFilter = 5;

void ShowInformation(const std::string& text) { Dialogs().MessageDlg(text, MsgDlgType::Information, platform::mbOK); }
void ShowError(const std::string& text) { Dialogs().MessageDlg(text, MsgDlgType::Error, platform::mbOK); }

// The chosen file, or nothing when the dialog was cancelled.
std::string ChosenFile(const FileDialogResult& result) {
    if (!result.accepted || result.files.empty()) return {};
    FollowChosenFolder(result.files.front());
    return result.files.front();
}

bool HasPassword(const VocabDocument& doc) { return !doc.ReadPassword.empty() || !doc.WritePassword.empty(); }

}  // namespace

uint8_t SaveAsVersion(int filterIndex) {
    switch (filterIndex) {
        case 2: return 14;
        case 3: return 13;
        case 4: return 11;
        case kDosFilter: return 0;
        default: return 15;
    }
}

std::string WithSaveAsExtension(const std::string& name, int filterIndex) {
    if (FileNameOnly(name).find('.') != std::string::npos) return name;
    return name + (filterIndex == kDosFilter ? ".VOK" : ".PLK");
}

void ApplyFolderOptions(FileDialogRequest& request) {
    if (Optionen.StandardArbeitsverzeichnisNutzen) request.initialDir = Optionen.StandardArbeitsverzeichnis;
}

void FollowChosenFolder(const std::string& chosenFile) {
    if (!Optionen.VerzeichnisAutomatischWechseln) return;
    const std::size_t slash = chosenFile.find_last_of('/');
    if (slash == std::string::npos) return;
    const std::string folder = slash == 0 ? "/" : chosenFile.substr(0, slash);
    // A folder that cannot be entered only leaves the current one.
    if (chdir(folder.c_str()) != 0) return;
}

std::unique_ptr<VocabularyFileData> DocumentFileData(const VocabDocument& doc) {
    auto data = std::make_unique<VocabularyFileData>();
    data->Description = doc.Description;
    data->Entries = doc.Entries;
    data->ColumnNames = doc.ColumnNames;
    data->Fonts = doc.Fonts;
    data->WritePassword = doc.WritePassword;
    data->ReadPassword = doc.ReadPassword;
    return data;
}

bool ConfirmPasswordVersion(const std::string& name, uint8_t& version, bool hasPassword) {
    if (!hasPassword) return true;
    if (EffectiveSaveVersion(name, version) == 0) {
        // Version 14 would not help: the name makes it DOS text all the same.
        return Dialogs().MessageDlg("Dateien von Pelko für DOS (*.VOK) können keine Kennwörter enthalten. Die Datei "
                                    "wird ohne Kennwörter gespeichert.",
                                    MsgDlgType::Warning, platform::mbOKCancel) == ModalResult::OK;
    }
    if (version < 14) {
        const ModalResult answer = Dialogs().MessageDlg(
            "Sie haben ein Kennwort für die Datei angegeben. Dies ist aber nur für Vokabeldateien ab Version 1.4 "
            "möglich. Möchten Sie die Datei mit der neuen Version, mit den Kennwörtern, abspeichern?",
            MsgDlgType::Confirmation, platform::mbYes | platform::mbNo);
        if (answer == ModalResult::Yes) version = 14;
    }
    return true;
}

bool SaveDocumentAs(VocabDocument& doc, const FileCommandHooks& hooks) {
    const std::string oldName = doc.FileName;
    FileDialogRequest request;
    request.title = "Vokabeldatei speichern...";
    request.filter =
        "Pelko32 ab Version 2.8 (*.PLK)|*.PLK|Pelko32 ab Version 2.4 (*.PLK)|*.PLK|Pelko32 ab Version 2.2 "
        "(*.PLK)|*.PLK|Pelko32 bis Version 2.1 (*.PLK)|*.PLK|Pelko für DOS-Dateien (*.VOK)|*.VOK|Alle Dateien "
        "(*.*)|*.*";
    ApplyFolderOptions(request);
    const FileDialogResult result = Dialogs().SaveFileDialog(request);
    std::string name = ChosenFile(result);
    if (name.empty()) return false;
    name = WithSaveAsExtension(name, result.filterIndex);

    // The file layer asks for the write password of the file itself.
    if (name == oldName && !doc.WritePassword.empty()) return doc.Save();

    uint8_t version = SaveAsVersion(result.filterIndex);
    const std::string oldRead = doc.ReadPassword;
    const std::string oldWrite = doc.WritePassword;
    auto restorePasswords = [&] {
        doc.ReadPassword = oldRead;
        doc.WritePassword = oldWrite;
    };
    const bool hadPassword = HasPassword(doc);
    // A copy under a new name carries no passwords; the same file keeps its own.
    if (name != oldName) {
        doc.ReadPassword.clear();
        doc.WritePassword.clear();
    }
    if (Optionen.BeschreibungBeimErstenSpeichern && hooks.editProperties) hooks.editProperties(doc);
    // DOS text keeps no password at all, so the user hears of those the
    // copy would have dropped too.
    const bool dosText = EffectiveSaveVersion(name, version) == 0;
    if (!ConfirmPasswordVersion(name, version, HasPassword(doc) || (dosText && hadPassword))) {
        restorePasswords();
        return false;
    }
    const std::string message = Files().SaveVocabularyFile(name, *DocumentFileData(doc), version);
    if (!message.empty()) {
        ShowInformation(message);
        // FileName stays: its next plain save must not drop its protection.
        restorePasswords();
        return false;
    }
    doc.FileName = name;
    doc.FormatVersion = uint8_t(EffectiveSaveVersion(name, version));
    if (name != oldName && hooks.updateMRU) hooks.updateMRU(name);
    doc.SetModified(false);
    doc.Caption = doc.FileName;
    doc.CaptionChanged();
    return true;
}

std::string ChooseFileToAppend(const VocabDocument& doc) {
    if (doc.LastUsedRow() >= kMaxEntries) {
        Dialogs().MessageDlg("Die letzte Vokabel (Nr.500) ist schon ausgefüllt. Hinzufügen nicht möglich.",
                             MsgDlgType::Warning, platform::mbOK);
        return {};
    }
    FileDialogRequest request;
    request.title = "Vokabeldatei hinzufügen...";
    request.filter = "Pelko32 (*.PLK)|*.PLK|Pelko für DOS-Dateien (*.VOK)|*.VOK|Alle Dateien (*.*)|*.*";
    ApplyFolderOptions(request);
    return ChosenFile(Dialogs().OpenFileDialog(request));
}

bool AppendVocabularyFile(VocabDocument& doc, const std::string& name, int lastOpenFilterIndex) {
    const int startRow = doc.LastUsedRow() + 1;
    if (startRow > kMaxEntries) return false;
    doc.PushUndo("Vokabeldatei hinzufügen");
    // Read into a copy: a file that breaks off halfway must leave no rows
    // and no column names behind.
    auto data = std::make_unique<VocabularyFileData>();
    data->Entries = doc.Entries;
    data->ColumnNames = doc.ColumnNames;
    data->Fonts = doc.Fonts;
    const LoadResult loaded = Files().LoadVocabularyFile(name, *data, lastOpenFilterIndex != 2, startRow);
    if (loaded.Failed()) {
        ShowError(loaded.Message);
        return false;
    }
    if (!loaded.Message.empty()) Dialogs().MessageDlg(loaded.Message, MsgDlgType::Warning, platform::mbOK);
    doc.Entries = data->Entries;
    doc.ColumnNames = data->ColumnNames;
    doc.Description += " + " + data->Description;
    doc.SetModified(true);
    return true;
}

void ExportDocument(const VocabDocument& doc) {
    FileDialogRequest request;
    request.title = "Vokabeldatei exportieren...";
    request.filter = "CSV Dateien|*.csv";
    request.defaultExt = "csv";
    ApplyFolderOptions(request);
    const std::string name = ChosenFile(Dialogs().SaveFileDialog(request));
    if (name.empty()) return;
    const std::string message = ExportCsv(name, doc.Entries, doc.ColumnNames);
    if (!message.empty()) ShowInformation(message);
}

void SaveDocumentAsTemplate(const VocabDocument& doc) {
    if (doc.CountUsedEntries() >= 2 &&
        Dialogs().MessageDlg("In einer Vorlage werden nur Schriftart, -farbe, Beschriftung der Spalten und ähnliche "
                             "Informationen, ABER KEINE VOKABELN gespeichert!",
                             MsgDlgType::Warning, platform::mbOKCancel) != ModalResult::OK) {
        return;
    }
    FileDialogRequest request;
    request.title = "Als Vorlage speichern...";
    request.filter = "Pelko32-Vorlage|*.PLV|Alle Dateien|*.*";
    request.initialDir = Optionen.Settings.VorlagenVerzeichnis;
    request.defaultExt = "PLV";
    // The command asks in its own words.
    request.confirmOverwrite = false;
    const FileDialogResult result = Dialogs().SaveFileDialog(request);
    if (!result.accepted || result.files.empty()) return;
    const std::string& name = result.files.front();
    if (FileExists(name) && Dialogs().MessageDlg("Die gewählte Datei existiert bereits. Überschreiben?",
                                                 MsgDlgType::Confirmation,
                                                 platform::mbYes | platform::mbNo) != ModalResult::Yes) {
        return;
    }
    auto data = std::make_unique<VocabularyFileData>();
    data->Description = doc.Description;
    data->ColumnNames = doc.ColumnNames;
    data->Fonts = doc.Fonts;
    const std::string message = SaveTemplate(name, *data, FileFormatOptions::From(Optionen));
    if (!message.empty()) ShowInformation(message);
}

bool ApplyProperties(VocabDocument& doc, const DocumentProperties& properties) {
    bool changed = false;
    if (properties.Description != doc.Description) {
        doc.SetModified(true);
        doc.PushUndo("Beschreibung ändern");
        doc.Description = properties.Description;
        changed = true;
    }
    if (properties.ReadPassword != doc.ReadPassword) {
        doc.SetModified(true);
        doc.ReadPassword = properties.ReadPassword;
        changed = true;
    }
    if (properties.WritePassword != doc.WritePassword) {
        doc.SetModified(true);
        doc.WritePassword = properties.WritePassword;
        changed = true;
    }
    return changed;
}

