#pragma once
// GIF pictures: block parser, LZW decoder, frames composed by their disposal
// methods into a frame buffer, and the animation state stepped by the
// document's timer. Time comes in as milliseconds from any wrapping clock.
#include "htmlengine/EngineBitmap.h"
#include "htmlengine/ScreenState.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace htmlengine {

inline constexpr const char* kCorruptGif = "Corrupt GIF Image";
inline constexpr int kMaxGifFrames = 256;
// The rows of all frames that their data fills together, in pixels: 256
// frames of 1024 x 1024. What a file declares costs nothing until its data
// fills it; the frames past this bound are left out.
inline constexpr int64_t kMaxGifDecodedPixels = int64_t(1) << 28;

struct TgfFrame {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    int ColorTableBits = 0; // 0 when the global table is used
    bool HasLocalTable = false;
    bool Interlaced = false;
    int Delay = 0;    // milliseconds
    int Disposal = 0; // 0 none, 1 leave, 2 restore to background, 3 restore previous
    bool Transparent = false;
    int TransparentIndex = 0;
    ColorRef TransparentColor = 0;
    std::string Comment;
    // Pixels the data filled, in decoding order; the frame draws only these.
    size_t Decoded = 0;
    EngineBitmap Image; // 8-bit, frame-wide, down to the lowest row the data reached, with its colour table
    EngineMask Mask;    // transparent frames only, as large as Image
};

class TGIFImage {
public:
    explicit TGIFImage(const ScreenState& screen);
    // A copy with its own frame buffer and animation state, at frame 1.
    TGIFImage(const TGIFImage& other);
    TGIFImage& operator=(const TGIFImage&) = delete;

    bool ScanGifStream(std::span<const uint8_t> data);
    bool DecodeGifStream(std::span<const uint8_t> data);
    bool ScanGifFile(const std::string& fileName);
    bool DecodeGifFile(const std::string& fileName);

    bool Empty() const { return empty_; }
    bool Animated() const { return frames_.size() > 1; }
    bool Transparent() const { return transparent_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return bitsPerPixel_; }
    int FrameCount() const { return int(frames_.size()); }
    const TgfFrame& Frame(int number) const { return *frames_[size_t(number - 1)]; }
    int CurrentFrame() const { return current_; }
    int LoopCount() const { return loopCount_; }
    bool ReduceColors = false;
    int AnimationSpeed = 100;

    // The composed picture: 32-bit, alpha 0 where nothing covers it. Only the
    // part frames draw on is composed until the whole is first asked for.
    const EngineBitmap& FrameBuffer() const;
    // Frame 1 opaque: the buffer is painted as it is, uncovered parts black.
    bool PaintsOpaque() const { return frames_.empty() || !frames_.front()->Transparent; }

    void SetCurrentFrame(int number);
    void SetAnimate(bool on, uint32_t nowMs);
    bool Animating() const { return animate_; }
    // Drawn in the last paint: the image object sets it as it draws the
    // picture, the document clears it before each paint, and its timer steps
    // only pictures that are shown. Drawing paints nothing without it.
    void SetShown(bool on) { shown_ = on; }
    bool Shown() const { return shown_; }
    // One timer tick; true when the picture changed and its rectangle needs painting.
    bool AnimateStep(uint32_t nowMs);

    struct Rect { int x = 0, y = 0, width = 0, height = 0; };
    void SetDrawnRect(const Rect& r) { lastDrawn_ = r; }
    const Rect& DrawnRect() const { return lastDrawn_; }

    // Frame 1 on the logical screen, opaque; none when empty. Transparent
    // parts hold frame 1's transparent colour.
    EngineBitmap GetStaticBitmap() const;
    // Where that bitmap is transparent; empty when frame 1 is opaque.
    EngineMask FirstFrameMask() const;

private:
    bool Parse(std::span<const uint8_t> data, bool scanOnly);
    bool ParseGifStream(std::span<const uint8_t> data);
    void ClearFrames();
    void ComposeFrame();
    void DisposeFrame();
    void StartBuffer();
    // Row y of frame f on the buffer.
    uint32_t* BufferRow(const TgfFrame& f, int y);

    const ScreenState& screen_;
    bool empty_ = true;
    bool scanOnly_ = false;
    bool shown_ = false;
    bool animate_ = false;
    bool transparent_ = false;
    int width_ = 0, height_ = 0;
    int bitsPerPixel_ = 0;
    std::vector<std::shared_ptr<const TgfFrame>> frames_;
    int current_ = 1;
    int loopCount_ = 1;
    int iteration_ = 1;
    uint32_t lastStep_ = 0;
    uint32_t currentDelay_ = 1;
    bool firstStepPending_ = true;
    // The part of the picture frames draw on, or the whole once asked for.
    mutable EngineBitmap frameBuffer_;
    mutable int bufferLeft_ = 0, bufferTop_ = 0;
    std::vector<uint32_t> backup_; // area under a disposal-3 frame
    Rect lastDrawn_;
};

// Two passes: the structure first, then the pixels. purgeUnused runs when the
// full decode fails, to give memory back. nonAnimated tells whether the
// picture has one frame.
std::unique_ptr<TGIFImage> LoadGifFromStream(std::span<const uint8_t> data, const ScreenState& screen,
                                             bool& nonAnimated, const std::function<void()>& purgeUnused = {});
std::unique_ptr<TGIFImage> LoadGifFromFile(const std::string& fileName, const ScreenState& screen,
                                           bool& nonAnimated, const std::function<void()>& purgeUnused = {});

// Whole file into memory; false when it cannot be read.
bool ReadWholeFile(const std::string& fileName, std::vector<uint8_t>& bytes);

} // namespace htmlengine
