#include "htmlengine/HtmlSymbols.h"

#include <iterator>
#include <unordered_map>

#include <cstring>
#include <string>

namespace htmlengine {
namespace {

const TagRow kTags[] = {
    {"HTML", HtmlSy, HtmlEndSy},        {"TITLE", TitleSy, TitleEndSy},
    {"BODY", BodySy, BodyEndSy},        {"HEAD", HeadSy, HeadEndSy},
    {"B", BSy, BEndSy},                 {"I", ISy, IEndSy},
    {"H", HeadingSy, HeadingEndSy},     {"EM", EmSy, EmEndSy},
    {"STRONG", StrongSy, StrongEndSy},  {"U", USy, UEndSy},
    {"CITE", CiteSy, CiteEndSy},        {"VAR", VarSy, VarEndSy},
    {"TT", TTSy, TTEndSy},              {"CODE", CodeSy, CodeEndSy},
    {"KBD", KbdSy, KbdEndSy},           {"SAMP", SampSy, SampEndSy},
    {"OL", OLSy, OLEndSy},              {"UL", ULSy, ULEndSy},
    {"DIR", DirSy, DirEndSy},           {"MENU", MenuSy, MenuEndSy},
    {"DL", DLSy, DLEndSy},              {"A", ASy, AEndSy},
    {"ADDRESS", AddressSy, AddressEndSy}, {"BLOCKQUOTE", BlockQuoteSy, BlockQuoteEndSy},
    {"PRE", PreSy, PreEndSy},           {"CENTER", CenterSy, CenterEndSy},
    {"TABLE", TableSy, TableEndSy},     {"TD", TDSy, TDEndSy},
    {"TH", THSy, THEndSy},              {"CAPTION", CaptionSy, CaptionEndSy},
    {"FORM", FormSy, FormEndSy},        {"TEXTAREA", TextAreaSy, TextAreaEndSy},
    {"SELECT", SelectSy, SelectEndSy},  {"OPTION", OptionSy, OptionEndSy},
    {"FONT", FontSy, FontEndSy},        {"SUB", SubSy, SubEndSy},
    {"SUP", SupSy, SupEndSy},           {"BIG", BigSy, BigEndSy},
    {"SMALL", SmallSy, SmallEndSy},     {"P", PSy, PEndSy},
    {"MAP", MapSy, MapEndSy},           {"FRAMESET", FrameSetSy, FrameSetEndSy},
    {"NOFRAMES", NoFramesSy, NoFramesEndSy}, {"SCRIPT", ScriptSy, ScriptEndSy},
    {"DIV", DivSy, DivEndSy},           {"S", SSy, SEndSy},
    {"STRIKE", StrikeSy, StrikeEndSy},  {"TR", TRSy, TREndSy},
    {"NOBR", NoBrSy, NoBrEndSy},        {"LI", LISy, -1},
    {"BR", BRSy, -1},                   {"HR", HRSy, -1},
    {"DD", DDSy, -1},                   {"DT", DTSy, -1},
    {"IMG", ImageSy, -1},               {"BASE", BaseSy, -1},
    {"BUTTON", ButtonSy, -1},           {"INPUT", InputSy, -1},
    {"SELECTED", SelectedSy, -1},       {"BASEFONT", BaseFontSy, -1},
    {"AREA", AreaSy, -1},               {"FRAME", FrameSy, -1},
    {"BGSOUND", BgSoundSy, -1},         {"WRAP", WrapSy, -1},
    {"META", MetaSy, -1},               {"WBR", WbrSy, -1},
};
static_assert(sizeof kTags / sizeof kTags[0] == 66);

struct AttributeRow {
    const char* Name;
    HtmlSymbol Symbol;
};
const AttributeRow kAttributes[] = {
    {"HREF", HrefSy},         {"NAME", NameSy},           {"SRC", SrcSy},
    {"ALT", AltSy},           {"ALIGN", AlignSy},         {"TEXT", TextAttrSy},
    {"BGCOLOR", BgColorSy},   {"LINK", LinkSy},           {"BACKGROUND", BackgroundSy},
    {"COLSPAN", ColSpanSy},   {"ROWSPAN", RowSpanSy},     {"BORDER", BorderSy},
    {"CELLPADDING", CellPaddingSy}, {"CELLSPACING", CellSpacingSy}, {"VALIGN", VAlignSy},
    {"WIDTH", WidthSy},       {"START", StartSy},         {"VALUE", ValueSy},
    {"TYPE", TypeSy},         {"CHECKBOX", CheckBoxSy},   {"RADIO", RadioSy},
    {"METHOD", MethodSy},     {"ACTION", ActionSy},       {"CHECKED", CheckedSy},
    {"SIZE", SizeSy},         {"MAXLENGTH", MaxLengthSy}, {"COLS", ColsSy},
    {"ROWS", RowsSy},         {"MULTIPLE", MultipleSy},   {"VALUE", ValueSy},
    {"SELECTED", SelectedSy}, {"FACE", FaceSy},           {"COLOR", ColorSy},
    {"TRANSP", TranspSy},     {"CLEAR", ClearSy},         {"ISMAP", IsMapSy},
    {"BORDERCOLOR", BorderColorSy}, {"USEMAP", UseMapSy}, {"SHAPE", ShapeSy},
    {"COORDS", CoordsSy},     {"NOHREF", NoHrefSy},       {"HEIGHT", HeightSy},
    {"PLAIN", PlainSy},       {"TARGET", TargetSy},       {"NORESIZE", NoResizeSy},
    {"SCROLLING", ScrollingSy}, {"HSPACE", HSpaceSy},     {"LANGUAGE", LanguageSy},
    {"FRAMEBORDER", FrameBorderSy}, {"MARGINWIDTH", MarginWidthSy}, {"MARGINHEIGHT", MarginHeightSy},
    {"LOOP", LoopSy},         {"ONCLICK", OnClickSy},     {"WRAP", WrapSy},
    {"NOSHADE", NoShadeSy},   {"HTTP-EQUIV", HttpEqSy},   {"CONTENT", ContentSy},
    {"ENCTYPE", EncTypeSy},   {"VLINK", VLinkSy},         {"OLINK", OLinkSy},
    {"ACTIVE", ActiveSy},     {"VSPACE", VSpaceSy},       {"NOWRAP", NoWrapSy},
};
static_assert(sizeof kAttributes / sizeof kAttributes[0] == 63);

const HtmlSymbol kKeepers[] = {BodySy,  PSy,       BRSy,     HeadingSy, HRSy,     BaseSy,   OLSy,
                               ULSy,    ImageSy,   ASy,      TableSy,   TDSy,     TRSy,     THSy,
                               CaptionSy, InputSy, FormSy,   TextAreaSy, SelectSy, OptionSy, FontSy,
                               BaseFontSy, MapSy,  AreaSy,   FrameSetSy, FrameSy,  ScriptSy, DivSy,
                               BgSoundSy, WrapSy,  MetaSy};

const char* const kEntities[] = {
    "amp",    "lt",     "gt",     "quot",   "rsquo",  "ndash",  "trade",  "hellip", "nbsp",   "iexcl",
    "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",   "ordf",   "laquo",
    "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",
    "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest",
    "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute",
    "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute",
    "Ocirc",  "Otilde", "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute",
    "THORN",  "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",    "ntilde",
    "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave", "uacute", "ucirc",
    "uuml",   "yacute", "thorn",  "yuml",
};
static_assert(sizeof kEntities / sizeof kEntities[0] == 104);

struct ColorRow {
    const char* Name;
    TColor Value;
};
const ColorRow kColors[] = {
    {"BLACK", 0x000000},  {"MAROON", 0x000080}, {"GREEN", 0x008000},   {"OLIVE", 0x008080},
    {"NAVY", 0x800000},   {"PURPLE", 0x800080}, {"TEAL", 0x808000},    {"GRAY", 0x808080},
    {"SILVER", 0xC0C0C0}, {"RED", 0x0000FF},    {"LIME", 0x00FF00},    {"YELLOW", 0x00FFFF},
    {"BLUE", 0xFF0000},   {"FUCHSIA", 0xFF00FF}, {"AQUA", 0xFFFF00},   {"WHITE", 0xFFFFFF},
};

}  // namespace

namespace {
// Name -> first row of that name, built once.
template <class Value, class Rows, class Key, class Get>
const std::unordered_map<std::string_view, Value>& IndexRows(const Rows& rows, Key key, Get get) {
    static const auto index = [&] {
        std::unordered_map<std::string_view, Value> m;
        for (size_t i = 0; i < std::size(rows); ++i) m.emplace(key(rows[i]), get(rows[i], i));
        return m;
    }();
    return index;
}
}  // namespace

const TagRow* LookupTag(std::string_view upperName) {
    const auto& index = IndexRows<const TagRow*>(
        kTags, [](const TagRow& r) { return std::string_view(r.Name); },
        [](const TagRow& r, size_t) { return &r; });
    auto it = index.find(upperName);
    return it == index.end() ? nullptr : it->second;
}

HtmlSymbol LookupAttribute(std::string_view upperName) {
    const auto& index = IndexRows<HtmlSymbol>(
        kAttributes, [](const AttributeRow& r) { return std::string_view(r.Name); },
        [](const AttributeRow& r, size_t) { return r.Symbol; });
    auto it = index.find(upperName);
    return it == index.end() ? OtherAttributeSy : it->second;
}

bool KeepsAttributes(HtmlSymbol startSymbol) {
    for (HtmlSymbol s : kKeepers) {
        if (s == startSymbol) return true;
    }
    return false;
}

int LookupEntity(std::string_view name) {
    const auto& index = IndexRows<int>(
        kEntities, [](const char* n) { return std::string_view(n); },
        [](const char*, size_t i) { return static_cast<int>(i) + 1; });
    auto it = index.find(name);
    return it == index.end() ? 0 : it->second;
}

std::optional<TColor> ParseColorValue(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::string s(text.substr(0, 10));
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    for (const ColorRow& row : kColors) {
        if (s == row.Name) return row.Value;
    }
    if (size_t hash = s.find('#'); hash != std::string::npos) s.erase(hash, 1);
    while (s.size() < 6) s.push_back('0');
    if (s.size() > 8) return std::nullopt;  // beyond 32 bits: no number
    uint32_t v = 0;
    for (char c : s) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return std::nullopt;
        v = (v << 4) | static_cast<uint32_t>(d);
    }
    // 0xRRGGBB to 0xBBGGRR; longer numbers keep 24 bits so no flag bits leak.
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

}  // namespace htmlengine
