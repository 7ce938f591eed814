#include "htmlengine/PageSbs1.h"

#include "htmlengine/HtmlSymbols.h"
#include "htmlengine/MulDiv.h"
#include "htmlengine/SectionDocument.h"

#include <algorithm>

namespace htmlengine {

void TParagraphSpace::CopySelectedText() {
    if (Document) WriteLineTo(Document->CopyBuffer, "");
}

void TParagraphSpace::OwnerChanged() {
    if (Document) Height = MulDiv(14, Document->FontSize, 12);
}

void THeadingSpace::CopySelectedText() {
    if (Document) WriteLineTo(Document->CopyBuffer, "");
}

void THeadingSpace::OwnerChanged() {
    static const int32_t kSpace[] = {16, 12, 10, 8, 6, 4};
    const int32_t n = HeadingLevel >= 1 && HeadingLevel <= 6 ? kSpace[HeadingLevel - 1] : 8;
    if (Document) Height = MulDiv(n, Document->FontSize, 12);
}

// ---- horizontal rule

THorzLine::THorzLine(SectionDocument* doc, const TAttributeList& attributes) : TSectionBase(doc) {
    for (const auto& a : attributes) {
        switch (a->Symbol) {
        case AlignSy: {
            std::string s = LowerAscii(a->StrValue.substr(0, 10));
            if (s == "left") Align = 1;
            else if (s == "right") Align = 3;
            break;
        }
        case WidthSy:
            if (a->IntValue > 0) {
                if (a->StrValue.find('%') == std::string::npos) {
                    LineWidth = ClampSize(a->IntValue, 1, MaxPixelSize);
                } else {
                    Percent = true;
                    if (a->IntValue <= 100) LineWidth = a->IntValue;
                }
            }
            break;
        case SizeSy:
            if (a->IntValue >= 1 && a->IntValue <= 20) Thickness = a->IntValue;
            break;
        case ColorSy:
            if (auto c = ParseColorValue(a->StrValue)) {
                Color = *c;
                HasColor = true;
            }
            break;
        case NoShadeSy: NoShade = true; break;
        default: break;
        }
    }
}

void THorzLine::CopySelectedText() {
    if (Document) WriteLineTo(Document->CopyBuffer, "");
}

void THorzLine::OwnerChanged() {
    if (Document) Height = MulDiv(20, Document->FontSize, 12) + Thickness - 2;
}

int32_t THorzLine::PaintAt(Canvas& canvas, const TRect& clip, int32_t y, int32_t x, IndentManagerBasic& indents) {
    const int32_t next = TSectionBase::PaintAt(canvas, clip, y, x, indents);
    const int32_t bandTop = y - (Document ? Document->YOffset : 0);
    if (bandTop + Height <= clip.Top || bandTop >= clip.Bottom) return next;
    const int32_t left = indents.LeftEdgeAt(y);
    const int32_t right = indents.RightEdgeAt(y);
    const int32_t top = bandTop + (Height - Thickness) / 2;
    int32_t x1 = left + 10;
    int32_t x2 = right - 10;
    if (LineWidth > 0) {
        const int32_t w = Percent ? MulDiv(right - left, LineWidth, 100) : LineWidth;
        x1 = Align == 1 ? left : Align == 3 ? right - w : left + (right - left - w) / 2;
        x2 = x1 + w;
    }
    const int32_t bottom = top + Thickness;
    if (HasColor) {
        canvas.FillRect({x1, top, x2, bottom}, Color | PaletteRelative);
        return next;
    }
    TColor dark = clBtnShadow;
    TColor light = Document && IsWhiteBackground(Document->Background, canvas.System()) ? clSilver : clBtnHighlight;
    if (NoShade || canvas.IsMonochrome()) dark = light = clBlack;
    canvas.Polyline({{x1, bottom - 1}, {x1, top}, {x2 - 1, top}}, dark);
    canvas.Polyline({{x2 - 1, top}, {x2 - 1, bottom - 1}, {x1 - 1, bottom - 1}}, light);
    return next;
}

// ---- preformatted text

void TPreFormated::AddToken(const TokenObj& token) {
    if (token.Text.empty() || Len > 20000) return;
    std::string t = token.Text;
    for (char& c : t) c = c == NoBreakMark ? '?' : WithoutObjectChar(c);
    std::vector<int32_t> p = token.Positions;
    p.resize(t.size(), p.empty() ? 0 : p.back());
    AppendChars(t, p);
}

void TPreFormated::WidthRange(TextMeasurer& measurer, int32_t& min, int32_t& max) {
    if (Len == 0) {
        min = max = Indent;
        return;
    }
    const int32_t w = TextWidth(measurer, 0, false, Len) + Indent;
    min = std::min(2000, w);
    max = w;
}

int32_t TPreFormated::LayoutAt(TextMeasurer& measurer, int32_t y, int32_t& curs, int32_t& maxWidth,
                               IndentManagerBasic& indents) {
    if (Len == 0) {
        Top = y;
        FirstIndex = curs;
        Lines.clear();
        Height = DrawHeight = Fonts[0]->TheFont().Size;
        maxWidth = 0;
        return Height;
    }
    const int32_t saved = indents.AvailWidth;
    indents.AvailWidth = 32000;
    TSection::LayoutAt(measurer, y, curs, maxWidth, indents);
    indents.AvailWidth = saved;
    int32_t min;
    WidthRange(measurer, min, maxWidth);
    return Height;
}

// ---- list controls

TListBoxFormControlObj::TListBoxFormControlObj(SectionDocument& doc, const TAttributeList& attributes, int32_t pos)
    : TListBoxFormControlObj(doc, attributes, pos, FormWidgetKind::ListBox) {}

TListBoxFormControlObj::TListBoxFormControlObj(SectionDocument& doc, const TAttributeList& attributes, int32_t pos,
                                               FormWidgetKind kind)
    : TFormControlObj(doc, attributes, pos) {
    TAttribute* size = FindAttributeBySymbol(attributes, SizeSy);
    Rows = size ? size->IntValue : -1;
    Multiple = kind == FormWidgetKind::ListBox && FindAttributeBySymbol(attributes, MultipleSy) != nullptr;
    FormWidgetOptions o;
    o.Kind = kind;
    o.MultiSelect = Multiple;
    o.Font = WidgetFont();
    Widget = CreateWidget(o);
}

FontSpec TListBoxFormControlObj::WidgetFont() const {
    return FontSpec{Document.PreFontName, 10, 0, Document.FontCharset, clBlack};
}

void TListBoxFormControlObj::AddOption(const std::string& text, const std::string& value, bool selected) {
    Options.push_back({text, TOptionObj{value, selected}});
    Longest = std::max<int32_t>(Longest, static_cast<int32_t>(text.size()));
}

void TListBoxFormControlObj::ResetValue() {
    if (!Widget) return;
    Widget->ClearItems();
    int32_t chosen = -1;
    for (size_t i = 0; i < Options.size(); ++i) {
        Widget->AddItem(Options[i].first);
        if (Options[i].second.Selected) chosen = static_cast<int32_t>(i);
    }
    if (Multiple) {
        for (size_t i = 0; i < Options.size(); ++i) {
            Widget->SetItemSelected(static_cast<int32_t>(i), Options[i].second.Selected);
        }
    } else {
        Widget->SetItemIndex(chosen >= 0 ? chosen : (Options.empty() ? -1 : 0));
    }
    Widget->ScrollToTop();
}

bool TListBoxFormControlObj::GetSubmitPair(int32_t index, std::string& pair) {
    if (!Widget || index < 0 || index >= Widget->ItemCount() || index >= static_cast<int32_t>(Options.size())) {
        return false;
    }
    const bool selected = Multiple ? Widget->ItemSelected(index) : Widget->ItemIndex() == index;
    pair.clear();
    if (selected) {
        const auto& [text, option] = Options[static_cast<size_t>(index)];
        pair = Name + "=" + (option.Value.empty() ? text : option.Value);
    }
    return true;
}

void TListBoxFormControlObj::SizeFromCanvas(TextMeasurer& measurer) {
    if (!Widget) return;
    const FontSpec f = WidgetFont();
    const int64_t rows = Rows >= 0 ? std::clamp<int64_t>(Rows, 1, MaxControlCells)
                                   : std::clamp<int64_t>(static_cast<int64_t>(Options.size()), 1, 8);
    Widget->SetClientSize(ClampSize(int64_t(Longest) * measurer.TextWidth(f, "A") + 15, 1, MaxPixelSize),
                          ClampSize(rows * measurer.TextHeight(f), 1, MaxPixelSize));
}

TComboFormControlObj::TComboFormControlObj(SectionDocument& doc, const TAttributeList& attributes, int32_t pos)
    : TListBoxFormControlObj(doc, attributes, pos, FormWidgetKind::ComboBox) {}

void TComboFormControlObj::SizeFromCanvas(TextMeasurer& measurer) {
    if (!Widget) return;
    const int32_t a = measurer.TextWidth(measurer.DefaultGuiFont(), "A");
    Widget->SetClientSize(ClampSize(int64_t(Longest) * a + 30, 1, MaxPixelSize), -1);
}

TTextAreaFormControlObj::TTextAreaFormControlObj(SectionDocument& doc, const TAttributeList& attributes,
                                                 int32_t pos)
    : TFormControlObj(doc, attributes, pos) {
    for (const auto& a : attributes) {
        if (a->Symbol == ColsSy) Cols = static_cast<int32_t>(std::clamp<int64_t>(a->IntValue, 1, MaxControlCells));
        if (a->Symbol == RowsSy) Rows = static_cast<int32_t>(std::clamp<int64_t>(a->IntValue, 1, MaxControlCells));
        if (a->Symbol == WrapSy) {
            std::string v = LowerAscii(a->StrValue);
            Wrap = v == "soft" || v == "hard";
        }
    }
    FormWidgetOptions o;
    o.Kind = FormWidgetKind::Memo;
    o.WordWrap = Wrap;
    o.Font = FontSpec{doc.PreFontName, 10, 0, doc.FontCharset, clBlack};
    Widget = CreateWidget(o);
}

void TTextAreaFormControlObj::ResetValue() {
    if (Widget) Widget->SetLines(TheLines);
}

bool TTextAreaFormControlObj::GetSubmitPair(int32_t index, std::string& pair) {
    if (index != 0 || !Widget) return false;
    pair = Name + "=";
    const std::vector<std::string> lines = Widget->Lines();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0 && !Wrap) pair += "\r\n";
        pair += lines[i];
    }
    return true;
}

void TTextAreaFormControlObj::SizeFromCanvas(TextMeasurer& measurer) {
    if (!Widget) return;
    const FontSpec f{Document.PreFontName, 10, 0, Document.FontCharset, clBlack};
    Widget->SetClientSize(ClampSize(int64_t(Cols) * measurer.TextWidth(f, "A") + 5, 1, MaxPixelSize),
                          ClampSize(int64_t(Rows) * measurer.TextHeight(f) + 5, 1, MaxPixelSize));
}

}  // namespace htmlengine
