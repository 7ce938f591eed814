#include "htmlengine/ViewerGeometry.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace htmlengine {

namespace {
bool HasVertical(TScrollStyle s) { return s == TScrollStyle::ssVertical || s == TScrollStyle::ssBoth; }
bool HasHorizontal(TScrollStyle s) { return s == TScrollStyle::ssHorizontal || s == TScrollStyle::ssBoth; }
}  // namespace

TLayoutWidth LayoutWidthFor(int32_t controlWidth, int32_t scrollBarWidth, THTMLBorderStyle border,
                            int32_t marginWidth, int32_t marginHeight, TScrollStyle bars) {
    const int32_t b = BorderAllowance(border);
    if (HasVertical(bars)) return {controlWidth - scrollBarWidth - b - 2 * marginWidth, 2 * marginHeight};
    return {controlWidth - b - 2 * marginWidth, marginHeight};
}

TPaneGeometry ArrangeScrollBars(const TPaneInput& in) {
    TPaneGeometry g;
    const int32_t W = in.Width, H = in.Height, s = in.ScrollBarWidth;
    const int32_t f = in.Border == THTMLBorderStyle::htNone ? 0 : 1;
    g.BorderShown = f == 1;
    g.DocWidth = std::min(in.DocWidth, kMaxDrawWidth);
    const int32_t D = 2 * in.MarginWidth + g.DocWidth;
    const bool both = in.Bars == TScrollStyle::ssBoth;
    const bool V = HasVertical(in.Bars) &&
                   (in.DocHeight >= H - 2 || (both && in.DocHeight >= H - 2 - s && D > W - s));
    const bool Hz = HasHorizontal(in.Bars) && (D > W || (both && (V || in.ShowVScroll) && D > W - s));
    const int32_t w = (V || (in.ShowVScroll && HasVertical(in.Bars))) ? W - s : W;

    g.PanelLeft = g.PanelTop = f;
    g.PanelWidth = std::max(0, w - 2 * f);
    g.PanelHeight = std::max(0, Hz ? H - 2 * f - s : H - 2 * f);

    g.Horz.Visible = Hz;
    g.Horz.LargeChange = std::max(1, w - 20);
    g.Horz.Left = f;
    g.Horz.Top = H - s - f;
    g.Horz.Width = w - f;
    g.Horz.Height = s;
    g.Horz.Maximum = std::max(0, std::max(D, w - 2 * f));
    g.Horz.Page = w;

    g.Vert.Left = W - s - f;
    g.Vert.Top = f;
    g.Vert.Width = s;
    g.Vert.Height = H - 2 * f;
    g.Vert.LargeChange = g.PanelHeight - kVertSmallChange;
    if (in.ShowVScroll) {
        g.Vert.Visible = HasVertical(in.Bars);
        g.Vert.Enabled = V;
    } else {
        g.Vert.Visible = V;
    }
    g.Vert.Maximum = in.DocHeight;
    g.Vert.Page = g.PanelHeight + 1;
    return g;
}

int32_t ClampScroll(int32_t y, int32_t docHeight, int32_t panelHeight) {
    return std::max(0, std::min(y, docHeight - panelHeight));
}

std::optional<int32_t> KeyScrollTarget(int key, int32_t p, int32_t docHeight, int32_t panelHeight) {
    const int32_t large = panelHeight - kVertSmallChange;
    int32_t y;
    switch (key) {
    case 33: y = p - large; break;
    case 34: y = p + large; break;
    case 35: y = docHeight; break;
    case 36: y = 0; break;
    case 38: y = p - kVertSmallChange; break;
    case 40: y = p + kVertSmallChange; break;
    default: return std::nullopt;
    }
    return ClampScroll(std::max(0, y), docHeight, panelHeight);
}

std::optional<int32_t> KeyHorzTarget(int key, int32_t p, int32_t horzMax, int32_t panelWidth) {
    if (key != 37 && key != 39) return std::nullopt;
    const int32_t y = key == 37 ? p - kHorzSmallChange : p + kHorzSmallChange;
    return std::max(0, std::min(y, horzMax - panelWidth));
}

int32_t SelectScrollStep(int32_t y, int32_t height) {
    if (y < -15) return -8 * kVertSmallChange;
    if (y <= 0) return -kVertSmallChange;
    if (y > height + 15) return 8 * kVertSmallChange;
    return kVertSmallChange;
}

int32_t PanScrollStep(int32_t d, int& cursor) {
    int32_t step;
    if (d < -60) step = -32;
    else if (d < -20) step = -8;
    else if (d > 60) step = 32;
    else if (d <= 20) step = 0;
    else step = 8;
    cursor = step < 0 ? 4 : step > 0 ? 5 : 3;
    return step;
}

int32_t EncodePosition(int32_t sectionIndex, int32_t offset) {
    return int32_t((uint32_t(sectionIndex) << 16) | (uint32_t(offset) & 0xFFFFu));
}

std::optional<int32_t> ControlScrollTarget(int32_t p, int32_t top, int32_t clientHeight) {
    if (p <= top && top <= p + clientHeight - 20) return std::nullopt;
    return top - clientHeight / 2;
}

std::optional<TMetaRefresh> ParseMetaRefresh(const std::string& content) {
    const size_t semi = content.find(';');
    const std::string number = content.substr(0, semi);
    // Only a plain integer counts, as a strict string-to-number conversion reads it.
    size_t i = 0;
    while (i < number.size() && number[i] == ' ') ++i;
    size_t j = i;
    if (j < number.size() && (number[j] == '+' || number[j] == '-')) ++j;
    const size_t digits = j;
    while (j < number.size() && std::isdigit(static_cast<unsigned char>(number[j]))) ++j;
    if (j == digits || j != number.size() || j - digits > 9) return std::nullopt;
    const int32_t delay = std::atoi(number.c_str() + i);
    if (delay < 0) return std::nullopt;
    TMetaRefresh r;
    r.Delay = delay == 0 ? 1 : delay;
    std::string lower = content;
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (const size_t u = lower.find("url="); u != std::string::npos) r.Url = content.substr(u + 4);
    return r;
}

int32_t FirstTileAt(int32_t from, int32_t scroll, int32_t tile) {
    if (tile <= 0) return from;
    int32_t phase = (from + scroll) % tile;
    if (phase < 0) phase += tile;
    return from - phase;
}

}  // namespace htmlengine
