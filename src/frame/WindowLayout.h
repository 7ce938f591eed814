#pragma once
// Where the window menu puts the document windows inside the frame's client
// area: cascaded, tiled side by side or one above the other, and the icons of
// minimised documents in a row along the bottom.

#include <vector>

struct WindowRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const WindowRect&) const = default;
};

// n windows; side by side makes columns, otherwise rows. Up to three windows
// share the area in one line; more make a grid whose last line takes the
// extra ones.
std::vector<WindowRect> TileWindows(int count, int width, int height, bool sideBySide);

// count windows of one size, each step lower and further right than the one
// before, so every title bar stays in sight; once the steps would take half
// the area they begin again at the top left.
std::vector<WindowRect> CascadeWindows(int count, int width, int height, int step);

// The icons of count minimised windows, left to right from the bottom left,
// wrapping upwards when a row is full.
std::vector<WindowRect> ArrangeIcons(int count, int width, int height, int iconWidth, int iconHeight);
