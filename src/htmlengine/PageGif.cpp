#include "htmlengine/PageGif.h"

#include "htmlengine/MulDiv.h"
#include "htmlengine/PageDith.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <fstream>

namespace htmlengine {

namespace {

// Files larger than this are not read at all.
constexpr std::streamoff kMaxPictureFileBytes = std::streamoff(256) << 20;

// Bounded reading over the loaded file.
struct Cursor {
    std::span<const uint8_t> data;
    size_t pos = 0;
    bool AtEnd() const { return pos >= data.size(); }
    size_t Left() const { return data.size() - std::min(pos, data.size()); }
    int Byte() { return pos < data.size() ? data[pos++] : -1; }
    int Word() {
        if (Left() < 2) {
            pos = data.size();
            return -1;
        }
        const int v = data[pos] | data[pos + 1] << 8;
        pos += 2;
        return v;
    }
    // Skips data sub-blocks up to and including the zero-length terminator.
    void SkipSubBlocks() {
        while (pos < data.size()) {
            const size_t len = data[pos++];
            if (len == 0) {
                return;
            }
            pos = std::min(data.size(), pos + len);
        }
    }
};

// The frame's data sub-blocks joined, read up to and including the
// zero-length terminator (or the end of the file).
std::vector<uint8_t> ReadSubBlocks(Cursor& in) {
    std::vector<uint8_t> data;
    while (in.pos < in.data.size()) {
        const size_t len = in.data[in.pos++];
        if (len == 0) {
            break;
        }
        const size_t take = std::min(len, in.Left());
        data.insert(data.end(), in.data.begin() + ptrdiff_t(in.pos), in.data.begin() + ptrdiff_t(in.pos + take));
        in.pos += take;
    }
    return data;
}

// Pixels from LSB-first codes. The string of an entry made from known
// strings lies in the output already, right where its first part was
// written, so a code for it is a copy from there. Anything else (codes that
// refer to entries not yet made, or left from before a clear code) is walked
// through the table and a stack as a plain decoder would, so damaged data
// decodes the same either way.
class LzwDecoder {
public:
    static constexpr int kTableSize = 4096;

    LzwDecoder(std::span<const uint8_t> data, int minCodeSize)
        : data_(data), codeSize_(minCodeSize), clear_(1 << minCodeSize) {
        // Entries not made yet stay zero: a damaged code may still refer to them.
        for (int i = 0; i < clear_; ++i) {
            suffix_[i] = firstChar_[i] = roots_[i] = uint8_t(i);
            length_[i] = 1;
            known_[i] = true;
        }
    }

    // Sets out to at most limit pixels; stops at the end code, at the end of
    // the data and at a code that cannot begin a string.
    void Decode(std::vector<uint8_t>& out, size_t limit) {
        const int clear = clear_, end = clear_ + 1;
        // Strings are copied 16 bytes at a time when they are short: out
        // keeps that much room past the limit.
        constexpr size_t kSlack = 16;
        // The i-th code after a clear code makes at most i pixels: a guess
        // that only damaged data exceeds, and then out grows.
        const size_t codes = data_.size() * 8 / size_t(codeSize_ + 1);
        const size_t ramp = std::min<size_t>(codes, kTableSize);
        out.assign(std::min(limit, ramp * (ramp + 1) / 2 + (codes - ramp) * kTableSize) + kSlack, 0);
        size_t n = 0;
        // Room for length more pixels, as far as the limit allows.
        auto room = [&](size_t length) {
            const size_t want = std::min(limit, n + length);
            if (want + kSlack > out.size()) {
                out.resize(std::min(limit, std::max(want, 2 * out.size())) + kSlack);
            }
            return want - n;
        };
        const uint8_t* in = data_.data();
        const size_t size = data_.size();
        size_t at = 0;
        uint64_t acc = 0; // bits above the count repeat the next byte's, so refilling may add them again
        int bits = 0;
        int width = 0, free = 0, widen = 0, old = -1, first = 0;
        auto reset = [&] {
            width = codeSize_ + 1;
            free = clear + 2;
            widen = 2 * clear;
            old = -1;
        };
        // -1 at the end of the data. Away from the end the bits are topped up
        // before every code, which costs less than a branch on their count.
        constexpr bool kLittle = std::endian::native == std::endian::little;
        auto read = [&] {
            if (kLittle && size - at >= 8) {
                uint64_t next;
                std::memcpy(&next, in + at, 8);
                acc |= next << bits;
                at += size_t(63 - bits) >> 3;
                bits |= 56;
            } else if (bits < width) {
                while (bits <= 56 && at < size) {
                    acc |= uint64_t(in[at++]) << bits;
                    bits += 8;
                }
                if (bits < width) {
                    return -1;
                }
            }
            const int code = int(acc & ((1u << width) - 1));
            acc >>= width;
            bits -= width;
            return code;
        };
        // Roots, and entries of the current table whose string is in the output.
        auto known = [&](int code) { return code < free && known_[code]; };
        // The first count pixels of a known string to out[n].
        auto copy = [&](int code, size_t count) {
            uint8_t* dst = out.data() + n;
            const uint8_t* src = code < clear ? roots_ + code : out.data() + where_[code];
            if (count <= kSlack) {
                uint8_t chunk[kSlack];
                std::memcpy(chunk, src, kSlack);
                std::memcpy(dst, chunk, kSlack);
            } else {
                std::memcpy(dst, src, count);
            }
        };
        reset();
        size_t lastStart = 0;   // where the previous code's pixels begin
        bool lastExact = false; // and whether they are the string of old
        while (n < limit) {
            int code = read();
            if (code < 0 || code == end) {
                break;
            }
            if (code == clear) {
                reset();
                do {
                    code = read();
                } while (code == clear);
                if (code < 0 || code >= end) {
                    break;
                }
            }
            const size_t start = n;
            if (old < 0) { // after a clear code, or data that does not begin with one
                if (code >= clear) {
                    break;
                }
                room(1);
                out[n++] = uint8_t(code);
                old = first = code;
                lastStart = start;
                lastExact = true;
                continue;
            }
            bool exact = false;
            if (known(code)) {
                const size_t fit = room(length_[code]);
                copy(code, fit);
                n += fit;
                first = firstChar_[code];
                exact = true;
            } else if (code >= free && known(old)) {
                // The previous code's string and the first pixel of the previous string.
                const size_t length = length_[old];
                const size_t fit = room(length + 1);
                copy(old, std::min(fit, length));
                if (fit > length) {
                    out[n + length] = uint8_t(first);
                }
                n += fit;
                exact = first == firstChar_[old];
                first = firstChar_[old];
            } else {
                // Any other code, the long way.
                int c = code, sp = 0, pushes = 0;
                if (c >= free) {
                    stack_[sp++] = uint8_t(first);
                    ++pushes;
                    c = old;
                }
                while (c >= clear) {
                    if (++pushes > kTableSize) {
                        RaiseGIFError(kCorruptGif);
                    }
                    stack_[sp++] = suffix_[c];
                    c = prefix_[c];
                }
                first = suffix_[c];
                stack_[sp++] = uint8_t(first);
                const size_t fit = room(size_t(sp));
                for (size_t i = 0; i < fit; ++i) {
                    out[n + i] = stack_[sp - 1 - int(i)];
                }
                n += fit;
            }
            if (free < kTableSize) {
                prefix_[free] = uint16_t(old);
                suffix_[free] = uint8_t(first);
                known_[free] = lastExact && known(old);
                length_[free] = uint16_t(length_[old] + 1);
                firstChar_[free] = firstChar_[old];
                where_[free] = lastStart;
                ++free;
                if (free >= widen && widen < kTableSize) {
                    widen *= 2;
                    ++width;
                }
            }
            old = code;
            lastStart = start;
            lastExact = exact;
        }
        out.resize(n);
    }

private:
    std::span<const uint8_t> data_;
    const int codeSize_;
    const int clear_;
    uint16_t prefix_[kTableSize] = {};
    uint8_t suffix_[kTableSize] = {};
    // Of known entries: where in the output their string lies.
    size_t where_[kTableSize] = {};
    uint16_t length_[kTableSize] = {};
    uint8_t firstChar_[kTableSize] = {};
    bool known_[kTableSize] = {};
    uint8_t roots_[256 + 16] = {}; // each root's pixel, readable 16 at a time
    uint8_t stack_[kTableSize + 2] = {};
};

// Calls visit(y, count) for every row the frame's data reached, in the order
// it was decoded (top-down, or by the four interlace passes), with the number
// of pixels the data gave that row.
template <class Visit>
void ForEachDecodedRow(const TgfFrame& frame, Visit visit) {
    static const int passStart[4] = {0, 4, 2, 1}, passStep[4] = {8, 8, 4, 2};
    const size_t w = size_t(std::max(frame.Width, 0));
    int y = 0, pass = 0;
    for (size_t done = 0; w > 0 && done < frame.Decoded; done += w) {
        visit(y, int(std::min(w, frame.Decoded - done)));
        if (!frame.Interlaced) {
            ++y;
            continue;
        }
        y += passStep[pass];
        while (y >= frame.Height && pass < 3) { // a pass may start below a short picture
            y = passStart[++pass];
        }
    }
}

// Decodes the frame's pixels and mask. A frame keeps the pixels its data
// reached; the rest of its rectangle is not drawn, so a frame that claims
// more than its data fills costs only what the data fills.
void DecodeRaster(Cursor& in, int minCodeSize, TgfFrame& frame, std::vector<uint32_t>&& table) {
    const std::vector<uint8_t> data = ReadSubBlocks(in);
    std::vector<uint8_t> pixels;
    LzwDecoder(data, minCodeSize).Decode(pixels, size_t(frame.Width) * size_t(frame.Height));
    frame.Decoded = pixels.size();
    int rows = 0;
    ForEachDecodedRow(frame, [&](int y, int) { rows = std::max(rows, y + 1); });
    frame.Image = EngineBitmap(frame.Width, rows, PixelFormat::Indexed8);
    frame.Image.palette = std::move(table);
    if (frame.Transparent) {
        frame.Mask = EngineMask(frame.Width, rows);
    }
    const uint8_t* src = pixels.data();
    ForEachDecodedRow(frame, [&](int y, int count) {
        std::memcpy(frame.Image.Row8(y), src, size_t(count));
        for (int x = 0; frame.Transparent && x < count; ++x) {
            if (src[x] == frame.TransparentIndex) {
                frame.Mask.Set(x, y);
            }
        }
        src += count;
    });
}

// The frame's colours as opaque pixels; an index beyond its table is black.
std::array<uint32_t, 256> FrameColors(const TgfFrame& f) {
    std::array<uint32_t, 256> colors;
    for (size_t i = 0; i < colors.size(); ++i) {
        colors[i] = i < f.Image.palette.size() ? f.Image.palette[i] | 0xFF000000u : 0xFF000000u;
    }
    return colors;
}

std::vector<uint32_t> ReadColorTable(Cursor& in, int bits) {
    std::vector<uint32_t> table(256, 0xFF000000u);
    const int n = 1 << bits;
    for (int i = 0; i < n; ++i) {
        if (in.Left() < 3) {
            in.pos = in.data.size();
            break;
        }
        table[size_t(i)] = Argb(in.data[in.pos], in.data[in.pos + 1], in.data[in.pos + 2]);
        in.pos += 3;
    }
    return table;
}

uint8_t NearestIndex(const std::vector<uint32_t>& palette, uint32_t c) {
    int best = INT32_MAX;
    uint8_t index = 0;
    for (size_t i = 0; i < palette.size(); ++i) {
        const int dr = RedOf(palette[i]) - RedOf(c), dg = GreenOf(palette[i]) - GreenOf(c),
                  db = BlueOf(palette[i]) - BlueOf(c);
        const int d = dr * dr + dg * dg + db * db;
        if (d < best) {
            best = d;
            index = uint8_t(i);
        }
    }
    return index;
}

// Frame colours for the screen: on 8-bit screens animated frames are mapped
// onto the engine palette once, static ones are dithered.
void PrepareFrameColors(TgfFrame& frame, const ScreenState& screen, bool reduce) {
    const std::vector<uint32_t>& engine = screen.EnginePalette();
    if (reduce) {
        EngineBitmap reduced = MakeDisplayBitmap(frame.Image, screen);
        if (!reduced.IsEmpty()) {
            frame.Image = std::move(reduced);
        }
        return;
    }
    if (engine.empty()) {
        return;
    }
    // Only the colours the frame uses are looked up.
    uint8_t map[256];
    bool mapped[256] = {};
    for (int y = 0; y < frame.Image.Height(); ++y) {
        uint8_t* row = frame.Image.Row8(y);
        for (int x = 0; x < frame.Width; ++x) {
            if (!mapped[row[x]]) {
                map[row[x]] = NearestIndex(engine, frame.Image.palette[row[x]]);
                mapped[row[x]] = true;
            }
            row[x] = map[row[x]];
        }
    }
    frame.Image.palette = engine;
}

} // namespace

bool ReadWholeFile(const std::string& fileName, std::vector<uint8_t>& bytes) {
    std::ifstream file(fileName, std::ios::binary | std::ios::ate);
    if (!file) {
        return false;
    }
    const std::streamoff size = file.tellg();
    if (size < 0 || size > kMaxPictureFileBytes) {
        return false;
    }
    bytes.resize(size_t(size));
    file.seekg(0);
    return bool(file.read(reinterpret_cast<char*>(bytes.data()), size));
}

TGIFImage::TGIFImage(const ScreenState& screen) : screen_(screen) {}

TGIFImage::TGIFImage(const TGIFImage& other)
    : ReduceColors(other.ReduceColors), AnimationSpeed(other.AnimationSpeed), screen_(other.screen_),
      empty_(other.empty_), scanOnly_(other.scanOnly_), transparent_(other.transparent_), width_(other.width_),
      height_(other.height_), bitsPerPixel_(other.bitsPerPixel_), frames_(other.frames_), loopCount_(other.loopCount_) {
    if (!empty_ && !scanOnly_) {
        StartBuffer();
        ComposeFrame();
    }
}

void TGIFImage::ClearFrames() {
    empty_ = true;
    frames_.clear();
    current_ = 1;
    loopCount_ = 1;
    iteration_ = 1;
    firstStepPending_ = true;
    bitsPerPixel_ = 0;
    transparent_ = false;
    width_ = height_ = 0;
    frameBuffer_ = EngineBitmap();
    bufferLeft_ = bufferTop_ = 0;
    backup_.clear();
}

bool TGIFImage::ScanGifStream(std::span<const uint8_t> data) { return Parse(data, true); }
bool TGIFImage::DecodeGifStream(std::span<const uint8_t> data) { return Parse(data, false); }

bool TGIFImage::ScanGifFile(const std::string& fileName) {
    std::vector<uint8_t> bytes;
    return ReadWholeFile(fileName, bytes) && ScanGifStream(bytes);
}

bool TGIFImage::DecodeGifFile(const std::string& fileName) {
    std::vector<uint8_t> bytes;
    return ReadWholeFile(fileName, bytes) && DecodeGifStream(bytes);
}

bool TGIFImage::Parse(std::span<const uint8_t> data, bool scanOnly) {
    scanOnly_ = scanOnly;
    try {
        return ParseGifStream(data);
    } catch (const std::exception&) {
        ClearFrames();
        return false;
    }
}

bool TGIFImage::ParseGifStream(std::span<const uint8_t> data) {
    ClearFrames();
    uint8_t gce[6] = {};
    Cursor in{data};
    if (data.size() < 13 || std::memcmp(data.data(), "GIF", 3) != 0) {
        return false;
    }
    in.pos = 6;
    const int screenWidth = in.Word(), screenHeight = in.Word();
    const int packed = in.Byte();
    in.pos += 2; // background index, aspect
    std::vector<uint32_t> globalTable(256, 0xFF000000u);
    if (packed & 0x80) {
        bitsPerPixel_ = (packed & 7) + 1;
        globalTable = ReadColorTable(in, bitsPerPixel_);
    }
    std::string comment;
    int64_t decodedPixels = 0;
    bool more = true;
    while (more && !in.AtEnd()) {
        const int block = in.Byte();
        if (block == 0x21) {
            const int label = in.Byte();
            if (label == 0x01) {
                in.SkipSubBlocks();
            } else if (label == 0xF9) {
                if (in.Left() < 6) {
                    break;
                }
                std::memcpy(gce, data.data() + in.pos, 6);
                in.pos += 6;
            } else if (label == 0xFE) {
                while (!in.AtEnd()) {
                    const size_t len = size_t(in.Byte());
                    if (len == 0) {
                        break;
                    }
                    const size_t take = std::min(len, in.Left());
                    comment.append(reinterpret_cast<const char*>(data.data() + in.pos), take);
                    in.pos += take;
                }
            } else if (label == 0xFF) {
                if (in.Left() >= 17 && std::memcmp(data.data() + in.pos + 1, "NETSCAPE2.0", 11) == 0) {
                    const size_t p = in.pos + 13; // past size, name and the sub-block's length
                    loopCount_ = data[p + 1] | data[p + 2] << 8;
                    in.pos = p + 4;
                } else {
                    in.SkipSubBlocks();
                }
            } else {
                more = false;
            }
            continue;
        }
        if (block != 0x2C || frames_.size() >= size_t(kMaxGifFrames)) {
            break;
        }
        // Image descriptor.
        if (in.Left() < 9) {
            break;
        }
        auto frame = std::make_shared<TgfFrame>();
        frame->Left = in.Word();
        frame->Top = in.Word();
        frame->Width = in.Word();
        frame->Height = in.Word();
        const int framePacked = in.Byte();
        frame->Interlaced = (framePacked & 0x40) != 0;
        frame->Disposal = (gce[1] >> 2) & 7;
        if (frame->Disposal > 3) {
            frame->Disposal = 2;
        }
        frame->Transparent = (gce[1] & 1) != 0;
        frame->Delay = (gce[2] | gce[3] << 8) * 10;
        frame->TransparentIndex = gce[4];
        std::memset(gce, 0, sizeof gce);
        std::vector<uint32_t> table = globalTable;
        if (framePacked & 0x80) {
            frame->HasLocalTable = true;
            frame->ColorTableBits = (framePacked & 7) + 1;
            table = ReadColorTable(in, frame->ColorTableBits);
        }
        const int minCodeSize = in.Byte();
        // Code sizes beyond 8 bits cannot name an 8-bit pixel; a frame larger
        // than a picture may be is refused.
        if (minCodeSize < 1 || minCodeSize > 8 || int64_t(frame->Width) * frame->Height > kMaxPicturePixels) {
            break;
        }
        frame->TransparentColor = ColorRefOfArgb(table[size_t(frame->TransparentIndex)]);
        if (scanOnly_) {
            in.SkipSubBlocks();
        } else {
            DecodeRaster(in, minCodeSize, *frame, std::move(table));
            decodedPixels += int64_t(frame->Image.Width()) * frame->Image.Height();
            if (decodedPixels > kMaxGifDecodedPixels) {
                break;
            }
            PrepareFrameColors(*frame, screen_, ReduceColors);
        }
        while (!in.AtEnd() && data[in.pos] == 0) {
            ++in.pos; // stray zero bytes after the data
        }
        bitsPerPixel_ = std::max(bitsPerPixel_, frame->ColorTableBits);
        transparent_ = transparent_ || frame->Transparent;
        frame->Comment = std::move(comment);
        comment.clear();
        frames_.push_back(std::move(frame));
    }
    if (frames_.empty()) {
        ClearFrames();
        return false;
    }
    width_ = screenWidth;
    height_ = screenHeight;
    for (const auto& f : frames_) {
        width_ = std::max(width_, f->Left + f->Width);
        height_ = std::max(height_, f->Top + f->Height);
    }
    CheckPictureSize(width_, height_);
    if (!scanOnly_) {
        StartBuffer();
    }
    empty_ = false;
    ComposeFrame();
    return true;
}

void TGIFImage::StartBuffer() {
    // Frames draw only the rows their data reached; the buffer holds those.
    int left = width_, top = height_, right = 0, bottom = 0;
    for (const auto& f : frames_) {
        if (f->Decoded > 0) {
            left = std::min(left, f->Left);
            top = std::min(top, f->Top);
            right = std::max(right, f->Left + f->Width);
            bottom = std::max(bottom, f->Top + f->Image.Height());
        }
    }
    if (right <= left || bottom <= top) {
        left = top = right = bottom = 0;
    }
    bufferLeft_ = left;
    bufferTop_ = top;
    frameBuffer_ = EngineBitmap(right - left, bottom - top, PixelFormat::Argb32);
    // Black shows where no frame draws; a first frame that covers the whole
    // buffer (and does not bring it back later) leaves no such place.
    const TgfFrame& f = *frames_.front();
    const bool covered = f.Left == left && f.Top == top && f.Width == right - left &&
                         f.Decoded == size_t(right - left) * size_t(bottom - top) && f.Disposal != 3;
    if (!transparent_ && !covered) {
        frameBuffer_.Fill(0xFF000000u);
    }
}

uint32_t* TGIFImage::BufferRow(const TgfFrame& f, int y) {
    return frameBuffer_.Row32(f.Top - bufferTop_ + y) + (f.Left - bufferLeft_);
}

const EngineBitmap& TGIFImage::FrameBuffer() const {
    const bool whole = bufferLeft_ == 0 && bufferTop_ == 0 && frameBuffer_.Width() == width_ &&
                       frameBuffer_.Height() == height_;
    if (whole || empty_ || scanOnly_) {
        return frameBuffer_;
    }
    // The buffer grows to the whole picture once; from then on each step
    // draws into it only what its frame touches.
    EngineBitmap grown(width_, height_, PixelFormat::Argb32);
    if (!transparent_) {
        grown.Fill(0xFF000000u);
    }
    for (int y = 0; y < frameBuffer_.Height(); ++y) {
        std::copy_n(frameBuffer_.Row32(y), frameBuffer_.Width(), grown.Row32(bufferTop_ + y) + bufferLeft_);
    }
    frameBuffer_ = std::move(grown);
    bufferLeft_ = bufferTop_ = 0;
    return frameBuffer_;
}

void TGIFImage::ComposeFrame() {
    if (scanOnly_ || empty_) {
        return;
    }
    const TgfFrame& f = *frames_[size_t(current_ - 1)];
    // Only the rows the frame's data reached change.
    const int rows = f.Image.Height();
    if (f.Disposal == 3) {
        backup_.resize(size_t(f.Width) * size_t(rows));
        for (int y = 0; y < rows; ++y) {
            std::copy_n(BufferRow(f, y), f.Width, backup_.begin() + ptrdiff_t(y) * f.Width);
        }
    }
    const std::array<uint32_t, 256> colors = FrameColors(f);
    ForEachDecodedRow(f, [&](int y, int count) {
        uint32_t* dst = BufferRow(f, y);
        const uint8_t* src = f.Image.Row8(y);
        if (!f.Transparent) {
            for (int x = 0; x < count; ++x) {
                dst[x] = colors[src[x]];
            }
            return;
        }
        for (int x = 0; x < count; ++x) {
            if (!f.Mask.Test(x, y)) {
                dst[x] = colors[src[x]];
            }
        }
    });
}

void TGIFImage::DisposeFrame() {
    if (scanOnly_ || empty_) {
        return;
    }
    const TgfFrame& f = *frames_[size_t(current_ - 1)];
    // What the frame drew: the rows its data reached.
    const int rows = f.Image.Height();
    if (f.Disposal == 2) {
        for (int y = 0; y < rows; ++y) {
            std::fill_n(BufferRow(f, y), f.Width, 0u);
        }
    } else if (f.Disposal == 3 && backup_.size() == size_t(f.Width) * size_t(rows)) {
        for (int y = 0; y < rows; ++y) {
            std::copy_n(backup_.begin() + ptrdiff_t(y) * f.Width, f.Width, BufferRow(f, y));
        }
    }
}

void TGIFImage::SetCurrentFrame(int number) {
    if (number == current_ || empty_) {
        return;
    }
    DisposeFrame();
    const int count = FrameCount();
    current_ = number > count ? 1 : number <= 0 ? count : number;
    ComposeFrame();
}

void TGIFImage::SetAnimate(bool on, uint32_t nowMs) {
    if (on == animate_) {
        return;
    }
    animate_ = on;
    iteration_ = 1;
    if (on && FrameCount() > 1) {
        currentDelay_ = uint32_t(std::max(1, Frame(current_).Delay * 100 / std::max(1, AnimationSpeed)));
        lastStep_ = nowMs;
    }
}

bool TGIFImage::AnimateStep(uint32_t nowMs) {
    if (!animate_ || empty_ || scanOnly_ || uint32_t(nowMs - lastStep_) < currentDelay_) {
        return false;
    }
    lastStep_ = nowMs;
    const int count = FrameCount();
    if (loopCount_ > 0 && current_ == count) {
        if (iteration_ >= loopCount_) {
            animate_ = false;
            return false;
        }
        ++iteration_;
    }
    bool changed = false;
    if (firstStepPending_) {
        firstStepPending_ = false;
    } else {
        DisposeFrame();
        current_ = current_ >= count || current_ < 1 ? 1 : current_ + 1;
        ComposeFrame();
        changed = true;
    }
    currentDelay_ = uint32_t(std::max(1, MulDiv(Frame(current_).Delay, 100, AnimationSpeed)));
    return changed;
}

EngineBitmap TGIFImage::GetStaticBitmap() const {
    if (empty_ || scanOnly_) {
        return {};
    }
    const TgfFrame& f = *frames_.front();
    EngineBitmap result(width_, height_, PixelFormat::Argb32);
    const ColorRef t = f.TransparentColor;
    result.Fill(f.Transparent ? Argb(uint8_t(t), uint8_t(t >> 8), uint8_t(t >> 16)) : 0xFF000000u);
    const std::array<uint32_t, 256> colors = FrameColors(f);
    ForEachDecodedRow(f, [&](int y, int count) {
        for (int x = 0; x < count; ++x) {
            if (!f.Transparent || !f.Mask.Test(x, y)) {
                result.Row32(f.Top + y)[f.Left + x] = colors[f.Image.Row8(y)[x]];
            }
        }
    });
    return result;
}

EngineMask TGIFImage::FirstFrameMask() const {
    if (empty_ || scanOnly_ || !frames_.front()->Transparent) {
        return {};
    }
    const TgfFrame& f = *frames_.front();
    EngineMask mask(width_, height_, true);
    ForEachDecodedRow(f, [&](int y, int count) {
        for (int x = 0; x < count; ++x) {
            mask.Set(f.Left + x, f.Top + y, f.Mask.Test(x, y));
        }
    });
    return mask;
}

std::unique_ptr<TGIFImage> LoadGifFromStream(std::span<const uint8_t> data, const ScreenState& screen,
                                             bool& nonAnimated, const std::function<void()>& purgeUnused) {
    nonAnimated = true;
    auto image = std::make_unique<TGIFImage>(screen);
    if (!image->ScanGifStream(data)) {
        return nullptr;
    }
    nonAnimated = !image->Animated();
    if (screen.ColorDepth() == 8 && image->BitsPerPixel() > 1) {
        image->ReduceColors = !image->Animated();
    }
    if (!image->DecodeGifStream(data)) {
        if (purgeUnused) {
            purgeUnused();
        }
        return nullptr;
    }
    return image;
}

std::unique_ptr<TGIFImage> LoadGifFromFile(const std::string& fileName, const ScreenState& screen,
                                           bool& nonAnimated, const std::function<void()>& purgeUnused) {
    nonAnimated = true;
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(fileName, bytes)) {
        return nullptr;
    }
    return LoadGifFromStream(bytes, screen, nonAnimated, purgeUnused);
}

} // namespace htmlengine
