#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "documents/AppSettings.h"

namespace {

// The measure as the original routine works it out, with its one-slot-per-
// position memo of bytes, kept here as the reference.
class ReferenceSimilarity {
public:
    double Run(const std::string& s1, const std::string& s2) {
        s1_ = s1;
        s2_ = s2;
        if (s1.empty() && s2.empty()) return 1.0;
        for (auto& m : memo_) m = {0, 0};
        return 2.0 * Score(1, 1) / double(s1.size() + s2.size());
    }

private:
    int Score(int a, int b) {
        const int l1 = int(s1_.size());
        const int l2 = int(s2_.size());
        if (a > l1 || b > l2) return 0;
        if (memo_[a - 1].b == b) return memo_[a - 1].score;
        const int startA = a;
        const int startB = b;
        int run = 0;
        while (a <= l1 && b <= l2 && s1_[a - 1] == s2_[b - 1]) {
            ++a;
            ++b;
            ++run;
        }
        int d = 0;
        for (int i = a, found = 0; i <= l1 && !found; ++i)
            for (int j = b; j <= l2; ++j)
                if (s1_[i - 1] == s2_[j - 1]) {
                    d = Score(i, j);
                    found = 1;
                    break;
                }
        int f = 0;
        for (int j = b, found = 0; j <= l2 && !found; ++j)
            for (int i = a; i <= l1; ++i)
                if (s1_[i - 1] == s2_[j - 1]) {
                    f = Score(i, j);
                    found = 1;
                    break;
                }
        const int score = run + std::max(d, f);
        memo_[startA - 1] = {uint8_t(startB), uint8_t(score)};
        return score;
    }

    struct Slot {
        uint8_t b;
        uint8_t score;
    };
    std::string s1_, s2_;
    Slot memo_[255];
};

}  // namespace

TEST(StringSimilarityTest, KnownPairs) {
    const std::string x50(50, 'x');
    const std::string x300(300, 'x');
    const struct {
        std::string s1, s2;
        double expected;
    } cases[] = {
        {"", "", 1.0},
        {"abc", "", 0.0},
        {"", "a", 0.0},
        {"abc", "abc", 1.0},
        {"abcd", "abxd", 0.75},
        {"Haus", "haus", 0.75},
        {"house", "horse", 0.8},
        {"ab", "ba", 0.5},
        {"abcde", "edcba", 0.2},
        {"Hausaufgabe", "Hausafgabe", 20.0 / 21.0},
        {"a", "a", 1.0},
        {"a", "b", 0.0},
        {"a", x50, 0.0},
        {"x", x50, 2.0 / 51.0},
        {x50, x50 + "y", 100.0 / 101.0},
        // Only the first 255 bytes of each take part.
        {x300, x300, 1.0},
        {x300, std::string(255, 'x') + std::string(45, 'y'), 1.0},
        {x300 + "abc", x50, 100.0 / 305.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(StringSimilarity(c.s1, c.s2), c.expected) << '"' << c.s1 << "\" / \"" << c.s2 << '"';
    }
}

TEST(StringSimilarityTest, AgreesWithTheOriginalRoutineOnRandomStrings) {
    std::mt19937 rng(20240517);
    ReferenceSimilarity reference;
    for (int round = 0; round < 3000; ++round) {
        const int alphabet = 2 + int(rng() % 4);
        auto make = [&] {
            std::string s(rng() % 60, ' ');
            for (char& ch : s) ch = char('a' + int(rng() % unsigned(alphabet)));
            return s;
        };
        const std::string s1 = make();
        const std::string s2 = make();
        ASSERT_DOUBLE_EQ(StringSimilarity(s1, s2), reference.Run(s1, s2)) << s1 << " / " << s2;
    }
}

TEST(StringSimilarityTest, LongRepetitiveStringsStayCheap) {
    std::string s1, s2;
    for (int i = 0; i < 255; ++i) {
        s1 += "ab"[i % 2];
        s2 += "ba"[i % 3 == 0];
    }
    const double r = StringSimilarity(s1, s2);
    EXPECT_GT(r, 0.0);
    EXPECT_LE(r, 1.0);
}

namespace {

struct FakeEdit : CaretText {
    std::string text;
    int caret = 0;
    std::string Text() const override { return text; }
    int CaretPos() const override { return caret; }
    void SetText(const std::string& t) override { text = t; }
    void SetCaretPos(int pos) override { caret = pos; }
};

// Types the keys into the fake edit the way a field would: keys that pass
// are inserted at the caret.
void TypeIntoEdit(FakeEdit& edit, const std::string& keys) {
    for (char key : keys) {
        ComposeCaronKey(key, edit);
        if (key != 0) {
            edit.text.insert(std::size_t(edit.caret), 1, key);
            ++edit.caret;
        }
    }
}

std::string TypeIntoGrid(const std::string& keys) {
    std::string cell;
    for (char key : keys) {
        ComposeCaronChar(key);
        if (key != 0) cell += key;
    }
    return cell;
}

}  // namespace

TEST(CaronCompositionTest, EditAndGridSequences) {
    const struct {
        std::string keys, edit, grid;
    } cases[] = {
        {"*s", "\x9a", "\x9a"},
        {"*S*z", "\x8a\x9e", "\x8a\x9e"},
        {"*C*c*E*e*N*n*R*r", "\xc8\xe8\xcc\xec\xd2\xf2\xd8\xf8", "\xc8\xe8\xcc\xec\xd2\xf2\xd8\xf8"},
        {"**", "*", "*"},
        {"*x", "*x", "x"},
        {"a*b*", "a*b", "ab"},  // the trailing "*" is still pending
        {"s", "s", "s"},
    };
    for (const auto& c : cases) {
        FakeEdit edit;
        TypeIntoEdit(edit, c.keys);
        EXPECT_EQ(edit.text, c.edit) << c.keys;
        EXPECT_EQ(edit.caret, int(c.edit.size())) << c.keys;
        // A plain key clears whatever is left pending.
        char clear = '.';
        ComposeCaronChar(clear);
        EXPECT_EQ(TypeIntoGrid(c.keys), c.grid) << c.keys;
        clear = '.';
        ComposeCaronChar(clear);
    }
}

TEST(CaronCompositionTest, InsertsAtTheCaretAndLetsControlKeysAct) {
    FakeEdit edit;
    edit.text = "abcd";
    edit.caret = 2;
    char key = '*';
    ComposeCaronKey(key, edit);
    EXPECT_EQ(key, 0);
    key = 'q';
    ComposeCaronKey(key, edit);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(edit.text, "ab*qcd");
    EXPECT_EQ(edit.caret, 4);

    // Enter and Delete after "*": the "*" goes in and the key does its work.
    for (const char control : {'\r', '\x7f'}) {
        edit.text = "abcd";
        edit.caret = 2;
        key = '*';
        ComposeCaronKey(key, edit);
        key = control;
        ComposeCaronKey(key, edit);
        EXPECT_EQ(key, control);
        EXPECT_EQ(edit.text, "ab*cd");
        EXPECT_EQ(edit.caret, 3);
    }
}

TEST(CaronCompositionTest, PendingStarIsSharedBetweenFields) {
    FakeEdit first, second;
    char key = '*';
    ComposeCaronKey(key, first);
    key = 'z';
    ComposeCaronKey(key, second);
    EXPECT_EQ(key, char(158));
    EXPECT_EQ(first.text, "");
}
