#include "documents/EntryClipboard.h"

#include "documents/EntryEditorLink.h"
#include "documents/RowOperations.h"
#include "platform/Dialogs.h"

ZwischenspeicherTyp& Zwischenspeicher() {
    static ZwischenspeicherTyp clip = [] {
        ZwischenspeicherTyp c{};
        ClipListReset(c);
        return c;
    }();
    return clip;
}

void CopyEntry(const VocabDocument& doc, int row) {
    if (row < 1 || row > kMaxEntries) return;
    ClipListReset(Zwischenspeicher());
    ClipListAppend(Zwischenspeicher(), doc.Entries[row]);
}

void CopyMarkedEntries(const VocabDocument& doc) {
    ClipListReset(Zwischenspeicher());
    for (int r = 1; r <= kMaxEntries; ++r) {
        if (MarksGet(doc.Marks, r)) ClipListAppend(Zwischenspeicher(), doc.Entries[r]);
    }
}

void CutMarkedEntries(VocabDocument& doc) {
    CopyMarkedEntries(doc);
    DeleteMarkedRows(doc, "Vokabeln ausschneiden");
}

void InsertEntriesBefore(VocabDocument& doc, int row, const std::string& actionText) {
    ZwischenspeicherTyp& clip = Zwischenspeicher();
    if (ClipListAtEnd(clip)) {
        platform::Dialogs().MessageDlg(kEntryClipboardEmpty, platform::MsgDlgType::Error, platform::mbOK);
        return;
    }
    if (row < 1 || row > kMaxEntries) return;
    RowsChanging rows(doc);
    MarksClear(doc.Marks);
    doc.PushUndo(actionText);
    doc.BulkUpdate = 1;
    const int count = ClipListCount(clip);
    for (int i = 1; i <= count; ++i) {
        VokabelTyp entry;
        ClipListNext(clip, entry);
        doc.InsertRow(row + i - 1, entry);
    }
    doc.BulkUpdate = 0;
    doc.RefreshGrid();
    doc.SetModified(true);
}
