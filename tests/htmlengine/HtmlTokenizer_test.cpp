// The tokenizer: tags, attributes, text runs, entities, comments, includes and
// colour values.
#include "htmlengine/HtmlTokenizer.h"

#include <gtest/gtest.h>

using namespace htmlengine;

namespace {

struct Tokens {
    ParseContext context;
    HtmlTokenizer t{context};
    std::vector<std::string> symbols;

    // Each symbol as "number:text" ("number" alone without text).
    explicit Tokens(std::string_view doc, bool pre = false, bool nobr = false) {
        t.Begin(doc);
        t.InPreformatted = pre;
        context.NoBreak = nobr;
        t.AdvanceChar();
        for (int i = 0; i < 1000; ++i) {
            t.NextSymbol();
            std::string s = std::to_string(t.Sy);
            if (!t.LCToken.Text.empty()) s += ":" + t.LCToken.Text;
            symbols.push_back(s);
            if (t.Sy == EofSy) break;
        }
    }
};

std::string Joined(const std::vector<std::string>& v) {
    std::string r;
    for (const std::string& s : v) r += (r.empty() ? "" : " | ") + s;
    return r;
}

}  // namespace

TEST(HtmlTokenizer, SymbolStreams) {
    struct Case { const char* doc; const char* want; bool pre = false; bool nobr = false; } cases[] = {
        {"<p>x</P>", "4 | 70:x | 5 | 71"},
        {"<br></br><BODY>", "14 | 69 | 2 | 71"},             // BR has no end symbol
        {"<foo bar=1>", "69 | 71"},
        {"a < b", "70:a  | 70:< | 70: b | 71"},
        {"a  \r\n\t b", "70:a b | 71"},
        {"a  \r\n b", "70:a\x05" "b | 71", false, true},      // no-break blank
        {"a \r\nb", "70:a \rb | 71", true},                  // preformatted keeps blanks and line ends
        {"x\x01y", "70:x | 67:\x01 | 70:y | 71"},
        {"ab\x1A" "cd", "70:ab | 71"},                        // Ctrl-Z ends the document
        {"a<!-- a -- b -->b<!DOCTYPE html>c<!---->d", "70:abcd | 71"},
        {"</>x", "69 | 70:x | 71"},
        {"<b>&amp;</b>", "6 | 70:& | 7 | 71"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Joined(Tokens(c.doc, c.pre, c.nobr).symbols), c.want) << c.doc;
    }
}

TEST(HtmlTokenizer, LongTextArrivesInRunsOfAHundred) {
    Tokens r(std::string(250, 'x'));
    ASSERT_EQ(r.symbols.size(), 4u);
    EXPECT_EQ(r.symbols[0].size(), 103u);
    EXPECT_EQ(r.symbols[2].size(), 53u);
}

TEST(HtmlTokenizer, HeadingLevelsAndSourcePositions) {
    ParseContext ctx;
    HtmlTokenizer t(ctx);
    t.Begin("<h2>ab\r\ncd<H7>");
    t.AdvanceChar();
    t.NextSymbol();
    EXPECT_EQ(t.Sy, HeadingSy);
    EXPECT_EQ(t.HeadingLevel, 2);
    EXPECT_EQ(t.TagPos, 0);
    t.NextSymbol();
    EXPECT_EQ(t.LCToken.Text, "ab cd");
    EXPECT_EQ(t.LCToken.Positions, (std::vector<int32_t>{4, 5, 6, 8, 9}));
    t.NextSymbol();
    EXPECT_EQ(t.Sy, HeadingSy);
    EXPECT_EQ(t.HeadingLevel, 0);
    EXPECT_EQ(t.TagPos, 10);
}

TEST(HtmlTokenizer, Attributes) {
    ParseContext ctx;
    HtmlTokenizer t(ctx);
    t.Begin("<img SRC=\"a &amp; b.gif\" width=50% height = '12' alt=bare border name=12px "
            "value=\"\r\n7% \" foo-bar=x><b><td x=1>");
    t.AdvanceChar();
    t.NextSymbol();
    ASSERT_EQ(t.Sy, ImageSy);
    struct Want { HtmlSymbol sym; const char* str; int32_t i; } want[] = {
        {SrcSy, "a & b.gif", 0}, {WidthSy, "50%", 50}, {HeightSy, "12", 12}, {AltSy, "bare", 0},
        {BorderSy, "", 1},       {NameSy, "12px", 0},  {ValueSy, "7% ", 7}, {OtherAttributeSy, "x", 0},
    };
    ASSERT_EQ(t.Attributes.Count(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(t.Attributes[i]->Symbol, want[i].sym) << i;
        EXPECT_EQ(t.Attributes[i]->StrValue, want[i].str) << i;
        EXPECT_EQ(t.Attributes[i]->IntValue, want[i].i) << i;
    }
    t.NextSymbol();  // B keeps no attributes: the list stays as it was
    EXPECT_EQ(t.Attributes.Count(), 8);
    t.NextSymbol();
    ASSERT_EQ(t.Attributes.Count(), 1);
    EXPECT_EQ(t.Attributes[0]->Symbol, OtherAttributeSy);
    EXPECT_EQ(t.Attributes[0]->IntValue, 1);
}

TEST(HtmlTokenizer, EntityForms) {
    struct Case { const char* doc; const char* text; } cases[] = {
        {"&amp;", "&"},          {"&amp", "&"},            {"&AMP;", "&AMP;"},
        {"&lt;&gt;", "<"},       {"&quot;", "\""},         {"&trade;", "\x99"},
        {"&hellip;", "..."},     {"&auml;", "\xE4"},       {"&yuml;", "\xFF"},
        {"&nbsp;", "\xA0"},      {"&#65;", "A"},           {"&#65", "A"},
        {"&#9;", " "},           {"&#0;", "&#0;"},         {"&#123456;", "&#123456"},
        {"&#x41;", "&#"},        {"&#8364;", "\x80"},      {"&#1044;", "?"},
        {"&#65540;", "&#65540;"}, {"&#65601;", "A"},       {"&unknown;", "&unknown"},
        {"&bogus;", "&bogus;"},  {"& x", "&"},             {"&amp", "&"},
    };
    for (const Case& c : cases) {
        Tokens r(c.doc);
        EXPECT_EQ(r.symbols[0], std::string("70:") + c.text) << c.doc;
    }
    ParseContext ctx;
    HtmlTokenizer t(ctx);
    t.Begin("ab&hellip;&xyz;");
    t.AdvanceChar();
    t.NextSymbol();
    t.NextSymbol();
    EXPECT_EQ(t.LCToken.Positions, (std::vector<int32_t>{2, 3, 4}));
    t.NextSymbol();
    EXPECT_EQ(t.LCToken.Text, "&xyz;");
    EXPECT_EQ(t.LCToken.Positions, (std::vector<int32_t>{10, 11, 12, 13, 14}));
}

TEST(HtmlTokenizer, OpenCommentAtEndRaisesAfterTheTextBeforeIt) {
    for (const char* doc : {"ab<b>cd<!-- open", "ab<b>cd<!DOCTYPE", "ab<b>cd<!-- x -- y", "ab<b>cd<!-- x ->"}) {
        ParseContext ctx;
        HtmlTokenizer t(ctx);
        t.Begin(doc);
        t.AdvanceChar();
        std::vector<std::string> read;
        try {
            for (int i = 0; i < 10; ++i) {
                t.NextSymbol();
                read.push_back(std::to_string(t.Sy) + ":" + t.LCToken.Text);
            }
            ADD_FAILURE() << "no error for " << doc;
        } catch (const EParseError& e) {
            EXPECT_STREQ(e.what(), "Open Comment at End of HTML File");
        }
        EXPECT_EQ(Joined(read), "70:ab | 6: | 70:cd") << doc;
    }
}

TEST(HtmlTokenizer, IncludeCommandsReadTheHooksBuffer) {
    ParseContext ctx;
    HtmlTokenizer t(ctx);
    static const char kText[] = "<b>in<!--#again--></b>";
    std::string seen;
    t.Include = [&](const std::string& command, std::vector<std::string> params, const char*& buf, int32_t& n) {
        seen += command;
        for (const std::string& p : params) seen += " " + p;
        buf = kText;
        n = sizeof kText - 1;
    };
    t.Begin("a<!--#include file=\"x.htm\" Virtual=y -->z");
    t.AdvanceChar();
    std::vector<std::string> out;
    do {
        t.NextSymbol();
        out.push_back(std::to_string(t.Sy) + ":" + t.LCToken.Text);
    } while (t.Sy != EofSy);
    EXPECT_EQ(seen, "include FILE=x.htm VIRTUAL=y");
    EXPECT_EQ(Joined(out), "70:a | 6: | 70:in | 7: | 70:z | 71:");
    EXPECT_EQ(t.SourcePos, 40);  // included bytes do not count
}

TEST(HtmlTokenizer, IncludedTextStandsWhereTheCommandEnds) {
    // Text runs go on through an include; its characters have no page
    // positions of their own.
    ParseContext ctx;
    HtmlTokenizer t(ctx);
    static const char kText[] = "in it";
    t.Include = [&](const std::string&, std::vector<std::string>, const char*& buf, int32_t& n) {
        buf = kText;
        n = sizeof kText - 1;
    };
    t.Begin("ab<!--#x-->cd ef");
    t.AdvanceChar();
    t.NextSymbol();
    EXPECT_EQ(t.LCToken.Text, "abin itcd ef");
    EXPECT_EQ(t.LCToken.Positions, (std::vector<int32_t>{0, 1, 10, 10, 10, 10, 10, 11, 12, 13, 14, 15}));
}

TEST(HtmlTokenizer, EachTagReadsItsOwnNamesAndValues) {
    // The tokenizer keeps its buffers from tag to tag: nothing of a longer
    // name or value before may show through.
    ParseContext ctx;
    HtmlTokenizer t(ctx);
    t.Begin("<font face=\"Arial Narrow Extended\" size=+2 color=red><a href=x target=_top><font size=1>");
    t.AdvanceChar();
    t.NextSymbol();
    ASSERT_EQ(t.Attributes.Count(), 3);
    EXPECT_EQ(t.Attributes[0]->StrValue, "Arial Narrow Extended");
    t.NextSymbol();
    EXPECT_EQ(t.Sy, ASy);
    ASSERT_EQ(t.Attributes.Count(), 2);
    EXPECT_EQ(t.Attributes[0]->Symbol, HrefSy);
    EXPECT_EQ(t.Attributes[0]->StrValue, "x");
    EXPECT_EQ(t.Attributes[0]->IntValue, 0);
    EXPECT_EQ(t.Attributes[1]->StrValue, "_top");
    t.NextSymbol();
    EXPECT_EQ(t.Sy, FontSy);
    ASSERT_EQ(t.Attributes.Count(), 1);
    EXPECT_EQ(t.Attributes[0]->Symbol, SizeSy);
    EXPECT_EQ(t.Attributes[0]->StrValue, "1");
    EXPECT_EQ(t.Attributes[0]->IntValue, 1);
}

TEST(HtmlTokenizer, ParagraphBreakIsClearedByContentOnly) {
    ParseContext ctx;
    HtmlTokenizer t(ctx);
    t.Begin("<b>x");
    t.AdvanceChar();
    t.ParagraphBreak = true;
    t.NextSymbol();
    EXPECT_TRUE(t.ParagraphBreak);
    t.NextSymbol();
    EXPECT_FALSE(t.ParagraphBreak);
}

TEST(ColorValues, NamesAndHexNumbers) {
    struct Case { const char* text; std::optional<TColor> want; } cases[] = {
        {"red", 0x0000FF},      {"RED", 0x0000FF},     {"Fuchsia", 0xFF00FF},
        {"#FFF", 0x00F0FF},     {"#102030", 0x302010}, {"102030", 0x302010},
        {"#FFFFFFFF", 0xFFFFFF}, {"", std::nullopt},   {"#GG0000", std::nullopt},
        {"redish", std::nullopt}, {"#123456789", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseColorValue(c.text), c.want) << c.text;
}
