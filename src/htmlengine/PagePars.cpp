#include "htmlengine/PageParser.h"

#include "htmlengine/MulDiv.h"
#include "htmlengine/PageSbs1.h"

#include <algorithm>
#include <fstream>
#include <iterator>
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

std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    if (!in) throw EFileError("Cannot open file " + name);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

PageParser::PageParser(TSectionList& doc, TAnchorList& anchors, const ParseHooks& hooks)
    : doc_(doc), anchors_(anchors), hooks_(hooks), t_(context_) {
    if (!doc.Measurer) throw std::logic_error("document without measurer");
}

template <class F>
void PageParser::Guarded(F body) {
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

ParseResult PageParser::Parse(std::string_view bytes, uint8_t mode) {
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

ParseResult PageParser::ParseText(std::string_view bytes) {
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

void PageParser::BeginParse() {
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

void PageParser::CleanUp() {
    t_.Attributes.Clear();
    CloseSection();
    fonts_.clear();
    link_.Clear();
    doc_.Parse = nullptr;
}

// ---- fonts and sections

TMyFont PageParser::Sized(TMyFont f, int32_t normalSize) const {
    f.NormalSize = normalSize;
    f.Size = MulDiv(doc_.FontSize, normalSize, 12);
    return f;
}

bool PageParser::PushFont() {
    if (static_cast<int32_t>(fonts_.size()) >= MaxFontLevels) return false;
    fonts_.push_back(fonts_.back());
    return true;
}

bool PageParser::PushPreFont() {
    if (!PushFont()) return false;
    Top().Name = doc_.PreFontName;
    Top().Fixed = true;
    Top() = Sized(Top(), 10);
    return true;
}

void PageParser::CloseSection() {
    if (!section_) return;
    if (cell_) cell_->Add(std::move(section_));
    else doc_.Adopt(std::move(section_));
}

void PageParser::StartSection(uint8_t align, int32_t level) {
    section_ = std::make_unique<TSection>(&doc_, cell_, align, &link_, Top(), level);
}

void PageParser::StartPre(int32_t level) {
    section_ = std::make_unique<TPreFormated>(&doc_, cell_, 1, &link_, Top(), level);
}

void PageParser::CloseLink() {
    if (!linkOpen_) return;
    link_.Clear();
    linkOpen_ = false;
    PopFont();
    if (section_) section_->SetLink(AEndSy, doc_, Top(), nullptr);
}

// ---- the document loop and the head

void PageParser::DocumentLoop(int32_t level, const SymbolSet& terms) {
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

// What came before BODY on the page (a head's STYLE text, say) is dropped,
// unless an anchor, a link or a control points into it: then it stays on
// the page. In a table cell the text before it is the cell's own and stays.
void PageParser::Body() {
    bodyApplied_ = true;
    if (section_ && (section_->Len == 0 || cell_ == &doc_) && section_->OwnedControls.Empty() &&
        !anchors_.Refers(section_.get()) &&
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

void PageParser::Meta() {
    const std::string* e = AttributeText(t_.Attributes, HttpEqSy);
    const std::string* n = AttributeText(t_.Attributes, NameSy);
    const std::string* c = AttributeText(t_.Attributes, ContentSy);
    const std::string equiv = e ? *e : "", name = n ? *n : "", content = c ? *c : "";
    if (doc_.ViewerOwned && LowerAscii(equiv) == "content-type") {
        Top().Charset = CharsetFromName(doc_.FontCharset, content);
    }
    if (hooks_.Meta) hooks_.Meta(equiv, name, content);
}

void PageParser::ParseMap(bool readOn) {
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
void PageParser::ParseScript() {
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
