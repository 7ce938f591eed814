#include "htmlengine/PageFonts.h"

#include "htmlengine/MulDiv.h"
#include "htmlengine/SectionDocument.h"

#include <algorithm>

namespace htmlengine {

TFontObj::TFontObj(TSection* section, int32_t pos, const TMyFont& font, TextMeasurer& measurer)
    : Section(section), Pos(pos), font_(font), measurer_(measurer) {
    FontSet();
}

void TFontObj::SetFont(const TMyFont& font) {
    font_ = font;
    FontSet();
}

void TFontObj::FontSet() {
    FontMetrics m = measurer_.Metrics(font_);
    LineHeight = m.Height + m.ExternalLeading;
    FontHeight = m.Height;
    Overhang = m.Overhang;
    FontDescent = m.Descent;
    if (list_) list_->FontChanged(*this);
}

void TFontObj::LinkColorChanged(const SectionDocument& doc) {
    TMyFont f = font_;
    f.Color = LinkColor(doc) | PaletteRelative;
    SetFont(f);
}

void TFontObj::SetVisited(bool v, const SectionDocument& doc) {
    if (v == Visited) return;
    Visited = v;
    LinkColorChanged(doc);
}

void TFontObj::SetHover(bool h, const SectionDocument& doc) {
    if (h == Hover) return;
    Hover = h;
    LinkColorChanged(doc);
}

void TFontObj::ReapplyDefaults(const SectionDocument& doc) {
    TMyFont f = font_;
    f.Name = f.Fixed ? doc.PreFontName : doc.FontName;
    f.Charset = doc.FontCharset;
    f.Size = MulDiv(doc.FontSize, f.NormalSize, 12);
    f.Color = (UrlTarget.Url.empty() ? doc.FontColor : LinkColor(doc)) | PaletteRelative;
    SetFont(f);
}

TColor TFontObj::LinkColor(const SectionDocument& doc) const {
    return Hover ? doc.OverLinkColor : Visited ? doc.VisitedColor : doc.HotSpotColor;
}

void TFontObj::SetNormalSize(const SectionDocument& doc, int32_t n) {
    TMyFont f = font_;
    f.NormalSize = n;
    f.Size = MulDiv(doc.FontSize, n, 12);
    SetFont(f);
}

TFontObj* TFontList::Add(TSection* section, int32_t pos, const TMyFont& font, TextMeasurer& measurer) {
    TFontObj* run;
    if (!first_) {
        run = &first_.emplace(section, pos, font, measurer);
    } else {
        if (later_.empty()) later_.reserve(kFewRuns);
        run = later_.emplace_back(std::make_unique<TFontObj>(section, pos, font, measurer)).get();
    }
    run->list_ = this;
    AddRef({run->Pos, FaceOf(*run)});
    return run;
}

void TFontList::AddRef(const RunRef& ref) {
    if (++count_ == 1) {
        firstRef_ = ref;
        return;
    }
    if (moreRefs_.empty()) {
        moreRefs_.reserve(1 + kFewRuns);
        moreRefs_.push_back(firstRef_);
    }
    moreRefs_.push_back(ref);
    refs_ = moreRefs_.data();
}

// The colour is not part of measuring.
bool TFontList::MeasuresAs(const TRunFace& face, const TFontObj& run) {
    const TMyFont& f = run.TheFont();
    return face.Font.Size == f.Size && face.Font.Style == f.Style && face.Font.Charset == f.Charset &&
           face.Font.Name == f.Name && face.LineHeight == run.LineHeight && face.Overhang == run.Overhang &&
           face.FontDescent == run.FontDescent;
}

uint32_t TFontList::FaceOf(const TFontObj& run) {
    // Paragraphs switch among a few faces: those seen last are looked at. A
    // face seen long ago may come in twice, which costs only a little room.
    const uint32_t from = faceCount_ > 16 ? faceCount_ - 16 : 0;
    for (uint32_t k = faceCount_; k-- > from;) {
        if (MeasuresAs(FaceNo(k), run)) return k;
    }
    TRunFace face{run.TheFont(), run.LineHeight, run.Overhang, run.FontDescent};
    if (faceCount_ < kNearFaces) nearFaces_[faceCount_] = std::move(face);
    else farFaces_.push_back(std::move(face));
    return faceCount_++;
}

void TFontList::FontChanged(const TFontObj& run) {
    RunRef* refs = Refs();
    const int32_t k = Find(refs, run.Pos);
    if (k < 0) return;
    RunRef& ref = refs[k];
    // A change of colour (a link under the mouse, a visited one) keeps the face.
    if (ref.start == run.Pos && !MeasuresAs(FaceNo(ref.face), run)) ref.face = FaceOf(run);
}

int32_t TFontList::Find(const RunRef* refs, int32_t p) const {
    // Runs are ordered by Pos. Layout and painting walk the text forward, so
    // the run found last and the one after it are tried first.
    const int32_t n = count_;
    auto covers = [&](int32_t k) { return refs[k].start <= p && (k + 1 == n || refs[k + 1].start > p); };
    int32_t at = std::min(hint_, n - 1);
    if (at < 0 || covers(at) || (++at < n && covers(at))) return at;
    at = int32_t(std::upper_bound(refs, refs + n, p, [](int32_t q, const RunRef& r) { return q < r.start; }) - refs) - 1;
    if (at >= 0) hint_ = at;
    return at;
}

TFontObj* TFontList::FontObjAt(int32_t p, int32_t* index) const {
    const int32_t at = std::max(Find(Refs(), p), 0);
    hint_ = at;
    if (index) *index = at;
    return Empty() ? nullptr : (*this)[at];
}

const TRunFace& TFontList::FaceAt(int32_t p, int32_t len, int32_t& next) const {
    const RunRef* refs = Refs();
    const int32_t found = Find(refs, p);
    const int32_t k = std::max(found, 0);
    hint_ = k;
    // A p before the first run is covered by none, and the first run is the next.
    next = found < 0 ? refs[0].start : k + 1 < count_ ? refs[k + 1].start : len;
    return FaceNo(refs[k].face);
}

int32_t TFontList::CharsToNextFont(int32_t p, int32_t len) const {
    if (Empty()) return len - p;
    int32_t next = len;
    FaceAt(p, len, next);
    return next - p;
}

void TFontList::ReapplyDefaults(const SectionDocument& doc) {
    for (TFontObj* f : *this) f->ReapplyDefaults(doc);
}

}  // namespace htmlengine
