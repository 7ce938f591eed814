#pragma once
// The seam between section layout and form controls: a control object stands
// at one character position of its section and is sized by its widget; the
// widgets come from a host (Qt widgets on the paint panel, or a test fake).

#include "htmlengine/PageUn2.h"
#include "htmlengine/TextMeasurer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace htmlengine {

class SectionDocument;

// One control window. Sizes are outer sizes; SetClientSize adds the frame.
class FormWidget {
public:
    virtual ~FormWidget() = default;
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    virtual void SetClientSize(int32_t width, int32_t height) = 0;
    virtual void SetTop(int32_t top) = 0;
    virtual void SetLeft(int32_t left) { (void)left; }
    virtual void SetVisible(bool visible) { (void)visible; }
    virtual bool Focused() const { return false; }
    // Items of list boxes and combo boxes.
    virtual void ClearItems() = 0;
    virtual void AddItem(const std::string& text) = 0;
    virtual int32_t ItemCount() const = 0;
    virtual void SetItemSelected(int32_t index, bool selected) = 0;
    virtual bool ItemSelected(int32_t index) const = 0;
    virtual void SetItemIndex(int32_t index) = 0;  // -1: none
    virtual int32_t ItemIndex() const = 0;
    virtual void ScrollToTop() = 0;
    // Lines of text areas.
    virtual void SetLines(const std::vector<std::string>& lines) = 0;
    virtual std::vector<std::string> Lines() const = 0;
};

enum class FormWidgetKind { ListBox, ComboBox, Memo };

struct FormWidgetOptions {
    FormWidgetKind Kind = FormWidgetKind::ListBox;
    bool MultiSelect = false;  // list box: multiple and extended selection
    bool WordWrap = false;     // memo: vertical scroll bar only
    FontSpec Font;             // the preformatted face at 10 points
};

class FormControlHost {
public:
    virtual ~FormControlHost() = default;
    // A widget on the paint panel, parked out of sight at top -400.
    virtual std::unique_ptr<FormWidget> Create(const FormWidgetOptions& options) = 0;
};

class TFormControlObj {
public:
    TFormControlObj(SectionDocument& doc, const TAttributeList& attributes, int32_t pos);
    virtual ~TFormControlObj() = default;

    SectionDocument& Document;
    int32_t Pos;          // character position in its section
    int32_t SourcePos = 0;
    std::string Name;
    std::string Value;
    bool OnBaseline = false;
    int32_t YValue = 0;   // Y of the line that holds it
    bool Shown = false;   // placed by the last paint
    std::unique_ptr<FormWidget> Widget;

    int32_t Width() const { return Widget ? Widget->Width() : 0; }
    int32_t Height() const { return Widget ? Widget->Height() : 0; }

    virtual void ResetValue() {}
    virtual bool GetSubmitPair(int32_t index, std::string& pair) {
        (void)index;
        (void)pair;
        return false;
    }
    virtual void SizeFromCanvas(TextMeasurer& measurer) { (void)measurer; }
    // Image controls take the point of a click inside their picture.
    virtual void SetClickPoint(int32_t x, int32_t y) {
        (void)x;
        (void)y;
    }
};

using TFormControlList = std::vector<TFormControlObj*>;

TFormControlObj* ControlAt(const TFormControlList& list, int32_t pos);
int32_t ControlWidthAt(const TFormControlList& list, int32_t pos);
int32_t ControlHeightAt(const TFormControlList& list, int32_t pos, bool& onBaseline);
int32_t DistanceToControl(const TFormControlList& list, int32_t pos);

}  // namespace htmlengine
