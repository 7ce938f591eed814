#pragma once
// Sections that add little to the base: vertical spaces, the horizontal rule,
// preformatted lines and list items; and the SELECT and TEXTAREA controls.

#include "htmlengine/FormControlBase.h"
#include "htmlengine/PageSubs.h"

#include <string>
#include <utility>
#include <vector>

namespace htmlengine {

class TParagraphSpace : public TSectionBase {
public:
    using TSectionBase::TSectionBase;
    void CopySelectedText() override;
    void OwnerChanged() override;
};

class THeadingSpace : public TSectionBase {
public:
    THeadingSpace(SectionDocument* doc, int32_t level) : TSectionBase(doc), HeadingLevel(level) {}
    int32_t HeadingLevel;
    void CopySelectedText() override;
    void OwnerChanged() override;
};

class THorzLine : public TSectionBase {
public:
    THorzLine(SectionDocument* doc, const TAttributeList& attributes);
    int32_t Thickness = 2;
    int32_t LineWidth = -1;  // -1: none given
    bool Percent = false;
    uint8_t Align = 2;
    TColor Color = 0;
    bool HasColor = false;
    bool NoShade = false;

    void CopySelectedText() override;
    void OwnerChanged() override;
    int32_t PaintAt(Canvas& canvas, const TRect& clip, int32_t y, int32_t x, IndentManagerBasic& indents) override;
};

class TPreFormated : public TSection {
public:
    using TSection::TSection;
    void AddToken(const TokenObj& token) override;
    int32_t LayoutAt(TextMeasurer& measurer, int32_t y, int32_t& curs, int32_t& maxWidth,
                     IndentManagerBasic& indents) override;
    void WidthRange(TextMeasurer& measurer, int32_t& min, int32_t& max) override;

protected:
    bool IsPreformatted() const override { return true; }
};

class TUListItem : public TSection {
public:
    TUListItem(SectionDocument* doc, TCell* cell, const TUrlTarget* link, const TMyFont& font, int32_t listLevel)
        : TSection(doc, cell, 1, link, font, listLevel) {
        MarkerKind = 2;
    }
    bool Plain = false;  // UL PLAIN: no bullet
};

class TDListItem : public TUListItem {
public:
    TDListItem(SectionDocument* doc, TCell* cell, const TUrlTarget* link, const TMyFont& font, int32_t listLevel)
        : TUListItem(doc, cell, link, font, listLevel) {
        MarkerKind = 3;
    }
};

class TOListItem : public TUListItem {
public:
    TOListItem(SectionDocument* doc, TCell* cell, const TUrlTarget* link, const TMyFont& font, char style,
               int32_t number, int32_t listLevel)
        : TUListItem(doc, cell, link, font, listLevel), Style(style) {
        ItemNumber = number;
        MarkerKind = 1;
    }
    char Style;  // numbering style from TYPE, '1' by default
};

struct TOptionObj {
    std::string Value;  // empty when the OPTION had no VALUE
    bool Selected = false;
};

class TListBoxFormControlObj : public TFormControlObj {
public:
    TListBoxFormControlObj(SectionDocument& doc, const TAttributeList& attributes, int32_t pos);
    std::vector<std::pair<std::string, TOptionObj>> Options;
    int32_t Rows;  // SIZE, -1 when absent
    int32_t Longest = 3;
    bool Multiple;

    void AddOption(const std::string& text, const std::string& value, bool selected);
    void ResetValue() override;
    bool GetSubmitPair(int32_t index, std::string& pair) override;
    void SizeFromCanvas(TextMeasurer& measurer) override;

protected:
    TListBoxFormControlObj(SectionDocument& doc, const TAttributeList& attributes, int32_t pos, FormWidgetKind kind);
    FontSpec WidgetFont() const;
};

class TComboFormControlObj : public TListBoxFormControlObj {
public:
    TComboFormControlObj(SectionDocument& doc, const TAttributeList& attributes, int32_t pos);
    void SizeFromCanvas(TextMeasurer& measurer) override;
};

class TTextAreaFormControlObj : public TFormControlObj {
public:
    TTextAreaFormControlObj(SectionDocument& doc, const TAttributeList& attributes, int32_t pos);
    std::vector<std::string> TheLines;
    int32_t Rows = 5;
    int32_t Cols = 30;
    bool Wrap = false;

    void AddTextAreaLine(const std::string& line) { TheLines.push_back(line); }
    void ResetValue() override;
    bool GetSubmitPair(int32_t index, std::string& pair) override;
    void SizeFromCanvas(TextMeasurer& measurer) override;
};

}  // namespace htmlengine
