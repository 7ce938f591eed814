// Text sections: building text from tokens, line breaking at two widths,
// floats, no-break runs, clearing and width ranges.
#include "PageFixture.h"
#include "SectionFixture.h"

#include "htmlengine/HtmlSymbols.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace htmlengine;
using namespace htmlengine::testing;

namespace {

struct Laid {
    int32_t height, maxWidth;
};

Laid Layout(TSection& s, IndentManagerBasic& im, int32_t y = 0) {
    int32_t curs = 0, maxWidth = 0;
    int32_t h = s.LayoutAt(*s.Document->Measurer, y, curs, maxWidth, im);
    return {h, maxWidth};
}

// "start+count@x" per line.
std::string Lines(const TSection& s) {
    std::string r;
    for (const LineRec& l : s.Lines) {
        r += (r.empty() ? "" : " ") + std::to_string(l.Start) + "+" + std::to_string(l.CharCount) + "@" +
             std::to_string(l.LineX);
    }
    return r;
}

TAttributeList Img(const char* align, int32_t w, int32_t h) {
    TAttributeList a;
    a.Add(AlignSy, 0, align);
    a.Add(WidthSy, w, std::to_string(w));
    a.Add(HeightSy, h, std::to_string(h));
    return a;
}

}  // namespace

TEST(SectionText, AddTokenFoldsBlanksAndNoBreakMarks) {
    struct Case { std::vector<const char*> tokens; bool noBreak; const char* want; } cases[] = {
        {{" a ", " ", " b"}, false, "a b"},
        {{"a\x05", "\x05" "b"}, true, "a\xA0" "b"},
        {{"\x05" "a\x05\x05" "b\x05 c"}, true, "a\xA0" "b c"},
        {{"x\x04y\x02z\x07", "\x06"}, false, "x?y?z??"},      // page bytes never become objects
        {{"a\x05" "b"}, false, "a b"},
    };
    for (const Case& c : cases) {
        TestDocument doc;
        doc.parse.NoBreak = c.noBreak;
        TSection s(&doc, nullptr, 1, nullptr, BodyFont(), 0);
        for (const char* t : c.tokens) s.AddToken(Token(t));
        EXPECT_EQ(s.Chars, c.want);
        EXPECT_EQ(s.Len, static_cast<int32_t>(s.Chars.size()));
    }
    // A leading blank after nothing but floating images is dropped; after an
    // inline image it stays.
    TestDocument doc;
    TSection s(&doc, nullptr, 1, nullptr, BodyFont(), 0);
    s.AddImage(Img("left", 10, 10), doc, 0);
    s.AddToken(Token(" a"));
    EXPECT_EQ(s.Chars, "\x04" "a");
    s.AddImage(Img("top", 10, 10), doc, 0);
    s.AddToken(Token(" b"));
    EXPECT_EQ(s.Chars, "\x04" "a\x04 b");
}

TEST(SectionText, FinishBuildsTheIndexMapAndPadIfEmptyGivesALine) {
    TestDocument doc;
    TSection s(&doc, nullptr, 2, nullptr, BodyFont(), 0);
    s.AddToken(Token("ab", 10));
    s.AddToken(Token("cd", 20));
    s.Finish();
    ASSERT_EQ(s.IndexMap.size(), 2u);
    EXPECT_EQ(s.IndexMap[1].Pos, 2);
    EXPECT_EQ(s.IndexMap[1].Index, 20);
    EXPECT_TRUE(s.SourcePositions.empty());

    TSection empty(&doc, nullptr, 2, nullptr, BodyFont(), 0);
    IndentManagerBasic im;
    im.Reset(0, 100);
    EXPECT_EQ(Layout(empty, im).height, 0);
    EXPECT_EQ(empty.PadIfEmpty(5), 2);
    EXPECT_EQ(empty.Chars, " ");
    EXPECT_EQ(Layout(empty, im).height, 16);
}

TEST(SectionLayout, ParagraphBreaksAtTwoWidths) {
    TestDocument doc;
    TSection s(&doc, nullptr, 1, nullptr, BodyFont(), 0);
    s.AddToken(Token("aaa bb cccc dd"));
    IndentManagerBasic im;
    im.Reset(0, 60);
    im.AvailWidth = 60;
    Laid wide = Layout(s, im);
    EXPECT_EQ(Lines(s), "0+7@0 7+7@0");
    EXPECT_EQ(wide.height, 32);
    EXPECT_EQ(wide.maxWidth, 60);

    im.Reset(0, 30);
    im.AvailWidth = 30;
    Laid narrow = Layout(s, im);
    EXPECT_EQ(Lines(s), "0+4@0 4+3@0 7+5@0 12+2@0");   // "cccc" is wider than the line
    EXPECT_EQ(narrow.height, 64);
    EXPECT_EQ(narrow.maxWidth, 32);
    int32_t min, max;
    s.WidthRange(doc.measurer, min, max);
    EXPECT_EQ(min, 32);
    EXPECT_EQ(max, 100);
}

TEST(SectionLayout, CentredAndRightAlignedLines) {
    TestDocument doc;
    TSection c(&doc, nullptr, 2, nullptr, BodyFont(), 0);
    c.AddToken(Token("ab "));
    TSection r(&doc, nullptr, 3, nullptr, BodyFont(), 0);
    r.AddToken(Token("ab"));
    TSection wide(&doc, nullptr, 2, nullptr, BodyFont(), 0);
    wide.AddToken(Token("abcdefghijklm"));
    IndentManagerBasic im;
    im.Reset(0, 100);
    Layout(c, im);
    Layout(r, im);
    Layout(wide, im);
    EXPECT_EQ(Lines(c), "0+3@42");     // trailing blanks do not count
    EXPECT_EQ(Lines(r), "0+2@83");
    EXPECT_EQ(Lines(wide), "0+13@0");  // wider than the space: starts at the left edge
}

TEST(SectionLayout, TextFlowsAroundLeftAndRightFloatsAndBelowThem) {
    TestDocument doc;
    TSection s(&doc, nullptr, 1, nullptr, BodyFont(), 0);
    TImageObj* left = s.AddImage(Img("left", 40, 40), doc, 0);
    TImageObj* right = s.AddImage(Img("right", 40, 60), doc, 0);
    std::string words;
    for (int i = 0; i < 18; ++i) words += "aaaa ";
    s.AddToken(Token(words));
    IndentManagerBasic im;
    im.Reset(0, 200);
    im.AvailWidth = 200;
    Laid l = Layout(s, im);
    // 110 px beside both floats (3 words), 155 beside the right one (4), then 200 (5).
    EXPECT_EQ(Lines(s), "0+17@45 17+15@45 32+15@45 47+20@0 67+25@0");
    EXPECT_EQ(left->FloatX, 0);
    EXPECT_EQ(right->FloatX, 160);
    EXPECT_EQ(left->HSpace, 5);
    EXPECT_EQ(l.height, 80);
    EXPECT_EQ(s.DrawHeight, 80);
    EXPECT_EQ(s.Lines[0].LineDrawHeight, 60);
}

TEST(SectionLayout, FloatAfterTextStartsBelowItsLineAndClearMovesPastIt) {
    TestDocument doc;
    TSection a(&doc, nullptr, 1, nullptr, BodyFont(), 0);
    a.AddToken(Token("aa "));
    TImageObj* img = a.AddImage(Img("left", 40, 40), doc, 0);
    a.AddToken(Token("bb"));
    IndentManagerBasic im;
    im.Reset(0, 200);
    Laid la = Layout(a, im);
    EXPECT_EQ(Lines(a), "0+6@0");
    EXPECT_EQ(la.height, 16);
    EXPECT_EQ(im.LeftEdgeAt(16), 45);   // placed under the line that held it
    EXPECT_EQ(img->FloatX, 0);
    EXPECT_EQ(a.DrawHeight, 56);

    TAttributeList clearLeft, clearRight;
    clearLeft.Add(ClearSy, 0, "LEFT");
    clearRight.Add(ClearSy, 0, "right");
    TSection b(&doc, nullptr, 1, nullptr, BodyFont(), 0);
    b.ReadClear(clearRight);
    b.AddToken(Token("cc"));
    Laid lb = Layout(b, im, 16);
    EXPECT_EQ(lb.height, 16);           // no right float to clear
    EXPECT_EQ(Lines(b), "0+2@45");

    TSection c(&doc, nullptr, 1, nullptr, BodyFont(), 0);
    c.ReadClear(clearLeft);
    c.AddToken(Token("dd"));
    Laid lc = Layout(c, im, 32);
    ASSERT_EQ(c.Lines.size(), 2u);
    EXPECT_EQ(c.Lines[0].TextHeight, 25);   // down to one past the float's band
    EXPECT_EQ(c.Lines[1].LineX, 0);
    EXPECT_EQ(lc.height, 41);
}

TEST(SectionLayout, NoBreakRunIsNeverSplit) {
    TestDocument doc;
    TSection s(&doc, nullptr, 1, nullptr, BodyFont(), 0);
    s.AddToken(Token("xx "));
    doc.parse.NoBreak = true;
    s.AddToken(Token("aaaa\x05" "bbbb\x05" "cccc"));
    s.AddImage(Img("top", 30, 10), doc, 0);   // a no-break image keeps to its word
    doc.parse.NoBreak = false;
    s.AddToken(Token(" yy"));
    IndentManagerBasic im;
    im.Reset(0, 80);
    im.AvailWidth = 80;
    Laid l = Layout(s, im);
    EXPECT_EQ(Lines(s), "0+3@0 3+16@0 19+2@0");
    EXPECT_EQ(l.maxWidth, 134);
}

TEST(SectionLayout, ImagesRaiseTheirLineAndScriptShrinksTheFont) {
    TestDocument doc;
    TSection s(&doc, nullptr, 1, nullptr, BodyFont(), 0);
    s.AddToken(Token("a"));
    s.AddImage(Img("bottom", 20, 30), doc, 0);
    s.AddImage(Img("middle", 20, 26), doc, 0);
    IndentManagerBasic im;
    im.Reset(0, 200);
    Layout(s, im);
    ASSERT_EQ(s.Lines.size(), 1u);
    EXPECT_EQ(s.Lines[0].SpaceAbove, 30 + 4 - 16);
    EXPECT_EQ(s.Lines[0].SpaceBelow, 5);
    EXPECT_EQ(s.Height, 18 + 16 + 5);

    doc.parse.ScriptState = 2;
    s.ChangeFont(doc, BodyFont());
    EXPECT_EQ(s.Fonts.Last()->TheFont().NormalSize, 9);
    EXPECT_EQ(s.Fonts.Last()->TheFont().Size, 9);
    EXPECT_EQ(s.Fonts.Last()->Script, 2);
    TSection next(&doc, nullptr, 1, nullptr, BodyFont(), 0);
    EXPECT_EQ(doc.parse.ScriptState, 0);   // a new section starts at normal script
}

TEST(SectionLinks, FontChangesInsideALinkStayOnTheLinkList) {
    TestDocument doc;
    TUrlTarget link;
    link.Url = "x.htm";
    TSection s(&doc, nullptr, 1, nullptr, BodyFont(), 0);
    s.AddToken(Token("a "));
    s.SetLink(ASy, doc, BodyFont(), &link);
    s.AddToken(Token("b "));
    TMyFont bold = BodyFont();
    bold.Style = fsBold;
    s.ChangeFont(doc, bold);
    s.AddToken(Token("c"));
    s.SetLink(AEndSy, doc, BodyFont(), nullptr);
    s.AddToken(Token(" d"));
    ASSERT_EQ(s.Fonts.Count(), 4);
    EXPECT_EQ(s.Fonts[2]->UrlTarget().Url, "x.htm");
    EXPECT_TRUE(s.Fonts[3]->UrlTarget().Url.empty());
    EXPECT_EQ(doc.LinkList, (std::vector<TFontObj*>{s.Fonts[1], s.Fonts[2]}));
    doc.LinkList[0]->SetVisited(true, doc);
    EXPECT_EQ(s.Fonts[1]->TheFont().Color, doc.VisitedColor | PaletteRelative);
}

// A link under the mouse changes colour only: however many faces the
// paragraph holds, it keeps them; a change of size takes a face of its own.
TEST(SectionLinks, HoverKeepsTheFacesOfAParagraphOfManyFaces) {
    TestDocument doc;
    TUrlTarget link;
    link.Url = "x.htm";
    TSection s(&doc, nullptr, 1, nullptr, BodyFont(), 0);
    s.SetLink(ASy, doc, BodyFont(), &link);
    s.AddToken(Token("link "));
    s.SetLink(AEndSy, doc, BodyFont(), nullptr);
    for (int k = 0; k < 20; ++k) {
        TMyFont face = BodyFont();
        face.Name = "Face" + std::to_string(k);
        s.ChangeFont(doc, face);
        s.AddToken(Token("w "));
    }
    const uint32_t faces = s.Fonts.FaceCount();
    ASSERT_EQ(faces, 21u);
    TFontObj* run = doc.LinkList.at(0);
    for (int i = 0; i < 1000; ++i) {
        run->SetHover(i % 2 == 0, doc);
        run->SetVisited(i % 3 == 0, doc);
    }
    EXPECT_EQ(s.Fonts.FaceCount(), faces);
    run->SetHover(true, doc);
    EXPECT_EQ(run->TheFont().Color, doc.OverLinkColor | PaletteRelative);
    EXPECT_EQ(s.Fonts.Face(0).Font.Name, BodyFont().Name);

    run->SetNormalSize(doc, 24);
    EXPECT_EQ(s.Fonts.Face(0).Font.Size, run->TheFont().Size);
    EXPECT_EQ(s.Fonts.Face(0).LineHeight, run->LineHeight());
    EXPECT_EQ(s.Fonts.Face(1).Font.Name, "Face0");
}

TEST(SectionLookups, RunsImagesAndControlsAreFoundInAnyOrderOfQuestions) {
    TestDocument doc;
    TSection s(&doc, nullptr, 1, nullptr, BodyFont(), 0);
    TMyFont bold = BodyFont();
    bold.Style = fsBold;
    auto check = [&](const std::vector<int32_t>& order) {
        for (int32_t p : order) {
            SCOPED_TRACE("position " + std::to_string(p));
            int32_t run = 0, index = -1;
            for (int32_t k = 0; k < s.Fonts.Count(); ++k) {
                if (s.Fonts[k]->Pos <= p) run = k;
            }
            int32_t next = s.Len - p;
            for (const auto& f : s.Fonts) {
                if (f->Pos > p) {
                    next = f->Pos - p;
                    break;
                }
            }
            EXPECT_EQ(s.Fonts.FontObjAt(p, &index), s.Fonts[run]);
            EXPECT_EQ(index, run);
            EXPECT_EQ(s.Fonts.CharsToNextFont(p, s.Len), next);
            TImageObj* image = nullptr;
            int32_t toImage = 9999;
            for (const auto& img : s.Images) {
                if (img->Pos == p && !image) image = img.get();
                if (img->Pos >= p && toImage == 9999) toImage = img->Pos - p;
            }
            EXPECT_EQ(s.Images.ImageAt(p), image);
            EXPECT_EQ(s.Images.CharsToNextImage(p), toImage);
            TFormControlObj* control = nullptr;
            for (TFormControlObj* c : s.Controls) {
                if (c->Pos == p && !control) control = c;
            }
            EXPECT_EQ(ControlAt(s.Controls, p), control);
        }
    };
    for (int n = 0; n < 6; ++n) {
        s.AddToken(Token("ab "));
        s.ChangeFont(doc, n % 2 ? BodyFont() : bold);
        s.AddToken(Token("c"));
        if (n % 2) s.AddImage(Img("", 5, 5), doc, 0);
        else s.AddFormControl(InputSy, doc, 0, {});
    }
    ASSERT_EQ(s.Images.Count(), 3);
    ASSERT_EQ(s.Controls.size(), 3u);
    std::vector<int32_t> order;
    for (int32_t p = 0; p < s.Len + 2; ++p) order.push_back(p);
    check(order);
    std::reverse(order.begin(), order.end());
    check(order);
    for (size_t i = 0; i < order.size(); ++i) std::swap(order[i], order[(i * 7) % order.size()]);
    check(order);
    // The list grows after questions were asked.
    s.ChangeFont(doc, BodyFont());
    s.AddToken(Token("de"));
    check(order);
}

TEST(SectionLayout, NewDefaultFontsReachTheLayoutOfEveryRun) {
    // Layout reads each run's face from a table beside the runs: a change of
    // the document's fonts must reach it, as if the page had been read so.
    const std::string html = "<p>Ein <b>fettes</b> Wort, <font size=+2>gross</font> und <tt>fest</tt>, "
                             "<a href=x.htm>ein Verweis <i>schief</i></a> und noch mehr Text dahinter.";
    auto lines = [](const Page& p) {
        std::string r;
        for (const auto& s : p.doc) {
            if (auto* t = dynamic_cast<const TSection*>(s.get())) r += Lines(*t) + " h" + std::to_string(t->Height) + ";";
        }
        return r;
    };
    for (int32_t size : {9, 16}) {
        Page changed;
        changed.Load(html, 200);
        const std::string before = lines(changed);
        changed.doc.FontSize = size;
        changed.doc.PreFontName = "Times New Roman";
        changed.doc.ReapplyFonts();
        changed.doc.LayoutDocument(200);
        Page fresh;
        fresh.doc.FontSize = size;
        fresh.doc.PreFontName = "Times New Roman";
        fresh.Load(html, 200);
        EXPECT_EQ(lines(changed), lines(fresh)) << size;
        EXPECT_NE(lines(changed), before) << size;
    }
}
