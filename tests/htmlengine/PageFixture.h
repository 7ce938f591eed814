#pragma once
// A parsed page on the fixed measurer, a fake control host and the recording
// canvas, with a one-line-per-section dump of what the parser built.

#include "SectionFixture.h"
#include "htmlengine/PageCells.h"
#include "htmlengine/PagePars.h"
#include "htmlengine/PageSbs1.h"
#include "htmlengine/RecordingCanvas.h"

#include <string>
#include <vector>

namespace htmlengine::testing {

struct Page {
    Page() {
        doc.Measurer = &measurer;
        doc.Controls = &host;
    }
    explicit Page(const std::string& html, int32_t width = 400) : Page() { Load(html, width); }

    void Load(const std::string& html, int32_t width = 400, const ParseHooks& hooks = {}) {
        result = ParseFromBuffer(doc, anchors, html.data(), static_cast<int32_t>(html.size()), hooks);
        height = doc.LayoutDocument(width);
    }
    // Paints the whole page; the log holds what was drawn.
    void Paint(int32_t width = 400) {
        canvas.log.clear();
        doc.PaintAt(canvas, {0, 0, width, 10000}, 0, 0, width);
    }

    static std::string Text(const TSectionBase* s) {
        if (auto* t = dynamic_cast<const TSection*>(s)) return "'" + t->Chars + "'";
        return "";
    }
    static std::string Describe(const TSectionBase* s) {
        if (dynamic_cast<const TParagraphSpace*>(s)) return "space";
        if (auto* h = dynamic_cast<const THeadingSpace*>(s)) return "heading " + std::to_string(h->HeadingLevel);
        if (dynamic_cast<const THorzLine*>(s)) return "rule";
        if (auto* o = dynamic_cast<const TOListItem*>(s)) {
            return "ol " + std::string(1, o->Style) + std::to_string(o->ItemNumber) + " l" +
                   std::to_string(o->ListLevel) + " " + Text(s);
        }
        if (auto* d = dynamic_cast<const TDListItem*>(s)) return "dl l" + std::to_string(d->ListLevel) + " " + Text(s);
        if (auto* u = dynamic_cast<const TUListItem*>(s)) return "ul l" + std::to_string(u->ListLevel) + " " + Text(s);
        if (dynamic_cast<const TPreFormated*>(s)) return "pre " + Text(s);
        if (auto* t = dynamic_cast<const TSection*>(s)) {
            return "text a" + std::to_string(t->Alignment) + " l" + std::to_string(t->ListLevel) + " " + Text(s);
        }
        return "?";
    }
    // Sections without characters are left out unless all is set.
    std::vector<std::string> Dump(bool all = false) const {
        std::vector<std::string> out;
        for (const auto& s : doc) {
            auto* t = dynamic_cast<const TSection*>(s.get());
            if (!all && t && t->Len == 0) continue;
            out.push_back(Describe(s.get()));
        }
        return out;
    }
    bool Owns(const TSectionBase* s) const {
        for (const auto& x : doc)
            if (x.get() == s) return true;
        return false;
    }

    FixedMeasurer measurer;
    FakeHost host;
    TSectionList doc;
    TAnchorList anchors;
    ParseResult result;
    RecordingCanvas canvas;
    int32_t height = 0;
};

}  // namespace htmlengine::testing
