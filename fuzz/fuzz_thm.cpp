// Hangman information files of any bytes: parsing and picture naming.
#include <cstddef>
#include <cstdint>
#include <string>

#include "training/ThmFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (const auto info = ParseThm(bytes)) {
        (void)PictureName(info->pattern, info->first);
        (void)PictureName(info->pattern, info->last);
    }
    return 0;
}
