#pragma once
// The document's file commands: save as (the filter chooses the format),
// export as semicolon text, appending another vocabulary file, saving as a
// template, and taking over what the properties dialog changed. The dialogs
// run through the dialog seam; what only a window can do (the properties
// dialog, the recent files) comes in as hooks.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "documents/LoadSave.h"
#include "documents/VocabDocument.h"
#include "platform/Dialogs.h"

// The version the save-as filter chooses: 2 -> 14, 3 -> 13, 4 -> 11,
// 5 -> 0 (DOS text), any other -> 15.
uint8_t SaveAsVersion(int filterIndex);
// A name typed without an extension gets the chosen filter's: ".VOK" under
// the DOS filter, else ".PLK" (the plain default would put DOS text into a
// ".plk" file, or native bytes under "Alle Dateien" into a bare name).
std::string WithSaveAsExtension(const std::string& name, int filterIndex);

// "Standard-Arbeitsverzeichnis nutzen" gives the dialog its start folder.
void ApplyFolderOptions(platform::FileDialogRequest& request);
// The process's folder follows a chosen file only when "Verzeichnis
// automatisch wechseln" is on.
void FollowChosenFolder(const std::string& chosenFile);

// The document as a file holds it; big, so on the heap.
std::unique_ptr<VocabularyFileData> DocumentFileData(const VocabDocument& doc);

// Before saving under name in version: a password needs version 14 or
// more. DOS text keeps no passwords at all, which the user must accept
// (Cancel: false, nothing is to be saved).
bool ConfirmPasswordVersion(const std::string& name, uint8_t& version, bool hasPassword);

struct FileCommandHooks {
    // The properties dialog; save as opens it when "Beschreibung beim 1.
    // Speichern anzeigen" is on.
    std::function<void(VocabDocument&)> editProperties;
    std::function<void(const std::string&)> updateMRU;
};

// True when the document was written.
bool SaveDocumentAs(VocabDocument& doc, const FileCommandHooks& hooks);

// The file to append, "" when the dialog was cancelled or the table is
// full (which is said).
std::string ChooseFileToAppend(const VocabDocument& doc);
// Its entries go into the rows after the last used one and its column
// names replace the document's. A file that cannot be read changes nothing
// (its undo step stays); false then.
bool AppendVocabularyFile(VocabDocument& doc, const std::string& name, int lastOpenFilterIndex);

void ExportDocument(const VocabDocument& doc);
void SaveDocumentAsTemplate(const VocabDocument& doc);

// What the properties dialog ended with (bytes as the document holds them).
struct DocumentProperties {
    std::string Description;
    std::string ReadPassword;
    std::string WritePassword;
};
// A changed description is an undo step; changed passwords only mark the
// document modified. True when anything changed.
bool ApplyProperties(VocabDocument& doc, const DocumentProperties& properties);

