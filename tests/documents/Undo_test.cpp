#include <gtest/gtest.h>

#include "documents/CellEditing.h"
#include "documents/DocumentTestFiles.h"
#include "documents/VocabDocument.h"
#include "platform/Dialogs.h"

namespace {

class UndoTest : public ::testing::Test {
protected:
    std::string Cell(int column, int row) const { return doc->Entries[row].Field(column).Get(); }
    void Edit(int column, int row, const std::string& text) { StoreCellEdit(*doc, column, row, text); }
    int UndoAll() {
        int steps = 0;
        while (doc->UndoStep()) ++steps;
        return steps;
    }

    DefaultOptionsForTest options;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scopedDialogs{dialogs};
    std::unique_ptr<VocabDocument> doc = std::make_unique<VocabDocument>();
};

TEST_F(UndoTest, EditsOfOneCellMergeAndUndoRedoWalkTheSteps) {
    EXPECT_FALSE(doc->UndoStep());
    EXPECT_FALSE(doc->RedoStep());
    EXPECT_EQ(doc->UndoCaption(), "&Rückgängig: nicht möglich");
    EXPECT_EQ(doc->RedoCaption(), "&Wiederherstellen: nicht möglich");

    Edit(1, 5, "H");
    Edit(1, 5, "Ha");
    Edit(1, 5, "Haus");
    EXPECT_EQ(doc->UndoLevel, 2);
    Edit(2, 5, "house");
    EXPECT_EQ(doc->UndoLevel, 3);
    EXPECT_EQ(doc->UndoCaption(), "&Rückgängig: Änderung des Feldes 2|5");
    EXPECT_FALSE(doc->RedoEnabled());

    ASSERT_TRUE(doc->UndoStep());
    EXPECT_EQ(Cell(2, 5), "");
    EXPECT_EQ(Cell(1, 5), "Haus");
    EXPECT_EQ(doc->UndoCaption(), "&Rückgängig: Änderung des Feldes 1|5");
    EXPECT_EQ(doc->RedoCaption(), "&Wiederherstellen: Änderung des Feldes 2|5");
    ASSERT_TRUE(doc->UndoStep());
    EXPECT_EQ(Cell(1, 5), "");  // before the first of the three edits
    EXPECT_FALSE(doc->UndoEnabled());
    EXPECT_FALSE(doc->UndoStep());

    ASSERT_TRUE(doc->RedoStep());
    ASSERT_TRUE(doc->RedoStep());
    EXPECT_EQ(Cell(1, 5), "Haus");
    EXPECT_EQ(Cell(2, 5), "house");
    EXPECT_EQ(doc->UndoCaption(), "&Rückgängig: Änderung des Feldes 2|5");
    EXPECT_EQ(doc->RedoCaption(), "&Wiederherstellen: nicht möglich");
    EXPECT_FALSE(doc->RedoStep());
    EXPECT_EQ(doc->Modified, 1);
}

TEST_F(UndoTest, TwelveEditsLeaveNineUndoSteps) {
    for (int row = 1; row <= 12; ++row) Edit(1, row, "Wort " + std::to_string(row));
    EXPECT_EQ(doc->UndoLevel, 11);
    // The first undo drops the oldest snapshot to keep the current state.
    EXPECT_EQ(UndoAll(), 9);
    for (int row = 1; row <= 3; ++row) EXPECT_EQ(Cell(1, row), "Wort " + std::to_string(row));
    for (int row = 4; row <= 12; ++row) EXPECT_EQ(Cell(1, row), "") << row;
    EXPECT_EQ(doc->UndoCaption(), "&Rückgängig: nicht möglich");
    // All the way forward again, ending on the current state.
    int redos = 0;
    while (doc->RedoStep()) ++redos;
    EXPECT_EQ(redos, 9);
    EXPECT_EQ(Cell(1, 12), "Wort 12");
}

TEST_F(UndoTest, ANewEditAfterAnUndoEndsRedo) {
    // An edit that would merge with the step below the undone one.
    Edit(1, 1, "x");
    Edit(1, 2, "y");
    ASSERT_TRUE(doc->UndoStep());
    Edit(1, 1, "z");
    EXPECT_FALSE(doc->RedoEnabled());
    EXPECT_EQ(doc->RedoCaption(), "&Wiederherstellen: nicht möglich");
    EXPECT_FALSE(doc->RedoStep());
    EXPECT_EQ(Cell(1, 1), "z");
    ASSERT_TRUE(doc->UndoStep());
    EXPECT_EQ(Cell(1, 1), "x");
    EXPECT_EQ(Cell(1, 2), "");

    // A branch left behind stays out of reach.
    doc = std::make_unique<VocabDocument>();
    for (int row = 1; row <= 6; ++row) Edit(1, row, "A");
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(doc->UndoStep());
    Edit(2, 1, "G");
    ASSERT_TRUE(doc->UndoStep());
    ASSERT_TRUE(doc->RedoStep());
    EXPECT_FALSE(doc->RedoEnabled());
    EXPECT_FALSE(doc->RedoStep());
    EXPECT_EQ(Cell(2, 1), "G");
    EXPECT_EQ(Cell(1, 4), "");
}

TEST_F(UndoTest, UndoKeepsMarksAndPasswordsAndBringsTheFileNameBack) {
    doc->FileName = "/home/lena/alt.plk";
    doc->WritePassword = "geheim";
    doc->ReadPassword = "lesen";
    Edit(1, 1, "Haus");
    // What a save as under a new name does: new name and version, no
    // passwords.
    doc->FileName = "/home/lena/neu.plk";
    doc->FormatVersion = 11;
    doc->WritePassword.clear();
    doc->ReadPassword.clear();
    MarksSet(doc->Marks, 3);
    Edit(1, 2, "Baum");
    // Within one name the passwords are not part of the history.
    doc->WritePassword = "neu";
    ASSERT_TRUE(doc->UndoStep());
    EXPECT_EQ(doc->FileName, "/home/lena/neu.plk");
    EXPECT_EQ(doc->WritePassword, "neu");
    EXPECT_TRUE(MarksGet(doc->Marks, 3));

    // Past the save as: the old name comes back with the passwords that
    // protect that file, so a plain save asks for its write password.
    ASSERT_TRUE(doc->UndoStep());
    EXPECT_EQ(Cell(1, 1), "");
    EXPECT_EQ(doc->FileName, "/home/lena/alt.plk");
    EXPECT_EQ(doc->FormatVersion, 15);
    EXPECT_EQ(doc->WritePassword, "geheim");
    EXPECT_EQ(doc->ReadPassword, "lesen");
    EXPECT_TRUE(MarksGet(doc->Marks, 3));
    EXPECT_EQ(LayoutCaption(doc->Caption, doc->FileName, 1, doc->Modified != 0, false), "/home/lena/alt.plk *");

    // Redo goes forward to the new name again, with what it had.
    ASSERT_TRUE(doc->RedoStep());
    EXPECT_EQ(doc->FileName, "/home/lena/neu.plk");
    EXPECT_EQ(doc->FormatVersion, 11);
    EXPECT_EQ(doc->WritePassword, "");
    EXPECT_EQ(doc->ReadPassword, "");
    ASSERT_TRUE(doc->RedoStep());
    EXPECT_EQ(Cell(1, 2), "Baum");
    EXPECT_EQ(doc->FileName, "/home/lena/neu.plk");
}

TEST_F(UndoTest, ColumnNamesAndFontsComeBack) {
    const SchriftartenTyp fonts = doc->Fonts;
    doc->PushUndo("Spaltennamen ändern");
    doc->ColumnNames.FS1.Set("Englisch");
    doc->Fonts.TableFS.Size = 20;
    doc->Description = "Tiere\r\n";
    ASSERT_TRUE(doc->UndoStep());
    EXPECT_EQ(doc->ColumnNames.FS1.Get(), "1) Fremdsprache");
    EXPECT_TRUE(doc->Fonts == fonts);
    EXPECT_EQ(doc->Description, "");
    EXPECT_EQ(doc->RedoCaption(), "&Wiederherstellen: Spaltennamen ändern");
    ASSERT_TRUE(doc->RedoStep());
    EXPECT_EQ(doc->ColumnNames.FS1.Get(), "Englisch");
}

TEST_F(UndoTest, TypingInTheDescriptionIsOneStep) {
    doc->PushUndo("Beschreibung geändert");
    doc->PushUndo("Beschreibung geändert");
    EXPECT_EQ(doc->UndoLevel, 2);
    doc->PushUndo("Text in Beschreibung eingefügt");
    doc->PushUndo("Text in Beschreibung eingefügt");
    EXPECT_EQ(doc->UndoLevel, 4);
}

}  // namespace
