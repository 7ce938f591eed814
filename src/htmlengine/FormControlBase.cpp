#include "htmlengine/FormControlBase.h"

#include "htmlengine/HtmlSymbols.h"

namespace htmlengine {

TFormControlObj::TFormControlObj(SectionDocument& doc, const TAttributeList& attributes, int32_t pos)
    : Document(doc), Pos(pos) {
    if (TAttribute* a = FindAttributeBySymbol(attributes, NameSy)) Name = a->StrValue;
    if (TAttribute* a = FindAttributeBySymbol(attributes, ValueSy)) Value = a->StrValue;
}

TFormControlObj* ControlAt(const TFormControlList& list, int32_t pos) {
    for (TFormControlObj* c : list) {
        if (c->Pos == pos) return c;
    }
    return nullptr;
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
    for (TFormControlObj* c : list) {
        if (c->Pos >= pos) return c->Pos - pos;
    }
    return 9999;
}

}  // namespace htmlengine
