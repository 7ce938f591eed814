#include "training/WordPartList.h"

#include <algorithm>

#include "documents/AppTools.h"

namespace {

bool Blank(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return uint8_t(c) <= ' '; });
}

}  // namespace

bool WordPartList::Before(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const uint8_t x = uint8_t(UpAscii(a[i]));
        const uint8_t y = uint8_t(UpAscii(b[i]));
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

void WordPartList::Sort() { std::stable_sort(items_.begin(), items_.end(), Before); }

void WordPartList::Fill(const WortteilListeTyp& slots) {
    items_.clear();
    for (const auto& slot : slots) {
        if (!Blank(slot.Get())) items_.push_back(slot.Get());
    }
    Sort();
}

int WordPartList::IndexOf(const std::string& text) const {
    const auto it = std::find(items_.begin(), items_.end(), text);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

WordPartList::Change WordPartList::Add(const std::string& text) {
    if (Count() >= kMaxWordParts) return Change::Full;
    if (Blank(text)) return Change::Blank;
    if (IndexOf(text) >= 0) return Change::Held;
    items_.push_back(text);
    Sort();
    return Change::Done;
}

WordPartList::Change WordPartList::Replace(int index, const std::string& text) {
    if (index < 0 || index >= Count()) return Add(text);
    if (Blank(text)) return Change::Blank;
    if (IndexOf(text) >= 0) return Change::Held;
    items_[std::size_t(index)] = text;
    Sort();
    return Change::Done;
}

void WordPartList::Delete(int index) {
    if (index >= 0 && index < Count()) items_.erase(items_.begin() + index);
}

bool WordPartList::SaveTo(WortteilListeTyp& slots) {
    const bool tooMany = Count() > kMaxWordParts;
    if (tooMany) items_.resize(kMaxWordParts);
    for (std::size_t i = 0; i < slots.size(); ++i) slots[i].Set(i < items_.size() ? items_[i] : std::string());
    return tooMany;
}
