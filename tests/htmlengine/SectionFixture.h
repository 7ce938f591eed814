#pragma once
// A document with the fixed measurer and a fake control host for section tests.
// Times New Roman 12 pt: lines 16 px (descent 4), letters 8 px, blanks 4 px.

#include "htmlengine/FixedMeasurer.h"
#include "htmlengine/FormControlBase.h"
#include "htmlengine/PageSubs.h"
#include "htmlengine/SectionDocument.h"

#include <memory>
#include <string>
#include <vector>

namespace htmlengine::testing {

// Keeps widget state; the outer size is the client size plus 2 px per side.
class FakeWidget : public FormWidget {
public:
    explicit FakeWidget(FormWidgetOptions o) : options(std::move(o)) {}
    int32_t Width() const override { return width; }
    int32_t Height() const override { return height; }
    void SetClientSize(int32_t w, int32_t h) override {
        width = w + 4;
        if (h >= 0) height = h + 4;
    }
    void SetTop(int32_t t) override { top = t; }
    void SetLeft(int32_t l) override { left = l; }
    void SetVisible(bool v) override { visible = v; }
    bool Focused() const override { return focused; }
    void ClearItems() override { items.clear(); }
    void AddItem(const std::string& text) override { items.push_back({text, false}); }
    int32_t ItemCount() const override { return static_cast<int32_t>(items.size()); }
    void SetItemSelected(int32_t i, bool s) override { items[static_cast<size_t>(i)].second = s; }
    bool ItemSelected(int32_t i) const override { return items[static_cast<size_t>(i)].second; }
    void SetItemIndex(int32_t i) override { index = i; }
    int32_t ItemIndex() const override { return index; }
    void ScrollToTop() override { scrolledToTop = true; }
    void SetLines(const std::vector<std::string>& l) override { lines = l; }
    std::vector<std::string> Lines() const override { return lines; }

    FormWidgetOptions options;
    int32_t width = 0, height = 24, top = -400, left = 0, index = -1;
    bool visible = true, focused = false;
    bool scrolledToTop = false;
    std::vector<std::pair<std::string, bool>> items;
    std::vector<std::string> lines;
};

class FakeHost : public FormControlHost {
public:
    std::unique_ptr<FormWidget> Create(const FormWidgetOptions& o) override {
        auto w = std::make_unique<FakeWidget>(o);
        made.push_back(w.get());
        return w;
    }
    std::vector<FakeWidget*> made;
};

struct TestDocument : SectionDocument {
    TestDocument() {
        Measurer = &measurer;
        Parse = &parse;
        Controls = &host;
    }
    FixedMeasurer measurer;
    ParseContext parse;
    FakeHost host;
};

inline TMyFont BodyFont() {
    TMyFont f;
    f.Name = "Times New Roman";
    f.Size = 12;
    f.NormalSize = 12;
    return f;
}

inline TokenObj Token(std::string_view text, int32_t firstPos = 0) {
    TokenObj t;
    for (size_t i = 0; i < text.size(); ++i) t.AppendChar(text[i], firstPos + static_cast<int32_t>(i));
    return t;
}

}  // namespace htmlengine::testing
