#pragma once
// The engine's colour: 32 bits, 0x00BBGGRR. Page colours carry the
// palette-relative flag 0x02000000; 0x80000000 | index names a system colour.

#include <array>
#include <cstdint>

namespace htmlengine {

using TColor = uint32_t;

constexpr TColor PaletteRelative = 0x02000000;
constexpr TColor SystemColorFlag = 0x80000000;

// System colour indexes the engine uses.
enum SystemColorIndex : uint8_t {
    COLOR_WINDOW = 5,
    COLOR_WINDOWTEXT = 8,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_BTNTEXT = 18,
    COLOR_BTNHIGHLIGHT = 20,
};

constexpr TColor clBlack = 0x000000;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clWindow = SystemColorFlag | COLOR_WINDOW;
constexpr TColor clWindowText = SystemColorFlag | COLOR_WINDOWTEXT;
constexpr TColor clBtnFace = SystemColorFlag | COLOR_BTNFACE;
constexpr TColor clBtnShadow = SystemColorFlag | COLOR_BTNSHADOW;
constexpr TColor clBtnText = SystemColorFlag | COLOR_BTNTEXT;
constexpr TColor clBtnHighlight = SystemColorFlag | COLOR_BTNHIGHLIGHT;

// The system colours, each 0x00BBGGRR; the default is the classic scheme.
class SystemColors {
public:
    SystemColors();
    TColor Get(uint8_t index) const { return index < colors_.size() ? colors_[index] : 0; }
    void Set(uint8_t index, TColor bgr) {
        if (index < colors_.size()) colors_[index] = bgr & 0xFFFFFF;
    }

private:
    std::array<TColor, 31> colors_;
};

// 0x00RRGGBB of a colour: system colours by index, every other value by its
// low 24 bits (the palette-relative flag changes nothing on a true-colour
// screen).
uint32_t ResolveRgb(TColor color, const SystemColors& system);

// A page counts as white when its background's low 24 bits are all set, or
// it is the window colour while that is white.
bool IsWhiteBackground(TColor background, const SystemColors& system);

}  // namespace htmlengine
