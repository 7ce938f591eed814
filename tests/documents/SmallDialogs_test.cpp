#include <gtest/gtest.h>

#include <memory>

#include "documents/DocumentTestFiles.h"
#include "documents/SmallDialogs.h"
#include "platform/Dialogs.h"

using platform::ModalResult;

namespace {

const char kJumpQuestion[] = "Vokabel ist leer. Möchten Sie zur ersten freien Stelle springen?";

class SmallDialogsTest : public ::testing::Test {
protected:
    void Use(std::initializer_list<int> rows) {
        for (int r : rows) entries->at(r) = MakeEntry("fs", "ms");
    }

    DefaultOptionsForTest options;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scopedDialogs{dialogs};
    std::unique_ptr<VokabelArrayTyp> entries = std::make_unique<VokabelArrayTyp>();
    int32_t lastGotoNr = 0;
};

TEST_F(SmallDialogsTest, GotoTargetsOfTheItems) {
    Use({1, 2, 4, 5, 7});
    EXPECT_EQ(GotoTargetRow(*entries, kGotoFirst, 0), 1);
    EXPECT_EQ(GotoTargetRow(*entries, kGotoLast, 0), 7);
    EXPECT_EQ(GotoTargetRow(*entries, kGotoFirstGap, 0), 3);
    // The highest unused row below the last used one.
    EXPECT_EQ(GotoTargetRow(*entries, kGotoLastGap, 0), 6);
    EXPECT_EQ(GotoTargetRow(*entries, kGotoNumber, 5), 5);

    auto empty = std::make_unique<VokabelArrayTyp>();
    EXPECT_EQ(GotoTargetRow(*empty, kGotoLast, 0), 0);
    EXPECT_EQ(GotoTargetRow(*empty, kGotoLastGap, 0), 0);
    for (int r = 1; r <= kMaxEntries; ++r) empty->at(r) = MakeEntry("x", "y");
    EXPECT_EQ(GotoTargetRow(*empty, kGotoFirstGap, 0), 0);  // full: no move
    EXPECT_EQ(GotoTargetRow(*empty, kGotoLastGap, 0), 0);
}

TEST_F(SmallDialogsTest, GotoNumberPastTheUsedRowsOffersTheFirstFreeRow) {
    Use({1, 2, 3});
    // 4 is the row after the last used one: no question.
    EXPECT_EQ(GotoOk(*entries, kGotoNumber, "4", lastGotoNr), 4);
    EXPECT_EQ(lastGotoNr, 4);
    EXPECT_TRUE(dialogs.shown.empty());

    for (const char* number : {"7", "600"}) {
        dialogs.messageAnswers.push_back(ModalResult::Yes);
        EXPECT_EQ(GotoOk(*entries, kGotoNumber, number, lastGotoNr), 4);
        EXPECT_EQ(dialogs.Texts().back(), kJumpQuestion);
    }
    EXPECT_EQ(lastGotoNr, 600);
    dialogs.messageAnswers.push_back(ModalResult::Cancel);
    EXPECT_EQ(GotoOk(*entries, kGotoNumber, "7", lastGotoNr), std::nullopt);

    // Past row 500 of a full table: no row to go to, and no row 501.
    for (int r = 1; r <= kMaxEntries; ++r) entries->at(r) = MakeEntry("x", "y");
    dialogs.messageAnswers.push_back(ModalResult::Yes);
    EXPECT_EQ(GotoOk(*entries, kGotoNumber, "501", lastGotoNr), 0);
}

TEST_F(SmallDialogsTest, GotoRefusesWhatIsNoRowNumber) {
    for (const char* text : {"", "abc", "-3", "0", "12345678901"}) {
        SCOPED_TRACE(text);
        lastGotoNr = -2;
        dialogs.shown.clear();
        EXPECT_EQ(GotoOk(*entries, kGotoNumber, text, lastGotoNr), std::nullopt);
        EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Fehler beim Umwandeln der eingegebenen Vokabelnummer."});
        EXPECT_EQ(lastGotoNr, -2);
    }
}

TEST_F(SmallDialogsTest, LastGotoNrRemembersTheChoice) {
    Use({1});
    EXPECT_EQ(GotoOk(*entries, kGotoLastGap, "", lastGotoNr), 0);
    EXPECT_EQ(lastGotoNr, -3);
    EXPECT_EQ(GotoItemFromLastNr(lastGotoNr), kGotoLastGap);
    EXPECT_EQ(GotoItemFromLastNr(0), kGotoFirst);
    EXPECT_EQ(GotoItemFromLastNr(12), kGotoNumber);
    EXPECT_EQ(GotoItemFromLastNr(-9), kGotoFirst);
}

TEST_F(SmallDialogsTest, ChangingTheWritePassword) {
    struct Case {
        std::string name, current;
        std::deque<std::string> typed;
        std::deque<ModalResult> answers;
        std::optional<std::string> result;
        std::string lastText;
    } cases[] = {
        {"new password twice", "", {"neu", "neu"}, {}, "neu",
         "Bitte das neue Kennwort zur Bestätigung noch einmal eingeben:"},
        {"repeat differs", "", {"neu", "nue"}, {}, std::nullopt, "Die eingegebenen Kennwörter stimmen nicht überein."},
        {"old one asked until it matches", "alt", {"falsch", "alt", "neu", "neu"}, {}, "neu",
         "Bitte das neue Kennwort zur Bestätigung noch einmal eingeben:"},
        {"cancel at the old one", "alt", {"\x1b"}, {}, std::nullopt,
         "Bitte geben Sie das bisherige Kennwort eingeben:"},
        {"cancel at the new one", "", {"\x1b"}, {}, std::nullopt, "Bitte das neue Kennwort eingeben:"},
        {"empty removes after Yes", "alt", {"alt", ""}, {ModalResult::Yes}, "",
         "Möchten Sie den Schreibschutz der Datei aufheben?"},
        {"empty and No keeps it", "alt", {"alt", ""}, {ModalResult::No}, std::nullopt,
         "Möchten Sie den Schreibschutz der Datei aufheben?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.shown.clear();
        dialogs.passwordAnswers = c.typed;
        dialogs.messageAnswers = c.answers;
        EXPECT_EQ(AskNewWritePassword(c.current), c.result);
        EXPECT_TRUE(dialogs.passwordAnswers.empty());
        EXPECT_EQ(dialogs.Texts().back(), c.lastText);
    }
}

TEST_F(SmallDialogsTest, PasswordPairs) {
    EXPECT_EQ(PasswordPairsMessage("a", "a", "b", "b"), "");
    EXPECT_EQ(PasswordPairsMessage("a", "b", "c", "d"),
              "Bitte geben Sie das Lese-Kennwort zweimal identisch oder überhaupt nicht ein!");
    EXPECT_EQ(PasswordPairsMessage("", "", "c", ""),
              "Bitte geben Sie das Schreibschutz-Kennwort zweimal identisch oder überhaupt nicht ein!");
}

TEST_F(SmallDialogsTest, ColumnNamesAreOneUndoStepAndMarkTheDocumentOnlyWhenChanged) {
    auto doc = std::make_unique<VocabDocument>();
    std::array<std::string, 7> names;
    for (int k = 1; k <= 7; ++k) names[k - 1] = doc->ColumnNames.Field(k).Get();
    ApplyColumnNames(*doc, names);
    EXPECT_EQ(doc->Modified, 0);
    EXPECT_EQ(doc->UndoCaption(), "&Rückgängig: Spaltennamen ändern");

    const SpaltennamenTyp before = doc->ColumnNames;
    names[0] = "Tschechisch";
    names[6] = std::string(60, 'x');
    ApplyColumnNames(*doc, names);
    EXPECT_EQ(doc->Modified, 1);
    EXPECT_EQ(doc->ColumnNames.FS1.Get(), "Tschechisch");
    EXPECT_EQ(doc->ColumnNames.MS5.Get(), std::string(50, 'x'));
    ASSERT_TRUE(doc->UndoStep());
    EXPECT_EQ(doc->ColumnNames, before);
}

TEST_F(SmallDialogsTest, SortFieldItems) {
    const std::vector<std::string> items = SortFieldItems(DefaultColumnNames());
    ASSERT_EQ(items.size(), 7u);
    EXPECT_EQ(items[0], "1:     1) Fremdsprache");
    EXPECT_EQ(items[6], "7:     5) Muttersprache ");
}

}  // namespace
