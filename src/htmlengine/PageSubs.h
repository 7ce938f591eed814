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
#include <string_view>
#include <vector>

namespace htmlengine {

class SectionDocument;
class TCell;

constexpr char ImageChar = 4, NoBreakImageChar = 7, ControlChar = 2, NoBreakControlChar = 6, NoBreakMark = 5;
constexpr char NoBreakBlank = '\xA0';

inline bool IsObjectChar(char c) {
    return c == ImageChar || c == NoBreakImageChar || c == ControlChar || c == NoBreakControlChar;
}

// An object byte in the text of a page would name an object that does not
// exist: it shows as '?'.
inline char WithoutObjectChar(char c) { return IsObjectChar(c) ? '?' : c; }

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

    // The section joins a cell: it is complete.
    virtual void Finish() {}
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

    // Position questions. They read the positions the last paint recorded;
    // y is relative to the section's top, x is a panel x.
    virtual bool UrlAtPoint(TextMeasurer&, int32_t, int32_t, TFormControlObj*&, TUrlTarget&) { return false; }
    virtual bool ImageAtPoint(int32_t, int32_t, int32_t&, int32_t&, TImageObj*&) { return false; }
    // The document index under the point, or -1; lineY is relative to the section.
    virtual int32_t CursorFromPoint(TextMeasurer&, int32_t, int32_t, bool&, int32_t&, int32_t&, int32_t&) {
        return -1;
    }
    virtual int32_t FindTextFrom(int32_t, std::string_view, bool) { return -1; }
    virtual int32_t DisplayToSource(int32_t) { return -1; }
    virtual int32_t SourceToDisplay(int32_t, bool) { return -1; }
    // y is a document y.
    virtual bool CaretPoint(TextMeasurer&, int32_t, int32_t&, int32_t&) { return false; }
    virtual bool CharAt(int32_t, char&, TSectionBase*&) { return false; }
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

    uint8_t MarkerKind = 0;  // 1 number, 2 bullet, 3 definition
    uint8_t Alignment;       // 1 left, 2 centre, 3 right
    uint8_t ClearKind = 0;   // 1 left, 2 right, 3 both
    uint8_t ListLevel;       // up to the deepest nesting
    int32_t Indent;
    int32_t ItemNumber = 0;
    int32_t MarkerX = 0;

private:
    uint32_t defaultFace_;  // in the document's table

public:
    SectionChars Chars;
    ThinVector<int32_t> SourcePositions;  // until the section is finished
    TFontList Fonts;
    TImageObjList Images;
    TFormControlList Controls;
    TFreeList<TFormControlObj> OwnedControls;  // hidden ones included
    CompactVector<IndexObj> IndexMap;
    CompactVector<LineRec> Lines;
    TCell* Cell;

    // The section's first font, for list markers.
    const TMyFont& DefaultFont() const;

    void AddChar(char ch, int32_t sourcePos);
    virtual void AddToken(const TokenObj& token);
    void ChangeFont(SectionDocument& doc, const TMyFont& font);
    void SetLink(uint8_t symbol, SectionDocument& doc, const TMyFont& font, const TUrlTarget* link);
    TImageObj* AddImage(const TAttributeList& attributes, SectionDocument& doc, int32_t sourcePos);
    // Takes a control made by the forms code; withoutChar: it adds no character
    // and is not among the Controls (hidden controls, image controls).
    TFormControlObj* AddControl(std::unique_ptr<TFormControlObj> control, bool withoutChar);
    // INPUT, SELECT and TEXTAREA; other symbols add nothing here.
    TFormControlObj* AddFormControl(uint8_t symbol, SectionDocument& doc, int32_t sourcePos,
                                    const TAttributeList& attributes);
    void ReadClear(const TAttributeList& attributes);
    uint8_t PadIfEmpty(int32_t sourcePos);
    void Finish() override;
    void ReapplyFonts() override;

    int32_t LayoutAt(TextMeasurer& measurer, int32_t y, int32_t& curs, int32_t& maxWidth,
                     IndentManagerBasic& indents) override;
    void WidthRange(TextMeasurer& measurer, int32_t& min, int32_t& max) override;

    int32_t PaintAt(Canvas& canvas, const TRect& clip, int32_t y, int32_t x, IndentManagerBasic& indents) override;
    void CopySelectedText() override;
    bool UrlAtPoint(TextMeasurer& m, int32_t x, int32_t y, TFormControlObj*& control, TUrlTarget& target) override;
    bool ImageAtPoint(int32_t x, int32_t y, int32_t& ix, int32_t& iy, TImageObj*& image) override;
    int32_t CursorFromPoint(TextMeasurer& m, int32_t x, int32_t y, bool& inText, int32_t& lineHeight,
                            int32_t& lineY, int32_t& caretX) override;
    int32_t FindTextFrom(int32_t start, std::string_view text, bool matchCase) override;
    int32_t DisplayToSource(int32_t index) override;
    int32_t SourceToDisplay(int32_t offset, bool towardEnd) override;
    bool CaretPoint(TextMeasurer& m, int32_t index, int32_t& y, int32_t& x) override;
    bool CharAt(int32_t index, char& ch, TSectionBase*& section) override;

    // Width of count characters from start, trailing blanks dropped first when strip.
    int32_t TextWidth(TextMeasurer& measurer, int32_t start, bool strip, int32_t count) const;

protected:
    virtual bool IsPreformatted() const { return false; }
    void AppendChars(std::string_view text, const std::vector<int32_t>& positions);
    void AddNoBreakToken(const TokenObj& token);
    bool OnlyFloats() const;

private:
    struct LayoutPass;
    void NewFontRun(SectionDocument& doc, const TMyFont& font, bool keepLink);
    // Characters of the text run from i that fit in room. The run ends at the
    // next font change, object character or end; all tells whether the whole
    // run fits, and runWidth is then its width.
    int32_t FitRun(TextMeasurer& m, int32_t i, int32_t end, int32_t room, bool& all, int32_t& runWidth) const;
    int32_t FitChars(TextMeasurer& m, LayoutPass& pass, int32_t y, int32_t width, int32_t start, int32_t n);
    void FinishLine(TextMeasurer& m, LayoutPass& pass, int32_t& y, int32_t start, int32_t count);
    void PlaceFloat(LayoutPass& pass, int32_t y, TImageObj* image);
    int32_t ClearSpace(const IndentManagerBasic& indents, int32_t y) const;
    int32_t TextRunLength(int32_t i, int32_t end) const;
    bool Linked(int32_t pos) const;
    void DrawMarker(Canvas& canvas, int32_t b, int32_t baseline, int32_t bandBottom, int32_t textHeight);
    void DrawRuns(Canvas& canvas, LineRec& line, int32_t top, int32_t cellX, const IndentManagerBasic& indents);
    // Characters from start that fit in x pixels, floats counting nothing.
    int32_t CharsAtX(TextMeasurer& m, int32_t x, int32_t count, int32_t start) const;
    // The line under a section y, with its top; null past the last line.
    LineRec* LineAtY(int32_t y, int32_t& top);
};

// The label of an ordered list item: letters, roman numerals or decimal, and ".".
std::string ListMarkerLabel(char style, int32_t number);
// Bullets are filled in the level colours only on the classic page colours.
bool FilledBulletBackground(TColor background, const SystemColors& system);
// Windows-1252 case mapping.
uint8_t AnsiUpperByte(uint8_t c);
uint8_t AnsiLowerByte(uint8_t c);

}  // namespace htmlengine
