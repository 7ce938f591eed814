#include "documents/CellEditing.h"

#include "documents/AppTools.h"
#include "documents/EntryEditorLink.h"
#include "platform/Dialogs.h"

using platform::Dialogs;
using platform::MsgDlgType;

std::string CellEditActionText(int column, int row) {
    return "Änderung des Feldes " + std::to_string(column) + "|" + std::to_string(row);
}

uint8_t CellEditInUse(const VokabelTyp& entry, const std::string& text) {
    if (!TrimCopy(text).empty()) return 1;
    for (int k = 1; k <= 7; ++k) {
        if (!TrimCopy(entry.Field(k).Get()).empty()) return 1;
    }
    return 0;
}

void StoreCellEdit(VocabDocument& doc, int column, int row, const std::string& text) {
    if (row < 1 || row > kMaxEntries) return;
    if (column < 1 || column > 7) {
        Dialogs().MessageDlg("Interner Fehler 0021a", MsgDlgType::Error, platform::mbOK);
        Dialogs().MessageDlg("Interner Fehler 0021b", MsgDlgType::Error, platform::mbOK);
        return;
    }
    // A field is one line: whatever road a line break took, it goes no further.
    const std::string line = OneLine(text);
    VokabelTyp& entry = doc.Entries[row];
    if (line != entry.Field(column).Get()) {
        doc.SetModified(true);
        doc.PushUndo(CellEditActionText(column, row));
    }
    entry.Field(column).Set(line);
    EntryEditorCellStored(doc, row);
    entry.InUse = CellEditInUse(entry, line);
    doc.CellChanged(column, row);
}

char GridKey(char key, std::size_t cellLength, bool replacesSelection, bool& beep) {
    beep = false;
    ComposeCaronChar(key);
    if (key == 0 || IsControlKey(key) || replacesSelection) return key;
    if (cellLength >= kCellLength) {
        beep = true;
        return 0;
    }
    return key;
}

bool CellPasteAcceptable(const std::string& text) {
    return text.size() <= kLongestCellPaste && text.find_first_of("\r\n") == std::string::npos;
}
