#include "htmlengine/HtmlSymbols.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <vector>

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
// The rows of a table grouped by the first byte of their names, in table
// order within a group: a lookup compares a name with the few rows that
// start like it, the first row of that name winning.
class NameIndex {
public:
    template <class Rows, class NameOf>
    NameIndex(const Rows& rows, NameOf nameOf) {
        std::array<uint16_t, 256> counts{};
        for (const auto& row : rows) ++counts[static_cast<uint8_t>(nameOf(row)[0])];
        for (size_t c = 0; c < 256; ++c) start_[c + 1] = static_cast<uint16_t>(start_[c] + counts[c]);
        entries_.resize(std::size(rows));
        std::array<uint16_t, 256> next{};
        std::copy(start_.begin(), start_.end() - 1, next.begin());
        for (size_t i = 0; i < std::size(rows); ++i) {
            const std::string_view name = nameOf(rows[i]);
            entries_[next[static_cast<uint8_t>(name[0])]++] = {name, static_cast<uint16_t>(i)};
        }
    }
    // The row number, or -1.
    int Find(std::string_view name) const {
        if (name.empty()) return -1;
        const uint8_t c = static_cast<uint8_t>(name[0]);
        for (size_t k = start_[c]; k < start_[c + 1u]; ++k) {
            if (entries_[k].name == name) return entries_[k].row;
        }
        return -1;
    }

private:
    struct Entry {
        std::string_view name;
        uint16_t row;
    };
    std::array<uint16_t, 257> start_{};
    std::vector<Entry> entries_;
};
}  // namespace

const TagRow* LookupTag(std::string_view upperName) {
    static const NameIndex index(kTags, [](const TagRow& r) { return std::string_view(r.Name); });
    const int row = index.Find(upperName);
    return row < 0 ? nullptr : &kTags[row];
}

HtmlSymbol LookupAttribute(std::string_view upperName) {
    static const NameIndex index(kAttributes, [](const AttributeRow& r) { return std::string_view(r.Name); });
    const int row = index.Find(upperName);
    return row < 0 ? OtherAttributeSy : kAttributes[row].Symbol;
}

bool KeepsAttributes(HtmlSymbol startSymbol) {
    for (HtmlSymbol s : kKeepers) {
        if (s == startSymbol) return true;
    }
    return false;
}

int LookupEntity(std::string_view name) {
    static const NameIndex index(kEntities, [](const char* n) { return std::string_view(n); });
    return index.Find(name) + 1;
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
