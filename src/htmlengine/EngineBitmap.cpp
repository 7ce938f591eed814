#include "htmlengine/EngineBitmap.h"

#include <algorithm>

namespace htmlengine {

void CheckPictureSize(int64_t width, int64_t height) {
    if (width < 0 || height < 0 || width * height > kMaxPicturePixels) {
        throw PictureTooLarge();
    }
}

EngineBitmap::EngineBitmap(int width, int height, PixelFormat format) : format_(format) {
    CheckPictureSize(width, height);
    width_ = width;
    height_ = height;
    const size_t n = size_t(width) * size_t(height);
    if (format == PixelFormat::Indexed8) {
        bytes_.assign(n, 0);
    } else {
        words_.assign(n, 0);
    }
}

uint32_t EngineBitmap::PixelArgb(int x, int y) const {
    if (format_ == PixelFormat::Argb32) {
        return Row32(y)[x];
    }
    const uint8_t index = Row8(y)[x];
    return index < palette.size() ? palette[index] : 0xFF000000u;
}

EngineBitmap EngineBitmap::ToArgb32() const {
    if (format_ == PixelFormat::Argb32) {
        return *this;
    }
    EngineBitmap result(width_, height_, PixelFormat::Argb32);
    uint32_t table[256];
    for (size_t i = 0; i < 256; ++i) {
        table[i] = i < palette.size() ? palette[i] : 0xFF000000u;
    }
    for (int y = 0; y < height_; ++y) {
        const uint8_t* src = Row8(y);
        uint32_t* dst = result.Row32(y);
        for (int x = 0; x < width_; ++x) {
            dst[x] = table[src[x]];
        }
    }
    return result;
}

void EngineBitmap::Fill(uint32_t argb) {
    std::fill(words_.begin(), words_.end(), argb);
}

EngineMask::EngineMask(int width, int height, bool set) {
    CheckPictureSize(width, height);
    width_ = width;
    height_ = height;
    bits_.assign(size_t(width) * size_t(height), set);
}

} // namespace htmlengine
