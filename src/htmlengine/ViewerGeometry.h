#pragma once
// The arithmetic of the viewer control: layout width, where the paint panel
// and the scroll bars go, scroll clamps and steps for keys, selection
// auto-scroll and panning, the stored scroll position, META refresh contents
// and word characters. Plain functions, so the widget stays a thin shell.

#include <cstdint>
#include <optional>
#include <string>

namespace htmlengine {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class THTMLBorderStyle { htFocused, htNone, htSingle };

constexpr int32_t kVertSmallChange = 16;
constexpr int32_t kHorzSmallChange = 15;
constexpr int32_t kMaxDrawWidth = 6000;

// Pixels the border takes from the layout width.
inline int32_t BorderAllowance(THTMLBorderStyle style) { return style == THTMLBorderStyle::htNone ? 1 : 3; }

struct TLayoutWidth {
    int32_t Width = 0;           // handed to the document layout
    int32_t MarginsInHeight = 0; // added to the layout's height
};
// The vertical bar's width is kept free whenever it may appear, so text never
// reflows when it does.
TLayoutWidth LayoutWidthFor(int32_t controlWidth, int32_t scrollBarWidth, THTMLBorderStyle border,
                            int32_t marginWidth, int32_t marginHeight, TScrollStyle bars);

struct TBarPlace {
    bool Visible = false;
    bool Enabled = true;
    int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    int32_t Maximum = 0;   // highest scroll position
    int32_t Page = 0;
    int32_t LargeChange = 0;
};

struct TPaneGeometry {
    int32_t DocWidth = 0;  // capped
    int32_t PanelLeft = 0, PanelTop = 0, PanelWidth = 0, PanelHeight = 0;
    bool BorderShown = false;
    TBarPlace Horz, Vert;
};

struct TPaneInput {
    int32_t Width = 150, Height = 150;
    int32_t ScrollBarWidth = 16;
    int32_t MarginWidth = 10;
    int32_t DocWidth = 0, DocHeight = 0;
    TScrollStyle Bars = TScrollStyle::ssBoth;
    THTMLBorderStyle Border = THTMLBorderStyle::htFocused;
    bool ShowVScroll = false;
};
TPaneGeometry ArrangeScrollBars(const TPaneInput& in);

// Every vertical position lies in 0 .. docHeight - panelHeight, the lower bound last.
int32_t ClampScroll(int32_t y, int32_t docHeight, int32_t panelHeight);

// Vertical keys (PgUp, PgDn, End, Home, Up, Down); nullopt for other keys.
std::optional<int32_t> KeyScrollTarget(int key, int32_t position, int32_t docHeight, int32_t panelHeight);
// Left and right move the horizontal position; nullopt for other keys.
std::optional<int32_t> KeyHorzTarget(int key, int32_t position, int32_t horzMax, int32_t panelWidth);

// One auto-scroll step while selecting past the panel's top or bottom edge.
int32_t SelectScrollStep(int32_t y, int32_t height);
// One step while panning, d = mouse y - pan start y; cursor gets 3, 4 or 5.
int32_t PanScrollStep(int32_t d, int& cursor);

// Section index in the upper 16 bits, offset in the section in the lower 16.
int32_t EncodePosition(int32_t sectionIndex, int32_t offset);
inline int32_t PositionSection(int32_t p) { return int32_t(uint32_t(p) >> 16); }
inline int32_t PositionOffset(int32_t p) { return int32_t(uint32_t(p) & 0xFFFF); }

// The new position that brings a focused form control into view, if any.
std::optional<int32_t> ControlScrollTarget(int32_t position, int32_t controlTop, int32_t clientHeight);

struct TMetaRefresh {
    int32_t Delay = 0; // 0 becomes 1
    std::string Url;
};
std::optional<TMetaRefresh> ParseMetaRefresh(const std::string& content);

// Characters a double click takes as part of a word.
inline bool IsWordChar(uint8_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 192;
}

// Left (or top) of the first background tile that touches from, with the
// tiles moving with the scroll position.
int32_t FirstTileAt(int32_t from, int32_t scroll, int32_t tile);

}  // namespace htmlengine
