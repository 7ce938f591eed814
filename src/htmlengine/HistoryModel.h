#pragma once
// The viewer's page history (newest first, with a cursor on the shown page)
// and its list of visited links (newest first, looked up ignoring case).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace htmlengine {

struct THistoryEntry {
    std::string File;
    std::string Title;
    int32_t Position = 0;  // see EncodePosition
    uint8_t Kind = 0;      // TFileKind
    bool operator==(const THistoryEntry&) const = default;
};

class THistoryList {
public:
    std::vector<THistoryEntry> Entries;
    int32_t Cursor = 0;
    std::function<void()> OnChange;

    int32_t MaxCount() const { return max_; }
    // Negative or unchanged values are ignored; a smaller one clears first.
    void SetMaxCount(int32_t value);
    int32_t Count() const { return int32_t(Entries.size()); }

    // After a load or an anchor jump: old is the page left, current the page shown.
    void Push(const THistoryEntry& old, const THistoryEntry& current);
    // Whether a move to index would be taken.
    bool CanGoTo(int32_t index) const { return index != Cursor && index >= 0 && index < Count(); }
    void Clear();

private:
    int32_t max_ = 0;
};

class TVisitedList {
public:
    std::vector<std::string> Urls;

    int32_t MaxCount() const { return max_; }
    // Returns true when the list was emptied (links must lose their mark).
    bool SetMaxCount(int32_t value);
    bool Contains(const std::string& url) const { return IndexOf(url) >= 0; }
    int32_t IndexOf(const std::string& url) const;

    enum class Recorded { Ignored, AlreadyFirst, New, Moved };
    // New: the document's links to url must be marked now.
    Recorded Record(const std::string& url);

private:
    int32_t max_ = 50;
};

}  // namespace htmlengine
