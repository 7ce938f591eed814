#include "htmlengine/PageGif.h"

#include "htmlengine/MulDiv.h"
#include "htmlengine/PageDith.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace htmlengine {

namespace {

// All frames of one picture together stay below this many pixels.
constexpr int64_t kMaxGifFramePixels = 2 * kMaxPicturePixels;
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

// LSB-first codes pulled from as many data sub-blocks as each code needs.
class CodeReader {
public:
    explicit CodeReader(Cursor& in) : in_(in) {}
    // -1 after the terminator or at the end of the data.
    int Read(int width) {
        while (bits_ < width) {
            if (ended_) {
                return -1;
            }
            if (blockLeft_ == 0) {
                const int len = in_.Byte();
                if (len <= 0) {
                    ended_ = true;
                    return -1;
                }
                blockLeft_ = len;
            }
            const int b = in_.Byte();
            if (b < 0) {
                ended_ = true;
                return -1;
            }
            --blockLeft_;
            acc_ |= uint32_t(b) << bits_;
            bits_ += 8;
        }
        const int code = int(acc_ & ((1u << width) - 1));
        acc_ >>= width;
        bits_ -= width;
        return code;
    }
    // Drops the rest of the data up to the terminator.
    void Drain() {
        if (!ended_) {
            in_.pos = std::min(in_.data.size(), in_.pos + size_t(blockLeft_));
            in_.SkipSubBlocks();
            ended_ = true;
        }
    }

private:
    Cursor& in_;
    uint32_t acc_ = 0;
    int bits_ = 0;
    int blockLeft_ = 0;
    bool ended_ = false;
};

class LzwDecoder {
public:
    static constexpr int kTableSize = 4096;
    static constexpr int kEndOfData = -1, kEndCode = -2, kCorrupt = -3;

    LzwDecoder(Cursor& in, int minCodeSize) : reader_(in), codeSize_(minCodeSize), clear_(1 << minCodeSize) {
        for (int i = 0; i < kTableSize; ++i) {
            suffix_[i] = uint16_t(i < clear_ ? i : 0);
        }
        Reset();
    }

    // The next pixel, or a negative answer that ends the frame.
    int NextValue() {
        if (sp_ > 0) {
            return stack_[--sp_];
        }
        int code = reader_.Read(width_);
        if (code < 0) {
            return kEndOfData;
        }
        if (code == clear_) {
            Reset();
            do {
                code = reader_.Read(width_);
            } while (code == clear_);
            if (code < 0) {
                return kEndOfData;
            }
            if (code == clear_ + 1) {
                reader_.Drain();
                return kEndCode;
            }
            if (code > clear_) {
                return kCorrupt;
            }
            old_ = first_ = code;
            return code;
        }
        if (code == clear_ + 1) {
            reader_.Drain();
            return kEndCode;
        }
        if (old_ < 0) { // data that does not begin with a clear code
            if (code >= clear_) {
                return kCorrupt;
            }
            old_ = first_ = code;
            return code;
        }
        const int inCode = code;
        int pushes = 0;
        if (code >= free_) {
            stack_[sp_++] = uint16_t(first_);
            ++pushes;
            code = old_;
        }
        while (code >= clear_) {
            if (++pushes > kTableSize) {
                RaiseGIFError(kCorruptGif);
            }
            stack_[sp_++] = suffix_[code];
            code = prefix_[code];
        }
        first_ = suffix_[code];
        stack_[sp_++] = uint16_t(first_);
        if (free_ < kTableSize) {
            prefix_[free_] = uint16_t(old_);
            suffix_[free_] = uint16_t(first_);
            ++free_;
            if (free_ >= limit_ && limit_ < kTableSize) {
                limit_ *= 2;
                ++width_;
            }
        }
        old_ = inCode;
        return stack_[--sp_];
    }

    void Drain() { reader_.Drain(); }

private:
    void Reset() {
        free_ = clear_ + 2;
        width_ = codeSize_ + 1;
        limit_ = 2 * clear_;
        old_ = -1;
    }

    CodeReader reader_;
    const int codeSize_;
    const int clear_;
    int free_ = 0, width_ = 0, limit_ = 0;
    int old_ = -1, first_ = 0;
    uint16_t prefix_[kTableSize] = {};
    uint16_t suffix_[kTableSize] = {};
    uint16_t stack_[kTableSize + 2] = {};
    int sp_ = 0;
};

// Fills the frame's pixels (and mask) row by row, interlaced or not.
void DecodeRaster(Cursor& in, int minCodeSize, TgfFrame& frame) {
    LzwDecoder lzw(in, minCodeSize);
    const int w = frame.Width, h = frame.Height;
    static const int passStart[4] = {0, 4, 2, 1}, passStep[4] = {8, 8, 4, 2};
    int x = 0, y = 0, pass = 0;
    bool done = w <= 0 || h <= 0;
    while (!done) {
        const int value = lzw.NextValue();
        if (value < 0) {
            break;
        }
        frame.Image.Row8(y)[x] = uint8_t(value);
        if (frame.Transparent && value == frame.TransparentIndex) {
            frame.Mask.Set(x, y);
        }
        if (++x < w) {
            continue;
        }
        x = 0;
        if (!frame.Interlaced) {
            done = ++y >= h;
            continue;
        }
        y += passStep[pass];
        while (y >= h) { // a pass may start below a short picture
            if (++pass == 4) {
                done = true;
                break;
            }
            y = passStart[pass];
        }
    }
    lzw.Drain();
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
    uint8_t map[256];
    for (size_t i = 0; i < 256; ++i) {
        map[i] = NearestIndex(engine, frame.Image.palette[i]);
    }
    for (int y = 0; y < frame.Height; ++y) {
        uint8_t* row = frame.Image.Row8(y);
        for (int x = 0; x < frame.Width; ++x) {
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
    int64_t framePixels = 0;
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
        framePixels += int64_t(frame->Width) * frame->Height;
        const int minCodeSize = in.Byte();
        // Code sizes beyond 8 bits cannot name an 8-bit pixel; sizes beyond
        // the bound would exhaust memory.
        if (minCodeSize < 1 || minCodeSize > 8 || framePixels > kMaxGifFramePixels ||
            int64_t(frame->Width) * frame->Height > kMaxPicturePixels) {
            break;
        }
        frame->TransparentColor = ColorRefOfArgb(table[size_t(frame->TransparentIndex)]);
        if (scanOnly_) {
            in.SkipSubBlocks();
        } else {
            frame->Image = EngineBitmap(frame->Width, frame->Height, PixelFormat::Indexed8);
            frame->Image.palette = std::move(table);
            if (frame->Transparent) {
                frame->Mask = EngineMask(frame->Width, frame->Height);
            }
            DecodeRaster(in, minCodeSize, *frame);
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
    frameBuffer_ = EngineBitmap(width_, height_, PixelFormat::Argb32);
    if (!transparent_) {
        frameBuffer_.Fill(0xFF000000u);
    }
}

void TGIFImage::ComposeFrame() {
    if (scanOnly_ || empty_) {
        return;
    }
    const TgfFrame& f = *frames_[size_t(current_ - 1)];
    if (f.Disposal == 3) {
        backup_.resize(size_t(f.Width) * size_t(f.Height));
        for (int y = 0; y < f.Height; ++y) {
            std::copy_n(frameBuffer_.Row32(f.Top + y) + f.Left, f.Width, backup_.begin() + ptrdiff_t(y) * f.Width);
        }
    }
    for (int y = 0; y < f.Height; ++y) {
        uint32_t* dst = frameBuffer_.Row32(f.Top + y) + f.Left;
        const uint8_t* src = f.Image.Row8(y);
        for (int x = 0; x < f.Width; ++x) {
            if (!f.Transparent || !f.Mask.Test(x, y)) {
                dst[x] = f.Image.palette.size() > src[x] ? f.Image.palette[src[x]] | 0xFF000000u : 0xFF000000u;
            }
        }
    }
}

void TGIFImage::DisposeFrame() {
    if (scanOnly_ || empty_) {
        return;
    }
    const TgfFrame& f = *frames_[size_t(current_ - 1)];
    if (f.Disposal == 2) {
        for (int y = 0; y < f.Height; ++y) {
            std::fill_n(frameBuffer_.Row32(f.Top + y) + f.Left, f.Width, 0u);
        }
    } else if (f.Disposal == 3 && backup_.size() == size_t(f.Width) * size_t(f.Height)) {
        for (int y = 0; y < f.Height; ++y) {
            std::copy_n(backup_.begin() + ptrdiff_t(y) * f.Width, f.Width, frameBuffer_.Row32(f.Top + y) + f.Left);
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
    for (int y = 0; y < f.Height; ++y) {
        for (int x = 0; x < f.Width; ++x) {
            if (!f.Transparent || !f.Mask.Test(x, y)) {
                result.Row32(f.Top + y)[f.Left + x] = f.Image.PixelArgb(x, y) | 0xFF000000u;
            }
        }
    }
    return result;
}

EngineMask TGIFImage::FirstFrameMask() const {
    if (empty_ || scanOnly_ || !frames_.front()->Transparent) {
        return {};
    }
    const TgfFrame& f = *frames_.front();
    EngineMask mask(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const int fx = x - f.Left, fy = y - f.Top;
            const bool inside = fx >= 0 && fy >= 0 && fx < f.Width && fy < f.Height;
            mask.Set(x, y, !inside || f.Mask.Test(fx, fy));
        }
    }
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
