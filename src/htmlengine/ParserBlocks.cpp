// The elements a page's body is made of: paragraphs, breaks, headings, font
// and style tags, links and anchors, rules, centred blocks, lists and
// preformatted text.

#include "htmlengine/PageParser.h"

#include "htmlengine/PageSbs1.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <optional>

namespace htmlengine {

namespace {

constexpr int32_t NormalSizes[7] = {8, 10, 12, 14, 18, 24, 36};
constexpr int32_t PreSizes[7] = {7, 8, 10, 12, 15, 20, 30};

uint8_t StyleBitOf(HtmlSymbol s) {
    switch (s) {
    case BSy: case BEndSy: case StrongSy: case StrongEndSy: return fsBold;
    case ISy: case IEndSy: case EmSy: case EmEndSy: case CiteSy: case CiteEndSy: case VarSy: case VarEndSy:
        return fsItalic;
    case USy: case UEndSy: return fsUnderline;
    default: return fsStrikeOut;
    }
}

bool IsStyleStart(HtmlSymbol s) {
    return s == BSy || s == StrongSy || s == ISy || s == EmSy || s == CiteSy || s == VarSy || s == USy ||
           s == SSy || s == StrikeSy;
}

}  // namespace

uint8_t PageParser::ReadParagraphAlign() const {
    if (Sy() == PEndSy) return align_;
    const std::string* a = AttributeText(t_.Attributes, AlignSy);
    if (!a) return align_;
    const std::string v = LowerAscii(a->substr(0, 10));
    return v == "left" ? 1 : v == "center" ? 2 : v == "right" ? 3 : align_;
}

void PageParser::BlockElement(int32_t level) {
    const HtmlSymbol sy = Sy();
    switch (sy) {
    case PSy: case PEndSy: {
        CloseSection();
        if (!t_.ParagraphBreak && cell_) cell_->Add(std::make_unique<TParagraphSpace>(&doc_));
        t_.SkipBlanks();
        uint8_t align = ReadParagraphAlign();
        t_.ParagraphBreak = true;
        Next();
        while (Sy() == PSy || Sy() == PEndSy) {
            align = ReadParagraphAlign();
            t_.SkipBlanks();
            t_.ParagraphBreak = true;
            Next();
        }
        StartSection(align, level);
        return;
    }
    case SubSy: case SupSy:
        EnsureSection(level);
        context_.ScriptState = sy == SubSy ? 1 : 2;
        ChangeFontIfOpen();
        break;
    case SubEndSy: case SupEndSy:
        context_.ScriptState = 0;
        ChangeFontIfOpen();
        break;
    case BRSy: {
        const uint8_t align = section_ ? section_->PadIfEmpty(t_.TagPos) : align_;
        CloseSection();
        StartSection(align, level);
        section_->ReadClear(t_.Attributes);
        break;
    }
    case HeadingSy:
        if (static_cast<int32_t>(fonts_.size()) < MaxFontLevels) {
            static const int32_t kSizes[] = {12, 24, 18, 14, 12, 10, 8};
            const int32_t n = t_.HeadingLevel;
            CloseSection();
            PushFont();
            Top() = Sized(Top(), n >= 1 && n <= 6 ? kSizes[n] : 12);
            if (n > 0) Top().Style |= fsBold;
            if (cell_) cell_->Add(std::make_unique<THeadingSpace>(&doc_, n));
            StartSection(ReadParagraphAlign(), level);
        }
        break;
    case HeadingEndSy:
        if (fonts_.size() > 1) {
            CloseSection();
            if (cell_) cell_->Add(std::make_unique<THeadingSpace>(&doc_, t_.HeadingLevel));
            PopFont();
        }
        break;
    case TTSy: case CodeSy: case KbdSy: case SampSy:
        if (PushPreFont()) ChangeFontIfOpen();
        break;
    case TTEndSy: case CodeEndSy: case KbdEndSy: case SampEndSy: case FontEndSy: case BigEndSy:
    case SmallEndSy:
        PopFont();
        ChangeFontIfOpen();
        break;
    case AddressSy:
        CloseSection();
        if (PushFont()) Top().Style |= fsItalic;
        StartSection(align_, level);
        break;
    case AddressEndSy:
        CloseSection();
        PopFont();
        break;
    case PreSy: Preformatted(level); return;
    case ImageSy:
        EnsureSection(level);
        section_->AddImage(t_.Attributes, doc_, t_.TagPos);
        break;
    case ASy: Anchor(level); break;
    case AEndSy: CloseLink(); break;
    case TextSy:
        EnsureSection(level);
        section_->AddToken(t_.LCToken);
        break;
    case InputSy: case SelectSy: {
        EnsureSection(level);
        TFormControlObj* c = AddControl(sy);
        if (sy == SelectSy) SelectOptions(c);
        break;
    }
    case FormSy: context_.CurrentForm = NewForm(doc_, &t_.Attributes); break;
    case FormEndSy: context_.CurrentForm = nullptr; break;
    case TextAreaSy:
        EnsureSection(level);
        TextAreaContent(AddControl(sy));
        break;
    case FontSy: case BaseFontSy:
        if (ApplyFontAttributes(sy, false)) ChangeFontIfOpen();
        break;
    case BigSy: case SmallSy:
        if (ApplyBigSmall(sy)) ChangeFontIfOpen();
        break;
    case MapSy: ParseMap(); return;
    case ScriptSy: ParseScript(); break;
    case NoBrSy: context_.NoBreak = true; break;
    case NoBrEndSy: context_.NoBreak = false; break;
    case WbrSy:
        if (section_ && context_.NoBreak) section_->AddChar(' ', t_.TagPos);
        break;
    case TextAreaEndSy: break;
    default:
        if (kStyleTags.Has(sy)) ApplyStyleTag(sy);
        break;
    }
    Next();
}

void PageParser::ApplyStyleTag(HtmlSymbol sy) {
    if (IsStyleStart(sy)) context_.StyleAdditions |= StyleBitOf(sy);
    else context_.StyleAdditions &= static_cast<uint8_t>(~StyleBitOf(sy));
    ChangeFontIfOpen();
}

bool PageParser::ApplyFontAttributes(HtmlSymbol sy, bool preformatted) {
    bool counted = false;
    std::optional<int32_t> size;
    std::optional<TColor> color;
    std::string face;
    for (const auto& a : t_.Attributes) {
        if (a->Symbol == SizeSy) {
            int64_t v = a->IntValue;
            if (a->StrValue.size() > 1 && (a->StrValue[0] == '+' || a->StrValue[0] == '-')) v += baseFontSize_;
            const int32_t n = static_cast<int32_t>(std::clamp<int64_t>(v, 1, 7));
            if (sy == BaseFontSy) baseFontSize_ = n;
            size = n;
            counted = true;
        } else if (a->Symbol == ColorSy && sy == FontSy) {
            if ((color = ParseColorValue(a->StrValue))) counted = true;
        } else if (a->Symbol == FaceSy && sy == FontSy && !a->StrValue.empty()) {
            std::string f = a->StrValue.substr(0, 50);
            f = TrimText(f.substr(0, f.find(',')));
            if (!f.empty()) {
                face = f;
                counted = true;
            }
        }
    }
    if (sy == BaseFontSy && !(cell_ == &doc_ && doc_.Empty())) return false;
    if (!PushFont() || !counted) return false;
    if (color) Top().Color = *color | PaletteRelative;
    if (size) Top() = Sized(Top(), (preformatted ? PreSizes : NormalSizes)[*size - 1]);
    if (!face.empty()) Top().Name = face;
    return true;
}

bool PageParser::ApplyBigSmall(HtmlSymbol sy) {
    const int32_t* at = std::find(std::begin(NormalSizes), std::end(NormalSizes), Top().NormalSize);
    int32_t size = Top().NormalSize;  // off the table: no step
    if (at != std::end(NormalSizes)) {
        const int32_t i = static_cast<int32_t>(at - NormalSizes);
        size = NormalSizes[sy == BigSy ? std::min(6, i + 1) : std::max(0, i - 1)];
    }
    if (!PushFont()) return false;
    Top() = Sized(Top(), size);
    return true;
}

void PageParser::Anchor(int32_t level) {
    for (const auto& a : t_.Attributes) {
        if (a->Symbol == HrefSy) {
            CloseLink();
            link_.Url = a->StrValue;
            const std::string* target = AttributeText(t_.Attributes, TargetSy);
            link_.Target = target ? *target : std::string();
            linkOpen_ = true;
            if (PushFont()) {
                Top().Style |= doc_.LinkStyle;
                Top().Color = doc_.HotSpotColor | PaletteRelative;
            }
            if (section_) section_->SetLink(ASy, doc_, Top(), &link_);
        } else if (a->Symbol == NameSy) {
            EnsureSection(level);
            std::string name = UpperAscii(a->StrValue);
            if (!name.empty() && name[0] == '#') name.erase(0, 1);
            anchors_.Add(std::move(name), section_.get());
        }
    }
}

void PageParser::HorizontalRule() {
    CloseSection();
    if (cell_) cell_->Add(std::make_unique<THorzLine>(&doc_, t_.Attributes));
    Next();
}

void PageParser::CenterOrDiv(int32_t level, const SymbolSet& terms) {
    if (depth_ >= MaxNestingDepth) {
        Next();
        return;
    }
    ++depth_;
    CloseSection();
    const uint8_t saved = align_;
    if (Sy() == CenterSy) {
        align_ = 2;
    } else if (const std::string* a = AttributeText(t_.Attributes, AlignSy)) {
        const std::string v = LowerAscii(a->substr(0, 10));
        if (v == "left") align_ = 1;
        else if (v == "center") align_ = 2;
        else if (v == "right") align_ = 3;
    }
    StartSection(align_, level);
    Next();
    DocumentLoop(level, kBlockEnds | terms);
    CloseSection();
    align_ = saved;
    StartSection(align_, level);
    if (kBlockEnds.Has(Sy())) Next();
    --depth_;
}

void PageParser::ListElement(int32_t depth, HtmlSymbol listSy, const SymbolSet& terms) {
    if (depth_ >= MaxNestingDepth) {
        Next();
        return;
    }
    ++depth_;
    char style = '1';
    int32_t number = 1;
    bool plain = false;
    if (listSy == OLSy) {
        if (TAttribute* s = FindAttributeBySymbol(t_.Attributes, StartSy); s && s->IntValue >= 0) {
            number = s->IntValue;
        }
        if (const std::string* type = AttributeText(t_.Attributes, TypeSy); type && !type->empty()) {
            style = (*type)[0];
        }
    } else if (listSy == ULSy) {
        plain = FindAttributeBySymbol(t_.Attributes, PlainSy) != nullptr;
    }
    CloseSection();
    Next();
    if (kListEnds.Has(Sy())) {
        --depth_;
        return;
    }
    int32_t itemLevel = depth;
    do {
        const HtmlSymbol sy = Sy();
        if (kBlockElements.Has(sy)) {
            BlockElement(itemLevel);
        } else if (sy == HRSy) {
            HorizontalRule();
        } else if (kListStarts.Has(sy)) {
            ListElement(depth + 1, sy, terms);
            if (kListEnds.Has(Sy())) Next();
        } else if (sy == LISy) {
            CloseSection();
            if (listSy == OLSy) {
                section_ = std::make_unique<TOListItem>(&doc_, cell_, &link_, Top(), style, number, depth);
                if (number < INT32_MAX) ++number;
            } else {
                auto item = std::make_unique<TUListItem>(&doc_, cell_, &link_, Top(), depth);
                item->Plain = listSy == ULSy && plain;
                section_ = std::move(item);
            }
            t_.SkipBlanks();
            Next();
            if (Sy() == PSy) Next();
            itemLevel = depth;
        } else if (sy == DDSy || sy == DTSy) {
            CloseSection();
            itemLevel = sy == DDSy ? depth : depth - 1;
            section_ = std::make_unique<TDListItem>(&doc_, cell_, &link_, Top(), itemLevel);
            Next();
        } else if (sy == BlockQuoteSy) {
            CloseSection();
            ListElement(depth + 1, BlockQuoteSy, terms);
            if (kListEnds.Has(Sy())) Next();
        } else if (sy == CenterSy || sy == DivSy) {
            DocumentLoop(itemLevel, kListEnds | SymbolSet{EofSy} | terms);
        } else if (sy == TableSy) {
            if (section_) section_->PadIfEmpty(t_.TagPos);
            TableElement(itemLevel);
        } else if (terms.Has(sy)) {
            --depth_;
            return;
        } else {
            Next();
        }
    } while (!kListEnds.Has(Sy()) && Sy() != EofSy);
    CloseSection();
    --depth_;
}

void PageParser::LooseListItem() {
    CloseSection();
    context_.ListIndentUnit = 15;
    section_ = std::make_unique<TUListItem>(&doc_, cell_, &link_, Top(), 1);
    t_.SkipBlanks();
    Next();
    while (kLooseItemContent.Has(Sy())) BlockElement(1);
    CloseSection();
    context_.ListIndentUnit = ListIndentUnit;
}

void PageParser::Preformatted(int32_t level) {
    CloseSection();
    const size_t base = fonts_.size();
    PushPreFont();
    const size_t own = fonts_.size();
    StartPre(level);
    t_.InPreformatted = true;
    TokenObj line;
    auto flush = [&] {
        if (section_) section_->AddToken(line);
        line.Clear();
    };
    auto newLine = [&] {
        flush();
        CloseSection();
        StartPre(level);
    };
    // A line too long for its section takes no further objects either.
    auto roomForObject = [&] { return section_ && section_->Len <= 20000; };
    bool done = false;
    while (!done) {
        const uint8_t c = t_.LCh;
        if (c == CR) {
            newLine();
            t_.AdvanceChar();
        } else if (c == CtrlZ) {
            break;
        } else if (c == '&') {
            t_.NextSymbol();
            line.AppendToken(t_.LCToken);
        } else if (c != '<') {
            line.AppendChar(static_cast<char>(c), t_.SourcePos);
            if (line.Leng() > 200) flush();
            t_.AdvanceChar();
        } else {
            t_.NextSymbol();
            const HtmlSymbol sy = Sy();
            switch (sy) {
            case PSy: case BRSy:
                newLine();
                if (t_.LCh == CR) t_.AdvanceChar();
                break;
            case PreEndSy: case TDEndSy: case THEndSy: done = true; break;
            case ImageSy:
                flush();
                if (roomForObject()) section_->AddImage(t_.Attributes, doc_, t_.TagPos);
                break;
            case ASy:
                flush();
                Anchor(level);
                break;
            case AEndSy:
                flush();
                CloseLink();
                break;
            case InputSy: case SelectSy: case TextAreaSy:
                flush();
                if (roomForObject()) {
                    TFormControlObj* ctl = AddControl(sy);
                    if (sy == SelectSy) SelectOptions(ctl);
                    else if (sy == TextAreaSy) TextAreaContent(ctl);
                }
                break;
            case FormSy: context_.CurrentForm = NewForm(doc_, &t_.Attributes); break;
            case FormEndSy: context_.CurrentForm = nullptr; break;
            case FontSy: case BaseFontSy:
                flush();
                if (ApplyFontAttributes(sy, true)) ChangeFontIfOpen();
                break;
            case FontEndSy:
                if (fonts_.size() > own) {
                    flush();
                    PopFont();
                    ChangeFontIfOpen();
                }
                break;
            case MapSy:
                ParseMap(false);
                break;
            case ScriptSy: ParseScript(); break;
            case TextSy: line.AppendToken(t_.LCToken); break;  // a '<' that starts no tag
            default:
                if (kStyleTags.Has(sy)) {
                    flush();
                    ApplyStyleTag(sy);
                }
                break;
            }
        }
    }
    flush();
    CloseSection();
    t_.InPreformatted = false;
    while (fonts_.size() > base) PopFont();
    Next();
}

}  // namespace htmlengine
