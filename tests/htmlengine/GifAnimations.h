#pragma once
// Animations written in code (the benchmarks use them too), and what each
// of their steps must show,
// composed the plain way: the whole picture, each frame drawn over it and
// disposed of before the next.

#include <algorithm>
#include <cstdint>
#include <vector>

namespace gif_animations {

struct Frame {
    int left, top, width, height;
    int disposal;               // 0 none, 1 leave, 2 restore to background, 3 restore previous
    int transparentIndex = -1;  // -1: opaque
    bool noData = false;        // only the end code: the frame draws nothing
};

// 256 colours, colour i being (i, 255 - i, 7i).
inline uint32_t Colour(int index) {
    return 0xFF000000u | uint32_t(index) << 16 | uint32_t(255 - index) << 8 | uint8_t(7 * index);
}

// Frame k's colour index at (x, y) of the frame; transparent frames leave
// every fifth pixel of a row, in a sloping pattern, to what lies beneath.
inline int PixelIndex(const Frame& f, int k, int x, int y) {
    if (f.transparentIndex >= 0 && (x + 2 * y) % 5 == 0) {
        return f.transparentIndex;
    }
    return (x * 3 + y * 7 + k * 29) % 256;
}

// Pixel data as sub-blocks, with the terminator.
inline void AppendSubBlocks(std::vector<uint8_t>& gif, const std::vector<uint8_t>& data) {
    for (size_t i = 0; i < data.size(); i += 255) {
        const size_t n = std::min<size_t>(255, data.size() - i);
        gif.push_back(uint8_t(n));
        gif.insert(gif.end(), data.begin() + ptrdiff_t(i), data.begin() + ptrdiff_t(i + n));
    }
    gif.push_back(0);
}

// An endless animation of 100 ms frames on a screen of the given size.
inline std::vector<uint8_t> Write(int width, int height, const std::vector<Frame>& frames) {
    std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a'};
    auto word = [&gif](int v) { gif.insert(gif.end(), {uint8_t(v), uint8_t(v >> 8)}); };
    word(width);
    word(height);
    gif.insert(gif.end(), {0xF7, 0, 0});
    for (int i = 0; i < 256; ++i) {
        const uint32_t c = Colour(i);
        gif.insert(gif.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    }
    gif.insert(gif.end(), {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0});
    for (size_t k = 0; k < frames.size(); ++k) {
        const Frame& f = frames[k];
        const bool transparent = f.transparentIndex >= 0;
        gif.insert(gif.end(), {0x21, 0xF9, 4, uint8_t(f.disposal << 2 | (transparent ? 1 : 0)), 10, 0,
                               uint8_t(transparent ? f.transparentIndex : 0), 0, 0x2C});
        word(f.left);
        word(f.top);
        word(f.width);
        word(f.height);
        gif.insert(gif.end(), {0, 8});
        // Nine-bit literal codes; a clear code before the table would widen them.
        std::vector<uint8_t> data;
        uint32_t acc = 0;
        int bits = 0, sinceClear = 0;
        auto put = [&](int code) {
            for (acc |= uint32_t(code) << bits, bits += 9; bits >= 8; bits -= 8, acc >>= 8) {
                data.push_back(uint8_t(acc));
            }
        };
        for (int y = 0; y < f.height && !f.noData; ++y) {
            for (int x = 0; x < f.width; ++x, ++sinceClear) {
                if (sinceClear % 250 == 0) {
                    put(256);
                }
                put(PixelIndex(f, int(k), x, y));
            }
        }
        put(257);
        if (bits > 0) {
            data.push_back(uint8_t(acc));
        }
        AppendSubBlocks(gif, data);
    }
    gif.push_back(0x3B);
    return gif;
}

// The picture as each step must show it: 0xAARRGGBB, alpha 0 where nothing
// covers it on a picture with transparent frames, black elsewhere.
class Composition {
public:
    Composition(int width, int height, const std::vector<Frame>& frames) : frames_(frames) {
        width_ = width;
        height_ = height;
        bool transparent = false;
        for (const Frame& f : frames_) {
            width_ = std::max(width_, f.left + f.width);
            height_ = std::max(height_, f.top + f.height);
            transparent = transparent || f.transparentIndex >= 0;
        }
        pixels_.assign(size_t(width_) * size_t(height_), transparent ? 0u : 0xFF000000u);
        Draw();
    }
    int Width() const { return width_; }
    int Height() const { return height_; }
    const uint32_t* Row(int y) const { return pixels_.data() + size_t(y) * size_t(width_); }
    int Current() const { return current_; }

    // Disposes of the frame shown and shows frame number (1-based).
    void Show(int number) {
        const Frame& f = frames_[size_t(current_ - 1)];
        if (f.disposal == 2 && !f.noData) {
            ForEach(f, [](uint32_t& p, int, int) { p = 0; });
        } else if (f.disposal == 3) {
            pixels_ = saved_;
        }
        current_ = number;
        Draw();
    }

private:
    template <class Fn> void ForEach(const Frame& f, Fn fn) {
        for (int y = 0; y < f.height; ++y) {
            for (int x = 0; x < f.width; ++x) {
                fn(pixels_[size_t(f.top + y) * size_t(width_) + size_t(f.left + x)], x, y);
            }
        }
    }
    void Draw() {
        const Frame& f = frames_[size_t(current_ - 1)];
        saved_ = pixels_;
        if (f.noData) {
            return;
        }
        ForEach(f, [&](uint32_t& p, int x, int y) {
            const int index = PixelIndex(f, current_ - 1, x, y);
            if (index != f.transparentIndex) {
                p = Colour(index);
            }
        });
    }

    std::vector<Frame> frames_;
    int width_ = 0, height_ = 0;
    int current_ = 1;
    std::vector<uint32_t> pixels_, saved_;
};

// Small frames on a large screen, each disposal kind after a frame that
// overlaps the one before, a frame with no data and one reaching past the
// screen's right and bottom edges; transparent frames as chosen.
inline std::vector<Frame> SmallFramesOnALargeScreen(bool transparentFirst, bool transparentLater) {
    const int first = transparentFirst ? 7 : -1, later = transparentLater ? 200 : -1;
    return {
        {20, 30, 40, 30, 1, first},
        {40, 40, 50, 35, 2, later},
        {50, 45, 30, 30, 3},
        {400, 300, 25, 20, 0, later},
        {500, 100, 20, 10, 2, -1, true},
        {880, 590, 50, 30, 3, later},
        {45, 50, 60, 20, 2},
    };
}
inline constexpr int kScreenWidth = 900, kScreenHeight = 600;

} // namespace gif_animations
