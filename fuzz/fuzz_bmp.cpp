// Any bytes through the bitmap loader, the kind sniffer and the transparency probes.
#include "htmlengine/PageImages.h"

#include <cstddef>
#include <cstdint>

using namespace htmlengine;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ScreenState deep(24);
    const std::span<const uint8_t> bytes(data, size);
    try {
        (void)LoadBitmapPicture(bytes);
    } catch (const std::exception&) {
    }
    uint8_t kind = kCornerTransparent;
    EngineMask mask;
    (void)LoadPictureFromStream(bytes, kind, mask, deep);
    ColorRef color;
    (void)GifTransparentColor(bytes, color);
    (void)PngTransparentColor(bytes, color);
    (void)SniffImageKind(bytes);
    return 0;
}
