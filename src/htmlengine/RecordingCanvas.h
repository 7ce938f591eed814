#pragma once
// A canvas that draws nothing and logs every call as one line of text, for
// paint tests that compare logs. Measures through a fixed measurer.

#include "htmlengine/Canvas.h"
#include "htmlengine/FixedMeasurer.h"

#include <string>
#include <vector>

namespace htmlengine {

class RecordingCanvas : public Canvas {
public:
    TextMeasurer& Measurer() override { return measurer; }
    const SystemColors& System() override { return system; }

    void TextOut(int32_t x, int32_t y, std::string_view text, const FontSpec& font, TextAnchor anchor,
                 std::optional<TColor> background, const TRect* clip) override;
    void FillRect(const TRect& rect, TColor color) override;
    void FrameRect(const TRect& rect, TColor color) override;
    void Polyline(const std::vector<TPoint>& points, TColor color) override;
    void Ellipse(const TRect& box, std::optional<TColor> pen, std::optional<TColor> brush) override;
    void FillRegion(const TRect& rect, const std::vector<TRect>& holes, TColor color) override;
    void DrawPicture(const TRect& dest, const PictureView& picture, PictureMode mode) override;
    TRect ClipRect() override { return clip; }
    bool IsMonochrome() override { return monochrome; }

    FixedMeasurer measurer;
    SystemColors system;
    TRect clip{0, 0, 10000, 10000};
    bool monochrome = false;
    std::vector<std::string> log;
};

// "#RRGGBB" of a resolved colour, as the log writes it.
std::string ColorText(TColor color, const SystemColors& system);
std::string RectText(const TRect& r);

}  // namespace htmlengine
