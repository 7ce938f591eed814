#pragma once
// Font runs of section text: each starts at a character position, owns its
// font, caches the font's metrics and carries the run's link.

#include "htmlengine/PageUn2.h"
#include "htmlengine/TextMeasurer.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
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

// What layout needs of a run's font: the face it is measured in (with the
// colour of some run in that face) and its metrics.
struct TRunFace {
    FontSpec Font;
    int32_t LineHeight = 0;
    int32_t Overhang = 0;
    int32_t FontDescent = 0;
};

class TFontObj {
public:
    TFontObj(TSection* section, int32_t pos, const TMyFont& font, TextMeasurer& measurer);

    TSection* Section;
    bool Visited = false;
    bool Hover = false;
    uint8_t Script = 0;
    int32_t Pos;
    int32_t LineHeight = 0;  // height + external leading
    int32_t FontHeight = 0;
    int32_t Overhang = 0;
    int32_t FontDescent = 0;
    TUrlTarget UrlTarget;

    const TMyFont& TheFont() const { return font_; }
    // Every change of the font goes through here, so the metrics follow.
    void SetFont(const TMyFont& font);
    void SetVisited(bool v, const SectionDocument& doc);
    void SetHover(bool h, const SectionDocument& doc);
    void ReapplyDefaults(const SectionDocument& doc);
    void SetNormalSize(const SectionDocument& doc, int32_t n);

private:
    // Takes the metrics of the font just set.
    void FontSet();
    void LinkColorChanged(const SectionDocument& doc);
    TColor LinkColor(const SectionDocument& doc) const;

    friend class TFontList;
    TMyFont font_;
    TextMeasurer& measurer_;
    TFontList* list_ = nullptr;  // told of every font change once the run is in it
};

// Runs are only ever added, in text order. The first run lives in the list
// itself, as most sections never change their font; later runs each on
// their own. Beside the runs the list keeps where each starts and its face,
// side by side, so that layout, which walks every run, reads one small block
// instead of every run.
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
    int32_t Count() const { return count_; }
    bool Empty() const { return count_ == 0; }
    // Runs are changed through a const list too: its constness covers which
    // runs there are, not the runs.
    TFontObj* operator[](int32_t k) const { return k == 0 ? &*first_ : later_[static_cast<size_t>(k - 1)].get(); }
    TFontObj* Last() const { return Empty() ? nullptr : (*this)[Count() - 1]; }
    // The run covering p (the last run starting at or before it).
    TFontObj* FontObjAt(int32_t p, int32_t* index = nullptr) const;
    TFontObj* FontAt(int32_t p) const { return FontObjAt(p); }
    int32_t CharsToNextFont(int32_t p, int32_t len) const;
    // The face of the run covering p, and where the next run begins (len when none follows).
    const TRunFace& FaceAt(int32_t p, int32_t len, int32_t& next) const;
    int32_t StartOf(int32_t k) const { return Refs()[k].start; }
    const TRunFace& Face(int32_t k) const { return FaceNo(Refs()[k].face); }
    // The faces kept for the runs (a face seen long ago may be kept twice).
    uint32_t FaceCount() const { return faceCount_; }
    void ReapplyDefaults(const SectionDocument& doc);

private:
    friend class TFontObj;
    struct RunRef {
        int32_t start = 0;
        uint32_t face = 0;
    };
    // The last run starting at or before p (-1 when none), in the records refs.
    int32_t Find(const RunRef* refs, int32_t p) const;
    // The records of all runs: while there is one run its record lies in
    // firstRef_, from the second on they all lie in moreRefs_. refs_ points
    // at the block in use, as layout reads it for every run it measures;
    // AddRef alone adds records and re-points it, and every read checks it
    // in debug builds.
    void AddRef(const RunRef& ref);
    const RunRef* Refs() const {
        assert(refs_ == (count_ > 1 ? moreRefs_.data() : &firstRef_) &&
               (count_ <= 1 || moreRefs_.size() == static_cast<size_t>(count_)));
        return refs_;
    }
    RunRef* Refs() { return const_cast<RunRef*>(std::as_const(*this).Refs()); }
    static bool MeasuresAs(const TRunFace& face, const TFontObj& run);
    uint32_t FaceOf(const TFontObj& run);
    void FontChanged(const TFontObj& run);
    const TRunFace& FaceNo(uint32_t k) const { return k < kNearFaces ? nearFaces_[k] : farFaces_[k - kNearFaces]; }

    // A paragraph that changes its font mostly does so a few times.
    static constexpr size_t kFewRuns = 4;
    mutable std::optional<TFontObj> first_;
    std::vector<std::unique_ptr<TFontObj>> later_;
    int32_t count_ = 0;
    RunRef firstRef_;
    std::vector<RunRef> moreRefs_;
    RunRef* refs_ = &firstRef_;
    // Most paragraphs have one face: it needs no room of its own.
    static constexpr uint32_t kNearFaces = 1;
    std::array<TRunFace, kNearFaces> nearFaces_;
    std::vector<TRunFace> farFaces_;
    uint32_t faceCount_ = 0;
    mutable int32_t hint_ = 0;  // the run found last
};

}  // namespace htmlengine
