#pragma once
// Sections: every block of a page is a TSectionBase held in a cell. TSection
// is the paragraph of flowing text, built by the parser and broken into lines
// around floating images for a given width.
//
// Section text is one byte per character; object characters stand for one
// object at their position: 4 an image (a break may follow it), 7 an image in
// a no-break run, 2 a form control, 6 a form control in a no-break run; 160 is
// a no-break blank. Page text never brings these object bytes along.

#include "htmlengine/Canvas.h"
#include "htmlengine/FloatingImages.h"
#include "htmlengine/FormControlBase.h"
#include "htmlengine/PageFonts.h"
#include "htmlengine/PageUn2.h"
#include "htmlengine/TextMeasurer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace htmlengine {

class SectionDocument;
class TCell;

constexpr char ImageChar = 4, NoBreakImageChar = 7, ControlChar = 2, NoBreakControlChar = 6, NoBreakMark = 5;
constexpr char NoBreakBlank = '\xA0';

inline bool IsObjectChar(char c) {
    return c == ImageChar || c == NoBreakImageChar || c == ControlChar || c == NoBreakControlChar;
}

class TSectionBase {
public:
    explicit TSectionBase(SectionDocument* doc) : Document(doc) {}
    virtual ~TSectionBase() = default;

    SectionDocument* Document;
    int32_t Height = 0;
    int32_t DrawHeight = 0;
    int32_t Top = 0;
    int32_t FirstIndex = 0;
    int32_t Len = 0;

    virtual void CopySelectedText() {}
    virtual int32_t LayoutAt(TextMeasurer& measurer, int32_t y, int32_t& curs, int32_t& maxWidth,
                             IndentManagerBasic& indents);
    virtual int32_t PaintAt(Canvas& canvas, const TRect& clip, int32_t y, int32_t x, IndentManagerBasic& indents);
    virtual void ReapplyFonts() { OwnerChanged(); }
    virtual void OwnerChanged() {}
    virtual void WidthRange(TextMeasurer& measurer, int32_t& min, int32_t& max) {
        (void)measurer;
        min = max = 0;
    }
    void SetDocument(SectionDocument* doc) {
        Document = doc;
        OwnerChanged();
    }
};

struct LineRec {
    int32_t Start = 0;  // index of the first character in Chars
    int32_t SpaceAbove = 0;
    int32_t SpaceBelow = 0;
    int32_t TextHeight = 0;
    int32_t LineDrawHeight = 0;
    int32_t CharCount = 0;
    int32_t Descent = 0;
    int32_t LineX = 0;
    int32_t DrawX = 0;
    int32_t DrawY = 0;
};

struct IndexObj {
    int32_t Pos;    // character index within the section
    int32_t Index;  // its source offset
};

class TSection : public TSectionBase {
public:
    TSection(SectionDocument* doc, TCell* cell, uint8_t alignment, const TUrlTarget* link, const TMyFont& font,
             int32_t listLevel);

    std::string Chars;
    std::vector<int32_t> SourcePositions;
    TFontList Fonts;
    TImageObjList Images;
    TFormControlList Controls;
    std::vector<std::unique_ptr<TFormControlObj>> OwnedControls;  // hidden ones included
    std::vector<IndexObj> IndexMap;
    int32_t ListLevel;
    int32_t Indent;
    int32_t ItemNumber = 0;
    std::vector<LineRec> Lines;
    TMyFont DefaultFont;
    uint8_t MarkerKind = 0;  // 1 number, 2 bullet, 3 definition
    uint8_t Alignment;       // 1 left, 2 centre, 3 right
    uint8_t ClearKind = 0;   // 1 left, 2 right, 3 both
    int32_t MarkerX = 0;
    TCell* Cell;

    void AddChar(char ch, int32_t sourcePos);
    virtual void AddToken(const TokenObj& token);
    void ChangeFont(SectionDocument& doc, const TMyFont& font);
    void SetLink(uint8_t symbol, SectionDocument& doc, const TMyFont& font, const TUrlTarget* link);
    TImageObj* AddImage(const TAttributeList& attributes, SectionDocument& doc, int32_t sourcePos);
    // Takes a control made by the forms code (hidden ones add no character).
    TFormControlObj* AddControl(std::unique_ptr<TFormControlObj> control, bool hidden);
    // SELECT and TEXTAREA; other symbols add nothing here.
    TFormControlObj* AddFormControl(uint8_t symbol, SectionDocument& doc, int32_t sourcePos,
                                    const TAttributeList& attributes);
    void ReadClear(const TAttributeList& attributes);
    uint8_t PadIfEmpty(int32_t sourcePos);
    void Finish();
    void ReapplyFonts() override;

    int32_t LayoutAt(TextMeasurer& measurer, int32_t y, int32_t& curs, int32_t& maxWidth,
                     IndentManagerBasic& indents) override;
    void WidthRange(TextMeasurer& measurer, int32_t& min, int32_t& max) override;
    // Width of count characters from start, trailing blanks dropped first when strip.
    int32_t TextWidth(TextMeasurer& measurer, int32_t start, bool strip, int32_t count) const;

protected:
    virtual bool IsPreformatted() const { return false; }
    void AppendChars(std::string_view text, const std::vector<int32_t>& positions);

private:
    struct LayoutPass;
    void NewFontRun(SectionDocument& doc, const TMyFont& font, bool keepLink);
    int32_t FitChars(TextMeasurer& m, LayoutPass& pass, int32_t y, int32_t width, int32_t start, int32_t n);
    void FinishLine(TextMeasurer& m, LayoutPass& pass, int32_t& y, int32_t start, int32_t count);
    void PlaceFloat(LayoutPass& pass, int32_t y, TImageObj* image);
    int32_t ClearSpace(const IndentManagerBasic& indents, int32_t y) const;
    int32_t TextRunLength(int32_t i, int32_t end) const;
    bool Linked(int32_t pos) const;
};

}  // namespace htmlengine
