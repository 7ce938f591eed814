#pragma once
// What painting needs: every call carries its own font and colours, so no
// drawing state leaks between callers. Rectangles are right- and
// bottom-exclusive; a polyline does not draw its last point.

#include "htmlengine/EngineColor.h"
#include "htmlengine/TextMeasurer.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace htmlengine {

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool Contains(int32_t x, int32_t y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    bool operator==(const TRect&) const = default;
};

enum class TextAnchor { Baseline, Top };

// A picture as the canvas takes it: rows of 0xAARRGGBB pixels, Width per row.
// Alpha 0 is the masked part (kept from the destination).
struct PictureView {
    int32_t Width = 0;
    int32_t Height = 0;
    const uint32_t* Pixels = nullptr;
};

enum class PictureMode { OwnSize, Stretched, Masked };

class Canvas {
public:
    virtual ~Canvas() = default;
    virtual TextMeasurer& Measurer() = 0;
    virtual const SystemColors& System() = 0;

    // Text in font.Color at x and the baseline or the top at y; with a
    // background the text box is filled first; with a clip nothing outside it
    // is drawn.
    virtual void TextOut(int32_t x, int32_t y, std::string_view text, const FontSpec& font,
                         TextAnchor anchor, std::optional<TColor> background = std::nullopt,
                         const TRect* clip = nullptr) = 0;
    virtual void FillRect(const TRect& rect, TColor color) = 0;
    virtual void FrameRect(const TRect& rect, TColor color) = 0;
    virtual void Polyline(const std::vector<TPoint>& points, TColor color) = 0;
    virtual void Ellipse(const TRect& box, std::optional<TColor> pen, std::optional<TColor> brush) = 0;
    // The rectangle less the holes.
    virtual void FillRegion(const TRect& rect, const std::vector<TRect>& holes, TColor color) = 0;
    // OwnSize draws at dest's top-left unscaled, Stretched scales without
    // smoothing, Masked scales and keeps the destination where alpha is 0.
    virtual void DrawPicture(const TRect& dest, const PictureView& picture, PictureMode mode) = 0;
    virtual TRect ClipRect() = 0;
    virtual bool IsMonochrome() { return false; }
};

}  // namespace htmlengine
