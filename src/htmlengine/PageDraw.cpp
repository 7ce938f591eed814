// Painting of text sections and the position questions answered from what
// the last paint recorded (line and image draw positions).
#include "htmlengine/PageSbs1.h"
#include "htmlengine/PageSubs.h"
#include "htmlengine/SectionDocument.h"

#include <algorithm>

namespace htmlengine {

namespace {

constexpr int32_t MaxRunChars = 32000;

std::string Roman(int32_t n) {
    static const struct {
        int32_t value;
        const char* digits;
    } kRows[] = {{10, "X"}, {9, "IX"}, {5, "V"}, {4, "IV"}, {1, "I"}};
    std::string r;
    for (const auto& row : kRows) {
        while (n >= row.value) {
            r += row.digits;
            n -= row.value;
        }
    }
    return r;
}

std::string LowerCopy(std::string s) {
    for (char& c : s) c = static_cast<char>(AnsiLowerByte(static_cast<uint8_t>(c)));
    return s;
}

}  // namespace

uint8_t AnsiUpperByte(uint8_t c) {
    if (c >= 'a' && c <= 'z') return static_cast<uint8_t>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<uint8_t>(c - 32);
    switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return c;
    }
}

uint8_t AnsiLowerByte(uint8_t c) {
    if (c >= 'A' && c <= 'Z') return static_cast<uint8_t>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<uint8_t>(c + 32);
    switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
    }
}

std::string ListMarkerLabel(char style, int32_t n) {
    // Letters and numerals have no form for 0 and below: those items count decimally.
    if (n >= 1 && (style == 'A' || style == 'a')) {
        return std::string(1, static_cast<char>(style + std::min(n - 1, 25))) + ".";
    }
    if (n >= 1 && (style == 'I' || style == 'i')) {
        std::string r = Roman(std::min(n, 20));
        return (style == 'i' ? LowerCopy(r) : r) + ".";
    }
    return std::to_string(n) + ".";
}

bool FilledBulletBackground(TColor background, const SystemColors& system) {
    // Literal values: a page colour carries the palette flag and is not "white" here.
    return background == clBtnFace || background == clWhite || background == clSilver ||
           (background == clWindow && system.Get(COLOR_WINDOW) == clWhite);
}

// ---- painting

int32_t TSection::PaintAt(Canvas& canvas, const TRect& clip, int32_t y, int32_t x, IndentManagerBasic& indents) {
    const int32_t result = y + Height;
    if (Len == 0 || !Document) return result;
    const int32_t yo = Document->YOffset;
    if (y - yo >= clip.Bottom || y + DrawHeight - yo <= clip.Top) return result;
    int32_t top = y;
    for (size_t n = 0; n < Lines.size(); ++n) {
        LineRec& line = Lines[n];
        const int32_t h = line.SpaceAbove + line.TextHeight + line.SpaceBelow;
        if (top - yo < clip.Bottom && top - yo + line.LineDrawHeight > clip.Top) {
            const int32_t bandBottom = top + line.SpaceAbove + line.TextHeight;
            if (n == 0 && (MarkerKind == 1 || MarkerKind == 2)) {
                DrawMarker(canvas, MarkerX + x, bandBottom - line.Descent, bandBottom, line.TextHeight);
            }
            DrawRuns(canvas, line, top, x, indents);
        }
        top += h;
    }
    return result;
}

void TSection::DrawMarker(Canvas& canvas, int32_t b, int32_t baseline, int32_t bandBottom, int32_t textHeight) {
    const int32_t yo = Document->YOffset;
    if (MarkerKind == 1) {
        const auto* item = dynamic_cast<const TOListItem*>(this);
        const std::string label = ListMarkerLabel(item ? item->Style : '1', ItemNumber);
        const int32_t w = canvas.Measurer().TextWidth(DefaultFont(), label);
        canvas.TextOut(b - w - 5, baseline - yo, label, DefaultFont(), TextAnchor::Baseline);
        return;
    }
    const auto* item = dynamic_cast<const TUListItem*>(this);
    if (item && item->Plain) return;
    const int32_t bx = b - 8;
    const int32_t by = bandBottom - textHeight / 2 - yo;
    const TRect box{bx - 2, by - 2, bx + 3, by + 3};
    if (FilledBulletBackground(Document->Background, canvas.System())) {
        std::optional<TColor> pen = clBlack, brush = clWhite;  // what a fresh canvas holds
        switch (ListLevel) {
        case 1:
        case 4: pen = brush = 0x800000; break;
        case 2:
        case 5: pen = brush = 0x000080; break;
        case 0:
        case 3: pen = brush = 0x0000FF; break;
        default: break;
        }
        canvas.Ellipse(box, pen, brush);
    } else {
        canvas.Ellipse(box, Document->FontColor, std::nullopt);
    }
}

void TSection::DrawRuns(Canvas& canvas, LineRec& line, int32_t top, int32_t cellX, const IndentManagerBasic& im) {
    SectionDocument& doc = *Document;
    TextMeasurer& m = canvas.Measurer();
    const int32_t yo = doc.YOffset;
    const int32_t bandBottom = top + line.SpaceAbove + line.TextHeight;
    const int32_t baseline = bandBottom - line.Descent;
    int32_t x = cellX + line.LineX;
    line.DrawX = x;
    line.DrawY = bandBottom - line.TextHeight;
    bool drawnBefore = false;
    const bool selecting = doc.SelEnd >= doc.SelStart;
    const bool caretMark = doc.ShowDummyCaret && doc.SelStart == doc.SelEnd;
    const int32_t end = line.Start + line.CharCount;
    int32_t i = line.Start;
    while (i < end) {
        const char c = Chars[i];
        if (c == ImageChar || c == NoBreakImageChar) {
            if (TImageObj* img = Images.ImageAt(i)) {
                TFontObj* run = Fonts.FontObjAt(i);
                if (img->Floats()) {
                    img->DrawImage(canvas, cellX + img->FloatX, run, baseline, drawnBefore ? bandBottom : top);
                } else {
                    img->DrawImage(canvas, x + img->HSpace, run, baseline, bandBottom - line.TextHeight);
                    x += img->ImageWidth + 2 * img->HSpace;
                    drawnBefore = true;
                }
            }
            ++i;
            continue;
        }
        if (c == ControlChar || c == NoBreakControlChar) {
            TFormControlObj* ctl = ControlAt(Controls, i);
            if (ctl && ctl->Widget) {
                ctl->Shown = true;
                ctl->PrepareToShow();
                ctl->Widget->SetTop((ctl->OnBaseline ? baseline : bandBottom) - ctl->Height() - yo);
                ctl->Widget->SetLeft(x);
                ctl->Widget->SetVisible(true);
                x += ctl->Width();
            }
            drawnBefore = true;
            ++i;
            continue;
        }
        const int32_t docIndex = FirstIndex + i;
        int32_t j = i + std::min(TextRunLength(i, end), MaxRunChars);
        bool selected = false;
        if (selecting) {
            if (docIndex < doc.SelStart) {
                j = std::min(j, doc.SelStart - FirstIndex);
            } else if (docIndex < doc.SelEnd) {
                j = std::min(j, doc.SelEnd - FirstIndex);
                selected = true;
            }
            if (caretMark && docIndex == doc.SelStart) j = i + 1;
        }
        TFontObj* run = Fonts.FontObjAt(i);
        const TMyFont& font = run->TheFont();
        std::string text = Chars.substr(static_cast<size_t>(i), static_cast<size_t>(j - i));
        std::replace(text.begin(), text.end(), NoBreakBlank, ' ');
        int32_t ty = baseline - yo;
        if (!IsPreformatted()) {
            if (run->Script == 1) ty += run->FontDescent() / 2 + 1;
            else if (run->Script == 2) ty -= run->LineHeight() / 3;
        }
        const TRect clip{cellX, top - yo, cellX + im.ClipWidth, bandBottom + 1 - yo};
        const TRect* clipPtr = IsPreformatted() ? &clip : nullptr;
        if (selected) {
            FontSpec inverted = font;
            inverted.Color = doc.Background;
            canvas.TextOut(x - run->Overhang() / 2, ty, text, inverted, TextAnchor::Baseline, font.Color, clipPtr);
        } else {
            canvas.TextOut(x - run->Overhang() / 2, ty, text, font, TextAnchor::Baseline, std::nullopt, clipPtr);
            if (caretMark && docIndex == doc.SelStart) {
                const int32_t bottom = baseline - yo + run->FontDescent();
                canvas.FillRect({x - run->Overhang(), bottom - run->LineHeight(), x - run->Overhang() + 1, bottom},
                                font.Color);
            }
        }
        x += m.TextWidth(font, text) - run->Overhang();
        drawnBefore = true;
        i = j;
    }
}

// ---- hit tests

LineRec* TSection::LineAtY(int32_t y, int32_t& top) {
    top = 0;
    for (LineRec& line : Lines) {
        const int32_t h = line.SpaceAbove + line.TextHeight + line.SpaceBelow;
        if (y >= top && y < top + h) return &line;
        top += h;
    }
    return nullptr;
}

int32_t TSection::CharsAtX(TextMeasurer& m, int32_t x, int32_t count, int32_t start) const {
    int32_t used = 0;
    const int32_t end = start + count;
    int32_t i = start;
    while (i < end) {
        const char c = Chars[i];
        if (IsObjectChar(c)) {
            int32_t w = 0;
            if (c == ImageChar || c == NoBreakImageChar) {
                TImageObj* img = Images.ImageAt(i);
                if (img && !img->Floats()) w = img->ImageWidth + 2 * img->HSpace;
            } else {
                w = std::max(0, ControlWidthAt(Controls, i));
            }
            if (used + w > x) return i - start;
            used += w;
            ++i;
            continue;
        }
        bool all = false;
        int32_t runWidth = 0;
        const int32_t fit = FitRun(m, i, end, x - used, all, runWidth);
        if (!all) return i - start + fit;
        used += runWidth;
        i += fit;
    }
    return count;
}

bool TSection::UrlAtPoint(TextMeasurer& m, int32_t x, int32_t y, TFormControlObj*& control, TUrlTarget& target) {
    if (!Document) return false;
    SectionDocument& doc = *Document;
    if (!Images.Empty()) {
        int32_t ix = 0, iy = 0;
        if (TImageObj* img = Images.ImageHit(x, y + Top, ix, iy)) {
            doc.ActiveImage = img;
            if (img->FormControl) {
                img->FormControl->SetClickPoint(ix, iy);
                control = img->FormControl;
                return true;
            }
            if (img->UsesMap) {
                if (const TMapItem* map = doc.FindMap(img->UseMapName)) {
                    std::unique_ptr<TUrlTarget> area = map->HitTest(ix, iy);
                    if (!area) return false;
                    target = *area;
                    return true;
                }
            }
            TFontObj* run = Fonts.FontObjAt(img->Pos);
            if (!run || run->UrlTarget().Url.empty()) return false;
            target = run->UrlTarget();
            doc.ActiveLink = run;
            if (img->IsMap) target.Url += "?" + std::to_string(ix) + "," + std::to_string(iy);
            return true;
        }
    }
    int32_t top = 0;
    LineRec* line = LineAtY(y, top);
    if (!line || x < line->DrawX) return false;
    const int32_t e = CharsAtX(m, x - line->DrawX, line->CharCount, line->Start);
    if (e >= line->CharCount) return false;
    const int32_t p = line->Start + e;
    if (Chars[p] == ImageChar || Chars[p] == NoBreakImageChar) return false;
    TFontObj* run = Fonts.FontObjAt(p);
    if (!run || run->UrlTarget().Url.empty()) return false;
    target = run->UrlTarget();
    doc.ActiveLink = run;
    return true;
}

bool TSection::ImageAtPoint(int32_t x, int32_t y, int32_t& ix, int32_t& iy, TImageObj*& image) {
    if (Images.Empty()) return false;
    image = Images.ImageHit(x, y + Top, ix, iy);
    return image != nullptr;
}

int32_t TSection::CursorFromPoint(TextMeasurer& m, int32_t x, int32_t y, bool& inText, int32_t& lineHeight,
                                  int32_t& lineY, int32_t& caretX) {
    int32_t top = 0;
    LineRec* line = LineAtY(y, top);
    if (!line) return -1;
    inText = true;
    lineHeight = line->TextHeight;
    lineY = top + line->SpaceAbove;
    if (x < line->DrawX) {
        inText = false;
        caretX = line->DrawX;
        return FirstIndex + line->Start;
    }
    int32_t e = CharsAtX(m, x - line->DrawX, line->CharCount, line->Start);
    const int32_t before = TextWidth(m, line->Start, false, e);
    caretX = line->DrawX + before;
    if (e < line->CharCount) {
        const int32_t w = TextWidth(m, line->Start + e, false, 1);
        if (before + w / 2 < x - line->DrawX) {
            ++e;
            caretX += w;
        }
    }
    if (e >= line->CharCount) inText = false;
    return FirstIndex + line->Start + e;
}

bool TSection::CaretPoint(TextMeasurer& m, int32_t index, int32_t& y, int32_t& x) {
    const int32_t i = index - FirstIndex;
    if (Len == 0 || i < 0 || i > Len || Lines.empty()) return false;
    y = Top;
    for (size_t n = 0; n < Lines.size(); ++n) {
        const LineRec& line = Lines[n];
        // The end of the section sits at the end of its last line.
        if (i < line.Start + line.CharCount || n + 1 == Lines.size()) {
            x = line.DrawX + TextWidth(m, line.Start, false, std::clamp(i - line.Start, 0, line.CharCount));
            return true;
        }
        y += line.SpaceAbove + line.TextHeight + line.SpaceBelow;
    }
    return false;
}

bool TSection::CharAt(int32_t index, char& ch, TSectionBase*& section) {
    const int32_t i = index - FirstIndex;
    if (i < 0 || i >= Len) return false;
    ch = Chars[static_cast<size_t>(i)];
    section = this;
    return true;
}

// ---- text

int32_t TSection::FindTextFrom(int32_t start, std::string_view text, bool matchCase) {
    if (Len == 0 || text.empty() || start >= FirstIndex + Len) return -1;
    const size_t from = static_cast<size_t>(std::max(0, start - FirstIndex));
    if (matchCase) {
        const size_t p = Chars.find(text, from);
        return p == std::string::npos ? -1 : FirstIndex + static_cast<int32_t>(p);
    }
    const size_t n = std::min<size_t>(text.size(), 255);
    const uint8_t first = static_cast<uint8_t>(text[0]);
    const char lo = static_cast<char>(AnsiLowerByte(first)), up = static_cast<char>(AnsiUpperByte(first));
    for (size_t p = from;; ++p) {
        const size_t a = Chars.find(lo, p), b = Chars.find(up, p);
        p = std::min(a, b);
        if (p == std::string::npos || Chars.size() - p < n) return -1;
        size_t k = 1;
        while (k < n && AnsiUpperByte(static_cast<uint8_t>(Chars[p + k])) ==
                            AnsiUpperByte(static_cast<uint8_t>(text[k]))) {
            ++k;
        }
        if (k == n) return FirstIndex + static_cast<int32_t>(p);
    }
}

int32_t TSection::DisplayToSource(int32_t index) {
    const int32_t i = index - FirstIndex;
    if (Len == 0 || i < 0 || i >= Len || IndexMap.empty()) return -1;
    const IndexObj* found = nullptr;
    for (const IndexObj& r : IndexMap) {
        if (r.Pos <= i) found = &r;
    }
    return found ? i + found->Index - found->Pos : -1;
}

int32_t TSection::SourceToDisplay(int32_t offset, bool towardEnd) {
    if (Len == 0 || IndexMap.empty()) return -1;
    const IndexObj& first = IndexMap.front();
    const IndexObj& last = IndexMap.back();
    const bool pastEnd = offset > Len + last.Index - last.Pos - 1;
    if (towardEnd) {
        if (offset < first.Index) return -1;
        if (pastEnd) return FirstIndex + Len - 1;
    } else {
        if (pastEnd) return -1;
        if (offset <= first.Index) return FirstIndex;
    }
    size_t k = 0;
    for (size_t n = 0; n < IndexMap.size(); ++n) {
        if (IndexMap[n].Index <= offset) k = n;
    }
    const IndexObj& r = IndexMap[k];
    const int32_t length = (k + 1 < IndexMap.size() ? IndexMap[k + 1].Pos : Len) - r.Pos;
    if (offset < r.Index + length) return FirstIndex + r.Pos + (offset - r.Index);
    if (towardEnd) return FirstIndex + r.Pos + length - 1;
    return FirstIndex + (k + 1 < IndexMap.size() ? IndexMap[k + 1].Pos : Len - 1);
}

void TSection::CopySelectedText() {
    if (!Document) return;
    std::string& out = Document->CopyBuffer;
    const int32_t s = Document->SelStart - FirstIndex;
    const int32_t e = Document->SelEnd - FirstIndex;
    for (const LineRec& line : Lines) {
        const int32_t ls = line.Start, le = line.Start + line.CharCount;
        if (line.CharCount == 0 || le <= s || ls >= e) continue;
        if (s <= ls) {
            for (int32_t g = 0; g < line.LineX / ListIndentUnit; ++g) out += "   ";
        }
        const int32_t a = std::max(s, ls), b = std::min(e, le);
        out.append(Chars, static_cast<size_t>(a), static_cast<size_t>(b - a));
        if (e >= le) out += "\r\n";
    }
}

}  // namespace htmlengine
