// Arbitrary bytes as a page: parsed into a document, laid out at a narrow and
// a wide width, painted to the recording canvas, and asked a few position
// questions. A byte '!' first gives the parse an include hook.
#include "htmlengine/FixedMeasurer.h"
#include "htmlengine/PageCells.h"
#include "htmlengine/PagePars.h"
#include "htmlengine/RecordingCanvas.h"

#include <cstddef>
#include <cstdint>

namespace {

using namespace htmlengine;

void LayoutAndPaint(TSectionList& doc, RecordingCanvas& canvas, int32_t width) {
    const int32_t height = doc.LayoutDocument(width);
    canvas.log.clear();
    doc.PaintAt(canvas, {0, 0, width, height + 1}, 0, 0, width);
    TFormControlObj* control = nullptr;
    TUrlTarget target;
    for (int32_t y = 0; y < height; y += 97) {
        doc.UrlAtPoint(doc.Measurer[0], width / 3, y, control, target);
        bool inText = false;
        int32_t h = 0, lineY = 0, caretX = 0;
        TCell* cell = nullptr;
        const int32_t index = doc.CursorFromPoint(*doc.Measurer, width / 2, y, inText, h, lineY, caretX, cell);
        if (index >= 0) {
            int32_t cy = 0, cx = 0;
            doc.CaretPoint(*doc.Measurer, index, cy, cx);
            doc.DisplayToSource(index);
        }
    }
    doc.ClearActive();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FixedMeasurer measurer;
    RecordingCanvas canvas;
    TSectionList doc;
    doc.Measurer = &measurer;
    TAnchorList anchors;
    ParseHooks hooks;
    static const char kInclude[] = "<b>eingef\xFCgt</b><ul><li>x";
    if (size > 0 && data[0] == '!') {
        hooks.Include = [](const std::string&, std::vector<std::string>, const char*& buffer, int32_t& n) {
            buffer = kInclude;
            n = sizeof kInclude - 1;
        };
    }
    doc.OnScript = [](const std::string&, const std::string&, const std::string&) {};
    ParseFromBuffer(doc, anchors, reinterpret_cast<const char*>(data), static_cast<int32_t>(size), hooks);
    LayoutAndPaint(doc, canvas, 37);
    LayoutAndPaint(doc, canvas, 700);
    doc.SourceToDisplay(static_cast<int32_t>(size / 2), true);
    doc.FindTextFrom(0, "ab", false);
    return 0;
}
