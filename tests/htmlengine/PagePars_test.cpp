#include "PageFixture.h"
#include "htmlengine/PageTables.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace htmlengine::testing {
namespace {

using ::testing::ElementsAre;

const TSection* FindText(const Page& p, const std::string& chars) {
    for (const auto& s : p.doc) {
        auto* t = dynamic_cast<const TSection*>(s.get());
        if (t && t->Chars == chars) return t;
    }
    return nullptr;
}

TEST(PageParser, SmallPageGivesItsSections) {
    Page p("<html><head><title>Hilfe &amp; Index</title><base href=\"http://h/\" target=main></head>\n"
           "<body><h1>Kopf</h1><p align=center>Erster <b>fett</b> Absatz<a name=\"oben\"></a>\n"
           "<ul><li>eins<li>zwei<ol type=A start=3><li>drei<li>vier</ol></ul><hr>\n"
           "<a href=\"seite.htm\" target=\"rechts\">Link</a> <a name=\"#Unten\">x</a><p>Ende</body>");
    EXPECT_THAT(p.Dump(), ElementsAre("heading 1", "text a1 l0 'Kopf'", "heading 1", "space",
                                      "text a2 l0 'Erster fett Absatz '", "ul l1 'eins'", "ul l1 'zwei'",
                                      "ol A3 l2 'drei'", "ol A4 l2 'vier'", "rule", "text a1 l0 'Link x'",
                                      "space", "text a1 l0 'Ende'"));
    EXPECT_EQ(p.result.Title, "Hilfe & Index");
    EXPECT_EQ(p.result.Base, "http://h/");
    EXPECT_EQ(p.result.BaseTarget, "main");

    ASSERT_EQ(p.anchors.Items.size(), 2u);
    EXPECT_EQ(p.anchors.Find("OBEN"), FindText(p, "Erster fett Absatz "));
    EXPECT_EQ(p.anchors.Find("UNTEN"), FindText(p, "Link x"));

    const TSection* link = FindText(p, "Link x");
    ASSERT_NE(link, nullptr);
    ASSERT_EQ(p.doc.LinkList.size(), 1u);
    const TFontObj* run = p.doc.LinkList[0];
    EXPECT_EQ(run->Section, link);
    EXPECT_EQ(run->UrlTarget().Url, "seite.htm");
    EXPECT_EQ(run->UrlTarget().Target, "rechts");
    EXPECT_EQ(run->TheFont().Style & fsUnderline, fsUnderline);
    // The run after the link carries none.
    EXPECT_TRUE(link->Fonts.FontAt(5)->UrlTarget().Url.empty());
    // The bold word is a run of its own.
    const TSection* para = FindText(p, "Erster fett Absatz ");
    EXPECT_EQ(para->Fonts.FontAt(7)->TheFont().Style & fsBold, fsBold);
    EXPECT_EQ(para->Fonts.FontAt(12)->TheFont().Style & fsBold, 0);
}

TEST(PageParser, ParagraphTagsInARowGiveOneSpace) {
    Page p("a<p><p></p><P>b<br>c");
    EXPECT_THAT(p.Dump(), ElementsAre("text a1 l0 'a'", "space", "text a1 l0 'b'", "text a1 l0 'c'"));
}

TEST(PageParser, FontSizesFollowTheScaleTables) {
    struct Case {
        const char* html;
        int32_t normalSize;
    } cases[] = {
        {"<font size=+2>x", 18},  {"<font size=9>x", 36},       {"<font size=-5>x", 8},
        {"<pre><font size=3>x", 10}, {"<font size=7><big>x", 36}, {"<font size=1><small>x", 8},
        {"<basefont size=5><font size=+1>x", 24}, {"<h2>x", 18}, {"<h7>x", 12}, {"<tt>x", 10},
        {"<pre><font size=7></font></font>x", 10},
    };
    for (const Case& c : cases) {
        Page p(c.html);
        const TSection* s = FindText(p, "x");
        ASSERT_NE(s, nullptr) << c.html;
        EXPECT_EQ(s->Fonts.FontAt(0)->TheFont().NormalSize, c.normalSize) << c.html;
    }
}

TEST(PageParser, FontStackStopsAtTwentyFiveLevels) {
    std::string html;
    for (int i = 0; i < 40; ++i) html += "<font size=" + std::to_string(1 + i % 7) + ">";
    html += "x";
    Page p(html);
    // Levels 2 to 25 hold the first 24 fonts; the 24th has size (23 % 7) + 1 = 3.
    EXPECT_EQ(FindText(p, "x")->Fonts.FontAt(0)->TheFont().NormalSize, 12);
}

TEST(PageParser, SnippetsGiveTheirTextAndColours) {
    struct Case {
        std::string html;
        std::vector<std::string> sections;
        TColor background = clWindow;
        TColor fontColor = clBtnText;
    } cases[] = {
        // BODY drops what came before it (a head's STYLE, stray text) and applies its colours.
        {"<style>p {color:red}</style><body bgcolor=#FFFF00>Text", {"text a1 l0 'Text'"}, 0x00FFFF | PaletteRelative},
        {"Hallo<body bgcolor=#102030 text=red>Welt", {"text a1 l0 'Welt'"}, 0x302010 | PaletteRelative,
         0x0000FF | PaletteRelative},
        // A link in front stays on the page.
        {"<a href=x>y</a><body bgcolor=black>z", {"text a1 l0 'y'", "text a1 l0 'z'"}, clBlack | PaletteRelative},
        // After a first BODY, text is the page's: a second BODY is ignored.
        {"<body bgcolor=#102030>a<body bgcolor=white>b", {"text a1 l0 'ab'"}, 0x302010 | PaletteRelative},
        {"<body bgcolor=#102030>a<p>b<body bgcolor=white>", {"text a1 l0 'a'", "space", "text a1 l0 'b'"},
         0x302010 | PaletteRelative},
        {"<body bgcolor=red><body bgcolor=#102030 text=red>x", {"text a1 l0 'x'"}, 0x302010 | PaletteRelative,
         0x0000FF | PaletteRelative},
        // A comment open at the end keeps everything before it.
        {"Hallo Welt<!-- offen", {"text a1 l0 'Hallo Welt'"}},
        {"<pre>abc\ndef<!-- open", {"pre 'abc'", "pre 'def'"}},
        {"Hallo <b>Welt<!DOCTYPE", {"text a1 l0 'Hallo Welt'"}},
        // Without a script hook a commented-out end tag does not end the script.
        {"<script>\n<!-- document.write(\"</script>\") -->\n</script>after", {"text a1 l0 'after'"}},
        {"<script>x = 1;<!-- open", {}},
        // An image input is its image only: no control character beside it.
        {"<form>a<input type=image src=x.gif>b</form>", {std::string("text a1 l0 'a\x04") + "b'"}},
    };
    for (const Case& c : cases) {
        Page p(c.html);
        EXPECT_EQ(p.Dump(), c.sections) << c.html;
        EXPECT_EQ(p.doc.Background, c.background) << c.html;
        EXPECT_EQ(p.doc.FontColor, c.fontColor) << c.html;
    }
}

TEST(PageParser, BodyKeepsWhatSomethingPointsTo) {
    {
        // Only an anchor came first: the BODY applies and the anchor's section stays.
        Page p("<a name=top></a><body bgcolor=black>Welt");
        TSectionBase* anchored = p.anchors.Find("TOP");
        ASSERT_NE(anchored, nullptr);
        EXPECT_TRUE(p.Owns(anchored));
        EXPECT_EQ(p.doc.Background, clBlack | PaletteRelative);
    }
    {
        // A hidden control adds no character but belongs to the open section.
        Page p("<form><input type=hidden name=a value=1><body bgcolor=black>x</form>");
        ASSERT_EQ(p.doc.AllControls.size(), 1u);
        const TSection* owner = nullptr;
        for (const auto& s : p.doc) {
            auto* t = dynamic_cast<const TSection*>(s.get());
            if (t && !t->OwnedControls.Empty() && t->OwnedControls[0] == p.doc.AllControls[0]) owner = t;
        }
        EXPECT_NE(owner, nullptr);
        EXPECT_EQ(p.doc.Background, clBlack | PaletteRelative);
    }
    {
        Page p("<a href=x>y</a><body>z");
        ASSERT_EQ(p.doc.LinkList.size(), 1u);
        EXPECT_TRUE(p.Owns(p.doc.LinkList[0]->Section));
        EXPECT_EQ(p.doc.LinkList[0]->Section->Chars, "y");
    }
    {
        Page p("<body bgcolor=#102030 text=red link=#00ff00>a");
        EXPECT_EQ(p.doc.HotSpotColor, 0x00FF00u | PaletteRelative);
        EXPECT_EQ(FindText(p, "a")->Fonts.FontAt(0)->TheFont().Color, 0x0000FFu | PaletteRelative);
    }
}

// A BODY in the first cell of a page without one gives the page its
// colours; the cell keeps the text before it.
TEST(PageParser, BodyInATableCellKeepsTheCellsText) {
    struct Case {
        std::string html;
        std::vector<std::string> cell;  // the texts of the first cell, or the caption
    } cases[] = {
        {"<table><tr><td>Wichtig<body bgcolor=red>Rest</table>", {"Wichtig", "Rest"}},
        {"<table><tr><td><b>Wichtig</b> <body bgcolor=red>Rest<td>b</table>", {"Wichtig ", "Rest"}},
        {"<table><caption>Titel<body bgcolor=red>x</caption><tr><td>a</table>", {"Titel", "x"}},
        // Nothing in front: no empty block is left in the cell.
        {"<table><tr><td><body bgcolor=red>Rest</table>", {"Rest"}},
    };
    for (const Case& c : cases) {
        Page p(c.html);
        const ThtmlTable* table = nullptr;
        for (const auto& s : p.doc)
            if (auto* t = dynamic_cast<const ThtmlTable*>(s.get())) table = t;
        ASSERT_NE(table, nullptr) << c.html;
        const bool caption = !table->Caption->Cell->Empty();
        const TCell& cell = caption ? *table->Caption->Cell : *(*table->Rows[0])[0]->Cell;
        std::vector<std::string> texts;
        for (const auto& s : cell)
            if (auto* t = dynamic_cast<const TSection*>(s.get())) texts.push_back(t->Chars);
        EXPECT_EQ(texts, c.cell) << c.html;
        EXPECT_EQ(p.doc.Background, 0x0000FFu | PaletteRelative) << c.html;
    }
}

TEST(PageParser, ListsCloseTheInnermostAndCenterEndsItems) {
    Page p("<ul><li>a<ol><li>b</ul><li>c</ol>d");
    EXPECT_THAT(p.Dump(), ElementsAre("ul l1 'a'", "ol 11 l2 'b'", "ul l1 'c'", "text a1 l0 'd'"));

    Page q("<ul><li>a<center>m</center><li>b<dl><dt>t<dd>u</dl></ul>");
    // After the block the LI is skipped and its text continues; the nested list restarts at depth 1.
    EXPECT_THAT(q.Dump(), ElementsAre("ul l1 'a'", "text a2 l1 'm'", "text a1 l1 'b'", "dl l0 't'", "dl l1 'u'"));

    Page r("<li>lose <b>fett</b><p>weiter");
    EXPECT_THAT(r.Dump(), ElementsAre("ul l1 'lose fett'", "space", "text a1 l0 'weiter'"));
    EXPECT_EQ(FindText(r, "lose fett")->Indent, 15);
}

TEST(PageParser, DeepNestingIsCutWithoutExhaustingTheStack) {
    std::string html;
    for (int i = 0; i < 20000; ++i) html += i % 3 == 0 ? "<ul><li>" : i % 3 == 1 ? "<center>" : "<table><td>";
    html += "tief";
    Page p(html);
    EXPECT_GE(p.doc.FindTextFrom(0, "tief", true), 0);  // deep inside the tables
}

TEST(PageParser, PreformattedLinesAreSectionsOfTheirOwn) {
    Page p("<pre>a  b\n<b>c</b><br>\nd &lt; <x>e</pre>f");
    EXPECT_THAT(p.Dump(true), ElementsAre("text a1 l0 ''", "pre 'a  b'", "pre 'c'", "pre 'd < e'",
                                          "text a1 l0 'f'"));
}

TEST(PageParser, SelectAndTextAreaTakeTheirContent) {
    Page p("<select><option> <option value=v selected>Zwei<option>Drei</select>"
           "<textarea rows=2>x <b>y</b>\n&amp;z</TEXTAREA>nach");
    ASSERT_EQ(p.doc.AllControls.size(), 2u);
    auto* list = dynamic_cast<TListBoxFormControlObj*>(p.doc.AllControls[0]);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->Options.size(), 2u);
    EXPECT_EQ(list->Options[0].first, "Zwei");
    EXPECT_EQ(list->Options[0].second.Value, "v");
    EXPECT_TRUE(list->Options[0].second.Selected);
    auto* area = dynamic_cast<TTextAreaFormControlObj*>(p.doc.AllControls[1]);
    ASSERT_NE(area, nullptr);
    EXPECT_THAT(area->TheLines, ElementsAre("x <b>y</b>", "&z"));
    EXPECT_NE(FindText(p, std::string(1, ControlChar) + ControlChar + "nach"), nullptr);

    Page empty("<select><option>  <option>\n</select>");
    EXPECT_TRUE(dynamic_cast<TListBoxFormControlObj*>(empty.doc.AllControls[0])->Options.empty());
}

TEST(PageParser, HooksMapsAndScripts) {
    std::vector<std::string> calls;
    ParseHooks hooks;
    hooks.Meta = [&](const std::string& e, const std::string& n, const std::string& c) {
        calls.push_back("meta " + e + "|" + n + "|" + c);
    };
    hooks.Sound = [&](const std::string& s, int32_t loop) { calls.push_back("sound " + s + " " + std::to_string(loop)); };
    Page p;
    p.doc.OnScript = [&](const std::string& n, const std::string& l, const std::string& text) {
        calls.push_back("script " + n + "|" + l + "|" + text);
    };
    p.Load("<meta http-equiv=refresh content=5><bgsound src=a.wav loop=3>"
           "<script language=js>if (a<b) x();\n</SCRIPT>"
           "<map name=karte><area href=h coords=0,0,5,5></map><map name=offen>x", 400, hooks);
    EXPECT_THAT(calls, ElementsAre("meta refresh||5", "sound a.wav 3", "script |js|if (a<b) x();\r\n"));
    ASSERT_EQ(p.doc.MapList.Count(), 1);
    EXPECT_NE(p.doc.FindMap("KARTE"), nullptr);
}

TEST(PageParser, OpenCommentEndsTheParseQuietly) {
    Page p("<b>vorher</b> <a name=a>x</a><!-- offen");
    EXPECT_THAT(p.Dump(), ElementsAre("text a1 l0 'vorher x'"));
    EXPECT_TRUE(p.Owns(p.anchors.Find("A")));
}

TEST(PageParser, TextFileShowsTagsButDropsComments) {
    const std::string name = ::testing::TempDir() + "page_parser_text.txt";
    {
        std::ofstream f(name, std::ios::binary);
        f << "<b>Zeile</b> &amp;\r\nzwei<!-- weg -->\r\ndrei<!-- offen";
    }
    Page p;
    ParseTextFile(p.doc, p.anchors, name);
    EXPECT_THAT(p.Dump(), ElementsAre("pre '<b>Zeile</b> &amp;'", "pre 'zwei'", "pre 'drei'"));
    std::remove(name.c_str());
    EXPECT_THROW(ParseFromFile(p.doc, p.anchors, name), EFileError);
}

}  // namespace
}  // namespace htmlengine::testing
