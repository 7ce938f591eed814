// Engine helpers: link paths, character sets, image maps, the indent manager
// and the drawing helpers.
#include "htmlengine/HtmlSymbols.h"
#include "htmlengine/PageUn2.h"
#include "htmlengine/RecordingCanvas.h"

#include <gtest/gtest.h>

using namespace htmlengine;

TEST(PageUn2, LinkToFilePath) {
    struct Case { const char* link; const char* path; } cases[] = {
        {"file:///C|/dir/page.htm", "C:\\dir\\page.htm"},
        {"FILE://server/x.htm", "server\\x.htm"},
        {"a|b", "a|b"},                // without '/' nothing is converted
        {"x%41%42", "xAB"},
        {"%41x", "%41x"},              // a leading '%' stops decoding
        {"a%2541", "aA"},              // a decoded '%' is decoded again
        {"a%zz%41", "a%zz%41"},
        {"a%00b%41", "a%00b%41"},      // no NUL inside a path
        {"a%4", "a%4"},
    };
    for (const Case& c : cases) EXPECT_EQ(LinkToFilePath(c.link), c.path) << c.link;
    EXPECT_EQ(LinkToServerPath("/x/y.htm", "C:\\root"), "C:\\root\\x\\y.htm");
}

TEST(PageUn2, CharsetFromNameAndTextHelpers) {
    EXPECT_EQ(CharsetFromName(0, "text/html; charset=windows-1251"), 204);
    EXPECT_EQ(CharsetFromName(0, "charset=iso-8859-15"), 0);
    EXPECT_EQ(CharsetFromName(0, "KOI8-R"), 204);
    EXPECT_EQ(CharsetFromName(7, "utf-8"), 7);
    EXPECT_EQ(TrimText("\x01 ab c\t\r\n"), "ab c");
    EXPECT_EQ(StrToIntDef("-12", 0), -12);
    EXPECT_EQ(StrToIntDef("12px", 5), 5);
    EXPECT_EQ(StrToIntDef("99999999999", 0), 0);
    std::string buf;
    WriteLineTo(buf, "ab");
    EXPECT_EQ(buf, "ab\r\n");
}

namespace {
TAttributeList Area(const char* shape, const char* coords, const char* href, bool nohref = false) {
    TAttributeList a;
    if (shape) a.Add(ShapeSy, 0, shape);
    a.Add(CoordsSy, 0, coords);
    if (href) a.Add(HrefSy, 0, href);
    if (nohref) a.Add(NoHrefSy, 0, "");
    a.Add(TargetSy, 0, "main");
    return a;
}
}  // namespace

TEST(PageUn2, ImageMapAreasAndHitTest) {
    EXPECT_EQ(ParseCoords(" 1, 2 ,,3  4,x,6 "), (std::vector<int32_t>{1, 2, 3, 4, 0, 6}));

    TMapItem map;
    map.AddArea(Area("circle", "10,10,5", "c.htm"));
    map.AddArea(Area("poly", "1,2,3,4,5", "never.htm"));      // too few numbers: no area
    map.AddArea(Area("rect", "40,0,49,9", nullptr, true));    // NOHREF hides what lies below
    map.AddArea(Area(nullptr, "40,0,60,20", "r.htm"));
    map.AddArea(Area("POLYGON", "100,0 120,0 100,20", "p.htm"));
    ASSERT_EQ(map.Areas.size(), 4u);

    struct Hit { int x, y; const char* url; } hits[] = {
        {5, 10, "c.htm"}, {15, 10, "c.htm"}, {16, 10, nullptr}, {5, 5, nullptr},
        {45, 5, nullptr}, {50, 15, "r.htm"}, {60, 20, "r.htm"}, {61, 20, nullptr},
        {102, 2, "p.htm"}, {118, 18, nullptr},
    };
    for (const Hit& h : hits) {
        auto t = map.HitTest(h.x, h.y);
        if (h.url) {
            ASSERT_TRUE(t) << h.x << "," << h.y;
            EXPECT_EQ(t->Url, h.url);
            EXPECT_EQ(t->Target, "main");
        } else {
            EXPECT_FALSE(t) << h.x << "," << h.y;
        }
    }
}

TEST(IndentManager, FloatsAndListLevels) {
    IndentManagerBasic im;
    im.Reset(10, 510);
    im.AddFloat(0, 100, 50, 1);
    im.AddFloat(20, 60, 50, 3);
    im.AddFloat(0, 5, 5, 2);                       // no such side
    EXPECT_EQ(im.LeftEdgeAt(0), 110);
    EXPECT_EQ(im.LeftEdgeAt(49), 110);
    EXPECT_EQ(im.LeftEdgeAt(50), 10);               // bands are bottom-exclusive
    EXPECT_EQ(im.RightEdgeAt(19), 510);
    EXPECT_EQ(im.RightEdgeAt(20), 450);
    EXPECT_EQ(im.FloatsBottom(), 70);
    int32_t l, r;
    im.ClearBottoms(l, r);
    EXPECT_EQ(l, 51);
    EXPECT_EQ(r, 71);

    im.SetLevel(100, 2);
    ASSERT_EQ(im.L().Count(), 3);
    EXPECT_EQ(im.LeftEdgeAt(100), 80);
    EXPECT_EQ(im.ActiveLevel, 2);
    // Only floats reaching past the open level count, never the open band.
    EXPECT_EQ(im.LevelBandBottom(), 51);
    im.AddFloat(120, 30, 40, 1);
    EXPECT_EQ(im.LevelBandBottom(), 161);
    im.SetLevel(300, 0);
    EXPECT_EQ(im.LeftEdgeAt(298), 80);
    EXPECT_EQ(im.LeftEdgeAt(299), 10);
    EXPECT_EQ(im.L()[1]->Level, 0);
    EXPECT_EQ(im.L()[1]->BandBottom, 299);

    im.SetDefinitionLevel(400, 1);
    EXPECT_EQ(im.LeftEdgeAt(400), 25);
    im.SetDefinitionLevel(400, 3);                  // only single steps count
    EXPECT_EQ(im.ActiveLevel, 1);
    im.Reset(10, 510);
    EXPECT_EQ(im.ActiveLevel, 0);
}

TEST(DrawingHelpers, Border3DPathAndColours) {
    RecordingCanvas c;
    DrawBorder3D(PaletteRelative | 0xFFFFFF, c, 1, -500, 20, 4000, true);
    DrawBorder3D(0x00FF00, c, 0, 0, 5, 5, false);
    ASSERT_EQ(c.log.size(), 4u);
    EXPECT_EQ(c.log[0], "line 1,3000 1,-200 20,-200 #C0C0C0");
    EXPECT_EQ(c.log[1], "line 20,-200 20,3000 1,3000 #808080");
    EXPECT_EQ(c.log[2], "line 0,5 0,0 5,0 #808080");
    EXPECT_EQ(c.log[3], "line 5,0 5,5 0,5 #FFFFFF");
}

TEST(DrawingHelpers, WrappedTextBreaksAtWordsAndDropsWhatDoesNotFit) {
    RecordingCanvas c;
    FontSpec f{"Arial", 12, 0, 1, 0};   // 16 px lines, letters 8, blanks 4
    DrawWrappedText(c, 0, 0, 40, 40, "  ab cd  toolongword ef gh", f);
    ASSERT_EQ(c.log.size(), 2u);
    EXPECT_EQ(c.log[0], "text 0,0 \"ab cd\" f=Arial/12/ c=#000000 top clip=0,0-40,40");
    EXPECT_EQ(c.log[1], "text 0,16 \"toolongword\" f=Arial/12/ c=#000000 top clip=0,0-40,40");
}
