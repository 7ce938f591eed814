#include "documents/RowOperations.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "documents/AppTools.h"
#include "documents/EntryEditorLink.h"
#include "platform/Dialogs.h"
#include "platform/Random.h"

using platform::Dialogs;
using platform::MsgDlgType;

namespace {

// The replacement of each Windows-1252 byte, or nothing when it stays.
const char* Folded(uint8_t c) {
    switch (c) {
        case 0x8A: return "S";
        case 0x9A: return "s";
        case 0x9F: case 0xDD: return "Y";
        case 0xC0: case 0xC1: case 0xC2: case 0xC3: case 0xC5: return "A";
        case 0xC4: return "Ae";
        case 0xC7: return "C";
        case 0xC8: case 0xC9: case 0xCA: case 0xCB: return "E";
        case 0xCC: case 0xCD: case 0xCE: case 0xCF: return "I";
        case 0xD1: return "N";
        case 0xD2: case 0xD3: case 0xD4: case 0xD5: return "O";
        case 0xD6: return "Oe";
        case 0xD9: case 0xDA: case 0xDB: return "U";
        case 0xDC: return "Ue";
        case 0xDF: return "ss";
        case 0xE0: case 0xE1: case 0xE2: case 0xE3: case 0xE5: return "a";
        case 0xE4: return "ae";
        case 0xE7: return "c";
        case 0xE8: case 0xE9: case 0xEA: case 0xEB: return "e";
        case 0xEC: case 0xED: case 0xEE: case 0xEF: return "i";
        case 0xF1: return "n";
        case 0xF2: case 0xF3: case 0xF4: return "o";
        case 0xF6: return "oe";
        case 0xF9: case 0xFA: case 0xFB: return "u";
        case 0xFC: return "ue";
        case 0xFD: case 0xFF: return "y";
        default: return nullptr;
    }
}

bool ValidRow(int row) { return row >= 1 && row <= kMaxEntries; }

// Keys are compared as unsigned bytes, a shorter prefix first, which is
// what std::string's comparison does.
using Companions = std::array<std::string, kMaxEntries + 1>;

void QuickSort(VokabelArrayTyp& entries, std::vector<std::string>& keys, Companions* companions, int lo, int hi) {
    const std::string pivot = keys[std::size_t((lo + hi) / 2)];
    int i = lo;
    int j = hi;
    do {
        while (keys[std::size_t(i)] < pivot) ++i;
        while (pivot < keys[std::size_t(j)]) --j;
        if (i <= j) {
            std::swap(entries[std::size_t(i)], entries[std::size_t(j)]);
            std::swap(keys[std::size_t(i)], keys[std::size_t(j)]);
            if (companions != nullptr) std::swap((*companions)[std::size_t(i)], (*companions)[std::size_t(j)]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (lo < j) QuickSort(entries, keys, companions, lo, j);
    if (i < hi) QuickSort(entries, keys, companions, i, hi);
}

// Used rows up over unused ones; both keep their order, and the source
// files go with their rows.
void CloseGaps(VocabDocument& doc) {
    std::vector<std::size_t> order;
    order.reserve(kMaxEntries);
    for (std::size_t r = 1; r <= kMaxEntries; ++r) {
        if (doc.Entries[r].InUse != 0) order.push_back(r);
    }
    for (std::size_t r = 1; r <= kMaxEntries; ++r) {
        if (doc.Entries[r].InUse == 0) order.push_back(r);
    }
    const auto entries = std::make_unique<VokabelArrayTyp>(doc.Entries);  // 180 KB: not on the stack
    Companions sources = std::move(doc.SourceFiles);
    doc.SourceFiles = Companions{};
    for (std::size_t r = 1; r <= kMaxEntries; ++r) {
        doc.Entries[r] = (*entries)[order[r - 1]];
        doc.SourceFiles[r] = std::move(sources[order[r - 1]]);
    }
}

}  // namespace

std::string FoldLetters(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 4);
    for (char c : text) {
        const char* folded = Folded(uint8_t(c));
        if (folded != nullptr) {
            out += folded;
        } else {
            out += c;
        }
    }
    return out;
}

std::string SortKey(const VokabelTyp& entry, int column, bool fold) {
    const std::string key = entry.Field(column).Get();
    return UpAscii(fold ? FoldLetters(key) : key);
}

void QuickSortEntries(VokabelArrayTyp& entries, int lo, int hi, int column, bool fold, Companions* companions) {
    lo = std::max(lo, 0);
    hi = std::min(hi, kMaxEntries);
    if (lo >= hi) return;
    // Keys are made once and travel with their entries.
    std::vector<std::string> keys(entries.size());
    for (int r = lo; r <= hi; ++r) keys[std::size_t(r)] = SortKey(entries[std::size_t(r)], column, fold);
    QuickSort(entries, keys, companions, lo, hi);
}

void SortRows(VocabDocument& doc, int column) {
    RowsChanging rows(doc);
    QuickSortEntries(doc.Entries, 1, doc.LastUsedRow(), column, Optionen.UmlauteUmwandeln, &doc.SourceFiles);
    doc.SetModified(true);
    doc.RefreshGrid();
}

void ShuffleEntries(VocabDocument& doc) {
    RowsChanging rows(doc);
    MarksClear(doc.Marks);
    doc.PushUndo("Vermischen");
    std::array<bool, kMaxEntries + 1> used{};
    int count = 0;
    int firstUsed = 0;
    for (int r = 1; r <= kMaxEntries; ++r) {
        used[std::size_t(r)] = doc.Entries[std::size_t(r)].InUse != 0;
        if (!used[std::size_t(r)]) continue;
        if (firstUsed == 0) firstUsed = r;
        ++count;
    }
    if (count < 2) {
        Dialogs().MessageDlg("Keine oder nicht genügend Vokabeln eingegeben!", MsgDlgType::Error, platform::mbOK);
        return;
    }
    std::array<bool, kMaxEntries + 1> visited{};
    visited[std::size_t(firstUsed)] = true;
    VokabelTyp held = doc.Entries[std::size_t(firstUsed)];
    std::string heldSource = doc.SourceFiles[std::size_t(firstUsed)];
    for (int left = count - 1; left > 0;) {
        const int r = platform::Random(kMaxEntries) + 1;
        if (!used[std::size_t(r)] || visited[std::size_t(r)]) continue;
        visited[std::size_t(r)] = true;
        std::swap(doc.Entries[std::size_t(r)], held);
        std::swap(doc.SourceFiles[std::size_t(r)], heldSource);
        --left;
    }
    doc.Entries[std::size_t(firstUsed)] = held;
    doc.SourceFiles[std::size_t(firstUsed)] = std::move(heldSource);
    doc.RefreshGrid();
    doc.SetModified(true);
}

void RemoveGaps(VocabDocument& doc, bool takeSnapshot) {
    RowsChanging rows(doc);
    MarksClear(doc.Marks);
    if (takeSnapshot) doc.PushUndo("Lücken löschen");
    doc.RecomputeUsedFlags();
    CloseGaps(doc);
    doc.SetModified(true);
    doc.RecomputeUsedFlags();
    doc.RefreshGrid();
}

void RemoveDuplicates(VocabDocument& doc, bool takeSnapshot) {
    RowsChanging rows(doc);
    MarksClear(doc.Marks);
    if (takeSnapshot) doc.PushUndo("Doppelte löschen");
    doc.RecomputeUsedFlags();
    // Counted after the flags are made true, or rows the recompute finds in
    // use would show up as removed (or as added).
    const int before = doc.CountUsedEntries();
    const int last = doc.LastUsedRow();
    if (last == 0) {
        Dialogs().MessageDlg(
            "Es sind noch keine Vokabeln eingegeben! Daher können auch keine doppelten vorhanden sein.",
            MsgDlgType::Information, platform::mbOK);
        return;
    }
    // Up to the last used row, so copies beyond a gap are found too.
    for (int d = 1; d <= last; ++d) {
        VokabelTyp& kept = doc.Entries[std::size_t(d)];
        if (VocabDocument::IsEntryEmpty(kept)) continue;
        for (int j = d + 1; j <= last; ++j) {
            VokabelTyp& other = doc.Entries[std::size_t(j)];
            if (VocabDocument::EntriesEqual(kept, other)) {
                VocabDocument::ClearEntry(other);
                doc.SourceFiles[std::size_t(j)].clear();
            }
        }
    }
    CloseGaps(doc);
    doc.SetModified(true);
    doc.RecomputeUsedFlags();
    doc.RefreshGrid();
    const int removed = before - doc.CountUsedEntries();
    Dialogs().MessageDlg(removed == 0 ? std::string("Es wurden keine doppelten Vokabeln gefunden.")
                                      : "Es wurden " + std::to_string(removed) + " Vokabeln gelöscht.",
                         MsgDlgType::Information, platform::mbOK);
}

void DeleteLine(VocabDocument& doc, int row) {
    if (!ValidRow(row)) return;
    RowsChanging rows(doc);
    doc.PushUndo("Zeile löschen");
    doc.DeleteRow(row);
    doc.SetModified(true);
}

void InsertBlankLine(VocabDocument& doc, int row) {
    if (!ValidRow(row)) return;
    RowsChanging rows(doc);
    doc.PushUndo("Leere Zeile einfügen");
    MarksClear(doc.Marks);
    doc.InsertRow(row, BlankEntry);
    doc.SetModified(true);
}

void ClearLine(VocabDocument& doc, int row) {
    if (!ValidRow(row)) return;
    RowsChanging rows(doc);
    doc.PushUndo("Inhalt löschen");
    doc.Entries[std::size_t(row)] = BlankEntry;
    doc.SourceFiles[std::size_t(row)].clear();
    doc.RefreshGrid();
    doc.SetModified(true);
}

void DeleteMarkedRows(VocabDocument& doc, const std::string& actionText) {
    RowsChanging rows(doc);
    doc.PushUndo(actionText);
    doc.BulkUpdate = 1;
    // From the bottom up, so the rows still to go keep their numbers.
    for (int r = kMaxEntries; r >= 1; --r) {
        if (MarksGet(doc.Marks, r)) doc.DeleteRow(r);
    }
    doc.BulkUpdate = 0;
    MarksClear(doc.Marks);
    doc.RefreshGrid();
    doc.SetModified(true);
}

void MarkByLeftClick(MarkierungTyp& marks, MarkArea area, int row, bool shift, bool ctrl, int lastUsedRow) {
    switch (area) {
        case MarkArea::NumberHeader:
            MarksSetRange(marks, 1, uint16_t(std::clamp(lastUsedRow, 1, kMaxEntries)));
            return;
        case MarkArea::Body:
            MarksClear(marks);
            return;
        case MarkArea::NumberColumn:
            if (!ValidRow(row)) return;
            if (!MarksAny(marks)) {
                MarksSet(marks, row);
            } else if (shift) {
                MarksExtendTo(marks, row);
            } else if (ctrl) {
                MarksToggle(marks, row);
            } else {
                MarksClear(marks);
                MarksSet(marks, row);
            }
            return;
    }
}
