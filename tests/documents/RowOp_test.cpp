#include <gtest/gtest.h>

#include <algorithm>

#include "documents/DocumentTestFiles.h"
#include "documents/EntryClipboard.h"
#include "documents/RowOperations.h"
#include "platform/Dialogs.h"
#include "platform/Random.h"

namespace {

class RowOpTest : public ::testing::Test {
protected:
    void SetUp() override { ClipListReset(Zwischenspeicher()); }
    // One letter per row, "_" for an empty row.
    void Fill(const std::string& rows) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i] != '_') doc.Entries[i + 1] = MakeEntry(std::string(1, rows[i]), "m");
        }
    }
    std::string Rows(int count) const {
        std::string s;
        for (int r = 1; r <= count; ++r) s += doc.Entries[r].FS1.Empty() ? "_" : doc.Entries[r].FS1.Get();
        return s;
    }

    DefaultOptionsForTest options;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scopedDialogs{dialogs};
    VocabDocument doc;
};

TEST_F(RowOpTest, ShuffleIsOneCycleOverTheUsedRows) {
    const std::string before = "ABC_DEFGH_IJ";
    for (uint64_t seed : {1u, 7u, 42u, 1234u}) {
        doc.Entries.fill(BlankEntry);
        Fill(before);
        platform::RandSeed(seed);
        ShuffleEntries(doc);
        const std::string after = Rows(12);
        EXPECT_EQ(after[3], '_');
        EXPECT_EQ(after[9], '_');
        std::string sortedAfter = after;
        std::sort(sortedAfter.begin(), sortedAfter.end());
        std::string sortedBefore = before;
        std::sort(sortedBefore.begin(), sortedBefore.end());
        EXPECT_EQ(sortedAfter, sortedBefore);
        // Following the moves from row 1 visits every used row once.
        int steps = 0;
        std::size_t at = 0;
        do {
            at = before.find(after[at]);
            ++steps;
        } while (at != 0 && steps < 20);
        EXPECT_EQ(steps, 10) << seed << " " << after;
    }
    // Two entries always swap.
    doc.Entries.fill(BlankEntry);
    Fill("_X__Y");
    ShuffleEntries(doc);
    EXPECT_EQ(Rows(5), "_Y__X");
    EXPECT_EQ(doc.UndoCaption(), "&Rückgängig: Vermischen");
}

TEST_F(RowOpTest, ShuffleOfOneEntryIsRefusedButLeavesItsStep) {
    Fill("__A");
    ShuffleEntries(doc);
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Keine oder nicht genügend Vokabeln eingegeben!"});
    EXPECT_EQ(Rows(3), "__A");
    EXPECT_EQ(doc.UndoCaption(), "&Rückgängig: Vermischen");
}

TEST_F(RowOpTest, GapsAndDuplicates) {
    Fill("A__B_C");
    MarksSet(doc.Marks, 2);
    RemoveGaps(doc);
    EXPECT_EQ(Rows(6), "ABC___");
    EXPECT_FALSE(MarksAny(doc.Marks));
    EXPECT_EQ(doc.UndoCaption(), "&Rückgängig: Lücken löschen");
    RemoveGaps(doc, false);  // after a sort: no step of its own
    EXPECT_EQ(doc.UndoLevel, 2);

    struct Case {
        std::string rows;
        std::string after;
        std::string report;
    };
    const Case cases[] = {
        {"ABAA", "AB__", "Es wurden 2 Vokabeln gelöscht."},
        {"A__A", "A___", "Es wurden 1 Vokabeln gelöscht."},  // a copy beyond a gap
        {"Aa", "Aa", "Es wurden keine doppelten Vokabeln gefunden."},
        {"", "", "Es sind noch keine Vokabeln eingegeben! Daher können auch keine doppelten vorhanden sein."},
    };
    for (const Case& c : cases) {
        doc.Entries.fill(BlankEntry);
        Fill(c.rows);
        dialogs.shown.clear();
        RemoveDuplicates(doc);
        EXPECT_EQ(Rows(int(c.rows.size())), c.after) << c.rows;
        EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{c.report}) << c.rows;
        EXPECT_EQ(doc.UndoCaption(), "&Rückgängig: Doppelte löschen");
    }
}

TEST_F(RowOpTest, DuplicateReportCountsRowsWhoseFlagWasStale) {
    // Row 2 holds text but was never flagged in use.
    Fill("ABA");
    doc.Entries[2].InUse = 0;
    RemoveDuplicates(doc);
    EXPECT_EQ(Rows(3), "AB_");
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Es wurden 1 Vokabeln gelöscht."});
}

TEST_F(RowOpTest, SingleRowsAndMarkedRows) {
    Fill("ABCDE");
    MarksSet(doc.Marks, 2);
    MarksSet(doc.Marks, 4);
    DeleteMarkedRows(doc);
    EXPECT_EQ(Rows(5), "ACE__");
    EXPECT_FALSE(MarksAny(doc.Marks));
    EXPECT_EQ(doc.UndoCaption(), "&Rückgängig: Vokabeln löschen");

    InsertBlankLine(doc, 2);
    EXPECT_EQ(Rows(5), "A_CE_");
    EXPECT_EQ(doc.UndoCaption(), "&Rückgängig: Leere Zeile einfügen");
    DeleteLine(doc, 1);
    EXPECT_EQ(Rows(5), "_CE__");
    EXPECT_EQ(doc.UndoCaption(), "&Rückgängig: Zeile löschen");
    ClearLine(doc, 2);
    EXPECT_EQ(Rows(5), "__E__");
    EXPECT_EQ(doc.UndoCaption(), "&Rückgängig: Inhalt löschen");
    const int level = doc.UndoLevel;
    for (int row : {0, 501}) {
        DeleteLine(doc, row);
        InsertBlankLine(doc, row);
        ClearLine(doc, row);
    }
    EXPECT_EQ(doc.UndoLevel, level);
}

TEST_F(RowOpTest, SortingRowsThenClosingGaps) {
    Fill("c_a_B");
    Optionen.UmlauteUmwandeln = false;
    SortRows(doc, 1);
    EXPECT_EQ(Rows(5), "__aBc");
    RemoveGaps(doc, false);
    EXPECT_EQ(Rows(5), "aBc__");
    EXPECT_EQ(doc.Modified, 1);
}

TEST_F(RowOpTest, CutMarkedRowsAndPasteThemBeforeARow) {
    Fill("ABCDE");
    MarksSet(doc.Marks, 4);
    MarksSet(doc.Marks, 2);
    CutMarkedEntries(doc);
    EXPECT_EQ(Rows(5), "ACE__");
    EXPECT_FALSE(MarksAny(doc.Marks));
    EXPECT_EQ(ClipListCount(Zwischenspeicher()), 2);
    EXPECT_EQ(doc.UndoCaption(), "&Rückgängig: Vokabeln ausschneiden");

    MarksSet(doc.Marks, 3);
    InsertEntriesBefore(doc, 1, "Inhalt vor Zeile einfügen");
    EXPECT_EQ(Rows(6), "BDACE_");
    EXPECT_FALSE(MarksAny(doc.Marks));
    // The block can go in again.
    InsertEntriesBefore(doc, 6, "Vokabeln einfügen");
    EXPECT_EQ(Rows(8), "BDACEBD_");
    EXPECT_EQ(doc.UndoCaption(), "&Rückgängig: Vokabeln einfügen");
    EXPECT_EQ(doc.Modified, 1);

    ASSERT_TRUE(doc.UndoStep());
    ASSERT_TRUE(doc.UndoStep());
    ASSERT_TRUE(doc.UndoStep());
    EXPECT_EQ(Rows(5), "ABCDE");
}

TEST_F(RowOpTest, CopyingKeepsTheDocumentAndAnEmptyClipboardIsRefused) {
    Fill("ABCDE");
    InsertEntriesBefore(doc, 2, "Vokabeln einfügen");
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{kEntryClipboardEmpty});
    EXPECT_EQ(doc.UndoLevel, 1);

    MarksSet(doc.Marks, 5);
    MarksSet(doc.Marks, 1);
    CopyMarkedEntries(doc);
    EXPECT_EQ(doc.UndoLevel, 1);
    CopyEntry(doc, 3);  // a single row replaces the block
    CopyEntry(doc, 0);  // no such row: the clipboard stays
    InsertEntriesBefore(doc, 1, "Inhalt vor Zeile einfügen");
    EXPECT_EQ(Rows(6), "CABCDE");
    InsertEntriesBefore(doc, 501, "Inhalt vor Zeile einfügen");
    EXPECT_EQ(doc.LastUsedRow(), 6);
}

TEST_F(RowOpTest, APasteThatDoesNotFitIsRefusedEntryByEntryWhereverItLands) {
    const std::string kFull = "Die letzte Vokabel (Nr.500) ist schon ausgefüllt. Zeile einfügen nicht möglich.";
    struct Case {
        int used, before;
        std::size_t warnings;
        std::string row1, row500;
    };
    const Case cases[] = {
        {499, 500, 2, "v", "X"},  // row 500 takes the first entry, the other two are refused
        {499, 1, 2, "X", "v"},
        {500, 500, 3, "v", "v"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.used) + " before " + std::to_string(c.before));
        doc.Entries.fill(BlankEntry);
        for (int r = 1; r <= c.used; ++r) doc.Entries[r] = MakeEntry("v", "m");
        ClipListReset(Zwischenspeicher());
        for (const char* word : {"X", "Y", "Z"}) ClipListAppend(Zwischenspeicher(), MakeEntry(word, "m"));
        dialogs.shown.clear();
        InsertEntriesBefore(doc, c.before, "Vokabeln einfügen");
        EXPECT_EQ(dialogs.Texts(), std::vector<std::string>(c.warnings, kFull));
        EXPECT_EQ(doc.Entries[1].FS1.Get(), c.row1);
        EXPECT_EQ(doc.Entries[500].FS1.Get(), c.row500);
        EXPECT_EQ(doc.LastUsedRow(), 500);
    }
}

TEST(MarkingTest, LeftClicksOnTheRowNumbers) {
    MarkierungTyp marks{};
    auto marked = [&marks] {
        std::string s;
        for (int r = 1; r <= 8; ++r) s += MarksGet(marks, r) ? 'x' : '.';
        return s;
    };
    struct Step {
        MarkArea area;
        int row;
        bool shift;
        bool ctrl;
        int lastUsed;
        const char* after;
    };
    const Step steps[] = {
        {MarkArea::NumberHeader, 0, false, false, 0, "x......."},  // nothing used: row 1
        {MarkArea::NumberHeader, 0, false, false, 6, "xxxxxx.."},
        {MarkArea::Body, 4, false, false, 6, "........"},
        {MarkArea::NumberColumn, 3, true, false, 6, "..x....."},  // none marked: Shift just marks
        {MarkArea::NumberColumn, 6, true, false, 6, "..xxxx.."},
        {MarkArea::NumberColumn, 4, false, true, 6, "..x.xx.."},
        {MarkArea::NumberColumn, 8, false, false, 6, ".......x"},
        {MarkArea::NumberColumn, 0, false, false, 6, ".......x"},  // outside the rows: ignored
        {MarkArea::NumberColumn, 501, true, true, 6, ".......x"},
    };
    for (const Step& s : steps) {
        MarkByLeftClick(marks, s.area, s.row, s.shift, s.ctrl, s.lastUsed);
        EXPECT_EQ(marked(), s.after) << int(s.area) << " " << s.row;
    }
}

TEST_F(RowOpTest, ASearchResultsSourceFilesGoWithTheirRows) {
    // Each row's source file names its entry, so every check is one compare;
    // a row given here, pasted from the clipboard, has none.
    auto sourcesFollow = [this](int pastedRow = 0) {
        for (int r = 1; r <= kMaxEntries; ++r) {
            std::string expected = doc.Entries[r].FS1.Empty() ? "" : "/v/" + doc.Entries[r].FS1.Get() + ".plk";
            if (r == pastedRow) expected.clear();
            if (doc.SourceFiles[r] != expected) return "row " + std::to_string(r) + ": " + doc.SourceFiles[r];
        }
        return std::string();
    };
    Fill("dB_ac_A_c");
    for (int r = 1; r <= 9; ++r) {
        if (!doc.Entries[r].FS1.Empty()) doc.SourceFiles[r] = "/v/" + doc.Entries[r].FS1.Get() + ".plk";
    }
    Optionen.UmlauteUmwandeln = false;
    SortRows(doc, 1);
    EXPECT_EQ(sourcesFollow(), "");
    EXPECT_EQ(Rows(9), "___AaBccd");
    RemoveDuplicates(doc);
    EXPECT_EQ(Rows(6), "AaBcd_");
    EXPECT_EQ(sourcesFollow(), "");
    platform::RandSeed(3);
    ShuffleEntries(doc);
    EXPECT_EQ(sourcesFollow(), "");
    DeleteLine(doc, 2);
    InsertBlankLine(doc, 1);
    EXPECT_EQ(sourcesFollow(), "");
    ClearLine(doc, 3);
    RemoveGaps(doc);
    EXPECT_EQ(sourcesFollow(), "");
    MarksSet(doc.Marks, 2);
    CutMarkedEntries(doc);
    InsertEntriesBefore(doc, 1, "Vokabeln einfügen");
    EXPECT_EQ(sourcesFollow(1), "");
    // Undo gives each entry back its file.
    while (doc.UndoStep()) {
        if (doc.UndoEnabled()) EXPECT_EQ(sourcesFollow(), "") << Rows(9);
    }
    EXPECT_EQ(Rows(9), "___AaBccd");  // the sort took no snapshot of its own
    EXPECT_EQ(sourcesFollow(), "");
}

}  // namespace
