#include "htmlengine/FormControlBase.h"

#include "htmlengine/HtmlSymbols.h"
#include "htmlengine/PageForms.h"
#include "htmlengine/SectionDocument.h"

#include <algorithm>

namespace htmlengine {

TFormControlObj::TFormControlObj(SectionDocument& doc, const TAttributeList& attributes, int32_t pos, bool hidden)
    : Document(doc), Pos(pos) {
    Form = doc.Parse ? doc.Parse->CurrentForm : nullptr;
    if (!Form) {
        Form = NewForm(doc, nullptr);
        if (doc.Parse) doc.Parse->CurrentForm = Form;
    }
    if (TAttribute* a = FindAttributeBySymbol(attributes, NameSy)) Name = a->StrValue;
    if (TAttribute* a = FindAttributeBySymbol(attributes, ValueSy)) Value = a->StrValue;
    if (TAttribute* a = FindAttributeBySymbol(attributes, OnClickSy)) OnClickText = a->StrValue;
    Form->AddControl(this, hidden);
}

// Handlers that called out to the viewer look at this before going on.
TFormControlObj::~TFormControlObj() { *alive_ = false; }

std::unique_ptr<FormWidget> TFormControlObj::CreateWidget(FormWidgetOptions options) {
    if (!Document.Controls) return nullptr;
    options.Events = this;
    return Document.Controls->Create(options);
}

bool TFormControlObj::ClickHook() {
    const std::weak_ptr<bool> alive = alive_;
    if (Document.OnObjectClick) Document.OnObjectClick(*this, OnClickText);
    return !alive.expired();
}

void TFormControlObj::DoEnter() {
    const std::weak_ptr<bool> alive = alive_;
    if (Document.OnControlEntered) Document.OnControlEntered(*this);
    if (alive.expired()) return;
    // Controls out of view stay in the focus chain, out of sight.
    for (const auto& form : Document.Forms) {
        for (TFormControlObj* c : form->FormControls) {
            if (!c->Shown) c->ParkOutOfSight();
        }
    }
}

void TFormControlObj::ParkOutOfSight() {
    if (!Widget) return;
    Widget->SetLeft(-4000);
    Widget->SetVisible(true);
}

void TFormControlObj::DoExit() { Document.ParkHiddenControls(); }

void TFormControlObj::DoClick() { ClickHook(); }

TFormControlList::const_iterator FirstControlAtOrAfter(const TFormControlList& list, int32_t pos) {
    return std::lower_bound(list.begin(), list.end(), pos, [](const TFormControlObj* c, int32_t p) { return c->Pos < p; });
}

TFormControlObj* ControlAt(const TFormControlList& list, int32_t pos) {
    const auto it = FirstControlAtOrAfter(list, pos);
    return it != list.end() && (*it)->Pos == pos ? *it : nullptr;
}

int32_t ControlWidthAt(const TFormControlList& list, int32_t pos) {
    TFormControlObj* c = ControlAt(list, pos);
    return c ? c->Width() : -1;
}

int32_t ControlHeightAt(const TFormControlList& list, int32_t pos, bool& onBaseline) {
    TFormControlObj* c = ControlAt(list, pos);
    if (!c) return -1;
    onBaseline = c->OnBaseline;
    return c->Height();
}

int32_t DistanceToControl(const TFormControlList& list, int32_t pos) {
    const auto it = FirstControlAtOrAfter(list, pos);
    return it != list.end() ? (*it)->Pos - pos : 9999;
}

}  // namespace htmlengine
