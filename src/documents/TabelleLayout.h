#pragma once
// The arithmetic of the document grid: row count, column widths and the
// height of the description line. Widths are pixels; column 0 holds the
// row numbers, columns 1 to 7 the fields.

#include <array>

namespace tabelle {

using FieldWidths = std::array<int, 7>;  // columns 1 to 7

constexpr int kFieldColumns = 7;
// A header position right of the last column.
constexpr int kNoColumn = 8;

// Header, the used rows and one empty row; at most 501.
int RowCount(int lastUsedRow);
// Room for about four digits, from the width of "0123456789".
int NumberColumnWidth(int digitsWidth);
// 1.1 times the tallest of the three fonts.
int DefaultRowHeight(int headerHeight, int msHeight, int fsHeight);
// Each field column's share of the client width; never below 10.
int EqualColumnWidth(int clientWidth, int numberColumnWidth);
// From the widest text of each column: the columns with text share 92 % of
// the room; a column without text stays 10 wide.
FieldWidths FitAllWidths(const FieldWidths& widestTexts, int clientWidth, int numberColumnWidth);
// The column under x: 0 inside the number column, 1 to 7, or kNoColumn.
int ColumnAtX(int x, int numberColumnWidth, int leftColumn, const FieldWidths& widths);
// The top row while the right button drags: one row per pixel moved, kept
// so that the last used row stays in reach, and at least 1.
int DragTopRow(int dragTopRow, int moved, int lastUsedRow, int clientHeight, int rowHeight);
// Client height of the description line.
int MemoClientHeight(int lines, int fontHeight, bool endsWithLineFeed);

}  // namespace tabelle
