// Similarity measure and caron composition of the settings unit.
#include <algorithm>
#include <vector>

#include "documents/AppSettings.h"

namespace {

// The score of a position pair: the common run starting there plus the
// better of two continuations, the first later match found row by row and
// the first found column by column. Not a longest-common-subsequence: which
// continuation is tried is fixed by that search order. Positions count from
// 0 here; every score is memoised, so each pair is worked out once.
class CommonSubstringScorer {
public:
    CommonSubstringScorer(std::string_view s1, std::string_view s2)
        : s1_(s1), s2_(s2), memo_((s1.size() + 1) * (s2.size() + 1), -1) {
        // nextIn2_[b][c]: first position >= b in s2 holding c (or size), and
        // the same for s1, so each search is linear.
        nextIn1_ = NextTable(s1_);
        nextIn2_ = NextTable(s2_);
    }

    int Score(std::size_t a, std::size_t b) {
        if (a >= s1_.size() || b >= s2_.size()) {
            return 0;
        }
        int& memo = memo_[a * (s2_.size() + 1) + b];
        if (memo >= 0) {
            return memo;
        }
        std::size_t ea = a;
        std::size_t eb = b;
        while (ea < s1_.size() && eb < s2_.size() && s1_[ea] == s2_[eb]) {
            ++ea;
            ++eb;
        }
        const int run = int(ea - a);
        int d = 0;
        for (std::size_t i = ea; i < s1_.size(); ++i) {
            const std::size_t j = nextIn2_[eb][uint8_t(s1_[i])];
            if (j < s2_.size()) {
                d = Score(i, j);
                break;
            }
        }
        int f = 0;
        for (std::size_t j = eb; j < s2_.size(); ++j) {
            const std::size_t i = nextIn1_[ea][uint8_t(s2_[j])];
            if (i < s1_.size()) {
                f = Score(i, j);
                break;
            }
        }
        memo = run + std::max(d, f);
        return memo;
    }

private:
    using NextRow = std::array<uint16_t, 256>;

    static std::vector<NextRow> NextTable(std::string_view s) {
        std::vector<NextRow> table(s.size() + 1);
        table[s.size()].fill(uint16_t(s.size()));
        for (std::size_t i = s.size(); i-- > 0;) {
            table[i] = table[i + 1];
            table[i][uint8_t(s[i])] = uint16_t(i);
        }
        return table;
    }

    std::string_view s1_;
    std::string_view s2_;
    std::vector<int> memo_;
    std::vector<NextRow> nextIn1_;
    std::vector<NextRow> nextIn2_;
};

char pendingCaron = 0;

// The caron letter of a key after "*", or 0 when the key has none.
char CaronLetter(char key) {
    switch (key) {
        case 'C': return char(200);
        case 'c': return char(232);
        case 'E': return char(204);
        case 'e': return char(236);
        case 'N': return char(210);
        case 'n': return char(242);
        case 'R': return char(216);
        case 'r': return char(248);
        case 'S': return char(138);
        case 's': return char(154);
        case 'Z': return char(142);
        case 'z': return char(158);
        case '*': return '*';
        default: return 0;
    }
}

// Shared first steps; true when the key is finished with.
bool ComposeCommon(char& key) {
    if (pendingCaron == 0) {
        if (key == '*') {
            pendingCaron = '*';
            key = 0;
        }
        return true;
    }
    pendingCaron = 0;
    const char letter = CaronLetter(key);
    if (letter != 0) {
        key = letter;
        return true;
    }
    return false;
}

}  // namespace

double StringSimilarity(const std::string& s1, const std::string& s2) {
    if (s1.empty() && s2.empty()) {
        return 1.0;
    }
    const std::string_view a = std::string_view(s1).substr(0, kLongestCompared);
    const std::string_view b = std::string_view(s2).substr(0, kLongestCompared);
    CommonSubstringScorer scorer(a, b);
    const int c = scorer.Score(0, 0);
    return 2.0 * c / double(a.size() + b.size());
}

void ComposeCaronKey(char& key, CaretText& edit) {
    if (ComposeCommon(key)) {
        return;
    }
    std::string text = edit.Text();
    const int caret = std::clamp(edit.CaretPos(), 0, int(text.size()));
    // A control key still does its work; only the "*" goes in, so no
    // control character lands in the text.
    if (IsControlKey(key)) {
        text.insert(std::size_t(caret), 1, '*');
        edit.SetText(text);
        edit.SetCaretPos(caret + 1);
        return;
    }
    text.insert(std::size_t(caret), {'*', key});
    edit.SetText(text);
    edit.SetCaretPos(caret + 2);
    key = 0;
}

void ComposeCaronChar(char& key) {
    ComposeCommon(key);
}
