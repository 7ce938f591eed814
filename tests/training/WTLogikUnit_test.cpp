#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "training/WTLogikUnit.h"

namespace {

CompareOptions Defaults() {
    CompareOptions o;
    o.wordParts[0].Set("to");
    return o;
}

WortteilListeTyp Parts(std::initializer_list<const char*> list) {
    WortteilListeTyp parts{};
    std::size_t i = 0;
    for (const char* p : list) parts[i++].Set(p);
    return parts;
}

}  // namespace

TEST(WTLogikTest, Reductions) {
    EXPECT_EQ(RemoveBracketGroups("(to) go"), "go");
    EXPECT_EQ(RemoveBracketGroups("a (b (c) d) e"), "a d) e");  // nesting leaves debris
    EXPECT_EQ(RemoveBracketGroups(")x(y)z"), "xz");
    EXPECT_EQ(RemoveBracketGroups("a) b"), "a) b");
    EXPECT_EQ(RemoveBracketGroups(" x "), " x ");  // untouched, not even trimmed
    EXPECT_EQ(RemoveBracketGroups("x (a)  (b) y"), "x y");
    EXPECT_EQ(StripBracketChars(" (to)  go "), "to go");
    EXPECT_EQ(RemoveWordParts("tomato", Parts({"to"})), "ma");
    EXPECT_EQ(RemoveWordParts("to go", Parts({"to"})), "go");
    EXPECT_EQ(RemoveWordParts("ttoo", Parts({"to"})), "");  // a deletion can make a new occurrence
    EXPECT_EQ(RemoveWordParts("acb", Parts({"ab", "c"})), "ab");  // slot order, each slot once
    EXPECT_EQ(RemoveWordParts("acb", Parts({"c", "ab"})), "");
    EXPECT_EQ(RemoveWordParts("", Parts({"", "x"})), "");
    EXPECT_EQ(TrimTrailingSemicolons("a;b;;;"), "a;b");
    EXPECT_EQ(TrimTrailingSemicolons(";;"), "");
}

TEST(WTLogikTest, ThresholdIsStrictAndDecidedInIntegers) {
    // tomato/mato: common 4 of 10 bytes, similarity exactly 0.8.
    EXPECT_FALSE(SimilarEnough("TOMATO", "MATO", 100, 80));
    EXPECT_TRUE(SimilarEnough("TOMATO", "MATO", 100, 79));
    // 7 common bytes over a total length of 25 is 56 % exactly; a double
    // product lands on the other side of the line.
    const std::string a = "abcdefgHIJKL";   // 12
    const std::string b = "abcdefgMNOPQR";  // 13
    EXPECT_FALSE(SimilarEnough(a, b, 100, 56));
    EXPECT_TRUE(SimilarEnough(a, b, 100, 55));
    // 180 x 11 = 55 x 36: the variant factor on its line.
    EXPECT_FALSE(SimilarEnough("abcdefghijkLMNOPQR", "abcdefghijkSTUVWXY", 90, 55));
    EXPECT_TRUE(SimilarEnough("abcdefghijkLMNOPQR", "abcdefghijkSTUVWXY", 90, 54));
    EXPECT_TRUE(SimilarEnough("remember", "remembr", 90, 80));
    EXPECT_FALSE(SimilarEnough("abc", "abc", 100, 100));  // 100 can never be exceeded
}

TEST(WTLogikTest, MatchAnswerTable) {
    struct Case {
        const char* correct;
        const char* typed;
        void (*tweak)(CompareOptions&);
        bool right;
        int exact;
        bool fuzzy;
    };
    auto none = [](CompareOptions&) {};
    auto icOff = [](CompareOptions& o) { o.ignoreCase = false; };
    auto icOff70 = [](CompareOptions& o) { o.ignoreCase = false; o.threshold = 70; };
    auto t60 = [](CompareOptions& o) { o.threshold = 60; };
    auto t79 = [](CompareOptions& o) { o.threshold = 79; };
    auto noGroups = [](CompareOptions& o) { o.ignoreBracketGroups = false; o.ignoreWordParts = false; };
    auto noFuzzy = [](CompareOptions& o) { o.fuzzy = false; };
    auto t100 = [](CompareOptions& o) { o.threshold = 100; };
    const Case cases[] = {
        {"Haus", "haus", none, true, 1, false},
        {"Haus", " haus ", none, true, 1, false},
        {"Haus", "haus", icOff, false, 0, false},        // 75 % is not above 80
        {"Haus", "haus", icOff70, true, 0, true},
        {"H\xe4us", "h\xc4us", none, false, 0, false},   // umlauts keep their case
        {"(to) go", "go", none, true, 0, false},         // bracket group dropped
        {"(to) go", "to go", noGroups, true, 0, false},  // brackets stripped always
        {"(to) go", "go", noGroups, false, 0, false},    // without the group rule
        {"(to) Go", "go", none, false, 0, false},        // the variants keep case
        {"(das) Haus", "haus", none, false, 0, false},
        {"(das) Haus", "haus", t60, true, 0, true},
        {"tomato", "ma", none, true, 0, false},          // word part "to" inside a word
        {"tomato", "tamato", none, false, 0, false},     // not a longest common subsequence
        {"tomato", "mato", none, false, 0, false},       // exactly 80 fails
        {"tomato", "mato", t79, true, 0, true},
        {"gehen", "gehn", none, true, 0, true},
        {"gehen", "gehn", noFuzzy, false, 0, false},
        {"gehen", "gehn", t100, false, 0, false},
        {"(to) remember", "remembr", none, true, 0, true},  // from the reduced pair only
        {"(to) go home", "go hme", none, true, 0, true},
        {"", "(", none, false, 0, false},               // nothing left is no answer
        {"()", "( )", none, false, 0, false},
        {"", "x", none, false, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.correct) + " / " + c.typed);
        CompareOptions o = Defaults();
        c.tweak(o);
        MatchTally tally;
        EXPECT_EQ(MatchAnswer(c.correct, c.typed, o, tally), c.right);
        EXPECT_EQ(tally.exact, c.exact);
        EXPECT_EQ(tally.fuzzy, c.fuzzy);
    }
}

TEST(WTLogikTest, WordPartsApplyInSlotOrder) {
    CompareOptions o = Defaults();
    o.fuzzy = false;  // only the removal decides
    MatchTally tally;
    // "ab" is not in "acb" until "c" has gone, which comes after it.
    o.wordParts = Parts({"ab", "c"});
    EXPECT_TRUE(MatchAnswer("acb", "ab", o, tally));
    // "c" first leaves "ab x", and then "ab" goes too.
    o.wordParts = Parts({"c", "ab"});
    EXPECT_FALSE(MatchAnswer("acb x", "ab x", o, tally));
    EXPECT_TRUE(MatchAnswer("acb x", "x", o, tally));
    EXPECT_EQ(tally.exact, 0);
    EXPECT_FALSE(tally.fuzzy);
}

TEST(WTLogikTest, JudgeAnswerTable) {
    const std::vector<std::string> gehenLaufen = {"gehen", "laufen", "", "", ""};
    const std::vector<std::string> ac = {"a", "c"};
    // One field that holds a ";" of its own.
    const std::vector<std::string> inOne = {"gehen; laufen", "", "", "", ""};
    struct Case {
        const char* name;
        std::vector<std::string> correct;
        const char* typed;
        bool several;
        bool all;
        AnswerOutcome outcome;
        int exact;
        int count;
        bool fuzzy;
        bool tooMany;
        Verdict verdict;
    };
    const Case cases[] = {
        {"both meanings", gehenLaufen, "laufen; gehen", true, false, AnswerOutcome::Right, 2, 2, false, false,
         Verdict::Exact},
        {"one of two", ac, "a; b", true, false, AnswerOutcome::Right, 1, 2, false, false, Verdict::OneMeaning},
        {"all must be right", ac, "a; b", true, true, AnswerOutcome::Wrong, 1, 2, false, false, Verdict::Wrong},
        {"all right", ac, "c;a", true, true, AnswerOutcome::Right, 2, 2, false, false, Verdict::Exact},
        {"same field twice counts twice", {"go", "go"}, "go", true, false, AnswerOutcome::Right, 2, 1, false,
         false, Verdict::OneMeaning},
        {"too many", {"a", "b"}, "a; b; c", true, false, AnswerOutcome::Right, 2, 2, false, true, Verdict::Exact},
        {"fuzzy only", {"(to) remember", ""}, "remembr", true, false, AnswerOutcome::Right, 0, 1, true, false,
         Verdict::Fuzzy},
        {"one exact, one fuzzy", gehenLaufen, "gehen; lafen", true, true, AnswerOutcome::Right, 1, 2, true, false,
         Verdict::OneMeaning},
        {"semicolons only", {"a", ""}, ";;;", true, false, AnswerOutcome::Wrong, 0, 0, false, false,
         Verdict::Wrong},
        {"blanks only", {"a", "b"}, "   ", true, false, AnswerOutcome::Wrong, 0, 0, false, false,
         Verdict::Wrong},
        {"blanks only, all on", {"a", "b"}, "   ", true, true, AnswerOutcome::Wrong, 0, 0, false, false,
         Verdict::Wrong},
        {"empty", {"a", "b"}, "", true, false, AnswerOutcome::Empty, 0, 0, false, false, Verdict::Nothing},
        {"one meaning only", {"a;b", ""}, "a;b", false, false, AnswerOutcome::Right, 1, 1, false, false,
         Verdict::Exact},
        {"a lone bracket", {"Hund", ""}, "(", true, false, AnswerOutcome::Wrong, 0, 1, false, false,
         Verdict::Wrong},
        {"a field with ';' typed as it stands", inOne, "gehen; laufen", true, false, AnswerOutcome::Right, 1, 1,
         false, false, Verdict::Exact},
        {"the same, all must be right", inOne, "gehen; laufen", true, true, AnswerOutcome::Right, 1, 1, false,
         false, Verdict::Exact},
        {"the same, one meaning only", inOne, "gehen; laufen", false, false, AnswerOutcome::Right, 1, 1, false,
         false, Verdict::Exact},
        {"more pieces than fields, yet one field as typed", {"a; b; c", ""}, "a; b; c", true, false,
         AnswerOutcome::Right, 1, 1, false, false, Verdict::Exact},
        {"pieces that are right keep their verdict", {"gehen; laufen", "gehen", "", "", ""}, "gehen; laufen", true,
         false, AnswerOutcome::Right, 1, 2, false, false, Verdict::OneMeaning},
        {"neither pieces nor whole", inOne, "gehen; rennen", true, false, AnswerOutcome::Wrong, 0, 2, false, false,
         Verdict::Wrong},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Judgement j = JudgeAnswer(c.typed, c.correct, c.several, c.all, Defaults());
        EXPECT_EQ(j.outcome, c.outcome);
        if (c.outcome != AnswerOutcome::Wrong || c.all) EXPECT_EQ(j.tally.exact, c.exact);
        EXPECT_EQ(j.typedCount, c.count);
        EXPECT_EQ(j.tally.fuzzy, c.fuzzy);
        EXPECT_EQ(j.tooManyMeanings, c.tooMany);
        EXPECT_EQ(VerdictOf(j), c.verdict);
    }
}

TEST(WTLogikTest, TypedSlotsAsShown) {
    const std::vector<std::string> five(5);
    Judgement j = JudgeAnswer(" a ;; b;c;d;e;f ", five, true, false, Defaults());
    EXPECT_EQ(j.typedParts, (std::array<std::string, 5>{"a", "b", "c", "d", "e"}));
    EXPECT_TRUE(j.tooManyMeanings);
    j = JudgeAnswer("  a; b ", five, false, false, Defaults());
    EXPECT_EQ(j.typedParts, (std::array<std::string, 5>{"a; b", "", "", "", ""}));
}

TEST(WTLogikTest, OptionsComeFromTheRecord) {
    OptionenTyp options;
    options.Abfragen.RichtigAb = 65;
    options.Settings.AllgemIgnorieren = false;
    options.Settings.Wortteile[3].Set("der");
    CompareOptions o = CompareOptionsFrom(options);
    EXPECT_EQ(o.threshold, 65);
    EXPECT_FALSE(o.ignoreBracketGroups);
    EXPECT_FALSE(o.ignoreWordParts);
    EXPECT_EQ(o.wordParts[3].Get(), "der");
    options.Settings.AllgemIgnorieren = true;
    options.Settings.KlammerIgnorieren = false;
    o = CompareOptionsFrom(options);
    EXPECT_FALSE(o.ignoreBracketGroups);
    EXPECT_TRUE(o.ignoreWordParts);
}
