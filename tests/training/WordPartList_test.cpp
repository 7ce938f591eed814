#include <gtest/gtest.h>

#include "training/WordPartList.h"

namespace {

WortteilListeTyp Slots(std::initializer_list<const char*> parts) {
    WortteilListeTyp slots{};
    std::size_t i = 0;
    for (const char* p : parts) slots[i++].Set(p);
    return slots;
}

}  // namespace

TEST(WordPartList, FillKeepsNonBlankSlotsUntrimmedAndSorted) {
    WordPartList list;
    list.Fill(Slots({"to", "  ", "", " the", "A", "sb."}));
    EXPECT_EQ(list.Items(), (std::vector<std::string>{" the", "A", "sb.", "to"}));
}

TEST(WordPartList, SortIgnoresTheCaseOfLettersAThroughZOnly) {
    WordPartList list;
    for (const char* p : {"to", "The", "a", "B", "\xe4s", "ab", "Ab"}) EXPECT_EQ(list.Add(p), WordPartList::Change::Done);
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"a", "Ab", "ab", "B", "The", "to", "\xe4s"}));
}

TEST(WordPartList, AddRefusesDuplicatesBlanksAndTheFifty_firstPart) {
    WordPartList list;
    EXPECT_EQ(list.Add("to"), WordPartList::Change::Done);
    EXPECT_EQ(list.Add("to"), WordPartList::Change::Held);
    EXPECT_EQ(list.Add("To"), WordPartList::Change::Done);  // the comparison is case-sensitive too
    EXPECT_EQ(list.Add("   "), WordPartList::Change::Blank);
    EXPECT_EQ(list.Add(""), WordPartList::Change::Blank);
    for (int i = list.Count(); i < kMaxWordParts; ++i) {
        EXPECT_EQ(list.Add("w" + std::to_string(i)), WordPartList::Change::Done);
    }
    EXPECT_EQ(list.Count(), 50);
    EXPECT_EQ(list.Add("more"), WordPartList::Change::Full);
    EXPECT_EQ(list.Count(), 50);
}

TEST(WordPartList, ReplaceRefusesAnUnchangedOrHeldTextAndResorts) {
    WordPartList list;
    list.Add("sb.");
    list.Add("to");
    EXPECT_EQ(list.Replace(list.IndexOf("to"), "to"), WordPartList::Change::Held);
    EXPECT_EQ(list.Replace(list.IndexOf("to"), "sb."), WordPartList::Change::Held);
    EXPECT_EQ(list.Replace(list.IndexOf("to"), "a"), WordPartList::Change::Done);
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"a", "sb."}));
    // No item chosen: a new one.
    EXPECT_EQ(list.Replace(-1, "the"), WordPartList::Change::Done);
    EXPECT_EQ(list.Count(), 3);
    list.Delete(7);
    list.Delete(0);
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"sb.", "the"}));
}

TEST(WordPartList, SaveWritesListOrderCutsTo30AndEmptiesTheRest) {
    WordPartList list;
    list.Fill(Slots({"zz", "to", "x", "y"}));
    list.Delete(list.IndexOf("x"));
    list.Add(std::string(40, 'b'));
    WortteilListeTyp slots = Slots({"old1", "old2", "old3", "old4", "old5"});
    EXPECT_FALSE(list.SaveTo(slots));
    EXPECT_EQ(slots[0].Get(), std::string(30, 'b'));
    EXPECT_EQ(slots[1].Get(), "to");
    EXPECT_EQ(slots[2].Get(), "y");
    EXPECT_EQ(slots[3].Get(), "zz");
    for (std::size_t i = 4; i < slots.size(); ++i) EXPECT_TRUE(slots[i].Empty()) << i;
}
