#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "platform/Dialogs.h"
#include "platform/Random.h"
#include "training/QuizPick.h"

namespace {

// The table with entries "w<row>" at the given rows.
std::unique_ptr<VokabelArrayTyp> Table(std::initializer_list<int> rows) {
    auto t = std::make_unique<VokabelArrayTyp>();
    for (int row : rows) {
        (*t)[row].FS1.Set("w" + std::to_string(row));
        (*t)[row].InUse = 1;
    }
    return t;
}

std::set<std::string> UsedWords(const VokabelArrayTyp& t, int* count = nullptr) {
    std::set<std::string> words;
    int n = 0;
    for (int row = 1; row <= kMaxEntries; ++row) {
        if (t[row].InUse == 0) continue;
        ++n;
        words.insert(t[row].FS1.Get());
    }
    if (count) *count = n;
    return words;
}

}  // namespace

TEST(QuizPickTest, RandomPickGivesNDifferentEntriesOfTheTableEvenWithGaps) {
    platform::RandSeed(20240611);
    auto gaps = Table({2, 3, 7, 11, 12, 40, 41, 300, 499, 500});
    const std::set<std::string> all = UsedWords(*gaps);
    auto picked = std::make_unique<VokabelArrayTyp>();
    for (int n : {1, 5, 9, 10, 25}) {
        SCOPED_TRACE(n);
        ASSERT_TRUE(PickRandomEntries(*gaps, n, *picked));
        int count = 0;
        const std::set<std::string> got = UsedWords(*picked, &count);
        EXPECT_EQ(count, std::min(n, 10));
        EXPECT_EQ(int(got.size()), count);
        for (const std::string& w : got) EXPECT_TRUE(all.count(w)) << w;
    }
}

TEST(QuizPickTest, RandomPickIsOneCycleOverTheUsedRows) {
    platform::RandSeed(7);
    auto table = Table({1, 4, 5, 9, 20});
    auto picked = std::make_unique<VokabelArrayTyp>();
    ASSERT_TRUE(PickRandomEntries(*table, 500, *picked));
    for (int row : {1, 4, 5, 9, 20}) EXPECT_NE((*picked)[row].FS1.Get(), "w" + std::to_string(row)) << row;
    EXPECT_EQ(UsedWords(*picked), UsedWords(*table));
    EXPECT_EQ((*picked)[2].InUse, 0);  // gaps stay where they are
}

TEST(QuizPickTest, RandomPickRefusesFewerThanTwoEntries) {
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);
    auto one = Table({8});
    auto picked = Table({3, 4});
    EXPECT_FALSE(PickRandomEntries(*one, 5, *picked));
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Keine oder nicht genügend Vokabeln eingegeben!"});
    EXPECT_EQ(UsedWords(*picked), (std::set<std::string>{"w3", "w4"}));
}

TEST(QuizPickTest, MarkedRowsMoveUpInOrder) {
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);
    auto table = Table({2, 5, 7, 9, 30});
    MarkierungTyp marks;
    MarksSet(marks, 9);
    MarksSet(marks, 2);
    MarksSet(marks, 30);
    auto picked = Table({1, 2, 3, 4, 5, 6});
    PickMarkedEntries(*table, marks, *picked);
    EXPECT_EQ((*picked)[1].FS1.Get(), "w2");
    EXPECT_EQ((*picked)[2].FS1.Get(), "w9");
    EXPECT_EQ((*picked)[3].FS1.Get(), "w30");
    int count = 0;
    UsedWords(*picked, &count);
    EXPECT_EQ(count, 3);
    EXPECT_TRUE(dialogs.Texts().empty());

    MarksClear(marks);
    MarksSet(marks, 5);
    PickMarkedEntries(*table, marks, *picked);
    EXPECT_EQ(*picked, *table);
    EXPECT_EQ(dialogs.Texts(),
              std::vector<std::string>{"Nicht genügend Vokabeln ausgewählt! Es werden alle Vokabeln gefragt."});
}
