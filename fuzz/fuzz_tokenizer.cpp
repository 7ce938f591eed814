// Arbitrary bytes through the HTML tokenizer: every document must end in the
// end symbol or the open-comment error, within a bounded number of symbols.
// Text, images and no-break runs are poured into one text section, which is
// then laid out at a narrow and a wide width.
#include "htmlengine/FixedMeasurer.h"
#include "htmlengine/HtmlTokenizer.h"
#include "htmlengine/PageSubs.h"
#include "htmlengine/SectionDocument.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace htmlengine;

void Layout(TSection& s, int32_t width) {
    IndentManagerBasic im;
    im.Reset(0, width);
    im.AvailWidth = width;
    int32_t curs = 0, maxWidth = 0;
    s.LayoutAt(*s.Document->Measurer, 0, curs, maxWidth, im);
    int32_t chars = 0;
    for (const LineRec& l : s.Lines) chars += l.CharCount;
    if (chars != s.Len) std::abort();  // every character sits on exactly one line
    int32_t min, max;
    s.WidthRange(*s.Document->Measurer, min, max);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FixedMeasurer measurer;
    ParseContext context;
    SectionDocument doc;
    doc.Measurer = &measurer;
    doc.Parse = &context;
    TMyFont font;
    TSection section(&doc, nullptr, 1, nullptr, font, 0);

    HtmlTokenizer t(context);
    t.Begin(std::string_view(reinterpret_cast<const char*>(data), size));
    static const char kInclude[] = "<b>included &amp; <!--#x--></b>";
    if (size > 0 && data[0] == '!') {
        t.Include = [](const std::string&, std::vector<std::string>, const char*& buffer, int32_t& n) {
            buffer = kInclude;
            n = sizeof kInclude - 1;
        };
    }
    try {
        t.AdvanceChar();
        size_t limit = 4 * size + 16 * sizeof kInclude + 16;
        for (size_t i = 0;; ++i) {
            if (i > limit) std::abort();  // the reader stopped making progress
            t.NextSymbol();
            if (t.LCToken.Text.size() != t.LCToken.Positions.size()) std::abort();
            switch (t.Sy) {
            case TextSy:
            case OtherCharSy: section.AddToken(t.LCToken); break;
            case ImageSy: section.AddImage(t.Attributes, doc, t.TagPos); break;
            case NoBrSy: context.NoBreak = true; break;
            case NoBrEndSy: context.NoBreak = false; break;
            case PreSy: t.InPreformatted = true; break;
            case PreEndSy: t.InPreformatted = false; break;
            default: break;
            }
            if (t.Sy == EofSy) break;
        }
    } catch (const EParseError&) {
    }
    section.Finish();
    Layout(section, 40);
    Layout(section, 600);
    return 0;
}
