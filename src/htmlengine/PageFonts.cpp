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

TFontObj* TFontList::FontObjAt(int32_t p, int32_t* index) const {
    // Runs are ordered by Pos: the last one starting at or before p. Layout
    // and painting walk the text forward, so the run found last and the one
    // after it are tried first.
    const int32_t n = Count();
    auto covers = [&](int32_t k) { return (*this)[k]->Pos <= p && (k + 1 == n || (*this)[k + 1]->Pos > p); };
    int32_t at = std::min(hint_, n - 1);
    if (at >= 0 && (covers(at) || (++at < n && covers(at)))) {
        hint_ = at;
        if (index) *index = at;
        return (*this)[at];
    }
    int32_t lo = 0, hi = n - 1;
    at = 0;
    while (lo <= hi) {
        const int32_t mid = (lo + hi) / 2;
        if ((*this)[mid]->Pos <= p) {
            at = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    hint_ = at;
    if (index) *index = at;
    return Empty() ? nullptr : (*this)[at];
}

int32_t TFontList::CharsToNextFont(int32_t p, int32_t len) const {
    int32_t at = 0;
    if (!FontObjAt(p, &at)) return len - p;
    // The run covering p is the last one starting at or before it; a p before
    // the first run is covered by none, and the first run is the next.
    if ((*this)[at]->Pos > p) return (*this)[at]->Pos - p;
    return at + 1 < Count() ? (*this)[at + 1]->Pos - p : len - p;
}

void TFontList::ReapplyDefaults(const SectionDocument& doc) {
    for (const auto& f : *this) f->ReapplyDefaults(doc);
}

}  // namespace htmlengine
