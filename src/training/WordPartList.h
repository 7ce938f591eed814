#pragma once
// The editable list of word parts that the answer comparison may ignore:
// kept sorted, at most 50 parts, no part twice; saved into the 50 slots of
// the options in list order.

#include <string>
#include <vector>

#include "documents/AppSettings.h"

inline constexpr int kMaxWordParts = 50;

inline const char* const kWordPartsFullText = "Es können maximal 50 Wortteile eingegeben werden.";
inline const char* const kWordPartTwiceText = "Der selbe Wortteil wurde schon einmal eingegeben!";
inline const char* const kWordPartEditRefusedText =
    "Der selbe Wortteil ist schon in der Liste enthalten. Die Änderung wurde nicht akzeptiert.";
inline const char* const kWordPartBlankText = "Ein leerer Wortteil wird nicht übernommen.";
inline const char* const kTooManyWordPartsText =
    "Es wurden zu viele Wortteile eingegeben. Es sind maximal 50 Stück erlaubt.";

class WordPartList {
public:
    enum class Change { Done, Full, Held, Blank };

    // Every slot whose trimmed text is not empty, as stored.
    void Fill(const WortteilListeTyp& slots);
    const std::vector<std::string>& Items() const { return items_; }
    int Count() const { return int(items_.size()); }
    // The index of an item, or -1.
    int IndexOf(const std::string& text) const;

    // Blank text (nothing but blanks) is no input and changes nothing.
    Change Add(const std::string& text);
    // An unchanged text counts as held.
    Change Replace(int index, const std::string& text);
    void Delete(int index);
    // Items beyond 50 are dropped first (true then); each part is cut to 30
    // characters; the remaining slots are emptied.
    bool SaveTo(WortteilListeTyp& slots);

    // The list's order: letters a to z without regard to case, then bytes.
    static bool Before(const std::string& a, const std::string& b);

private:
    void Sort();
    std::vector<std::string> items_;
};
