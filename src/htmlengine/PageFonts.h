#pragma once
// Font runs of section text: each starts at a character position and points
// at its font with the font's metrics and at the run's link, both kept once
// per page.

#include "htmlengine/PageUn2.h"
#include "htmlengine/TextMeasurer.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <unordered_set>
#include <vector>

namespace htmlengine {

class SectionDocument;
class TSection;

// A font on the 12-point scale: its size is MulDiv(document size, NormalSize, 12).
struct TMyFont : FontSpec {
    int32_t NormalSize = 12;
    bool Fixed = false;  // the preformatted face
};

class TFontList;

// A font as runs use it, with its metrics; runs of one font share one.
struct TRunFace {
    TMyFont Font;
    TextMeasurer* Measurer = nullptr;  // the metrics are its
    int32_t LineHeight = 0;             // height + external leading
    int32_t FontHeight = 0;
    int32_t Overhang = 0;
    int32_t FontDescent = 0;
    uint32_t Index = 0;  // in the page's table
};

// What the runs of a page share: each font once, with its metrics, and the
// link targets. Entries never move and live until Clear, which the document
// calls once no run is left.
class TRunTable {
public:
    TRunTable() = default;
    TRunTable(const TRunTable&) = delete;
    TRunTable& operator=(const TRunTable&) = delete;

    const TRunFace* Face(const TMyFont& font, TextMeasurer& measurer);
    const TRunFace& FaceNo(uint32_t index) const { return *byIndex_[index]; }
    // Null for no link.
    const TUrlTarget* Link(const TUrlTarget& link);
    void Clear();

private:
    struct Hash {
        size_t operator()(const TRunFace& f) const;
    };
    struct Same {
        bool operator()(const TRunFace& a, const TRunFace& b) const;
    };
    std::unordered_set<TRunFace, Hash, Same> faces_;
    std::vector<const TRunFace*> byIndex_;
    const TRunFace* lastFace_ = nullptr;  // runs mostly repeat the font before
    std::deque<TUrlTarget> links_;
};

class TFontObj {
public:
    TFontObj(TSection* section, int32_t pos, const TMyFont& font, TextMeasurer& measurer);

    TSection* Section = nullptr;
    int32_t Pos = 0;
    bool Visited = false;
    bool Hover = false;
    uint8_t Script = 0;

private:
    bool inList_ = false;  // its list is told of every font change

public:
    const TMyFont& TheFont() const { return face_->Font; }
    const TRunFace& Face() const { return *face_; }
    int32_t LineHeight() const { return face_->LineHeight; }
    int32_t FontHeight() const { return face_->FontHeight; }
    int32_t Overhang() const { return face_->Overhang; }
    int32_t FontDescent() const { return face_->FontDescent; }
    // An empty URL: no link.
    const TUrlTarget& UrlTarget() const;
    void SetUrlTarget(const TUrlTarget& link);
    void ClearUrlTarget() { link_ = nullptr; }
    // The link of another run, shared.
    void TakeUrlTarget(const TFontObj& run) { link_ = run.link_; }

    // Every change of the font goes through here, so the metrics follow.
    void SetFont(const TMyFont& font);
    void SetVisited(bool v, const SectionDocument& doc);
    void SetHover(bool h, const SectionDocument& doc);
    void ReapplyDefaults(const SectionDocument& doc);
    void SetNormalSize(const SectionDocument& doc, int32_t n);

private:
    friend class TFontList;
    TFontObj() = default;
    TRunTable& Table() const;
    void LinkColorChanged(const SectionDocument& doc);
    TColor LinkColor(const SectionDocument& doc) const;

    const TRunFace* face_ = nullptr;
    const TUrlTarget* link_ = nullptr;
};

// Runs are only ever added, in text order. The first run lives in the list
// itself, as most sections never change their font; later runs each on
// their own. From the second run on, the list keeps where each starts and
// its face side by side, so that layout, which walks every run, reads one
// small block instead of every run.
class TFontList {
public:
    TFontList() = default;
    TFontList(const TFontList&) = delete;
    TFontList& operator=(const TFontList&) = delete;

    // The runs in text order, as TFontObj*.
    class Iterator {
    public:
        Iterator(const TFontList& list, int32_t k) : list_(&list), k_(k) {}
        TFontObj* operator*() const { return (*list_)[k_]; }
        Iterator& operator++() {
            ++k_;
            return *this;
        }
        bool operator==(const Iterator& other) const { return k_ == other.k_; }

    private:
        const TFontList* list_;
        int32_t k_;
    };
    Iterator begin() const { return {*this, 0}; }
    Iterator end() const { return {*this, Count()}; }

    // A new run starting at pos, after every run so far.
    TFontObj* Add(TSection* section, int32_t pos, const TMyFont& font, TextMeasurer& measurer);
    int32_t Count() const { return more_ ? static_cast<int32_t>(more_->refs.size()) : first_.face_ ? 1 : 0; }
    bool Empty() const { return !first_.face_; }
    // Runs are changed through a const list too: its constness covers which
    // runs there are, not the runs.
    TFontObj* operator[](int32_t k) const {
        return k == 0 ? &first_ : more_->later[static_cast<size_t>(k - 1)].get();
    }
    TFontObj* Last() const { return Empty() ? nullptr : (*this)[Count() - 1]; }
    // The run covering p (the last run starting at or before it).
    TFontObj* FontObjAt(int32_t p, int32_t* index = nullptr) const;
    TFontObj* FontAt(int32_t p) const { return FontObjAt(p); }
    int32_t CharsToNextFont(int32_t p, int32_t len) const;
    // The face of the run covering p, and where the next run begins (len when none follows).
    const TRunFace& FaceAt(int32_t p, int32_t len, int32_t& next) const;
    int32_t StartOf(int32_t k) const { return more_ ? more_->refs[static_cast<size_t>(k)].start : first_.Pos; }
    // From the refs, which line layout walks anyway, not from the run itself.
    const TRunFace& Face(int32_t k) const { return more_ ? *more_->refs[static_cast<size_t>(k)].face : first_.Face(); }
    // The faces the runs are measured in (a colour of its own makes none).
    uint32_t FaceCount() const;
    void ReapplyDefaults(const SectionDocument& doc);

private:
    friend class TFontObj;
    struct RunRef {
        int32_t start = 0;
        const TRunFace* face = nullptr;
    };
    struct More {
        std::vector<std::unique_ptr<TFontObj>> later;
        std::vector<RunRef> refs;  // of every run, the first included
        int32_t hint = 0;          // the run found last
    };
    // The last run starting at or before p (-1 when none), in the records of more_.
    int32_t Find(int32_t p) const;
    void FontChanged(const TFontObj& run);

    mutable TFontObj first_;
    std::unique_ptr<More> more_;
};

}  // namespace htmlengine
