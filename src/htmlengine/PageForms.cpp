#include "htmlengine/PageForms.h"

#include "htmlengine/FloatingImages.h"
#include "htmlengine/HtmlSymbols.h"
#include "htmlengine/MulDiv.h"
#include "htmlengine/PageCells.h"
#include "htmlengine/SectionDocument.h"

#include <algorithm>

namespace htmlengine {

namespace {

// SIZE of an edit: a positive number; else, for "40, 1" style values, the
// number before the first blank or comma; else 20.
int32_t EditSizeChars(const TAttribute* size) {
    if (!size) return 20;
    int64_t n = size->IntValue;
    if (n <= 0) {
        const std::string& s = size->StrValue;
        const size_t blank = s.find(' '), comma = s.find(',');
        n = blank != std::string::npos && comma != std::string::npos
                ? StrToIntDef(s.substr(0, std::min(blank, comma)), 20)
                : 20;
    }
    return static_cast<int32_t>(std::clamp<int64_t>(n, 1, MaxControlCells));
}

FormWidgetOptions MarkOptions(FormWidgetKind kind, bool checked) {
    FormWidgetOptions o;
    o.Kind = kind;
    o.Checked = checked;
    return o;
}

}  // namespace

// ---- the form

ThtmlForm::ThtmlForm(SectionDocument& doc, const TAttributeList* attributes) : Document(doc) {
    if (!attributes) return;
    for (const auto& a : *attributes) {
        switch (a->Symbol) {
        case MethodSy: Method = a->StrValue.substr(0, 4); break;
        case ActionSy: Action = a->StrValue; break;
        case TargetSy: Target = a->StrValue; break;
        case EncTypeSy: EncType = a->StrValue; break;
        default: break;
        }
    }
}

ThtmlForm* NewForm(SectionDocument& doc, const TAttributeList* attributes) {
    doc.Forms.push_back(std::make_unique<ThtmlForm>(doc, attributes));
    return doc.Forms.back().get();
}

void ThtmlForm::AddControl(TFormControlObj* control, bool hidden) {
    FormControls.push_back(control);
    if (!hidden) ++VisibleCount;
}

void ThtmlForm::RadioClicked(const TFormControlObj& radio) {
    if (radio.Name.empty()) return;
    for (TFormControlObj* c : FormControls) {
        auto* other = dynamic_cast<TRadioButtonFormControlObj*>(c);
        if (other && other != &radio && SameTextNoCase(other->Name, radio.Name)) other->SetChecked(false);
    }
}

void ThtmlForm::ResetForm() {
    for (TFormControlObj* c : FormControls) c->ResetValue();
}

void ThtmlForm::SubmitForm(const std::string* extra) {
    if (!Document.OnFormSubmit) return;
    FormSubmission submission{Action, Target, EncType, Method, {}};
    for (TFormControlObj* c : FormControls) {
        std::string pair;
        for (int32_t i = 0; c->GetSubmitPair(i, pair); ++i) {
            if (!pair.empty()) submission.Results.push_back(pair);
            pair.clear();
        }
    }
    if (extra) submission.Results.push_back(*extra);
    Document.OnFormSubmit(std::move(submission));
}

void ThtmlForm::SizeControls(TextMeasurer& measurer) {
    for (TFormControlObj* c : FormControls) c->SizeFromCanvas(measurer);
}

// ---- hidden and image controls

bool THiddenFormControlObj::GetSubmitPair(int32_t index, std::string& pair) {
    if (index != 0) return false;
    pair = Name + "=" + Value;
    return true;
}

bool TImageFormControlObj::GetSubmitPair(int32_t index, std::string& pair) {
    if (ClickX < 0 || index > 1) return false;
    const std::string prefix = Name.empty() ? std::string() : Name + ".";
    if (index == 0) {
        pair = prefix + "x=" + std::to_string(ClickX);
    } else {
        pair = prefix + "y=" + std::to_string(ClickY);
        ClickX = -1;  // a point is submitted once
    }
    return true;
}

void TImageFormControlObj::ImageClicked() {
    if (!ClickHook()) return;
    ClickX = HitX;
    ClickY = HitY;
    Form->SubmitForm(nullptr);
}

// ---- edit

TEditFormControlObj::TEditFormControlObj(SectionDocument& doc, const TAttributeList& attributes, int32_t pos,
                                         const std::string& type)
    : TFormControlObj(doc, attributes, pos) {
    SizeChars = EditSizeChars(FindAttributeBySymbol(attributes, SizeSy));
    FormWidgetOptions o;
    o.Kind = FormWidgetKind::Edit;
    o.Font = EditFont();
    o.Text = Value;
    o.Password = type == "password";
    if (TAttribute* m = FindAttributeBySymbol(attributes, MaxLengthSy)) o.MaxLength = std::max(0, m->IntValue);
    Widget = CreateWidget(o);
}

FontSpec TEditFormControlObj::EditFont() const {
    return FontSpec{Document.PreFontName, 10, 0, Document.FontCharset, clBlack};
}

void TEditFormControlObj::ResetValue() {
    if (Widget) Widget->SetText(Value);
}

bool TEditFormControlObj::GetSubmitPair(int32_t index, std::string& pair) {
    if (index != 0) return false;
    pair = Name + "=" + (Widget ? Widget->Text() : Value);
    return true;
}

void TEditFormControlObj::SizeFromCanvas(TextMeasurer& measurer) {
    if (!Widget) return;
    const int64_t w = int64_t(measurer.TextWidth(EditFont(), "A")) * SizeChars + 5;
    Widget->SetSize(ClampSize(w, 1, MaxPixelSize), -1);
}

void TEditFormControlObj::DoReturn() { Form->SubmitForm(nullptr); }

// ---- button

TButtonFormControlObj::TButtonFormControlObj(SectionDocument& doc, const TAttributeList& attributes, int32_t pos,
                                             const std::string& type)
    : TFormControlObj(doc, attributes, pos) {
    const char* caption = "Button";
    if (type == "submit") {
        ButtonKind = 0;
        caption = "Submit";
    } else if (type == "reset") {
        ButtonKind = 1;
        caption = "Reset";
    }
    if (Value.empty()) Value = caption;
    FormWidgetOptions o;
    o.Kind = FormWidgetKind::Button;
    o.Text = Value;
    Widget = CreateWidget(o);
}

void TButtonFormControlObj::SizeFromCanvas(TextMeasurer& measurer) {
    if (!Widget) return;
    // The button shows the panel's font.
    const FontSpec f = measurer.DefaultGuiFont();
    Widget->SetSize(ClampSize(int64_t(measurer.TextWidth(f, Value)) + 20, 1, MaxPixelSize),
                    ClampSize(int64_t(measurer.TextHeight(f)) + 8, 1, MaxPixelSize));
}

void TButtonFormControlObj::DoClick() {
    if (!ClickHook()) return;
    if (ButtonKind == 1) {
        Form->ResetForm();
    } else if (ButtonKind == 0) {
        const std::string pair = Name + "=" + Value;
        Form->SubmitForm(Name.empty() ? nullptr : &pair);
    }
}

// ---- check box and radio button

TCheckBoxFormControlObj::TCheckBoxFormControlObj(SectionDocument& doc, const TAttributeList& attributes,
                                                 int32_t pos)
    : TFormControlObj(doc, attributes, pos) {
    if (Value.empty()) Value = "on";
    OnBaseline = true;
    InitChecked = FindAttributeBySymbol(attributes, CheckedSy) != nullptr;
    Widget = CreateWidget(MarkOptions(FormWidgetKind::CheckBox, InitChecked));
}

void TCheckBoxFormControlObj::ResetValue() {
    if (Widget) Widget->SetChecked(InitChecked);
}

bool TCheckBoxFormControlObj::GetSubmitPair(int32_t index, std::string& pair) {
    if (index != 0) return false;
    pair = Widget && Widget->Checked() ? Name + "=" + Value : std::string();
    return true;
}

TRadioButtonFormControlObj::TRadioButtonFormControlObj(SectionDocument& doc, const TAttributeList& attributes,
                                                       int32_t pos, TCell* homeCell)
    : TFormControlObj(doc, attributes, pos), HomeCell(homeCell) {
    OnBaseline = true;
    InitChecked = FindAttributeBySymbol(attributes, CheckedSy) != nullptr;
    Widget = CreateWidget(MarkOptions(FormWidgetKind::Radio, InitChecked));
}

void TRadioButtonFormControlObj::ResetValue() { SetChecked(InitChecked); }

bool TRadioButtonFormControlObj::GetSubmitPair(int32_t index, std::string& pair) {
    if (index != 0) return false;
    pair = Checked() ? Name + "=" + Value : std::string();
    return true;
}

void TRadioButtonFormControlObj::PrepareToShow() {
    if (Widget) Widget->SetBackground(HomeCell && HomeCell->HasBgColor ? HomeCell->BgColor : Document.Background);
}

void TRadioButtonFormControlObj::DoClick() {
    Form->RadioClicked(*this);
    ClickHook();
}

// ---- INPUT

std::unique_ptr<TFormControlObj> MakeInputControl(SectionDocument& doc, const TAttributeList& attributes,
                                                  int32_t pos, TCell* homeCell) {
    const std::string* t = AttributeText(attributes, TypeSy);
    const std::string type = t ? LowerAscii(t->substr(0, 20)) : std::string();
    if (type == "submit" || type == "reset" || type == "button") {
        return std::make_unique<TButtonFormControlObj>(doc, attributes, pos, type);
    }
    if (type == "radio") return std::make_unique<TRadioButtonFormControlObj>(doc, attributes, pos, homeCell);
    if (type == "checkbox") return std::make_unique<TCheckBoxFormControlObj>(doc, attributes, pos);
    if (type == "hidden") return std::make_unique<THiddenFormControlObj>(doc, attributes, pos);
    if (type == "image") return std::make_unique<TImageFormControlObj>(doc, attributes, pos);
    return std::make_unique<TEditFormControlObj>(doc, attributes, pos, type);
}

}  // namespace htmlengine
