#include "documents/EntryEditing.h"

#include <algorithm>
#include <utility>

#include "documents/AppTools.h"
#include "platform/Dialogs.h"

using platform::Dialogs;
using platform::MsgDlgType;

namespace {

constexpr int kFieldLength = 50;

void TooMany() { Dialogs().MessageDlg("Zu viele Vokabeln.", MsgDlgType::Warning, platform::mbOK); }

bool AllEmpty(const EditorFields& fields) {
    return std::all_of(fields.begin(), fields.end(), [](const std::string& f) { return f.empty(); });
}

struct NamedCharacter {
    const char* name;
    unsigned char code;
};

constexpr NamedCharacter kNamedCharacters[] = {
    {"c_hacek", 232},     {"e_hacek", 236},     {"n_hacek", 242},     {"r_hacek", 248},     {"s_hacek", 154},
    {"z_hacek", 158},     {"c_hacek_big", 200}, {"e_hacek_big", 204}, {"r_hacek_big", 216}, {"n_hacek_big", 210},
    {"s_hacek_big", 138}, {"z_hacek_big", 142}, {"u_kringel", 249},   {"u_kringel_big", 217},
};

}  // namespace

void ReadEntryFields(const EditorFields& fields, VokabelTyp& entry) {
    for (int k = 0; k < 7; ++k) {
        // A field is one line, whatever was pasted into the edit.
        const std::string line = OneLine(fields[k]);
        entry.Field(k + 1).Set(std::string_view(line).substr(0, kFieldLength));
    }
    entry.InUse = AllEmpty(fields) ? 0 : 1;
}

EditorFields EntryFields(const VokabelTyp& entry) {
    EditorFields fields;
    for (int k = 0; k < 7; ++k) fields[k] = entry.Field(k + 1).Get();
    return fields;
}

void CloseUpFields(EditorFields& fields) {
    if (fields[0].empty() && !fields[1].empty()) std::swap(fields[0], fields[1]);
    for (int k = 2; k < 6; ++k) {
        if (!fields[k].empty()) continue;
        for (int i = k + 1; i < 7; ++i) {
            if (fields[i].empty()) continue;
            std::swap(fields[k], fields[i]);
            break;
        }
    }
}

int SemicolonTarget(int field, bool sameLanguageOnly) {
    switch (field) {
        case 0:
            return 1;
        case 1:
            return sameLanguageOnly ? -1 : 2;
        case 6:
            return sameLanguageOnly ? -1 : 0;
        default:
            return field >= 2 && field < 6 ? field + 1 : -1;
    }
}

std::string SpecialCharacterBytes(const std::string& caption) {
    if (caption.size() == 1) return caption;
    for (const NamedCharacter& named : kNamedCharacters) {
        if (caption == named.name) return std::string(1, char(named.code));
    }
    return {};
}

std::string EditorCaption(const std::string& fileName) {
    return "Editieren/Eingeben, Vokabeldatei: " + fileName.substr(fileName.find_last_of('/') + 1);
}

// ---- The editor over its document --------------------------------------------

void EntryEditorCore::Open(VocabDocument& document, int startRow) {
    document_ = &document;
    SetDocumentInEditor(&document);
    MarksClear(document.Marks);
    editRow_ = std::clamp(startRow == 0 ? 1 : startRow, 1, kMaxEntries);
    EditUpdate();
}

void EntryEditorCore::Close() {
    if (document_ != nullptr && DocumentInEditor() == document_) SetDocumentInEditor(nullptr);
    document_ = nullptr;
}

VocabDocument* EntryEditorCore::Document() const {
    // A document being destroyed detaches itself; its pointer is not used.
    return document_ != nullptr && DocumentInEditor() == document_ ? document_ : nullptr;
}

int EntryEditorCore::UsedCount() const {
    const VocabDocument* doc = Document();
    return doc != nullptr ? doc->CountUsedEntries() : 0;
}

void EntryEditorCore::Beep() const {
    if (hooks_.beep) hooks_.beep();
}

void EntryEditorCore::RefreshRow(int row) const {
    if (hooks_.refreshRow) hooks_.refreshRow(row);
}

void EntryEditorCore::EditUpdate() {
    if (VocabDocument* doc = Document()) Fields = EntryFields(doc->Entries[editRow_]);
}

void EntryEditorCore::SaveCurrent() {
    VocabDocument* doc = Document();
    if (doc == nullptr) return;
    ReadEntryFields(Fields, doc->Entries[editRow_]);
    RefreshRow(editRow_);
}

void EntryEditorCore::CloseUpAndStore() {
    CloseUpFields(Fields);
    SaveCurrent();
}

bool EntryEditorCore::Next(bool toEmptyRow) {
    const VocabDocument* doc = Document();
    if (doc == nullptr) return false;
    if (AllEmpty(Fields) && editRow_ > doc->LastUsedRow()) {
        Dialogs().MessageDlg("Es sind keine Lücken in der Vokabeldatei erlaubt!", MsgDlgType::Error, platform::mbOK);
        return false;
    }
    CloseUpAndStore();
    if (toEmptyRow) {
        if (editRow_ >= kMaxEntries) {
            TooMany();
        } else {
            int row = editRow_ + 1;
            while (row <= kMaxEntries && !VocabDocument::IsEntryEmpty(doc->Entries[row])) ++row;
            if (row <= kMaxEntries) {
                editRow_ = row;
            } else {
                Beep();
            }
        }
    } else if (editRow_ < kMaxEntries) {
        ++editRow_;
    } else {
        Beep();
        TooMany();
    }
    EditUpdate();
    return true;
}

void EntryEditorCore::Previous(bool toEmptyRow, bool save) {
    const VocabDocument* doc = Document();
    if (doc == nullptr) return;
    if (save) SaveCurrent();
    RefreshRow(editRow_);
    if (toEmptyRow) {
        if (editRow_ <= 1) return;
        int row = editRow_ - 1;
        while (row >= 1 && !VocabDocument::IsEntryEmpty(doc->Entries[row])) --row;
        if (row >= 1) {
            editRow_ = row;
        } else {
            Beep();
        }
    } else if (editRow_ <= 1) {
        Beep();
    } else {
        --editRow_;
    }
    EditUpdate();
}

void EntryEditorCore::Finish() {
    if (Document() == nullptr) return;
    CloseUpAndStore();
    if (editRow_ < kMaxEntries) {
        ++editRow_;
    } else {
        Beep();
        TooMany();
    }
}

void EntryEditorCore::Cancel() {
    if (Document() != nullptr) RefreshRow(editRow_);
}

void EntryEditorCore::GotoRow(int row) {
    if (Document() == nullptr || row < 1 || row > kMaxEntries) return;
    SaveCurrent();
    editRow_ = row;
    EditUpdate();
}

void EntryEditorCore::ShowFoundRow(int row) {
    if (Document() == nullptr || row < 1 || row > kMaxEntries) return;
    editRow_ = row;
    EditUpdate();
}

void EntryEditorCore::GotoAfterCount() {
    const int count = UsedCount();
    if (count < 1) return;
    if (count + 1 > kMaxEntries) {
        Beep();
        return;
    }
    GotoRow(count + 1);
}
