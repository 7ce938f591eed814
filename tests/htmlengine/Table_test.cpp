#include "PageFixture.h"
#include "htmlengine/PageTables.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace htmlengine::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Times New Roman 12 pt on the fixed measurer: lines 16 px, baseline 12,
// letters 8 px, blanks 4 px.

ThtmlTable* TableIn(const TCell& cell) {
    for (const auto& s : cell)
        if (auto* t = dynamic_cast<ThtmlTable*>(s.get())) return t;
    return nullptr;
}

std::string CellText(const TCellObj* c) {
    std::string text;
    if (!c->Cell) return text;
    for (const auto& s : *c->Cell)
        if (auto* t = dynamic_cast<const TSection*>(s.get())) text += t->Chars;
    return text;
}

// One string per row: a cell's text (its first letter), '+' a further
// place of a cell that spans rows too, '.' any other place.
std::vector<std::string> Grid(const ThtmlTable& t) {
    std::vector<std::string> rows;
    for (const auto& row : t.Rows) {
        std::string r(static_cast<size_t>(row->Places), '.');
        for (const auto& c : *row) {
            r[c->Col] = CellText(c.get()).substr(0, 1)[0];
            for (int32_t k = c->Col + 1; c->RowSpan > 1 && k < std::min(row->Places, c->Col + c->ColSpan); ++k)
                r[k] = '+';
        }
        rows.push_back(r);
    }
    return rows;
}

// The column of each cell of a row.
std::vector<int32_t> Columns(const TCellList& row) {
    std::vector<int32_t> cols;
    for (const auto& c : row) cols.push_back(c->Col);
    return cols;
}

// A page whose layout errors are collected.
struct TablePage : Page {
    explicit TablePage(const std::string& html, int32_t width = 400) {
        doc.OnLayoutError = [this](const std::string& e) { errors.push_back(e); };
        Load(html, width);
    }
    ThtmlTable& Table() {
        ThtmlTable* t = TableIn(doc);
        if (!t) throw std::runtime_error("no table");
        return *t;
    }
    std::vector<std::string> errors;
};

std::string Repeat(const std::string& s, int n) {
    std::string r;
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

// ---- structure

TEST(TableGrid, SpansBecomeBlocksOfTheGrid) {
    TablePage p("<table><tr><td colspan=3 rowspan=2>A<td>B<tr><td>C<tr><td>D<td>E</table>");
    ThtmlTable& t = p.Table();
    EXPECT_THAT(Grid(t), ElementsAre("A++B", "...C", "DE"));
    EXPECT_EQ(t.NumCols, 4);
    EXPECT_EQ((*t.Rows[0])[0]->RowSpan, 2);

    // A row span past the last row ends at the last row.
    TablePage cut("<table><tr><td rowspan=5>A<td>B<tr><td>C</table>");
    EXPECT_THAT(Grid(cut.Table()), ElementsAre("AB", ".C"));
    EXPECT_EQ((*cut.Table().Rows[0])[0]->RowSpan, 2);

    // Row spans further right pad the rows below.
    TablePage right("<table><tr><td>A<td>B<td rowspan=3>C<tr><td>D<tr></table>");
    EXPECT_THAT(Grid(right.Table()), ElementsAre("ABC", "D..", "..."));

    // A place covered from above splits a cell from the rest of its column
    // span: D spans columns 0 to 2 and its further places lie at 1 and 3,
    // which its row span takes below it.
    TablePage split("<table><tr><td>A<td>B<td rowspan=3>C<tr><td colspan=3 rowspan=2>D<tr><td>E<tr><td>F</table>");
    ThtmlTable& s = split.Table();
    EXPECT_EQ(s.NumCols, 5);
    EXPECT_THAT(Columns(*s.Rows[1]), ElementsAre(0));
    EXPECT_EQ(s.Rows[1]->Places, 4);
    EXPECT_THAT(Columns(*s.Rows[2]), ElementsAre(4));
    EXPECT_THAT(Columns(*s.Rows[3]), ElementsAre(0));
    TCellObj* d = (*s.Rows[1])[0];
    EXPECT_EQ(d->CellWidth, s.Widths[0] + s.Widths[1] + s.Widths[2]);
}

TEST(TableGrid, ParserRulesForRowsCellsAndCaption) {
    TablePage p("<table border>vorher<caption align=bottom>Unter</caption>"
                "<tr align=right valign=bottom><th>Kopf<td>rechts<td align=center valign=top>mitte"
                "<tr><th>K2<td><b>fett<td nowrap>x y<td nowrap width=5>z w</table>nach");
    ThtmlTable& t = p.Table();
    // Text outside any cell goes ahead of the table, the rest after it.
    EXPECT_THAT(p.Dump(), ElementsAre("text a1 l0 'vorher'", "?", "text a1 l0 'nach'"));
    EXPECT_FALSE(t.CaptionOnTop);
    EXPECT_EQ(CellText(t.Caption.get()), "Unter");
    ASSERT_EQ(t.Rows.Count(), 2);
    auto section = [&](int row, int col) {
        return dynamic_cast<const TSection*>((*(*t.Rows[row])[col]->Cell)[0]);
    };
    EXPECT_EQ(section(0, 0)->Alignment, 3);  // the row's ALIGN holds for TH too
    EXPECT_EQ(section(0, 1)->Alignment, 3);
    EXPECT_EQ(section(0, 2)->Alignment, 2);
    EXPECT_EQ((*t.Rows[0])[1]->VAlign, 2);
    EXPECT_EQ((*t.Rows[0])[2]->VAlign, 0);
    EXPECT_EQ(section(1, 0)->Alignment, 2);  // TH centred and bold
    EXPECT_EQ(section(1, 0)->DefaultFont().Style & fsBold, fsBold);
    EXPECT_EQ(section(1, 1)->Alignment, 1);
    EXPECT_EQ((*t.Rows[1])[1]->VAlign, 1);
    // An unclosed B ends with its cell.
    EXPECT_EQ(section(1, 2)->DefaultFont().Style & fsBold, 0);
    EXPECT_EQ(section(1, 2)->Chars, "x\xA0y");  // NOWRAP without WIDTH
    EXPECT_EQ(section(1, 3)->Chars, "z w");
    EXPECT_TRUE(t.Border);
    EXPECT_EQ(t.CellSpacing, 4);  // BORDER without a value adds 2
}

TEST(TableGrid, AttributesAreBounded) {
    struct Case {
        const char* attrs;
        int32_t padding, spacing, specWidth, specHeight, hspace, vspace;
        bool widthPercent, heightPercent;
    } cases[] = {
        {"", 1, 2, 0, 0, 5, 0, false, false},
        {"cellpadding=99 cellspacing=77 hspace=-99 vspace=999", 50, 40, 0, 0, -40, 200, false, false},
        {"cellpadding=-3 cellspacing=-1 border=2", 1, 4, 0, 0, 5, 0, false, false},
        {"width=50% height=110%", 1, 2, 500, 1100, 5, 0, true, true},
        {"width=150% height=111%", 1, 2, 0, 111, 5, 0, true, false},
        {"width=2147483647 height=-5", 1, 2, MaxPixelSize, 0, 5, 0, false, false},
    };
    for (const Case& c : cases) {
        TablePage p(std::string("<table ") + c.attrs + "><tr><td>a</table>");
        ThtmlTable& t = p.Table();
        EXPECT_EQ(t.CellPadding, c.padding) << c.attrs;
        EXPECT_EQ(t.CellSpacing, c.spacing) << c.attrs;
        EXPECT_EQ(t.SpecWidth, c.specWidth) << c.attrs;
        EXPECT_EQ(t.WidthIsPercent, c.widthPercent) << c.attrs;
        EXPECT_EQ(t.SpecHeight, c.specHeight) << c.attrs;
        EXPECT_EQ(t.HeightIsPercent, c.heightPercent) << c.attrs;
        EXPECT_EQ(t.HSpace, c.hspace) << c.attrs;
        EXPECT_EQ(t.VSpace, c.vspace) << c.attrs;
    }
    // A percentage HEIGHT counts only for a table on the page itself.
    TablePage nested("<table><tr><td><table height=50%><tr><td>a</table></table>");
    ThtmlTable* inner = TableIn(*(*nested.Table().Rows[0])[0]->Cell);
    ASSERT_NE(inner, nullptr);
    EXPECT_FALSE(inner->HeightIsPercent);
    EXPECT_EQ(inner->SpecHeight, 50);
}

TEST(TableGrid, ColoursComeFromCellRowTableAndEnclosingCell) {
    TablePage p("<table><tr><td bgcolor=#ff0000>a<td><table><tr><td>in</table>"
                "<tr bgcolor=#00ff00><td>b</table><table bgcolor=#0000ff><tr><td>c</table>");
    ThtmlTable& t = p.Table();
    TCellObj* own = (*t.Rows[0])[0];
    EXPECT_EQ(own->Cell->BgColor, 0x0000FFu | PaletteRelative);
    EXPECT_FALSE((*t.Rows[0])[1]->Cell->HasBgColor);
    EXPECT_EQ((*t.Rows[1])[0]->Cell->BgColor, 0x00FF00u | PaletteRelative);
    ThtmlTable* inner = TableIn(*(*t.Rows[0])[1]->Cell);
    ASSERT_NE(inner, nullptr);
    EXPECT_FALSE(inner->HasBgColor);

    TablePage blue("<table bgcolor=#0000ff><tr><td>c<td bgcolor=red><table><tr><td>in</table></table>");
    ThtmlTable& b = blue.Table();
    EXPECT_EQ((*b.Rows[0])[0]->Cell->BgColor, 0xFF0000u | PaletteRelative);
    ThtmlTable* red = TableIn(*(*b.Rows[0])[1]->Cell);
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(red->BgColor, 0x0000FFu | PaletteRelative);  // the enclosing cell's colour
    EXPECT_EQ((*red->Rows[0])[0]->Cell->BgColor, 0x0000FFu | PaletteRelative);
}

TEST(TableGrid, TooManyColumnsIsReportedAndThePageStaysLaidOut) {
    TablePage wide("<table><tr>" + Repeat("<td>x", 201) + "</table>nach");
    EXPECT_THAT(wide.errors, ElementsAre("Table has too many Columns"));
    EXPECT_EQ(TableIn(wide.doc), nullptr);
    EXPECT_EQ(wide.doc.Orphans.Count(), 1);
    EXPECT_THAT(wide.Dump(), ElementsAre("text a1 l0 'nach'"));
    EXPECT_EQ(wide.height, 16);

    TablePage full("<table cellspacing=0 cellpadding=0><tr>" + Repeat("<td>x", 200) + "</table>");
    EXPECT_THAT(full.errors, IsEmpty());
    EXPECT_EQ(full.Table().NumCols, 200);

    // Spans cannot make the grid grow without bound.
    for (const char* html : {"<table><tr><td colspan=2000000000>x</table>",
                             "<table><tr><td>a<td colspan=150 rowspan=2>b<tr><td colspan=60>c</table>"}) {
        TablePage huge(html);
        EXPECT_THAT(huge.errors, ElementsAre("Table has too many Columns")) << html;
    }
    // Long row spans are cut to the rows there are, and the table is laid out.
    std::string covering = "<table><tr>" + Repeat("<td rowspan=999999>x", 199) + Repeat("<tr>", 6000) + "</table>";
    TablePage covered(covering);
    EXPECT_THAT(covered.errors, IsEmpty());
    ThtmlTable& tall = covered.Table();
    EXPECT_EQ(tall.NumCols, 199);
    ASSERT_EQ(tall.Rows.Count(), 6001);
    EXPECT_EQ((*tall.Rows[0])[198]->RowSpan, 6001);
    EXPECT_EQ(tall.Rows[6000]->Places, 199);

    // A table too wide inside a cell leaves only that cell; measuring it again fails again.
    TablePage nested("<table><tr><td>a<td><table><tr>" + Repeat("<td>x", 201) + "</table></table>");
    EXPECT_THAT(nested.errors, ElementsAre("Table has too many Columns"));
    ThtmlTable& outer = nested.Table();
    EXPECT_EQ(TableIn(*(*outer.Rows[0])[1]->Cell), nullptr);
    auto* orphan = dynamic_cast<ThtmlTable*>(nested.doc.Orphans[0]);
    ASSERT_NE(orphan, nullptr);
    EXPECT_THROW(orphan->BuildGrid(), EProcessError);
}

TEST(TableGrid, ParseEndingInsideATableKeepsItWithTheDocument) {
    TablePage p("<table><tr><td><a name=innen href=x>link</a><table><tr><td>tief<b>x<!-- offen");
    EXPECT_EQ(TableIn(p.doc), nullptr);
    EXPECT_EQ(p.doc.Orphans.Count(), 2);  // inner and outer table
    ASSERT_EQ(p.doc.LinkList.size(), 1u);
    EXPECT_EQ(p.doc.LinkList[0]->Section->Document, &p.doc);
    ASSERT_NE(p.anchors.Find("INNEN"), nullptr);
    auto* inner = dynamic_cast<ThtmlTable*>(p.doc.Orphans[0]);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(CellText((*inner->Rows[0])[0]), "tiefx");
}

TEST(TableGrid, TablesNestedTooDeepAreReadAsBlocks) {
    std::string html;
    for (int i = 0; i < 12; ++i) html += "<table><tr><td>";
    html += "tief";
    TablePage p(html);
    int depth = 0;
    const TCell* cell = &p.doc;
    while (ThtmlTable* t = TableIn(*cell)) {
        ++depth;
        cell = (*t->Rows[0])[0]->Cell.get();
    }
    EXPECT_EQ(depth, MaxTableNesting);
    EXPECT_GE(p.doc.FindTextFrom(0, "tief", true), 0);
}

// ---- layout

TEST(TableLayout, ColumnsRowsAndPlaces) {
    TablePage p("<table><tr><td>ab<td>abcd</table>");
    ThtmlTable& t = p.Table();
    // Cells 16 and 32 wide, each with padding 2 x 1 and spacing 2.
    EXPECT_EQ(t.Widths[0], 20);
    EXPECT_EQ(t.Widths[1], 36);
    EXPECT_EQ(t.ColumnsWidth, 58);
    EXPECT_EQ(t.Rows[0]->RowHeight, 20);
    EXPECT_EQ(t.Height, 22);
    EXPECT_EQ(p.height, 22);
    TCellObj* second = (*t.Rows[0])[1];
    EXPECT_EQ(second->CellWidth, 36);
    EXPECT_EQ(second->Cell->LayoutY, 3);
    EXPECT_EQ(second->Cell->Indents.AvailWidth, 32);

    struct Case {
        const char* html;
        int32_t width;
        std::vector<int32_t> widths;
    } cases[] = {
        // 50 % of 600 less the spacing.
        {"<table width=50%><tr><td>a</table>", 600, {298}},
        {"<table width=402 cellpadding=0><tr><td width=25%>a<td width=75%>b</table>", 400, {100, 300}},
        {"<table cellspacing=0 cellpadding=0><tr><td width=100>a<td>bb</table>", 400, {100, 16}},
        // A spanning cell wider than its columns widens them by their minimums.
        {"<table cellspacing=0 cellpadding=0><tr><td colspan=2>abcdefghij<tr><td>a<td>bbb</table>", 400, {20, 60}},
        // Too narrow for the words: the minimums.
        {"<table width=30 cellspacing=0 cellpadding=0><tr><td>abcdef ab<td>abc</table>", 400, {48, 24}},
        {"<table cellspacing=0 cellpadding=0><tr><td>abcdef abcdef<td>abcdef</table>", 80, {48, 48}},
        // Never less than 20 for the columns.
        {"<table width=1 cellspacing=0 cellpadding=0><tr><td></table>", 400, {20}},
        // Percentages summing to 0 or past 100.
        {"<table width=200 cellspacing=0 cellpadding=0><tr><td width=0%>a<td width=100%>b<td width=100%>c</table>",
         400, {8, 96, 96}},
    };
    for (const Case& c : cases) {
        TablePage q(c.html, c.width);
        ThtmlTable& table = q.Table();
        ASSERT_EQ(table.NumCols, static_cast<int32_t>(c.widths.size())) << c.html;
        for (size_t i = 0; i < c.widths.size(); ++i) EXPECT_EQ(table.Widths[i], c.widths[i]) << c.html << " " << i;
    }
}

// Every row of a table at its place: its cells in columns 0 to n - 1, its
// height, and each cell's content at the row's top plus the padding.
void ExpectLaidOutRowByRow(const ThtmlTable& t, int32_t columns, const std::vector<int32_t>& heights) {
    ASSERT_EQ(t.Rows.Count(), static_cast<int32_t>(heights.size()));
    std::vector<int32_t> expected(static_cast<size_t>(columns));
    for (int32_t i = 0; i < columns; ++i) expected[i] = i;
    int32_t top = t.Top + t.CellSpacing + t.CellPadding;
    for (int32_t j = 0; j < t.Rows.Count(); ++j) {
        const TCellList& row = *t.Rows[j];
        ASSERT_EQ(Columns(row), expected) << "row " << j;
        ASSERT_EQ(row.RowHeight, heights[j]) << "row " << j;
        for (const auto& c : row) {
            if (c->HasContent()) ASSERT_EQ(c->Cell->LayoutY, top + c->YIndent) << "row " << j;
        }
        top += row.RowHeight;
    }
}

TEST(TableLayout, TallTableWithFewColumnsIsLaidOut) {
    // However many rows a table has, each is laid out. Empty rows are 2 pixels high.
    const int rows = 130000;
    TablePage p("<table cellspacing=0 cellpadding=1>" + Repeat("<tr><td><td>", rows - 1) + "<tr><td>ab<td>c</table>nach");
    EXPECT_THAT(p.errors, IsEmpty());
    ThtmlTable& t = p.Table();
    EXPECT_EQ(t.NumCols, 2);
    EXPECT_EQ(t.Rows.Count(), rows);
    EXPECT_EQ(t.Height, (rows - 1) * 2 + 18);
    EXPECT_EQ(p.height, t.Height + 16);
    EXPECT_EQ(CellText((*t.Rows[rows - 1])[1]), "c");
    std::vector<int32_t> heights(rows, 2);
    heights.back() = 18;
    ExpectLaidOutRowByRow(t, 2, heights);
}

TEST(TableLayout, WideTableOfManyCellsIsLaidOut) {
    // 100 columns by 600 rows: 60 000 cells, each a line of 16 pixels.
    TablePage p("<table cellspacing=0 cellpadding=1>" + Repeat("<tr>" + Repeat("<td>x", 100), 599) + "<tr>" +
                Repeat("<td>x", 99) + "<td>z</table>nach");
    EXPECT_THAT(p.errors, IsEmpty());
    ThtmlTable& t = p.Table();
    EXPECT_EQ(t.NumCols, 100);
    EXPECT_EQ(t.Height, 600 * 18);
    EXPECT_EQ(p.height, t.Height + 16);
    EXPECT_EQ(CellText((*t.Rows[599])[99]), "z");
    ExpectLaidOutRowByRow(t, 100, std::vector<int32_t>(600, 18));
}

// 199 cells span all 12 001 rows of a table of 200 columns; each row has
// its own cell in the last column.
TEST(TableLayout, CellsSpanningEveryRowOfAWideTallTable) {
    const int rows = 12001;
    TablePage p("<table cellspacing=0 cellpadding=1><tr>" + Repeat("<td rowspan=12001>s", 199) + "<td>x" +
                Repeat("<tr><td>x", rows - 2) + "<tr><td>z</table>nach");
    EXPECT_THAT(p.errors, IsEmpty());
    ThtmlTable& t = p.Table();
    EXPECT_EQ(t.NumCols, 200);
    EXPECT_EQ(t.Height, rows * 18);
    EXPECT_EQ(p.height, t.Height + 16);
    const TCellList& first = *t.Rows[0];
    ASSERT_EQ(first.Count(), 200);
    for (int32_t i = 0; i < 199; ++i) {
        const TCellObj* c = first[i];
        ASSERT_EQ(c->Col, i);
        ASSERT_EQ(c->RowSpan, rows);
        ASSERT_EQ(c->CellHeight, rows * 18);
        ASSERT_EQ(c->YIndent, (rows * 18 - 16 - 2) / 2);  // in the middle of all rows
    }
    EXPECT_EQ(first[199]->Col, 199);
    for (int32_t j = 1; j < rows; ++j) {
        const TCellList& row = *t.Rows[j];
        ASSERT_THAT(Columns(row), ElementsAre(199)) << "row " << j;
        ASSERT_EQ(row.Places, 200) << "row " << j;
        ASSERT_EQ(row.RowHeight, 18) << "row " << j;
        ASSERT_EQ(row[0]->Cell->LayoutY, t.Top + 1 + j * 18) << "row " << j;
    }
    EXPECT_EQ(CellText((*t.Rows[rows - 1])[0]), "z");
}

// A cell spanning columns and rows stays whole, also on a page whose tables
// spanned millions of places before it.
TEST(TableLayout, BlockSpanStaysWholeAfterLargeSpans) {
    const std::string big = "<table><tr>" + Repeat("<td rowspan=999999>x", 200) + Repeat("<tr>", 12000) + "</table>";
    const std::string block = "<table cellspacing=0 cellpadding=1><tr><td colspan=3 rowspan=100>A<td>B" +
                              Repeat("<tr><td>C", 99) + "</table>";
    for (const std::string& html : {block, big + block}) {
        TablePage p(html);
        EXPECT_THAT(p.errors, IsEmpty());
        ThtmlTable* t = nullptr;
        for (const auto& s : p.doc)
            if (auto* table = dynamic_cast<ThtmlTable*>(s.get())) t = table;
        ASSERT_NE(t, nullptr);
        ASSERT_EQ(t->Rows.Count(), 100);
        EXPECT_EQ(t->NumCols, 4);
        const TCellObj* a = (*t->Rows[0])[0];
        EXPECT_EQ(a->RowSpan, 100);
        EXPECT_EQ(a->ColSpan, 3);
        EXPECT_EQ(a->CellHeight, 100 * 18);
        EXPECT_EQ(a->CellWidth, t->Widths[0] + t->Widths[1] + t->Widths[2]);
        for (int32_t j = 1; j < 100; ++j) {
            ASSERT_THAT(Columns(*t->Rows[j]), ElementsAre(3)) << "row " << j;
            ASSERT_EQ(t->Rows[j]->Places, 4) << "row " << j;
        }
        // Painted, A is drawn once and every C right of its three columns.
        p.Paint();
        const std::string cx = std::to_string(t->DrawLeft + t->Widths[0] + t->Widths[1] + t->Widths[2] + 1) + ",";
        int32_t as = 0, cs = 0;
        for (const std::string& line : p.canvas.log) {
            if (line.find("\"A\"") != std::string::npos) ++as;
            if (line.find("\"C\"") != std::string::npos && line.rfind("text " + cx, 0) == 0) ++cs;
        }
        EXPECT_EQ(as, 1);
        EXPECT_EQ(cs, 99);
    }
}

TEST(TableLayout, RowSpansAndHeight) {
    TablePage span("<table cellspacing=0 cellpadding=0><tr><td rowspan=2>a<br>b<br>c<br>d<td>x<tr><td>y</table>");
    ThtmlTable& s = span.Table();
    EXPECT_EQ(s.Rows[0]->RowHeight, 32);
    EXPECT_EQ(s.Rows[1]->RowHeight, 32);
    EXPECT_EQ((*s.Rows[0])[0]->CellHeight, 64);
    EXPECT_EQ(s.Rows[0]->SpanHeight, 64);

    TablePage high("<table height=100 cellspacing=0 cellpadding=0><tr><td>a<tr><td>b<tr><td>c</table>");
    ThtmlTable& h = high.Table();
    EXPECT_EQ(h.Rows[0]->RowHeight, 33);
    EXPECT_EQ(h.Rows[1]->RowHeight, 33);
    EXPECT_EQ(h.Rows[2]->RowHeight, 34);  // the rounding remainder
    EXPECT_EQ(h.Height, 100);

    // Cell heights and vertical alignment.
    TablePage cells("<table cellspacing=2 cellpadding=1><tr><td height=40 valign=bottom>a<td>b<td valign=top>c"
                    "<td valign=middle>d</table>");
    ThtmlTable& c = cells.Table();
    EXPECT_EQ(c.Rows[0]->RowHeight, 38 + 4);
    EXPECT_EQ((*c.Rows[0])[0]->YIndent, 22);
    EXPECT_EQ((*c.Rows[0])[1]->YIndent, 11);  // middle by default
    EXPECT_EQ((*c.Rows[0])[2]->YIndent, 0);
    EXPECT_EQ((*c.Rows[0])[3]->Cell->LayoutY, 2 + 1 + 11);

    // A percentage HEIGHT of the viewer's height, margins off.
    TablePage viewport("");
    viewport.doc.Viewport = {505, 50};
    viewport.Load("<table height=50% cellspacing=2><tr><td>a</table>");
    EXPECT_EQ(viewport.Table().Rows[0]->RowHeight, (505 - 100 - 2 - 3) * 500 / 1000);

    // HEIGHT without rows stretches nothing.
    TablePage empty("<table height=100><caption>nur</caption></table><table height=50 width=10></table>x");
    EXPECT_THAT(empty.errors, IsEmpty());
    EXPECT_EQ(empty.Table().Height, 16 + 2);
}

TEST(TableLayout, PlacementAndFloating) {
    struct Case {
        const char* align;
        int32_t xIndent;
    } cases[] = {{"", 0}, {"align=center", 192}, {"align=right", 384}, {"align=left", 0}};
    for (const Case& c : cases) {
        TablePage p(std::string("<table cellspacing=0 cellpadding=0 ") + c.align + "><tr><td>ab</table>");
        EXPECT_EQ(p.Table().XIndent, c.xIndent) << c.align;
        EXPECT_EQ(p.Table().ColumnsX, c.xIndent) << c.align;
    }
    // The alignment in force at TABLE is the default.
    TablePage centred("<center><table cellspacing=0 cellpadding=0><tr><td>ab</table></center>");
    EXPECT_EQ(centred.Table().XIndent, 192);
    // A caption wider than the columns centres them under it.
    TablePage caption("<table cellspacing=0 cellpadding=0><caption>abcdef</caption><tr><td>ab</table>");
    EXPECT_EQ(caption.Table().TableWidth, 48);
    EXPECT_EQ(caption.Table().ColumnsX, 16);
    EXPECT_EQ(caption.Table().Height, 32);

    // Floating: the text flows beside it, the flow sees no height.
    TablePage left("<table align=left cellspacing=0 cellpadding=0 vspace=3><tr><td>ab<br>cd</table>neben");
    ThtmlTable& t = left.Table();
    EXPECT_EQ(t.Height, 0);
    EXPECT_EQ(t.DrawHeight, 32 + 6);
    const auto* text = dynamic_cast<const TSection*>(left.doc.Last());
    ASSERT_NE(text, nullptr);
    ASSERT_FALSE(text->Lines.empty());
    EXPECT_EQ(text->Lines[0].LineX, 16 + 5 + 1);
    EXPECT_EQ(left.height, 38);

    TablePage right("<table align=right cellspacing=0 cellpadding=0 hspace=10><tr><td>ab</table>neben");
    EXPECT_EQ(right.Table().XIndent, 384);
    EXPECT_EQ(right.doc.Indents.RightEdgeAt(0), 400 - 16 - 10 - 1);
}

TEST(TableLayout, DocumentIndexesRunThroughCaptionAndCells) {
    TablePage p("vor<table><caption>cap</caption><tr><td>ab<td>cd</table>");
    ThtmlTable& t = p.Table();
    EXPECT_EQ(t.FirstIndex, 3);
    EXPECT_EQ(t.Len, 7);
    EXPECT_EQ(t.Caption->Cell->FirstIndex, 3);
    EXPECT_EQ((*t.Rows[0])[1]->Cell->FirstIndex, 8);
    char ch = 0;
    TSectionBase* section = nullptr;
    ASSERT_TRUE(p.doc.CharAt(8, ch, section));
    EXPECT_EQ(ch, 'c');
    EXPECT_EQ(p.doc.FindTextFrom(0, "cd", true), 8);
    EXPECT_EQ(p.doc.FindTextFrom(0, "CAP", false), 3);
    const std::string before = "vor<table><caption>cap</caption><tr><td>ab<td>";
    EXPECT_EQ(p.doc.DisplayToSource(8), static_cast<int32_t>(before.size()));
    p.doc.SelStart = 4;
    p.doc.SelEnd = 9;
    p.doc.CopyBuffer.clear();
    p.doc.CopySelected();
    EXPECT_EQ(p.doc.CopyBuffer, "ap\r\nab\r\nc");
}

// ---- painting

TEST(TablePaint, BackgroundsBordersAndBorderColour) {
    TablePage p("<table border=1 cellpadding=0 cellspacing=0 bordercolor=#00ff00><tr>"
                "<td bgcolor=#ff0000>ab<td></table>");
    ThtmlTable& t = p.Table();
    ASSERT_EQ(t.CellSpacing, 2);
    p.Paint();
    // The empty cell gets neither background nor border, and shows the border colour.
    EXPECT_THAT(p.canvas.log,
                ElementsAre("fill 2,2-18,18 #FF0000",
                            "text 2,14 \"ab\" f=Times New Roman/12/ c=#000000 base",
                            "line 1,18 1,1 18,1 #808080", "line 18,1 18,18 1,18 #C0C0C0",
                            "region 0,0-22,20 -1,1-19,19 #00FF00",
                            "line 0,19 0,0 21,0 #C0C0C0", "line 21,0 21,19 0,19 #808080"));
    // Scrolled out of the clip nothing is drawn.
    p.doc.SetYOffset(100);
    p.canvas.log.clear();
    p.doc.PaintAt(p.canvas, {0, 0, 400, 50}, 0, 0, 400);
    EXPECT_THAT(p.canvas.log, IsEmpty());
}

TEST(TablePaint, CaptionBelowAndFloatingTableReturnTheirY) {
    TablePage p("<table cellpadding=0 cellspacing=0><caption align=bottom>u</caption><tr><td>a</table>");
    p.Paint();
    EXPECT_THAT(p.canvas.log, ElementsAre("text 0,12 \"a\" f=Times New Roman/12/ c=#000000 base",
                                          "text 0,28 \"u\" f=Times New Roman/12/ c=#000000 base"));
    TablePage f("<table align=right cellpadding=0 cellspacing=0 vspace=4><tr><td>a</table>");
    ThtmlTable& t = f.Table();
    TRect clip{0, 0, 400, 100};
    EXPECT_EQ(t.PaintAt(f.canvas, clip, 10, 0, f.doc.Indents), 10);
    EXPECT_EQ(t.DrawTop, 14);
}

// ---- position questions

TEST(TableHits, PointsReachTheCellUnderThem) {
    TablePage p("<table cellspacing=2 cellpadding=1><caption>cap</caption><tr><td>ab<td><a href=ziel>link</a>"
                "<tr><td colspan=2>unten</table>");
    p.Paint();
    ThtmlTable& t = p.Table();
    // Caption 16, then rows of 20 from y 16; the second cell starts at x 22.
    ASSERT_EQ(t.CaptionHeight, 16);
    ASSERT_EQ(t.Widths[0], 20);
    TFormControlObj* control = nullptr;
    TUrlTarget target;
    EXPECT_TRUE(p.doc.UrlAtPoint(p.measurer, 30, 16 + 5, control, target));
    EXPECT_EQ(target.Url, "ziel");
    EXPECT_FALSE(p.doc.UrlAtPoint(p.measurer, 10, 16 + 5, control, target));
    EXPECT_FALSE(p.doc.UrlAtPoint(p.measurer, 30, 500, control, target));

    bool inText = false;
    int32_t lineHeight = 0, lineY = 0, caretX = 0;
    TCell* cell = nullptr;
    // "unten" in the second row: x 3 + 8 is after the first letter.
    const int32_t index = p.doc.CursorFromPoint(p.measurer, 3 + 9, 16 + 20 + 5, inText, lineHeight, lineY, caretX,
                                                cell);
    EXPECT_EQ(index, (*t.Rows[1])[0]->Cell->FirstIndex + 1);
    EXPECT_TRUE(inText);
    EXPECT_EQ(lineY, 16 + 20 + 3);
    EXPECT_EQ(caretX, 3 + 8);
    // The caption band: "cap" is centred over the 58 pixels of the columns.
    EXPECT_EQ(p.doc.CursorFromPoint(p.measurer, 17 + 9, 5, inText, lineHeight, lineY, caretX, cell), 1);
    EXPECT_EQ(lineY, 0);
    int32_t cy = 0, cx = 0;
    ASSERT_TRUE(p.doc.CaretPoint(p.measurer, index, cy, cx));
    EXPECT_EQ(cy, 16 + 20 + 3);
    EXPECT_EQ(cx, 3 + 8);
}

}  // namespace
}  // namespace htmlengine::testing
