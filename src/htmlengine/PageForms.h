#pragma once
// HTML forms: a form groups the controls of one FORM element, resets them and
// collects the name=value pairs of a submission for the document's hook. The
// INPUT kinds live here; SELECT and TEXTAREA are with the simple sections.

#include "htmlengine/FormControlBase.h"

#include <cstdint>
#include <string>
#include <vector>

namespace htmlengine {

class TCell;

// What a submission hands to the viewer; the receiver owns the pairs.
struct FormSubmission {
    std::string Action;
    std::string Target;
    std::string EncType;
    std::string Method;
    std::vector<std::string> Results;  // "name=value", in control order
};

class ThtmlForm {
public:
    // Attributes may be null (the implicit form of controls outside any FORM).
    ThtmlForm(SectionDocument& doc, const TAttributeList* attributes);

    SectionDocument& Document;
    std::string Method = "Get";  // at most 4 characters
    std::string Action;
    std::string Target;
    std::string EncType;
    std::vector<TFormControlObj*> FormControls;  // observes; sections own the controls
    int32_t VisibleCount = 0;

    void AddControl(TFormControlObj* control, bool hidden);
    void RadioClicked(const TFormControlObj& radio);
    void ResetForm();
    // Nothing without the document's submit hook; extra (may be null) comes last.
    void SubmitForm(const std::string* extra);
    void SizeControls(TextMeasurer& measurer);
};

// A new form that the document keeps; attributes may be null.
ThtmlForm* NewForm(SectionDocument& doc, const TAttributeList* attributes);

class THiddenFormControlObj : public TFormControlObj {
public:
    THiddenFormControlObj(SectionDocument& doc, const TAttributeList& attributes, int32_t pos)
        : TFormControlObj(doc, attributes, pos, true) {}
    bool GetSubmitPair(int32_t index, std::string& pair) override;
};

class TImageFormControlObj : public TFormControlObj {
public:
    using TFormControlObj::TFormControlObj;
    int32_t ClickX = -1;  // the point to submit; -1: none
    int32_t ClickY = 0;
    int32_t HitX = 0;     // the last point over its image
    int32_t HitY = 0;

    bool GetSubmitPair(int32_t index, std::string& pair) override;
    void SetClickPoint(int32_t x, int32_t y) override {
        HitX = x;
        HitY = y;
    }
    void ImageClicked() override;
};

class TEditFormControlObj : public TFormControlObj {
public:
    TEditFormControlObj(SectionDocument& doc, const TAttributeList& attributes, int32_t pos,
                        const std::string& type);
    int32_t SizeChars = 20;

    void ResetValue() override;
    bool GetSubmitPair(int32_t index, std::string& pair) override;
    void SizeFromCanvas(TextMeasurer& measurer) override;
    void DoReturn() override;

private:
    FontSpec EditFont() const;
};

class TButtonFormControlObj : public TFormControlObj {
public:
    TButtonFormControlObj(SectionDocument& doc, const TAttributeList& attributes, int32_t pos,
                          const std::string& type);
    uint8_t ButtonKind = 2;  // 0 submit, 1 reset, 2 button

    void SizeFromCanvas(TextMeasurer& measurer) override;
    void DoClick() override;
};

class TCheckBoxFormControlObj : public TFormControlObj {
public:
    TCheckBoxFormControlObj(SectionDocument& doc, const TAttributeList& attributes, int32_t pos);
    bool InitChecked = false;

    void ResetValue() override;
    bool GetSubmitPair(int32_t index, std::string& pair) override;
};

class TRadioButtonFormControlObj : public TFormControlObj {
public:
    TRadioButtonFormControlObj(SectionDocument& doc, const TAttributeList& attributes, int32_t pos,
                               TCell* homeCell);
    bool InitChecked = false;
    TCell* HomeCell;

    bool Checked() const { return Widget && Widget->Checked(); }
    void SetChecked(bool checked) {
        if (Widget) Widget->SetChecked(checked);
    }
    void ResetValue() override;
    bool GetSubmitPair(int32_t index, std::string& pair) override;
    void PrepareToShow() override;
    void DoClick() override;
};

// The kind of control an INPUT's TYPE asks for; homeCell is its section's cell.
std::unique_ptr<TFormControlObj> MakeInputControl(SectionDocument& doc, const TAttributeList& attributes,
                                                  int32_t pos, TCell* homeCell);

}  // namespace htmlengine
