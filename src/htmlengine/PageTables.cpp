#include "htmlengine/PageTables.h"

#include "htmlengine/HtmlSymbols.h"
#include "htmlengine/MulDiv.h"

#include <algorithm>

namespace htmlengine {

const char* const TooManyColumnsMessage = "Table has too many Columns";

namespace {

// Heights and widths of a table are summed in 64 bits and held below this.
constexpr int32_t MaxTableExtent = 1 << 29;

int32_t Extent(int64_t v) { return ClampSize(v, -MaxTableExtent, MaxTableExtent); }

}  // namespace

ThtmlTable::ThtmlTable(TSectionList* document, int32_t listLevel, TCell* enclosingCell, uint8_t alignment,
                       const TAttributeList& attributes)
    : TSectionBase(document),
      Caption(std::make_unique<TCellObj>(document, TAttributeList{}, 0)),
      TableAlign(alignment),
      ListLevel(std::clamp(listLevel, 0, MaxNestingDepth)),
      EnclosingCell(enclosingCell) {
    const bool onPage = enclosingCell && enclosingCell == static_cast<TCell*>(document);
    for (const auto& a : attributes) {
        const int32_t v = a->IntValue;
        const bool percent = a->StrValue.find('%') != std::string::npos;
        switch (a->Symbol) {
        case AlignSy: {
            const std::string s = LowerAscii(a->StrValue);
            if (s == "center") {
                TableAlign = 2;
            } else if (s == "left" || s == "right") {
                TableAlign = s == "left" ? 1 : 3;
                Floating = true;
            }
            break;
        }
        case BgColorSy:
            if (auto c = ParseColorValue(a->StrValue)) {
                HasBgColor = true;
                BgColor = *c | PaletteRelative;
            }
            break;
        case BorderColorSy:
            if (auto c = ParseColorValue(a->StrValue)) {
                HasBorderColor = true;
                BorderColor = *c | PaletteRelative;
            }
            break;
        case BorderSy: Border = v > 0; break;
        case CellPaddingSy:
            if (v >= 0) CellPadding = std::min(v, 50);
            break;
        case CellSpacingSy:
            if (v >= 0) CellSpacing = std::min(v, 40);
            break;
        case WidthSy:
            WidthIsPercent = percent;
            SpecWidth = percent ? (v >= 1 && v <= 100 ? v * 10 : 0) : ClampSize(v, 0, MaxPixelSize);
            break;
        case HeightSy:
            HeightIsPercent = percent && onPage && v >= 1 && v <= 110;
            SpecHeight = HeightIsPercent ? v * 10 : ClampSize(v, 0, MaxPixelSize);
            break;
        case HSpaceSy: HSpace = std::clamp(v, -40, 40); break;
        case VSpaceSy: VSpace = std::clamp(v, -200, 200); break;
        default: break;
        }
    }
    if (Border) CellSpacing += 2;
}

// ---- the grid

void ThtmlTable::BuildGrid() {
    // A grid that failed stays failed.
    if (!gridError_.empty()) throw EProcessError(gridError_);
    if (GridBuilt) return;
    try {
        InheritColors();
        PlaceCells();
    } catch (const EProcessError& e) {
        gridError_ = e.what();
        throw;
    }
    NumCols = 0;
    HasFixedCells = false;
    for (const auto& row : Rows) {
        NumCols = std::max(NumCols, row->Places);
        for (const auto& c : *row) HasFixedCells = HasFixedCells || (c->SpecWidth > 0 && !c->WidthIsPercent);
    }
    GridBuilt = true;
}

void ThtmlTable::InheritColors() {
    if (!HasBgColor && EnclosingCell && EnclosingCell->HasBgColor) {
        HasBgColor = true;
        BgColor = EnclosingCell->BgColor;
    }
    for (const auto& row : Rows) {
        for (const auto& c : *row) {
            if (c->Cell->HasBgColor) continue;
            if (row->HasBgColor || HasBgColor) {
                c->Cell->HasBgColor = true;
                c->Cell->BgColor = row->HasBgColor ? row->BgColor : BgColor;
            }
        }
    }
}

// Gives every cell its grid column. A spanning cell stays one object: the
// grid is kept as the row up to which each column is taken. A cell takes
// the next place no span from above covers, and each further place of its
// column span is taken the same way, so a covered place can split a cell
// from the rest of its span; the places of a cell with a row span, the
// further ones included, are taken in the rows below. A row span is cut to
// the rows there are.
void ThtmlTable::PlaceCells() {
    const int32_t rows = Rows.Count();
    ColumnArray takenUntil{};  // the first row no span covers
    int32_t reach = 0;         // no place right of it is covered
    for (int32_t j = 0; j < rows; ++j) {
        TCellList* row = Rows[j];
        while (reach > 0 && takenUntil[reach - 1] <= j) --reach;
        const int32_t coveredEnd = reach;
        int32_t p = 0;
        auto take = [&](int32_t rowSpan) {
            while (p < reach && takenUntil[p] > j) ++p;
            if (p >= MaxTableColumns) throw EProcessError(TooManyColumnsMessage);
            if (rowSpan > 1) {
                takenUntil[p] = j + rowSpan;
                reach = std::max(reach, p + 1);
            }
            return p++;
        };
        for (const auto& c : *row) {
            c->RowSpan = std::min(c->RowSpan, rows - j);
            c->Col = take(c->RowSpan);
            for (int32_t n = 1; n < c->ColSpan; ++n) take(c->RowSpan);
        }
        row->Places = std::max(p, coveredEnd);
    }
}

// ---- layout

ColumnSet ThtmlTable::Cells(TextMeasurer& m) {
    ColumnSet set;
    set.NumCols = NumCols;
    set.Padding = CellPadding;
    set.Spacing = CellSpacing;
    size_t count = 0;
    for (const auto& row : Rows) count += static_cast<size_t>(row->Count());
    set.Cells.reserve(count);
    for (const auto& row : Rows) {
        for (const auto& c : *row) {
            ColumnCell cell{c->Col, c->ColSpan, 0, 0, c->SpecWidth, c->WidthIsPercent};
            c->Cell->WidthRange(m, cell.Min, cell.Max);
            set.Cells.push_back(cell);
        }
    }
    return set;
}

void ThtmlTable::SetCellWidths() {
    for (const auto& row : Rows) {
        for (const auto& c : *row) {
            int64_t w = 0;
            for (int32_t k = c->Col; k < std::min(NumCols, c->Col + c->ColSpan); ++k) w += Widths[k];
            c->CellWidth = Extent(w);
        }
    }
}

void ThtmlTable::RowHeights(TextMeasurer& m) {
    struct Spanning {
        int32_t span, row;
        TCellObj* cell;
    };
    const int32_t pad = 2 * CellPadding;
    auto measure = [&](const Spanning& s) {
        TCellObj* c = s.cell;
        int32_t h = 0;
        if (c->HasContent()) {
            int32_t scratch = 0, w = 0;
            h = c->Cell->LayoutAt(m, 0, scratch, w, std::max(0, c->CellWidth - pad - CellSpacing));
        }
        c->ContentHeight = h;
        const int64_t need = int64_t(std::max(h, c->SpecHeight - pad)) + pad + CellSpacing;
        if (s.span == 1) {
            TCellList* row = Rows[s.row];
            row->RowHeight = Extent(std::max<int64_t>(row->RowHeight, need));
            return;
        }
        int64_t sum = 0;
        for (int32_t k = s.row; k < s.row + s.span; ++k) sum += Rows[k]->RowHeight;
        if (sum >= need) return;
        const int64_t share = (need - sum) / s.span;
        for (int32_t k = s.row; k < s.row + s.span; ++k) Rows[k]->RowHeight = Extent(Rows[k]->RowHeight + share);
        TCellList* last = Rows[s.row + s.span - 1];
        last->RowHeight = Extent(last->RowHeight + (need - sum) % s.span);
    };
    // In passes of growing row span, each pass in reading order. The cells
    // of one row, most of a large table, are measured where they lie.
    // A cell's row span is at least 1.
    std::vector<Spanning> longer;
    for (int32_t j = 0; j < Rows.Count(); ++j) {
        Rows[j]->RowHeight = 0;
        for (const auto& c : *Rows[j]) {
            if (c->RowSpan > 1) longer.push_back({c->RowSpan, j, c.get()});
        }
    }
    std::stable_sort(longer.begin(), longer.end(), [](const Spanning& a, const Spanning& b) { return a.span < b.span; });
    for (int32_t j = 0; j < Rows.Count(); ++j) {
        for (const auto& c : *Rows[j]) {
            if (c->RowSpan == 1) measure({1, j, c.get()});
        }
    }
    std::for_each(longer.begin(), longer.end(), measure);
}

void ThtmlTable::StretchRows() {
    const int32_t rows = Rows.Count();
    if (SpecHeight <= 0 || rows == 0) return;  // no rows: nothing to stretch
    int64_t target = SpecHeight;
    if (HeightIsPercent) {
        const TViewport v = EnclosingCell && EnclosingCell->Document ? EnclosingCell->Document->Viewport : TViewport{};
        target = (int64_t(v.ClientHeight) - 2 * int64_t(v.MarginHeight) - CellSpacing - 3) * SpecHeight / 1000;
    }
    int64_t sum = 0;
    for (const auto& row : Rows) sum += row->RowHeight;
    if (sum >= target) return;
    const int64_t share = (target - sum) / rows;
    for (int32_t j = 0; j + 1 < rows; ++j) Rows[j]->RowHeight = Extent(Rows[j]->RowHeight + share);
    TCellList* last = Rows[rows - 1];
    last->RowHeight = Extent(last->RowHeight + (target - sum) - share * (rows - 1));
}

int32_t ThtmlTable::PlaceRows(TextMeasurer& m, int32_t y, int32_t& index) {
    const int32_t pad = 2 * CellPadding;
    std::vector<int64_t> tops(static_cast<size_t>(Rows.Count()) + 1, y);
    for (int32_t j = 0; j < Rows.Count(); ++j) tops[j + 1] = tops[j] + Rows[j]->RowHeight;
    for (int32_t j = 0; j < Rows.Count(); ++j) {
        TCellList* row = Rows[j];
        const int64_t rowY = tops[j];
        row->SpanHeight = 0;
        for (const auto& c : *row) {
            c->CellHeight = Extent(tops[j + c->RowSpan] - rowY);
            row->SpanHeight = std::max(row->SpanHeight, c->CellHeight);
            if (!c->HasContent()) continue;
            const int32_t free = c->CellHeight - c->ContentHeight - CellSpacing - pad;
            c->YIndent = c->VAlign == 1 ? free / 2 : c->VAlign == 2 ? free : 0;
            int32_t w = 0;
            c->Cell->LayoutAt(m, Extent(rowY + CellSpacing + CellPadding + c->YIndent), index, w,
                              std::max(0, c->CellWidth - CellSpacing - pad));
        }
    }
    return Extent(tops.back() - y + CellSpacing);
}

int32_t ThtmlTable::LayoutAt(TextMeasurer& m, int32_t y, int32_t& curs, int32_t& maxWidth,
                             IndentManagerBasic& indents) {
    Top = y;
    FirstIndex = curs;
    indents.SetLevel(y, ListLevel);
    const int32_t left = indents.LeftEdgeAt(y);
    const int32_t avail = indents.RightEdgeAt(y) - left;
    int64_t b = avail;
    if (HasWidth()) b = WidthIsPercent ? int64_t(avail) * SpecWidth / 1000 : SpecWidth;
    const int32_t w = Extent(std::max<int64_t>(b - CellSpacing, 20));

    BuildGrid();
    Widths.fill(0);
    ChooseColumnWidths(Cells(m), w, HasWidth(), HasFixedCells, Percents, Widths);
    int64_t columns = CellSpacing;
    for (int32_t i = 0; i < NumCols; ++i) columns += Widths[i];
    ColumnsWidth = Extent(columns);
    int32_t captionMax = 0;
    Caption->Cell->WidthRange(m, CaptionMinWidth, captionMax);
    TableWidth = std::max(ColumnsWidth, CaptionMinWidth);
    SetCellWidths();
    RowHeights(m);

    int32_t index = curs, unused = 0;
    int64_t height = 0;
    CaptionHeight = 0;
    if (CaptionOnTop) height = CaptionHeight = Caption->Cell->LayoutAt(m, y, index, unused, TableWidth);
    StretchRows();
    BodyHeight = PlaceRows(m, Extent(y + height), index);
    height += BodyHeight;
    if (!CaptionOnTop) {
        CaptionHeight = Caption->Cell->LayoutAt(m, Extent(y + height), index, unused, TableWidth);
        height += CaptionHeight;
    }

    XIndent = 0;
    if (TableWidth < avail) {
        XIndent = TableAlign == 2 ? (avail - TableWidth) / 2 : TableAlign == 3 ? avail - TableWidth : 0;
    }
    XIndent += left;
    ColumnsX = (TableWidth - ColumnsWidth) / 2 + XIndent;
    Len = index - FirstIndex;
    curs = index;
    maxWidth = TableWidth;
    if (Floating) {
        height += 2 * VSpace;
        DrawHeight = Extent(height);
        indents.AddFloat(Top, TableWidth + HSpace + 1, DrawHeight, TableAlign == 1 ? 1 : 3);
        Height = 0;
        return 0;
    }
    Height = DrawHeight = Extent(height);
    return Height;
}

void ThtmlTable::WidthRange(TextMeasurer& m, int32_t& min, int32_t& max) {
    BuildGrid();
    const ColumnSet set = Cells(m);
    const bool pixelWidth = HasWidth() && !WidthIsPercent;
    const ColumnRanges r = HasFixedCells && !HasWidth() ? ColumnWidthRanges(set)
                                                        : PercentWidthRanges(set, pixelWidth ? SpecWidth : 0, Percents);
    int64_t lo = int64_t(r.TotalMin) + CellSpacing, hi = int64_t(r.TotalMax) + CellSpacing;
    if (pixelWidth) {
        lo = std::max<int64_t>(lo, SpecWidth);
        hi = std::max<int64_t>(hi, SpecWidth);
    }
    int32_t captionMin = 0, captionMax = 0;
    Caption->Cell->WidthRange(m, captionMin, captionMax);
    min = Extent(std::max<int64_t>(lo, captionMin));
    max = Extent(std::max<int64_t>(hi, captionMin));
}

void ThtmlTable::ReapplyFonts() {
    for (TCell* cell : ReadingOrder()) cell->ReapplyFonts();
}

// ---- painting

int32_t ThtmlTable::PaintAt(Canvas& canvas, const TRect& clip, int32_t y, int32_t x, IndentManagerBasic&) {
    const int32_t next = y + Height;
    const int32_t yo = Document ? Document->YOffset : 0;
    const int32_t top = y + (Floating ? VSpace : 0);
    if (top - yo >= clip.Bottom || top + DrawHeight - yo <= clip.Top) return next;
    DrawLeft = x + ColumnsX;
    DrawTop = top;
    const TColor page = Document ? Document->Background : clWindow;
    const int32_t bodyTop = top + BodyTop();
    const int32_t bodyBottom = bodyTop + BodyHeight;
    if (CaptionOnTop) Caption->Cell->PaintAt(canvas, clip, top, x + XIndent, TableWidth);

    const TRect region{DrawLeft, std::max(bodyTop - yo, clip.Top - 1), DrawLeft + ColumnsWidth,
                       std::min(bodyBottom - yo, clip.Bottom)};
    std::vector<TRect> holes;
    const ColumnArray starts = ColumnStarts();
    int32_t rowTop = bodyTop;
    for (const auto& row : Rows) {
        if (rowTop - yo < clip.Bottom && rowTop + row->SpanHeight - yo > clip.Top) {
            for (const auto& c : *row) {
                if (c->HasContent()) {
                    const int32_t cx = DrawLeft + starts[c->Col];
                    const int32_t t = rowTop - yo;
                    const TRect box{cx + CellSpacing, t + CellSpacing, cx + c->CellWidth, t + c->CellHeight};
                    if (c->Cell->HasBgColor) {
                        canvas.FillRect({box.Left, std::clamp(box.Top, -200, 3000), box.Right,
                                         std::clamp(box.Bottom, -200, 3000)},
                                        c->Cell->BgColor);
                    }
                    c->Cell->PaintAt(canvas, clip, rowTop + CellSpacing + CellPadding + c->YIndent,
                                     cx + CellSpacing + CellPadding, c->CellWidth - CellSpacing - 2 * CellPadding);
                    if (Border) DrawBorder3D(page, canvas, box.Left - 1, box.Top - 1, box.Right, box.Bottom, false);
                    if (HasBorderColor) {
                        holes.push_back(Border ? TRect{box.Left - 1, box.Top - 1, box.Right + 1, box.Bottom + 1} : box);
                    }
                }
            }
        }
        rowTop += row->RowHeight;
    }
    if (HasBorderColor && region.Top < region.Bottom) canvas.FillRegion(region, holes, BorderColor);
    if (Border) {
        DrawBorder3D(page, canvas, DrawLeft, bodyTop - yo, DrawLeft + ColumnsWidth - 1, bodyBottom - yo - 1, true);
    }
    if (!CaptionOnTop) Caption->Cell->PaintAt(canvas, clip, bodyBottom, x + XIndent, TableWidth);
    return next;
}

// ---- position questions

int32_t ThtmlTable::BodyTop() const { return CaptionOnTop ? CaptionHeight : 0; }

ColumnArray ThtmlTable::ColumnStarts() const {
    ColumnArray starts{};
    for (int32_t i = 0; i < NumCols; ++i) starts[i + 1] = Extent(int64_t(starts[i]) + Widths[i]);
    return starts;
}

TCellObj* ThtmlTable::CellAt(int32_t x, int32_t& y) {
    const int64_t docY = int64_t(Top) + y;
    const bool inCaption = CaptionOnTop ? y < CaptionHeight : y >= BodyHeight;
    if (inCaption) {
        const int32_t left = DrawLeft - ColumnsX + XIndent;
        if (x < left || x >= left + TableWidth || !Caption->HasContent()) return nullptr;
        y = Extent(docY - Caption->Cell->LayoutY);
        return Caption.get();
    }
    if (x < DrawLeft || x >= DrawLeft + ColumnsWidth) return nullptr;
    const ColumnArray starts = ColumnStarts();
    int64_t rowTop = int64_t(Top) + BodyTop();
    for (const auto& row : Rows) {
        if (docY < rowTop) break;
        for (const auto& c : *row) {
            const int32_t cx = DrawLeft + starts[c->Col];
            if (c->HasContent() && x >= cx && x < cx + c->CellWidth && docY < rowTop + c->CellHeight) {
                y = Extent(docY - c->Cell->LayoutY);
                return c.get();
            }
        }
        rowTop += row->RowHeight;
    }
    return nullptr;
}

bool ThtmlTable::UrlAtPoint(TextMeasurer& m, int32_t x, int32_t y, TFormControlObj*& control, TUrlTarget& target) {
    if (y < 0 || y >= DrawHeight) return false;
    TCellObj* c = CellAt(x, y);
    return c && c->Cell->UrlAtPoint(m, x, y, control, target);
}

bool ThtmlTable::ImageAtPoint(int32_t x, int32_t y, int32_t& ix, int32_t& iy, TImageObj*& image) {
    if (y < 0 || y >= DrawHeight) return false;
    TCellObj* c = CellAt(x, y);
    return c && c->Cell->ImageAtPoint(x, y, ix, iy, image);
}

int32_t ThtmlTable::CursorFromPoint(TextMeasurer& m, int32_t x, int32_t y, bool& inText, int32_t& lineHeight,
                                    int32_t& lineY, int32_t& caretX) {
    if (y < 0 || y >= Height) return -1;
    int32_t inCell = y;
    TCellObj* c = CellAt(x, inCell);
    if (!c) return -1;
    TCell* cell = nullptr;
    const int32_t r = c->Cell->CursorFromPoint(m, x, inCell, inText, lineHeight, lineY, caretX, cell);
    lineY += y - inCell;
    return r;
}

// ---- text in reading order

std::vector<TCell*> ThtmlTable::ReadingOrder() const {
    std::vector<TCell*> cells;
    if (CaptionOnTop) cells.push_back(Caption->Cell.get());
    for (const auto& row : Rows) {
        for (const auto& c : *row) cells.push_back(c->Cell.get());
    }
    if (!CaptionOnTop) cells.push_back(Caption->Cell.get());
    return cells;
}

void ThtmlTable::CopySelectedText() {
    for (TCell* cell : ReadingOrder()) cell->CopySelected();
}

int32_t ThtmlTable::FindTextFrom(int32_t start, std::string_view text, bool matchCase) {
    for (TCell* cell : ReadingOrder()) {
        if (int32_t r = cell->FindTextFrom(start, text, matchCase); r >= 0) return r;
    }
    return -1;
}

int32_t ThtmlTable::DisplayToSource(int32_t index) {
    for (TCell* cell : ReadingOrder()) {
        if (int32_t r = cell->DisplayToSource(index); r >= 0) return r;
    }
    return -1;
}

int32_t ThtmlTable::SourceToDisplay(int32_t offset, bool towardEnd) {
    std::vector<TCell*> cells = ReadingOrder();
    std::erase(cells, Caption->Cell.get());
    if (towardEnd) std::reverse(cells.begin(), cells.end());
    cells.insert(towardEnd ? cells.end() : cells.begin(), Caption->Cell.get());
    for (TCell* cell : cells) {
        if (int32_t r = cell->SourceToDisplay(offset, towardEnd); r >= 0) return r;
    }
    return -1;
}

bool ThtmlTable::CaretPoint(TextMeasurer& m, int32_t index, int32_t& y, int32_t& x) {
    for (TCell* cell : ReadingOrder()) {
        if (cell->CaretPoint(m, index, y, x)) return true;
    }
    return false;
}

bool ThtmlTable::CharAt(int32_t index, char& ch, TSectionBase*& section) {
    if (index < FirstIndex || index > FirstIndex + Len) return false;
    std::vector<TCell*> cells = ReadingOrder();
    std::erase(cells, Caption->Cell.get());
    cells.insert(cells.begin(), Caption->Cell.get());
    for (TCell* cell : cells) {
        if (cell->CharAt(index, ch, section)) return true;
    }
    return false;
}

}  // namespace htmlengine
