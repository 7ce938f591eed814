#include "htmlengine/PageCells.h"

#include "htmlengine/HtmlSymbols.h"
#include "htmlengine/MulDiv.h"
#include "htmlengine/TableColumns.h"

#include <algorithm>

namespace htmlengine {

// ---- cells

void TCell::Add(std::unique_ptr<TSectionBase> section) {
    if (!section) return;
    section->Finish();
    TSectionBase* s = TFreeList::Add(std::move(section));
    s->SetDocument(Document);
}

void TCell::ReapplyFonts() {
    for (const auto& s : *this) s->ReapplyFonts();
}

int32_t TCell::LayoutAt(TextMeasurer& m, int32_t y, int32_t& index, int32_t& maxWidth, int32_t width) {
    Indents.Clear();
    Indents.Reset(0, width);
    Indents.AvailWidth = width;
    LayoutY = y;
    FirstIndex = index;
    int32_t height = 0;
    maxWidth = 0;
    for (int32_t i = 0; i < Count();) {
        try {
            Indents.Prune(y + height);
            int32_t w = 0;
            height += (*this)[i]->LayoutAt(m, y + height, index, w, Indents);
            maxWidth = std::max(maxWidth, w);
            ++i;
        } catch (const EProcessError& e) {
            Drop(i, e);
        }
    }
    CellLen = index - FirstIndex;
    return std::max(height, Indents.FloatsBottom() - y);
}

void TCell::Drop(int32_t i, const EProcessError& e) {
    // The section leaves the page but stays the document's: lists may still point into it.
    std::unique_ptr<TSectionBase> dropped = Take(i);
    if (Document) {
        if (Document->OnLayoutError) Document->OnLayoutError(e.what());
        Document->Adopt(std::move(dropped));
    }
}

void TCell::WidthRange(TextMeasurer& m, int32_t& min, int32_t& max) {
    min = max = 0;
    for (int32_t i = 0; i < Count();) {
        int32_t a = 0, b = 0;
        try {
            (*this)[i]->WidthRange(m, a, b);
        } catch (const EProcessError& e) {
            Drop(i, e);
            continue;
        }
        min = std::max(min, a);
        max = std::max(max, b);
        ++i;
    }
}

int32_t TCell::PaintAt(Canvas& canvas, const TRect& clip, int32_t y, int32_t x, int32_t clipWidth) {
    Indents.Reset(x, x + Indents.AvailWidth);
    Indents.ClipWidth = clipWidth;
    for (const auto& s : *this) y = s->PaintAt(canvas, clip, y, x, Indents);
    return y;
}

bool TCell::UrlAtPoint(TextMeasurer& m, int32_t x, int32_t y, TFormControlObj*& control, TUrlTarget& target) {
    int32_t top = 0;
    for (const auto& s : *this) {
        if (y >= top && y < top + s->DrawHeight && s->UrlAtPoint(m, x, y - top, control, target)) return true;
        top += s->Height;
    }
    return false;
}

bool TCell::ImageAtPoint(int32_t x, int32_t y, int32_t& ix, int32_t& iy, TImageObj*& image) {
    int32_t top = 0;
    for (const auto& s : *this) {
        if (y >= top && y < top + s->DrawHeight && s->ImageAtPoint(x, y - top, ix, iy, image)) return true;
        top += s->Height;
    }
    return false;
}

TSectionBase* TCell::SectionAt(int32_t y, int32_t& top, int32_t& number) {
    top = 0;
    for (int32_t i = 0; i < Count(); ++i) {
        TSectionBase* s = (*this)[i];
        if (top + s->Height > y) {
            number = i;
            return s;
        }
        top += s->Height;
    }
    return nullptr;
}

int32_t TCell::CursorFromPoint(TextMeasurer& m, int32_t x, int32_t y, bool& inText, int32_t& lineHeight,
                               int32_t& lineY, int32_t& caretX, TCell*& cell) {
    int32_t top = 0, number = 0;
    TSectionBase* s = SectionAt(y, top, number);
    if (!s) return -1;
    cell = nullptr;
    const int32_t r = s->CursorFromPoint(m, x, y - top, inText, lineHeight, lineY, caretX);
    lineY += top;
    if (r >= 0 && !cell) cell = this;
    return r;
}

int32_t TCell::FindTextFrom(int32_t start, std::string_view text, bool matchCase) {
    for (const auto& s : *this) {
        if (int32_t r = s->FindTextFrom(start, text, matchCase); r >= 0) return r;
    }
    return -1;
}

int32_t TCell::DisplayToSource(int32_t index) {
    for (const auto& s : *this) {
        if (int32_t r = s->DisplayToSource(index); r >= 0) return r;
    }
    return -1;
}

int32_t TCell::SourceToDisplay(int32_t offset, bool fromEnd) {
    for (int32_t k = 0; k < Count(); ++k) {
        TSectionBase* s = (*this)[fromEnd ? Count() - 1 - k : k];
        if (int32_t r = s->SourceToDisplay(offset, fromEnd); r >= 0) return r;
    }
    return -1;
}

bool TCell::CaretPoint(TextMeasurer& m, int32_t index, int32_t& y, int32_t& x) {
    for (const auto& s : *this) {
        if (s->CaretPoint(m, index, y, x)) return true;
    }
    return false;
}

bool TCell::CharAt(int32_t index, char& ch, TSectionBase*& section) {
    if (index < FirstIndex || index > FirstIndex + CellLen) return false;
    for (const auto& s : *this) {
        if (s->CharAt(index, ch, section)) return true;
    }
    return false;
}

void TCell::CopySelected() {
    if (!Document || Document->SelStart >= Document->SelEnd) return;
    for (const auto& s : *this) {
        if (s->FirstIndex >= Document->SelEnd) break;
        if (s->FirstIndex + s->Len >= Document->SelStart) s->CopySelectedText();
    }
}

// ---- table cells and rows

TCellObj::TCellObj(TSectionList* document, const TAttributeList& attributes, uint8_t valign)
    : VAlign(valign), Cell(document) {
    for (const auto& a : attributes) {
        switch (a->Symbol) {
        // One more column than a table may have is enough to reject it.
        case ColSpanSy:
            if (a->IntValue > 1) ColSpan = std::min(a->IntValue, MaxTableColumns + 1);
            break;
        case RowSpanSy:
            if (a->IntValue > 1) RowSpan = a->IntValue;
            break;
        case WidthSy:
            if (a->StrValue.find('%') != std::string::npos) {
                if (a->IntValue >= 1 && a->IntValue <= 100) {
                    SpecWidth = a->IntValue * 10;
                    WidthIsPercent = true;
                }
            } else if (a->IntValue > 0) {
                SpecWidth = std::min(a->IntValue, MaxPixelSize);
                WidthIsPercent = false;
            }
            break;
        case HeightSy: SpecHeight = ClampSize(a->IntValue, 0, MaxPixelSize); break;
        case BgColorSy:
            if (auto c = ParseColorValue(a->StrValue)) {
                Cell->HasBgColor = true;
                Cell->BgColor = *c | PaletteRelative;
            }
            break;
        default: break;
        }
    }
}

TCellList::TCellList(const TAttributeList* attributes) {
    if (!attributes) return;
    if (TAttribute* a = FindAttributeBySymbol(*attributes, BgColorSy)) {
        if (auto c = ParseColorValue(a->StrValue)) {
            HasBgColor = true;
            BgColor = *c | PaletteRelative;
        }
    }
}

// ---- the document

TSectionList::TSectionList() : TCell(this) {}

TSectionList::~TSectionList() { ClearDocument(); }

void TSectionList::Adopt(std::unique_ptr<TSectionBase> section) {
    if (section) Orphans.Add(std::move(section));
}

void TSectionList::ClearDocument() {
    if (bgTaken_) ReleaseImage(BgImageName);
    bgTaken_ = false;
    BgPicture = nullptr;
    BgImageName.clear();
    BgRequested = false;
    // Observers first: nothing may point into freed sections.
    AllControls.clear();
    LinkList.clear();
    ActiveLink = nullptr;
    ActiveImage = nullptr;
    SelStart = SelEnd = 0;
    MapList.Clear();
    Clear();
    Orphans.Clear();
    Forms.clear();  // after their controls
    Runs.Clear();   // no run is left
}

void TSectionList::SetDocumentDefaults(const std::string& fontName, const std::string& preFontName,
                                       bool linksActive, TColor background, TColor overLinkColor,
                                       TColor visitedColor, TColor hotSpotColor, TColor fontColor,
                                       int32_t fontSize) {
    FontName = fontName.substr(0, 33);
    PreFontName = preFontName.substr(0, 33);
    LinksActive = linksActive;
    OverLinkColor = overLinkColor;
    VisitedColor = visitedColor;
    HotSpotColor = hotSpotColor;
    FontColor = fontColor;
    FontSize = fontSize;
    SetBackground(background);
    ReapplyFonts();
}

void TSectionList::SetBackground(TColor color) {
    Background = color;
    if (OnBackgroundChanged) OnBackgroundChanged(color);
}

void TSectionList::SetBackgroundImage(const std::string& name) {
    if (bgTaken_) ReleaseImage(BgImageName);
    bgTaken_ = false;
    BgPicture = nullptr;
    BgImageName = name;
    BgRequested = false;
}

void TSectionList::SetYOffset(int32_t y) {
    if (y == YOffset) return;
    YOffset = y;
    ControlsMoved = true;
    for (TFormControlObj* c : AllControls) c->Shown = false;
}

void TSectionList::ClearActive() {
    if ((ActiveLink || ActiveImage) && OnInvalidate) OnInvalidate();
    if (ActiveLink) ActiveLink->SetHover(false, *this);
    if (ActiveImage) ActiveImage->SetHover(false);
    ActiveLink = nullptr;
    ActiveImage = nullptr;
}

int32_t TSectionList::TopOfSection(int32_t n) const {
    int32_t y = 0;
    const int32_t last = std::min(n - 1, Count() - 2);
    for (int32_t i = 0; i <= last; ++i) y += (*this)[i]->Height;
    return y;
}

ImagePicture* TSectionList::GetBackground() {
    if (ShowImages && !BgImageName.empty() && !BgRequested && !BgPicture) {
        BgImageName = ExpandImageName(BgImageName);
        uint8_t transparent = 0;
        BgPicture = FetchImage(BgImageName, transparent);
        bgTaken_ = BgPicture != nullptr;
    }
    BgRequested = true;
    return BgPicture;
}

std::string TSectionList::ExpandImageName(const std::string& source) {
    return OnExpandName ? OnExpandName(source) : source;
}

const TMapItem* TSectionList::FindMap(const std::string& name) const {
    for (const auto& m : MapList) {
        if (m->MapKey == name) return m.get();
    }
    return nullptr;
}

int32_t TSectionList::LayoutAt(TextMeasurer& m, int32_t y, int32_t& index, int32_t& maxWidth, int32_t width) {
    for (const auto& form : Forms) form->SizeControls(m);
    const int32_t height = TCell::LayoutAt(m, y, index, maxWidth, width);
    ParkHiddenControls();
    return height;
}

int32_t TSectionList::LayoutDocument(int32_t width, int32_t* maxWidth) {
    int32_t index = 0, w = 0;
    const int32_t height = LayoutAt(*Measurer, 0, index, w, std::clamp(width, 0, MaxDocumentWidth));
    if (maxWidth) *maxWidth = w;
    return height;
}

int32_t TSectionList::PaintAt(Canvas& canvas, const TRect& clip, int32_t y, int32_t x, int32_t clipWidth) {
    DrawBottom = YOffset + clip.Bottom;
    // Every paint decides anew which controls are in view, also after a relayout.
    for (TFormControlObj* c : AllControls) c->Shown = false;
    const int32_t next = TCell::PaintAt(canvas, clip, y, x, clipWidth);
    ParkHiddenControls();
    ControlsMoved = false;
    return next;
}

void TSectionList::ParkHiddenControls() {
    bool focused = false;
    for (TFormControlObj* c : AllControls) focused = focused || (c->Widget && c->Widget->Focused());
    for (TFormControlObj* c : AllControls) {
        if (c->Shown || !c->Widget) continue;
        if (focused) c->ParkOutOfSight();
        else c->Widget->SetVisible(false);
    }
}

bool TSectionList::UrlAtPoint(TextMeasurer& m, int32_t x, int32_t y, TFormControlObj*& control,
                              TUrlTarget& target) {
    TFontObj* oldLink = ActiveLink;
    TImageObj* oldImage = ActiveImage;
    ActiveLink = nullptr;
    ActiveImage = nullptr;
    const bool hit = TCell::UrlAtPoint(m, x, y, control, target);
    if (LinksActive && ActiveLink != oldLink) {
        if (oldLink) oldLink->SetHover(false, *this);
        if (ActiveLink) ActiveLink->SetHover(true, *this);
        if (OnInvalidate) OnInvalidate();
    }
    if (ActiveImage != oldImage) {
        if (oldImage) oldImage->SetHover(false);
        if (ActiveImage) ActiveImage->SetHover(true);
        if (OnInvalidate) OnInvalidate();
    }
    return hit;
}

}  // namespace htmlengine
