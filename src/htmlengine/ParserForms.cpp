// Form controls on the page, and what a SELECT's options and a TEXTAREA's
// text put into them.

#include "htmlengine/PageParser.h"

#include "htmlengine/PageSbs1.h"

namespace htmlengine {

TFormControlObj* PageParser::AddControl(HtmlSymbol sy) {
    TFormControlObj* c = section_->AddFormControl(sy, doc_, t_.TagPos, t_.Attributes);
    if (c) doc_.AllControls.push_back(c);
    return c;
}

void PageParser::SelectOptions(TFormControlObj* control) {
    auto* list = dynamic_cast<TListBoxFormControlObj*>(control);
    const bool savedNoBreak = context_.NoBreak;
    context_.NoBreak = false;
    Next();
    std::string text, value;
    bool selected = false, collecting = false;
    auto complete = [&] {
        if (!collecting) return;
        collecting = false;
        const std::string trimmed = TrimText(text);
        if (!trimmed.empty() && list) list->AddOption(trimmed, value, selected);
        text.clear();
    };
    while (Sy() != SelectEndSy && Sy() != EofSy) {
        if (Sy() == TextSy && collecting) {
            text += t_.LCToken.Text;
            if (text.size() > 255) text.resize(255);
        } else if (Sy() == OptionSy || Sy() == OptionEndSy) {
            complete();
            if (Sy() == OptionSy) {
                collecting = true;
                selected = FindAttributeBySymbol(t_.Attributes, SelectedSy) != nullptr;
                const std::string* v = AttributeText(t_.Attributes, ValueSy);
                value = v ? *v : std::string();
            }
        }
        Next();
    }
    complete();
    if (control) control->ResetValue();
    context_.NoBreak = savedNoBreak;
}

void PageParser::TextAreaContent(TFormControlObj* control) {
    auto* area = dynamic_cast<TTextAreaFormControlObj*>(control);
    std::string line;
    for (;;) {
        const uint8_t c = t_.LCh;
        if (c == CtrlZ) break;
        if (c == CR) {
            if (area) area->AddTextAreaLine(line);
            line.clear();
            t_.AdvanceChar();
        } else if (c == '<') {
            std::string tag(1, '<');
            t_.AdvanceChar();
            while (t_.LCh != ' ' && t_.LCh != 9 && t_.LCh != CR && t_.LCh != '>' && t_.LCh != CtrlZ) {
                tag.push_back(static_cast<char>(t_.LCh));
                t_.AdvanceChar();
            }
            if (LowerAscii(tag) == "</textarea") {
                while (t_.LCh != '>' && t_.LCh != CtrlZ) t_.AdvanceChar();
                if (t_.LCh == '>') t_.AdvanceChar();
                break;
            }
            line += tag;
        } else if (c == '&') {
            TokenObj entity;
            t_.ReadEntity(entity);
            line += entity.Text;
        } else {
            for (int32_t n = 0; n < 100 && t_.LCh != CR && t_.LCh != CtrlZ && t_.LCh != '&' && t_.LCh != '<';
                 ++n) {
                line.push_back(static_cast<char>(t_.LCh));
                t_.AdvanceChar();
            }
        }
    }
    if (!line.empty() && area) area->AddTextAreaLine(line);
    if (control) control->ResetValue();
}

}  // namespace htmlengine
