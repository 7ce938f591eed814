#pragma once
// A measurer with integer metrics that depend only on size and style, for
// deterministic layout tests. With p = the pixel size of the font:
// height p, descent p/4, ascent the rest; fixed-pitch faces ("Courier New")
// max(1, 3p/5) per byte, other faces max(1, p/4) for blanks (32, 160) and
// max(1, p/2) for every other byte; bold adds 1 per byte.

#include "htmlengine/TextMeasurer.h"

namespace htmlengine {

class FixedMeasurer : public TextMeasurer {
public:
    FontMetrics Metrics(const FontSpec& font) override;
    int32_t Extent(const FontSpec& font, std::string_view run, int32_t n) override;
    FontSpec DefaultGuiFont() override { return defaultGui_; }

    int32_t CharWidth(const FontSpec& font, uint8_t byte) const;

    int32_t externalLeading = 0;
    int32_t italicOverhang = 0;
    FontSpec defaultGui_{"MS Sans Serif", 8, 0, 1, 0};
};

}  // namespace htmlengine
