#include "htmlengine/PageSubs.h"

#include "htmlengine/HtmlSymbols.h"
#include "htmlengine/MulDiv.h"
#include "htmlengine/PageSbs1.h"
#include "htmlengine/SectionDocument.h"

#include <algorithm>

namespace htmlengine {

int32_t TSectionBase::LayoutAt(TextMeasurer&, int32_t, int32_t& curs, int32_t& maxWidth,
                               IndentManagerBasic& indents) {
    FirstIndex = curs;
    DrawHeight = Height;
    maxWidth = indents.AvailWidth;
    return Height;
}

int32_t TSectionBase::PaintAt(Canvas&, const TRect&, int32_t y, int32_t, IndentManagerBasic&) {
    Top = y;
    return y + Height;
}

// ---- building

namespace {

// The font with the styles of the elements open in the parse.
TMyFont Styled(const SectionDocument* doc, const TMyFont& font) {
    TMyFont styled = font;
    if (doc && doc->Parse) styled.Style |= doc->Parse->StyleAdditions;
    return styled;
}

}  // namespace

TSection::TSection(SectionDocument* doc, TCell* cell, uint8_t alignment, const TUrlTarget* link,
                   const TMyFont& font, int32_t listLevel)
    : TSectionBase(doc),
      Alignment(alignment),
      ListLevel(static_cast<uint8_t>(std::clamp(listLevel, 0, MaxNestingDepth))),
      defaultFace_(doc->Runs.Face(Styled(doc, font), *doc->Measurer)->Index),
      Cell(cell) {
    static_assert(MaxNestingDepth <= UINT8_MAX);
    ParseContext* parse = doc ? doc->Parse : nullptr;
    if (parse) parse->ScriptState = 0;
    TFontObj* run = Fonts.Add(this, 0, DefaultFont(), *doc->Measurer);
    if (link && !link->Url.empty()) {
        run->SetUrlTarget(*link);
        doc->LinkList.push_back(run);
    }
    Indent = ListLevel * (parse ? parse->ListIndentUnit : ListIndentUnit);
}

const TMyFont& TSection::DefaultFont() const { return Document->Runs.FaceNo(defaultFace_).Font; }

void TSection::AppendChars(std::string_view text, const std::vector<int32_t>& positions) {
    Chars.append(text);
    SourcePositions.insert(SourcePositions.end(), positions.begin(), positions.end());
    Len = static_cast<int32_t>(Chars.size());
}

void TSection::AddChar(char ch, int32_t sourcePos) {
    TokenObj t;
    t.AppendChar(ch, sourcePos);
    AddToken(t);
}

bool TSection::OnlyFloats() const {
    for (int32_t i = 0; i < Len; ++i) {
        TImageObj* img = (Chars[i] == ImageChar || Chars[i] == NoBreakImageChar) ? Images.ImageAt(i) : nullptr;
        if (!img || !img->Floats()) return false;
    }
    return true;
}

void TSection::AddToken(const TokenObj& token) {
    if (token.Text.empty()) return;
    const bool noBreak = Document && Document->Parse && Document->Parse->NoBreak;
    if (noBreak) {
        AddNoBreakToken(token);
        return;
    }
    const std::string& t = token.Text;
    size_t from = t[0] == ' ' && (Chars.empty() || Chars.back() == ' ') ? 1 : 0;
    if (from < t.size() && !Chars.empty()) {
        const char c = t[from] == NoBreakMark ? ' ' : t[from];
        if ((c == ' ' || c == NoBreakBlank) && OnlyFloats()) ++from;
    }
    if (from >= t.size()) return;
    const size_t old = Chars.size();
    Chars.append(t, from);
    for (size_t i = old; i < Chars.size(); ++i) {
        // A no-break mark outside a no-break run is an ordinary blank.
        Chars[i] = Chars[i] == NoBreakMark ? ' ' : WithoutObjectChar(Chars[i]);
    }
    const std::vector<int32_t>& p = token.Positions;
    const size_t n = std::min(p.size(), t.size());
    if (from < n) SourcePositions.insert(SourcePositions.end(), p.begin() + static_cast<std::ptrdiff_t>(from), p.begin() + static_cast<std::ptrdiff_t>(n));
    SourcePositions.resize(Chars.size(), SourcePositions.empty() ? 0 : SourcePositions.back());
    Len = static_cast<int32_t>(Chars.size());
}

void TSection::AddNoBreakToken(const TokenObj& token) {
    std::string t = token.Text;
    std::vector<int32_t> p = token.Positions;
    p.resize(t.size(), p.empty() ? 0 : p.back());
    auto erase = [&](size_t i) {
        t.erase(i, 1);
        p.erase(p.begin() + static_cast<std::ptrdiff_t>(i));
    };
    std::transform(t.begin(), t.end(), t.begin(), WithoutObjectChar);
    const char last = Chars.empty() ? 0 : Chars.back();
    if (t[0] == NoBreakMark && (Chars.empty() || last == NoBreakMark || last == ' ' || last == NoBreakBlank)) {
        erase(0);
        if (t.empty()) return;
    }
    for (bool changed = true; changed;) {
        changed = false;
        for (size_t i = 0; i + 1 < t.size(); ++i) {
            if ((t[i] == ' ' || t[i] == NoBreakMark) && t[i + 1] == NoBreakMark) {
                erase(i + 1);
                changed = true;
            } else if (t[i] == NoBreakMark && t[i + 1] == ' ') {
                erase(i);
                changed = true;
            }
        }
    }
    for (char& c : t) {
        if (c == NoBreakMark) c = NoBreakBlank;
    }
    if (!Chars.empty() && (t[0] == ' ' || t[0] == NoBreakBlank) && OnlyFloats()) {
        erase(0);
        if (t.empty()) return;
    }
    AppendChars(t, p);
}

void TSection::ChangeFont(SectionDocument& doc, const TMyFont& font) { NewFontRun(doc, font, true); }

void TSection::NewFontRun(SectionDocument& doc, const TMyFont& font, bool keepLink) {
    TFontObj* run = Fonts.Last();
    TMyFont f = font;
    ParseContext* parse = doc.Parse;
    if (parse) f.Style |= parse->StyleAdditions;
    const uint8_t script = parse ? parse->ScriptState : 0;
    if (script == 1 || script == 2) {
        f.NormalSize = MulDiv(f.NormalSize, 3, 4);
        f.Size = MulDiv(doc.FontSize, f.NormalSize, 12);
    }
    if (run->Pos == Len) {
        run->SetFont(f);
    } else {
        const TFontObj* before = run;  // runs never move
        run = Fonts.Add(this, Len, f, *doc.Measurer);
        run->TakeUrlTarget(*before);
        // The rest of a link after a font change is still the link.
        if (keepLink && !run->UrlTarget().Url.empty()) doc.LinkList.push_back(run);
    }
    run->Script = script;
}

void TSection::SetLink(uint8_t symbol, SectionDocument& doc, const TMyFont& font, const TUrlTarget* link) {
    NewFontRun(doc, font, false);
    TFontObj* run = Fonts.Last();
    run->ClearUrlTarget();
    if (symbol == ASy && link) {
        run->SetUrlTarget(*link);
        // A run is registered when it is made, so only the newest entry can be this run.
        if (doc.LinkList.empty() || doc.LinkList.back() != run) doc.LinkList.push_back(run);
    }
}

TImageObj* TSection::AddImage(const TAttributeList& attributes, SectionDocument& doc, int32_t sourcePos) {
    TImageObj* img = Images.Add(std::make_unique<TImageObj>(Len, attributes));
    img->HomeCell = Cell;
    img->Document = &doc;
    const bool noBreak = doc.Parse && doc.Parse->NoBreak;
    AppendChars(std::string(1, noBreak ? NoBreakImageChar : ImageChar), {sourcePos});
    return img;
}

TFormControlObj* TSection::AddControl(std::unique_ptr<TFormControlObj> control, bool withoutChar) {
    TFormControlObj* c = control.get();
    c->Pos = Len;
    OwnedControls.Add(std::move(control));
    if (!withoutChar) {
        Controls.push_back(c);
        const bool noBreak = Document && Document->Parse && Document->Parse->NoBreak;
        AppendChars(std::string(1, noBreak ? NoBreakControlChar : ControlChar), {c->SourcePos});
    }
    return c;
}

TFormControlObj* TSection::AddFormControl(uint8_t symbol, SectionDocument& doc, int32_t sourcePos,
                                          const TAttributeList& attributes) {
    std::unique_ptr<TFormControlObj> c;
    TImageFormControlObj* image = nullptr;
    bool withoutChar = false;
    if (symbol == InputSy) {
        c = MakeInputControl(doc, attributes, Len, Cell);
        image = dynamic_cast<TImageFormControlObj*>(c.get());
        // A hidden control adds nothing to the text, an image control only its image.
        withoutChar = image || dynamic_cast<THiddenFormControlObj*>(c.get());
    } else if (symbol == TextAreaSy) {
        c = std::make_unique<TTextAreaFormControlObj>(doc, attributes, Len);
    } else if (symbol == SelectSy) {
        TAttribute* size = FindAttributeBySymbol(attributes, SizeSy);
        if (FindAttributeBySymbol(attributes, MultipleSy) || (size && size->IntValue > 1)) {
            c = std::make_unique<TListBoxFormControlObj>(doc, attributes, Len);
        } else {
            c = std::make_unique<TComboFormControlObj>(doc, attributes, Len);
        }
    } else {
        return nullptr;
    }
    c->SourcePos = sourcePos;
    TFormControlObj* added = AddControl(std::move(c), withoutChar);
    if (image) AddImage(attributes, doc, sourcePos)->FormControl = image;
    return added;
}

void TSection::ReadClear(const TAttributeList& attributes) {
    TAttribute* a = FindAttributeBySymbol(attributes, ClearSy);
    if (!a) return;
    std::string v = LowerAscii(a->StrValue.substr(0, 15));
    ClearKind = v == "left" ? 1 : v == "right" ? 2 : 3;
}

uint8_t TSection::PadIfEmpty(int32_t sourcePos) {
    if (Len == 0) {
        AddChar('X', sourcePos);
        Chars[0] = ' ';
    }
    return Alignment;
}

void TSection::Finish() {
    IndexMap.clear();
    const int32_t n = std::min(Len, static_cast<int32_t>(SourcePositions.size()));
    auto starts = [&](int32_t i) { return i == 0 || SourcePositions[i] != SourcePositions[i - 1] + 1; };
    int32_t count = 0;
    for (int32_t i = 0; i < n; ++i) count += starts(i);
    IndexMap.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < n; ++i) {
        if (starts(i)) IndexMap.push_back({i, SourcePositions[i]});
    }
    SourcePositions.clear();
    SourcePositions.shrink_to_fit();
}

void TSection::ReapplyFonts() {
    if (Document) {
        Fonts.ReapplyDefaults(*Document);
        TMyFont f = DefaultFont();
        f.Name = f.Fixed ? Document->PreFontName : Document->FontName;
        f.Charset = Document->FontCharset;
        f.Size = MulDiv(Document->FontSize, f.NormalSize, 12);
        f.Color = Document->FontColor | PaletteRelative;
        defaultFace_ = Document->Runs.Face(f, *Document->Runs.FaceNo(defaultFace_).Measurer)->Index;
    }
    OwnerChanged();
}

// ---- layout

struct TSection::LayoutPass {
    IndentManagerBasic& indents;
    int32_t& maxWidth;
    std::vector<TImageObj*> placed;    // each float is placed once per pass
    std::vector<TImageObj*> deferred;  // floats met after text, placed below the line
    int32_t tallestPlaced = 0;
};

bool TSection::Linked(int32_t pos) const {
    TFontObj* f = Fonts.FontObjAt(pos);
    return f && !f->UrlTarget().Url.empty();
}

int32_t TSection::TextRunLength(int32_t i, int32_t end) const {
    const int32_t stop = std::min(end, i + Fonts.CharsToNextFont(i, Len));
    int32_t j = i;
    while (j < stop && !IsObjectChar(Chars[j])) ++j;
    return j - i;
}

int32_t TSection::ClearSpace(const IndentManagerBasic& indents, int32_t y) const {
    if (ClearKind == 0) return 0;
    int32_t left, right;
    indents.ClearBottoms(left, right);
    int32_t bottom = ClearKind == 1 ? left : ClearKind == 2 ? right : std::max(left, right);
    return std::max(0, bottom - y);
}

void TSection::PlaceFloat(LayoutPass& pass, int32_t y, TImageObj* image) {
    if (std::find(pass.placed.begin(), pass.placed.end(), image) != pass.placed.end()) return;
    pass.placed.push_back(image);
    IndentManagerBasic& im = pass.indents;
    const int32_t band = image->ImageHeight + 2 * image->VSpace;
    if (image->ObjAlign == ALeft) {
        image->FloatX = im.LeftEdgeAt(y);
        im.AddFloat(y, image->ImageWidth + image->HSpace, band, 1);
    } else {
        im.AddFloat(y, image->ImageWidth + image->HSpace, band, 3);
        image->FloatX = im.RightEdgeAt(y) + image->HSpace;
    }
}

int32_t TSection::FitRun(TextMeasurer& m, int32_t i, int32_t end, int32_t room, bool& all, int32_t& runWidth) const {
    int32_t next = Len;
    const TRunFace& face = Fonts.FaceAt(i, Len, next);
    const std::string_view text(Chars.data() + i, static_cast<size_t>(std::min(end, next) - i));
    // Object characters are measured like text here; the run stops at the
    // first one, and what fits of the longer text fits of the run.
    int32_t fitWidth = 0;
    const int32_t fit = m.FitCount(face.Font, text, face.Overhang, room, fitWidth);
    const int32_t scan = std::min<int32_t>(fit + 1, static_cast<int32_t>(text.size()));
    int32_t run = 0;
    while (run < scan && !IsObjectChar(text[static_cast<size_t>(run)])) ++run;
    all = run <= fit;
    runWidth = !all ? 0 : run == fit ? fitWidth : m.Extent(face.Font, text, run) - (run ? face.Overhang : 0);
    return all ? run : fit;
}

int32_t TSection::FitChars(TextMeasurer& m, LayoutPass& pass, int32_t y, int32_t width, int32_t start, int32_t n) {
    int32_t used = 0;
    bool atLineStart = true;
    const int32_t end = start + n;
    const char* chars = Chars.data();  // layout changes no text
    int32_t i = start;
    while (i < end) {
        const char c = chars[i];
        if (c == ImageChar || c == NoBreakImageChar) {
            TImageObj* img = Images.ImageAt(i);
            if (img && img->Floats()) {
                if (atLineStart) {
                    PlaceFloat(pass, y, img);
                    used += img->ImageWidth + img->HSpace;
                    pass.tallestPlaced = std::max(pass.tallestPlaced, img->ImageHeight + 2 * img->VSpace);
                } else {
                    pass.deferred.push_back(img);
                }
            } else if (img) {
                used += img->ImageWidth + 2 * img->HSpace;
                atLineStart = false;
            }
            if (used > width) return i - start;
            ++i;
        } else if (c == ControlChar || c == NoBreakControlChar) {
            used += std::max(0, ControlWidthAt(Controls, i));
            atLineStart = false;
            if (used > width) return i - start;
            ++i;
        } else {
            bool all = false;
            int32_t runWidth = 0;
            const int32_t fit = FitRun(m, i, end, width - used, all, runWidth);
            if (!all) return i - start + fit;
            used += runWidth;
            atLineStart = false;
            i += fit;
        }
    }
    return n;
}

int32_t TSection::TextWidth(TextMeasurer& m, int32_t start, bool strip, int32_t count) const {
    if (strip) {
        while (count > 0 && Chars[start + count - 1] == ' ') --count;
    }
    int32_t w = 0;
    const int32_t end = start + count;
    for (int32_t i = start; i < end;) {
        const char c = Chars[i];
        if (c == ImageChar || c == NoBreakImageChar) {
            TImageObj* img = Images.ImageAt(i);
            if (img && !img->Floats()) w += img->ImageWidth + 2 * img->HSpace;
            ++i;
        } else if (c == ControlChar || c == NoBreakControlChar) {
            w += std::max(0, ControlWidthAt(Controls, i));
            ++i;
        } else {
            const int32_t run = TextRunLength(i, end);
            int32_t next = Len;
            const TRunFace& face = Fonts.FaceAt(i, Len, next);
            w += m.Extent(face.Font, std::string_view(Chars.data() + i, static_cast<size_t>(run)), run) -
                 face.Overhang;
            i += run;
        }
    }
    return w;
}

void TSection::FinishLine(TextMeasurer& m, LayoutPass& pass, int32_t& y, int32_t start, int32_t count) {
    LineRec line;
    line.Start = start;
    line.CharCount = count;
    const int32_t end = start + count;
    bool onlyObjects = true;
    for (int32_t i = start; i < end && onlyObjects; ++i) onlyObjects = IsObjectChar(Chars[i]);
    int32_t r = 0;
    if (!onlyObjects) {
        int32_t first;
        Fonts.FontObjAt(start, &first);
        int32_t k = first;
        for (; k < Fonts.Count() && Fonts.StartOf(k) < end; ++k) {
            line.TextHeight = std::max(line.TextHeight, Fonts.Face(k).LineHeight);
            line.Descent = std::max(line.Descent, Fonts.Face(k).FontDescent);
        }
        r = Fonts.Face(k - 1).FontDescent;  // of the run covering the last character
    }
    for (int32_t k = Images.FirstAtOrAfter(start); k < Images.Count() && Images[k]->Pos < end; ++k) {
        const TImageObj* img = Images[k];
        if (img->Floats()) continue;
        const int32_t d = img->ImageHeight - line.TextHeight;
        if (img->ObjAlign == ATop) {
            line.SpaceBelow = std::max(line.SpaceBelow, d);
        } else if (img->ObjAlign == AMiddle) {
            line.SpaceBelow = std::max(line.SpaceBelow, d / 2);
            line.SpaceAbove = std::max(line.SpaceAbove, d - d / 2);
        } else {
            line.SpaceAbove = std::max(line.SpaceAbove, img->ImageHeight + r - line.TextHeight);
        }
    }
    for (auto it = FirstControlAtOrAfter(Controls, start); it != Controls.end() && (*it)->Pos < end; ++it) {
        TFormControlObj* c = *it;
        const int32_t e = c->Height() - line.TextHeight + (c->OnBaseline ? r : 0);
        line.SpaceAbove = std::max(line.SpaceAbove, e);
        c->YValue = y;
    }
    IndentManagerBasic& im = pass.indents;
    const int32_t left = im.LeftEdgeAt(y);
    const int32_t right = im.RightEdgeAt(y);
    line.LineX = left;
    if (Alignment == 2 || Alignment == 3) {
        const int32_t w = TextWidth(m, start, true, count);
        line.LineX = Alignment == 2 ? std::max(left, (left + right - w) / 2) : right - w - 1;
    }

    const int32_t h = line.SpaceAbove + line.TextHeight + line.SpaceBelow;
    Height += h;
    y += h;
    line.LineDrawHeight = std::max(h, pass.tallestPlaced);
    for (TImageObj* img : pass.deferred) {
        PlaceFloat(pass, y, img);
        line.LineDrawHeight = std::max(line.LineDrawHeight, h + img->ImageHeight + 2 * img->VSpace);
    }
    pass.deferred.clear();
    pass.tallestPlaced = 0;
    Lines.push_back(line);
}

int32_t TSection::LayoutAt(TextMeasurer& m, int32_t y, int32_t& curs, int32_t& maxWidth, IndentManagerBasic& im) {
    Top = y;
    FirstIndex = curs;
    Height = 0;
    Lines.clear();
    if (Indent == DefinitionIndent) im.SetDefinitionLevel(y, ListLevel);
    else im.SetLevel(y, ListLevel);

    if (Len == 0) {
        Height = DrawHeight = ClearSpace(im, y);
        maxWidth = 0;
        return Height;
    }
    MarkerX = im.LeftEdgeAt(y);
    maxWidth = im.AvailWidth;
    const int32_t edgeWidth = im.RightEdgeAt(y) - im.LeftEdgeAt(y);
    for (const auto& img : Images) {
        if (Document) img->PrepareImage(*Document, edgeWidth, Linked(img->Pos));
        maxWidth = std::max(maxWidth, img->ImageWidth + Indent);
    }
    for (TFormControlObj* c : Controls) {
        if (c->Widget) maxWidth = std::max(maxWidth, c->Width() + Indent);
    }

    LayoutPass pass{im, maxWidth, {}, {}, 0};
    int32_t lineY = y;
    if (int32_t clear = ClearSpace(im, y); clear > 0) {
        LineRec gap;
        gap.TextHeight = gap.LineDrawHeight = clear;
        Lines.push_back(gap);
        Height += clear;
        lineY += clear;
    }
    auto breaks = [&](char c) { return c == ' ' || c == ImageChar || c == ControlChar; };
    int32_t s = 0;
    while (s < Len) {
        const int32_t n = Len - s;
        const int32_t width = IsPreformatted() ? 32000 : im.RightEdgeAt(lineY) - im.LeftEdgeAt(lineY);
        const int32_t k = std::max(1, FitChars(m, pass, lineY, width, s, n));
        int32_t count;
        if (k >= n) {
            count = n;
        } else if (Chars[s + k - 1] == ' ') {
            count = k;
            while (s + count < Len && Chars[s + count] == ' ') ++count;
        } else if (Chars[s + k] == ImageChar || Chars[s + k] == ControlChar) {
            count = k;
        } else {
            count = 0;
            for (int32_t j = k - 1; j >= 1; --j) {
                if (breaks(Chars[s + j])) {
                    count = j + 1;
                    break;
                }
            }
            if (count == 0) {
                // One word wider than the line: it overflows the line.
                int32_t j = k;
                while (s + j < Len && !breaks(Chars[s + j])) ++j;
                while (s + j < Len && Chars[s + j] == ' ') ++j;
                count = j;
                maxWidth = std::max(maxWidth, TextWidth(m, s, true, count));
            }
        }
        // Floats deferred past the break belong to a later line.
        pass.deferred.erase(std::remove_if(pass.deferred.begin(), pass.deferred.end(),
                                           [&](TImageObj* img) { return img->Pos >= s + count; }),
                            pass.deferred.end());
        FinishLine(m, pass, lineY, s, count);
        s += count;
    }
    curs = FirstIndex + Len;
    if (ListLevel > 0) Height = std::max(Height, im.LevelBandBottom() - y);
    DrawHeight = std::max(Height, im.FloatsBottom() - y);
    return Height;
}

void TSection::WidthRange(TextMeasurer& m, int32_t& min, int32_t& max) {
    min = max = 0;
    if (Len == 0) return;
    int32_t floats = 0;
    for (const auto& img : Images) {
        if (Document) img->PrepareImage(*Document, 0, Linked(img->Pos));
        if (img->WidthIsPercent) continue;
        if (img->Floats()) floats += img->ImageWidth + img->HSpace;
        else min = std::max(min, img->ImageWidth);
    }
    max = floats + TextWidth(m, 0, false, Len) + Indent;
    int32_t i = 0;
    while (i < Len) {
        while (i < Len && Chars[i] == ' ') ++i;
        int32_t j = i;
        while (j < Len && Chars[j] != ' ' && Chars[j] != ImageChar) ++j;
        if (j > i) min = std::max(min, TextWidth(m, i, false, j - i));
        i = j + 1;
    }
    min += floats + Indent;
}

}  // namespace htmlengine
