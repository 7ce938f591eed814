#include "htmlengine/HistoryModel.h"

#include "htmlengine/PageUn2.h"

#include <algorithm>

namespace htmlengine {

void THistoryList::SetMaxCount(int32_t value) {
    if (value < 0 || value == max_) return;
    if (value < max_) Clear();
    max_ = value;
}

void THistoryList::Push(const THistoryEntry& old, const THistoryEntry& current) {
    if (max_ < 1 || current.File.empty()) return;
    if (old.File == current.File && old.Kind == current.Kind && old.Position == current.Position) return;
    if (!Entries.empty() && !old.File.empty()) {
        Entries[size_t(Cursor)] = old;
        Entries.erase(Entries.begin(), Entries.begin() + Cursor);
    }
    Cursor = 0;
    Entries.insert(Entries.begin(), current);
    if (Count() > max_) Entries.erase(Entries.begin() + max_);
    if (OnChange) OnChange();
}

void THistoryList::Clear() {
    const bool had = !Entries.empty();
    Entries.clear();
    Cursor = 0;
    if (had && OnChange) OnChange();
}

bool TVisitedList::SetMaxCount(int32_t value) {
    value = std::max(0, value);
    if (value == max_) return false;
    max_ = value;
    if (value == 0) {
        Urls.clear();
        return true;
    }
    if (int32_t(Urls.size()) > value) Urls.resize(size_t(value));
    return false;
}

int32_t TVisitedList::IndexOf(const std::string& url) const {
    const std::string key = UpperAscii(url);
    for (size_t i = 0; i < Urls.size(); ++i)
        if (UpperAscii(Urls[i]) == key) return int32_t(i);
    return -1;
}

TVisitedList::Recorded TVisitedList::Record(const std::string& url) {
    if (max_ <= 0) return Recorded::Ignored;
    const int32_t at = IndexOf(url);
    if (at == 0) return Recorded::AlreadyFirst;
    if (at > 0) Urls.erase(Urls.begin() + at);
    Urls.insert(Urls.begin(), url);
    if (int32_t(Urls.size()) > max_) Urls.resize(size_t(max_));
    return at < 0 ? Recorded::New : Recorded::Moved;
}

}  // namespace htmlengine
