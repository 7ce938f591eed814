#include "htmlengine/FixedMeasurer.h"

#include "htmlengine/MulDiv.h"

#include <algorithm>

namespace htmlengine {

int32_t PointsToPixels(int32_t points) { return MulDiv(points, 96, 72); }

FontMetrics FixedMeasurer::Metrics(const FontSpec& font) {
    int32_t p = std::max(1, PointsToPixels(font.Size));
    FontMetrics m;
    m.Height = p;
    m.Descent = p / 4;
    m.Ascent = p - m.Descent;
    m.ExternalLeading = externalLeading;
    m.Overhang = (font.Style & fsItalic) ? italicOverhang : 0;
    return m;
}

int32_t FixedMeasurer::CharWidth(const FontSpec& font, uint8_t byte) const {
    int32_t p = std::max(1, PointsToPixels(font.Size));
    int32_t w;
    if (font.Name == "Courier New") {
        w = std::max(1, 3 * p / 5);
    } else if (byte == ' ' || byte == 160) {
        w = std::max(1, p / 4);
    } else {
        w = std::max(1, p / 2);
    }
    return w + ((font.Style & fsBold) ? 1 : 0);
}

int32_t FixedMeasurer::Extent(const FontSpec& font, std::string_view run, int32_t n) {
    n = std::clamp<int32_t>(n, 0, static_cast<int32_t>(run.size()));
    int32_t w = 0;
    for (int32_t i = 0; i < n; ++i) {
        w += CharWidth(font, static_cast<uint8_t>(run[i]));
    }
    return n > 0 ? w + Metrics(font).Overhang : 0;
}

}  // namespace htmlengine
