#include "htmlengine/PagePars.h"

#include "htmlengine/MulDiv.h"
#include "htmlengine/PageSbs1.h"
#include "htmlengine/PageTables.h"

#include <algorithm>
#include <bitset>
#include <climits>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>

namespace htmlengine {

TSectionBase* TAnchorList::Find(std::string_view name) const {
    for (const auto& [n, s] : Items) {
        if (n == name) return s;
    }
    return nullptr;
}

bool TAnchorList::Refers(const TSectionBase* section) const {
    return std::any_of(Items.begin(), Items.end(), [&](const auto& item) { return item.second == section; });
}

namespace {

constexpr int32_t MaxFontLevels = 25;
constexpr int32_t NormalSizes[7] = {8, 10, 12, 14, 18, 24, 36};
constexpr int32_t PreSizes[7] = {7, 8, 10, 12, 15, 20, 30};

struct SymbolSet {
    std::bitset<256> bits;
    SymbolSet() = default;
    SymbolSet(std::initializer_list<HtmlSymbol> symbols) {
        for (HtmlSymbol s : symbols) bits.set(s);
    }
    bool Has(HtmlSymbol s) const { return bits.test(s); }
    SymbolSet operator|(const SymbolSet& o) const {
        SymbolSet r;
        r.bits = bits | o.bits;
        return r;
    }
};

const SymbolSet kCellEnds{TableEndSy, TDSy, TDEndSy, TRSy, TREndSy, THSy, THEndSy, CaptionSy, CaptionEndSy};
const SymbolSet kBlockEnds{CenterEndSy, DivEndSy};
const SymbolSet kListEnds{OLEndSy, ULEndSy, DirEndSy, MenuEndSy, DLEndSy, BlockQuoteEndSy};
const SymbolSet kListStarts{OLSy, ULSy, DirSy, MenuSy, DLSy};
const SymbolSet kStyleTags{BSy,      BEndSy,   StrongSy, StrongEndSy, ISy,      IEndSy,      EmSy,
                           EmEndSy,  CiteSy,   CiteEndSy, VarSy,      VarEndSy, USy,         UEndSy,
                           SSy,      SEndSy,   StrikeSy, StrikeEndSy};
const SymbolSet kBlockElements =
    kStyleTags | SymbolSet{PSy,       PEndSy,      SubSy,       SubEndSy,  SupSy,     SupEndSy,    BRSy,
                           HeadingSy, HeadingEndSy, TTSy,       TTEndSy,   CodeSy,    CodeEndSy,   KbdSy,
                           KbdEndSy,  SampSy,      SampEndSy,   FontEndSy, BigEndSy,  SmallEndSy,  AddressSy,
                           AddressEndSy, PreSy,    ImageSy,     ASy,       AEndSy,    TextSy,      InputSy,
                           SelectSy,  FormSy,      FormEndSy,   TextAreaSy, TextAreaEndSy, FontSy, BaseFontSy,
                           BigSy,     SmallSy,     MapSy,       ScriptSy,  NoBrSy,    NoBrEndSy,   WbrSy};
// What a list item outside any list goes on over.
const SymbolSet kLooseItemContent =
    kStyleTags | SymbolSet{TTSy,    TTEndSy,  CodeSy, CodeEndSy, KbdSy,     KbdEndSy,   SampSy,   SampEndSy,
                           ASy,     AEndSy,   SubSy,  SubEndSy,  SupSy,     SupEndSy,   BigSy,    BigEndSy,
                           SmallSy, SmallEndSy, NoBrSy, NoBrEndSy, FontEndSy, TextSy,   WbrSy};

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

const std::string* AttributeText(const TAttributeList& list, HtmlSymbol s) {
    TAttribute* a = FindAttributeBySymbol(list, s);
    return a ? &a->StrValue : nullptr;
}

std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    if (!in) throw EFileError("Cannot open file " + name);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class PageParser {
public:
    PageParser(TSectionList& doc, TAnchorList& anchors, const ParseHooks& hooks)
        : doc_(doc), anchors_(anchors), hooks_(hooks), t_(context_) {
        if (!doc.Measurer) throw std::logic_error("document without measurer");
    }

    ParseResult Parse(std::string_view bytes, uint8_t mode) {
        Guarded([&] {
            BeginParse();
            t_.Include = hooks_.Include;
            t_.Begin(bytes, mode);
            t_.AdvanceChar();
            t_.NextSymbol();
            DocumentLoop(0, {});
        });
        return result_;
    }

    ParseResult ParseText(std::string_view bytes) {
        Guarded([&] {
            BeginParse();
            t_.Begin(bytes, 0);
            t_.AdvanceChar();
            CloseSection();
            const size_t base = fonts_.size();
            PushPreFont();
            StartPre(0);
            t_.InPreformatted = true;
            TokenObj line;
            for (;;) {
                const uint8_t c = t_.LCh;
                if (c == CtrlZ) break;
                if (c == CR) {
                    section_->AddToken(line);
                    line.Clear();
                    CloseSection();
                    StartPre(0);
                } else {
                    line.AppendChar(static_cast<char>(c), t_.SourcePos);
                    if (line.Leng() > 200) {
                        section_->AddToken(line);
                        line.Clear();
                    }
                }
                t_.AdvanceChar();
            }
            section_->AddToken(line);
            CloseSection();
            t_.InPreformatted = false;
            while (fonts_.size() > base) PopFont();
        });
        return result_;
    }

private:
    template <class F>
    void Guarded(F body) {
        doc_.Parse = &context_;
        try {
            body();
        } catch (const EParseError&) {
            CleanUp();
            return;
        } catch (...) {
            CleanUp();
            throw;
        }
        CleanUp();
    }

    void BeginParse() {
        cell_ = &doc_;
        TMyFont base;
        base.Name = doc_.FontName;
        base.Color = doc_.FontColor;
        base.Charset = doc_.FontCharset;
        fonts_.assign(1, Sized(base, 12));
        link_.Clear();
        linkOpen_ = false;
        baseFontSize_ = 3;
        result_ = {};
        align_ = 1;
        context_ = ParseContext{};
        section_ = std::make_unique<TSection>(&doc_, cell_, 1, nullptr, fonts_[0], 0);
    }

    void CleanUp() {
        t_.Attributes.Clear();
        CloseSection();
        fonts_.clear();
        link_.Clear();
        doc_.Parse = nullptr;
    }

    void Next() { t_.NextSymbol(); }
    HtmlSymbol Sy() const { return t_.Sy; }
    TMyFont& Top() { return fonts_.back(); }

    TMyFont Sized(TMyFont f, int32_t normalSize) const {
        f.NormalSize = normalSize;
        f.Size = MulDiv(doc_.FontSize, normalSize, 12);
        return f;
    }

    bool PushFont() {
        if (static_cast<int32_t>(fonts_.size()) >= MaxFontLevels) return false;
        fonts_.push_back(fonts_.back());
        return true;
    }
    void PopFont() {
        if (fonts_.size() > 1) fonts_.pop_back();
    }
    bool PushPreFont() {
        if (!PushFont()) return false;
        Top().Name = doc_.PreFontName;
        Top().Fixed = true;
        Top() = Sized(Top(), 10);
        return true;
    }
    void ChangeFontIfOpen() {
        if (section_) section_->ChangeFont(doc_, Top());
    }

    void CloseSection() {
        if (!section_) return;
        if (cell_) cell_->Add(std::move(section_));
        else doc_.Adopt(std::move(section_));
    }
    void StartSection(uint8_t align, int32_t level) {
        section_ = std::make_unique<TSection>(&doc_, cell_, align, &link_, Top(), level);
    }
    void EnsureSection(int32_t level) {
        if (!section_) StartSection(align_, level);
    }
    void StartPre(int32_t level) {
        section_ = std::make_unique<TPreFormated>(&doc_, cell_, 1, &link_, Top(), level);
    }

    void CloseLink() {
        if (!linkOpen_) return;
        link_.Clear();
        linkOpen_ = false;
        PopFont();
        if (section_) section_->SetLink(AEndSy, doc_, Top(), nullptr);
    }

    uint8_t ReadParagraphAlign() const {
        if (Sy() == PEndSy) return align_;
        const std::string* a = AttributeText(t_.Attributes, AlignSy);
        if (!a) return align_;
        const std::string v = LowerAscii(a->substr(0, 10));
        return v == "left" ? 1 : v == "center" ? 2 : v == "right" ? 3 : align_;
    }

    // ---- the loops

    void DocumentLoop(int32_t level, const SymbolSet& terms) {
        while (Sy() != EofSy) {
            switch (Sy()) {
            case TitleSy:
                result_.Title.clear();
                Next();
                while (Sy() == TextSy) {
                    result_.Title += t_.LCToken.Text;
                    Next();
                }
                break;
            case BodySy:
                // Only a first BODY drops text before it: after one, text is the page's own.
                if (cell_ && cell_->Empty() && !(bodyApplied_ && section_ && section_->Len > 0)) Body();
                Next();
                break;
            case HRSy: HorizontalRule(); break;
            case BaseSy:
                if (const std::string* h = AttributeText(t_.Attributes, HrefSy)) result_.Base = *h;
                if (const std::string* g = AttributeText(t_.Attributes, TargetSy)) result_.BaseTarget = *g;
                Next();
                break;
            case OLSy: case ULSy: case DirSy: case MenuSy: case DLSy:
                ListElement(1, Sy(), terms);
                if (kListEnds.Has(Sy())) Next();
                break;
            case LISy:
                if (level == 0) LooseListItem();
                else Next();
                break;
            case BlockQuoteSy:
                CloseSection();
                ListElement(1, BlockQuoteSy, terms);
                if (kListEnds.Has(Sy())) Next();
                break;
            case CenterSy: case DivSy: CenterOrDiv(level, terms); break;
            case BgSoundSy:
                if (const std::string* src = AttributeText(t_.Attributes, SrcSy); src && hooks_.Sound) {
                    TAttribute* loop = FindAttributeBySymbol(t_.Attributes, LoopSy);
                    hooks_.Sound(*src, loop ? loop->IntValue : 1);
                }
                Next();
                break;
            case MetaSy:
                Meta();
                Next();
                break;
            case TableSy: TableElement(level); break;
            default:
                if (kBlockElements.Has(Sy())) BlockElement(level);
                else if (terms.Has(Sy())) return;
                else Next();
            }
        }
    }

    // What came before BODY (a head's STYLE text, say) is dropped, unless an
    // anchor, a link or a control points into it: then it stays on the page.
    void Body() {
        bodyApplied_ = true;
        if (section_ && section_->OwnedControls.empty() && !anchors_.Refers(section_.get()) &&
            std::none_of(doc_.LinkList.begin(), doc_.LinkList.end(),
                         [&](const TFontObj* f) { return f->Section == section_.get(); })) {
            section_.reset();
        } else {
            CloseSection();
        }
        int32_t marginWidth = -1, marginHeight = -1;
        for (const auto& a : t_.Attributes) {
            std::optional<TColor> c;
            switch (a->Symbol) {
            case TextAttrSy: case LinkSy: case BgColorSy: case VLinkSy: case OLinkSy:
                c = ParseColorValue(a->StrValue);
                if (!c) break;
                *c |= PaletteRelative;
                if (a->Symbol == TextAttrSy) Top().Color = doc_.FontColor = *c;
                else if (a->Symbol == LinkSy) doc_.HotSpotColor = *c;
                else if (a->Symbol == BgColorSy) doc_.SetBackground(*c);
                else if (a->Symbol == VLinkSy) doc_.VisitedColor = *c;
                else {
                    doc_.OverLinkColor = *c;
                    doc_.LinksActive = true;
                }
                break;
            case BackgroundSy: doc_.SetBackgroundImage(a->StrValue); break;
            case MarginWidthSy: marginWidth = std::clamp(a->IntValue, 0, 200); break;
            case MarginHeightSy: marginHeight = std::clamp(a->IntValue, 0, 200); break;
            default: break;
            }
        }
        if ((marginWidth >= 0 || marginHeight >= 0) && doc_.ViewerOwned && doc_.OnMargins) {
            doc_.OnMargins(marginWidth, marginHeight);
        }
        section_ = std::make_unique<TSection>(&doc_, cell_, align_, nullptr, fonts_[0], 0);
    }

    void HorizontalRule() {
        CloseSection();
        if (cell_) cell_->Add(std::make_unique<THorzLine>(&doc_, t_.Attributes));
        Next();
    }

    void LooseListItem() {
        CloseSection();
        context_.ListIndentUnit = 15;
        section_ = std::make_unique<TUListItem>(&doc_, cell_, &link_, Top(), 1);
        t_.SkipBlanks();
        Next();
        while (kLooseItemContent.Has(Sy())) BlockElement(1);
        CloseSection();
        context_.ListIndentUnit = ListIndentUnit;
    }

    void CenterOrDiv(int32_t level, const SymbolSet& terms) {
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

    void Meta() {
        const std::string* e = AttributeText(t_.Attributes, HttpEqSy);
        const std::string* n = AttributeText(t_.Attributes, NameSy);
        const std::string* c = AttributeText(t_.Attributes, ContentSy);
        const std::string equiv = e ? *e : "", name = n ? *n : "", content = c ? *c : "";
        if (doc_.ViewerOwned && LowerAscii(equiv) == "content-type") {
            Top().Charset = CharsetFromName(doc_.FontCharset, content);
        }
        if (hooks_.Meta) hooks_.Meta(equiv, name, content);
    }

    void BlockElement(int32_t level) {
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

    void ApplyStyleTag(HtmlSymbol sy) {
        if (IsStyleStart(sy)) context_.StyleAdditions |= StyleBitOf(sy);
        else context_.StyleAdditions &= static_cast<uint8_t>(~StyleBitOf(sy));
        ChangeFontIfOpen();
    }

    TFormControlObj* AddControl(HtmlSymbol sy) {
        TFormControlObj* c = section_->AddFormControl(sy, doc_, t_.TagPos, t_.Attributes);
        if (c) doc_.AllControls.push_back(c);
        return c;
    }

    void Anchor(int32_t level) {
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

    void ListElement(int32_t depth, HtmlSymbol listSy, const SymbolSet& terms) {
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

    void Preformatted(int32_t level) {
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

    bool ApplyFontAttributes(HtmlSymbol sy, bool preformatted) {
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

    bool ApplyBigSmall(HtmlSymbol sy) {
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

    void SelectOptions(TFormControlObj* control) {
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

    void TextAreaContent(TFormControlObj* control) {
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

    // readOn: read the symbol after the map (inside PRE the character loop goes on instead).
    void ParseMap(bool readOn = true) {
        auto map = std::make_unique<TMapItem>();
        if (const std::string* n = AttributeText(t_.Attributes, NameSy)) map->MapKey = UpperAscii(*n);
        Next();
        int32_t stray = 0;
        while (Sy() != MapEndSy && Sy() != EofSy && stray < 3) {
            if (Sy() == AreaSy) map->AddArea(t_.Attributes);
            else if (Sy() != TextSy) ++stray;
            Next();
        }
        if (Sy() == MapEndSy) doc_.MapList.Add(std::move(map));
        if (readOn) Next();
    }

    // Reads the script up to its end tag; the caller reads the symbol after it.
    // Without a script hook comments are removed as anywhere on the page, so
    // an end tag inside a commented-out script does not end it.
    void ParseScript() {
        const std::string* language = AttributeText(t_.Attributes, LanguageSy);
        const std::string* name = AttributeText(t_.Attributes, NameSy);
        const std::string lang = language ? *language : "", scriptName = name ? *name : "";
        using ScriptToken = HtmlTokenizer::ScriptToken;
        std::string buffer, token;
        if (doc_.OnScript) {
            buffer.reserve(32500);
            t_.BeginScript();
        }
        for (ScriptToken k; (k = t_.NextScriptToken(token)) != ScriptToken::End && k != ScriptToken::Eof;) {
            if (!doc_.OnScript) continue;
            if (k == ScriptToken::LineEnd) buffer += "\r\n";
            else buffer += token;
        }
        if (doc_.OnScript) doc_.OnScript(scriptName, lang, buffer);
    }

    uint8_t ReadCellAlign() const {
        const std::string* a = AttributeText(t_.Attributes, AlignSy);
        const std::string v = a ? LowerAscii(*a) : std::string();
        return v == "left" ? 1 : v == "center" ? 2 : v == "right" ? 3 : 0;
    }

    uint8_t ReadVAlign(uint8_t fallback) const {
        const std::string* a = AttributeText(t_.Attributes, VAlignSy);
        const std::string v = a ? LowerAscii(*a) : std::string();
        return v == "top" || v == "baseline" ? 0 : v == "middle" ? 1 : v == "bottom" ? 2 : fallback;
    }

    // What every cell of a table starts from, and what follows the table.
    struct TableStart {
        size_t fonts;
        uint8_t style;
        bool noBreak;
        uint8_t align;
    };
    TableStart EnterTable() {
        ++depth_;
        CloseLink();
        const TableStart start{fonts_.size(), context_.StyleAdditions, context_.NoBreak, align_};
        CloseSection();
        return start;
    }
    void StartOfCell(const TableStart& start) {
        CloseLink();
        while (fonts_.size() > start.fonts) PopFont();
        context_.StyleAdditions = start.style;
    }
    void LeaveTable(const TableStart& start) {
        context_.StyleAdditions = start.style;
        context_.NoBreak = start.noBreak;
        align_ = start.align;
        --depth_;
        Next();
    }

    // The rows, cells and caption of a table. The table joins its enclosing
    // cell when it is complete; a parse that ends inside it leaves the table
    // to the document, and the open section to the table's current cell.
    void TableElement(int32_t level) {
        if (depth_ >= MaxNestingDepth) {
            Next();
            return;
        }
        if (tableDepth_ >= MaxTableNesting || tableCells_ >= MaxPageTableCells) {
            FlatTable();
            return;
        }
        ++tableDepth_;
        ++tableCells_;  // its caption
        const TableStart start = EnterTable();
        TCell* const enclosing = cell_;
        cell_ = nullptr;
        auto table = std::make_unique<ThtmlTable>(&doc_, level, enclosing, align_, t_.Attributes);
        std::unique_ptr<TCellList> row;
        std::unique_ptr<TCellObj> cell;
        TCell* last = nullptr;  // the cell made last
        uint8_t rowAlign = 0, rowVAlign = 1;
        auto finishCell = [&] {
            if (!cell) return;
            CloseSection();
            if (!row) row = std::make_unique<TCellList>();
            row->Add(std::move(cell));
            cell_ = nullptr;
        };
        auto finishRow = [&] {
            finishCell();
            if (row) table->Rows.Add(std::move(row));
        };
        try {
            Next();
            while (Sy() != TableEndSy && Sy() != EofSy) {
                const HtmlSymbol sy = Sy();
                if (sy == TDSy || sy == THSy) {
                    StartOfCell(start);
                    context_.NoBreak = FindAttributeBySymbol(t_.Attributes, NoWrapSy) &&
                                       !FindAttributeBySymbol(t_.Attributes, WidthSy);
                    const bool more = tableCells_ < MaxPageTableCells;
                    if (!more) {
                        // The page holds all the cells it may: this one's content
                        // goes on in the cell before it, as a block of its own.
                        CloseSection();
                    } else if (row) {
                        finishCell();
                    } else {
                        row = std::make_unique<TCellList>();
                        rowAlign = 0;
                        rowVAlign = 1;
                    }
                    if (sy == THSy) context_.StyleAdditions |= fsBold;
                    else context_.StyleAdditions &= static_cast<uint8_t>(~fsBold);
                    const uint8_t own = ReadCellAlign();
                    align_ = own ? own : rowAlign ? rowAlign : sy == THSy ? 2 : 1;
                    if (more) {
                        cell = std::make_unique<TCellObj>(&doc_, t_.Attributes, ReadVAlign(rowVAlign));
                        ++tableCells_;
                        last = cell_ = cell->Cell.get();
                    } else {
                        cell_ = cell ? cell->Cell.get() : last ? last : enclosing;
                    }
                    t_.SkipBlanks();
                    Next();
                    t_.ParagraphBreak = true;
                    DocumentLoop(0, kCellEnds);
                    if (!more) {
                        CloseSection();
                        cell_ = cell ? cell->Cell.get() : nullptr;
                    }
                } else if (sy == TDEndSy || sy == THEndSy) {
                    finishCell();
                    Next();
                } else if (sy == TRSy) {
                    CloseLink();
                    finishRow();
                    row = std::make_unique<TCellList>(&t_.Attributes);
                    rowAlign = ReadCellAlign();
                    rowVAlign = ReadVAlign(1);
                    Next();
                } else if (sy == TREndSy) {
                    CloseLink();
                    finishRow();
                    Next();
                } else if (sy == CaptionSy) {
                    StartOfCell(start);
                    context_.NoBreak = false;
                    finishCell();
                    if (const std::string* a = AttributeText(t_.Attributes, AlignSy)) {
                        table->CaptionOnTop = LowerAscii(*a) != "bottom";
                    }
                    cell_ = table->Caption->Cell.get();
                    align_ = 2;
                    Next();
                    DocumentLoop(0, kCellEnds);
                    CloseSection();
                    cell_ = nullptr;
                    if (Sy() == CaptionEndSy) Next();
                } else if (sy == TextSy) {
                    // Text outside any cell goes ahead of the table.
                    if (!cell) cell_ = enclosing;
                    DocumentLoop(0, kCellEnds);
                    CloseSection();
                    if (!cell) cell_ = nullptr;
                } else {
                    Next();
                }
            }
        } catch (...) {
            if (cell) {
                if (!row) row = std::make_unique<TCellList>();
                row->Add(std::move(cell));  // cell_ still points into it
            }
            if (row) table->Rows.Add(std::move(row));
            doc_.Adopt(std::move(table));
            --tableDepth_;
            --depth_;
            throw;
        }
        StartOfCell(start);
        finishRow();
        cell_ = enclosing;
        if (cell_) cell_->Add(std::move(table));
        else doc_.Adopt(std::move(table));
        --tableDepth_;
        LeaveTable(start);
    }

    // A table nested too deep: the content of each cell and caption follows
    // the text before it in the enclosing cell, each as its own block.
    void FlatTable() {
        const TableStart start = EnterTable();
        Next();
        while (Sy() != TableEndSy && Sy() != EofSy) {
            const HtmlSymbol sy = Sy();
            if (sy == TDSy || sy == THSy || sy == CaptionSy) {
                StartOfCell(start);
                context_.NoBreak = sy != CaptionSy && FindAttributeBySymbol(t_.Attributes, NoWrapSy) &&
                                   !FindAttributeBySymbol(t_.Attributes, WidthSy);
                if (sy == THSy) context_.StyleAdditions |= fsBold;
                else if (sy == TDSy) context_.StyleAdditions &= static_cast<uint8_t>(~fsBold);
                align_ = sy == TDSy ? 1 : 2;
                CloseSection();
                t_.SkipBlanks();
                Next();
                t_.ParagraphBreak = true;
                DocumentLoop(0, kCellEnds);
                CloseSection();
            } else if (kCellEnds.Has(sy)) {
                CloseLink();
                Next();
            } else if (sy == TextSy) {
                DocumentLoop(0, kCellEnds);
                CloseSection();
            } else {
                Next();
            }
        }
        StartOfCell(start);
        CloseSection();
        LeaveTable(start);
    }

    TSectionList& doc_;
    TAnchorList& anchors_;
    const ParseHooks& hooks_;
    ParseContext context_;
    HtmlTokenizer t_;
    ParseResult result_;
    TCell* cell_ = nullptr;
    std::unique_ptr<TSection> section_;
    std::vector<TMyFont> fonts_;
    TUrlTarget link_;
    bool linkOpen_ = false;
    int32_t baseFontSize_ = 3;
    uint8_t align_ = 1;
    int32_t depth_ = 0;
    int32_t tableDepth_ = 0;
    int32_t tableCells_ = 0;  // tables and cells made so far
    bool bodyApplied_ = false;
};

}  // namespace

ParseResult ParseFromFile(TSectionList& doc, TAnchorList& anchors, const std::string& fileName,
                          const ParseHooks& hooks) {
    const std::string bytes = ReadFile(fileName);
    return PageParser(doc, anchors, hooks).Parse(bytes, 0);
}

ParseResult ParseFromBuffer(TSectionList& doc, TAnchorList& anchors, const char* chars, int32_t length,
                            const ParseHooks& hooks) {
    const std::string_view bytes(chars ? chars : "", chars ? static_cast<size_t>(std::max(0, length)) : 0);
    return PageParser(doc, anchors, hooks).Parse(bytes, 1);
}

ParseResult ParseTextFile(TSectionList& doc, TAnchorList& anchors, const std::string& fileName) {
    const std::string bytes = ReadFile(fileName);
    static const ParseHooks kNone;
    return PageParser(doc, anchors, kNone).ParseText(bytes);
}

}  // namespace htmlengine
