#pragma once
// Pictures of a page: recognising their kind, loading bitmaps, GIFs and
// JPEGs, transparency masks, preparing them for the screen, and the cache
// that lets pages share decoded pictures.
#include "htmlengine/EngineBitmap.h"
#include "htmlengine/PageGif.h"
#include "htmlengine/ScreenState.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace htmlengine {

enum ImageKind { kUnknownImage = 0, kBitmapImage = 1, kGif87Image = 2, kGif89Image = 3, kPngImage = 4, kJpegImage = 5 };
enum TransparencyKind : uint8_t { kNotTransparent = 0, kCornerTransparent = 1, kGifTransparent = 2, kPngTransparent = 3 };

int SniffImageKind(std::span<const uint8_t> firstBytes);
int SniffImageFile(const std::string& fileName);
// The colour a GIF89's first graphic-control block makes transparent (0x00BBGGRR).
bool GifTransparentColor(std::span<const uint8_t> data, ColorRef& color);
bool PngTransparentColor(std::span<const uint8_t> data, ColorRef& color);

// A Windows bitmap file; throws on anything it cannot read.
EngineBitmap LoadBitmapPicture(std::span<const uint8_t> data);

class TStringBitmapList;

// Loaders answer an empty picture when they fail; error, when given, gets
// the reason (for JPEG the codec's message).
EngineBitmap LoadPictureFile(const std::string& fileName, bool reduce, const ScreenState& screen,
                             TStringBitmapList* cache = nullptr, std::string* error = nullptr);
EngineBitmap LoadDisplayPicture(const std::string& fileName, const ScreenState& screen,
                                TStringBitmapList* cache = nullptr, std::string* error = nullptr);
EngineBitmap LoadPictureWithMask(const std::string& fileName, uint8_t& kind, EngineMask& mask,
                                 const ScreenState& screen, TStringBitmapList* cache = nullptr,
                                 std::string* error = nullptr);
EngineBitmap LoadPictureFromStream(std::span<const uint8_t> data, uint8_t& kind, EngineMask& mask,
                                   const ScreenState& screen, std::string* error = nullptr);

// Set where the pixel equals the colour (the bottom-left pixel's unless given).
EngineMask MakeTransparencyMask(const EngineBitmap& bitmap, bool useGiven, ColorRef color);
EngineBitmap ReduceForScreen(EngineBitmap bitmap, const ScreenState& screen);

// The stream an image-request hook answers when the picture comes later.
const std::vector<uint8_t>& WaitingStream();

struct TBitmapItem {
    // Exactly one of the two is set.
    std::shared_ptr<EngineBitmap> Bitmap;
    std::shared_ptr<TGIFImage> Gif;
    int32_t Age = 0;
    uint8_t TransparencyKind = kNotTransparent;
    EngineMask TransparencyMask;
};

// The cache. A user of a picture holds its entry's shared pointer: the use
// count is the number of such holders, so an entry on screen cannot be freed.
class TStringBitmapList {
public:
    using Entry = std::shared_ptr<TBitmapItem>;

    // Upper-cased, blanks and control characters trimmed.
    static std::string CacheKey(std::string_view name);

    int Count() const { return int(items_.size()); }
    int IndexOf(std::string_view name) const;
    const std::string& Key(int index) const { return items_[size_t(index)].first; }
    const TBitmapItem& Item(int index) const { return *items_[size_t(index)].second; }
    int UseCount(int index) const { return int(items_[size_t(index)].second.use_count()) - 1; }

    // Enters the item and answers the caller's use of it.
    Entry AddObject(std::string_view name, std::unique_ptr<TBitmapItem> item);
    // Age 0 and one more use.
    Entry ImageCacheTake(int index);
    // Gives one use back; nothing when use is empty.
    static void ImageCacheRelease(Entry& use) { use.reset(); }

    int AgeLimit() const { return ageLimit_; }
    void SetAgeLimit(int limit);
    // Called before each load: unused entries older than the limit go.
    void ImageCacheAge();
    void PurgeUnused();
    void Clear() { items_.clear(); }

private:
    template <class Pred> void FreeWhere(Pred pred);
    std::vector<std::pair<std::string, Entry>> items_; // sorted by key
    int ageLimit_ = 4;
};

} // namespace htmlengine
