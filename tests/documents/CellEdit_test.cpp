#include <gtest/gtest.h>

#include "documents/CellEditing.h"
#include "documents/DocumentTestFiles.h"
#include "platform/Dialogs.h"

namespace {

class CellEditTest : public ::testing::Test {
protected:
    DefaultOptionsForTest options;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scopedDialogs{dialogs};
};

TEST_F(CellEditTest, StoringACell) {
    const std::string fifty(50, 'x');
    struct Case {
        const char* name;
        std::string otherField;  // MS2 of the row before the edit
        std::string text;
        std::string stored;
        int inUse;
    };
    const Case cases[] = {
        {"text", "", "Haus", "Haus", 1},
        {"cut to 50", "", fifty + "abc", fifty, 1},
        {"blanks only", "", "   ", "   ", 0},
        {"emptied, another cell holds text", "dog", "", "", 1},
        {"emptied, another cell holds blanks", "  ", "", "", 0},
        {"line breaks", "", "zwei\r\nZeilen\n", "zwei Zeilen ", 1},
    };
    for (const Case& c : cases) {
        VocabDocument doc;
        doc.Entries[7].FS1.Set("alt");
        doc.Entries[7].MS2.Set(c.otherField);
        doc.Entries[7].InUse = 1;
        StoreCellEdit(doc, 1, 7, c.text);
        EXPECT_EQ(doc.Entries[7].FS1.Get(), c.stored) << c.name;
        EXPECT_EQ(doc.Entries[7].InUse, c.inUse) << c.name;
        EXPECT_EQ(doc.UndoCaption(), "&Rückgängig: Änderung des Feldes 1|7") << c.name;
        EXPECT_EQ(doc.Modified, 1) << c.name;
    }
}

TEST_F(CellEditTest, UnchangedTextTakesNoSnapshotAndBadCellsAreRefused) {
    VocabDocument doc;
    doc.Entries[2].MS1.Set("Baum");
    StoreCellEdit(doc, 3, 2, "Baum");
    EXPECT_EQ(doc.UndoLevel, 1);
    EXPECT_EQ(doc.Modified, 0);
    EXPECT_EQ(doc.Entries[2].InUse, 1);  // the flag still follows the text

    StoreCellEdit(doc, 8, 2, "x");
    EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{"Interner Fehler 0021a", "Interner Fehler 0021b"}));
    for (int row : {0, 501, -3}) StoreCellEdit(doc, 1, row, "x");
    EXPECT_EQ(doc.UndoLevel, 1);
    EXPECT_EQ(doc.Entries[0].FS1.Get(), "");
}

TEST_F(CellEditTest, PasteValidation) {
    struct Case {
        std::string text;
        bool accepted;
    };
    const Case cases[] = {
        {std::string(55, 'a'), true},  {std::string(56, 'a'), false}, {"zwei\r\nZeilen", false},
        {"zwei\nZeilen", false},       {"Wagen\r", false},             {"", true},
    };
    for (const Case& c : cases) EXPECT_EQ(CellPasteAcceptable(c.text), c.accepted) << c.text.size();
}

TEST_F(CellEditTest, GridKeys) {
    struct Step {
        char key;
        std::size_t length;
        bool selection;
        char result;
        bool beep;
    };
    // Caron pairs, "**", a "*" dropped before another key, then the limit:
    // control keys and typing over a selection pass a full cell.
    const Step steps[] = {
        {'*', 3, false, 0, false},    {'s', 3, false, char(154), false}, {'*', 3, false, 0, false},
        {'C', 3, false, char(200), false}, {'*', 3, false, 0, false},     {'*', 3, false, '*', false},
        {'*', 3, false, 0, false},    {'x', 3, false, 'x', false},       {'a', 49, false, 'a', false},
        {'a', 50, false, 0, true},    {'\b', 50, false, '\b', false},    {'\t', 50, false, '\t', false},
        {'\x03', 50, false, '\x03', false}, {'a', 50, true, 'a', false}, {'*', 50, false, 0, false},
        {'z', 50, false, 0, true},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const Step& s = steps[i];
        bool beep = true;
        EXPECT_EQ(GridKey(s.key, s.length, s.selection, beep), s.result) << i;
        EXPECT_EQ(beep, s.beep) << i;
    }
}

}  // namespace
