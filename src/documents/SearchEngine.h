#pragma once
// Searching the entries of one document for a text: every used row gets a
// score (1 equal, 0.9999 part of a field, else the best similarity) and the
// field that earned it. The document's search walks the exact and then the
// fuzzy hits in row order; the entry editor takes the best hit or pages
// through all used rows sorted by score.

#include <array>
#include <cstdint>
#include <string>

#include "documents/AppSettings.h"

struct SearchHit {
    double Score = 0;
    uint16_t Row = 0;    // 0 = none
    uint8_t Field = 0;   // 1 FS1, 2 FS2, 3 to 7 MS1 to MS5; 0 none
};

struct SearchSettings {
    bool InFS = true;
    bool InMS = true;
    bool PartOfWord = true;
    bool IgnoreCase = true;
};

// Index 1 to 500 as the rows; index 0 unused.
using SearchHitArray = std::array<SearchHit, kMaxEntries + 1>;

// The search text as it is compared: trimmed, and upper-cased (a to z
// only) when case is ignored. Empty means nothing to search.
std::string PrepareSearchText(const std::string& text, bool ignoreCase);

// Score and field of one entry against a prepared text.
SearchHit ScoreEntry(const VokabelTyp& entry, const std::string& preparedText, const SearchSettings& settings);

// Every record of rows 1 to 500: the row number, and for used rows the
// score and field.
SearchHitArray ScoreEntries(const VokabelArrayTyp& entries, const std::string& preparedText,
                            const SearchSettings& settings);

// The row with the highest score; the lowest row wins a tie; row 0 when
// every score is 0.
SearchHit BestHit(const SearchHitArray& hits);

// The exact (above 0.99) and fuzzy (above 0.8) hits in row order, and the
// cursor that "Weitersuchen" moves: k >= 1 is exact hit k, -k fuzzy hit k.
class HitWalk {
public:
    enum class First { None, Exact, FuzzyOnly };

    // Empties both lists and fills them from the scores.
    First Collect(const SearchHitArray& hits);
    // The first exact hit, cursor at it.
    SearchHit TakeFirstExact();
    // The first fuzzy hit, cursor at it.
    SearchHit TakeFirstFuzzy();

    // "Weitersuchen" on the same document. The prompts go through the
    // dialog seam; autoFuzzy answers the offer of fuzzy hits by itself.
    // Row 0 when there is nothing more. At a list's end the cursor stays,
    // so asking again answers the same way.
    SearchHit FindNextHit(bool autoFuzzy);

    int NextHitIndex() const { return next_; }
    int ExactCount() const { return exactCount_; }
    int FuzzyCount() const { return fuzzyCount_; }

private:
    // Slot 501 stays empty: it ends a full list.
    std::array<SearchHit, kMaxEntries + 2> exact_{};
    std::array<SearchHit, kMaxEntries + 2> fuzzy_{};
    int exactCount_ = 0;
    int fuzzyCount_ = 0;
    int next_ = 0;
};

// Mode 0's list: all rows sorted by score, the best at position 500.
// Equal scores put unused rows below used ones and lower rows above
// higher ones, so the used rows form one run from LowestHit to 500.
class HitList {
public:
    // Sorts the scores; shows the best.
    void Start(const SearchHitArray& hits, const VokabelArrayTyp& entries);
    bool Empty() const { return lowest_ > kMaxEntries; }
    const SearchHit& Shown() const { return hits_[shown_]; }
    int ShownHit() const { return shown_; }
    int LowestHit() const { return lowest_; }

    void ToFirst();
    void ToPrevious();
    void ToNext();
    void ToLast();

    bool FirstEnabled() const { return firstPrev_; }
    bool PreviousEnabled() const { return firstPrev_; }
    bool NextEnabled() const { return nextLast_; }
    bool LastEnabled() const { return nextLast_; }

private:
    SearchHitArray hits_{};
    int shown_ = kMaxEntries;
    int lowest_ = kMaxEntries + 1;
    bool firstPrev_ = false;
    bool nextLast_ = false;
};

// Ascending by (score, used, -row); exposed for the list and its tests.
void SortHitsByScore(SearchHitArray& hits, const VokabelArrayTyp& entries);

// "Vokabel Nummer 12;        85,7% Übereinstimmung" (UTF-8).
std::string HitHeading(const SearchHit& hit);
// The non-empty foreign-language (FS1, FS2) or mother-tongue (MS1 to MS5)
// fields of an entry, bytes joined by line feeds.
std::string HitFieldLines(const VokabelTyp& entry, bool foreignLanguage);
