#include "htmlengine/ViewerGeometry.h"

#include <gtest/gtest.h>

namespace htmlengine {
namespace {

TEST(ScrollGeometry, ArrangeScrollBars) {
    struct Case {
        const char* what;
        TPaneInput in;
        bool vert, horz;
        int32_t panelW, panelH, docW;
    };
    // W x H 400 x 300, bar 16, margin 10.
    const Case cases[] = {
        {"short page", {400, 300, 16, 10, 200, 100, TScrollStyle::ssBoth, THTMLBorderStyle::htNone, false},
         false, false, 400, 300, 200},
        {"tall page", {400, 300, 16, 10, 200, 900, TScrollStyle::ssBoth, THTMLBorderStyle::htNone, false},
         true, false, 384, 300, 200},
        {"both bars", {400, 300, 16, 10, 500, 900, TScrollStyle::ssBoth, THTMLBorderStyle::htNone, false},
         true, true, 384, 284, 500},
        {"wide page capped", {400, 300, 16, 10, 9000, 100, TScrollStyle::ssBoth, THTMLBorderStyle::htNone, false},
         false, true, 400, 284, 6000},
        {"border frame", {400, 300, 16, 10, 200, 100, TScrollStyle::ssBoth, THTMLBorderStyle::htFocused, false},
         false, false, 398, 298, 200},
        {"vertical only", {400, 300, 16, 10, 900, 900, TScrollStyle::ssVertical, THTMLBorderStyle::htNone, false},
         true, false, 384, 300, 900},
        {"dummy bar", {400, 300, 16, 10, 200, 100, TScrollStyle::ssBoth, THTMLBorderStyle::htNone, true},
         false, false, 384, 300, 200},
    };
    for (const Case& c : cases) {
        const TPaneGeometry g = ArrangeScrollBars(c.in);
        EXPECT_EQ(g.Vert.Visible, c.vert || c.in.ShowVScroll) << c.what;
        EXPECT_EQ(g.Vert.Enabled, !c.in.ShowVScroll || c.vert) << c.what;
        EXPECT_EQ(g.Horz.Visible, c.horz) << c.what;
        EXPECT_EQ(g.PanelWidth, c.panelW) << c.what;
        EXPECT_EQ(g.PanelHeight, c.panelH) << c.what;
        EXPECT_EQ(g.DocWidth, c.docW) << c.what;
        EXPECT_EQ(g.Vert.Page, g.PanelHeight + 1) << c.what;
        EXPECT_EQ(g.Vert.LargeChange, g.PanelHeight - 16) << c.what;
    }
    // The widest page scrolls to 6000 plus the margins.
    const TPaneGeometry wide =
        ArrangeScrollBars({400, 300, 16, 10, 9000, 100, TScrollStyle::ssBoth, THTMLBorderStyle::htNone, false});
    EXPECT_EQ(wide.Horz.Maximum, 6020);
    EXPECT_EQ(wide.Horz.LargeChange, 380);
}

TEST(ScrollGeometry, LayoutWidthKeepsTheBarFree) {
    EXPECT_EQ(LayoutWidthFor(400, 16, THTMLBorderStyle::htNone, 10, 5, TScrollStyle::ssBoth).Width, 363);
    EXPECT_EQ(LayoutWidthFor(400, 16, THTMLBorderStyle::htFocused, 10, 5, TScrollStyle::ssBoth).Width, 361);
    EXPECT_EQ(LayoutWidthFor(400, 16, THTMLBorderStyle::htNone, 10, 5, TScrollStyle::ssNone).Width, 379);
    EXPECT_EQ(LayoutWidthFor(400, 16, THTMLBorderStyle::htNone, 10, 5, TScrollStyle::ssBoth).MarginsInHeight, 10);
    EXPECT_EQ(LayoutWidthFor(400, 16, THTMLBorderStyle::htNone, 10, 5, TScrollStyle::ssHorizontal).MarginsInHeight, 5);
}

TEST(ScrollGeometry, ClampAndKeys) {
    // doc 1000, panel 300: positions 0..700; a short page has none.
    EXPECT_EQ(ClampScroll(-20, 1000, 300), 0);
    EXPECT_EQ(ClampScroll(900, 1000, 300), 700);
    EXPECT_EQ(ClampScroll(50, 100, 300), 0);
    struct Case { int key; int32_t from, to; };
    const Case keys[] = {{33, 500, 216}, {34, 500, 700}, {35, 0, 700}, {36, 500, 0},
                         {38, 0, 0},     {38, 100, 84},  {40, 100, 116}, {40, 700, 700}};
    for (const Case& c : keys) EXPECT_EQ(KeyScrollTarget(c.key, c.from, 1000, 300), c.to) << c.key;
    EXPECT_EQ(KeyScrollTarget(35, 0, 100, 300), 0);
    EXPECT_FALSE(KeyScrollTarget(37, 0, 1000, 300));
    EXPECT_EQ(KeyHorzTarget(39, 0, 500, 300), 15);
    EXPECT_EQ(KeyHorzTarget(39, 195, 500, 300), 200);
    EXPECT_EQ(KeyHorzTarget(37, 5, 500, 300), 0);
}

TEST(ScrollGeometry, AutoScrollAndPanSteps) {
    const int32_t h = 300;
    EXPECT_EQ(SelectScrollStep(-16, h), -128);
    EXPECT_EQ(SelectScrollStep(-15, h), -16);
    EXPECT_EQ(SelectScrollStep(0, h), -16);
    EXPECT_EQ(SelectScrollStep(315, h), 16);
    EXPECT_EQ(SelectScrollStep(316, h), 128);
    struct Case { int32_t d, step; int cursor; };
    const Case pans[] = {{-61, -32, 4}, {-60, -8, 4}, {-21, -8, 4}, {-20, 0, 3},
                         {20, 0, 3},    {21, 8, 5},   {60, 8, 5},   {61, 32, 5}};
    for (const Case& c : pans) {
        int cursor = 0;
        EXPECT_EQ(PanScrollStep(c.d, cursor), c.step) << c.d;
        EXPECT_EQ(cursor, c.cursor) << c.d;
    }
}

TEST(ScrollGeometry, PositionAndHelpers) {
    const int32_t p = EncodePosition(3, 70000);
    EXPECT_EQ(PositionSection(p), 3);
    EXPECT_EQ(PositionOffset(p), 70000 % 65536);
    EXPECT_LT(EncodePosition(0x8000, 0), 0);  // more than 32767 sections: ignored on restore

    EXPECT_FALSE(ControlScrollTarget(100, 100, 300));
    EXPECT_FALSE(ControlScrollTarget(100, 380, 300));
    EXPECT_EQ(ControlScrollTarget(100, 382, 301), 382 - 150);
    EXPECT_EQ(ControlScrollTarget(100, 50, 300), -100);

    struct Meta { const char* content; bool found; int32_t delay; const char* url; };
    const Meta metas[] = {{"0;URL=a.html", true, 1, "a.html"}, {"5", true, 5, ""},
                          {"3; url=Seite.HTM", true, 3, "Seite.HTM"}, {"x;url=y", false, 0, ""}, {"", false, 0, ""}};
    for (const Meta& m : metas) {
        const auto r = ParseMetaRefresh(m.content);
        ASSERT_EQ(bool(r), m.found) << m.content;
        if (r) {
            EXPECT_EQ(r->Delay, m.delay) << m.content;
            EXPECT_EQ(r->Url, m.url) << m.content;
        }
    }
    for (int c : {48, 57, 65, 122, 192, 215, 255}) EXPECT_TRUE(IsWordChar(uint8_t(c))) << c;
    for (int c : {45, 32, 95, 191, 160}) EXPECT_FALSE(IsWordChar(uint8_t(c))) << c;

    EXPECT_EQ(FirstTileAt(0, 0, 32), 0);
    EXPECT_EQ(FirstTileAt(10, 0, 32), 0);
    EXPECT_EQ(FirstTileAt(0, 40, 32), -8);  // tiles move with the page
}

}  // namespace
}  // namespace htmlengine
