#include <gtest/gtest.h>

#include "documents/DocumentTestFiles.h"
#include "documents/SearchEngine.h"
#include "platform/Dialogs.h"

using platform::ModalResult;

namespace {

VokabelTyp Entry(std::initializer_list<std::pair<int, std::string>> fields) {
    VokabelTyp e{};
    for (const auto& [field, text] : fields) e.Field(field).Set(text);
    e.InUse = 1;
    return e;
}

SearchSettings Settings(bool fs, bool ms, bool part, bool ignoreCase) { return {fs, ms, part, ignoreCase}; }

TEST(SearchScore, OrderOfRulesAndCaseFolding) {
    struct Case {
        const char* what;
        VokabelTyp entry;
        std::string text;
        SearchSettings settings;
        double score;  // < 0: below 0.99 and above 0
        int field;
    };
    const SearchSettings all = Settings(true, true, true, true);
    const Case cases[] = {
        {"equal beats part within the language", Entry({{1, "Haus"}, {2, "Hausaufgabe"}}), "haus", all, 1.0, 1},
        {"a later step overrides an equal field", Entry({{1, "Haus"}, {4, "ins Haus"}}), "Haus", all, 0.9999, 4},
        {"the last matching field of a step wins", Entry({{1, "Hauswand"}, {2, "Haustür"}}), "Haus", all, 0.9999, 2},
        {"a to z fold", Entry({{3, "HaLLo"}}), "hallo", all, 1.0, 3},
        {"umlauts keep their case", Entry({{3, "\xc4rger"}}), "\xe4rger", Settings(true, true, false, true), -1, 3},
        {"ignoring case trims the fields", Entry({{1, "  Baum "}}), "baum", all, 1.0, 1},
        {"without it a trailing blank stays", Entry({{1, "Baum "}}), "Baum", Settings(true, true, false, false), -1,
         1},
        {"case counts without folding", Entry({{1, "Baum"}}), "baum", Settings(true, true, false, false), -1, 1},
        {"parts only when asked", Entry({{1, "computer"}}), "com", Settings(true, true, false, true), -1, 1},
        {"parts when asked", Entry({{1, "computer"}}), "com", all, 0.9999, 1},
        {"mother tongue not searched", Entry({{1, "xyz"}, {3, "Haus"}}), "Haus", Settings(true, false, true, true),
         0, 0},
        {"the first field of the best similarity", Entry({{1, "Tisch"}, {3, "Tisch"}}), "Fisch", all, -1, 1},
    };
    for (const Case& c : cases) {
        const SearchHit hit = ScoreEntry(c.entry, PrepareSearchText(c.text, c.settings.IgnoreCase), c.settings);
        if (c.score < 0) {
            EXPECT_GT(hit.Score, 0) << c.what;
            EXPECT_LE(hit.Score, 0.99) << c.what;
        } else {
            EXPECT_DOUBLE_EQ(hit.Score, c.score) << c.what;
        }
        EXPECT_EQ(hit.Field, c.field) << c.what;
    }
}

TEST(SearchScore, OnlyUsedRowsScoreAndTheBestIsTheLowestOfATie) {
    VokabelArrayTyp entries{};
    entries[2] = Entry({{1, "Hund"}});
    entries[4] = Entry({{3, "Hund"}});
    entries[5] = Entry({{1, "Hund"}});
    entries[5].InUse = 0;
    const SearchSettings settings = Settings(true, true, true, true);
    const SearchHitArray hits = ScoreEntries(entries, PrepareSearchText(" hund ", true), settings);
    EXPECT_EQ(hits[5].Score, 0);
    EXPECT_EQ(hits[5].Row, 5);
    const SearchHit best = BestHit(hits);
    EXPECT_EQ(best.Row, 2);
    EXPECT_EQ(best.Field, 1);
    EXPECT_EQ(BestHit(ScoreEntries(VokabelArrayTyp{}, "HUND", settings)).Row, 0);
}

SearchHitArray Scores(std::initializer_list<std::pair<int, double>> rows) {
    SearchHitArray hits{};
    for (int r = 1; r <= kMaxEntries; ++r) hits[r].Row = uint16_t(r);
    for (const auto& [row, score] : rows) {
        hits[row].Score = score;
        hits[row].Field = 1;
    }
    return hits;
}

class HitWalkTest : public ::testing::Test {
protected:
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scoped{dialogs};
    HitWalk walk;
};

TEST_F(HitWalkTest, ThresholdsSplitExactFromFuzzy) {
    EXPECT_EQ(walk.Collect(Scores({{1, 0.8}})), HitWalk::First::None);
    EXPECT_EQ(walk.Collect(Scores({{1, 0.8}, {2, 0.99}})), HitWalk::First::FuzzyOnly);
    EXPECT_EQ(walk.TakeFirstFuzzy().Row, 2);
    EXPECT_EQ(walk.Collect(Scores({{3, 0.99}, {7, 0.9999}, {9, 1.0}})), HitWalk::First::Exact);
    EXPECT_EQ(walk.ExactCount(), 2);
    EXPECT_EQ(walk.FuzzyCount(), 1);
    EXPECT_EQ(walk.TakeFirstExact().Row, 7);
}

TEST_F(HitWalkTest, WalksExactThenOffersFuzzyAndStaysAtTheEnd) {
    walk.Collect(Scores({{3, 1.0}, {5, 0.9}, {7, 0.9999}, {8, 0.85}}));
    EXPECT_EQ(walk.TakeFirstExact().Row, 3);
    EXPECT_EQ(walk.FindNextHit(false).Row, 7);
    dialogs.messageAnswers = {ModalResult::No, ModalResult::Yes};
    EXPECT_EQ(walk.FindNextHit(false).Row, 0);
    EXPECT_EQ(walk.NextHitIndex(), 2);
    EXPECT_EQ(walk.FindNextHit(false).Row, 5);
    EXPECT_EQ(walk.NextHitIndex(), -1);
    EXPECT_EQ(walk.FindNextHit(false).Row, 8);
    EXPECT_EQ(walk.FindNextHit(false).Row, 0);
    EXPECT_EQ(walk.FindNextHit(false).Row, 0);
    EXPECT_EQ(walk.NextHitIndex(), -2);
    const std::vector<std::string> expected = {
        "Keine weiteren absoluten Übereinstimmungen gefunden. Vokabelliste mit Fuzzy-Logik durchsuchen?",
        "Keine weiteren absoluten Übereinstimmungen gefunden. Vokabelliste mit Fuzzy-Logik durchsuchen?",
        "Keine weiteren Übereinstimmungen mehr gefunden.", "Keine weiteren Übereinstimmungen mehr gefunden."};
    EXPECT_EQ(dialogs.Texts(), expected);

    // Auto-fuzzy asks nothing.
    dialogs.shown.clear();
    walk.Collect(Scores({{3, 1.0}, {5, 0.9}}));
    walk.TakeFirstExact();
    EXPECT_EQ(walk.FindNextHit(true).Row, 5);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(HitWalkTest, AFullListOfExactHitsEndsWithoutRunningPastIt) {
    SearchHitArray hits = Scores({});
    for (int r = 1; r <= kMaxEntries; ++r) hits[r].Score = 1.0;
    walk.Collect(hits);
    EXPECT_EQ(walk.TakeFirstExact().Row, 1);
    for (int i = 2; i <= kMaxEntries; ++i) ASSERT_EQ(walk.FindNextHit(false).Row, i);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(walk.FindNextHit(false).Row, 0);
    EXPECT_EQ(walk.NextHitIndex(), kMaxEntries);
    EXPECT_EQ(dialogs.Texts().back(), "Keine weiteren Übereinstimmungen mehr gefunden. Auch nicht mit Fuzzy-Logik.");
}

TEST(HitListTest, UsedRowsSortAboveUnusedAndPageInOrder) {
    VokabelArrayTyp entries{};
    for (int r : {2, 4, 6, 9}) entries[r] = Entry({{1, "x"}});
    // Row 4 and 9 tie best; row 6 scores 0 but is used.
    SearchHitArray hits = Scores({{2, 0.5}, {4, 0.9}, {9, 0.9}});
    hits[6].Score = 0;
    HitList list;
    list.Start(hits, entries);
    EXPECT_EQ(list.LowestHit(), kMaxEntries - 3);
    EXPECT_EQ(list.Shown().Row, 4);
    EXPECT_FALSE(list.FirstEnabled());
    EXPECT_TRUE(list.NextEnabled());
    std::vector<int> rows = {list.Shown().Row};
    while (list.NextEnabled()) {
        list.ToNext();
        rows.push_back(list.Shown().Row);
    }
    EXPECT_EQ(rows, (std::vector<int>{4, 9, 2, 6}));
    EXPECT_TRUE(list.PreviousEnabled());
    list.ToPrevious();
    EXPECT_EQ(list.Shown().Row, 2);
    EXPECT_TRUE(list.NextEnabled());
    list.ToFirst();
    EXPECT_EQ(list.ShownHit(), kMaxEntries);
    list.ToPrevious();
    EXPECT_EQ(list.ShownHit(), kMaxEntries);
    list.ToLast();
    EXPECT_EQ(list.Shown().Row, 6);
    EXPECT_FALSE(list.LastEnabled());
}

TEST(HitListTest, NoUsedEntryShowsNothing) {
    HitList list;
    list.Start(Scores({}), VokabelArrayTyp{});
    EXPECT_TRUE(list.Empty());
    list.ToNext();
    list.ToLast();
    EXPECT_FALSE(list.NextEnabled() || list.LastEnabled() || list.FirstEnabled());
    EXPECT_EQ(list.ShownHit(), kMaxEntries);
}

TEST(HitText, HeadingAndFieldLines) {
    EXPECT_EQ(HitHeading({0.857, 12, 1}), "Vokabel Nummer 12;        85,7% Übereinstimmung");
    EXPECT_EQ(HitHeading({0.9999, 3, 1}), "Vokabel Nummer 3;        100% Übereinstimmung");
    EXPECT_EQ(HitHeading({0, 7, 0}), "Vokabel Nummer 7;        0% Übereinstimmung");
    const VokabelTyp e = Entry({{2, "house"}, {3, "Haus"}, {5, "Heim"}});
    EXPECT_EQ(HitFieldLines(e, true), "house");
    EXPECT_EQ(HitFieldLines(e, false), "Haus\nHeim");
}

}  // namespace
