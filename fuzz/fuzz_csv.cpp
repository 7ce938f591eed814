// Semicolon text from any bytes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "documents/LoadSave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static auto doc = std::make_unique<VocabularyFileData>();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (int startRow : {1, 498, 501}) {
        *doc = VocabularyFileData{};
        MemorySource source(bytes);
        ReadCsvBytes(source, *doc, startRow);
        if (doc->Entries[0].InUse != 0) {
            __builtin_trap();  // row 0 is never filled
        }
    }
    return 0;
}
