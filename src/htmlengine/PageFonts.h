#pragma once
// Font runs of section text: each starts at a character position, owns its
// font, caches the font's metrics and carries the run's link.

#include "htmlengine/PageUn2.h"
#include "htmlengine/TextMeasurer.h"

#include <array>
#include <cstdint>
#include <memory>
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
    int32_t Pos;
    int32_t LineHeight = 0;  // height + external leading
    int32_t FontHeight = 0;
    int32_t Overhang = 0;
    int32_t FontDescent = 0;
    uint8_t Script = 0;
    TUrlTarget UrlTarget;

    const TMyFont& TheFont() const { return font_; }
    // Every change of the font goes through here, so the metrics follow.
    void SetFont(const TMyFont& font);
    void SetVisited(bool v, const SectionDocument& doc);
    void SetHover(bool h, const SectionDocument& doc);
    void ReapplyDefaults(const SectionDocument& doc);
    void SetNormalSize(const SectionDocument& doc, int32_t n);

private:
    void LinkColorChanged(const SectionDocument& doc);
    TColor LinkColor(const SectionDocument& doc) const;

    friend class TFontList;
    TMyFont font_;
    TextMeasurer& measurer_;
    TFontList* list_ = nullptr;  // told of every font change once the run is in it
};

// Runs are only ever added, in text order. Beside them the list keeps where
// each starts and its face, side by side, so that layout, which walks every
// run, reads one small block instead of every run.
class TFontList : private TFreeList<TFontObj> {
public:
    using TFreeList::begin;
    using TFreeList::Count;
    using TFreeList::Empty;
    using TFreeList::end;
    using TFreeList::Last;
    using TFreeList::operator[];

    TFontObj* Add(std::unique_ptr<TFontObj> run);
    void Reserve(size_t n);
    // The run covering p (the last run starting at or before it).
    TFontObj* FontObjAt(int32_t p, int32_t* index = nullptr) const;
    TFontObj* FontAt(int32_t p) const { return FontObjAt(p); }
    int32_t CharsToNextFont(int32_t p, int32_t len) const;
    // The face of the run covering p, and where the next run begins (len when none follows).
    const TRunFace& FaceAt(int32_t p, int32_t len, int32_t& next) const;
    int32_t StartOf(int32_t k) const { return refs_[static_cast<size_t>(k)].start; }
    const TRunFace& Face(int32_t k) const { return FaceNo(refs_[static_cast<size_t>(k)].face); }
    void ReapplyDefaults(const SectionDocument& doc);

private:
    friend class TFontObj;
    struct RunRef {
        int32_t start;
        uint32_t face;
    };
    int32_t Find(int32_t p) const;
    uint32_t FaceOf(const TFontObj& run);
    void FontChanged(const TFontObj& run);
    const TRunFace& FaceNo(uint32_t k) const { return k < kNearFaces ? nearFaces_[k] : farFaces_[k - kNearFaces]; }

    std::vector<RunRef> refs_;
    // Most paragraphs have one face: it needs no room of its own.
    static constexpr uint32_t kNearFaces = 1;
    std::array<TRunFace, kNearFaces> nearFaces_;
    std::vector<TRunFace> farFaces_;
    uint32_t faceCount_ = 0;
    mutable int32_t hint_ = 0;  // the run found last
};

}  // namespace htmlengine
