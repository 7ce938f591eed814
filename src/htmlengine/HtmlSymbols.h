#pragma once
// The engine's vocabulary: one byte per token kind. Tags, attributes and the
// token kinds share one number range; which table a number comes from follows
// from where it is read.

#include "htmlengine/EngineColor.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace htmlengine {

using HtmlSymbol = uint8_t;

// Token kinds.
constexpr HtmlSymbol OtherAttributeSy = 59;
constexpr HtmlSymbol OtherCharSy = 67;
constexpr HtmlSymbol OtherSy = 69;
constexpr HtmlSymbol TextSy = 70;
constexpr HtmlSymbol EofSy = 71;
constexpr HtmlSymbol EolSy = 180;

// Tags with start and end symbols.
constexpr HtmlSymbol HtmlSy = 0, HtmlEndSy = 10, TitleSy = 1, TitleEndSy = 11, BodySy = 2, BodyEndSy = 12,
                     HeadSy = 3, HeadEndSy = 13, BSy = 6, BEndSy = 7, ISy = 8, IEndSy = 9, HeadingSy = 15,
                     HeadingEndSy = 16, EmSy = 17, EmEndSy = 18, StrongSy = 19, StrongEndSy = 20, USy = 21,
                     UEndSy = 22, CiteSy = 24, CiteEndSy = 26, VarSy = 25, VarEndSy = 27, TTSy = 29,
                     TTEndSy = 33, CodeSy = 30, CodeEndSy = 34, KbdSy = 31, KbdEndSy = 35, SampSy = 32,
                     SampEndSy = 36, OLSy = 37, OLEndSy = 38, ULSy = 40, ULEndSy = 41, DirSy = 42,
                     DirEndSy = 43, MenuSy = 44, MenuEndSy = 45, DLSy = 46, DLEndSy = 47, ASy = 60,
                     AEndSy = 61, AddressSy = 50, AddressEndSy = 51, BlockQuoteSy = 52,
                     BlockQuoteEndSy = 53, PreSy = 54, PreEndSy = 55, CenterSy = 57, CenterEndSy = 58,
                     TableSy = 75, TableEndSy = 76, TDSy = 77, TDEndSy = 78, THSy = 81, THEndSy = 82,
                     CaptionSy = 90, CaptionEndSy = 91, FormSy = 99, FormEndSy = 100, TextAreaSy = 106,
                     TextAreaEndSy = 107, SelectSy = 110, SelectEndSy = 111, OptionSy = 112,
                     OptionEndSy = 113, FontSy = 116, FontEndSy = 117, SubSy = 122, SubEndSy = 123,
                     SupSy = 124, SupEndSy = 125, BigSy = 128, BigEndSy = 129, SmallSy = 130,
                     SmallEndSy = 131, PSy = 4, PEndSy = 5, MapSy = 133, MapEndSy = 134, FrameSetSy = 142,
                     FrameSetEndSy = 143, NoFramesSy = 146, NoFramesEndSy = 147, ScriptSy = 152,
                     ScriptEndSy = 153, DivSy = 155, DivEndSy = 156, SSy = 157, SEndSy = 158,
                     StrikeSy = 159, StrikeEndSy = 160, TRSy = 79, TREndSy = 80, NoBrSy = 176,
                     NoBrEndSy = 177;
// Tags without end symbols.
constexpr HtmlSymbol LISy = 39, BRSy = 14, HRSy = 23, DDSy = 48, DTSy = 49, ImageSy = 56, BaseSy = 28,
                     ButtonSy = 93, InputSy = 94, SelectedSy = 114, BaseFontSy = 120, AreaSy = 135,
                     FrameSy = 144, BgSoundSy = 164, WrapSy = 167, MetaSy = 169, WbrSy = 178;

// Attributes (SELECTED and WRAP share the tag numbers above).
constexpr HtmlSymbol HrefSy = 62, NameSy = 63, SrcSy = 64, AltSy = 65, AlignSy = 66, TextAttrSy = 70,
                     BgColorSy = 73, LinkSy = 72, BackgroundSy = 74, ColSpanSy = 83, RowSpanSy = 84,
                     BorderSy = 85, CellPaddingSy = 86, CellSpacingSy = 87, VAlignSy = 88, WidthSy = 89,
                     StartSy = 92, ValueSy = 95, TypeSy = 96, CheckBoxSy = 97, RadioSy = 98,
                     MethodSy = 101, ActionSy = 102, CheckedSy = 103, SizeSy = 104, MaxLengthSy = 105,
                     ColsSy = 108, RowsSy = 109, MultipleSy = 115, FaceSy = 119, ColorSy = 118,
                     TranspSy = 121, ClearSy = 126, IsMapSy = 127, BorderColorSy = 132, UseMapSy = 139,
                     ShapeSy = 136, CoordsSy = 137, NoHrefSy = 138, HeightSy = 140, PlainSy = 141,
                     TargetSy = 145, NoResizeSy = 148, ScrollingSy = 149, HSpaceSy = 150,
                     LanguageSy = 154, FrameBorderSy = 161, MarginWidthSy = 162, MarginHeightSy = 163,
                     LoopSy = 165, OnClickSy = 166, NoShadeSy = 168, HttpEqSy = 170, ContentSy = 171,
                     EncTypeSy = 172, VLinkSy = 173, OLinkSy = 174, ActiveSy = 175, VSpaceSy = 151,
                     NoWrapSy = 179;

struct TagRow {
    const char* Name;
    HtmlSymbol Start;
    int16_t End;  // -1: the tag has no end symbol
};
// The tag table row of an upper-cased name, searched from the first row.
const TagRow* LookupTag(std::string_view upperName);
// The attribute symbol of an upper-cased name, OtherAttributeSy when unknown.
HtmlSymbol LookupAttribute(std::string_view upperName);
// Tags whose attributes are kept.
bool KeepsAttributes(HtmlSymbol startSymbol);

// The 1-based row of an entity name (case-sensitive), 0 when unknown.
int LookupEntity(std::string_view name);

// A colour name or "#RRGGBB" (padded with 0 on the right) as 0xBBGGRR,
// without the palette-relative flag.
std::optional<TColor> ParseColorValue(std::string_view text);

}  // namespace htmlengine
