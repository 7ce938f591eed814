#pragma once
// The engine's own picture type: 8-bit indexed with a colour table, or 32-bit
// 0xAARRGGBB pixels; plus a mask with one flag per pixel. Rows are top-down
// and unpadded. Qt sees these only when a picture is painted.
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace htmlengine {

// The platform's colour value: 0x00BBGGRR.
using ColorRef = uint32_t;

inline ColorRef ColorRefOf(uint8_t r, uint8_t g, uint8_t b) {
    return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16;
}
// 0xAARRGGBB from red, green, blue (opaque).
inline uint32_t Argb(uint8_t r, uint8_t g, uint8_t b) {
    return 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}
inline uint8_t RedOf(uint32_t argb) { return uint8_t(argb >> 16); }
inline uint8_t GreenOf(uint32_t argb) { return uint8_t(argb >> 8); }
inline uint8_t BlueOf(uint32_t argb) { return uint8_t(argb); }
inline ColorRef ColorRefOfArgb(uint32_t argb) {
    return ColorRefOf(RedOf(argb), GreenOf(argb), BlueOf(argb));
}

// Raised when a picture would exceed the size any page sensibly needs.
class PictureTooLarge : public std::runtime_error {
public:
    PictureTooLarge() : std::runtime_error("Picture too large") {}
};

// Largest picture the engine decodes (about 8000 x 4000).
constexpr int64_t kMaxPicturePixels = int64_t(1) << 25;

// Throws PictureTooLarge unless width x height is within the bound.
void CheckPictureSize(int64_t width, int64_t height);

enum class PixelFormat { Indexed8, Argb32 };

class EngineBitmap {
public:
    EngineBitmap() = default;
    // All pixels 0 (index 0, or transparent black).
    EngineBitmap(int width, int height, PixelFormat format);

    bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    PixelFormat Format() const { return format_; }

    uint8_t* Row8(int y) { return bytes_.data() + size_t(y) * size_t(width_); }
    const uint8_t* Row8(int y) const { return bytes_.data() + size_t(y) * size_t(width_); }
    uint32_t* Row32(int y) { return words_.data() + size_t(y) * size_t(width_); }
    const uint32_t* Row32(int y) const { return words_.data() + size_t(y) * size_t(width_); }

    // 0xAARRGGBB of a pixel; an index beyond the table reads as opaque black.
    uint32_t PixelArgb(int x, int y) const;
    // The same picture as 32-bit pixels.
    EngineBitmap ToArgb32() const;
    void Fill(uint32_t argb); // 32-bit pictures

    // Colour table of an indexed picture, 0xFFRRGGBB entries, at most 256.
    std::vector<uint32_t> palette;

private:
    int width_ = 0;
    int height_ = 0;
    PixelFormat format_ = PixelFormat::Argb32;
    std::vector<uint8_t> bytes_;
    std::vector<uint32_t> words_;
};

// A transparency mask: a set flag marks a transparent pixel.
class EngineMask {
public:
    EngineMask() = default;
    EngineMask(int width, int height, bool set = false);
    bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Test(int x, int y) const { return bits_[size_t(y) * size_t(width_) + size_t(x)] != 0; }
    void Set(int x, int y, bool on = true) { bits_[size_t(y) * size_t(width_) + size_t(x)] = on; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> bits_;
};

} // namespace htmlengine
