#include "frame/WindowLayout.h"

#include <algorithm>
#include <cmath>

std::vector<WindowRect> TileWindows(int count, int width, int height, bool sideBySide) {
    std::vector<WindowRect> rects;
    if (count <= 0) return rects;
    const int lines = count <= 3 ? count : int(std::ceil(std::sqrt(double(count))));
    // Lines run along the tiling direction: columns side by side, rows otherwise.
    const int along = sideBySide ? width : height;
    const int across = sideBySide ? height : width;
    int placed = 0;
    for (int line = 0; line < lines; ++line) {
        const int inLine = count / lines + (line >= lines - count % lines ? 1 : 0);
        const int a0 = along * line / lines;
        const int a1 = along * (line + 1) / lines;
        for (int k = 0; k < inLine; ++k, ++placed) {
            const int c0 = across * k / inLine;
            const int c1 = across * (k + 1) / inLine;
            rects.push_back(sideBySide ? WindowRect{a0, c0, a1 - a0, c1 - c0} : WindowRect{c0, a0, c1 - c0, a1 - a0});
        }
    }
    return rects;
}

std::vector<WindowRect> CascadeWindows(int count, int width, int height, int step) {
    std::vector<WindowRect> rects;
    if (count <= 0) return rects;
    step = std::max(1, step);
    const int perRun = std::clamp(std::min(width, height) / 2 / step + 1, 1, count);
    const int offset = (perRun - 1) * step;
    const int w = std::max(1, width - offset);
    const int h = std::max(1, height - offset);
    for (int i = 0; i < count; ++i) {
        const int k = i % perRun;
        rects.push_back({k * step, k * step, w, h});
    }
    return rects;
}

std::vector<WindowRect> ArrangeIcons(int count, int width, int height, int iconWidth, int iconHeight) {
    std::vector<WindowRect> rects;
    const int perRow = std::max(1, width / std::max(1, iconWidth));
    for (int i = 0; i < count; ++i) {
        const int row = i / perRow;
        rects.push_back({(i % perRow) * iconWidth, height - (row + 1) * iconHeight, iconWidth, iconHeight});
    }
    return rects;
}
