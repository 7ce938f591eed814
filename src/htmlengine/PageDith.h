#pragma once
// Colour reduction for screens of 8 bits or fewer: nearest-colour lookup,
// plain and Floyd-Steinberg dithering in serpentine rows, and an octree
// quantizer for optimised palettes.
#include "htmlengine/EngineBitmap.h"
#include "htmlengine/ScreenState.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace htmlengine {

class GIFException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class EInvalidGraphicOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
[[noreturn]] void RaiseGIFError(const std::string& message);

inline constexpr const char* kBitmapNotValid = "Bitmap image is not valid";
inline constexpr const char* kScanLineOutOfRange = "Scan line index out of range";

int RowBytes(int width, int bits);

// Row access with the checks every reader and writer makes.
class TDIB {
public:
    virtual ~TDIB() = default;
protected:
    explicit TDIB(const EngineBitmap& source);
    void CheckRow(int row) const;
    int width_;
    int height_;
};

// Rows of a picture as 24-bit pixels (blue, green, red); the source is left as it is.
class TDIBReader : public TDIB {
public:
    explicit TDIBReader(const EngineBitmap& source);
    const uint8_t* RowAddress(int row) const;
    int Width() const { return width_; }
    int Height() const { return height_; }
private:
    std::vector<uint8_t> bits_;
};

// Rows of an 8-bit picture for writing.
class TDIBWriter : public TDIB {
public:
    explicit TDIBWriter(EngineBitmap& target);
    uint8_t* RowAddress(int row);
private:
    EngineBitmap& target_;
};

class TColorLookup {
public:
    virtual ~TColorLookup() = default;
    // Palette index for (r, g, b); the chosen colour goes to the out-values.
    virtual int MatchColor(int r, int g, int b, int& ro, int& go, int& bo) = 0;
    int ColorCount = 0;
};

// Any palette, through a cache keyed by the top 5 bits of each channel.
class TFastColorLookup : public TColorLookup {
public:
    explicit TFastColorLookup(const std::vector<uint32_t>& palette);
    int MatchColor(int r, int g, int b, int& ro, int& go, int& bo) override;
private:
    static int Key(int r, int g, int b) { return (r >> 3) | (g >> 3) << 5 | (b >> 3) << 10; }
    std::vector<uint32_t> paletteCopy_;
    std::vector<int16_t> inverseTable_;
};

// The 216-colour cube, by arithmetic.
class TNetscapeColorLookup : public TColorLookup {
public:
    TNetscapeColorLookup() { ColorCount = 216; }
    int MatchColor(int r, int g, int b, int& ro, int& go, int& bo) override;
};

class TDitherEngine {
public:
    TDitherEngine(int width, TColorLookup& lookup) : RowWidth(width), Matcher(lookup) {}
    virtual ~TDitherEngine() = default;
    virtual int DitherPixel(int r, int g, int b, int& ro, int& go, int& bo);
    virtual void NextRow();
    int RowWidth;
    int Step = 1;
    int Position = 0;
protected:
    TColorLookup& Matcher;
};

class TFloydSteinbergEngine : public TDitherEngine {
public:
    TFloydSteinbergEngine(int width, TColorLookup& lookup);
    int DitherPixel(int r, int g, int b, int& ro, int& go, int& bo) override;
    void NextRow() override;
private:
    struct Channel {
        std::vector<int> row;
        int carry = 0, below = 0, belowBehind = 0;
    };
    Channel channels_[3];
    int cursor_ = 0;
};

struct TOctreeNode {
    bool Terminal = false;
    int Hits = 0;
    int SumR = 0, SumG = 0, SumB = 0;
    TOctreeNode* NextReducible = nullptr;
    std::unique_ptr<TOctreeNode> Child[8];
};

class TColorQuantizer {
public:
    TColorQuantizer(int colorLimit, int depthLimit);
    void AddColor(int r, int g, int b);
    // Leaf colours depth-first, children 0 to 7.
    std::vector<uint32_t> Colors() const;
private:
    void InsertColor(std::unique_ptr<TOctreeNode>& node, int r, int g, int b, int level);
    void MergeDeepestNode();
    std::unique_ptr<TOctreeNode> Root;
    int Leaves = 0;
    TOctreeNode* ReducibleLists[8] = {};
    int ColorLimit;
    int DepthLimit;
};

// The 216-colour cube: entry i*36 + j*6 + k is (51i, 51j, 51k).
std::vector<uint32_t> CreateCubePalette();
std::vector<uint32_t> BuildOptimizedPalette(const TDIBReader& reader, int colors, int depth, bool keepSystemColors);
std::vector<uint32_t> BuildOptimizedPaletteOf(const EngineBitmap& bitmap, int colors, int depth, bool keepSystemColors);

enum PaletteMode { kPaletteNone = 0, kPaletteSystem = 1, kPaletteCube = 3, kPaletteEngine = 4, kPaletteOptimized = 5 };
enum DitherMode { kDitherNearest = 0, kDitherFloydSteinberg = 1 };

// A new picture: 8-bit on the palette the mode names, or a 32-bit copy for mode 0.
EngineBitmap ReduceBitmapColors(const EngineBitmap& bitmap, int paletteMode, int ditherMode, const ScreenState& screen);

// The picture for a screen of 8 bits or fewer; empty when there is no picture.
EngineBitmap MakeDisplayBitmap(const EngineBitmap& picture, const ScreenState& screen);

} // namespace htmlengine
