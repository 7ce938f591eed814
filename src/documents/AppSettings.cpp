#include "documents/AppSettings.h"

#include <algorithm>
#include <cstring>

VokabelTyp BlankEntry;
UndodataTyp EmptyDocumentSnapshot;

ShortString<50>& VokabelTyp::Field(int k) {
    switch (k) {
        case 2: return FS2;
        case 3: return MS1;
        case 4: return MS2;
        case 5: return MS3;
        case 6: return MS4;
        case 7: return MS5;
        default: return FS1;
    }
}

const ShortString<50>& VokabelTyp::Field(int k) const {
    return const_cast<VokabelTyp*>(this)->Field(k);
}

void RecomputeInUse(VokabelTyp& entry) {
    if (entry.InUse != 0) {
        return;
    }
    for (int k = 1; k <= 7; ++k) {
        if (!entry.Field(k).Empty()) {
            entry.InUse = 1;
            return;
        }
    }
}

int LastUsedRow(const VokabelArrayTyp& entries) {
    for (int row = kMaxEntries; row >= 1; --row) {
        if (entries[row].InUse != 0) {
            return row;
        }
    }
    return 0;
}

void ClipListReset(ZwischenspeicherTyp& clip) {
    std::fill(clip.Entries.begin() + 1, clip.Entries.end(), BlankEntry);
    clip.Count = 1;
    clip.Cursor = 1;
}

void ClipListAppend(ZwischenspeicherTyp& clip, VokabelTyp entry) {
    // The array ends at slot 500; callers reset before each copy, so a 501st
    // entry would be their mistake and is dropped.
    if (clip.Count < 1 || clip.Count > kMaxEntries) {
        return;
    }
    clip.Entries[clip.Count] = entry;
    clip.Count = uint16_t(clip.Count + 1);
}

bool ClipListNext(ZwischenspeicherTyp& clip, VokabelTyp& entry) {
    const uint16_t slot = std::min<uint16_t>(clip.Cursor, kMaxEntries);
    entry = clip.Entries[slot];
    clip.Cursor = static_cast<uint16_t>(slot + 1);
    if (clip.Cursor >= clip.Count) {
        clip.Cursor = 1;
        return true;
    }
    return false;
}

bool ClipListAtEnd(const ZwischenspeicherTyp& clip) {
    return clip.Cursor >= clip.Count;
}

int ClipListCount(const ZwischenspeicherTyp& clip) {
    return clip.Count - 1;
}

namespace {

bool ValidRow(int row) {
    return row >= 1 && row <= kMaxEntries;
}

}  // namespace

void MarksClear(MarkierungTyp& marks) {
    std::memset(marks.Marked, 0, sizeof marks.Marked);
    marks.Anchor = 0;
}

bool MarksGet(const MarkierungTyp& marks, int row) {
    return ValidRow(row) && marks.Marked[row - 1] != 0;
}

void MarksToggle(MarkierungTyp& marks, int row) {
    if (!ValidRow(row)) {
        return;
    }
    marks.Marked[row - 1] ^= 1;
    marks.Anchor = static_cast<uint16_t>(row);
}

void MarksSet(MarkierungTyp& marks, int row) {
    if (!ValidRow(row)) {
        return;
    }
    marks.Marked[row - 1] = 1;
    marks.Anchor = static_cast<uint16_t>(row);
}

void MarksSetRange(MarkierungTyp& marks, uint16_t a, uint16_t b) {
    const int from = std::max<int>(std::min(a, b), 1);
    const int to = std::min<int>(std::max(a, b), kMaxEntries);
    for (int row = from; row <= to; ++row) {
        marks.Marked[row - 1] = 1;
    }
    marks.Anchor = b;
}

void MarksExtendTo(MarkierungTyp& marks, int row) {
    if (!ValidRow(row)) {
        return;
    }
    // Without an anchor there is no range to extend: mark just this row.
    if (marks.Anchor == 0) {
        MarksSet(marks, row);
        return;
    }
    MarksSetRange(marks, marks.Anchor, static_cast<uint16_t>(row));
}

bool MarksAny(const MarkierungTyp& marks) {
    return std::any_of(std::begin(marks.Marked), std::end(marks.Marked), [](uint8_t m) { return m != 0; });
}

bool MarksSeveral(const MarkierungTyp& marks) {
    return std::count_if(std::begin(marks.Marked), std::end(marks.Marked), [](uint8_t m) { return m != 0; }) >= 2;
}

void FontRecOldToNew(const SchriftartAltTyp& old, SchriftartTyp& rec) {
    rec.Name.Set(old.Name.Get());
    rec.Color = old.Color;
    rec.Size = old.Size;
    rec.Style = old.Style;
}

void FontRecNewToOld(const SchriftartTyp& rec, SchriftartAltTyp& old) {
    old.Name.Set(rec.Name.Get());
    old.Color = rec.Color;
    old.Size = rec.Size;
    old.Style = rec.Style;
}
