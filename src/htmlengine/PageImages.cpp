#include "htmlengine/PageImages.h"

#include "htmlengine/JpegCodec.h"
#include "htmlengine/PageDith.h"
#include "htmlengine/PageUn2.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace htmlengine {

namespace {

class BadBitmap : public std::runtime_error {
public:
    BadBitmap() : std::runtime_error("Bitmap image is not valid") {}
};

uint32_t U32(std::span<const uint8_t> d, size_t at) {
    if (at + 4 > d.size()) {
        throw BadBitmap();
    }
    return uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 | uint32_t(d[at + 3]) << 24;
}
uint16_t U16(std::span<const uint8_t> d, size_t at) {
    if (at + 2 > d.size()) {
        throw BadBitmap();
    }
    return uint16_t(d[at] | d[at + 1] << 8);
}

// A channel of a bit-field pixel scaled to 8 bits.
struct Field {
    uint32_t mask = 0;
    int shift = 0, bits = 0;
    explicit Field(uint32_t m) : mask(m) {
        if (m == 0) {
            return;
        }
        while (!(m & 1)) {
            m >>= 1;
            ++shift;
        }
        while (m & 1) {
            m >>= 1;
            ++bits;
        }
    }
    uint8_t Of(uint32_t pixel) const {
        if (bits == 0) {
            return 0;
        }
        const uint32_t v = (pixel & mask) >> shift;
        return bits >= 8 ? uint8_t(v >> (bits - 8)) : uint8_t(v * 255 / ((1u << bits) - 1));
    }
};

// Run-length rows (8 or 4 bits), bottom-up; the end of the data ends the picture.
void DecodeRle(std::span<const uint8_t> d, size_t at, int bits, EngineBitmap& out) {
    const int w = out.Width(), h = out.Height();
    int x = 0, y = h - 1;
    auto put = [&](int value) {
        if (x < w && y >= 0) {
            out.Row8(y)[x] = uint8_t(value);
        }
        ++x;
    };
    while (at + 1 < d.size() && y >= 0) {
        const int count = d[at], value = d[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i) {
                put(bits == 8 ? value : (i & 1) ? value & 15 : value >> 4);
            }
        } else if (value == 0) {
            x = 0;
            --y;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (at + 1 >= d.size()) {
                return;
            }
            x += d[at];
            y -= d[at + 1];
            at += 2;
        } else {
            const size_t bytes = bits == 8 ? size_t(value) : (size_t(value) + 1) / 2;
            for (int i = 0; i < value; ++i) {
                const size_t p = at + (bits == 8 ? size_t(i) : size_t(i) / 2);
                if (p >= d.size()) {
                    return;
                }
                put(bits == 8 ? d[p] : (i & 1) ? d[p] & 15 : d[p] >> 4);
            }
            at += (bytes + 1) & ~size_t(1);
        }
    }
}

std::string LowerExtension(const std::string& fileName) {
    const size_t slash = fileName.find_last_of('/');
    const size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    return LowerAscii(fileName.substr(dot, 10));
}

EngineBitmap LoadFromBytes(std::span<const uint8_t> data, int kind, bool reduce, const ScreenState& screen,
                           TStringBitmapList* cache, std::string* error) {
    EngineBitmap bitmap;
    if (kind == kBitmapImage) {
        bitmap = LoadBitmapPicture(data);
    } else if (kind == kGif87Image || kind == kGif89Image) {
        bool nonAnimated = true;
        auto gif = LoadGifFromStream(data, screen, nonAnimated, [cache] {
            if (cache) {
                cache->PurgeUnused();
            }
        });
        if (!gif) {
            return {};
        }
        bitmap = gif->GetStaticBitmap();
        if (nonAnimated) {
            reduce = false; // the decoder reduced it already
        }
    } else if (kind == kJpegImage) {
        JpegResult jpeg = DecodeJpeg(data, screen);
        if (jpeg.picture.IsEmpty() && error) {
            *error = jpeg.error;
        }
        bitmap = std::move(jpeg.picture);
    }
    return reduce ? ReduceForScreen(std::move(bitmap), screen) : bitmap;
}

} // namespace

int SniffImageKind(std::span<const uint8_t> b) {
    auto at = [&](size_t i) { return i < b.size() ? b[i] : 0; };
    if (at(0) == 'B' && at(1) == 'M') {
        return kBitmapImage;
    }
    if (at(0) == 'G' && at(1) == 'I' && at(2) == 'F' && at(3) == '8') {
        return at(4) == '9' ? kGif89Image : kGif87Image;
    }
    if (at(0) == 137 && at(1) == 'P' && at(2) == 'N' && at(3) == 'G') {
        return kPngImage;
    }
    if (at(0) == 255 && at(1) == 216 && at(2) == 255 && at(3) == 224) {
        return kJpegImage;
    }
    return kUnknownImage;
}

int SniffImageFile(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    uint8_t head[11] = {};
    file.read(reinterpret_cast<char*>(head), sizeof head);
    return SniffImageKind(std::span<const uint8_t>(head, size_t(std::max<std::streamsize>(0, file.gcount()))));
}

bool GifTransparentColor(std::span<const uint8_t> data, ColorRef& color) {
    uint8_t b[790] = {};
    if (!data.empty()) {
        std::memcpy(b, data.data(), std::min(data.size(), sizeof b));
    }
    if (SniffImageKind(std::span<const uint8_t>(b, 6)) != kGif89Image) {
        return false;
    }
    // The table is taken to follow the header whatever its flag says.
    const size_t gce = 13 + 3 * (size_t(1) << ((b[10] & 7) + 1));
    if (b[gce] != 0x21 || b[gce + 1] != 0xF9 || !(b[gce + 3] & 1)) {
        return false;
    }
    const size_t entry = 13 + 3 * size_t(b[gce + 6]);
    color = ColorRefOf(b[entry], b[entry + 1], b[entry + 2]);
    return true;
}

bool PngTransparentColor(std::span<const uint8_t> d, ColorRef& color) {
    if (d.size() < 8 || SniffImageKind(d) != kPngImage) {
        return false;
    }
    auto be32 = [&](size_t at) {
        return uint32_t(d[at]) << 24 | uint32_t(d[at + 1]) << 16 | uint32_t(d[at + 2]) << 8 | d[at + 3];
    };
    int colorType = -1;
    std::vector<uint8_t> palette;
    size_t at = 8;
    while (at + 8 <= d.size()) {
        const uint32_t length = be32(at);
        const size_t body = at + 8;
        if (length > d.size() || body + length > d.size()) {
            return false;
        }
        const std::string_view type(reinterpret_cast<const char*>(d.data() + at + 4), 4);
        if (type == "IHDR") {
            if (length != 13) {
                return false;
            }
            colorType = d[body + 9];
            if (colorType != 2 && colorType != 3) {
                return false;
            }
        } else if (type == "PLTE") {
            if (length > 768) {
                return false;
            }
            palette.assign(d.begin() + ptrdiff_t(body), d.begin() + ptrdiff_t(body + length));
        } else if (type == "tRNS") {
            if (colorType == 3 && length >= 1 && length <= 256 && 3 * size_t(length) <= palette.size()) {
                const size_t e = 3 * (length - 1);
                color = ColorRefOf(palette[e], palette[e + 1], palette[e + 2]);
                return true;
            }
            if (colorType == 2 && length == 6) { // 16-bit samples; 8-bit pictures use the low byte
                color = ColorRefOf(d[body + 1], d[body + 3], d[body + 5]);
                return true;
            }
            return false;
        } else if (type == "IDAT") {
            return false;
        }
        at = body + length + 4;
    }
    return false;
}

EngineBitmap LoadBitmapPicture(std::span<const uint8_t> d) {
    if (d.size() < 26 || d[0] != 'B' || d[1] != 'M') {
        throw BadBitmap();
    }
    const uint32_t offBits = U32(d, 10);
    const uint32_t headerSize = U32(d, 14);
    int64_t width, height;
    int bits;
    uint32_t compression = 0, colorsUsed = 0;
    size_t paletteAt = 14 + headerSize, entrySize = 4;
    uint32_t masks[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
    if (headerSize == 12) {
        width = U16(d, 18);
        height = int16_t(U16(d, 20));
        bits = U16(d, 24);
        entrySize = 3;
    } else if (headerSize >= 40 && headerSize <= 124) {
        width = int32_t(U32(d, 18));
        height = int32_t(U32(d, 22));
        bits = U16(d, 28);
        compression = U32(d, 30);
        colorsUsed = U32(d, 46);
        if (compression == 3 || compression == 6) {
            const size_t at = headerSize >= 52 ? 54 : 14 + headerSize;
            for (int i = 0; i < 3; ++i) {
                masks[i] = U32(d, at + 4 * size_t(i));
            }
            if (headerSize < 52) {
                paletteAt += compression == 6 ? 16 : 12;
            }
        } else if (bits == 16) {
            masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
        }
    } else {
        throw BadBitmap();
    }
    const bool topDown = height < 0;
    height = height < 0 ? -height : height;
    if (width <= 0 || height <= 0 || (topDown && (compression == 1 || compression == 2))) {
        throw BadBitmap();
    }
    CheckPictureSize(width, height);
    const bool rle = (compression == 1 && bits == 8) || (compression == 2 && bits == 4);
    const bool fields = (compression == 3 || compression == 6) && (bits == 16 || bits == 32);
    if (!(compression == 0 && (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32)) &&
        !rle && !fields) {
        throw BadBitmap();
    }
    const int w = int(width), h = int(height);
    EngineBitmap out;
    if (bits <= 8) {
        out = EngineBitmap(w, h, PixelFormat::Indexed8);
        const size_t n = colorsUsed == 0 || colorsUsed > (1u << bits) ? (size_t(1) << bits) : colorsUsed;
        for (size_t i = 0; i < n && paletteAt + entrySize * (i + 1) <= d.size() && paletteAt + entrySize * i < offBits;
             ++i) {
            const uint8_t* e = d.data() + paletteAt + entrySize * i;
            out.palette.push_back(Argb(e[2], e[1], e[0]));
        }
    } else {
        out = EngineBitmap(w, h, PixelFormat::Argb32);
    }
    if (offBits >= d.size()) {
        throw BadBitmap();
    }
    if (rle) {
        DecodeRle(d, offBits, bits, out);
        return out;
    }
    const size_t stride = size_t(RowBytes(w, bits));
    if (offBits + stride * size_t(h) > d.size()) {
        throw BadBitmap();
    }
    const Field red(masks[0]), green(masks[1]), blue(masks[2]);
    for (int row = 0; row < h; ++row) {
        const uint8_t* src = d.data() + offBits + stride * size_t(row);
        const int y = topDown ? row : h - 1 - row;
        if (bits <= 8) {
            uint8_t* dst = out.Row8(y);
            const int perByte = 8 / bits;
            for (int x = 0; x < w; ++x) {
                const int shift = 8 - bits * (x % perByte + 1);
                dst[x] = uint8_t((src[x / perByte] >> shift) & ((1 << bits) - 1));
            }
            continue;
        }
        uint32_t* dst = out.Row32(y);
        for (int x = 0; x < w; ++x) {
            if (bits == 24) {
                dst[x] = Argb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            } else {
                const uint32_t p = bits == 16 ? uint32_t(src[2 * x] | src[2 * x + 1] << 8)
                                              : uint32_t(src[4 * x]) | uint32_t(src[4 * x + 1]) << 8 |
                                                    uint32_t(src[4 * x + 2]) << 16 | uint32_t(src[4 * x + 3]) << 24;
                dst[x] = Argb(red.Of(p), green.Of(p), blue.Of(p));
            }
        }
    }
    return out;
}

EngineBitmap LoadPictureFile(const std::string& fileName, bool reduce, const ScreenState& screen,
                             TStringBitmapList* cache, std::string* error) {
    try {
        const int kind = SniffImageFile(fileName);
        if (kind == kJpegImage) {
            JpegResult jpeg = DecodeJpegFile(fileName, screen);
            if (jpeg.picture.IsEmpty() && error) {
                *error = jpeg.error;
            }
            return reduce ? ReduceForScreen(std::move(jpeg.picture), screen) : std::move(jpeg.picture);
        }
        if (kind != kBitmapImage && kind != kGif87Image && kind != kGif89Image) {
            return {};
        }
        std::vector<uint8_t> bytes;
        if (!ReadWholeFile(fileName, bytes)) {
            return {};
        }
        return LoadFromBytes(bytes, kind, reduce, screen, cache, error);
    } catch (const std::exception& e) {
        if (error) {
            *error = e.what();
        }
        return {};
    }
}

EngineBitmap LoadDisplayPicture(const std::string& fileName, const ScreenState& screen, TStringBitmapList* cache,
                                std::string* error) {
    return LoadPictureFile(fileName, true, screen, cache, error);
}

EngineBitmap LoadPictureWithMask(const std::string& fileName, uint8_t& kind, EngineMask& mask,
                                 const ScreenState& screen, TStringBitmapList* cache, std::string* error) {
    std::vector<uint8_t> head;
    {
        std::ifstream file(fileName, std::ios::binary);
        if (!file) {
            return {};
        }
        head.resize(790);
        file.read(reinterpret_cast<char*>(head.data()), std::streamsize(head.size()));
        head.resize(size_t(file.gcount()));
    }
    const std::string ext = LowerExtension(fileName);
    ColorRef color = 0;
    if (ext == ".gif" && GifTransparentColor(head, color)) {
        kind = kGifTransparent;
    } else if (ext == ".png") {
        std::vector<uint8_t> whole;
        if (ReadWholeFile(fileName, whole) && PngTransparentColor(whole, color)) {
            kind = kPngTransparent;
        }
    }
    if (kind == kNotTransparent) {
        return LoadDisplayPicture(fileName, screen, cache, error);
    }
    const EngineBitmap plain = LoadPictureFile(fileName, false, screen, cache, error);
    mask = MakeTransparencyMask(plain, kind != kCornerTransparent, color);
    if (mask.IsEmpty()) {
        return {}; // without its mask the picture is not shown
    }
    return LoadDisplayPicture(fileName, screen, cache, error);
}

EngineBitmap LoadPictureFromStream(std::span<const uint8_t> data, uint8_t& kind, EngineMask& mask,
                                   const ScreenState& screen, std::string* error) {
    mask = EngineMask();
    if (data.size() < 20) {
        return {};
    }
    try {
        const int sniffed = SniffImageKind(data);
        EngineBitmap bitmap;
        if (sniffed == kJpegImage) {
            kind = kNotTransparent;
            bitmap = LoadFromBytes(data, sniffed, false, screen, nullptr, error);
        } else if (sniffed == kBitmapImage) {
            bitmap = LoadBitmapPicture(data);
        } else {
            return {};
        }
        if (kind == kCornerTransparent) {
            mask = MakeTransparencyMask(bitmap, false, 0);
        }
        return ReduceForScreen(std::move(bitmap), screen);
    } catch (const std::exception& e) {
        if (error) {
            *error = e.what();
        }
        mask = EngineMask();
        return {};
    }
}

EngineMask MakeTransparencyMask(const EngineBitmap& bitmap, bool useGiven, ColorRef color) {
    if (bitmap.IsEmpty()) {
        return {};
    }
    const uint32_t key = useGiven ? Argb(uint8_t(color), uint8_t(color >> 8), uint8_t(color >> 16))
                                  : bitmap.PixelArgb(0, bitmap.Height() - 1);
    EngineMask mask(bitmap.Width(), bitmap.Height());
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            mask.Set(x, y, ((bitmap.PixelArgb(x, y) ^ key) & 0x00FFFFFFu) == 0);
        }
    }
    return mask;
}

EngineBitmap ReduceForScreen(EngineBitmap bitmap, const ScreenState& screen) {
    if (bitmap.IsEmpty()) {
        return {};
    }
    if (screen.ColorDepth() <= 8) {
        return MakeDisplayBitmap(bitmap, screen);
    }
    return bitmap.Format() == PixelFormat::Argb32 ? std::move(bitmap) : bitmap.ToArgb32();
}

const std::vector<uint8_t>& WaitingStream() {
    static const std::vector<uint8_t> marker;
    return marker;
}

std::string TStringBitmapList::CacheKey(std::string_view name) {
    size_t b = 0, e = name.size();
    while (b < e && static_cast<unsigned char>(name[b]) <= ' ') {
        ++b;
    }
    while (e > b && static_cast<unsigned char>(name[e - 1]) <= ' ') {
        --e;
    }
    std::string key(name.substr(b, e - b));
    for (char& c : key) {
        if (c >= 'a' && c <= 'z') {
            c = char(c - 'a' + 'A');
        }
    }
    return key;
}

int TStringBitmapList::IndexOf(std::string_view name) const {
    const std::string key = CacheKey(name);
    const auto it = std::lower_bound(items_.begin(), items_.end(), key,
                                     [](const auto& item, const std::string& k) { return item.first < k; });
    return it != items_.end() && it->first == key ? int(it - items_.begin()) : -1;
}

TStringBitmapList::Entry TStringBitmapList::AddObject(std::string_view name, std::unique_ptr<TBitmapItem> item) {
    Entry entry(std::move(item));
    const std::string key = CacheKey(name);
    const auto it = std::lower_bound(items_.begin(), items_.end(), key,
                                     [](const auto& i, const std::string& k) { return i.first < k; });
    if (it != items_.end() && it->first == key) {
        it->second = entry;
    } else {
        items_.insert(it, {key, entry});
    }
    return entry;
}

TStringBitmapList::Entry TStringBitmapList::ImageCacheTake(int index) {
    Entry& entry = items_[size_t(index)].second;
    entry->Age = 0;
    return entry;
}

template <class Pred> void TStringBitmapList::FreeWhere(Pred pred) {
    for (size_t i = items_.size(); i-- > 0;) {
        if (pred(i)) {
            items_.erase(items_.begin() + ptrdiff_t(i));
        }
    }
}

void TStringBitmapList::SetAgeLimit(int limit) {
    FreeWhere([&](size_t i) { return items_[i].second->Age > limit && UseCount(int(i)) <= 0; });
    ageLimit_ = limit;
}

void TStringBitmapList::ImageCacheAge() {
    FreeWhere([&](size_t i) { return ++items_[i].second->Age > ageLimit_ && UseCount(int(i)) < 1; });
}

void TStringBitmapList::PurgeUnused() {
    FreeWhere([&](size_t i) { return UseCount(int(i)) < 1; });
}

} // namespace htmlengine
