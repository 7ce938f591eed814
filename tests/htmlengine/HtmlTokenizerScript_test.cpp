// Script content and what follows its end tag: inside, comments are script
// text; right after the end tag the page is read as page again.
#include "htmlengine/HtmlTokenizer.h"

#include <gtest/gtest.h>

using namespace htmlengine;

namespace {

// Reads a page the way the parser does: after SCRIPT the script tokens up to
// the end tag, then symbols again. Each step as "number:text", a script as
// "script:text" (line ends as '/'), an include call as "#command".
std::string Read(std::string_view doc) {
    ParseContext context;
    HtmlTokenizer t{context};
    std::string out;
    auto put = [&](const std::string& s) { out += (out.empty() ? "" : " | ") + s; };
    static const char kIncluded[] = "<i>in</i>";
    t.Include = [&](const std::string& command, std::vector<std::string>, const char*& buf, int32_t& n) {
        put("#" + command);
        buf = kIncluded;
        n = sizeof kIncluded - 1;
    };
    t.Begin(doc);
    t.AdvanceChar();
    for (int i = 0; i < 100; ++i) {
        t.NextSymbol();
        put(std::to_string(t.Sy) + (t.LCToken.Text.empty() ? "" : ":" + t.LCToken.Text));
        if (t.Sy == EofSy) break;
        if (t.Sy != ScriptSy) continue;
        std::string script, token;
        t.BeginScript();
        for (HtmlTokenizer::ScriptToken k; (k = t.NextScriptToken(token)) != HtmlTokenizer::ScriptToken::End;) {
            if (k == HtmlTokenizer::ScriptToken::Eof) break;
            script += k == HtmlTokenizer::ScriptToken::LineEnd ? "/" : token;
        }
        put("script:" + script);
        if (t.InScript) put("still in script");
    }
    return out;
}

}  // namespace

TEST(HtmlTokenizerScript, WhatFollowsTheEndTag) {
    struct Case { const char* doc; const char* want; } cases[] = {
        // The include runs as the reader steps past the end tag.
        {"<script>x</script><!--#include file=\"a\"-->z",
         "152 | #include | script:x | 8 | 70:in | 9 | 70:z | 71"},
        {"<script>x</script><!-- note -->z", "152 | script:x | 70:z | 71"},
        {"<script>x</script><!DOCTYPE y>z", "152 | script:x | 70:z | 71"},
        {"<script>x</script>z", "152 | script:x | 70:z | 71"},
        {"<script>x</script><b>z", "152 | script:x | 6 | 70:z | 71"},
        {"<script>x</SCRIPT><!-- c --><b>", "152 | script:x | 6 | 71"},
        {"<script>x</script>\n<!-- c -->z", "152 | script:x | 70: z | 71"},
        // Inside the script comments and includes are its text.
        {"<script>a<!-- b -->c\n<!--#include file=x-->d</script>",
         "152 | script:a<!-- b -->c/<!--#include file=x-->d | 71"},
        {"<script>a</scrip><!-- b --></script>", "152 | script:a</scrip><!-- b --> | 71"},
        {"<script>a</script ><!-- b --></script>", "152 | script:a</script ><!-- b --> | 71"},
        // An unclosed script ends with the page and leaves script mode.
        {"<script>a<!-- b", "152 | script:a<!-- b | 71"},
    };
    for (const Case& c : cases) EXPECT_EQ(Read(c.doc), c.want) << c.doc;
}
