#include "htmlengine/PageFonts.h"

#include "htmlengine/MulDiv.h"
#include "htmlengine/SectionDocument.h"

#include <algorithm>

namespace htmlengine {

TFontObj::TFontObj(TSection* section, int32_t pos, const TMyFont& font, TextMeasurer& measurer)
    : Section(section), Pos(pos), measurer_(measurer) {
    SetFont(font);
}

void TFontObj::SetFont(const TMyFont& font) {
    font_ = font;
    FontMetrics m = measurer_.Metrics(font_);
    LineHeight = m.Height + m.ExternalLeading;
    FontHeight = m.Height;
    Overhang = m.Overhang;
    FontDescent = m.Descent;
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

TFontObj* TFontList::Add(std::unique_ptr<TFontObj> run) {
    starts_.push_back(run->Pos);
    return TFreeList::Add(std::move(run));
}

void TFontList::Reserve(size_t n) {
    TFreeList::Reserve(n);
    starts_.reserve(n);
}

TFontObj* TFontList::FontObjAt(int32_t p, int32_t* index) const {
    // Runs are ordered by Pos: the last one starting at or before p. Layout
    // and painting walk the text forward, so the run found last and the one
    // after it are tried first.
    const int32_t n = Count();
    auto covers = [&](int32_t k) { return starts_[size_t(k)] <= p && (k + 1 == n || starts_[size_t(k) + 1] > p); };
    int32_t at = std::min(hint_, n - 1);
    if (at >= 0 && !covers(at) && !(++at < n && covers(at))) {
        at = int32_t(std::upper_bound(starts_.begin(), starts_.end(), p) - starts_.begin()) - 1;
        at = std::max(at, 0);
    }
    hint_ = std::max(at, 0);
    if (index) *index = hint_;
    return n == 0 ? nullptr : (*this)[hint_];
}

TFontObj* TFontList::RunAt(int32_t p, int32_t len, int32_t& next) const {
    int32_t at = 0;
    TFontObj* run = FontObjAt(p, &at);
    // A p before the first run is covered by none, and the first run is the next.
    const size_t k = size_t(at);
    next = !run ? len : starts_[k] > p ? starts_[k] : k + 1 < starts_.size() ? starts_[k + 1] : len;
    return run;
}

int32_t TFontList::CharsToNextFont(int32_t p, int32_t len) const {
    int32_t next = len;
    RunAt(p, len, next);
    return next - p;
}

void TFontList::ReapplyDefaults(const SectionDocument& doc) {
    for (const auto& f : *this) f->ReapplyDefaults(doc);
}

}  // namespace htmlengine
