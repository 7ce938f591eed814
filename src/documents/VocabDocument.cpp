#include "documents/VocabDocument.h"


#include "documents/DocumentFileCommands.h"
#include "documents/DocumentFiles.h"
#include "documents/FileAccess.h"
#include "documents/FontChoice.h"
#include "platform/Dialogs.h"

using platform::Dialogs;
using platform::ModalResult;
using platform::MsgDlgType;

namespace {

const VocabDocument* documentInEditor = nullptr;

bool EndsInCsv(const std::string& name) { return LastThreeUpper(name) == "CSV"; }

bool AnyText(const VokabelTyp& e, int first, int last) {
    for (int k = first; k <= last; ++k) {
        if (!e.Field(k).Empty()) return true;
    }
    return false;
}

void ShowError(const std::string& text) { Dialogs().MessageDlg(text, MsgDlgType::Error, platform::mbOK); }

}  // namespace

VocabDocument::VocabDocument() {
    Entries.fill(BlankEntry);
    ColumnNames = DefaultColumnNames();
    Fonts = OptionFonts(Optionen);
    for (int i = 1; i <= 10; ++i) UndoSlots[i] = EmptyDocumentSnapshot;
}

VocabDocument::~VocabDocument() {
    if (documentInEditor == this) documentInEditor = nullptr;
}

int VocabDocument::CountUsedEntries() const {
    int n = 0;
    for (int r = 1; r <= kMaxEntries; ++r) {
        if (Entries[r].InUse != 0) ++n;
    }
    return n;
}

int VocabDocument::CountCompleteEntries() const {
    int n = 0;
    for (int r = 1; r <= kMaxEntries; ++r) {
        if (AnyText(Entries[r], 1, 2) && AnyText(Entries[r], 3, 7)) ++n;
    }
    return n;
}

int VocabDocument::LastUsedRow() const { return ::LastUsedRow(Entries); }

int VocabDocument::FirstFreeRow() const {
    for (int r = 1; r <= kMaxEntries; ++r) {
        if (Entries[r].InUse == 0) return r;
    }
    return kMaxEntries + 1;
}

bool VocabDocument::IsEntryEmpty(const VokabelTyp& entry) { return !AnyText(entry, 1, 7); }

bool VocabDocument::EntriesEqual(const VokabelTyp& a, const VokabelTyp& b) {
    for (int k = 1; k <= 7; ++k) {
        if (!(a.Field(k) == b.Field(k))) return false;
    }
    return true;
}

void VocabDocument::ClearEntry(VokabelTyp& entry) {
    for (int k = 1; k <= 7; ++k) entry.Field(k).Clear();
    entry.InUse = 0;
}

void VocabDocument::RecomputeUsedFlags() {
    for (int r = 1; r <= kMaxEntries; ++r) Entries[r].InUse = IsEntryEmpty(Entries[r]) ? 0 : 1;
}

void VocabDocument::DeleteRow(int row) {
    if (row < 1 || row > kMaxEntries) return;
    for (int r = row; r < kMaxEntries; ++r) {
        Entries[r] = Entries[r + 1];
        SourceFiles[r] = std::move(SourceFiles[r + 1]);
    }
    Entries[kMaxEntries] = BlankEntry;
    SourceFiles[kMaxEntries].clear();
    RefreshGrid();
}

void VocabDocument::InsertRow(int row, VokabelTyp entry) {
    if (row < 1) return;
    const int last = LastUsedRow();
    // Past row 500 nothing fits either: a block pasted near the end is
    // refused entry by entry, wherever it starts.
    if (last == kMaxEntries || row > kMaxEntries) {
        Dialogs().MessageDlg("Die letzte Vokabel (Nr.500) ist schon ausgefüllt. Zeile einfügen nicht möglich.",
                             MsgDlgType::Warning, platform::mbOK);
        return;
    }
    for (int r = last; r >= row; --r) {
        Entries[r + 1] = Entries[r];
        SourceFiles[r + 1] = std::move(SourceFiles[r]);
    }
    Entries[row] = entry;
    SourceFiles[row].clear();  // an entry from elsewhere has no source file here
    RefreshGrid();
}

void VocabDocument::SetModified(bool modified) {
    Modified = modified ? 1 : 0;
    if (modified && (Caption.empty() || Caption.back() != '*')) {
        Caption += " *";
        CaptionChanged();
    }
}

bool VocabDocument::AskSaveChanges() {
    if (Modified == 0) return true;
    const ModalResult answer = Dialogs().MessageDlg("Datei " + FileName + " wurde geändert. Änderungen speichern?",
                                                    MsgDlgType::Confirmation, platform::mbYesNoCancel);
    if (answer == ModalResult::No) return true;
    if (answer != ModalResult::Yes) return false;
    Save();
    return Modified == 0;
}

bool VocabDocument::CloseQuery() {
    if (DocumentInEditor() == this) {
        ShowError("Bitte schließen Sie die Eingabemaske vor dem Schließen der Datei.");
        return false;
    }
    return AskSaveChanges();
}

bool VocabDocument::Save() {
    if (EndsInCsv(FileName)) {
        ShowError("Datei wurde importiert. Wählen Sie \"Speichern unter...\"");
        return false;
    }
    if (FileName.empty() || FileName == "\x1b") return SaveAsHandler ? SaveAsHandler() : false;
    uint8_t version = FormatVersion;
    if (!ConfirmPasswordVersion(FileName, version, !ReadPassword.empty() || !WritePassword.empty())) return false;
    FormatVersion = version;
    const std::string message = Files().SaveVocabularyFile(FileName, *DocumentFileData(*this), FormatVersion);
    if (!message.empty()) {
        ShowError(message);
        return false;
    }
    SetModified(false);
    Caption = FileName;
    CaptionChanged();
    return true;
}

void VocabDocument::RefreshGrid() {
    if (view_ != nullptr) view_->RefreshGrid();
}

void VocabDocument::CaptionChanged() {
    if (view_ != nullptr) view_->CaptionChanged();
}

void VocabDocument::CellChanged(int column, int row) {
    if (view_ != nullptr) view_->CellChanged(column, row);
}

void VocabDocument::FormResize() {
    if (view_ != nullptr) view_->FormResize();
}

std::string LayoutCaption(const std::string& caption, const std::string& fileName, int tag, bool modified,
                          bool minimised) {
    const std::string mark = modified ? " *" : "";
    std::string role = caption;
    if (role.size() >= 2 && role.compare(role.size() - 2, 2, " *") == 0) role.resize(role.size() - 2);
    if (role == ErrorListCaption || role == SearchResultCaption) return role + mark;
    if (fileName.empty()) return "Vokabeldatei " + std::to_string(tag) + mark;
    if (minimised) return fileName.substr(fileName.find_last_of('/') + 1) + mark;
    return fileName + mark;
}

SpaltennamenTyp DefaultColumnNames() {
    SpaltennamenTyp names{};
    names.FS1.Set("1) Fremdsprache");
    names.FS2.Set("2) Fremdsprache");
    for (int i = 1; i <= 5; ++i) names.Field(2 + i).Set(std::to_string(i) + ") Muttersprache ");
    return names;
}

const VocabDocument* DocumentInEditor() { return documentInEditor; }
void SetDocumentInEditor(const VocabDocument* document) { documentInEditor = document; }

DocumentRequest DocumentRequest::FromMarker(const std::string& marker, int lastOpenFilterIndex) {
    DocumentRequest request;
    request.lastOpenFilterIndex = lastOpenFilterIndex;
    if (marker == "\x1b") return request;
    if (!marker.empty() && marker.back() == '>') {
        request.kind = Kind::Template;
        request.name = marker.substr(0, marker.size() - 1);
    } else {
        request.kind = Kind::File;
        request.name = marker;
    }
    return request;
}

namespace {

// Reads the file into the document; false when it could not be read.
bool LoadFile(VocabDocument& doc, const DocumentRequest& request) {
    auto data = std::make_unique<VocabularyFileData>();
    data->Description = doc.Description;
    data->Entries = doc.Entries;
    data->ColumnNames = doc.ColumnNames;
    data->Fonts = doc.Fonts;
    const LoadResult result =
        Files().LoadVocabularyFile(request.name, *data, request.lastOpenFilterIndex != 2, 1);
    if (result.Failed()) {
        ShowError(result.Message);
        return false;
    }
    if (!result.Message.empty()) {
        Dialogs().MessageDlg(result.Message, MsgDlgType::Warning, platform::mbOK);
    }
    doc.Description = data->Description;
    doc.Entries = data->Entries;
    doc.ColumnNames = data->ColumnNames;
    if (data->Fonts.Present != 0) doc.Fonts = data->Fonts;
    doc.WritePassword = data->WritePassword;
    doc.ReadPassword = data->ReadPassword;
    doc.FormatVersion = DocumentFormatVersion(result);
    doc.FileName = request.name;
    return true;
}

// The reader's message is shown; the document opens with what was read.
void LoadTemplateInto(VocabDocument& doc, const DocumentRequest& request) {
    auto data = std::make_unique<VocabularyFileData>();
    data->Description = doc.Description;
    data->ColumnNames = doc.ColumnNames;
    data->Fonts = doc.Fonts;
    const std::string message = Files().LoadTemplate(request.name, *data);
    doc.Description = data->Description;
    doc.ColumnNames = data->ColumnNames;
    if (data->Fonts.Present != 0) doc.Fonts = data->Fonts;
    if (!message.empty()) ShowError(message);
}

}  // namespace

std::unique_ptr<VocabDocument> CreateDocument(const DocumentRequest& request) {
    auto doc = std::make_unique<VocabDocument>();
    if (request.kind == DocumentRequest::Kind::Template) {
        LoadTemplateInto(*doc, request);
    } else if (request.kind == DocumentRequest::Kind::File) {
        if (!LoadFile(*doc, request)) return nullptr;
    }
    if (Optionen.Settings.HinweisBeiSchreibschutz && !doc->WritePassword.empty()) {
        const ModalResult answer =
            Dialogs().MessageDlg("Diese Datei ist mit einem Schreibschutz-Kennwort geschützt.",
                                 MsgDlgType::Information, platform::mbOK | platform::mbAbort | platform::mbHelp, 2002);
        if (answer == ModalResult::Abort) return nullptr;
    }
    if (EndsInCsv(doc->FileName)) {
        doc->FileName.clear();
        doc->SetModified(true);
    }
    return doc;
}
