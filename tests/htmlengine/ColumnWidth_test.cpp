#include "htmlengine/TableColumns.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace htmlengine {
namespace {

// Padding and spacing 0, so a cell's range is its content's.
ColumnSet Set(int32_t numCols, std::vector<ColumnCell> cells) {
    ColumnSet s;
    s.NumCols = numCols;
    s.Padding = 0;
    s.Spacing = 0;
    s.Cells = std::move(cells);
    return s;
}

ColumnCell Cell(int32_t column, int32_t min, int32_t max, int32_t specified = 0, bool percent = false, int32_t span = 1) {
    return {column, span, min, max, specified, percent};
}

std::vector<int32_t> First(const ColumnArray& a, int32_t n) { return {a.begin(), a.begin() + n}; }

std::vector<int32_t> Choose(const ColumnSet& set, int32_t w, bool hasWidth, bool fixed = false) {
    ColumnArray percents{}, widths{};
    ChooseColumnWidths(set, w, hasWidth, fixed, percents, widths);
    return First(widths, set.NumCols);
}

TEST(ColumnRanges, SpansPixelWidthsAndPadding) {
    ColumnSet set = Set(2, {Cell(0, 50, 100), Cell(1, 100, 300), Cell(0, 450, 450, 0, false, 2)});
    ColumnRanges r = ColumnWidthRanges(set);
    // The span grows both columns in proportion to their own values.
    EXPECT_THAT(First(r.Min, 2), ::testing::ElementsAre(150, 300));
    EXPECT_THAT(First(r.Max, 2), ::testing::ElementsAre(113, 338));
    EXPECT_EQ(r.TotalMin, 450);

    // Columns with nothing yet: the first takes the whole.
    r = ColumnWidthRanges(Set(3, {Cell(0, 90, 120, 0, false, 3)}));
    EXPECT_THAT(First(r.Min, 3), ::testing::ElementsAre(90, 0, 0));

    // A pixel WIDTH sets both values unless the content needs more; padding
    // and spacing come on top of every cell's own range.
    ColumnSet fixed = Set(2, {Cell(0, 10, 400, 100), Cell(1, 150, 200, 100)});
    fixed.Padding = 1;
    fixed.Spacing = 2;
    r = ColumnWidthRanges(fixed);
    EXPECT_THAT(First(r.Min, 2), ::testing::ElementsAre(104, 154));
    EXPECT_THAT(First(r.Max, 2), ::testing::ElementsAre(104, 154));
}

TEST(ColumnRanges, PercentagesOfCellsAndSpans) {
    ColumnArray percents{};
    // A pixel WIDTH is a share of the table width; a spanning percentage
    // goes to the columns without one.
    ColumnSet set = Set(3, {Cell(0, 10, 10, 100), Cell(1, 10, 10), Cell(2, 10, 10),
                            Cell(1, 10, 10, 600, true, 2)});
    ColumnRanges r = PercentWidthRanges(set, 400, percents);
    EXPECT_THAT(First(percents, 3), ::testing::ElementsAre(250, 300, 300));
    EXPECT_EQ(r.TotalMin, 30);  // pixel widths do not raise the ranges here

    // Spanned percentages below the cell's are scaled up to it, and its
    // minimum is shared by them.
    set = Set(2, {Cell(0, 10, 10, 100, true), Cell(1, 10, 10, 300, true), Cell(0, 200, 200, 800, true, 2)});
    r = PercentWidthRanges(set, 0, percents);
    EXPECT_THAT(First(percents, 2), ::testing::ElementsAre(200, 600));
    EXPECT_THAT(First(r.Min, 2), ::testing::ElementsAre(50, 150));

    // Beside a column with a percentage, the one without takes the span's
    // missing minimum and maximum.
    set = Set(2, {Cell(0, 10, 10, 200, true), Cell(1, 10, 10), Cell(0, 200, 200, 600, true, 2)});
    r = PercentWidthRanges(set, 0, percents);
    EXPECT_THAT(First(percents, 2), ::testing::ElementsAre(200, 400));
    EXPECT_THAT(First(r.Min, 2), ::testing::ElementsAre(10, 190));
    EXPECT_THAT(First(r.Max, 2), ::testing::ElementsAre(10, 190));
}

TEST(ColumnWidths, DistributeBetweenMinimumsAndMaximums) {
    ColumnRanges r;
    r.Min[0] = 50, r.Min[1] = 100, r.Max[0] = 100, r.Max[1] = 300;
    r.TotalMin = 150, r.TotalMax = 400;
    ColumnArray w{};
    struct Case {
        int32_t width;
        bool force;
        std::vector<int32_t> widths;
    } cases[] = {{250, false, {70, 180}}, {500, false, {100, 300}}, {100, false, {50, 100}},
                 {500, true, {120, 380}}};
    for (const Case& c : cases) {
        DistributeWidths(r, 2, c.width, c.force, w);
        EXPECT_EQ(First(w, 2), c.widths) << c.width;
    }
    // Forced with nothing to weigh by: no division by zero.
    ColumnRanges none;
    DistributeWidths(none, 2, 100, true, w);
    EXPECT_THAT(First(w, 2), ::testing::ElementsAre(50, 50));
}

TEST(ColumnWidths, TableWithWidthFitsPercentages) {
    struct Case {
        const char* what;
        ColumnSet set;
        int32_t width;
        std::vector<int32_t> widths;
    } cases[] = {
        {"25 and 75 %", Set(2, {Cell(0, 8, 8, 250, true), Cell(1, 8, 8, 750, true)}), 400, {100, 300}},
        {"a share below the minimum keeps the minimum", Set(2, {Cell(0, 100, 100, 100, true), Cell(1, 10, 500)}),
         400, {100, 300}},
        {"the rest in proportion to the free ranges",
         Set(3, {Cell(0, 10, 10, 500, true), Cell(1, 10, 110), Cell(2, 10, 310)}), 400, {200, 55, 145}},
        {"every percentage column fixed", Set(2, {Cell(0, 100, 100, 100, true), Cell(1, 150, 150, 100, true)}), 400,
         {250, 150}},
        {"percentages past 100 %", Set(2, {Cell(0, 10, 10, 600, true), Cell(1, 10, 10, 600, true)}), 400,
         {200, 200}},
        {"percentages summing to 0", Set(2, {Cell(0, 10, 10, 0, true), Cell(1, 10, 20)}), 400, {200, 200}},
        {"one column pushed to its minimum", Set(2, {Cell(0, 10, 10, 900, true), Cell(1, 280, 280, 500, true)}),
         400, {120, 280}},
    };
    for (const Case& c : cases) EXPECT_EQ(Choose(c.set, c.width, true), c.widths) << c.what;
}

TEST(ColumnWidths, TableWithoutWidth) {
    struct Case {
        const char* what;
        ColumnSet set;
        int32_t width;
        bool fixed;
        std::vector<int32_t> widths;
    } cases[] = {
        {"maximums fit", Set(2, {Cell(0, 20, 100), Cell(1, 30, 50)}), 400, false, {100, 50}},
        {"between the ranges", Set(2, {Cell(0, 50, 100), Cell(1, 100, 300)}), 250, false, {70, 180}},
        {"minimums when nothing fits", Set(2, {Cell(0, 300, 400), Cell(1, 200, 300)}), 250, false, {300, 200}},
        {"fixed cells", Set(2, {Cell(0, 8, 8, 100), Cell(1, 16, 16)}), 400, true, {100, 16}},
        {"percentages that fit take their width", Set(2, {Cell(0, 10, 100, 500, true), Cell(1, 10, 100)}), 400,
         false, {100, 100}},
        {"percentages narrowed to the space", Set(2, {Cell(0, 10, 1000, 500, true), Cell(1, 10, 100)}), 400, false,
         {200, 100}},
        {"a share below its minimum drops", Set(2, {Cell(0, 300, 1000, 100, true), Cell(1, 10, 100)}), 350, false,
         {335, 14}},
        {"no columns", Set(0, {}), 400, false, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(Choose(c.set, c.width, false, c.fixed), c.widths) << c.what;
}

TEST(ColumnWidths, ExtremeRangesStayInside32Bits) {
    std::vector<ColumnCell> cells;
    for (int32_t i = 0; i < MaxTableColumns; ++i) cells.push_back(Cell(i, INT32_MAX, INT32_MAX, INT32_MAX));
    cells.push_back(Cell(0, INT32_MAX, INT32_MAX, 1000, true, MaxTableColumns));
    const ColumnSet set = Set(MaxTableColumns, cells);
    const ColumnRanges r = ColumnWidthRanges(set);
    EXPECT_GT(r.TotalMin, 0);
    for (bool hasWidth : {false, true}) {
        for (int32_t w : Choose(set, 16000, hasWidth)) EXPECT_GE(w, 0);
    }
}

}  // namespace
}  // namespace htmlengine
