#include <gtest/gtest.h>

#include <memory>

#include "documents/DocumentTestFiles.h"
#include "documents/EntryEditing.h"
#include "platform/Dialogs.h"

namespace {

EditorFields Fields(std::initializer_list<std::pair<int, std::string>> set) {
    EditorFields f;
    for (const auto& [k, text] : set) f[k] = text;
    return f;
}

TEST(EntryFieldsTest, ClosingUpMovesTextToTheFront) {
    struct Case {
        EditorFields before, after;
    };
    const Case cases[] = {
        {Fields({{1, "b"}, {4, "m3"}}), Fields({{0, "b"}, {2, "m3"}})},
        {Fields({{0, "a"}, {1, "b"}, {3, "m2"}, {6, "m5"}}), Fields({{0, "a"}, {1, "b"}, {2, "m2"}, {3, "m5"}})},
        {Fields({{2, "m1"}, {4, "m3"}, {5, "m4"}}), Fields({{2, "m1"}, {3, "m3"}, {4, "m4"}})},
        {Fields({}), Fields({})},
    };
    for (const Case& c : cases) {
        EditorFields f = c.before;
        CloseUpFields(f);
        EXPECT_EQ(f, c.after);
    }
}

TEST(EntryFieldsTest, ReadingCutsAndAnyFieldMakesTheEntryUsed) {
    VokabelTyp e{};
    e.Reserve = 77;
    ReadEntryFields(Fields({{1, "zwei"}}), e);
    EXPECT_EQ(e.InUse, 1);
    EXPECT_EQ(e.FS2.Get(), "zwei");
    EXPECT_EQ(uint16_t(e.Reserve), 77);
    ReadEntryFields(Fields({{6, std::string(60, 'x')}}), e);
    EXPECT_EQ(e.MS5.Get(), std::string(50, 'x'));
    EXPECT_TRUE(e.FS2.Empty());
    ReadEntryFields(Fields({}), e);
    EXPECT_EQ(e.InUse, 0);
    ReadEntryFields(Fields({{0, "zwei\r\nZeilen"}}), e);  // pasted into the edit
    EXPECT_EQ(e.FS1.Get(), "zwei Zeilen");
}

TEST(EntryFieldsTest, SemicolonsSpecialNamesAndCaption) {
    const int target[7] = {1, 2, 3, 4, 5, 6, 0};
    const int sameLanguage[7] = {1, -1, 3, 4, 5, 6, -1};
    for (int f = 0; f < 7; ++f) {
        EXPECT_EQ(SemicolonTarget(f, false), target[f]) << f;
        EXPECT_EQ(SemicolonTarget(f, true), sameLanguage[f]) << f;
    }
    EXPECT_EQ(SpecialCharacterBytes("\xe1"), "\xe1");
    EXPECT_EQ(SpecialCharacterBytes("s_hacek"), "\x9a");
    EXPECT_EQ(SpecialCharacterBytes("u_kringel_big"), "\xd9");
    EXPECT_EQ(SpecialCharacterBytes("s_hacek_bigger"), "");
    EXPECT_EQ(EditorCaption(kUnsavedFileName), "Editieren/Eingeben, Vokabeldatei: << noch nicht gespeichert >>");
    EXPECT_EQ(EditorCaption("/home/lena/Englisch.plk"), "Editieren/Eingeben, Vokabeldatei: Englisch.plk");
}

class EntryEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int r = 1; r <= 4; ++r) doc->Entries[r] = MakeEntry("f" + std::to_string(r), "m");
        doc->Entries[3] = BlankEntry;
    }
    void TearDown() override { editor.Close(); }

    DefaultOptionsForTest options;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scoped{dialogs};
    std::unique_ptr<VocabDocument> doc = std::make_unique<VocabDocument>();
    std::vector<int> refreshed;
    int beeps = 0;
    EntryEditorCore editor{{[this](int row) { refreshed.push_back(row); }, [this] { ++beeps; }}};
};

TEST_F(EntryEditorTest, OpenKeepsTheStartRowInTheTableAndClearsMarks) {
    MarksSet(doc->Marks, 2);
    editor.Open(*doc, 0);
    EXPECT_EQ(editor.EditRow(), 1);
    EXPECT_EQ(editor.Fields[0], "f1");
    EXPECT_FALSE(MarksAny(doc->Marks));
    editor.Open(*doc, 501);
    EXPECT_EQ(editor.EditRow(), kMaxEntries);
    editor.Open(*doc, -4);
    EXPECT_EQ(editor.EditRow(), 1);
}

TEST_F(EntryEditorTest, NextClosesUpStoresAndRefusesAGapAtTheEnd) {
    editor.Open(*doc, 5);
    editor.Fields = Fields({{1, "b"}, {4, "m3"}});
    ASSERT_TRUE(editor.Next(false));
    EXPECT_EQ(doc->Entries[5].FS1.Get(), "b");
    EXPECT_EQ(doc->Entries[5].MS1.Get(), "m3");
    EXPECT_TRUE(doc->Entries[5].FS2.Empty());
    EXPECT_EQ(doc->Entries[5].InUse, 1);
    EXPECT_EQ(refreshed, std::vector<int>{5});
    EXPECT_EQ(editor.EditRow(), 6);

    // Row 6 is just behind the last used row: an empty entry is a gap.
    EXPECT_FALSE(editor.Next(false));
    EXPECT_EQ(editor.EditRow(), 6);
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Es sind keine Lücken in der Vokabeldatei erlaubt!"});

    // An empty row inside the used range may be passed.
    editor.GotoRow(3);
    EXPECT_TRUE(editor.Next(false));
    EXPECT_EQ(editor.EditRow(), 4);
}

TEST_F(EntryEditorTest, NextToAnEmptyRow) {
    editor.Open(*doc, 1);
    ASSERT_TRUE(editor.Next(true));
    EXPECT_EQ(editor.EditRow(), 3);
    for (int r = 1; r <= kMaxEntries; ++r) doc->Entries[r] = MakeEntry("x", "y");
    editor.GotoRow(498);
    editor.Fields[0] = "neu";
    ASSERT_TRUE(editor.Next(true));
    EXPECT_EQ(doc->Entries[498].FS1.Get(), "neu");
    EXPECT_EQ(editor.EditRow(), 498);
    EXPECT_EQ(beeps, 1);
    editor.GotoRow(500);
    ASSERT_TRUE(editor.Next(true));
    EXPECT_EQ(editor.EditRow(), 500);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Zu viele Vokabeln."});
}

TEST_F(EntryEditorTest, OkOnTheLastRowStoresBeepsAndWarns) {
    editor.Open(*doc, 500);
    editor.Fields = Fields({{0, "letzte"}, {2, "last"}});
    editor.Finish();
    EXPECT_EQ(doc->Entries[500].FS1.Get(), "letzte");
    EXPECT_EQ(editor.EditRow(), 500);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Zu viele Vokabeln."});
    editor.Open(*doc, 2);
    editor.Finish();
    EXPECT_EQ(editor.EditRow(), 3);
}

TEST_F(EntryEditorTest, StoresWithoutClosingUpKeepTheEntryInUse) {
    editor.Open(*doc, 6);
    editor.Fields = Fields({{1, "nur zwei"}});
    editor.GotoRow(1);
    EXPECT_TRUE(doc->Entries[6].FS1.Empty());
    EXPECT_EQ(doc->Entries[6].FS2.Get(), "nur zwei");
    EXPECT_EQ(doc->Entries[6].InUse, 1);
    EXPECT_EQ(doc->LastUsedRow(), 6);
    EXPECT_EQ(editor.Fields[0], "f1");
    // The count button goes behind the used rows, saving first.
    editor.Fields[0] = "eins";
    editor.GotoAfterCount();
    EXPECT_EQ(doc->Entries[1].FS1.Get(), "eins");
    EXPECT_EQ(editor.EditRow(), 5);
}

TEST_F(EntryEditorTest, PreviousSavesOrDropsByTheOption) {
    editor.Open(*doc, 2);
    editor.Fields[0] = "geändert";
    editor.Previous(false, false);
    EXPECT_EQ(doc->Entries[2].FS1.Get(), "f2");
    EXPECT_EQ(editor.EditRow(), 1);
    editor.Fields[0] = "erste";
    editor.Previous(false, true);
    EXPECT_EQ(doc->Entries[1].FS1.Get(), "erste");
    EXPECT_EQ(beeps, 1);
    editor.Previous(true, false);
    EXPECT_EQ(beeps, 1);
    editor.GotoRow(4);
    editor.Previous(true, false);
    EXPECT_EQ(editor.EditRow(), 3);
    editor.Previous(true, false);
    EXPECT_EQ(editor.EditRow(), 3);
    EXPECT_EQ(beeps, 2);
}

TEST_F(EntryEditorTest, JumpsIgnoreRowsOutsideTheTableAndTheFullCount) {
    editor.Open(*doc, 2);
    editor.Fields[0] = "ungespeichert";
    editor.ShowFoundRow(501);
    editor.GotoRow(0);
    EXPECT_EQ(editor.EditRow(), 2);
    editor.ShowFoundRow(4);
    EXPECT_EQ(doc->Entries[2].FS1.Get(), "f2");
    EXPECT_EQ(editor.Fields[0], "f4");
    for (int r = 1; r <= kMaxEntries; ++r) doc->Entries[r] = MakeEntry("x", "y");
    editor.GotoAfterCount();
    EXPECT_EQ(editor.EditRow(), 4);
    EXPECT_EQ(beeps, 1);
}

TEST_F(EntryEditorTest, TheEditedDocumentRefusesToCloseAndMayStillGo) {
    editor.Open(*doc, 1);
    EXPECT_FALSE(doc->CloseQuery());
    EXPECT_EQ(dialogs.Texts(),
              std::vector<std::string>{"Bitte schließen Sie die Eingabemaske vor dem Schließen der Datei."});
    editor.Close();
    EXPECT_TRUE(doc->CloseQuery());

    // Destroyed anyway: the editor stores nothing and touches nothing.
    editor.Open(*doc, 1);
    doc.reset();
    EXPECT_EQ(editor.Document(), nullptr);
    editor.Fields[0] = "weg";
    EXPECT_FALSE(editor.Next(false));
    editor.Finish();
    editor.GotoRow(3);
    EXPECT_TRUE(refreshed.empty());
}

}  // namespace
