#include "documents/SearchEngine.h"

#include <cstdio>

#include "documents/AppTools.h"
#include "platform/Dialogs.h"

using platform::Dialogs;
using platform::ModalResult;
using platform::MsgDlgType;

namespace {

constexpr double kExact = 1.0;
constexpr double kPart = 0.9999;
constexpr double kExactAbove = 0.99;
constexpr double kFuzzyAbove = 0.8;

bool Searched(int field, const SearchSettings& settings) { return field <= 2 ? settings.InFS : settings.InMS; }

bool UsedBelow(const SearchHit& a, const SearchHit& b, const VokabelArrayTyp& entries) {
    if (a.Score != b.Score) return a.Score < b.Score;
    const bool usedA = entries[a.Row].InUse != 0;
    const bool usedB = entries[b.Row].InUse != 0;
    if (usedA != usedB) return !usedA;
    return a.Row > b.Row;
}

void QuickSort(SearchHitArray& hits, int low, int high, const VokabelArrayTyp& entries) {
    while (low < high) {
        const SearchHit pivot = hits[low + (high - low) / 2];
        int i = low;
        int j = high;
        while (i <= j) {
            while (UsedBelow(hits[i], pivot, entries)) ++i;
            while (UsedBelow(pivot, hits[j], entries)) --j;
            if (i <= j) std::swap(hits[i++], hits[j--]);
        }
        // The smaller half recursively, so the depth stays logarithmic.
        if (j - low < high - i) {
            QuickSort(hits, low, j, entries);
            low = i;
        } else {
            QuickSort(hits, i, high, entries);
            high = j;
        }
    }
}

}  // namespace

std::string PrepareSearchText(const std::string& text, bool ignoreCase) {
    const std::string trimmed = TrimCopy(text);
    return ignoreCase ? UpAscii(trimmed) : trimmed;
}

SearchHit ScoreEntry(const VokabelTyp& entry, const std::string& preparedText, const SearchSettings& settings) {
    std::array<std::string, 8> fields;
    for (int f = 1; f <= 7; ++f) {
        fields[f] = entry.Field(f).Get();
        if (settings.IgnoreCase) fields[f] = UpAscii(TrimCopy(fields[f])).substr(0, 50);
    }
    SearchHit hit;
    // Each step overrides the one before; within a step the last field wins.
    auto step = [&](int from, int to, bool part) {
        for (int f = from; f <= to; ++f) {
            const bool match = part ? fields[f].find(preparedText) != std::string::npos : fields[f] == preparedText;
            if (match) {
                hit.Score = part ? kPart : kExact;
                hit.Field = uint8_t(f);
            }
        }
    };
    if (settings.InFS && settings.PartOfWord) step(1, 2, true);
    if (settings.InFS) step(1, 2, false);
    if (settings.InMS && settings.PartOfWord) step(3, 7, true);
    if (settings.InMS) step(3, 7, false);
    if (hit.Score == 0) {
        for (int f = 1; f <= 7; ++f) {
            if (!Searched(f, settings)) continue;
            const double similarity = StringSimilarity(fields[f], preparedText);
            if (similarity > hit.Score) {
                hit.Score = similarity;
                hit.Field = uint8_t(f);
            }
        }
    }
    return hit;
}

SearchHitArray ScoreEntries(const VokabelArrayTyp& entries, const std::string& preparedText,
                            const SearchSettings& settings) {
    SearchHitArray hits{};
    for (int row = 1; row <= kMaxEntries; ++row) {
        hits[row].Row = uint16_t(row);
        if (entries[row].InUse == 0) continue;
        const SearchHit scored = ScoreEntry(entries[row], preparedText, settings);
        hits[row].Score = scored.Score;
        hits[row].Field = scored.Field;
    }
    return hits;
}

SearchHit BestHit(const SearchHitArray& hits) {
    SearchHit best;
    for (int row = 1; row <= kMaxEntries; ++row) {
        if (hits[row].Score > best.Score) best = hits[row];
    }
    return best;
}

// ---- Walking the hits of the document's search ------------------------------

HitWalk::First HitWalk::Collect(const SearchHitArray& hits) {
    exact_ = {};
    fuzzy_ = {};
    exactCount_ = 0;
    fuzzyCount_ = 0;
    next_ = 0;
    for (int row = 1; row <= kMaxEntries; ++row) {
        const double score = hits[row].Score;
        if (score > kExactAbove) {
            exact_[++exactCount_] = hits[row];
        } else if (score > kFuzzyAbove) {
            fuzzy_[++fuzzyCount_] = hits[row];
        }
    }
    if (exactCount_ > 0) return First::Exact;
    return fuzzyCount_ > 0 ? First::FuzzyOnly : First::None;
}

SearchHit HitWalk::TakeFirstExact() {
    next_ = 1;
    return exact_[1];
}

SearchHit HitWalk::TakeFirstFuzzy() {
    next_ = -1;
    return fuzzy_[1];
}

SearchHit HitWalk::FindNextHit(bool autoFuzzy) {
    if (next_ >= 1) {
        if (next_ < exactCount_) return exact_[++next_];
        if (fuzzyCount_ == 0) {
            Dialogs().MessageDlg("Keine weiteren Übereinstimmungen mehr gefunden. Auch nicht mit Fuzzy-Logik.",
                                 MsgDlgType::Information, platform::mbOK);
            return {};
        }
        if (!autoFuzzy && Dialogs().MessageDlg("Keine weiteren absoluten Übereinstimmungen gefunden. Vokabelliste "
                                               "mit Fuzzy-Logik durchsuchen?",
                                               MsgDlgType::Confirmation, platform::mbYes | platform::mbNo) !=
                              ModalResult::Yes) {
            return {};
        }
        return TakeFirstFuzzy();
    }
    if (next_ <= -1) {
        if (-next_ < fuzzyCount_) {
            --next_;
            return fuzzy_[-next_];
        }
        Dialogs().MessageDlg("Keine weiteren Übereinstimmungen mehr gefunden.", MsgDlgType::Information,
                             platform::mbOK);
    }
    return {};
}

// ---- The editor's list of all hits -------------------------------------------

void SortHitsByScore(SearchHitArray& hits, const VokabelArrayTyp& entries) {
    QuickSort(hits, 1, kMaxEntries, entries);
}

void HitList::Start(const SearchHitArray& hits, const VokabelArrayTyp& entries) {
    hits_ = hits;
    SortHitsByScore(hits_, entries);
    lowest_ = 1;
    while (lowest_ <= kMaxEntries && entries[hits_[lowest_].Row].InUse == 0) ++lowest_;
    ToFirst();
}

void HitList::ToFirst() {
    shown_ = kMaxEntries;
    firstPrev_ = false;
    nextLast_ = !Empty();
}

void HitList::ToPrevious() {
    if (Empty()) return;
    if (shown_ < kMaxEntries) ++shown_;
    nextLast_ = true;
    if (shown_ == kMaxEntries) firstPrev_ = false;
}

void HitList::ToNext() {
    if (Empty()) return;
    if (shown_ > lowest_) --shown_;
    firstPrev_ = true;
    if (shown_ == lowest_) nextLast_ = false;
}

void HitList::ToLast() {
    if (Empty()) return;
    shown_ = lowest_;
    firstPrev_ = true;
    nextLast_ = false;
}

std::string HitHeading(const SearchHit& hit) {
    char score[32];
    std::snprintf(score, sizeof score, "%.3g", hit.Score * 100);
    std::string text = score;
    for (char& c : text) {
        if (c == '.') c = ',';
    }
    return "Vokabel Nummer " + std::to_string(hit.Row) + ";        " + text + "% Übereinstimmung";
}

std::string HitFieldLines(const VokabelTyp& entry, bool foreignLanguage) {
    std::string lines;
    const int from = foreignLanguage ? 1 : 3;
    const int to = foreignLanguage ? 2 : 7;
    for (int f = from; f <= to; ++f) {
        if (entry.Field(f).Empty()) continue;
        if (!lines.empty()) lines += '\n';
        lines += entry.Field(f).Get();
    }
    return lines;
}
