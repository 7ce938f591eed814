// Any bytes through the JPEG codec wrapper, on deep and 8-bit screens.
#include "htmlengine/JpegCodec.h"

#include <cstddef>
#include <cstdint>

using namespace htmlengine;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ScreenState deep(24), eight(8);
    const JpegResult result = DecodeJpeg(std::span(data, size), size % 2 ? eight : deep);
    if (result.picture.IsEmpty() == result.error.empty()) {
        __builtin_trap(); // exactly one of picture and message
    }
    return 0;
}
