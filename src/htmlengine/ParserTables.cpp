// Tables: rows, cells and captions, and the flat reading of a table nested
// too deep.

#include "htmlengine/PageParser.h"

#include "htmlengine/PageTables.h"

namespace htmlengine {

uint8_t PageParser::ReadCellAlign() const {
    const std::string* a = AttributeText(t_.Attributes, AlignSy);
    const std::string v = a ? LowerAscii(*a) : std::string();
    return v == "left" ? 1 : v == "center" ? 2 : v == "right" ? 3 : 0;
}

uint8_t PageParser::ReadVAlign(uint8_t fallback) const {
    const std::string* a = AttributeText(t_.Attributes, VAlignSy);
    const std::string v = a ? LowerAscii(*a) : std::string();
    return v == "top" || v == "baseline" ? 0 : v == "middle" ? 1 : v == "bottom" ? 2 : fallback;
}

PageParser::TableStart PageParser::EnterTable() {
    ++depth_;
    CloseLink();
    const TableStart start{fonts_.size(), context_.StyleAdditions, context_.NoBreak, align_};
    CloseSection();
    return start;
}

void PageParser::StartOfCell(const TableStart& start) {
    CloseLink();
    while (fonts_.size() > start.fonts) PopFont();
    context_.StyleAdditions = start.style;
}

void PageParser::LeaveTable(const TableStart& start) {
    context_.StyleAdditions = start.style;
    context_.NoBreak = start.noBreak;
    align_ = start.align;
    --depth_;
    Next();
}

// The rows, cells and caption of a table. The table joins its enclosing
// cell when it is complete; a parse that ends inside it leaves the table
// to the document, and the open section to the table's current cell.
void PageParser::TableElement(int32_t level) {
    if (depth_ >= MaxNestingDepth) {
        Next();
        return;
    }
    if (tableDepth_ >= MaxTableNesting) {
        FlatTable();
        return;
    }
    ++tableDepth_;
    const TableStart start = EnterTable();
    TCell* const enclosing = cell_;
    cell_ = nullptr;
    auto table = std::make_unique<ThtmlTable>(&doc_, level, enclosing, align_, t_.Attributes);
    std::unique_ptr<TCellList> row;
    std::unique_ptr<TCellObj> cell;
    uint8_t rowAlign = 0, rowVAlign = 1;
    auto finishCell = [&] {
        if (!cell) return;
        CloseSection();
        if (!row) row = std::make_unique<TCellList>();
        row->Add(std::move(cell));
        cell_ = nullptr;
    };
    auto finishRow = [&] {
        finishCell();
        if (row) table->Rows.Add(std::move(row));
    };
    try {
        Next();
        while (Sy() != TableEndSy && Sy() != EofSy) {
            const HtmlSymbol sy = Sy();
            if (sy == TDSy || sy == THSy) {
                StartOfCell(start);
                context_.NoBreak = FindAttributeBySymbol(t_.Attributes, NoWrapSy) &&
                                   !FindAttributeBySymbol(t_.Attributes, WidthSy);
                if (row) {
                    finishCell();
                } else {
                    row = std::make_unique<TCellList>();
                    rowAlign = 0;
                    rowVAlign = 1;
                }
                if (sy == THSy) context_.StyleAdditions |= fsBold;
                else context_.StyleAdditions &= static_cast<uint8_t>(~fsBold);
                const uint8_t own = ReadCellAlign();
                align_ = own ? own : rowAlign ? rowAlign : sy == THSy ? 2 : 1;
                cell = std::make_unique<TCellObj>(&doc_, t_.Attributes, ReadVAlign(rowVAlign));
                cell_ = cell->Cell.get();
                t_.SkipBlanks();
                Next();
                t_.ParagraphBreak = true;
                DocumentLoop(0, kCellEnds);
            } else if (sy == TDEndSy || sy == THEndSy) {
                finishCell();
                Next();
            } else if (sy == TRSy) {
                CloseLink();
                finishRow();
                row = std::make_unique<TCellList>(&t_.Attributes);
                rowAlign = ReadCellAlign();
                rowVAlign = ReadVAlign(1);
                Next();
            } else if (sy == TREndSy) {
                CloseLink();
                finishRow();
                Next();
            } else if (sy == CaptionSy) {
                StartOfCell(start);
                context_.NoBreak = false;
                finishCell();
                if (const std::string* a = AttributeText(t_.Attributes, AlignSy)) {
                    table->CaptionOnTop = LowerAscii(*a) != "bottom";
                }
                cell_ = table->Caption->Cell.get();
                align_ = 2;
                Next();
                DocumentLoop(0, kCellEnds);
                CloseSection();
                cell_ = nullptr;
                if (Sy() == CaptionEndSy) Next();
            } else if (sy == TextSy) {
                // Text outside any cell goes ahead of the table.
                if (!cell) cell_ = enclosing;
                DocumentLoop(0, kCellEnds);
                CloseSection();
                if (!cell) cell_ = nullptr;
            } else {
                Next();
            }
        }
    } catch (...) {
        if (cell) {
            if (!row) row = std::make_unique<TCellList>();
            row->Add(std::move(cell));  // cell_ still points into it
        }
        if (row) table->Rows.Add(std::move(row));
        doc_.Adopt(std::move(table));
        --tableDepth_;
        --depth_;
        throw;
    }
    StartOfCell(start);
    finishRow();
    cell_ = enclosing;
    if (cell_) cell_->Add(std::move(table));
    else doc_.Adopt(std::move(table));
    --tableDepth_;
    LeaveTable(start);
}

// A table nested too deep: the content of each cell and caption follows
// the text before it in the enclosing cell, each as its own block.
void PageParser::FlatTable() {
    const TableStart start = EnterTable();
    Next();
    while (Sy() != TableEndSy && Sy() != EofSy) {
        const HtmlSymbol sy = Sy();
        if (sy == TDSy || sy == THSy || sy == CaptionSy) {
            StartOfCell(start);
            context_.NoBreak = sy != CaptionSy && FindAttributeBySymbol(t_.Attributes, NoWrapSy) &&
                               !FindAttributeBySymbol(t_.Attributes, WidthSy);
            if (sy == THSy) context_.StyleAdditions |= fsBold;
            else if (sy == TDSy) context_.StyleAdditions &= static_cast<uint8_t>(~fsBold);
            align_ = sy == TDSy ? 1 : 2;
            CloseSection();
            t_.SkipBlanks();
            Next();
            t_.ParagraphBreak = true;
            DocumentLoop(0, kCellEnds);
            CloseSection();
        } else if (kCellEnds.Has(sy)) {
            CloseLink();
            Next();
        } else if (sy == TextSy) {
            DocumentLoop(0, kCellEnds);
            CloseSection();
        } else {
            Next();
        }
    }
    StartOfCell(start);
    CloseSection();
    LeaveTable(start);
}

}  // namespace htmlengine
