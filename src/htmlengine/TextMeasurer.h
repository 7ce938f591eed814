#pragma once
// What layout needs of fonts: metrics and the width of a run of bytes. The
// viewer measures through Qt; tests use the fixed-metrics measurer.

#include "htmlengine/EngineColor.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace htmlengine {

// Font style bits.
constexpr uint8_t fsBold = 1;
constexpr uint8_t fsItalic = 2;
constexpr uint8_t fsUnderline = 4;
constexpr uint8_t fsStrikeOut = 8;

struct FontSpec {
    std::string Name = "Times New Roman";
    int32_t Size = 12;  // points
    uint8_t Style = 0;
    uint8_t Charset = 1;
    TColor Color = 0;

    bool operator==(const FontSpec&) const = default;
};

struct FontMetrics {
    int32_t Height = 0;  // ascent + descent
    int32_t Ascent = 0;
    int32_t Descent = 0;
    int32_t ExternalLeading = 0;
    int32_t Overhang = 0;
};

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual FontMetrics Metrics(const FontSpec& font) = 0;
    // Width of the first n bytes of a run (n is clamped to the run).
    virtual int32_t Extent(const FontSpec& font, std::string_view run, int32_t n) = 0;
    // The largest count of the run's first bytes whose width (extent, less
    // overhang when the count is not 0) is at most room, 0 when none fits,
    // with that width. Extents grow with the count; the search costs what
    // fits, not the whole run.
    virtual int32_t FitCount(const FontSpec& font, std::string_view run, int32_t overhang, int32_t room,
                             int32_t& width);
    virtual FontSpec DefaultGuiFont() = 0;

    int32_t TextWidth(const FontSpec& font, std::string_view text) {
        return Extent(font, text, static_cast<int32_t>(text.size()));
    }
    int32_t TextHeight(const FontSpec& font) { return Metrics(font).Height; }
};

// Point size to pixels on the engine's 96-dpi scale.
int32_t PointsToPixels(int32_t points);

}  // namespace htmlengine
