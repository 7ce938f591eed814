// Undo and redo of a document: up to ten whole snapshots in UndoSlots.
// Slot k holds a state and, as ActionText, the name of the action that
// followed it; UndoLevel is the number of filled slots + 1.

#include "documents/EntryEditorLink.h"
#include "documents/VocabDocument.h"

namespace {

constexpr int kSlots = 10;

bool MergesWithPrevious(const std::string& text, const std::string& previous) {
    if (text != previous) return false;
    return text == "Beschreibung geändert" || text.find("Änderung des Feldes") != std::string::npos;
}

}  // namespace

void VocabDocument::PushUndo(const std::string& actionText) {
    // A run of edits of one cell, or of typing in the description, is one
    // step; but never after an undo, where merging would keep a redo alive
    // that overwrites the new edit.
    if (UndoLevel > 1 && RedoPossible == 0 && MergesWithPrevious(actionText, UndoSlots[UndoLevel - 1].ActionText)) {
        return;
    }
    if (UndoLevel > kSlots) {
        for (int k = 1; k < kSlots; ++k) UndoSlots[k] = std::move(UndoSlots[k + 1]);
        UndoLevel = kSlots;
    }
    UndodataTyp& slot = UndoSlots[UndoLevel];
    slot.Entries = Entries;
    slot.FileName = FileName;
    slot.FormatVersion = FormatVersion;
    slot.Description = Description;
    slot.ColumnNames = ColumnNames;
    slot.Fonts = Fonts;
    slot.ActionText = actionText;
    slot.WritePassword = WritePassword;
    slot.ReadPassword = ReadPassword;
    slot.SourceFiles = SourceFiles;
    // States above belong to a branch the user has left: redo must not
    // reach them.
    for (int k = UndoLevel + 1; k <= kSlots; ++k) UndoSlots[k].ActionText.clear();
    ++UndoLevel;
    RedoPossible = 0;
    if (view_ != nullptr) view_->UndoStateChanged();
}

void VocabDocument::RestoreSnapshot(const UndodataTyp& slot) {
    // The marks and the passwords are no part of the document's history;
    // but a file name that comes back (undoing past a "Save as") brings the
    // passwords that file had, or a plain save would overwrite the old,
    // protected file without asking and strip its protection.
    if (slot.FileName != FileName) {
        WritePassword = slot.WritePassword;
        ReadPassword = slot.ReadPassword;
    }
    Entries = slot.Entries;
    SourceFiles = slot.SourceFiles;
    FileName = slot.FileName;
    FormatVersion = slot.FormatVersion;
    Description = slot.Description;
    ColumnNames = slot.ColumnNames;
    Fonts = slot.Fonts;
}

bool VocabDocument::UndoStep() {
    if (UndoLevel <= 1) return false;
    RowsChanging rows(*this);
    if (RedoPossible == 0) {
        // The current state goes into the slot a later redo returns to.
        PushUndo("Rückgängig");
        --UndoLevel;
    }
    --UndoLevel;
    RestoreSnapshot(UndoSlots[UndoLevel]);
    SetModified(true);
    RedoPossible = 1;
    RefreshGrid();
    FormResize();
    if (view_ != nullptr) view_->UndoStateChanged();
    return true;
}

bool VocabDocument::RedoStep() {
    if (RedoPossible == 0 || UndoLevel >= kSlots) return false;
    RowsChanging rows(*this);
    ++UndoLevel;
    RestoreSnapshot(UndoSlots[UndoLevel]);
    SetModified(true);
    if (UndoLevel >= kSlots || UndoSlots[UndoLevel + 1].ActionText.empty()) RedoPossible = 0;
    RefreshGrid();
    FormResize();
    if (view_ != nullptr) view_->UndoStateChanged();
    return true;
}

std::string VocabDocument::UndoCaption() const {
    if (UndoLevel < 2) return "&Rückgängig: nicht möglich";
    return "&Rückgängig: " + UndoSlots[UndoLevel - 1].ActionText;
}

std::string VocabDocument::RedoCaption() const {
    if (RedoPossible == 0) return "&Wiederherstellen: nicht möglich";
    return "&Wiederherstellen: " + UndoSlots[UndoLevel].ActionText;
}
