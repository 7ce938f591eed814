#include "htmlengine/ui/QtCanvas.h"

#include <QGlyphRun>
#include <QImage>
#include <QRegion>
#include <optional>

namespace htmlengine {

QColor QtCanvas::Color(TColor c) const { return QColor::fromRgb(ResolveRgb(c, system_)); }

namespace {

// The painter's whole state for one drawing call that changes more than
// the pen and the font: what the call sets is undone however it ends.
class SavedPainter {
public:
    explicit SavedPainter(QPainter& painter) : painter_(painter) { painter_.save(); }
    ~SavedPainter() { painter_.restore(); }
    SavedPainter(const SavedPainter&) = delete;
    SavedPainter& operator=(const SavedPainter&) = delete;

private:
    QPainter& painter_;
};

}  // namespace

void QtCanvas::TextOut(int32_t x, int32_t y, std::string_view text, const FontSpec& font, TextAnchor anchor,
                       std::optional<TColor> background, const TRect* clip) {
    const QtMeasurer::Entry& e = measurer_.Lookup(font);
    const QtMeasurer::Glyphs& g = measurer_.GlyphsOf(font);
    const int32_t base = anchor == TextAnchor::Top ? y + e.metrics.Ascent : y;
    std::optional<SavedPainter> clipped;
    if (clip) {
        clipped.emplace(painter_);
        painter_.setClipRect(QRect(clip->Left, clip->Top, clip->Width(), clip->Height()), Qt::IntersectClip);
    }
    if (background) {
        int32_t w = measurer_.TextWidth(font, text);
        painter_.fillRect(QRect(x, base - e.metrics.Ascent, w, e.metrics.Height), Color(*background));
    }
    const QPen textPen(Color(font.Color));
    painter_.setPen(textPen);
    // Glyphs go at the measured advances, so drawing matches layout. The
    // font's own glyphs are drawn in runs of one call each, any other byte
    // alone through Qt's text layout. Underlined and struck out runs get one
    // line each, where Qt's layout would draw its piece under every glyph;
    // on a scaled painter those pieces are smoothed and blend with the
    // glyphs in the order drawn, so there every byte goes alone.
    const bool underline = e.font.underline(), strikeOut = e.font.strikeOut();
    const bool runs = !(underline || strikeOut) || painter_.deviceTransform().type() <= QTransform::TxTranslate;
    int32_t runStart = x;
    auto flush = [&](int32_t end) {
        if (glyphs_.empty()) return;
        QGlyphRun run;
        run.setRawFont(g.face);
        run.setRawData(glyphs_.data(), positions_.data(), int(glyphs_.size()));
        painter_.drawGlyphRun(QPointF(0, 0), run);
        glyphs_.clear();
        positions_.clear();
        if (underline || strikeOut) {
            painter_.setPen(QPen(textPen.color(), g.lineWidth, Qt::SolidLine, Qt::FlatCap));
            if (underline) painter_.drawLine(QLineF(runStart, base + g.underline, end, base + g.underline));
            if (strikeOut) painter_.drawLine(QLineF(runStart, base + g.strikeOut, end, base + g.strikeOut));
            painter_.setPen(textPen);
        }
    };
    bool fontSet = false;  // only bytes without a glyph of their own need it
    int32_t pen = x;
    for (char ch : text) {
        const auto b = static_cast<uint8_t>(ch);
        if (runs && g.direct[b]) {
            if (glyphs_.empty()) runStart = pen;
            glyphs_.push_back(g.index[b]);
            positions_.emplace_back(pen, base);
        } else {
            flush(pen);
            if (!fontSet) painter_.setFont(e.font);
            fontSet = true;
            painter_.drawText(QPoint(pen, base), QtMeasurer::Decode(font, std::string_view(&ch, 1)));
        }
        pen += e.advance[b];
    }
    flush(pen);
}

void QtCanvas::FillRect(const TRect& r, TColor color) {
    painter_.fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), Color(color));
}

void QtCanvas::FrameRect(const TRect& r, TColor color) {
    if (r.Width() <= 0 || r.Height() <= 0) return;
    const SavedPainter saved(painter_);
    painter_.setPen(QPen(Color(color), 0));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
}

void QtCanvas::Polyline(const std::vector<TPoint>& points, TColor color) {
    if (points.size() < 2) return;
    const SavedPainter saved(painter_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setPen(QPen(Color(color), 0));
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        TPoint a = points[i];
        TPoint b = points[i + 1];
        // Stop one pixel short of the end point, as the engine's lines do.
        int dx = (b.X > a.X) - (b.X < a.X);
        int dy = (b.Y > a.Y) - (b.Y < a.Y);
        if (dx == 0 && dy == 0) continue;
        painter_.drawLine(a.X, a.Y, b.X - dx, b.Y - dy);
    }
}

void QtCanvas::Ellipse(const TRect& box, std::optional<TColor> pen, std::optional<TColor> brush) {
    const SavedPainter saved(painter_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setPen(pen ? QPen(Color(*pen), 0) : QPen(Qt::NoPen));
    painter_.setBrush(brush ? QBrush(Color(*brush)) : QBrush(Qt::NoBrush));
    painter_.drawEllipse(QRect(box.Left, box.Top, box.Width() - 1, box.Height() - 1));
}

void QtCanvas::FillRegion(const TRect& rect, const std::vector<TRect>& holes, TColor color) {
    QRegion region(rect.Left, rect.Top, rect.Width(), rect.Height());
    for (const TRect& h : holes) {
        region -= QRegion(h.Left, h.Top, h.Width(), h.Height());
    }
    for (const QRect& r : region) {
        painter_.fillRect(r, Color(color));
    }
}

void QtCanvas::DrawPicture(const TRect& dest, const PictureView& picture, PictureMode mode) {
    if (!picture.Pixels || picture.Width <= 0 || picture.Height <= 0) return;
    QImage image(reinterpret_cast<const uchar*>(picture.Pixels), picture.Width, picture.Height,
                 picture.Width * 4, mode == PictureMode::Masked ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const SavedPainter saved(painter_);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (mode == PictureMode::OwnSize) {
        painter_.drawImage(QPoint(dest.Left, dest.Top), image);
    } else {
        painter_.drawImage(QRect(dest.Left, dest.Top, dest.Width(), dest.Height()), image);
    }
}

}  // namespace htmlengine
