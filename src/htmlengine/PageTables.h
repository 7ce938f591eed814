#pragma once
// The TABLE section: rows of cells, each cell a TCell full of sections, and a
// caption. Spans are expanded into a grid once; layout takes the column
// widths, sizes the rows (row spans and HEIGHT included), places the table
// (centred, right or floating) and lays out every cell at its place; paint
// draws backgrounds, borders and the border colour; position questions go
// to the cell under the point.

#include "htmlengine/PageCells.h"
#include "htmlengine/TableColumns.h"

#include <memory>
#include <string>
#include <vector>

namespace htmlengine {

// Every table layout lays out each cell twice, so nested tables cost twice
// as much per level; deeper tables are read as plain blocks.
constexpr int32_t MaxTableNesting = 8;

extern const char* const TooManyColumnsMessage;

class ThtmlTable : public TSectionBase {
public:
    ThtmlTable(TSectionList* document, int32_t listLevel, TCell* enclosingCell, uint8_t alignment,
               const TAttributeList& attributes);

    TFreeList<TCellList> Rows;
    std::unique_ptr<TCellObj> Caption;
    bool GridBuilt = false;
    bool Border = false;
    bool CaptionOnTop = true;
    int32_t ColumnsX = 0;  // of the first column from the table's left edge
    int32_t XIndent = 0;   // of the table within the cell
    uint8_t TableAlign;    // 1 left, 2 centre, 3 right
    bool Floating = false;
    int32_t NumCols = 0;
    int32_t ColumnsWidth = 0;
    int32_t TableWidth = 0;
    int32_t SpecWidth = 0;  // pixels, or percent times 10
    bool WidthIsPercent = false;
    int32_t SpecHeight = 0;
    bool HeightIsPercent = false;
    bool HasFixedCells = false;
    int32_t CaptionHeight = 0;
    int32_t BodyHeight = 0;  // the rows and the spacing below the last
    int32_t CellPadding = 1;
    int32_t CellSpacing = 2;
    int32_t CaptionMinWidth = 0;
    ColumnArray Widths{};
    ColumnArray Percents{};
    int32_t HSpace = 5;
    int32_t VSpace = 0;
    int32_t ListLevel;
    int32_t DrawLeft = 0;  // where the columns were painted last
    int32_t DrawTop = 0;
    bool HasBgColor = false;
    bool HasBorderColor = false;
    TColor BgColor = 0;
    TColor BorderColor = 0;
    TCell* EnclosingCell;

    // Throws EProcessError for a table that cannot be laid out.
    void BuildGrid();

    int32_t LayoutAt(TextMeasurer& m, int32_t y, int32_t& curs, int32_t& maxWidth,
                     IndentManagerBasic& indents) override;
    void WidthRange(TextMeasurer& m, int32_t& min, int32_t& max) override;
    int32_t PaintAt(Canvas& canvas, const TRect& clip, int32_t y, int32_t x, IndentManagerBasic& indents) override;
    void ReapplyFonts() override;

    bool UrlAtPoint(TextMeasurer& m, int32_t x, int32_t y, TFormControlObj*& control, TUrlTarget& target) override;
    bool ImageAtPoint(int32_t x, int32_t y, int32_t& ix, int32_t& iy, TImageObj*& image) override;
    int32_t CursorFromPoint(TextMeasurer& m, int32_t x, int32_t y, bool& inText, int32_t& lineHeight,
                            int32_t& lineY, int32_t& caretX) override;
    void CopySelectedText() override;
    int32_t FindTextFrom(int32_t start, std::string_view text, bool matchCase) override;
    int32_t DisplayToSource(int32_t index) override;
    int32_t SourceToDisplay(int32_t offset, bool towardEnd) override;
    bool CaretPoint(TextMeasurer& m, int32_t index, int32_t& y, int32_t& x) override;
    bool CharAt(int32_t index, char& ch, TSectionBase*& section) override;

private:
    std::string gridError_;  // why the grid could not be built

    bool HasWidth() const { return SpecWidth > 0; }
    void PlaceCells();
    void InheritColors();
    ColumnSet Cells(TextMeasurer& m);
    void SetCellWidths();
    void RowHeights(TextMeasurer& m);
    void StretchRows();
    int32_t PlaceRows(TextMeasurer& m, int32_t y, int32_t& index);
    int32_t BodyTop() const;  // relative to the table's top
    // Where each column starts, from the left of the first.
    ColumnArray ColumnStarts() const;
    // The cell whose place holds the point (y relative to the table's top),
    // with y made relative to the cell's content.
    TCellObj* CellAt(int32_t x, int32_t& y);
    // Caption on top, the cells row by row, caption below.
    std::vector<TCell*> ReadingOrder() const;
};

}  // namespace htmlengine
