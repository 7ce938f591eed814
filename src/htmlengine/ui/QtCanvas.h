#pragma once
// The engine's canvas over a QPainter, with the fonts of a QtMeasurer.

#include "htmlengine/Canvas.h"
#include "htmlengine/ui/QtMeasurer.h"

#include <QPainter>
#include <vector>

namespace htmlengine {

// The painter's whole state is saved when the canvas is made and restored
// when it goes, so nothing a call sets outlives the canvas. Within it each
// call sets the pen and font it draws with; anything else a call changes
// (clip, brush, render hints) it saves and restores itself.
class QtCanvas : public Canvas {
public:
    QtCanvas(QPainter& painter, QtMeasurer& measurer, const SystemColors& system, TRect clip)
        : painter_(painter), measurer_(measurer), system_(system), clip_(clip) {
        painter_.save();
    }
    ~QtCanvas() override { painter_.restore(); }
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    TextMeasurer& Measurer() override { return measurer_; }
    const SystemColors& System() override { return system_; }
    void TextOut(int32_t x, int32_t y, std::string_view text, const FontSpec& font, TextAnchor anchor,
                 std::optional<TColor> background, const TRect* clip) override;
    void FillRect(const TRect& rect, TColor color) override;
    void FrameRect(const TRect& rect, TColor color) override;
    void Polyline(const std::vector<TPoint>& points, TColor color) override;
    void Ellipse(const TRect& box, std::optional<TColor> pen, std::optional<TColor> brush) override;
    void FillRegion(const TRect& rect, const std::vector<TRect>& holes, TColor color) override;
    void DrawPicture(const TRect& dest, const PictureView& picture, PictureMode mode) override;
    TRect ClipRect() override { return clip_; }

private:
    QColor Color(TColor c) const;

    QPainter& painter_;
    QtMeasurer& measurer_;
    const SystemColors& system_;
    TRect clip_;
    // One text run's glyphs, kept between runs.
    std::vector<quint32> glyphs_;
    std::vector<QPointF> positions_;
};

}  // namespace htmlengine
