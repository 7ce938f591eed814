// Simple sections (spaces, rules, preformatted text, list items) and the
// SELECT and TEXTAREA controls through a fake host.
#include "SectionFixture.h"

#include "htmlengine/HtmlSymbols.h"
#include "htmlengine/PageSbs1.h"
#include "htmlengine/RecordingCanvas.h"

#include <gtest/gtest.h>

using namespace htmlengine;
using namespace htmlengine::testing;

TEST(SimpleSections, SpaceAndRuleHeightsFollowTheFontSize) {
    TestDocument doc;
    struct Case { int32_t fontSize, level, want; } headings[] = {
        {12, 1, 16}, {12, 2, 12}, {12, 3, 10}, {12, 4, 8}, {12, 5, 6}, {12, 6, 4}, {12, 0, 8}, {12, 7, 8}, {10, 1, 13},
    };
    for (const Case& c : headings) {
        doc.FontSize = c.fontSize;
        THeadingSpace h(nullptr, c.level);
        h.SetDocument(&doc);
        EXPECT_EQ(h.Height, c.want) << c.fontSize << "/" << c.level;
    }
    for (auto [size, want] : {std::pair{10, 12}, {12, 14}, {14, 16}}) {
        doc.FontSize = size;
        TParagraphSpace p(nullptr);
        p.SetDocument(&doc);
        EXPECT_EQ(p.Height, want);
    }
    doc.FontSize = 12;
    TAttributeList a;
    a.Add(SizeSy, 5, "5");
    THorzLine rule(nullptr, a);
    rule.SetDocument(&doc);
    EXPECT_EQ(rule.Height, 23);
    TAttributeList big;
    big.Add(SizeSy, 21, "21");
    THorzLine thick(nullptr, big);
    thick.SetDocument(&doc);
    EXPECT_EQ(thick.Height, 20);             // SIZE beyond 20 keeps 2
    rule.CopySelectedText();
    EXPECT_EQ(doc.CopyBuffer, "\r\n");
}

TEST(SimpleSections, RulePaintsAtItsWidthAlignmentAndColour) {
    struct Case { std::vector<std::pair<uint8_t, const char*>> attrs; std::vector<std::string> want; } cases[] = {
        {{{WidthSy, "50%"}}, {"line 100,10 100,9 299,9 #808080", "line 299,9 299,10 99,10 #C0C0C0"}},
        {{}, {"line 10,10 10,9 389,9 #808080", "line 389,9 389,10 9,10 #C0C0C0"}},
        {{{WidthSy, "150%"}, {NoShadeSy, ""}}, {"line 10,10 10,9 389,9 #000000", "line 389,9 389,10 9,10 #000000"}},
        {{{WidthSy, "50"}, {AlignSy, "Right"}, {ColorSy, "red"}, {SizeSy, "4"}}, {"fill 350,9-400,13 #FF0000"}},
        {{{WidthSy, "50"}, {AlignSy, "left"}}, {"line 0,10 0,9 49,9 #808080", "line 49,9 49,10 -1,10 #C0C0C0"}},
    };
    for (const Case& c : cases) {
        TestDocument doc;
        doc.Background = PaletteRelative | 0xFFFFFF;
        TAttributeList a;
        for (auto [sym, text] : c.attrs) {
            std::string t = text;
            a.Add(sym, StrToIntDef(t.substr(0, t.find('%')), 0), t);
        }
        THorzLine rule(&doc, a);
        rule.OwnerChanged();
        IndentManagerBasic im;
        im.Reset(0, 400);
        RecordingCanvas canvas;
        EXPECT_EQ(rule.PaintAt(canvas, {0, 0, 400, 400}, 0, 0, im), rule.Height);
        EXPECT_EQ(canvas.log, c.want);
    }
    // Outside the clip nothing is drawn.
    TestDocument doc;
    THorzLine rule(&doc, {});
    rule.OwnerChanged();
    IndentManagerBasic im;
    im.Reset(0, 400);
    RecordingCanvas canvas;
    rule.PaintAt(canvas, {0, 100, 400, 200}, 0, 0, im);
    EXPECT_TRUE(canvas.log.empty());
}

TEST(SimpleSections, PreformattedTextNeverWraps) {
    TestDocument doc;
    TPreFormated pre(&doc, nullptr, 1, nullptr, BodyFont(), 0);
    pre.AddToken(Token("a  b\x04  c"));
    EXPECT_EQ(pre.Chars, "a  b?  c");
    IndentManagerBasic im;
    im.Reset(0, 20);
    im.AvailWidth = 20;
    int32_t curs = 0, maxWidth = 0;
    pre.LayoutAt(doc.measurer, 0, curs, maxWidth, im);
    ASSERT_EQ(pre.Lines.size(), 1u);
    EXPECT_EQ(maxWidth, 4 * 8 + 4 * 4);
    EXPECT_EQ(im.AvailWidth, 20);
    EXPECT_EQ(curs, 8);

    TPreFormated empty(&doc, nullptr, 1, nullptr, BodyFont(), 0);
    EXPECT_EQ(empty.LayoutAt(doc.measurer, 0, curs, maxWidth, im), 12);   // the font's point size
    int32_t min, max;
    empty.WidthRange(doc.measurer, min, max);
    EXPECT_EQ(max, 0);
}

TEST(SimpleSections, NestedListItemsGetNormalHeights) {
    TestDocument doc;
    TUListItem outer(&doc, nullptr, nullptr, BodyFont(), 1);
    outer.AddToken(Token("aa"));
    TOListItem inner(&doc, nullptr, nullptr, BodyFont(), 'a', 3, 2);
    inner.AddToken(Token("bb"));
    TDListItem definition(&doc, nullptr, nullptr, BodyFont(), 1);
    definition.AddToken(Token("cc"));
    TSection after(&doc, nullptr, 1, nullptr, BodyFont(), 0);
    after.AddToken(Token("dd"));
    EXPECT_EQ(outer.MarkerKind, 2);
    EXPECT_EQ(inner.MarkerKind, 1);
    EXPECT_EQ(inner.ItemNumber, 3);
    EXPECT_EQ(definition.MarkerKind, 3);

    IndentManagerBasic im;
    im.Reset(0, 300);
    int32_t y = 0;
    for (int pass = 0; pass < 2; ++pass) {   // a second layout pass gives the same
        im.Clear();
        im.Reset(0, 300);
        y = 0;
        for (TSection* s : std::initializer_list<TSection*>{&outer, &inner, &definition, &after}) {
            int32_t curs = 0, maxWidth = 0;
            EXPECT_EQ(s->LayoutAt(doc.measurer, y, curs, maxWidth, im), 16);
            y += s->Height;
        }
        EXPECT_EQ(outer.Lines[0].LineX, 35);
        EXPECT_EQ(outer.MarkerX, 35);
        EXPECT_EQ(inner.Lines[0].LineX, 70);
        EXPECT_EQ(definition.Lines[0].LineX, 35);
        EXPECT_EQ(after.Lines[0].LineX, 0);
    }
}

namespace {
TAttributeList Attrs(std::initializer_list<std::pair<uint8_t, const char*>> list) {
    TAttributeList a;
    for (auto [sym, text] : list) a.Add(sym, StrToIntDef(text, 0), text);
    return a;
}
}  // namespace

TEST(ListControls, SizesFromOptionsRowsAndColumns) {
    TestDocument doc;   // Courier New 10: 13 px high, 7 px per character
    TSection s(&doc, nullptr, 1, nullptr, BodyFont(), 0);
    auto* many = static_cast<TListBoxFormControlObj*>(
        s.AddFormControl(SelectSy, doc, 0, Attrs({{MultipleSy, ""}, {NameSy, "m"}})));
    for (int i = 0; i < 12; ++i) many->AddOption("option" + std::to_string(i), "", false);
    many->SizeFromCanvas(doc.measurer);
    EXPECT_EQ(many->Height(), 8 * 13 + 4);
    EXPECT_EQ(many->Width(), 8 * 7 + 15 + 4);

    auto* none = static_cast<TListBoxFormControlObj*>(s.AddFormControl(SelectSy, doc, 0, Attrs({{SizeSy, "3"}})));
    none->SizeFromCanvas(doc.measurer);
    EXPECT_EQ(none->Height(), 3 * 13 + 4);
    auto* combo = s.AddFormControl(SelectSy, doc, 0, Attrs({}));
    EXPECT_NE(dynamic_cast<TComboFormControlObj*>(combo), nullptr);
    combo->SizeFromCanvas(doc.measurer);
    EXPECT_EQ(combo->Width(), 3 * 5 + 30 + 4);     // the screen font: 8 pt, 5 px per letter

    auto* area = s.AddFormControl(TextAreaSy, doc, 0, Attrs({{ColsSy, "10"}, {RowsSy, "-4"}}));
    area->SizeFromCanvas(doc.measurer);
    EXPECT_EQ(area->Width(), 10 * 7 + 5 + 4);
    EXPECT_EQ(area->Height(), 1 * 13 + 5 + 4);
    EXPECT_EQ(s.Chars, std::string(4, ControlChar));
    EXPECT_EQ(s.Controls.size(), 4u);
    EXPECT_EQ(ControlWidthAt(s.Controls, 3), area->Width());
    EXPECT_EQ(DistanceToControl(s.Controls, 2), 0);
    EXPECT_EQ(DistanceToControl(s.Controls, 4), 9999);
}

TEST(ListControls, ResetAndSubmitPairs) {
    TestDocument doc;
    TComboFormControlObj single(doc, Attrs({{NameSy, "s"}}), 0);
    single.AddOption("One", "1", true);
    single.AddOption("Two", "", true);
    single.AddOption("Three", "", false);
    single.ResetValue();
    std::vector<std::string> pairs;
    std::string pair;
    for (int i = 0; single.GetSubmitPair(i, pair); ++i) pairs.push_back(pair);
    EXPECT_EQ(pairs, (std::vector<std::string>{"", "s=Two", ""}));

    TListBoxFormControlObj multi(doc, Attrs({{NameSy, "m"}, {MultipleSy, ""}}), 0);
    multi.AddOption("A", "a", true);
    multi.AddOption("B", "", false);
    multi.AddOption("C", "", true);
    multi.ResetValue();
    pairs.clear();
    for (int i = 0; multi.GetSubmitPair(i, pair); ++i) pairs.push_back(pair);
    EXPECT_EQ(pairs, (std::vector<std::string>{"m=a", "", "m=C"}));

    TListBoxFormControlObj unselected(doc, Attrs({{NameSy, "u"}, {SizeSy, "4"}}), 0);
    unselected.AddOption("X", "", false);
    unselected.ResetValue();
    ASSERT_TRUE(unselected.GetSubmitPair(0, pair));
    EXPECT_EQ(pair, "u=X");                         // none selected: the first

    TTextAreaFormControlObj soft(doc, Attrs({{NameSy, "t"}, {WrapSy, "SOFT"}}), 0);
    TTextAreaFormControlObj plain(doc, Attrs({{NameSy, "t"}}), 0);
    for (auto* t : {&soft, &plain}) {
        for (const char* l : {"a", "b", "c"}) t->AddTextAreaLine(l);
        t->ResetValue();
    }
    ASSERT_TRUE(soft.GetSubmitPair(0, pair));
    EXPECT_EQ(pair, "t=abc");
    ASSERT_TRUE(plain.GetSubmitPair(0, pair));
    EXPECT_EQ(pair, "t=a\r\nb\r\nc");
    EXPECT_FALSE(plain.GetSubmitPair(1, pair));
    EXPECT_TRUE(doc.host.made[3]->options.WordWrap);
}
