#pragma once
// The seam between section layout and form controls: a control object stands
// at one character position of its section and is sized by its widget; the
// widgets come from a host (Qt widgets on the paint panel, or a test fake).

#include "htmlengine/CompactVector.h"
#include "htmlengine/EngineColor.h"
#include "htmlengine/PageUn2.h"
#include "htmlengine/TextMeasurer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace htmlengine {

class SectionDocument;
class ThtmlForm;

// Sizes a page asks of a control in characters, rows or columns are cut here,
// so no page can make a control without bound.
constexpr int64_t MaxControlCells = 500;

// What a widget reports of the user's actions.
class FormWidgetEvents {
public:
    virtual ~FormWidgetEvents() = default;
    virtual void DoEnter() = 0;   // the widget got the focus
    virtual void DoExit() = 0;    // it lost it
    virtual void DoClick() = 0;   // clicked, or its choice changed
    virtual void DoReturn() = 0;  // Enter pressed in it
};

// One control window. Sizes are outer sizes; SetClientSize sizes the area
// that shows the content and adds the frame and the scroll bars around it.
class FormWidget {
public:
    virtual ~FormWidget() = default;
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    virtual void SetClientSize(int32_t width, int32_t height) = 0;  // height -1: kept
    virtual void SetSize(int32_t width, int32_t height) {           // -1: kept
        (void)width;
        (void)height;
    }
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
    // Text of edits; the mark of check boxes and radio buttons.
    virtual void SetText(const std::string& text) { (void)text; }
    virtual std::string Text() const { return {}; }
    virtual void SetChecked(bool checked) { (void)checked; }
    virtual bool Checked() const { return false; }
    // The colour behind a radio button.
    virtual void SetBackground(TColor color) { (void)color; }
};

enum class FormWidgetKind { ListBox, ComboBox, Memo, Edit, Button, CheckBox, Radio };

struct FormWidgetOptions {
    FormWidgetKind Kind = FormWidgetKind::ListBox;
    bool MultiSelect = false;  // list box: multiple and extended selection
    bool WordWrap = false;     // memo: vertical scroll bar only
    FontSpec Font;             // the preformatted face at 10 points; buttons keep the panel's
    bool Password = false;     // edit: every character shows as '*'
    int32_t MaxLength = 0;     // edit: 0 = no limit
    std::string Text;          // edit text, button caption
    bool Checked = false;      // check box, radio button
    FormWidgetEvents* Events = nullptr;
};

class FormControlHost {
public:
    virtual ~FormControlHost() = default;
    // A widget on the paint panel, parked out of sight at top -400.
    virtual std::unique_ptr<FormWidget> Create(const FormWidgetOptions& options) = 0;
};

class TFormControlObj : public FormWidgetEvents {
public:
    // Joins the parse's current form, or a new one without attributes that
    // becomes current; hidden controls are not counted as visible.
    TFormControlObj(SectionDocument& doc, const TAttributeList& attributes, int32_t pos, bool hidden = false);
    ~TFormControlObj() override;
    TFormControlObj(const TFormControlObj&) = delete;
    TFormControlObj& operator=(const TFormControlObj&) = delete;

    SectionDocument& Document;
    ThtmlForm* Form = nullptr;
    int32_t Pos;          // character position in its section
    int32_t SourcePos = 0;
    std::string Name;
    std::string Value;
    std::string OnClickText;
    bool OnBaseline = false;
    int32_t YValue = 0;   // Y of the line that holds it
    bool Shown = false;   // placed by the last paint
    std::unique_ptr<FormWidget> Widget;

    int32_t Width() const { return Widget ? Widget->Width() : 0; }
    int32_t Height() const { return Widget ? Widget->Height() : 0; }
    // A control out of view while the focus is on the page: hiding it would
    // take it out of the focus chain (and the focus away, were it its own),
    // so it stays shown, left of the panel where no one sees it.
    void ParkOutOfSight();

    virtual void ResetValue() {}
    virtual bool GetSubmitPair(int32_t index, std::string& pair) {
        (void)index;
        (void)pair;
        return false;
    }
    virtual void SizeFromCanvas(TextMeasurer& measurer) { (void)measurer; }
    // Painting is about to place the widget.
    virtual void PrepareToShow() {}
    // Image controls take the point of a click inside their picture...
    virtual void SetClickPoint(int32_t x, int32_t y) {
        (void)x;
        (void)y;
    }
    // ...and submit it when the button goes up there.
    virtual void ImageClicked() {}

    void DoEnter() override;
    void DoExit() override;
    void DoClick() override;
    void DoReturn() override {}

protected:
    // A widget of this control on the document's host, when it has one.
    std::unique_ptr<FormWidget> CreateWidget(FormWidgetOptions options);
    // The document's object-click hook; false when a handler freed this control.
    bool ClickHook();

private:
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// A section's controls, in text order.
using TFormControlList = ThinVector<TFormControlObj*>;

// The first control at pos or later.
TFormControlList::const_iterator FirstControlAtOrAfter(const TFormControlList& list, int32_t pos);
TFormControlObj* ControlAt(const TFormControlList& list, int32_t pos);
int32_t ControlWidthAt(const TFormControlList& list, int32_t pos);
int32_t ControlHeightAt(const TFormControlList& list, int32_t pos, bool& onBaseline);
int32_t DistanceToControl(const TFormControlList& list, int32_t pos);

}  // namespace htmlengine
