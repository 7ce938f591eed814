#pragma once
// Judging a typed answer against the correct fields of an entry: plain
// comparison, the reduced variants (brackets, bracket groups, word parts),
// the similarity threshold and several meanings. All strings are code-page
// bytes; nothing here shows anything.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "documents/AppSettings.h"

// The options the comparison reads, taken from the options record at the
// moment of judging.
struct CompareOptions {
    bool ignoreCase = true;
    bool fuzzy = true;
    int32_t threshold = 80;  // "Richtig ab", per cent; a match needs strictly more
    bool ignoreBracketGroups = true;  // general ignoring and brackets both on
    bool ignoreWordParts = true;      // general ignoring and word parts both on
    WortteilListeTyp wordParts{};
};

CompareOptions CompareOptionsFrom(const OptionenTyp& options);

// '(' and ')' become blanks, then trimmed and double blanks removed.
std::string StripBracketChars(const std::string& s);
// Deletes every "(...)" group; unchanged (and untrimmed) without both kinds.
std::string RemoveBracketGroups(const std::string& s);
// Deletes each non-empty word part, in slot order, wherever it occurs.
std::string RemoveWordParts(const std::string& s, const WortteilListeTyp& parts);
std::string TrimTrailingSemicolons(const std::string& s);

// True when similarity(a, b) x factor > threshold, decided in integers.
bool SimilarEnough(const std::string& a, const std::string& b, int factor, int32_t threshold);

// What one evaluation collects over its comparisons.
struct MatchTally {
    int exact = 0;       // comparisons decided by the plain test
    bool fuzzy = false;  // a comparison passed through similarity only
};

bool MatchAnswer(const std::string& correct, const std::string& typed, const CompareOptions& options,
                 MatchTally& tally);

enum class AnswerOutcome { Empty, Wrong, Right };

enum class Verdict { Exact, Fuzzy, OneMeaning, Wrong, Nothing };

struct Judgement {
    AnswerOutcome outcome = AnswerOutcome::Empty;
    std::array<std::string, 5> typedParts{};  // the slots shown as typed
    int typedCount = 0;                       // non-empty typed parts
    MatchTally tally;
    bool tooManyMeanings = false;  // more parts than correct fields; the surplus was ignored
};

// correct: the fields of the side to be typed, empty ones included; their
// number is the most meanings that may be typed.
Judgement JudgeAnswer(const std::string& text, const std::vector<std::string>& correct, bool severalMeanings,
                      bool allMustBeRight, const CompareOptions& options);

Verdict VerdictOf(const Judgement& judgement);
// UTF-8.
const char* VerdictText(Verdict verdict);

inline const char* const kTooManyMeaningsText =
    "Es dürfen maximal 5 mögliche Bedeutungen für die Muttersprache bzw. 2 Möglichkeiten für die "
    "Fremdsprache eingegeben werden!";
