#include "htmlengine/RecordingCanvas.h"

#include <cstdio>

namespace htmlengine {

std::string ColorText(TColor color, const SystemColors& system) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%06X", ResolveRgb(color, system));
    return buf;
}

std::string RectText(const TRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "-" + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom);
}

void RecordingCanvas::TextOut(int32_t x, int32_t y, std::string_view text, const FontSpec& font,
                              TextAnchor anchor, std::optional<TColor> background, const TRect* clipRect) {
    std::string style;
    if (font.Style & fsBold) style += "B";
    if (font.Style & fsItalic) style += "I";
    if (font.Style & fsUnderline) style += "U";
    if (font.Style & fsStrikeOut) style += "S";
    std::string line = "text " + std::to_string(x) + "," + std::to_string(y) + " \"" + std::string(text) +
                       "\" f=" + font.Name + "/" + std::to_string(font.Size) + "/" + style +
                       " c=" + ColorText(font.Color, system) + (anchor == TextAnchor::Top ? " top" : " base");
    if (background) line += " bg=" + ColorText(*background, system);
    if (clipRect) line += " clip=" + RectText(*clipRect);
    log.push_back(line);
}

void RecordingCanvas::FillRect(const TRect& rect, TColor color) {
    log.push_back("fill " + RectText(rect) + " " + ColorText(color, system));
}

void RecordingCanvas::FrameRect(const TRect& rect, TColor color) {
    log.push_back("frame " + RectText(rect) + " " + ColorText(color, system));
}

void RecordingCanvas::Polyline(const std::vector<TPoint>& points, TColor color) {
    std::string line = "line";
    for (const TPoint& p : points) line += " " + std::to_string(p.X) + "," + std::to_string(p.Y);
    log.push_back(line + " " + ColorText(color, system));
}

void RecordingCanvas::Ellipse(const TRect& box, std::optional<TColor> pen, std::optional<TColor> brush) {
    log.push_back("ellipse " + RectText(box) + " pen=" + (pen ? ColorText(*pen, system) : "none") +
                  " brush=" + (brush ? ColorText(*brush, system) : "none"));
}

void RecordingCanvas::FillRegion(const TRect& rect, const std::vector<TRect>& holes, TColor color) {
    std::string line = "region " + RectText(rect);
    for (const TRect& h : holes) line += " -" + RectText(h);
    log.push_back(line + " " + ColorText(color, system));
}

void RecordingCanvas::DrawPicture(const TRect& dest, const PictureView& picture, PictureMode mode) {
    const char* m = mode == PictureMode::OwnSize ? "own" : mode == PictureMode::Stretched ? "stretch" : "masked";
    log.push_back("picture " + RectText(dest) + " " + std::to_string(picture.Width) + "x" +
                  std::to_string(picture.Height) + " " + m);
}

}  // namespace htmlengine
