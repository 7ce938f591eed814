#include "training/WTLogikUnit.h"

#include <cmath>

#include "documents/AppTools.h"

namespace {

bool Holds(const std::string& s, char c) { return s.find(c) != std::string::npos; }

}  // namespace

CompareOptions CompareOptionsFrom(const OptionenTyp& options) {
    CompareOptions o;
    const AbfrageOptionenTyp& a = options.Abfragen;
    const SettingsTyp& s = options.Settings;
    o.ignoreCase = a.GrossKleinIgnorieren;
    o.fuzzy = a.FuzzyLogic;
    o.threshold = a.RichtigAb;
    o.ignoreBracketGroups = s.AllgemIgnorieren && s.KlammerIgnorieren;
    o.ignoreWordParts = s.AllgemIgnorieren && s.WortteileIgnorieren;
    o.wordParts = s.Wortteile;
    return o;
}

std::string StripBracketChars(const std::string& s) {
    std::string t = s;
    for (char& c : t) {
        if (c == '(' || c == ')') c = ' ';
    }
    return RemoveDoubleBlanks(TrimCopy(t));
}

std::string RemoveBracketGroups(const std::string& s) {
    if (!Holds(s, '(') || !Holds(s, ')')) return s;
    std::string t = s;
    while (Holds(t, '(') && Holds(t, ')')) {
        while (Holds(t, '(') && Holds(t, ')') && t.find(')') < t.find('(')) t.erase(t.find(')'), 1);
        if (!Holds(t, '(') || !Holds(t, ')')) break;
        const std::size_t open = t.find('(');
        t.erase(open, t.find(')') - open + 1);
    }
    return RemoveDoubleBlanks(TrimCopy(t));
}

std::string RemoveWordParts(const std::string& s, const WortteilListeTyp& parts) {
    if (s.empty()) return s;
    std::string t = s;
    for (const auto& slot : parts) {
        const std::string part = slot.Get();
        if (part.empty()) continue;
        for (std::size_t at = t.find(part); at != std::string::npos; at = t.find(part)) t.erase(at, part.size());
    }
    return TrimCopy(RemoveDoubleBlanks(t));
}

std::string TrimTrailingSemicolons(const std::string& s) {
    std::size_t end = s.size();
    while (end > 0 && s[end - 1] == ';') --end;
    return s.substr(0, end);
}

bool SimilarEnough(const std::string& a, const std::string& b, int factor, int32_t threshold) {
    const int64_t total = int64_t(std::min(a.size(), kLongestCompared) + std::min(b.size(), kLongestCompared));
    if (total == 0) return int64_t(factor) > threshold;
    // The measure is 2c / total for an integer score c; get c back exactly
    // and compare 2c x factor > threshold x total without a fraction.
    const int64_t common = std::llround(StringSimilarity(a, b) * double(total) / 2.0);
    return 2 * common * factor > int64_t(threshold) * total;
}

bool MatchAnswer(const std::string& correct, const std::string& typed, const CompareOptions& options,
                 MatchTally& tally) {
    const std::string plainC = options.ignoreCase ? TrimCopy(UpAscii(correct)) : TrimCopy(correct);
    const std::string plainT = options.ignoreCase ? TrimCopy(UpAscii(typed)) : TrimCopy(typed);
    if (plainC == plainT) {
        ++tally.exact;
        return true;
    }
    bool candidate = false;
    for (int k = 0; k < 8; ++k) {
        if ((k & 2) && !options.ignoreBracketGroups) continue;
        if ((k & 4) && !options.ignoreWordParts) continue;
        // The variants start from the raw strings: no upper-casing, no trim.
        std::string c = correct;
        std::string t = typed;
        if (k & 1) {
            c = StripBracketChars(c);
            t = StripBracketChars(t);
        }
        if (k & 2) c = RemoveBracketGroups(c);
        if (k & 4) c = RemoveWordParts(c, options.wordParts);
        // Nothing left on either side proves nothing: "(" is no answer to an
        // empty field.
        if (c.empty() && t.empty()) continue;
        if (c == t) return true;
        if (options.fuzzy && SimilarEnough(c, t, 90, options.threshold)) candidate = true;
    }
    if (options.fuzzy && SimilarEnough(plainC, plainT, 100, options.threshold)) candidate = true;
    if (candidate) {
        tally.fuzzy = true;
        return true;
    }
    return false;
}

namespace {

// The typed text cut into its meanings (or taken as one), each judged.
Judgement JudgeParts(const std::string& text, const std::vector<std::string>& correct, bool severalMeanings,
                     bool allMustBeRight, const CompareOptions& options) {
    Judgement j;
    if (text.empty()) return j;

    std::vector<std::string> parts;
    if (severalMeanings) {
        std::size_t from = 0;
        while (from <= text.size()) {
            std::size_t to = text.find(';', from);
            if (to == std::string::npos) to = text.size();
            const std::string piece = TrimCopy(text.substr(from, to - from));
            if (!piece.empty()) parts.push_back(piece);
            from = to + 1;
        }
        if (parts.size() > correct.size()) {
            j.tooManyMeanings = true;
            parts.resize(correct.size());
        }
    } else {
        const std::string piece = TrimCopy(text);
        if (!piece.empty()) parts.push_back(piece);
        // The one slot shows the trimmed text even when it is empty.
        j.typedParts[0] = piece;
    }
    for (std::size_t i = 0; i < parts.size() && i < j.typedParts.size(); ++i) j.typedParts[i] = parts[i];
    j.typedCount = int(parts.size());

    bool right;
    if (allMustBeRight) {
        right = !parts.empty();
        for (const std::string& part : parts) {
            bool found = false;
            // Every field is compared, also after a hit: each plain hit counts.
            for (const std::string& c : correct) found = MatchAnswer(c, part, options, j.tally) || found;
            if (!found) {
                right = false;
                break;
            }
        }
    } else {
        right = false;
        for (const std::string& part : parts) {
            for (const std::string& c : correct) right = MatchAnswer(c, part, options, j.tally) || right;
        }
    }
    j.outcome = right ? AnswerOutcome::Right : AnswerOutcome::Wrong;
    return j;
}

}  // namespace

Judgement JudgeAnswer(const std::string& text, const std::vector<std::string>& correct, bool severalMeanings,
                      bool allMustBeRight, const CompareOptions& options) {
    Judgement j = JudgeParts(text, correct, severalMeanings, allMustBeRight, options);
    // A field may hold a ";" itself: typed as it stands, the whole text is
    // right although its pieces are not.
    if (j.outcome == AnswerOutcome::Wrong && severalMeanings && text.find(';') != std::string::npos) {
        Judgement whole = JudgeParts(text, correct, false, allMustBeRight, options);
        if (whole.outcome == AnswerOutcome::Right) return whole;
    }
    return j;
}

Verdict VerdictOf(const Judgement& j) {
    switch (j.outcome) {
        case AnswerOutcome::Empty: return Verdict::Nothing;
        case AnswerOutcome::Wrong: return Verdict::Wrong;
        case AnswerOutcome::Right: break;
    }
    if (j.tally.exact == j.typedCount) return Verdict::Exact;
    if (j.tally.fuzzy && j.tally.exact == 0) return Verdict::Fuzzy;
    return Verdict::OneMeaning;
}

const char* VerdictText(Verdict verdict) {
    switch (verdict) {
        case Verdict::Exact: return "Die Vokabel wurde absolut korrekt übersetzt";
        case Verdict::Fuzzy: return "Die Vokabel wurde fast korrekt übersetzt, durch Fuzzy-Logic: Richtig.";
        case Verdict::OneMeaning: return "Die Vokabel / eine Bedeutung wurde richtig übersetzt";
        case Verdict::Wrong: return "Die Vokabel wurde falsch übersetzt";
        case Verdict::Nothing: return "Es wurde nichts eingegeben";
    }
    return "";
}
