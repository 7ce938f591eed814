// Arbitrary bytes through the HTML tokenizer: every document must end in the
// end symbol or the open-comment error, within a bounded number of symbols.
#include "htmlengine/HtmlTokenizer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace htmlengine;
    ParseContext context;
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
        t.InPreformatted = size > 1 && data[1] == 'p';
        context.NoBreak = size > 2 && data[2] == 'n';
        t.AdvanceChar();
        size_t limit = 4 * size + 16 * sizeof kInclude + 16;
        for (size_t i = 0;; ++i) {
            if (i > limit) std::abort();  // the reader stopped making progress
            t.NextSymbol();
            if (t.LCToken.Text.size() != t.LCToken.Positions.size()) std::abort();
            if (t.Sy == EofSy) break;
        }
    } catch (const EParseError&) {
    }
    return 0;
}
