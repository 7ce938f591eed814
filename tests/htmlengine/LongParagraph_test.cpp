// Long paragraphs of every kind of content (font and size runs, links, long
// words, no-break runs, scripts, inline and floating pictures, controls, a
// preformatted block and a table) lay out, paint and answer position
// questions exactly as the earlier layout did. The digests were recorded from
// that earlier code, whose cost grew with the square of a paragraph's length.
#include "PageFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace htmlengine;
using namespace htmlengine::testing;

namespace {

std::string Piece(int n) {
    static const char* const words[] = {"Wort", "und", "Abfrage", "die", "Fehlerliste", "sp&auml;ter", "ein"};
    const std::string w = words[n % 7], k = std::to_string(n);
    switch (n % 16) {
    case 0: return "<b>" + w + "</b> ";
    case 1: return "<font size=" + std::to_string(n % 7 + 1) + ">" + w + "</font> ";
    case 2: return "<a href=\"k" + k + ".htm\">" + w + " <i>" + w + "</i></a> ";
    case 3: return "<img src=b.gif width=" + std::to_string(6 + n % 31) + " height=" + std::to_string(4 + n % 23) +
                   (n % 3 == 0 ? " align=top" : n % 3 == 1 ? " align=middle" : "") + "> ";
    case 4: return "Donaudampfschifffahrtsgesellschaftskapit&auml;nswitwe" + k + " ";
    case 5: return "<nobr>" + w + " " + w + "<img src=c.gif width=9 height=9>" + w + "</nobr> ";
    case 6: return w + "<sub>" + k + "</sub><sup>" + w + "</sup> ";
    case 7: return "<img src=f.gif align=" + std::string(n % 2 ? "left" : "right") + " width=" +
                   std::to_string(20 + n % 40) + " height=" + std::to_string(10 + n % 50) + "> ";
    case 8: return "<input type=text size=" + std::to_string(3 + n % 9) + "> ";
    case 9: return "<a href=x.htm><img src=l.gif width=15 height=15></a>" + w + " ";
    case 10: return "<tt>" + w + "&nbsp;" + w + "</tt>  " + w + " ";
    case 11: return "<font size=+2><b><i>" + w + "</i></b></font>" + w + " ";
    default: return w + " ";
    }
}

std::string MixedPage(int pieces) {
    std::string body;
    for (int n = 0; n < pieces; ++n) body += Piece(n);
    std::string pre;
    for (int n = 0; n < 40; ++n) pre += "Zeile " + std::to_string(n) + "\t<b>fett</b> und <img src=p.gif width=7 height=30>\n";
    std::string table = "<table border=1><tr><td>" + body.substr(0, 4000) + "<td>" + body.substr(4000, 3000) + "</table>";
    return "<html><body><p>" + body + "<p align=center>" + body.substr(0, 9000) + "<p align=right>" +
           body.substr(9000, 9000) + "<pre>" + pre + "</pre>" + table + "</body></html>";
}

uint64_t Fnv(uint64_t h, const std::string& s) {
    for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
    return (h ^ '\n') * 1099511628211ull;
}

struct Digest {
    int32_t height = 0, maxWidth = 0, lines = 0;
    uint64_t layout = 14695981039346656037ull, paint = 14695981039346656037ull,
             points = 14695981039346656037ull;
};

void AddSection(Digest& d, const TSectionBase* s) {
    d.layout = Fnv(d.layout, std::to_string(s->Top) + " " + std::to_string(s->Height) + " " +
                                 std::to_string(s->DrawHeight) + " " + std::to_string(s->FirstIndex));
    const auto* t = dynamic_cast<const TSection*>(s);
    if (!t) return;
    for (const LineRec& l : t->Lines) {
        ++d.lines;
        d.layout = Fnv(d.layout, std::to_string(l.Start) + " " + std::to_string(l.CharCount) + " " +
                                     std::to_string(l.SpaceAbove) + " " + std::to_string(l.TextHeight) + " " +
                                     std::to_string(l.SpaceBelow) + " " + std::to_string(l.LineDrawHeight) + " " +
                                     std::to_string(l.Descent) + " " + std::to_string(l.LineX));
    }
    for (const auto& img : t->Images) {
        d.layout = Fnv(d.layout, std::to_string(img->FloatX) + " " + std::to_string(img->ImageWidth));
    }
}

Digest LayOutPaintAndPoint(Page& p, int32_t width) {
    Digest d;
    d.height = p.doc.LayoutDocument(width, &d.maxWidth);
    // The table's cells show in the paint log.
    for (const auto& s : p.doc) AddSection(d, s.get());
    p.doc.PaintAt(p.canvas, {0, 0, width, d.height}, 0, 0, width);
    for (const std::string& line : p.canvas.log) d.paint = Fnv(d.paint, line);
    p.canvas.log.clear();
    for (int32_t y = 0; y < d.height; y += 97) {
        for (int32_t x = 0; x < width + 20; x += 37) {
            bool inText = false;
            int32_t lineHeight = 0, lineY = 0, caretX = 0;
            TCell* cell = nullptr;
            const int32_t i = p.doc.CursorFromPoint(p.measurer, x, y, inText, lineHeight, lineY, caretX, cell);
            TFormControlObj* control = nullptr;
            TUrlTarget target;
            const bool link = p.doc.UrlAtPoint(p.measurer, x, y, control, target);
            d.points = Fnv(d.points, std::to_string(i) + " " + std::to_string(inText) + " " + std::to_string(caretX) +
                                         " " + std::to_string(lineY) + " " + (link ? target.Url : "-"));
        }
    }
    return d;
}

TEST(LongParagraph, LaysOutPaintsAndHitTestsAsBefore) {
    struct Case {
        int32_t width;
        Digest want;
    } cases[] = {
        {120, {28480, 978, 1469, 17076278980053933095ull, 13912171734463296239ull, 7856436456989285799ull}},
        {333, {16000, 978, 697, 15991493923149791095ull, 10528108247137436357ull, 5995302577762473320ull}},
        {800, {8599, 978, 298, 16261500736071922373ull, 14617157151943231284ull, 3088798090606755376ull}},
    };
    Page p;
    p.measurer.italicOverhang = 2;
    p.Load(MixedPage(1500));
    for (const Case& c : cases) {
        const Digest got = LayOutPaintAndPoint(p, c.width);
        SCOPED_TRACE("width " + std::to_string(c.width));
        EXPECT_EQ(got.height, c.want.height);
        EXPECT_EQ(got.maxWidth, c.want.maxWidth);
        EXPECT_EQ(got.lines, c.want.lines);
        EXPECT_EQ(got.layout, c.want.layout);
        EXPECT_EQ(got.paint, c.want.paint);
        EXPECT_EQ(got.points, c.want.points);
    }
}

}  // namespace
