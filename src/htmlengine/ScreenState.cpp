#include "htmlengine/ScreenState.h"

#include <cstdlib>

namespace htmlengine {

const std::array<uint32_t, 20>& SystemStaticColors() {
    static const std::array<uint32_t, 20> colors = {
        0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080,
        0xFFC0C0C0, 0xFFC0DCC0, 0xFFA6CAF0, 0xFFFFFBF0, 0xFFA0A0A4, 0xFF808080, 0xFFFF0000,
        0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
    return colors;
}

std::vector<uint32_t> SystemDefaultPalette() {
    const auto& c = SystemStaticColors();
    return {c.begin(), c.end()};
}

std::vector<uint32_t> BuildEnginePalette() {
    std::vector<uint32_t> palette(256, 0xFF000000u);
    const auto& statics = SystemStaticColors();
    for (int i = 0; i < 10; ++i) {
        palette[size_t(i)] = statics[size_t(i)];
        palette[size_t(246 + i)] = statics[size_t(10 + i)];
    }
    static const uint8_t levels[6] = {55, 115, 165, 205, 235, 255};
    size_t next = 10;
    for (int b = 0; b < 6; ++b) {
        for (int g = 0; g < 6; ++g) {
            for (int r = 0; r < 6; ++r) {
                if (r == 5 && g == 5 && b == 5) {
                    continue;
                }
                palette[next++] = Argb(levels[r], levels[g], levels[b]);
            }
        }
    }
    for (int i = 1; i <= 24; ++i) {
        if (i == 7 || i == 15 || i == 21) {
            continue; // 165, 205 and 235 are in the cube already
        }
        const uint8_t grey = uint8_t(5 * i + 130);
        palette[next++] = Argb(grey, grey, grey);
    }
    return palette;
}

namespace {

// A sheet of paper with a folded top-right corner and a red cross.
void DrawErrorPicture(EngineBitmap& picture, EngineMask& mask) {
    constexpr int n = 16;
    picture = EngineBitmap(n, n, PixelFormat::Argb32);
    mask = EngineMask(n, n);
    const uint32_t white = Argb(255, 255, 255), dark = Argb(64, 64, 64), red = Argb(220, 0, 0);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const bool corner = x - y > n - 6; // cut off above the fold
            const bool edge = x == 0 || y == n - 1 || x == n - 1 || y == 0 || x - y == n - 6;
            uint32_t c = edge ? dark : white;
            const int cx = x - 7, cy = y - 8;
            if ((cx == cy || cx == -cy || cx == cy + 1 || cx + 1 == -cy) && std::abs(cx) < 5 && std::abs(cy) < 5) {
                c = red;
            }
            if (corner) {
                mask.Set(x, y);
                c = 0xFF000000u;
            }
            picture.Row32(y)[x] = c;
        }
    }
}

// A framed box with an hourglass, drawn while a picture is on its way.
EngineBitmap DrawWaitingPicture() {
    constexpr int n = 16;
    EngineBitmap picture(n, n, PixelFormat::Argb32);
    picture.Fill(Argb(192, 192, 192));
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            if (x == 0 || y == 0 || x == n - 1 || y == n - 1) {
                picture.Row32(y)[x] = Argb(128, 128, 128);
            }
            const int half = std::abs(2 * y - 15) / 2; // widest at top and bottom
            if (y >= 3 && y <= 12 && std::abs(2 * x - 15) <= 2 * half + 1) {
                picture.Row32(y)[x] = Argb(0, 0, 128);
            }
        }
    }
    return picture;
}

// A vertical double, up or down arrow with a black outline, 32 x 32.
CursorShape DrawPanCursor(bool up, bool down) {
    CursorShape shape;
    shape.picture = EngineBitmap(32, 32, PixelFormat::Argb32);
    shape.hotX = 15;
    shape.hotY = 15;
    auto inside = [&](int x, int y) {
        const int dx = std::abs(x - 15);
        if (up && y >= 4 && y <= 12 && dx <= y - 4) {
            return true;
        }
        if (down && y >= 18 && y <= 26 && dx <= 26 - y) {
            return true;
        }
        const int top = up ? 12 : 13, bottom = down ? 18 : 17;
        return dx <= 1 && y >= top && y <= bottom;
    };
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (inside(x, y)) {
                shape.picture.Row32(y)[x] = Argb(255, 255, 255);
            } else if (inside(x - 1, y) || inside(x + 1, y) || inside(x, y - 1) || inside(x, y + 1)) {
                shape.picture.Row32(y)[x] = Argb(0, 0, 0);
            }
        }
    }
    return shape;
}

} // namespace

ScreenState::ScreenState(int bitsPerPixel) {
    depth_ = bitsPerPixel <= 4 ? 4 : bitsPerPixel > 8 ? 24 : 8;
    if (depth_ == 8) {
        enginePalette_ = BuildEnginePalette();
    }
    DrawErrorPicture(errorPicture_, errorMask_);
    waitingPicture_ = DrawWaitingPicture();
    panCursors_ = {DrawPanCursor(true, true), DrawPanCursor(true, false), DrawPanCursor(false, true)};
}

const CursorShape& ScreenState::PanCursor(int number) const {
    const int i = number - kPanCursor;
    return panCursors_[size_t(i >= 0 && i < 3 ? i : 0)];
}

} // namespace htmlengine
