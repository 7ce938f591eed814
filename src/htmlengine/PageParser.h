#pragma once
// The page parser's own declaration, shared by its parts: PagePars.cpp and
// the Parser*.cpp files beside it. The rest of the engine goes by PagePars.h.

#include "htmlengine/PagePars.h"

#include <bitset>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

namespace htmlengine {

constexpr int32_t MaxFontLevels = 25;

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

inline const SymbolSet kCellEnds{TableEndSy, TDSy, TDEndSy, TRSy, TREndSy, THSy, THEndSy, CaptionSy, CaptionEndSy};
inline const SymbolSet kBlockEnds{CenterEndSy, DivEndSy};
inline const SymbolSet kListEnds{OLEndSy, ULEndSy, DirEndSy, MenuEndSy, DLEndSy, BlockQuoteEndSy};
inline const SymbolSet kListStarts{OLSy, ULSy, DirSy, MenuSy, DLSy};
inline const SymbolSet kStyleTags{BSy,     BEndSy,  StrongSy,  StrongEndSy, ISy,      IEndSy,  EmSy,
                                  EmEndSy, CiteSy,  CiteEndSy, VarSy,       VarEndSy, USy,     UEndSy,
                                  SSy,     SEndSy,  StrikeSy,  StrikeEndSy};
inline const SymbolSet kBlockElements =
    kStyleTags | SymbolSet{PSy,       PEndSy,      SubSy,       SubEndSy,  SupSy,     SupEndSy,    BRSy,
                           HeadingSy, HeadingEndSy, TTSy,       TTEndSy,   CodeSy,    CodeEndSy,   KbdSy,
                           KbdEndSy,  SampSy,      SampEndSy,   FontEndSy, BigEndSy,  SmallEndSy,  AddressSy,
                           AddressEndSy, PreSy,    ImageSy,     ASy,       AEndSy,    TextSy,      InputSy,
                           SelectSy,  FormSy,      FormEndSy,   TextAreaSy, TextAreaEndSy, FontSy, BaseFontSy,
                           BigSy,     SmallSy,     MapSy,       ScriptSy,  NoBrSy,    NoBrEndSy,   WbrSy};
// What a list item outside any list goes on over.
inline const SymbolSet kLooseItemContent =
    kStyleTags | SymbolSet{TTSy,    TTEndSy,  CodeSy, CodeEndSy, KbdSy,     KbdEndSy,   SampSy,   SampEndSy,
                           ASy,     AEndSy,   SubSy,  SubEndSy,  SupSy,     SupEndSy,   BigSy,    BigEndSy,
                           SmallSy, SmallEndSy, NoBrSy, NoBrEndSy, FontEndSy, TextSy,   WbrSy};

class PageParser {
public:
    PageParser(TSectionList& doc, TAnchorList& anchors, const ParseHooks& hooks);

    ParseResult Parse(std::string_view bytes, uint8_t mode);
    ParseResult ParseText(std::string_view bytes);

private:
    // ---- begin and clean-up, fonts and sections, the document loop, the head
    template <class F>
    void Guarded(F body);
    void BeginParse();
    void CleanUp();

    void Next() { t_.NextSymbol(); }
    HtmlSymbol Sy() const { return t_.Sy; }
    TMyFont& Top() { return fonts_.back(); }

    TMyFont Sized(TMyFont f, int32_t normalSize) const;
    bool PushFont();
    void PopFont() {
        if (fonts_.size() > 1) fonts_.pop_back();
    }
    bool PushPreFont();
    void ChangeFontIfOpen() {
        if (section_) section_->ChangeFont(doc_, Top());
    }

    void CloseSection();
    void StartSection(uint8_t align, int32_t level);
    void EnsureSection(int32_t level) {
        if (!section_) StartSection(align_, level);
    }
    void StartPre(int32_t level);
    void CloseLink();

    void DocumentLoop(int32_t level, const SymbolSet& terms);
    void Body();
    void Meta();
    // readOn: read the symbol after the map (inside PRE the character loop goes on instead).
    void ParseMap(bool readOn = true);
    void ParseScript();

    // ---- block and inline elements
    uint8_t ReadParagraphAlign() const;
    void BlockElement(int32_t level);
    void ApplyStyleTag(HtmlSymbol sy);
    bool ApplyFontAttributes(HtmlSymbol sy, bool preformatted);
    bool ApplyBigSmall(HtmlSymbol sy);
    void Anchor(int32_t level);
    void HorizontalRule();
    void CenterOrDiv(int32_t level, const SymbolSet& terms);
    void ListElement(int32_t depth, HtmlSymbol listSy, const SymbolSet& terms);
    void LooseListItem();
    void Preformatted(int32_t level);

    // ---- form controls and their content
    TFormControlObj* AddControl(HtmlSymbol sy);
    void SelectOptions(TFormControlObj* control);
    void TextAreaContent(TFormControlObj* control);

    // ---- tables
    // What every cell of a table starts from, and what follows the table.
    struct TableStart {
        size_t fonts;
        uint8_t style;
        bool noBreak;
        uint8_t align;
    };
    uint8_t ReadCellAlign() const;
    uint8_t ReadVAlign(uint8_t fallback) const;
    TableStart EnterTable();
    void StartOfCell(const TableStart& start);
    void LeaveTable(const TableStart& start);
    void TableElement(int32_t level);
    void FlatTable();

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
    bool bodyApplied_ = false;
};

}  // namespace htmlengine
