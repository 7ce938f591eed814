#include "PageFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace htmlengine::testing {
namespace {

using ::testing::ElementsAre;

// Times New Roman 12 pt on the fixed measurer: lines 16 px, baseline 12,
// letters 8 px (bold 9), blanks 4 px.

TEST(PagePaint, ShortPageLog) {
    Page p("<b>Hi</b> <a href=x>go</a><br><font color=#ff0000>rot</font><sub>u</sub>");
    p.Paint();
    EXPECT_THAT(p.canvas.log,
                ElementsAre("text 0,12 \"Hi\" f=Times New Roman/12/B c=#000000 base",
                            "text 18,12 \" \" f=Times New Roman/12/ c=#000000 base",
                            "text 22,12 \"go\" f=Times New Roman/12/U c=#0000FF base",
                            "text 0,28 \"rot\" f=Times New Roman/12/ c=#FF0000 base",
                            "text 24,30 \"u\" f=Times New Roman/9/ c=#000000 base"));
    // Scrolled by 16 only the second line is in a clip of 10 pixels.
    p.doc.SetYOffset(16);
    p.canvas.log.clear();
    p.doc.PaintAt(p.canvas, {0, 0, 400, 10}, 0, 0, 400);
    EXPECT_THAT(p.canvas.log, ElementsAre("text 0,12 \"rot\" f=Times New Roman/12/ c=#FF0000 base",
                                          "text 24,14 \"u\" f=Times New Roman/9/ c=#000000 base"));
}

TEST(PagePaint, SelectionIsInvertedAndTheCaretMarked) {
    Page p("abc de");
    p.doc.SelStart = 1;
    p.doc.SelEnd = 4;
    p.Paint();
    EXPECT_THAT(p.canvas.log, ElementsAre("text 0,12 \"a\" f=Times New Roman/12/ c=#000000 base",
                                          "text 8,12 \"bc \" f=Times New Roman/12/ c=#FFFFFF base bg=#000000",
                                          "text 28,12 \"de\" f=Times New Roman/12/ c=#000000 base"));
    p.doc.SelStart = p.doc.SelEnd = 4;
    p.doc.ShowDummyCaret = true;
    p.Paint();
    EXPECT_THAT(p.canvas.log, ElementsAre("text 0,12 \"abc \" f=Times New Roman/12/ c=#000000 base",
                                          "text 28,12 \"d\" f=Times New Roman/12/ c=#000000 base",
                                          "fill 28,0-29,16 #000000",
                                          "text 36,12 \"e\" f=Times New Roman/12/ c=#000000 base"));
}

TEST(PagePaint, ListMarkers) {
    struct Case {
        char style;
        int32_t n;
        const char* label;
    } cases[] = {{'A', 1, "A."}, {'A', 27, "Z."}, {'a', 3, "c."}, {'I', 4, "IV."}, {'i', 19, "xix."},
                 {'I', 25, "XX."}, {'1', 12, "12."}, {'A', 0, "0."}, {'i', -2, "-2."}};
    for (const Case& c : cases) EXPECT_EQ(ListMarkerLabel(c.style, c.n), c.label) << c.style << c.n;

    Page p("<ol><li>a</ol><ul><li>b<ul><li>c</ul></ul>");
    p.Paint();
    EXPECT_THAT(p.canvas.log,
                ElementsAre("text 14,12 \"1.\" f=Times New Roman/12/ c=#000000 base",
                            "text 35,12 \"a\" f=Times New Roman/12/ c=#000000 base",
                            "ellipse 25,22-30,27 pen=#000080 brush=#000080",
                            "text 35,28 \"b\" f=Times New Roman/12/ c=#000000 base",
                            "ellipse 60,38-65,43 pen=#800000 brush=#800000",
                            "text 70,44 \"c\" f=Times New Roman/12/ c=#000000 base"));
    // On a page colour of its own the bullet is hollow in the text colour.
    p.doc.Background = 0x123456;
    p.Paint();
    EXPECT_EQ(p.canvas.log[2], "ellipse 25,22-30,27 pen=#000000 brush=none");
}

TEST(PagePaint, AltBoxLeavesLaterTextOnTheBaseline) {
    Page p("<img alt=Bild width=60 height=30>nach");
    p.Paint();
    ASSERT_FALSE(p.canvas.log.empty());
    EXPECT_EQ(p.canvas.log.front(), "text 24,0 \"Bild\" f=Arial/8/ c=#000000 top clip=24,0-58,30");
    EXPECT_EQ(p.canvas.log.back(), "text 60,30 \"nach\" f=Times New Roman/12/ c=#000000 base");
}

TEST(PagePaint, VisitedLinkKeepsItsColourAcrossAFontSizeChange) {
    Page p("<a href=x>go</a>");
    TFontObj* run = p.doc.LinkList.at(0);
    run->SetVisited(true, p.doc);
    p.doc.SetDocumentDefaults("Times New Roman", "Courier New", false, clWindow, 0xFF0000, 0x800080, 0xFF0000,
                              clBtnText, 16);
    EXPECT_EQ(run->TheFont().Color, 0x800080u | PaletteRelative);
    EXPECT_EQ(run->TheFont().Size, 16);
}

TEST(PageHitTest, LinkUnderAPointAfterPainting) {
    Page p("<b>Hi</b> <a href=ziel.htm target=rechts>go</a> weiter");
    p.Paint();
    struct Case {
        int32_t x, y;
        const char* url;
    } cases[] = {{23, 5, "ziel.htm"}, {37, 15, "ziel.htm"}, {21, 5, ""}, {39, 5, ""}, {30, 16, ""}, {30, -1, ""}};
    for (const Case& c : cases) {
        TFormControlObj* control = nullptr;
        TUrlTarget target;
        const bool hit = p.doc.UrlAtPoint(p.measurer, c.x, c.y, control, target);
        EXPECT_EQ(hit, *c.url != 0) << c.x << "," << c.y;
        EXPECT_EQ(target.Url, c.url);
        if (hit) EXPECT_EQ(target.Target, "rechts");
    }
}

TEST(PageHitTest, ImageMapAndImageUnderAPoint) {
    Page p("text<br><a href=karte.cgi><img ismap src=k.gif width=50 height=40></a>");
    p.Paint();
    TImageObj* img = nullptr;
    int32_t ix = 0, iy = 0;
    // The linked image is framed: 52 x 42 drawn one pixel in.
    ASSERT_TRUE(p.doc.ImageAtPoint(11, 16 + 21, ix, iy, img));
    EXPECT_EQ(ix, 10);
    EXPECT_EQ(iy, 20);
    TFormControlObj* control = nullptr;
    TUrlTarget target;
    ASSERT_TRUE(p.doc.UrlAtPoint(p.measurer, 11, 16 + 21, control, target));
    EXPECT_EQ(target.Url, "karte.cgi?10,20");
    EXPECT_EQ(p.doc.ActiveImage, img);
    EXPECT_FALSE(p.doc.ImageAtPoint(60, 30, ix, iy, img));
}

TEST(PageHitTest, CursorCaretAndCharacters) {
    Page p("<p align=center>abc");
    p.Paint();
    bool inText = true;
    int32_t h = 0, lineY = 0, caretX = 0;
    TCell* cell = nullptr;
    const int32_t top = p.doc.TopOfSection(p.doc.Count() - 1);  // the last section holds the text
    // The line is 24 px wide, centred from 188.
    const int32_t first = p.doc.CursorFromPoint(p.measurer, 10, top + 3, inText, h, lineY, caretX, cell);
    EXPECT_FALSE(inText);
    EXPECT_EQ(cell, &p.doc);
    EXPECT_EQ(p.doc.CursorFromPoint(p.measurer, 390, top + 3, inText, h, lineY, caretX, cell), first + 3);
    EXPECT_FALSE(inText);
    EXPECT_EQ(p.doc.CursorFromPoint(p.measurer, 188 + 13, top + 3, inText, h, lineY, caretX, cell), first + 2);
    EXPECT_TRUE(inText);
    EXPECT_EQ(caretX, 188 + 16);
    EXPECT_EQ(h, 16);
    EXPECT_EQ(lineY, top);

    int32_t y = 0, x = 0;
    ASSERT_TRUE(p.doc.CaretPoint(p.measurer, first + 1, y, x));
    EXPECT_EQ(x, 196);
    EXPECT_EQ(y, top);
    ASSERT_TRUE(p.doc.CaretPoint(p.measurer, first + 3, y, x));
    EXPECT_EQ(x, 212);
    char ch = 0;
    TSectionBase* s = nullptr;
    ASSERT_TRUE(p.doc.CharAt(first + 2, ch, s));
    EXPECT_EQ(ch, 'c');
    EXPECT_FALSE(p.doc.CharAt(first + 3, ch, s));
}

TEST(PageText, SourceAndDisplayPositions) {
    Page p("ab<b>cd</b>");  // characters at source 0, 1, 5, 6
    EXPECT_EQ(p.doc.DisplayToSource(2), 5);
    EXPECT_EQ(p.doc.DisplayToSource(4), -1);
    struct Case {
        int32_t offset;
        bool towardEnd;
        int32_t index;
    } cases[] = {{0, true, 0}, {3, true, 1}, {3, false, 2}, {6, true, 3}, {7, true, 3}, {7, false, -1},
                 {0, false, 0}, {5, false, 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(p.doc.SourceToDisplay(c.offset, c.towardEnd), c.index) << c.offset << " " << c.towardEnd;
    }
}

TEST(PageText, FindAndCopy) {
    Page p("Gr\xFC\xDF" "e aus \xC4GYPTEN<ul><li>eins zwei</ul>");
    EXPECT_EQ(p.doc.FindTextFrom(0, "\xE4gypten", false), 10);
    EXPECT_EQ(p.doc.FindTextFrom(0, "\xE4gypten", true), -1);
    EXPECT_EQ(p.doc.FindTextFrom(11, "\xE4gypten", false), -1);
    EXPECT_EQ(p.doc.FindTextFrom(0, "GR\xDC\xDF", false), 0);

    p.doc.SelStart = 10;
    p.doc.SelEnd = 100;
    p.doc.CopyBuffer.clear();
    p.doc.CopySelected();
    EXPECT_EQ(p.doc.CopyBuffer, "\xC4GYPTEN\r\n   eins zwei\r\n");
}

}  // namespace
}  // namespace htmlengine::testing
