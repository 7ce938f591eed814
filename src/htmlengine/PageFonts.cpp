#include "htmlengine/PageFonts.h"

#include "htmlengine/MulDiv.h"
#include "htmlengine/PageSubs.h"
#include "htmlengine/SectionDocument.h"

#include <algorithm>
#include <functional>

namespace htmlengine {

// ---- what runs share

size_t TRunTable::Hash::operator()(const TRunFace& f) const {
    const TMyFont& font = f.Font;
    size_t h = std::hash<std::string>()(font.Name);
    for (uint64_t v : {uint64_t(uint32_t(font.Size)), uint64_t(font.Style) << 8 | font.Charset | uint64_t(font.Fixed) << 16,
                       uint64_t(font.Color), uint64_t(uint32_t(font.NormalSize)), uint64_t(uintptr_t(f.Measurer))}) {
        h = (h ^ std::hash<uint64_t>()(v)) * 0x100000001B3ull;
    }
    return h;
}

bool TRunTable::Same::operator()(const TRunFace& a, const TRunFace& b) const {
    return a.Measurer == b.Measurer && a.Font.NormalSize == b.Font.NormalSize && a.Font.Fixed == b.Font.Fixed &&
           static_cast<const FontSpec&>(a.Font) == static_cast<const FontSpec&>(b.Font);
}

const TRunFace* TRunTable::Face(const TMyFont& font, TextMeasurer& measurer) {
    TRunFace face{font, &measurer};
    if (lastFace_ && Same()(*lastFace_, face)) return lastFace_;
    auto it = faces_.find(face);
    if (it == faces_.end()) {
        const FontMetrics m = measurer.Metrics(font);
        face.LineHeight = m.Height + m.ExternalLeading;
        face.FontHeight = m.Height;
        face.Overhang = m.Overhang;
        face.FontDescent = m.Descent;
        face.Index = static_cast<uint32_t>(byIndex_.size());
        it = faces_.insert(std::move(face)).first;
        byIndex_.push_back(&*it);
    }
    return lastFace_ = &*it;
}

const TUrlTarget* TRunTable::Link(const TUrlTarget& link) {
    if (link.Url.empty() && link.Target.empty()) return nullptr;
    if (links_.empty() || links_.back().Url != link.Url || links_.back().Target != link.Target) links_.push_back(link);
    return &links_.back();
}

void TRunTable::Clear() {
    faces_.clear();
    byIndex_.clear();
    lastFace_ = nullptr;
    links_.clear();
}

// ---- runs

TFontObj::TFontObj(TSection* section, int32_t pos, const TMyFont& font, TextMeasurer& measurer)
    : Section(section), Pos(pos), face_(section->Document->Runs.Face(font, measurer)) {}

TRunTable& TFontObj::Table() const { return Section->Document->Runs; }

const TUrlTarget& TFontObj::UrlTarget() const {
    static const TUrlTarget none;
    return link_ ? *link_ : none;
}

void TFontObj::SetUrlTarget(const TUrlTarget& link) { link_ = Table().Link(link); }

void TFontObj::SetFont(const TMyFont& font) {
    face_ = Table().Face(font, *face_->Measurer);
    if (inList_) Section->Fonts.FontChanged(*this);
}

void TFontObj::LinkColorChanged(const SectionDocument& doc) {
    TMyFont f = TheFont();
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
    TMyFont f = TheFont();
    f.Name = f.Fixed ? doc.PreFontName : doc.FontName;
    f.Charset = doc.FontCharset;
    f.Size = MulDiv(doc.FontSize, f.NormalSize, 12);
    f.Color = (UrlTarget().Url.empty() ? doc.FontColor : LinkColor(doc)) | PaletteRelative;
    SetFont(f);
}

TColor TFontObj::LinkColor(const SectionDocument& doc) const {
    return Hover ? doc.OverLinkColor : Visited ? doc.VisitedColor : doc.HotSpotColor;
}

void TFontObj::SetNormalSize(const SectionDocument& doc, int32_t n) {
    TMyFont f = TheFont();
    f.NormalSize = n;
    f.Size = MulDiv(doc.FontSize, n, 12);
    SetFont(f);
}

// ---- the list of a section

TFontObj* TFontList::Add(TSection* section, int32_t pos, const TMyFont& font, TextMeasurer& measurer) {
    TFontObj* run;
    if (Empty()) {
        first_ = TFontObj(section, pos, font, measurer);
        run = &first_;
    } else {
        if (!more_) {
            more_ = std::make_unique<More>();
            more_->refs.push_back({first_.Pos, first_.face_});
        }
        run = more_->later.emplace_back(new TFontObj(section, pos, font, measurer)).get();
        more_->refs.push_back({run->Pos, run->face_});
    }
    run->inList_ = true;
    return run;
}

void TFontList::FontChanged(const TFontObj& run) {
    if (!more_) return;
    const int32_t k = Find(run.Pos);
    if (k >= 0 && more_->refs[static_cast<size_t>(k)].start == run.Pos) more_->refs[static_cast<size_t>(k)].face = run.face_;
}

// Inlined: layout asks for every piece of text it measures.
[[gnu::always_inline]] inline int32_t TFontList::Find(int32_t p) const {
    // Runs are ordered by Pos. Layout and painting walk the text forward, so
    // the run found last and the one after it are tried first.
    More& more = *more_;
    const RunRef* refs = more.refs.data();
    const int32_t n = static_cast<int32_t>(more.refs.size());
    auto covers = [&](int32_t k) { return refs[k].start <= p && (k + 1 == n || refs[k + 1].start > p); };
    int32_t at = std::min(more.hint, n - 1);
    if (at < 0 || covers(at) || (++at < n && covers(at))) return at;
    at = int32_t(std::upper_bound(refs, refs + n, p, [](int32_t q, const RunRef& r) { return q < r.start; }) - refs) - 1;
    if (at >= 0) more.hint = at;
    return at;
}

TFontObj* TFontList::FontObjAt(int32_t p, int32_t* index) const {
    if (!more_) {
        if (index) *index = 0;
        return Empty() ? nullptr : &first_;
    }
    const int32_t at = std::max(Find(p), 0);
    more_->hint = at;
    if (index) *index = at;
    return (*this)[at];
}

const TRunFace& TFontList::FaceAt(int32_t p, int32_t len, int32_t& next) const {
    if (!more_) {
        // A p before the first run is covered by none, and the first run is the next.
        next = p < first_.Pos ? first_.Pos : len;
        return *first_.face_;
    }
    More& more = *more_;
    const RunRef* refs = more.refs.data();
    const int32_t found = Find(p);
    const int32_t k = std::max(found, 0);
    more.hint = k;
    next = found < 0 ? refs[0].start : k + 1 < static_cast<int32_t>(more.refs.size()) ? refs[k + 1].start : len;
    return *refs[k].face;
}

int32_t TFontList::CharsToNextFont(int32_t p, int32_t len) const {
    if (Empty()) return len - p;
    int32_t next = len;
    FaceAt(p, len, next);
    return next - p;
}

uint32_t TFontList::FaceCount() const {
    std::vector<const TRunFace*> faces;
    for (const TFontObj* run : *this) {
        const TRunFace& f = run->Face();
        auto measuresAs = [&](const TRunFace* g) {
            return g->Font.Name == f.Font.Name && g->Font.Size == f.Font.Size && g->Font.Style == f.Font.Style &&
                   g->Font.Charset == f.Font.Charset;
        };
        if (std::none_of(faces.begin(), faces.end(), measuresAs)) faces.push_back(&f);
    }
    return static_cast<uint32_t>(faces.size());
}

void TFontList::ReapplyDefaults(const SectionDocument& doc) {
    for (TFontObj* f : *this) f->ReapplyDefaults(doc);
}

}  // namespace htmlengine
