#include <gtest/gtest.h>

#include "documents/DocumentTestFiles.h"
#include "documents/RowOperations.h"

namespace {

std::vector<std::string> SortedFS1(const std::vector<std::string>& words, bool fold) {
    VokabelArrayTyp entries{};
    for (std::size_t i = 0; i < words.size(); ++i) entries[i + 1] = MakeEntry(words[i], "m");
    QuickSortEntries(entries, 1, int(words.size()), 1, fold);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < words.size(); ++i) out.push_back(entries[i + 1].FS1.Get());
    return out;
}

TEST(SortTest, KeysFoldAndCompareAsBytes) {
    using V = std::vector<std::string>;
    struct Case {
        V words;
        bool fold;
        V sorted;
    };
    const Case cases[] = {
        {{"b", "\xE4", "a"}, false, {"a", "b", "\xE4"}},
        {{"b", "\xE4", "a"}, true, {"a", "\xE4", "b"}},
        {{"Affe", "\xC4pfel", "Adler"}, true, {"Adler", "\xC4pfel", "Affe"}},  // Ä as AE
        {{"\xE9t", "f", "ez"}, false, {"ez", "f", "\xE9t"}},                   // above 0x80 after ASCII
        {{"\xE9t", "f", "ez"}, true, {"\xE9t", "ez", "f"}},
        {{"Stra\xDF" "e", "Strasse1", "Straf"}, true, {"Straf", "Stra\xDF" "e", "Strasse1"}},
        {{"\xF5l", "ol", "\xF8l"}, true, {"ol", "\xF5l", "\xF8l"}},  // õ and ø stay
        {{"Zug", "auto", "", "Bahn"}, false, {"", "auto", "Bahn", "Zug"}},
    };
    for (const Case& c : cases) EXPECT_EQ(SortedFS1(c.words, c.fold), c.sorted) << c.words[0] << " " << c.fold;
    EXPECT_EQ(SortKey(MakeEntry("\xFC" "ber \xE4rger", ""), 1, true), "UEBER AERGER");
    EXPECT_EQ(SortKey(MakeEntry("\xFC" "ber", ""), 1, false), "\xFC" "BER");
}

TEST(SortTest, EqualKeysEndWhereThePartitioningLeavesThem) {
    VokabelArrayTyp entries{};
    for (int r = 1; r <= 4; ++r) entries[r] = MakeEntry("x", std::to_string(r));
    QuickSortEntries(entries, 1, 4, 1, false);
    std::string order;
    for (int r = 1; r <= 4; ++r) order += entries[r].MS1.Get();
    EXPECT_EQ(order, "3412");
    // Case does not count for a-z: the three keys are equal.
    for (int r = 1; r <= 3; ++r) entries[r] = MakeEntry(r == 2 ? "A" : "a", std::to_string(r));
    QuickSortEntries(entries, 1, 3, 1, false);
    EXPECT_EQ(entries[1].MS1.Get() + entries[2].MS1.Get() + entries[3].MS1.Get(), "321");
}

}  // namespace
