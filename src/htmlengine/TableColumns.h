#pragma once
// Column widths of a table: every cell brings its minimum and maximum width,
// spanning cells spread theirs over their columns, pixel and percentage
// widths bend the ranges, and the space decides between minimum, maximum or
// something in between. Plain integer arithmetic over the grid columns;
// percentages are tenths of a percent (1000 = 100 %).

#include <array>
#include <cstdint>
#include <vector>

namespace htmlengine {

constexpr int32_t MaxTableColumns = 200;
// A cell's own range is held below this, so that the sums over all columns
// stay inside 32 bits.
constexpr int32_t MaxColumnExtent = 5000000;

using ColumnArray = std::array<int32_t, MaxTableColumns + 1>;

struct ColumnCell {
    int32_t Column = 0;     // first grid column
    int32_t Span = 1;       // columns covered
    int32_t Min = 0;        // the content's range
    int32_t Max = 0;
    int32_t SpecWidth = 0;  // pixels, or tenths of a percent
    bool WidthIsPercent = false;
};

struct ColumnSet {
    int32_t NumCols = 0;
    int32_t Padding = 1;
    int32_t Spacing = 2;
    std::vector<ColumnCell> Cells;
};

struct ColumnRanges {
    ColumnArray Min{};
    ColumnArray Max{};
    int32_t TotalMin = 0;
    int32_t TotalMax = 0;
};

// The ranges of the columns without percentages.
ColumnRanges ColumnWidthRanges(const ColumnSet& set);
// The ranges with percentages (filled into percents); a pixel WIDTH counts
// as a share of tableWidth when that is positive.
ColumnRanges PercentWidthRanges(const ColumnSet& set, int32_t tableWidth, ColumnArray& percents);
// Between minimums and maximums for the width w.
void DistributeWidths(const ColumnRanges& ranges, int32_t numCols, int32_t w, bool force, ColumnArray& widths);
// Columns of a table with a WIDTH: their percentages of w, the rest shared.
void FitPercentWidths(const ColumnRanges& ranges, const ColumnArray& percents, int32_t numCols, int32_t w,
                      ColumnArray& widths);
// The widths a table lays out its columns in, w being the space for them.
void ChooseColumnWidths(const ColumnSet& set, int32_t w, bool hasWidth, bool hasFixedCells, ColumnArray& percents,
                        ColumnArray& widths);

}  // namespace htmlengine
